#include "views/AlarmHistory.h"

#include "alarm/AlarmRecord.h"

namespace {
// What an entry keeps of a record, either way; the address is its device's.
template <typename From, typename To> void CopyKept(const From& from, To& to)
{
    to.time = from.time;
    to.end_time = from.end_time;
    to.deviceName = from.deviceName;
    to.signalName = from.signalName;
    to.note = from.note;
    to.portID = from.portID;
    to.trackID = from.trackID;
    to.portType = static_cast<decltype(to.portType)>(from.portType);
    to.alarmType = static_cast<decltype(to.alarmType)>(from.alarmType);
    to.level = static_cast<decltype(to.level)>(from.level);
}
} // namespace

void AlarmHistory::PushNewest(const AlarmRecord& record)
{
    if (!m_entries)
        m_entries = std::make_unique<Entry[]>(Limit);
    m_newest = (m_newest + Limit - 1) % Limit;
    m_size = qMin(m_size + 1, Limit);
    CopyKept(record, At(0));
}

void AlarmHistory::AppendOldest(const AlarmRecord& record)
{
    if (m_size == Limit)
        return;
    if (!m_entries)
        m_entries = std::make_unique<Entry[]>(Limit);
    CopyKept(record, At(m_size++));
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
        AlarmRecord record;
        record.ip = ip;
        CopyKept(At(i), record);
        out.append(record);
    }
}
