#pragma once

#include <QHash>
#include <QString>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class AlarmFilter;
class AlarmRecord;
class ConnectDeviceThread;
class DeviceConfigFile;
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
    // Twice a facility-wide fault at a thousand probes (128,000 starts) fits.
    static constexpr size_t DefaultMaxQueued = 262144;
    // A batch's room beyond this goes back once the batch is done.
    static constexpr size_t KeptBatchCapacity = 4096;

    // Records appended while maxQueued wait already are dropped and counted.
    explicit AlarmHandler(size_t maxQueued = DefaultMaxQueued);
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
    // Records that were lost before they could be appended, such as traps the trap port's buffer had no room for.
    void CountDropped(quint64 count);

    // For the metrics, from any thread, lock-free.
    int QueueLength() const { return m_queueLength; }
    // Records appended; those of a known alarm type; those of a known type that the configuration dropped.
    quint64 ReceivedCount() const { return m_received; }
    quint64 DecodedCount() const { return m_decoded; }
    quint64 FilteredCount() const { return m_filtered; }
    // Records lost because a queue on their way was full: this one's or the trap port's.
    quint64 DroppedCount() const { return m_dropped; }
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
    void Route(AlarmRecord* record);
    // Any record of a configured device but a lost connection says it is reachable.
    void NoteDeviceState(const AlarmRecord& record);
    // Under m_deviceStateLock.
    void CountDeviceStates();

    const size_t m_maxQueued;
    // Read for every record without a lock; a consumer cleared here gets no further record once its current one
    // is done.
    std::atomic<LogManager*> m_logManager{nullptr};
    std::atomic<ShowAlarmManager*> m_showAlarmManager{nullptr};
    std::atomic<SoundAlarmManager*> m_soundAlarmManager{nullptr};
    std::atomic<ConnectDeviceThread*> m_connectDeviceThread{nullptr};

    // Replaced whole by SetDeviceConfig and read with std::atomic_load, record by record.
    std::shared_ptr<const AlarmFilter> m_filter;

    // Guards the queue and whether records are being dropped, and the stop flag's changes. A standard mutex, so
    // that the thread sanitizer can check what it guards.
    std::mutex m_handlerLock;
    std::condition_variable m_queueGrown;
    std::vector<AlarmRecord*> m_queue;
    std::atomic<bool> m_stopRequested{false};
    bool m_dropping = false;
    quint64 m_droppedInRun = 0;

    enum class Reach : quint8
    {
        Unheard,
        Reachable,
        Lost
    };
    // Guards m_deviceReach: whether each configured device is reachable, as far as its records tell. The devices are
    // entered with the configuration, not by a storm's first records among the memory the storm uses.
    std::mutex m_deviceStateLock;
    QHash<QString, Reach> m_deviceReach;

    std::atomic<int> m_queueLength{0};
    std::atomic<quint64> m_received{0};
    std::atomic<quint64> m_decoded{0};
    std::atomic<quint64> m_filtered{0};
    std::atomic<quint64> m_dropped{0};
    std::atomic<int> m_deviceCount{0};
    std::atomic<int> m_reachableDeviceCount{0};
    std::atomic<int> m_lostDeviceCount{0};
};
