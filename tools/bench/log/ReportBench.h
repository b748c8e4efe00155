#pragma once

#include <QDateTime>
#include <QString>

// The alarm report over the seeded file log/alarm.db below appDir: the 30-day figures beside the sqlite3 tool
// computing the same sums, the last 24 hours of the 100-day log, the timeline's painting, and the window on screen
// while alarms are logged.
void RunReportBench(const QString& appDir, const QDateTime& now);
