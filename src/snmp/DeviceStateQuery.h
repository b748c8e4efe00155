#pragma once

#include "snmp/SnmpDeviceSession.h"

#include <QString>
#include <QStringList>

#include <functional>

class AlarmHandler;

// Reads the present alarm state of one device with GET requests and turns every active condition into a record
// for the alarm handler, as if the matching trap had arrived. Conditions the device reports as normal produce
// nothing: a query never ends an alarm. Runs synchronously on the calling thread with a session of its own.
class DeviceStateQuery
{
public:
    // mustStop is asked before every request, so that stopping monitoring cuts a running query short.
    DeviceStateQuery(const QString& ip, AlarmHandler* handler, std::function<bool()> mustStop);

    // Video ports 1 to 16, their embedded tracks, then the analog and the AES/EBU port: 188 requests.
    void QueryDeviceState();
    void QueryVideoPort(int portType, int port);
    void QueryEmbeddedTracks(int portType, int port);
    void QueryDiscreteTracks(int portType, int port);

    // Requests sent so far.
    int RequestCount() const { return m_requestCount; }

    static constexpr int BncPorts = 16;
    static constexpr int EmbeddedTracks = 8;
    static constexpr int AnalogTracks = 12;
    static constexpr int AesTracks = 32;

private:
    // The levels of the answer's INTEGER varbinds, by position in oids; 1 (normal) for any other answer.
    // False when the request got no answer, after writing failure to the debug output.
    bool Query(const QStringList& oids, QVector<int>* levels, const char* failure);
    void Report(int portType, int port, int track, int alarmType, int level);

    QString m_ip;
    AlarmHandler* m_handler;
    std::function<bool()> m_mustStop;
    SnmpDeviceSession m_session;
    int m_requestCount = 0;
};
