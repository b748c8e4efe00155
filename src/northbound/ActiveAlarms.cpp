#include "northbound/ActiveAlarms.h"

void ActiveAlarms::Apply(const std::vector<AlarmRecord>& logged, std::vector<AlarmRecord>* asAlerts)
{
    if (asAlerts)
        *asAlerts = logged;
    std::lock_guard<std::mutex> locker(m_alarmsLock);
    for (size_t i = 0; i < logged.size(); ++i) {
        const AlarmRecord& row = logged[i];
        const QString key = AlarmIdentityKey(row);
        const auto found = m_alarms.find(key);
        if (found != m_alarms.end()) {
            if (asAlerts && row.end_time.isValid())
                (*asAlerts)[i].level = found->level;
            (found->level == LevelError ? m_errors : m_warnings) -= 1;
            m_alarms.erase(found);
        }
        if (!row.end_time.isValid())
            Insert(key, row);
    }
    // Erasing leaves the table at its largest: after a storm's ends it would keep room for all the storm's alarms.
    if (m_alarms.capacity() > 8 * (m_alarms.size() + 64))
        m_alarms.squeeze();
}

void ActiveAlarms::Replace(const std::vector<AlarmRecord>& openRows)
{
    std::lock_guard<std::mutex> locker(m_alarmsLock);
    m_alarms.clear();
    m_errors = 0;
    m_warnings = 0;
    for (const AlarmRecord& row : openRows)
        Insert(AlarmIdentityKey(row), row);
}

std::vector<AlarmRecord> ActiveAlarms::Snapshot() const
{
    std::lock_guard<std::mutex> locker(m_alarmsLock);
    return std::vector<AlarmRecord>(m_alarms.cbegin(), m_alarms.cend());
}

void ActiveAlarms::Insert(const QString& key, const AlarmRecord& start)
{
    m_alarms.insert(key, start);
    (start.level == LevelError ? m_errors : m_warnings) += 1;
}
