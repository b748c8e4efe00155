#include "alarm/AlarmHandler.h"

#include "alarm/AlarmFilter.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/DeviceStateRead.h"
#include "alarm/ShowAlarmManager.h"
#include "alarm/SoundAlarmManager.h"
#include "log/LogManager.h"
#include "snmp/ConnectDeviceThread.h"

#include <QDebug>

#include <algorithm>

AlarmHandler::AlarmHandler(size_t maxQueued) : m_maxQueued(maxQueued), m_filter(std::make_shared<AlarmFilter>()) {}

AlarmHandler::~AlarmHandler()
{
    {
        const std::lock_guard<std::mutex> locker(m_handlerLock);
        m_stopRequested = true;
        m_queueGrown.notify_one();
    }
    wait();
    for (AlarmRecord* record : m_queue)
        AlarmRecordPool::Instance()->Release(record);
    m_queue.clear();
}

void AlarmHandler::SetLogManager(LogManager* manager)
{
    m_logManager = manager;
}

void AlarmHandler::SetShowAlarmManager(ShowAlarmManager* manager)
{
    m_showAlarmManager = manager;
}

void AlarmHandler::SetSoundAlarmManager(SoundAlarmManager* manager)
{
    m_soundAlarmManager = manager;
}

void AlarmHandler::SetDeviceConfig(const DeviceConfigFile& config)
{
    const auto filter = std::make_shared<const AlarmFilter>(config);
    std::atomic_store(&m_filter, filter);
    m_deviceCount = filter->DeviceCount();
    const std::lock_guard<std::mutex> locker(m_deviceStateLock);
    for (auto device = m_deviceReach.begin(); device != m_deviceReach.end();)
        device = filter->HasDevice(device.key()) ? std::next(device) : m_deviceReach.erase(device);
    for (const QString& ip : filter->DeviceIps()) {
        if (!m_deviceReach.contains(ip))
            m_deviceReach.insert(ip, Reach::Unheard);
    }
    CountDeviceStates();
}

void AlarmHandler::ForgetDeviceStates()
{
    const std::lock_guard<std::mutex> locker(m_deviceStateLock);
    for (Reach& reach : m_deviceReach)
        reach = Reach::Unheard;
    CountDeviceStates();
}

void AlarmHandler::SetConnectDeviceThread(ConnectDeviceThread* thread)
{
    m_connectDeviceThread = thread;
}

void AlarmHandler::AddAlarm(AlarmRecord* record)
{
    if (!record)
        return;
    ++m_received;
    std::unique_lock<std::mutex> locker(m_handlerLock);
    if (m_queue.size() >= m_maxQueued) {
        ++m_dropped;
        ++m_droppedInRun;
        if (!std::exchange(m_dropping, true))
            qDebug().noquote() << QStringLiteral("The alarm handler's queue is full (%1 records): dropping records")
                                      .arg(m_queue.size());
        locker.unlock();
        AlarmRecordPool::Instance()->Release(record);
        return;
    }
    // The thread takes everything queued at once, so only the first record after a pause needs to wake it.
    if (m_queue.empty())
        m_queueGrown.notify_one();
    m_queue.push_back(record);
    ++m_queueLength;
    if (!isRunning() && !m_stopRequested)
        start(QThread::InheritPriority);
}

void AlarmHandler::AddStateRead(const DeviceStateRead& read)
{
    LogManager* logManager = m_logManager;
    if (logManager && std::atomic_load(&m_filter)->HasDevice(read.ip))
        logManager->Settle(read);
}

void AlarmHandler::CountDropped(quint64 count)
{
    m_dropped += count;
}

void AlarmHandler::NoteDeviceState(const AlarmRecord& record)
{
    // Counted as it changes: a storm of records is not a count over every device each time.
    const bool reachable = record.alarmType != AlarmTypeConnection || record.level == LevelNormal;
    const Reach reach = reachable ? Reach::Reachable : Reach::Lost;
    const std::lock_guard<std::mutex> locker(m_deviceStateLock);
    // Entered with the configuration; one configured since is entered here, unheard.
    Reach& known = m_deviceReach[record.ip];
    if (known == reach)
        return;
    if (known != Reach::Unheard)
        (known == Reach::Reachable ? m_reachableDeviceCount : m_lostDeviceCount) -= 1;
    known = reach;
    (reachable ? m_reachableDeviceCount : m_lostDeviceCount) += 1;
}

void AlarmHandler::CountDeviceStates()
{
    m_reachableDeviceCount = int(std::count(m_deviceReach.cbegin(), m_deviceReach.cend(), Reach::Reachable));
    m_lostDeviceCount = int(std::count(m_deviceReach.cbegin(), m_deviceReach.cend(), Reach::Lost));
}

void AlarmHandler::run()
{
    std::vector<AlarmRecord*> batch;
    for (;;) {
        {
            std::unique_lock<std::mutex> locker(m_handlerLock);
            m_queueGrown.wait(locker, [this] { return m_stopRequested || !m_queue.empty(); });
            if (m_stopRequested)
                return;
            batch.swap(m_queue);
            if (std::exchange(m_dropping, false))
                qDebug().noquote() << QStringLiteral("%1 alarm records were dropped while the alarm handler's queue "
                                                     "was full")
                                          .arg(std::exchange(m_droppedInRun, 0));
        }
        for (AlarmRecord* record : batch) {
            // A stop drops the rest of a storm rather than waiting for it to pass.
            if (m_stopRequested)
                AlarmRecordPool::Instance()->Release(record);
            else
                Route(record);
            --m_queueLength;
        }
        batch.clear();
        // A storm's batch would keep its room for good, and the queue it is swapped with next.
        if (batch.capacity() > KeptBatchCapacity)
            batch.shrink_to_fit();
    }
}

void AlarmHandler::Route(AlarmRecord* record)
{
    const bool decoded = record->alarmType != AlarmTypeNone;
    m_decoded += decoded ? 1 : 0;
    const std::shared_ptr<const AlarmFilter> filter = std::atomic_load(&m_filter);
    if (filter->HasDevice(record->ip))
        NoteDeviceState(*record);
    if (!filter->AcceptAndName(record)) {
        m_filtered += decoded ? 1 : 0;
        AlarmRecordPool::Instance()->Release(record);
        return;
    }

    // Consumers run without the lock so that a slow one never blocks the producers. The log comes first: a start of
    // an alarm whose row is still open carries that row's start on, so that the views and the acknowledgements name
    // the same occurrence as the log.
    if (LogManager* logManager = m_logManager) {
        const QDateTime rowStart = logManager->AddAlarm(record);
        if (rowStart.isValid() && record->level != LevelNormal)
            record->time = rowStart;
    }
    if (ShowAlarmManager* showAlarmManager = m_showAlarmManager)
        showAlarmManager->DealAlarm(record);
    if (SoundAlarmManager* soundAlarmManager = m_soundAlarmManager)
        soundAlarmManager->AppendAlarm(record);
    ConnectDeviceThread* connectDeviceThread = m_connectDeviceThread;
    if (connectDeviceThread && record->alarmType == AlarmTypeConnection && record->level == LevelNormal) {
        connectDeviceThread->AddIP(record->ip);
        qDebug() << "DEVICE_CONN_STATE";
    }
    AlarmRecordPool::Instance()->Release(record);
}
