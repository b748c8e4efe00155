#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmShelf.h"
#include "config/Ox_ClassWithErrorString.h"
#include "log/LogClause.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>
#include <vector>

class AlarmRecord;

// The alarm log file, log/alarm.db: one row of table alarm2 per alarm occurrence.
// Each object is its own SQLite connection to the file, and a connection belongs to the thread that opened it:
// the log writer's thread and the GUI thread each have their own object on the same file.
class LogDatabase : public Ox_ClassWithErrorString
{
public:
    static const QString CreateTableStatement;
    static const QString TimeFormat;

    // Where each page of a result begins, so that any page is read by an id range instead of skipping rows.
    struct Pages
    {
        // The id of the first row of each page, newest first.
        QVector<qint64> firstIds;
        qint64 lastId = 0;
        qint64 count = 0;
    };

    // The stored texts carry no zone, so they are read back as wall-clock times: kept in a UTC date-time, which no
    // daylight saving shifts, or as milliseconds since 1970-01-01 00:00 of that clock. False, or a null date-time,
    // for a text that is no time.
    static bool WallMs(const QString& text, qint64& milliseconds);
    static QDateTime WallTime(const QString& text);

    LogDatabase();
    ~LogDatabase() override;
    LogDatabase(const LogDatabase&) = delete;
    LogDatabase& operator=(const LogDatabase&) = delete;

    // How long a statement waits for the other connection's write lock. The writer waits long rather than lose a
    // batch; the window waits briefly and tries again after it has painted.
    static constexpr int WriterBusyTimeout = 30000;
    static constexpr int WindowBusyTimeout = 100;

    // Creates the file and the table when they are missing; an existing table is used as it is.
    bool Open(const QString& path, int busyTimeout = WriterBusyTimeout);

    // Removes the rows that started before 00:00 of (today - daysToKeep), their acknowledgements, and the shelves
    // that were over by then.
    bool DeleteBefore(unsigned daysToKeep, const QDate& today);
    bool Delete(const LogClause& where);
    // Whether the last failed statement found the other connection writing; it changed nothing then.
    bool WasBusy() const { return m_busy; }
    // 0 when nothing matches or the statement fails.
    unsigned GetMaxId(const LogClause& where);
    bool Insert(const AlarmRecord& record);
    // Fills records in row order (time, ip, deviceName, portType, portID, trackID, signalName, alarmType,
    // end_time, note; level untouched; the two times as wall-clock times in a Qt::UTC date-time) and returns how many
    // it filled, -1 when the statement fails. An empty clause or list reads nothing.
    int Select(const LogClause& where, const QList<AlarmRecord*>& records);
    // The rows matching the clause, newest first, cut into pages of pageSize; false when the statement fails.
    bool GetPages(const LogClause& where, int pageSize, Pages& pages);
    unsigned GetCount(const LogClause& where);
    // Runs a select and hands each result row to row, until the rows run out or row returns false. False, with the
    // statement's error text, when the statement fails.
    bool ForEachRow(const QString& statement, const QVariantList& values,
                    const std::function<bool(const QSqlQuery& query)>& row);
    // Gives the page cache back to the heap: after a burst, a cache filled by it would otherwise stay.
    void ReleaseMemory();
    // From now on a statement of this connection fails as soon as cancelled turns true, even one that has not yet
    // found a row; null lets them run again. The flag must outlive the setting.
    void StopWhen(const std::atomic<bool>* cancelled);
    // A helpkey that matches no row is not a failure; changedRows, when given, tells how many rows got the time.
    bool UpdateEndTime(const QString& helpkey, const QString& endTime, int* changedRows = nullptr);
    // Runs a statement that comes with every alarm: prepared on the first run and kept with this connection, bound
    // anew each time. changedRows, when given, tells how many rows it changed.
    bool RunKept(const QString& statement, const QVariantList& values, int* changedRows = nullptr);

    // Everything between the two lands in the file in one commit, or not at all.
    bool BeginBatch();
    // A commit that fails rolls the batch back.
    bool CommitBatch();
    // Undoes everything since BeginBatch; the error text of the failure that led here is kept.
    void RollbackBatch();
    // The connection itself, for settings of the connection that the log does not make (tests limit its size).
    QSqlDatabase Connection() const { return m_database; }

    // The operator's acknowledgements and shelves, in their tables beside alarm2 (AlarmHandlingTables); false with
    // the statement's error text.
    bool InsertAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledgements);
    bool WriteShelf(const AlarmShelf& shelf);
    bool LoadHandling(const QDateTime& now, QList<AlarmAcknowledgement>& openAcknowledgements,
                      QList<AlarmShelf>& shelves, QList<AlarmRecord>* unacknowledgedEnds = nullptr);
    // The acknowledgement of each of the first count rows: time and note, empty for none.
    bool SelectAcknowledgements(const QList<AlarmRecord*>& rows, int count, QStringList& times, QStringList& notes);
    // Runs an operation of the tables beside alarm2 (LogStateTables) on this connection; its error text becomes
    // this object's.
    bool Run(const std::function<bool(QSqlDatabase& database, QString& error)>& operation);

private:
    // The date and the time of day a stored text shows; false for a text that is no time.
    static bool WallClock(const QString& text, QDate& date, QTime& time);
    // Prepares, binds the values in order and executes; on failure the statement's error text is kept.
    bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values = {});
    // Binds the values in order and executes a prepared statement; on failure its error text is kept.
    bool Execute(QSqlQuery& query, const QVariantList& values);
    // Keeps the statement's error text, and whether it found the other connection writing.
    bool Failed(const QSqlQuery& query);
    void Discard();

    QString m_connectionName;
    QSqlDatabase m_database;
    // RunKept's statements by their text; they go before the connection closes.
    QHash<QString, QSqlQuery> m_kept;
    bool m_busy = false;
};
