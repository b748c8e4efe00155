#pragma once

#include "alarm/AlarmRecord.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <vector>

class LogDatabase;

// What the log keeps beside alarm2, which it reads but whose schema it leaves alone: alarm_level holds the level of
// each row still open (alarm2 has no column for it), station_run one row per monitoring run with its start, its last
// sign of life and its clean stop. Every value is bound.
class LogStateTables
{
public:
    // A monitoring run as recorded: stop is null when the run did not stop cleanly (killed, power cut).
    struct Run
    {
        QDateTime start;
        QDateTime alive;
        QDateTime stop;
    };

    static bool Create(QSqlDatabase& database, QString& error);
    // The rows without an end time, newest per alarm identity, with their levels (0 when unknown) and their times as
    // local times. An older open row of an identity gets the start of the next newer one as its end.
    static bool TakeOpenRows(QSqlDatabase& database, std::vector<AlarmRecord>& rows, QString& error);
    // Once per alarm start and end, on the writer's connection; false with its error text.
    static bool SetLevel(LogDatabase& database, const QString& helpkey, int level);
    static bool ClearLevel(LogDatabase& database, const QString& helpkey);

    static bool StartRun(QSqlDatabase& database, const QDateTime& time, qint64& id, QString& error);
    static bool MarkAlive(QSqlDatabase& database, qint64 id, const QDateTime& time, QString& error);
    static bool StopRun(QSqlDatabase& database, qint64 id, const QDateTime& time, QString& error);
    // The runs that overlap from..to, in order, and the start of the first run ever recorded (null when none is);
    // times as wall-clock times in Qt::UTC date-times (see LogDatabase::WallTime).
    static bool LoadRuns(QSqlDatabase& database, const QDateTime& from, const QDateTime& to, std::vector<Run>& runs,
                         QDateTime& firstStart, QString& error);
};
