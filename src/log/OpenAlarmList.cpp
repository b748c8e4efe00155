#include "log/OpenAlarmList.h"

#include "alarm/DeviceStateRead.h"

void OpenAlarmList::Reset(const std::vector<AlarmRecord>& rows)
{
    m_open.clear();
    for (const AlarmRecord& row : rows)
        m_open.insert(AlarmIdentityKey(row), Open{row, QDateTime()});
}

OpenAlarmList::Change OpenAlarmList::Pair(const AlarmRecord& record, AlarmRecord& row)
{
    const QString key = AlarmIdentityKey(record);
    const auto open = m_open.find(key);
    if (open == m_open.end()) {
        row = record;
        if (record.level == LevelNormal) {
            row.time = QDateTime();
            return Unchanged;
        }
        row.end_time = QDateTime();
        m_open.insert(key, Open{row, record.time});
        return Opened;
    }
    row = open->row;
    if (record.level != LevelNormal) {
        open->lastSeen = record.time;
        return Unchanged;
    }
    row.end_time = record.time;
    m_open.erase(open);
    return Ended;
}

void OpenAlarmList::Forget(const AlarmRecord& row)
{
    const auto open = m_open.find(AlarmIdentityKey(row));
    if (open != m_open.end() && open->row.time == row.time)
        m_open.erase(open);
}

std::vector<AlarmRecord> OpenAlarmList::Settle(const DeviceStateRead& read)
{
    std::vector<AlarmRecord> ended;
    const QString prefix = read.ip + QLatin1Char('.');
    for (auto open = m_open.lowerBound(prefix); open != m_open.end() && open.key().startsWith(prefix);) {
        const bool seenSince = open->lastSeen.isValid() && open->lastSeen >= read.started;
        if (seenSince || !read.asked.contains(open.key()) || read.active.contains(open.key())) {
            ++open;
            continue;
        }
        AlarmRecord row = open->row;
        row.end_time = read.finished;
        ended.push_back(row);
        open = m_open.erase(open);
    }
    return ended;
}

std::vector<AlarmRecord> OpenAlarmList::Rows() const
{
    std::vector<AlarmRecord> rows;
    rows.reserve(size_t(m_open.size()));
    for (const Open& open : m_open)
        rows.push_back(open.row);
    return rows;
}
