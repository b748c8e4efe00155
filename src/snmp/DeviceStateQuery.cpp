#include "snmp/DeviceStateQuery.h"

#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "snmp/DeviceObjects.h"

#include <QDebug>

DeviceStateQuery::DeviceStateQuery(const QString& ip, AlarmHandler* handler, std::function<bool()> mustStop)
    : m_ip(ip), m_handler(handler), m_mustStop(std::move(mustStop)), m_session(ip, SnmpDeviceSession::DevicePort(), 3)
{
}

void DeviceStateQuery::QueryDeviceState()
{
    for (int port = 1; port <= BncPorts; ++port)
        QueryVideoPort(PortTypeBnc, port);
    for (int port = 1; port <= BncPorts; ++port)
        QueryEmbeddedTracks(PortTypeBnc, port);
    QueryDiscreteTracks(PortTypeAnalog, 1);
    QueryDiscreteTracks(PortTypeAes, 1);
}

void DeviceStateQuery::QueryVideoPort(int portType, int port)
{
    if (portType != PortTypeBnc || m_mustStop())
        return;
    const QStringList oids = {DeviceObjects::VideoPort(DeviceObjects::VideoStandard, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoLostSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoFreezeSeverity, port),
                              DeviceObjects::VideoPort(DeviceObjects::VideoBlackSeverity, port)};
    QVector<int> levels;
    if (!Query(oids, &levels, "GetVideoPortInfo failed!"))
        return;
    Report(portType, port, -1, AlarmTypeVideoLost, levels[1]);
    Report(portType, port, -1, AlarmTypeVideoFreeze, levels[2]);
    Report(portType, port, -1, AlarmTypeVideoBlack, levels[3]);
}

void DeviceStateQuery::QueryEmbeddedTracks(int portType, int port)
{
    for (int track = 1; track <= EmbeddedTracks; ++track) {
        if (portType != PortTypeBnc || m_mustStop())
            return;
        const QStringList oids = {DeviceObjects::EmbeddedTrack(DeviceObjects::SilenceSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::OverloadSeverity, port, track),
                                  DeviceObjects::EmbeddedTrack(DeviceObjects::EmbeddedSpare, port, track)};
        QVector<int> levels;
        if (!Query(oids, &levels, "GetEmbeddedTrackInfo failed!"))
            continue;
        Report(portType, port, track, AlarmTypeSilence, levels[0]);
        Report(portType, port, track, AlarmTypeAudioOverload, levels[1]);
    }
}

void DeviceStateQuery::QueryDiscreteTracks(int portType, int port)
{
    const int tracks = portType == PortTypeAnalog ? AnalogTracks : AesTracks;
    for (int track = 1; track <= tracks; ++track) {
        if (m_mustStop())
            return;
        const QStringList oids = {DeviceObjects::DiscreteTrack(DeviceObjects::SilenceSeverity, portType, port, track),
                                  DeviceObjects::DiscreteTrack(DeviceObjects::OverloadSeverity, portType, port, track)};
        qDebug().noquote() << oids.join(QLatin1Char(' '));
        QVector<int> levels;
        if (!Query(oids, &levels, "GetDiscreteTrackInfo failed!"))
            continue;
        Report(portType, port, track, AlarmTypeSilence, levels[0]);
        Report(portType, port, track, AlarmTypeAudioOverload, levels[1]);
    }
}

bool DeviceStateQuery::Query(const QStringList& oids, QVector<int>* levels, const char* failure)
{
    ++m_requestCount;
    SnmpVarbindList answer;
    long errorStatus = 0;
    if (m_session.Get(oids, &answer, &errorStatus) != 0) {
        qDebug() << failure;
        return false;
    }
    if (errorStatus != 0)
        qDebug().noquote()
            << QStringLiteral("Response contains error:\n%1\n").arg(SnmpDeviceSession::ErrorText(-int(errorStatus)));
    levels->fill(LevelNormal, oids.size());
    // Matched by name rather than position: the answer is the device's, not ours.
    for (const SnmpVarbind& varbind : qAsConst(answer)) {
        const int index = oids.indexOf(varbind.oid);
        if (index >= 0 && varbind.IsInteger())
            (*levels)[index] = LevelFromDeviceSeverity(long(varbind.integer));
    }
    return true;
}

void DeviceStateQuery::Report(int portType, int port, int track, int alarmType, int level)
{
    if (level == LevelNormal || !m_handler)
        return;
    AlarmRecord* record = AlarmRecordPool::Instance()->Acquire();
    record->Init(m_ip);
    record->portType = portType;
    record->portID = port;
    record->trackID = track;
    record->alarmType = alarmType;
    record->level = level;
    m_handler->AddAlarm(record);
}
