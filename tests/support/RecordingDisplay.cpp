#include "RecordingDisplay.h"

#include <QMutexLocker>

void RecordingDisplay::DealAlarm(const AlarmRecord* record)
{
    QMutexLocker locker(&m_recordsLock);
    if (record->level == MarkerLevel)
        ++m_markers;
    else
        m_records.append(*record);
}

QList<AlarmRecord> RecordingDisplay::Records() const
{
    QMutexLocker locker(&m_recordsLock);
    return m_records;
}

int RecordingDisplay::Markers() const
{
    QMutexLocker locker(&m_recordsLock);
    return m_markers;
}
