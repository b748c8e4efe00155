#include "views/AlarmHistory.h"

#include "alarm/AlarmRecord.h"

void AlarmHistory::Store(Entry& entry, const AlarmRecord& record)
{
    entry.time = record.time;
    entry.end = record.end_time;
    entry.deviceName = record.deviceName;
    entry.signalName = record.signalName;
    entry.note = record.note;
    entry.portID = record.portID;
    entry.trackID = record.trackID;
    entry.portType = qint16(record.portType);
    entry.alarmType = qint16(record.alarmType);
    entry.level = qint16(record.level);
}

void AlarmHistory::PushNewest(const AlarmRecord& record)
{
    if (!m_entries)
        m_entries = std::make_unique<Entry[]>(Limit);
    m_newest = (m_newest + Limit - 1) % Limit;
    m_size = qMin(m_size + 1, Limit);
    Store(At(0), record);
}

void AlarmHistory::AppendOldest(const AlarmRecord& record)
{
    if (m_size == Limit)
        return;
    if (!m_entries)
        m_entries = std::make_unique<Entry[]>(Limit);
    Store(At(m_size++), record);
}

void AlarmHistory::Clear()
{
    m_entries.reset();
    m_newest = 0;
    m_size = 0;
}

void AlarmHistory::CopyTo(const QString& ip, QList<AlarmRecord>& out) const
{
    for (int i = 0; i < m_size; ++i) {
        const Entry& entry = At(i);
        AlarmRecord record;
        record.time = entry.time;
        record.ip = ip;
        record.deviceName = entry.deviceName;
        record.signalName = entry.signalName;
        record.portType = entry.portType;
        record.portID = entry.portID;
        record.trackID = entry.trackID;
        record.alarmType = entry.alarmType;
        record.level = entry.level;
        record.end_time = entry.end;
        record.note = entry.note;
        out.append(record);
    }
}
