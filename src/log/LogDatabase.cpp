#include "log/LogDatabase.h"

#include "alarm/AlarmRecord.h"
#include "log/AlarmHandlingTables.h"
#include "log/LogSql.h"
#include "log/LogStateTables.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <atomic>

#include <sqlite3.h>

const QString LogDatabase::CreateTableStatement = QStringLiteral(
    "CREATE TABLE [alarm2] ( [id] INTEGER  PRIMARY KEY AUTOINCREMENT NOT NULL, [start_time] TIMESTAMP  NULL, "
    "[ip] VARCHAR(15)  NULL, [deviceName] VARCHAR(50)  NULL, [portType] INTEGER  NULL, [portID] INTEGER  NULL, "
    "[trackID] INTEGER  NULL, [signalName] VARCHAR(50)  NULL, [alarmType] INTEGER  NULL, [end_time] TIMESTAMP  "
    "NULL, [note] VARCHAR(300)  NULL, [helpkey] VARCHAR(50)  NULL )");

const QString LogDatabase::TimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");

namespace {
// The end-time update looks a row up by helpkey, and the purge and the browser's time filter compare
// datetime(start_time); without these both scan the whole table. The report finds the alarms still running when
// its period began by their end (or its absence), among the few rows that end late, not the many that start early.
const char* const IndexStatements[] = {
    "CREATE INDEX IF NOT EXISTS [alarm2_helpkey] ON [alarm2] ([helpkey])",
    "CREATE INDEX IF NOT EXISTS [alarm2_start_datetime] ON [alarm2] (datetime([start_time]))",
    // The open rows are read at every opening; in a log of millions of rows they are a handful.
    "CREATE INDEX IF NOT EXISTS [alarm2_open] ON [alarm2] ([id]) WHERE [end_time] IS NULL",
    // The latched alarms are the last occurrence of each alarm, when it ended unacknowledged.
    "CREATE INDEX IF NOT EXISTS [alarm2_identity] ON [alarm2] ([ip], [portType], [portID], [trackID], [alarmType], "
    "[id])",
    // The alarms still running when a report's period begins are found by their end.
    "CREATE INDEX IF NOT EXISTS [alarm2_end_time] ON [alarm2] ([end_time])",
};

// Virtual machine steps between two looks at the cancel flag: a fraction of a millisecond.
constexpr int CancelCheckSteps = 10000;

int StopWhenCancelled(void* cancelled)
{
    return static_cast<const std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

// WAL lets the browser read while the writer commits, and a commit is one append to the journal. With
// synchronous=FULL a committed alarm survives a killed process and a power cut alike; the writer commits in
// batches, so the one flush per commit costs little.
// A page cache of 16 MB holds the upper levels of the indexes of a million-row table.
const char* const ConnectionPragmas[] = {
    "PRAGMA journal_mode=WAL",
    "PRAGMA synchronous=FULL",
    "PRAGMA cache_size=-16384",
};

QString NextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("alarm_log_%1").arg(++counter);
}
} // namespace

// Reading the texts as local time would also ask the C library for the time zone twice a row, which dominates a
// long export; the station's own shape is read digit by digit, texts of another shape go through Qt's parser.
bool LogDatabase::WallClock(const QString& text, QDate& date, QTime& time)
{
    static const int digits[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 22};
    const auto number = [&text](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i)
            value = value * 10 + text[i].digitValue();
        return value;
    };
    bool wellFormed = text.size() == 23;
    for (int i = 0; wellFormed && i < int(sizeof(digits) / sizeof(digits[0])); ++i)
        wellFormed = text[digits[i]].isDigit();
    if (wellFormed) {
        date = QDate(number(0, 4), number(5, 2), number(8, 2));
        time = QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
    } else {
        const QDateTime parsed = QDateTime::fromString(text, TimeFormat);
        date = parsed.date();
        time = parsed.time();
    }
    return date.isValid() && time.isValid();
}

bool LogDatabase::WallMs(const QString& text, qint64& milliseconds)
{
    QDate date;
    QTime time;
    if (!WallClock(text, date, time))
        return false;
    milliseconds = (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 86400000 + time.msecsSinceStartOfDay();
    return true;
}

QDateTime LogDatabase::WallTime(const QString& text)
{
    QDate date;
    QTime time;
    return WallClock(text, date, time) ? QDateTime(date, time, Qt::UTC) : QDateTime();
}

LogDatabase::LogDatabase() : m_connectionName(NextConnectionName()) {}

LogDatabase::~LogDatabase()
{
    Discard();
}

void LogDatabase::Discard()
{
    if (!m_database.isValid())
        return;
    m_kept.clear();
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool LogDatabase::Open(const QString& path, int busyTimeout)
{
    if (m_database.isOpen()) {
        SetErrorString(QStringLiteral("database is already opened"));
        return false;
    }
    // SQLite makes a new log writable by its creator alone, whatever the umask, and its journals take the log's
    // mode; made here, the log follows the umask, which lets the next operator of the console write it.
    if (!QFileInfo::exists(path))
        QFile(path).open(QIODevice::WriteOnly);
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_database.setDatabaseName(path);
    // The writer and the browser take turns at the file.
    m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout));
    if (!m_database.open()) {
        SetErrorString(m_database.lastError().text());
        Discard();
        return false;
    }
    if (!m_database.tables(QSql::Tables).contains(QStringLiteral("alarm2"))) {
        QSqlQuery create(m_database);
        if (!create.exec(CreateTableStatement)) {
            SetErrorString(create.lastError().text());
            create = QSqlQuery();
            Discard();
            return false;
        }
    }
    // A file that cannot take them cannot take alarms either. Made only when missing, so that opening an existing
    // log writes nothing.
    const QStringList tables = m_database.tables(QSql::Tables);
    QString error;
    const bool created =
        ((tables.contains(QStringLiteral("alarm_ack")) && tables.contains(QStringLiteral("alarm_shelf"))) ||
         AlarmHandlingTables::Create(m_database, error)) &&
        ((tables.contains(QStringLiteral("alarm_level")) && tables.contains(QStringLiteral("station_run"))) ||
         LogStateTables::Create(m_database, error));
    if (!created) {
        SetErrorString(error);
        Discard();
        return false;
    }
    // The log works without them, only slower; a table brought from elsewhere may lack the columns.
    QSqlQuery setup(m_database);
    for (const char* statement : ConnectionPragmas)
        if (!setup.exec(QLatin1String(statement)))
            qDebug() << statement << setup.lastError().text();
    for (const char* statement : IndexStatements)
        if (!setup.exec(QLatin1String(statement)))
            qDebug() << statement << setup.lastError().text();
    return true;
}

void LogDatabase::StopWhen(const std::atomic<bool>* cancelled)
{
    const QVariant handle = m_database.isOpen() ? m_database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    if (connection)
        sqlite3_progress_handler(connection, CancelCheckSteps, cancelled ? &StopWhenCancelled : nullptr,
                                 const_cast<std::atomic<bool>*>(cancelled));
}

void LogDatabase::ReleaseMemory()
{
    if (m_database.isOpen())
        QSqlQuery(m_database).exec(QStringLiteral("PRAGMA shrink_memory"));
}

bool LogDatabase::Run(QSqlQuery& query, const QString& statement, const QVariantList& values)
{
    return query.prepare(statement) ? Execute(query, values) : Failed(query);
}

bool LogDatabase::Execute(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    m_busy = false;
    return query.exec() || Failed(query);
}

bool LogDatabase::Failed(const QSqlQuery& query)
{
    // SQLITE_BUSY: the other connection held the write lock for longer than this one waits.
    m_busy = query.lastError().nativeErrorCode() == QLatin1String("5");
    SetErrorString(query.lastError().text());
    return false;
}

bool LogDatabase::RunKept(const QString& statement, const QVariantList& values, int* changedRows)
{
    auto kept = m_kept.find(statement);
    if (kept == m_kept.end()) {
        QSqlQuery query(m_database);
        if (!query.prepare(statement))
            return Failed(query);
        kept = m_kept.insert(statement, query);
    }
    const bool ok = Execute(*kept, values);
    if (changedRows)
        *changedRows = ok ? kept->numRowsAffected() : 0;
    // Reset, so that the kept statement holds nothing of the file between two runs.
    kept->finish();
    return ok;
}

bool LogDatabase::DeleteBefore(unsigned daysToKeep, const QDate& today)
{
    const QString statement = QStringLiteral("delete from alarm2 where datetime(start_time) < datetime(?)");
    const QString cutOff = today.addDays(-qint64(daysToKeep)).toString(Qt::ISODate);
    qDebug() << statement << cutOff;
    QString error;
    if (!AlarmHandlingTables::Purge(m_database, cutOff, error)) {
        SetErrorString(error);
        return false;
    }
    QSqlQuery query(m_database);
    return Run(query, statement, {cutOff});
}

bool LogDatabase::Delete(const LogClause& where)
{
    const QString statement = where.text.isEmpty() ? QStringLiteral("delete from alarm2")
                                                   : QStringLiteral("delete from alarm2 %1").arg(where.text);
    qDebug() << statement << where.values;
    QSqlQuery query(m_database);
    return Run(query, statement, where.values);
}

unsigned LogDatabase::GetMaxId(const LogClause& where)
{
    const QString statement =
        where.text.isEmpty() ? QStringLiteral("select id from alarm2 order by id desc limit 0,1")
                             : QStringLiteral("select id from alarm2 %1 order by id desc limit 0,1").arg(where.text);
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!Run(query, statement, where.values) || query.record().count() != 1 || !query.next())
        return 0;
    return query.value(0).toUInt();
}

bool LogDatabase::Insert(const AlarmRecord& record)
{
    const QString statement = QStringLiteral(
        "INSERT INTO alarm2 (start_time,ip,deviceName,portType,portID,trackID,signalName,alarmType,note,helpkey) "
        "VALUES (?,?,?,?,?,?,?,?,?,?)");
    return RunKept(statement, {LogSql::Text(record.time), record.ip, record.deviceName, record.portType, record.portID,
                               record.trackID, record.signalName, record.alarmType, record.note, AlarmHelpKey(record)});
}

int LogDatabase::Select(const LogClause& where, const QList<AlarmRecord*>& records)
{
    if (where.text.isEmpty() || records.isEmpty())
        return 0;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    // The columns by name, without the helpkey that nobody reads back.
    const QString columns =
        QStringLiteral("id,start_time,ip,deviceName,portType,portID,trackID,signalName,alarmType,end_time,note");
    if (!Run(query, QStringLiteral("select %1 from alarm2 %2").arg(columns, where.text), where.values))
        return -1;
    int filled = 0;
    while (filled < records.size() && query.next()) {
        AlarmRecord* record = records[filled++];
        record->time = WallTime(query.value(1).toString());
        record->ip = query.value(2).toString();
        record->deviceName = query.value(3).toString();
        record->portType = query.value(4).toInt();
        record->portID = query.value(5).toInt();
        record->trackID = query.value(6).toInt();
        record->signalName = query.value(7).toString();
        record->alarmType = query.value(8).toInt();
        const QVariant endTime = query.value(9);
        record->end_time = endTime.isNull() ? QDateTime() : WallTime(endTime.toString());
        record->note = query.value(10).toString();
    }
    return filled;
}

bool LogDatabase::GetPages(const LogClause& where, int pageSize, Pages& pages)
{
    // One pass in SQLite: the first row of every page, and the last row, which also carries the count.
    const QString statement =
        QStringLiteral(
            "select id, n, next is null from (select id, row_number() over w as n, lead(id) over w as next from alarm2 "
            "%1 window w as (order by id desc)) where (n - 1) % ? = 0 or next is null")
            .arg(where.text);
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!Run(query, statement, where.values + QVariantList{pageSize}))
        return false;
    pages = Pages();
    while (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        const qint64 n = query.value(1).toLongLong();
        if ((n - 1) % pageSize == 0)
            pages.firstIds.append(id);
        if (query.value(2).toBool()) {
            pages.lastId = id;
            pages.count = n;
        }
    }
    if (query.lastError().isValid()) {
        SetErrorString(query.lastError().text());
        return false;
    }
    return true;
}

unsigned LogDatabase::GetCount(const LogClause& where)
{
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!Run(query, QStringLiteral("select count(*) from alarm2 %1").arg(where.text), where.values) || !query.next())
        return 0;
    return query.value(0).toUInt();
}

bool LogDatabase::ForEachRow(const QString& statement, const QVariantList& values,
                             const std::function<bool(const QSqlQuery& query)>& row)
{
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!Run(query, statement, values))
        return false;
    while (query.next())
        if (!row(query))
            return true;
    if (query.lastError().isValid()) {
        SetErrorString(query.lastError().text());
        return false;
    }
    return true;
}

bool LogDatabase::UpdateEndTime(const QString& helpkey, const QString& endTime, int* changedRows)
{
    return RunKept(QStringLiteral("UPDATE alarm2 SET end_time=? WHERE helpkey=?"), {endTime, helpkey}, changedRows);
}

bool LogDatabase::InsertAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledgements)
{
    QString error;
    if (AlarmHandlingTables::InsertAcknowledgements(m_database, acknowledgements, error))
        return true;
    SetErrorString(error);
    return false;
}

bool LogDatabase::WriteShelf(const AlarmShelf& shelf)
{
    QString error;
    if (AlarmHandlingTables::WriteShelf(m_database, shelf, error))
        return true;
    SetErrorString(error);
    return false;
}

bool LogDatabase::LoadHandling(const QDateTime& now, QList<AlarmAcknowledgement>& openAcknowledgements,
                               QList<AlarmShelf>& shelves, QList<AlarmRecord>* unacknowledgedEnds)
{
    QString error;
    if (AlarmHandlingTables::LoadOpenAcknowledgements(m_database, openAcknowledgements, error) &&
        AlarmHandlingTables::LoadShelves(m_database, now, shelves, error) &&
        (!unacknowledgedEnds || AlarmHandlingTables::LoadUnacknowledgedEnds(m_database, *unacknowledgedEnds, error)))
        return true;
    SetErrorString(error);
    return false;
}

bool LogDatabase::SelectAcknowledgements(const QList<AlarmRecord*>& rows, int count, QStringList& times,
                                         QStringList& notes)
{
    QString error;
    if (AlarmHandlingTables::LoadAcknowledgements(m_database, rows, count, times, notes, error))
        return true;
    SetErrorString(error);
    return false;
}

bool LogDatabase::Run(const std::function<bool(QSqlDatabase& database, QString& error)>& operation)
{
    QString error;
    if (operation(m_database, error))
        return true;
    SetErrorString(error);
    return false;
}

bool LogDatabase::BeginBatch()
{
    // IMMEDIATE takes the write lock at once, so a concurrent writer makes this wait instead of failing midway.
    QSqlQuery query(m_database);
    return Run(query, QStringLiteral("BEGIN IMMEDIATE"));
}

bool LogDatabase::CommitBatch()
{
    QSqlQuery query(m_database);
    if (Run(query, QStringLiteral("COMMIT")))
        return true;
    RollbackBatch();
    return false;
}

void LogDatabase::RollbackBatch()
{
    // After an automatic rollback there is no transaction left, and this one fails harmlessly.
    const QString error = GetErrorString();
    QSqlQuery query(m_database);
    Run(query, QStringLiteral("ROLLBACK"));
    SetErrorString(error);
}
