#include "log/LogWriteThread.h"

#include "log/LogDatabase.h"
#include "log/LogSql.h"
#include "log/LogStateTables.h"

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>

#include <sys/resource.h>
#include <unistd.h>

LogWriteThread::LogWriteThread(LogClock clock, WriteFailureHandler onWriteFailure, BeforeBatchHook beforeBatch)
    : m_clock(clock ? std::move(clock) : LogClock(&QDateTime::currentDateTime)),
      m_onWriteFailure(std::move(onWriteFailure)), m_beforeBatch(std::move(beforeBatch)),
      m_lastPurgeDay(m_clock().date())
{
}

LogWriteThread::~LogWriteThread()
{
    Stop();
}

bool LogWriteThread::Start(const QString& databasePath)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    m_path = databasePath;
    m_stopRequested = false;
    m_opening = true;
    start();
    m_queueDone.wait(locker, [this] { return !m_opening; });
    if (m_accepting)
        return true;
    locker.unlock();
    wait();
    return false;
}

void LogWriteThread::Stop()
{
    {
        std::lock_guard<std::mutex> locker(m_queueLock);
        if (m_accepting && m_runGoing)
            Push({Operation::RunStop, AlarmRecord(), nullptr, m_clock()});
        m_runGoing = false;
        m_accepting = false;
        m_stopRequested = true;
        m_queueGrown.notify_one();
        m_queueDone.notify_all();
    }
    wait();
}

QString LogWriteThread::GetErrorString() const
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    return m_errorString;
}

QDateTime LogWriteThread::Append(const AlarmRecord& record)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    m_queueDone.wait(locker, [this] { return !m_accepting || m_failing || m_pending.size() < size_t(MaxPending); });
    if (!m_accepting)
        return QDateTime();
    AlarmRecord row;
    switch (m_openAlarms.Pair(record, row)) {
    case OpenAlarmList::Unchanged:
        break;
    case OpenAlarmList::Ended:
        PushEnd(row);
        break;
    case OpenAlarmList::Opened:
        // Only while the log cannot be written: a start that finds no room is lost, and so its end will be too.
        if (m_pending.size() >= size_t(MaxPending)) {
            m_openAlarms.Forget(row);
            ++m_dropped;
            return QDateTime();
        }
        Push({Operation::Start, row, nullptr, QDateTime()});
        break;
    }
    return row.time;
}

void LogWriteThread::Settle(const DeviceStateRead& read)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    if (!m_accepting)
        return;
    for (const AlarmRecord& ended : m_openAlarms.Settle(read))
        PushEnd(ended);
}

void LogWriteThread::Push(Operation operation)
{
    m_pending.push_back(std::move(operation));
    if (m_pending.back().kind == Operation::Start)
        m_pendingStarts.insert(AlarmHelpKey(m_pending.back().record), &m_pending.back());
    ++m_appended;
    m_queueGrown.notify_one();
}

void LogWriteThread::PushEnd(const AlarmRecord& ended)
{
    const auto start = m_pendingStarts.find(AlarmHelpKey(ended));
    if (start != m_pendingStarts.end()) {
        (*start)->record.end_time = ended.end_time;
        m_pendingStarts.erase(start);
        return;
    }
    Push({Operation::End, ended, nullptr, QDateTime()});
}

bool LogWriteThread::AppendHandling(AlarmHandlingChange change)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    if (!m_accepting)
        return false;
    if (m_failing && m_pending.size() >= size_t(MaxPending)) {
        ++m_dropped;
        return false;
    }
    Push({Operation::Handling, AlarmRecord(), std::make_shared<const AlarmHandlingChange>(std::move(change)),
          QDateTime()});
    return true;
}

void LogWriteThread::SetRunGoing(bool going, const QDateTime& time)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    if (!m_accepting || m_runGoing == going)
        return;
    m_runGoing = going;
    Push({going ? Operation::RunStart : Operation::RunStop, AlarmRecord(), nullptr, time});
}

void LogWriteThread::SetDaysToKeep(unsigned days)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_daysToKeep = days;
    if (m_accepting)
        Push({Operation::Purge, AlarmRecord(), nullptr, QDateTime()});
}

void LogWriteThread::Flush()
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    const quint64 target = m_appended;
    m_queueDone.wait(locker, [this, target] { return m_written >= target; });
}

void LogWriteThread::SetLoggedHandler(LoggedHandler handler)
{
    std::lock_guard<std::mutex> locker(m_handlersLock);
    m_loggedHandler = std::move(handler);
}

void LogWriteThread::SetAcknowledgedHandler(AcknowledgedHandler handler)
{
    std::lock_guard<std::mutex> locker(m_handlersLock);
    m_acknowledgedHandler = std::move(handler);
}

void LogWriteThread::SetOpenedHandler(OpenedHandler handler)
{
    std::lock_guard<std::mutex> locker(m_handlersLock);
    m_openedHandler = std::move(handler);
}

void LogWriteThread::SetLostHandler(LostHandler handler)
{
    std::lock_guard<std::mutex> locker(m_handlersLock);
    m_lostHandler = std::move(handler);
}

size_t LogWriteThread::QueueLength() const
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    return m_pending.size();
}

void LogWriteThread::run()
{
    // The log may fall behind in a storm, the trap port and the window may not: where they compete for the
    // processors, this thread yields. Its queue holds the storm meanwhile.
    setpriority(PRIO_PROCESS, gettid(), WriterNiceness);
    LogDatabase database;
    if (!ReportOpen(database))
        return;
    std::vector<Operation> batch;
    std::optional<unsigned> daysToKeep;
    while (TakeBatch(batch, daysToKeep)) {
        // A batch that fails once a stop is requested gets no further try.
        const bool lastTry = StopRequested();
        if (m_beforeBatch)
            m_beforeBatch(database);
        if (!WriteBatch(database, batch, daysToKeep)) {
            ++m_writeFailures;
            if (lastTry)
                break;
            FailedBatch(database.GetErrorString());
            continue;
        }
        // An empty batch comes after a while without alarms: the cache a burst filled is not needed now.
        if (batch.empty())
            database.ReleaseMemory();
        std::unique_lock<std::mutex> locker(m_queueLock);
        const quint64 dropped = std::exchange(m_dropped, 0);
        m_failing = false;
        m_written += quint64(batch.size());
        batch.clear();
        m_queueDone.notify_all();
        locker.unlock();
        if (dropped == 0)
            continue;
        qDebug() << "The alarm log is written again;" << dropped
                 << "alarms that arrived while its queue was full are not in it";
        std::lock_guard<std::mutex> handlers(m_handlersLock);
        if (m_lostHandler)
            m_lostHandler(dropped);
    }
    GiveUp(batch, database.GetErrorString());
}

bool LogWriteThread::StopRequested() const
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    return m_stopRequested;
}

void LogWriteThread::FailedBatch(const QString& errorText)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    const bool first = !std::exchange(m_failing, true);
    // Appends that wait for room stop waiting: the handler's thread must not hang on a full disk.
    m_queueDone.notify_all();
    locker.unlock();
    if (first) {
        qDebug() << "The alarm log cannot be written; alarms are kept and written once it can:" << errorText;
        if (m_onWriteFailure)
            m_onWriteFailure(errorText);
    }
    locker.lock();
    m_queueGrown.wait_for(locker, std::chrono::milliseconds(RetryIntervalMs), [this] { return m_stopRequested; });
}

void LogWriteThread::GiveUp(std::vector<Operation>& batch, const QString& errorText)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    const quint64 lost = quint64(batch.size() + m_pending.size()) + m_dropped;
    batch.clear();
    m_pending.clear();
    m_pendingStarts.clear();
    m_dropped = 0;
    m_failing = false;
    m_written = m_appended;
    m_queueDone.notify_all();
    locker.unlock();
    m_runId.reset();
    m_lastAlive = QDateTime();
    if (lost > 0)
        qDebug() << "The alarm log stops with" << lost << "alarms that could not be written:" << errorText;
}

bool LogWriteThread::ReportOpen(LogDatabase& database)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    const QString path = m_path;
    locker.unlock();
    const bool opened = database.Open(path);
    std::vector<AlarmRecord> openRows;
    // Rows left open by a run that ended without its recoveries; the first state read of each device settles them.
    if (opened && !database.Run([&openRows](QSqlDatabase& connection, QString& error) {
            return LogStateTables::TakeOpenRows(connection, openRows, error);
        }))
        qDebug() << "The alarm log's open rows are not all taken in:" << database.GetErrorString();
    if (opened) {
        std::lock_guard<std::mutex> handlers(m_handlersLock);
        if (m_openedHandler)
            m_openedHandler(openRows);
    }
    locker.lock();
    m_openAlarms.Reset(openRows);
    m_accepting = opened && !m_stopRequested;
    m_errorString = database.GetErrorString();
    m_opening = false;
    m_queueDone.notify_all();
    return m_accepting;
}

bool LogWriteThread::TakeBatch(std::vector<Operation>& batch, std::optional<unsigned>& daysToKeep)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    if (!batch.empty())
        return true;
    const auto woken = [this] { return !m_pending.empty() || m_stopRequested; };
    if (!m_runId) {
        m_queueGrown.wait(locker, woken);
    } else if (!m_queueGrown.wait_for(locker, std::chrono::milliseconds(AliveIntervalMs), woken)) {
        // Nothing to write for a while: an empty batch carries the run's sign of life.
        return true;
    }
    if (m_pending.empty())
        return false;
    const auto end = m_pending.begin() + std::min<std::ptrdiff_t>(std::ptrdiff_t(m_pending.size()), MaxBatch);
    for (auto it = m_pending.begin(); it != end; ++it) {
        if (it->kind == Operation::Start)
            m_pendingStarts.remove(AlarmHelpKey(it->record));
    }
    batch.assign(std::make_move_iterator(m_pending.begin()), std::make_move_iterator(end));
    m_pending.erase(m_pending.begin(), end);
    daysToKeep = m_daysToKeep;
    m_queueDone.notify_all();
    return true;
}

bool LogWriteThread::WriteBatch(LogDatabase& database, const std::vector<Operation>& batch,
                                std::optional<unsigned> daysToKeep)
{
    if (!database.BeginBatch())
        return false;
    BatchChanges changes;
    changes.lastPurgeDay = m_lastPurgeDay;
    changes.runId = m_runId;
    bool written = true;
    for (size_t i = 0; written && i < batch.size(); ++i)
        written = WriteOperation(database, batch[i], daysToKeep, changes);
    // The run's sign of life goes with the batches, at most once per interval.
    const QDateTime now = m_clock();
    const bool markAlive =
        changes.runId && (batch.empty() || !m_lastAlive.isValid() || m_lastAlive.msecsTo(now) >= AliveIntervalMs);
    written = written && (!markAlive || database.Run([&changes, &now](QSqlDatabase& connection, QString& error) {
                  return LogStateTables::MarkAlive(connection, *changes.runId, now, error);
              }));
    // SQLite may have rolled the transaction back itself, and what followed would commit on its own.
    if (!written) {
        database.RollbackBatch();
        return false;
    }
    if (!database.CommitBatch())
        return false;
    m_lastPurgeDay = changes.lastPurgeDay;
    m_runId = changes.runId;
    if (markAlive)
        m_lastAlive = now;
    std::lock_guard<std::mutex> locker(m_handlersLock);
    if (m_loggedHandler && !changes.logged.empty())
        m_loggedHandler(changes.logged);
    if (m_acknowledgedHandler && !changes.acknowledged.empty())
        m_acknowledgedHandler(changes.acknowledged);
    return true;
}

bool LogWriteThread::WriteOperation(LogDatabase& database, const Operation& operation,
                                    std::optional<unsigned> daysToKeep, BatchChanges& changes)
{
    switch (operation.kind) {
    case Operation::Start:
        return PurgeOnNewDay(database, operation.record.time.date(), daysToKeep, changes) &&
               WriteStart(database, operation.record, changes);
    case Operation::End:
        return PurgeOnNewDay(database, operation.record.end_time.date(), daysToKeep, changes) &&
               WriteEnd(database, operation.record, changes);
    case Operation::Handling:
        return WriteHandling(database, *operation.handling, changes);
    case Operation::Purge:
        return !daysToKeep || database.DeleteBefore(*daysToKeep, m_clock().date());
    case Operation::RunStart: {
        qint64 id = 0;
        if (!database.Run([&operation, &id](QSqlDatabase& connection, QString& error) {
                return LogStateTables::StartRun(connection, operation.time, id, error);
            }))
            return false;
        changes.runId = id;
        return true;
    }
    case Operation::RunStop: {
        const std::optional<qint64> id = std::exchange(changes.runId, std::nullopt);
        return !id || database.Run([&operation, &id](QSqlDatabase& connection, QString& error) {
            return LogStateTables::StopRun(connection, *id, operation.time, error);
        });
    }
    }
    return false;
}

bool LogWriteThread::PurgeOnNewDay(LogDatabase& database, const QDate& day, std::optional<unsigned> daysToKeep,
                                   BatchChanges& changes)
{
    // Judged by the records' own times: the first record of another day purges once.
    if (!daysToKeep || day == changes.lastPurgeDay)
        return true;
    if (!database.DeleteBefore(*daysToKeep, m_clock().date()))
        return false;
    changes.lastPurgeDay = day;
    return true;
}

bool LogWriteThread::WriteStart(LogDatabase& database, const AlarmRecord& row, BatchChanges& changes)
{
    AlarmRecord start = row;
    start.end_time = QDateTime();
    const QString helpkey = AlarmHelpKey(start);
    if (!database.Insert(start) || !LogStateTables::SetLevel(database, helpkey, start.level))
        return false;
    changes.logged.push_back(start);
    // A start and its end that waited together while the log could not be written.
    return !row.end_time.isValid() || WriteEnd(database, row, changes);
}

bool LogWriteThread::WriteEnd(LogDatabase& database, const AlarmRecord& ended, BatchChanges& changes)
{
    const QString helpkey = AlarmHelpKey(ended);
    int changedRows = 0;
    if (!database.UpdateEndTime(helpkey, LogSql::Text(ended.end_time), &changedRows) ||
        !LogStateTables::ClearLevel(database, helpkey))
        return false;
    // A row deleted or purged meanwhile gets no end time, and so no end goes out.
    if (changedRows > 0)
        changes.logged.push_back(ended);
    return true;
}

bool LogWriteThread::WriteHandling(LogDatabase& database, const AlarmHandlingChange& change, BatchChanges& changes)
{
    if (!change.acknowledgements.empty()) {
        if (!database.InsertAcknowledgements(change.acknowledgements))
            return false;
        changes.acknowledged.insert(changes.acknowledged.end(), change.acknowledgements.begin(),
                                    change.acknowledgements.end());
    }
    return !change.shelf || database.WriteShelf(*change.shelf);
}
