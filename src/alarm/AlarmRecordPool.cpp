#include "alarm/AlarmRecordPool.h"

#include "alarm/AlarmRecord.h"

#include <QMutexLocker>

#include <functional>

AlarmRecordPool::AlarmRecordPool() : m_kept(std::make_unique<AlarmRecord[]>(KeptRecords))
{
    m_freeList.reserve(KeptRecords);
    for (int i = 0; i < KeptRecords; ++i)
        m_freeList.append(&m_kept[i]);
}

AlarmRecordPool::~AlarmRecordPool() = default;

AlarmRecordPool* AlarmRecordPool::Instance()
{
    // Initialised once even when two threads ask first at the same time; never destroyed, so that a worker
    // thread still returning records during process exit never meets a dead pool.
    static AlarmRecordPool* const pool = new AlarmRecordPool;
    return pool;
}

AlarmRecord* AlarmRecordPool::Acquire()
{
    {
        QMutexLocker locker(&m_freeListLock);
        if (!m_freeList.isEmpty())
            return m_freeList.takeLast();
    }
    return new AlarmRecord;
}

bool AlarmRecordPool::IsKept(const AlarmRecord* record) const
{
    const std::less_equal<const AlarmRecord*> notAfter;
    return notAfter(m_kept.get(), record) && notAfter(record, &m_kept[KeptRecords - 1]);
}

void AlarmRecordPool::Release(AlarmRecord* record)
{
    if (!record)
        return;
    if (!IsKept(record)) {
        delete record;
        return;
    }
    QMutexLocker locker(&m_freeListLock);
    m_freeList.append(record);
}

int AlarmRecordPool::FreeCount() const
{
    QMutexLocker locker(&m_freeListLock);
    return m_freeList.size();
}
