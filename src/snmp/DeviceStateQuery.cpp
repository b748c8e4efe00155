#include "snmp/DeviceStateQuery.h"

#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/DeviceStateRead.h"
#include "snmp/DeviceObjects.h"

#include <QDebug>

struct DeviceStateQuery::Progress
{
    DeviceStateRead read;
    int pending = 0;
};

namespace {
QString IdentityKey(const QString& ip, int portType, int port, int track, int alarmType)
{
    AlarmRecord record;
    record.ip = ip;
    record.portType = portType;
    record.portID = port;
    record.trackID = track;
    record.alarmType = alarmType;
    return AlarmIdentityKey(record);
}
} // namespace

void DeviceStateQuery::QueryDeviceState(DeviceConversation* conversation, AlarmHandler* handler)
{
    auto progress = std::make_shared<Progress>();
    progress->read.ip = conversation->Ip();
    progress->read.started = QDateTime::currentDateTime();
    // A device that answers every request is connected.
    AlarmRecord connection;
    connection.Init(conversation->Ip());
    connection.alarmType = AlarmTypeConnection;
    progress->read.asked.insert(AlarmIdentityKey(connection));
    for (int port = 1; port <= BncPorts; ++port)
        QueryVideoPort(conversation, handler, PortTypeBnc, port, progress);
    for (int port = 1; port <= BncPorts; ++port)
        QueryEmbeddedTracks(conversation, handler, PortTypeBnc, port, progress);
    QueryDiscreteTracks(conversation, handler, PortTypeAnalog, 1, progress);
    QueryDiscreteTracks(conversation, handler, PortTypeAes, 1, progress);
}

void DeviceStateQuery::QueryVideoPort(DeviceConversation* conversation, AlarmHandler* handler, int portType, int port,
                                      const ProgressPtr& progress)
{
    if (portType != PortTypeBnc)
        return;
    const QStringList oids = {DeviceObjects::VideoPort(DeviceObjects::VideoStandard, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoLostSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoFreezeSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoBlackSeverity, port)};
    Query(conversation, handler, oids, "GetVideoPortInfo failed!", portType, port, -1,
          {{1, AlarmTypeVideoLost}, {2, AlarmTypeVideoFreeze}, {3, AlarmTypeVideoBlack}}, progress);
}

void DeviceStateQuery::QueryEmbeddedTracks(DeviceConversation* conversation, AlarmHandler* handler, int portType,
                                           int port, const ProgressPtr& progress)
{
    if (portType != PortTypeBnc)
        return;
    for (int track = 1; track <= EmbeddedTracks; ++track) {
        const QStringList oids = {DeviceObjects::EmbeddedTrack(DeviceObjects::SilenceSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::OverloadSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::EmbeddedSpare, port, track)};
        Query(conversation, handler, oids, "GetEmbeddedTrackInfo failed!", portType, port, track,
              {{0, AlarmTypeSilence}, {1, AlarmTypeAudioOverload}}, progress);
    }
}

void DeviceStateQuery::QueryDiscreteTracks(DeviceConversation* conversation, AlarmHandler* handler, int portType,
                                           int port, const ProgressPtr& progress)
{
    const int tracks = portType == PortTypeAnalog ? AnalogTracks : AesTracks;
    for (int track = 1; track <= tracks; ++track) {
        const QStringList oids = {DeviceObjects::DiscreteTrack(DeviceObjects::SilenceSeverity, portType, port, track),
                                  DeviceObjects::DiscreteTrack(DeviceObjects::OverloadSeverity, portType, port, track)};
        Query(conversation, handler, oids, "GetDiscreteTrackInfo failed!", portType, port, track,
              {{0, AlarmTypeSilence}, {1, AlarmTypeAudioOverload}}, progress);
    }
}

void DeviceStateQuery::Query(DeviceConversation* conversation, AlarmHandler* handler, const QStringList& oids,
                             const char* failure, int portType, int port, int track, QVector<Condition> conditions,
                             const ProgressPtr& progress)
{
    if (progress) {
        ++progress->pending;
        for (const Condition& condition : conditions)
            progress->read.asked.insert(IdentityKey(conversation->Ip(), portType, port, track, condition.alarmType));
    }
    conversation->Get(oids, [=](DeviceConversation& device, const DeviceConversation::Answer& answer) {
        if (answer.status != 0) {
            // A device that let one request go unanswered through every retry is gone for now: presence detection
            // reports it, and its state is read anew when it is found.
            qDebug() << failure << "State read of" << device.Ip()
                     << "abandoned:" << SnmpDeviceSession::ErrorText(answer.status);
            device.Abandon();
            return;
        }
        if (answer.errorStatus != 0)
            qDebug().noquote() << QStringLiteral("Response contains error:\n%1\n")
                                      .arg(SnmpDeviceSession::ErrorText(-int(answer.errorStatus)));
        const QVector<int> levels = Levels(oids, answer);
        for (const Condition& condition : conditions) {
            const int level = levels[condition.index];
            Report(handler, device.Ip(), portType, port, track, condition.alarmType, level);
            if (progress && level != LevelNormal)
                progress->read.active.insert(IdentityKey(device.Ip(), portType, port, track, condition.alarmType));
        }
        if (progress && --progress->pending == 0 && handler) {
            progress->read.finished = QDateTime::currentDateTime();
            handler->AddStateRead(progress->read);
        }
    });
}

QVector<int> DeviceStateQuery::Levels(const QStringList& oids, const DeviceConversation::Answer& answer)
{
    QVector<int> levels(oids.size(), LevelNormal);
    // Matched by name rather than position: the answer is the device's, not ours.
    for (const SnmpVarbind& varbind : answer.varbinds) {
        const int index = oids.indexOf(varbind.oid);
        if (index >= 0 && varbind.IsInteger())
            levels[index] = LevelFromDeviceSeverity(long(varbind.integer));
    }
    return levels;
}

void DeviceStateQuery::Report(AlarmHandler* handler, const QString& ip, int portType, int port, int track,
                              int alarmType, int level)
{
    if (level == LevelNormal || !handler)
        return;
    AlarmRecord* record = AlarmRecordPool::Instance()->Acquire();
    record->Init(ip);
    record->portType = portType;
    record->portID = port;
    record->trackID = track;
    record->alarmType = alarmType;
    record->level = level;
    handler->AddAlarm(record);
}
