#pragma once

#include "alarm/AlarmRecord.h"

#include <QHash>
#include <QString>

#include <atomic>
#include <mutex>
#include <vector>

// The alarms whose start the log has written and whose end it has not, one per alarm identity key: what the
// Alertmanager senders re-send and what the metrics count. Each opening of the log starts it from the rows the file
// holds open, with the levels the log keeps beside them.
class ActiveAlarms
{
public:
    // Log writer's thread, with each committed batch (see LoggedHandler). When asAlerts is given, it receives the
    // batch with each end carrying the level of the start it ends, so that an end names the same alert.
    void Apply(const std::vector<AlarmRecord>& logged, std::vector<AlarmRecord>* asAlerts = nullptr);
    // Log writer's thread, before it writes anything: the alarms open in the log replace what was known.
    void Replace(const std::vector<AlarmRecord>& openRows);
    std::vector<AlarmRecord> Snapshot() const;

    // Lock-free. An unknown level counts as a warning, as it does for the receivers.
    int ErrorCount() const { return m_errors; }
    int WarningCount() const { return m_warnings; }

private:
    void Insert(const QString& key, const AlarmRecord& start);

    // Guards m_alarms; the counts beside it change under it too.
    mutable std::mutex m_alarmsLock;
    QHash<QString, AlarmRecord> m_alarms;
    std::atomic<int> m_errors{0};
    std::atomic<int> m_warnings{0};
};
