#pragma once

#include <QList>
#include <QMutex>

class AlarmRecord;

// Recycles records so that a burst of traps costs no allocation once the pool is warm.
// A record taken with Acquire is only ever destroyed by the pool.
class AlarmRecordPool
{
public:
    static constexpr int GrowStep = 15;
    static constexpr int RetentionCap = 200;

    AlarmRecordPool() = default;
    ~AlarmRecordPool();
    AlarmRecordPool(const AlarmRecordPool&) = delete;
    AlarmRecordPool& operator=(const AlarmRecordPool&) = delete;

    static AlarmRecordPool* Instance();

    // May carry the values of the record's previous use; see AlarmRecord::Init.
    AlarmRecord* Acquire();
    void Release(AlarmRecord* record);

    int FreeCount() const;

private:
    mutable QMutex m_freeListLock;
    QList<AlarmRecord*> m_freeList;
};
