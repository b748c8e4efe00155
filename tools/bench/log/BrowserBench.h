#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The log browser's search, pages, export and delete on the seeded file log/alarm.db below appDir (seedDays days
// up to now), with the sqlite3 command-line tool and the offset batching as baselines.
// Runs script in the sqlite3 command-line tool on the file and returns the milliseconds it took; output, when
// given, receives what the tool printed.
double RunSqliteTool(const QString& databasePath, const QString& script, QByteArray* output = nullptr);
void RunBrowserBench(const QString& appDir, int seedDays, const QDateTime& now);
