#include "snmp/DeviceStateQuery.h"

#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "snmp/DeviceObjects.h"

#include <QDebug>

void DeviceStateQuery::QueryDeviceState(DeviceConversation* conversation, AlarmHandler* handler)
{
    for (int port = 1; port <= BncPorts; ++port)
        QueryVideoPort(conversation, handler, PortTypeBnc, port);
    for (int port = 1; port <= BncPorts; ++port)
        QueryEmbeddedTracks(conversation, handler, PortTypeBnc, port);
    QueryDiscreteTracks(conversation, handler, PortTypeAnalog, 1);
    QueryDiscreteTracks(conversation, handler, PortTypeAes, 1);
}

void DeviceStateQuery::QueryVideoPort(DeviceConversation* conversation, AlarmHandler* handler, int portType, int port)
{
    if (portType != PortTypeBnc)
        return;
    const QStringList oids = {DeviceObjects::VideoPort(DeviceObjects::VideoStandard, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoLostSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoFreezeSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoBlackSeverity, port)};
    Query(conversation, handler, oids, "GetVideoPortInfo failed!", portType, port, -1,
          {{1, AlarmTypeVideoLost}, {2, AlarmTypeVideoFreeze}, {3, AlarmTypeVideoBlack}});
}

void DeviceStateQuery::QueryEmbeddedTracks(DeviceConversation* conversation, AlarmHandler* handler, int portType,
                                           int port)
{
    if (portType != PortTypeBnc)
        return;
    for (int track = 1; track <= EmbeddedTracks; ++track) {
        const QStringList oids = {DeviceObjects::EmbeddedTrack(DeviceObjects::SilenceSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::OverloadSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::EmbeddedSpare, port, track)};
        Query(conversation, handler, oids, "GetEmbeddedTrackInfo failed!", portType, port, track,
              {{0, AlarmTypeSilence}, {1, AlarmTypeAudioOverload}});
    }
}

void DeviceStateQuery::QueryDiscreteTracks(DeviceConversation* conversation, AlarmHandler* handler, int portType,
                                           int port)
{
    const int tracks = portType == PortTypeAnalog ? AnalogTracks : AesTracks;
    for (int track = 1; track <= tracks; ++track) {
        const QStringList oids = {DeviceObjects::DiscreteTrack(DeviceObjects::SilenceSeverity, portType, port, track),
                                  DeviceObjects::DiscreteTrack(DeviceObjects::OverloadSeverity, portType, port, track)};
        Query(conversation, handler, oids, "GetDiscreteTrackInfo failed!", portType, port, track,
              {{0, AlarmTypeSilence}, {1, AlarmTypeAudioOverload}});
    }
}

void DeviceStateQuery::Query(DeviceConversation* conversation, AlarmHandler* handler, const QStringList& oids,
                             const char* failure, int portType, int port, int track, QVector<Condition> conditions)
{
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
        for (const Condition& condition : conditions)
            Report(handler, device.Ip(), portType, port, track, condition.alarmType, levels[condition.index]);
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
