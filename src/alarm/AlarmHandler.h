#pragma once

#include "config/DeviceConfigFile.h"

#include <QList>
#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <mutex>

class AlarmRecord;
class ConnectDeviceThread;
class LogManager;
class ShowAlarmManager;
class SoundAlarmManager;

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

protected:
    void run() override;

private:
    // Under m_handlerLock: drops what the configuration does not ask for and fills in the names.
    bool AcceptAndName(AlarmRecord* record);

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
};
