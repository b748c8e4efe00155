#include "snmp/DeviceStateQuery.h"

#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/DeviceStateRead.h"
#include "snmp/DeviceObjects.h"

#include <QDebug>

struct DeviceStateQuery::Read
{
    AlarmHandler* handler;
    Done done;
    DeviceStateRead state;
    int unanswered = 0;
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

void DeviceStateQuery::QueryDeviceState(DeviceConversation* conversation, AlarmHandler* handler, Done done)
{
    const auto read = std::make_shared<Read>(Read{handler, std::move(done), {}, 0});
    read->state.ip = conversation->Ip();
    read->state.started = QDateTime::currentDateTime();
    // A device that answers every request is connected.
    AlarmRecord connection;
    connection.Init(conversation->Ip());
    connection.alarmType = AlarmTypeConnection;
    read->state.asked.insert(AlarmIdentityKey(connection));
    for (int port = 1; port <= BncPorts; ++port)
        QueryVideoPort(conversation, read, port);
    for (int port = 1; port <= BncPorts; ++port)
        QueryEmbeddedTracks(conversation, read, port);
    QueryDiscreteTracks(conversation, read, PortTypeAnalog);
    QueryDiscreteTracks(conversation, read, PortTypeAes);
}

void DeviceStateQuery::QueryVideoPort(DeviceConversation* conversation, const ReadPointer& read, int port)
{
    const QStringList oids = {DeviceObjects::VideoPort(DeviceObjects::VideoStandard, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoLostSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoFreezeSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoBlackSeverity, port)};
    Query(conversation, read, oids, "GetVideoPortInfo failed!", PortTypeBnc, port, -1,
          {{1, AlarmTypeVideoLost}, {2, AlarmTypeVideoFreeze}, {3, AlarmTypeVideoBlack}});
}

void DeviceStateQuery::QueryEmbeddedTracks(DeviceConversation* conversation, const ReadPointer& read, int port)
{
    for (int track = 1; track <= EmbeddedTracks; ++track) {
        const QStringList oids = {DeviceObjects::EmbeddedTrack(DeviceObjects::SilenceSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::OverloadSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::EmbeddedSpare, port, track)};
        Query(conversation, read, oids, "GetEmbeddedTrackInfo failed!", PortTypeBnc, port, track,
              {{0, AlarmTypeSilence}, {1, AlarmTypeAudioOverload}});
    }
}

void DeviceStateQuery::QueryDiscreteTracks(DeviceConversation* conversation, const ReadPointer& read, int portType)
{
    const int tracks = portType == PortTypeAnalog ? AnalogTracks : AesTracks;
    for (int track = 1; track <= tracks; ++track) {
        const QStringList oids = {DeviceObjects::DiscreteTrack(DeviceObjects::SilenceSeverity, portType, 1, track),
                                  DeviceObjects::DiscreteTrack(DeviceObjects::OverloadSeverity, portType, 1, track)};
        Query(conversation, read, oids, "GetDiscreteTrackInfo failed!", portType, 1, track,
              {{0, AlarmTypeSilence}, {1, AlarmTypeAudioOverload}});
    }
}

void DeviceStateQuery::Query(DeviceConversation* conversation, const ReadPointer& read, const QStringList& oids,
                             const char* failure, int portType, int port, int track, QVector<Condition> conditions)
{
    ++read->unanswered;
    for (const Condition& condition : conditions)
        read->state.asked.insert(IdentityKey(conversation->Ip(), portType, port, track, condition.alarmType));
    conversation->Get(oids, [=](DeviceConversation& device, const DeviceConversation::Answer& answer) {
        if (answer.status != 0) {
            qDebug() << failure << "State read of" << device.Ip()
                     << "abandoned:" << SnmpDeviceSession::ErrorText(answer.status);
            device.Abandon();
            if (read->done)
                read->done(false);
            return;
        }
        if (answer.errorStatus != 0)
            qDebug().noquote() << QStringLiteral("Response contains error:\n%1\n")
                                      .arg(SnmpDeviceSession::ErrorText(-int(answer.errorStatus)));
        const QVector<int> levels = Levels(oids, answer);
        for (const Condition& condition : conditions) {
            const int level = levels[condition.index];
            Report(read->handler, device.Ip(), portType, port, track, condition.alarmType, level);
            if (level != LevelNormal)
                read->state.active.insert(IdentityKey(device.Ip(), portType, port, track, condition.alarmType));
        }
        if (--read->unanswered > 0)
            return;
        if (read->handler) {
            read->state.finished = QDateTime::currentDateTime();
            read->handler->AddStateRead(read->state);
        }
        if (read->done)
            read->done(true);
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
