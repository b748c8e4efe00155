#include "log/LogStateTables.h"

#include "log/LogDatabase.h"
#include "log/LogSql.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using LogSql::Exec;
using LogSql::Text;

bool LogStateTables::Create(QSqlDatabase& database, QString& error)
{
    return LogSql::ExecAll(
        database,
        {"CREATE TABLE IF NOT EXISTS [alarm_level] ( [helpkey] VARCHAR(100) PRIMARY KEY NOT NULL, [level] INTEGER "
         "NOT NULL )",
         "CREATE TABLE IF NOT EXISTS [station_run] ( [id] INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, [start_time] "
         "TIMESTAMP NOT NULL, [alive_time] TIMESTAMP NOT NULL, [stop_time] TIMESTAMP NULL )"},
        error);
}

bool LogStateTables::TakeOpenRows(QSqlDatabase& database, std::vector<AlarmRecord>& rows, QString& error)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    const QString statement = QStringLiteral(
        "SELECT a.id, a.start_time, a.ip, a.deviceName, a.portType, a.portID, a.trackID, a.signalName, a.alarmType, "
        "a.note, ifnull(l.level, 0) FROM alarm2 a LEFT JOIN alarm_level l ON l.helpkey = a.helpkey WHERE a.end_time "
        "IS NULL ORDER BY a.id");
    if (!Exec(query, statement, {}, error))
        return false;
    struct Older
    {
        qint64 id;
        QString helpkey;
        QDateTime end;
    };
    std::vector<Older> older;
    std::vector<qint64> ids;
    QHash<QString, size_t> newest;
    while (query.next()) {
        AlarmRecord row;
        LogSql::ReadAlarm(query, 1, row);
        row.level = query.value(10).toInt();
        const qint64 id = query.value(0).toLongLong();
        const QString key = AlarmIdentityKey(row);
        const auto found = newest.constFind(key);
        if (found == newest.cend()) {
            newest.insert(key, rows.size());
            rows.push_back(row);
            ids.push_back(id);
            continue;
        }
        older.push_back({ids[*found], AlarmHelpKey(rows[*found]), row.time});
        rows[*found] = row;
        ids[*found] = id;
    }
    if (older.empty())
        return true;
    query = QSqlQuery(database);
    if (!Exec(query, QStringLiteral("BEGIN IMMEDIATE"), {}, error))
        return false;
    for (const Older& row : older) {
        if (!Exec(query, QStringLiteral("UPDATE alarm2 SET end_time=? WHERE id=?"), {Text(row.end), row.id}, error) ||
            !Exec(query, QStringLiteral("DELETE FROM alarm_level WHERE helpkey=?"), {row.helpkey}, error)) {
            Exec(query, QStringLiteral("ROLLBACK"), {}, error);
            return false;
        }
    }
    return Exec(query, QStringLiteral("COMMIT"), {}, error);
}

bool LogStateTables::SetLevel(LogDatabase& database, const QString& helpkey, int level)
{
    return database.RunKept(QStringLiteral("INSERT OR REPLACE INTO alarm_level (helpkey, level) VALUES (?, ?)"),
                            {helpkey, level});
}

bool LogStateTables::ClearLevel(LogDatabase& database, const QString& helpkey)
{
    return database.RunKept(QStringLiteral("DELETE FROM alarm_level WHERE helpkey=?"), {helpkey});
}

bool LogStateTables::StartRun(QSqlDatabase& database, const QDateTime& time, qint64& id, QString& error)
{
    QSqlQuery query(database);
    if (!Exec(query, QStringLiteral("INSERT INTO station_run (start_time, alive_time) VALUES (?, ?)"),
              {Text(time), Text(time)}, error))
        return false;
    id = query.lastInsertId().toLongLong();
    return true;
}

bool LogStateTables::MarkAlive(QSqlDatabase& database, qint64 id, const QDateTime& time, QString& error)
{
    QSqlQuery query(database);
    return Exec(query, QStringLiteral("UPDATE station_run SET alive_time=? WHERE id=?"), {Text(time), id}, error);
}

bool LogStateTables::StopRun(QSqlDatabase& database, qint64 id, const QDateTime& time, QString& error)
{
    QSqlQuery query(database);
    return Exec(query, QStringLiteral("UPDATE station_run SET alive_time=?, stop_time=? WHERE id=?"),
                {Text(time), Text(time), id}, error);
}

bool LogStateTables::LoadRuns(QSqlDatabase& database, const QDateTime& from, const QDateTime& to,
                              std::vector<Run>& runs, QDateTime& firstStart, QString& error)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!Exec(query, QStringLiteral("SELECT min(start_time) FROM station_run"), {}, error))
        return false;
    firstStart =
        query.next() && !query.value(0).isNull() ? LogDatabase::WallTime(query.value(0).toString()) : QDateTime();
    // alive_time only grows and is at least the start, so a run overlaps the range when it starts before its end
    // and was last alive after its start.
    if (!Exec(query,
              QStringLiteral("SELECT start_time, alive_time, stop_time FROM station_run WHERE start_time < ? AND "
                             "alive_time > ? ORDER BY start_time"),
              {Text(to), Text(from)}, error))
        return false;
    while (query.next())
        runs.push_back({LogDatabase::WallTime(query.value(0).toString()),
                        LogDatabase::WallTime(query.value(1).toString()),
                        query.value(2).isNull() ? QDateTime() : LogDatabase::WallTime(query.value(2).toString())});
    return true;
}
