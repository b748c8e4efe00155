#include "alarm/AlarmHandler.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/ShowAlarmManager.h"
#include "alarm/SoundAlarmManager.h"
#include "log/LogManager.h"
#include "snmp/ConnectDeviceThread.h"

#include <QDebug>
#include <QMutexLocker>

AlarmHandler::~AlarmHandler()
{
    m_stopRequested = true;
    m_queued.release();
    wait();
    QMutexLocker locker(&m_handlerLock);
    for (AlarmRecord* record : qAsConst(m_queue))
        AlarmRecordPool::Instance()->Release(record);
    m_queue.clear();
}

void AlarmHandler::SetLogManager(LogManager* manager)
{
    QMutexLocker locker(&m_handlerLock);
    m_logManager = manager;
}

void AlarmHandler::SetShowAlarmManager(ShowAlarmManager* manager)
{
    QMutexLocker locker(&m_handlerLock);
    m_showAlarmManager = manager;
}

void AlarmHandler::SetSoundAlarmManager(SoundAlarmManager* manager)
{
    QMutexLocker locker(&m_handlerLock);
    m_soundAlarmManager = manager;
}

void AlarmHandler::SetConnectDeviceThread(ConnectDeviceThread* thread)
{
    QMutexLocker locker(&m_handlerLock);
    m_connectDeviceThread = thread;
}

void AlarmHandler::AddAlarm(AlarmRecord* record)
{
    if (!record)
        return;
    QMutexLocker locker(&m_handlerLock);
    m_queue.append(record);
    m_queued.release();
    if (!isRunning() && !m_stopRequested)
        start(QThread::InheritPriority);
}

bool AlarmHandler::AcceptAndName(AlarmRecord* record)
{
    switch (record->alarmType) {
    case AlarmTypeNone:
    case AlarmTypeFan:
    case AlarmTypePower:
        return false;
    default:
        return true;
    }
}

void AlarmHandler::run()
{
    while (!m_stopRequested) {
        m_queued.acquire();

        QMutexLocker locker(&m_handlerLock);
        if (m_queue.isEmpty())
            continue;
        AlarmRecord* record = m_queue.takeFirst();
        if (!AcceptAndName(record)) {
            locker.unlock();
            AlarmRecordPool::Instance()->Release(record);
            continue;
        }
        ShowAlarmManager* showAlarmManager = m_showAlarmManager;
        SoundAlarmManager* soundAlarmManager = m_soundAlarmManager;
        LogManager* logManager = m_logManager;
        ConnectDeviceThread* connectDeviceThread = m_connectDeviceThread;
        locker.unlock();

        // Consumers run without the lock so that a slow one never blocks the producers.
        if (showAlarmManager)
            showAlarmManager->DealAlarm(record);
        if (soundAlarmManager)
            soundAlarmManager->AppendAlarm(record);
        if (logManager)
            logManager->AddAlarm(record);
        if (connectDeviceThread && record->alarmType == AlarmTypeConnection && record->level == LevelNormal) {
            connectDeviceThread->AddIP(record->ip);
            qDebug() << "DEVICE_CONN_STATE";
        }
        AlarmRecordPool::Instance()->Release(record);
    }
}
