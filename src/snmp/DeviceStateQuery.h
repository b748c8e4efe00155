#pragma once

#include "snmp/DeviceConversation.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class AlarmHandler;

// Reads the present alarm state of one device with GET requests and turns every active condition into a record
// for the alarm handler, as if the matching trap had arrived. Conditions the device reports as normal produce
// nothing: a query never ends an alarm. The requests go out one after the other on the device's conversation;
// once one of them goes unanswered through all its retries, the rest of the read is abandoned. A read that got every
// answer is handed to the alarm handler as a whole (AddStateRead), so that the log can end what it no longer finds.
class DeviceStateQuery
{
public:
    // Video ports 1 to 16, their embedded tracks, then the analog and the AES/EBU port: 188 requests.
    static void QueryDeviceState(DeviceConversation* conversation, AlarmHandler* handler);
    // A read under way: what it asked and found so far, and how many answers it still waits for.
    struct Progress;
    using ProgressPtr = std::shared_ptr<Progress>;

    static void QueryVideoPort(DeviceConversation* conversation, AlarmHandler* handler, int portType, int port,
                               const ProgressPtr& progress = nullptr);
    static void QueryEmbeddedTracks(DeviceConversation* conversation, AlarmHandler* handler, int portType, int port,
                                    const ProgressPtr& progress = nullptr);
    static void QueryDiscreteTracks(DeviceConversation* conversation, AlarmHandler* handler, int portType, int port,
                                    const ProgressPtr& progress = nullptr);

    static constexpr int BncPorts = 16;
    static constexpr int EmbeddedTracks = 8;
    static constexpr int AnalogTracks = 12;
    static constexpr int AesTracks = 32;

private:
    struct Condition
    {
        // Position of the object in the request, and the alarm type of its severity.
        int index;
        int alarmType;
    };

    // One GET of oids; the levels of the conditions' answers become records of portType, port and track.
    static void Query(DeviceConversation* conversation, AlarmHandler* handler, const QStringList& oids,
                      const char* failure, int portType, int port, int track, QVector<Condition> conditions,
                      const ProgressPtr& progress);
    static QVector<int> Levels(const QStringList& oids, const DeviceConversation::Answer& answer);
    static void Report(AlarmHandler* handler, const QString& ip, int portType, int port, int track, int alarmType,
                       int level);
};
