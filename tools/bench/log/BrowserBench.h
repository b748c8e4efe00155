#pragma once

#include <QDateTime>
#include <QString>

// The log browser's search, pages, export and delete on the seeded file log/alarm.db below appDir (seedDays days
// up to now), with the sqlite3 command-line tool and the offset batching as baselines.
void RunBrowserBench(const QString& appDir, int seedDays, const QDateTime& now);
