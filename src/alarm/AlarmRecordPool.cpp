#include "alarm/AlarmRecordPool.h"

#include "alarm/AlarmRecord.h"

#include <QMutexLocker>

AlarmRecordPool::~AlarmRecordPool()
{
    qDeleteAll(m_freeList);
}

AlarmRecordPool* AlarmRecordPool::Instance()
{
    // Initialised once even when two threads ask first at the same time; never destroyed, so that a worker
    // thread still returning records during process exit never meets a dead pool.
    static AlarmRecordPool* const pool = new AlarmRecordPool;
    return pool;
}

AlarmRecord* AlarmRecordPool::Acquire()
{
    QMutexLocker locker(&m_freeListLock);
    if (m_freeList.isEmpty()) {
        for (int i = 0; i < GrowStep; ++i)
            m_freeList.append(new AlarmRecord);
    }
    return m_freeList.takeFirst();
}

void AlarmRecordPool::Release(AlarmRecord* record)
{
    if (!record)
        return;
    QMutexLocker locker(&m_freeListLock);
    if (m_freeList.size() >= RetentionCap) {
        locker.unlock();
        delete record;
        return;
    }
    m_freeList.append(record);
}

int AlarmRecordPool::FreeCount() const
{
    QMutexLocker locker(&m_freeListLock);
    return m_freeList.size();
}
