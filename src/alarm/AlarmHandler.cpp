#include "alarm/AlarmHandler.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/DeviceStateRead.h"
#include "alarm/ShowAlarmManager.h"
#include "alarm/SoundAlarmManager.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "log/LogManager.h"
#include "snmp/ConnectDeviceThread.h"

#include <QDebug>

#include <algorithm>

namespace {
// Both bounds are inclusive, to the millisecond; a window with a missing end matches nothing.
bool InWindow(const QTime& start, const QTime& end, const QTime& time)
{
    return start.isValid() && end.isValid() && start <= time && time <= end;
}

// Track n is bit n - 1; there is no bit for a track outside 1 to 32.
bool TrackAllowed(quint32 trackMask, int trackID)
{
    return trackID >= 1 && trackID <= 32 && ((trackMask >> (trackID - 1)) & 1u);
}

bool PortAccepts(const PortConfigNode* port, const AlarmRecord& record)
{
    if (!port || !port->alarm() || (port->alarm_type_mask() & quint32(record.alarmType)) == 0)
        return false;
    if (IsAudioTrackAlarm(record.alarmType) && !TrackAllowed(port->track_mask(), record.trackID))
        return false;
    const QTime time = record.time.time();
    return InWindow(port->start_time1(), port->end_time1(), time) ||
           InWindow(port->start_time2(), port->end_time2(), time);
}
} // namespace

AlarmHandler::~AlarmHandler()
{
    m_stopRequested = true;
    m_queued.release();
    wait();
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    for (AlarmRecord* record : qAsConst(m_queue))
        AlarmRecordPool::Instance()->Release(record);
    m_queue.clear();
}

void AlarmHandler::SetLogManager(LogManager* manager)
{
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    m_logManager = manager;
}

void AlarmHandler::SetShowAlarmManager(ShowAlarmManager* manager)
{
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    m_showAlarmManager = manager;
}

void AlarmHandler::SetSoundAlarmManager(SoundAlarmManager* manager)
{
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    m_soundAlarmManager = manager;
}

void AlarmHandler::SetDeviceConfig(const DeviceConfigFile& config)
{
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    m_deviceConfig = config;
    m_deviceCount = m_deviceConfig.Devices().size();
    for (auto device = m_deviceReachable.begin(); device != m_deviceReachable.end();)
        device = m_deviceConfig.FindDevice(device.key()) ? std::next(device) : m_deviceReachable.erase(device);
    CountDeviceStates();
}

void AlarmHandler::ForgetDeviceStates()
{
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    m_deviceReachable.clear();
    CountDeviceStates();
}

void AlarmHandler::SetConnectDeviceThread(ConnectDeviceThread* thread)
{
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    m_connectDeviceThread = thread;
}

void AlarmHandler::AddAlarm(AlarmRecord* record)
{
    if (!record)
        return;
    ++m_received;
    const std::lock_guard<std::mutex> locker(m_handlerLock);
    m_queue.append(record);
    m_queued.release();
    if (!isRunning() && !m_stopRequested)
        start(QThread::InheritPriority);
}

void AlarmHandler::AddStateRead(const DeviceStateRead& read)
{
    std::unique_lock<std::mutex> locker(m_handlerLock);
    LogManager* logManager = m_deviceConfig.FindDevice(read.ip) ? m_logManager : nullptr;
    locker.unlock();
    if (logManager)
        logManager->Settle(read);
}

bool AlarmHandler::AcceptAndName(AlarmRecord* record)
{
    const DeviceConfigNode* device = m_deviceConfig.FindDevice(record->ip);
    if (device)
        NoteDeviceState(*record);
    // Fan and power records are decoded but never reach the consumers.
    if (record->alarmType == AlarmTypeNone || record->alarmType == AlarmTypeFan || record->alarmType == AlarmTypePower)
        return false;
    if (!device) {
        qDebug().noquote() << QStringLiteral("%1 is not configed").arg(record->ip);
        return false;
    }
    // Device-wide records pass whatever the ports say; signal alarms answer to their port's configuration.
    if (IsSignalAlarm(record->alarmType)) {
        const PortConfigNode* port = device->FindPort(PortDisplayName(record->portType, record->portID));
        if (!PortAccepts(port, *record))
            return false;
        record->signalName = port->signal_name();
    }
    record->deviceName = device->dev_name();
    return true;
}

void AlarmHandler::NoteDeviceState(const AlarmRecord& record)
{
    // Counted as it changes: a storm of records is not a count over every device each time.
    const bool reachable = record.alarmType != AlarmTypeConnection || record.level == LevelNormal;
    const auto known = m_deviceReachable.find(record.ip);
    if (known != m_deviceReachable.end()) {
        if (*known == reachable)
            return;
        (*known ? m_reachableDeviceCount : m_lostDeviceCount) -= 1;
        *known = reachable;
    } else {
        m_deviceReachable.insert(record.ip, reachable);
    }
    (reachable ? m_reachableDeviceCount : m_lostDeviceCount) += 1;
}

void AlarmHandler::CountDeviceStates()
{
    const int reachable = int(std::count(m_deviceReachable.cbegin(), m_deviceReachable.cend(), true));
    m_reachableDeviceCount = reachable;
    m_lostDeviceCount = m_deviceReachable.size() - reachable;
}

void AlarmHandler::run()
{
    while (!m_stopRequested) {
        m_queued.acquire();

        std::unique_lock<std::mutex> locker(m_handlerLock);
        if (m_queue.isEmpty())
            continue;
        AlarmRecord* record = m_queue.takeFirst();
        const bool decoded = record->alarmType != AlarmTypeNone;
        m_decoded += decoded ? 1 : 0;
        if (!AcceptAndName(record)) {
            m_filtered += decoded ? 1 : 0;
            locker.unlock();
            AlarmRecordPool::Instance()->Release(record);
            continue;
        }
        ShowAlarmManager* showAlarmManager = m_showAlarmManager;
        SoundAlarmManager* soundAlarmManager = m_soundAlarmManager;
        LogManager* logManager = m_logManager;
        ConnectDeviceThread* connectDeviceThread = m_connectDeviceThread;
        locker.unlock();

        // Consumers run without the lock so that a slow one never blocks the producers. The log comes first: a
        // start of an alarm whose row is still open carries that row's start on, so that the views and the
        // acknowledgements name the same occurrence as the log.
        if (logManager) {
            const QDateTime rowStart = logManager->AddAlarm(record);
            if (rowStart.isValid() && record->level != LevelNormal)
                record->time = rowStart;
        }
        if (showAlarmManager)
            showAlarmManager->DealAlarm(record);
        if (soundAlarmManager)
            soundAlarmManager->AppendAlarm(record);
        if (connectDeviceThread && record->alarmType == AlarmTypeConnection && record->level == LevelNormal) {
            connectDeviceThread->AddIP(record->ip);
            qDebug() << "DEVICE_CONN_STATE";
        }
        AlarmRecordPool::Instance()->Release(record);
    }
}
