#pragma once

#include <QMutex>
#include <QVector>

#include <memory>

class AlarmRecord;

// Recycles records so that the station's everyday traffic costs no allocation. The records it keeps are made together
// on first use; a burst beyond them takes records of its own, which go when they are released: kept instead, they
// would be scattered through the memory the burst used and keep it from going back to the system.
// A record taken with Acquire is only ever destroyed by the pool.
class AlarmRecordPool
{
public:
    static constexpr int KeptRecords = 200;

    AlarmRecordPool();
    ~AlarmRecordPool();
    AlarmRecordPool(const AlarmRecordPool&) = delete;
    AlarmRecordPool& operator=(const AlarmRecordPool&) = delete;

    static AlarmRecordPool* Instance();

    // May carry the values of the record's previous use; see AlarmRecord::Init.
    AlarmRecord* Acquire();
    void Release(AlarmRecord* record);

    int FreeCount() const;

private:
    bool IsKept(const AlarmRecord* record) const;

    // Never changed once made.
    const std::unique_ptr<AlarmRecord[]> m_kept;
    // Guards m_freeList.
    mutable QMutex m_freeListLock;
    QVector<AlarmRecord*> m_freeList;
};
