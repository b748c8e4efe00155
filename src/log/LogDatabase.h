#pragma once

#include "config/Ox_ClassWithErrorString.h"
#include "log/LogClause.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

class AlarmRecord;
class QSqlQuery;

// The alarm log file, log/alarm.db: one row of table alarm2 per alarm occurrence.
// Each object is its own SQLite connection to the file, and a connection belongs to the thread that opened it:
// the log writer's thread and the GUI thread each have their own object on the same file.
class LogDatabase : public Ox_ClassWithErrorString
{
public:
    static const QString CreateTableStatement;
    static const QString TimeFormat;

    LogDatabase();
    ~LogDatabase() override;
    LogDatabase(const LogDatabase&) = delete;
    LogDatabase& operator=(const LogDatabase&) = delete;

    // Creates the file and the table when they are missing; an existing table is used as it is.
    bool Open(const QString& path);

    // Removes the rows that started before 00:00 of (today - daysToKeep).
    void DeleteBefore(unsigned daysToKeep, const QDate& today);
    void Delete(const LogClause& where);
    // 0 when nothing matches or the statement fails.
    unsigned GetMaxId(const LogClause& where);
    bool Insert(const AlarmRecord& record);
    // Fills records in row order (time, ip, deviceName, portType, portID, trackID, signalName, alarmType,
    // end_time, note; level untouched) and returns how many it filled. An empty clause or list reads nothing.
    int Select(const LogClause& where, const QList<AlarmRecord*>& records);
    unsigned GetCount(const LogClause& where);
    // A helpkey that matches no row is not a failure; changedRows, when given, tells how many rows got the time.
    bool UpdateEndTime(const QString& helpkey, const QString& endTime, int* changedRows = nullptr);

    // Everything between the two lands in the file in one commit, or not at all.
    bool BeginBatch();
    bool CommitBatch();

private:
    // Prepares, binds the values in order and executes; on failure the statement's error text is kept.
    bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values = {});
    void Discard();

    QString m_connectionName;
    QSqlDatabase m_database;
};
