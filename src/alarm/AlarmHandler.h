#pragma once

#include "config/DeviceConfigFile.h"

#include <QHash>
#include <QList>
#include <QSemaphore>
#include <QSet>
#include <QThread>

#include <atomic>
#include <mutex>

class AlarmRecord;
class ConnectDeviceThread;
class LogManager;
class ShowAlarmManager;
class SoundAlarmManager;
struct DeviceStateRead;

// The single funnel between the SNMP side and everything that reacts to alarms. Producers append records from
// their own threads; the handler's thread filters them and hands each survivor, in queue order, to the display
// router, the speech queue and the alarm log.
class AlarmHandler : public QThread
{
public:
    AlarmHandler() = default;
    ~AlarmHandler() override;

    void SetLogManager(LogManager* manager);
    void SetShowAlarmManager(ShowAlarmManager* manager);
    void SetSoundAlarmManager(SoundAlarmManager* manager);
    // Keeps a deep copy for filtering.
    void SetDeviceConfig(const DeviceConfigFile& config);
    void SetConnectDeviceThread(ConnectDeviceThread* thread);

    // Takes ownership; null is ignored. Starts the thread on first use.
    void AddAlarm(AlarmRecord* record);
    // Any thread. A configured device's complete state read goes to the log at once, which ends the rows it no
    // longer finds active; the read's own records may still wait in the queue, and need not be ahead of it.
    void AddStateRead(const DeviceStateRead& read);

    // For the metrics, from any thread, lock-free.
    int QueueLength() const { return m_queued.available(); }
    // Records appended; those of a known alarm type; those of a known type that the configuration dropped.
    quint64 ReceivedCount() const { return m_received; }
    quint64 DecodedCount() const { return m_decoded; }
    quint64 FilteredCount() const { return m_filtered; }
    // Configured devices; those among them heard from since monitoring started, and those whose last connection
    // record said they were lost.
    int DeviceCount() const { return m_deviceCount; }
    int ReachableDeviceCount() const { return m_reachableDeviceCount; }
    int LostDeviceCount() const { return m_lostDeviceCount; }
    // At the start of monitoring: no device counts as reachable or lost until it is heard of again.
    void ForgetDeviceStates();

protected:
    void run() override;

private:
    // Under m_handlerLock: drops what the configuration does not ask for and fills in the names.
    bool AcceptAndName(AlarmRecord* record);
    // Under m_handlerLock: any record of a configured device but a lost connection says it is reachable.
    void NoteDeviceState(const AlarmRecord& record);
    void CountDeviceStates();

    LogManager* m_logManager = nullptr;
    ShowAlarmManager* m_showAlarmManager = nullptr;
    SoundAlarmManager* m_soundAlarmManager = nullptr;
    DeviceConfigFile m_deviceConfig;
    QList<AlarmRecord*> m_queue;
    // Guards the queue, the consumer pointers and the device configuration. A standard mutex, so that the thread
    // sanitizer can check what it guards.
    std::mutex m_handlerLock;
    QSemaphore m_queued;
    std::atomic<bool> m_stopRequested{false};
    ConnectDeviceThread* m_connectDeviceThread = nullptr;
    // Under m_handlerLock too: whether each device heard of is reachable.
    QHash<QString, bool> m_deviceReachable;

    std::atomic<quint64> m_received{0};
    std::atomic<quint64> m_decoded{0};
    std::atomic<quint64> m_filtered{0};
    std::atomic<int> m_deviceCount{0};
    std::atomic<int> m_reachableDeviceCount{0};
    std::atomic<int> m_lostDeviceCount{0};
};
