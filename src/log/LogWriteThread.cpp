#include "log/LogWriteThread.h"

#include "log/LogDatabase.h"

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>

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

bool LogWriteThread::Append(const AlarmRecord& record)
{
    return Enqueue(Operation{false, record, nullptr});
}

bool LogWriteThread::Enqueue(Operation operation)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    m_queueDone.wait(locker, [this] { return !m_accepting || m_failing || m_pending.size() < size_t(MaxPending); });
    if (!m_accepting)
        return false;
    if (m_pending.size() >= size_t(MaxPending)) {
        ++m_dropped;
        return false;
    }
    m_pending.push_back(std::move(operation));
    ++m_appended;
    m_queueGrown.notify_one();
    return true;
}

bool LogWriteThread::AppendHandling(AlarmHandlingChange change)
{
    return Enqueue(Operation{false, AlarmRecord(), std::make_shared<const AlarmHandlingChange>(std::move(change))});
}

void LogWriteThread::SetDaysToKeep(unsigned days)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_daysToKeep = days;
    if (!m_accepting)
        return;
    m_pending.push_back(Operation{true, AlarmRecord(), nullptr});
    ++m_appended;
    m_queueGrown.notify_one();
}

void LogWriteThread::Flush()
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    const quint64 target = m_appended;
    m_queueDone.wait(locker, [this, target] { return m_written >= target; });
}

void LogWriteThread::SetLoggedHandler(LoggedHandler handler)
{
    std::lock_guard<std::mutex> locker(m_loggedHandlerLock);
    m_loggedHandler = std::move(handler);
}

void LogWriteThread::SetAcknowledgedHandler(AcknowledgedHandler handler)
{
    std::lock_guard<std::mutex> locker(m_loggedHandlerLock);
    m_acknowledgedHandler = std::move(handler);
}

size_t LogWriteThread::QueueLength() const
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    return m_pending.size();
}

void LogWriteThread::run()
{
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
        std::unique_lock<std::mutex> locker(m_queueLock);
        const bool recovered = std::exchange(m_failing, false);
        const quint64 dropped = std::exchange(m_dropped, 0);
        m_written += quint64(batch.size());
        batch.clear();
        m_queueDone.notify_all();
        locker.unlock();
        if (recovered)
            qDebug() << "The alarm log is written again;" << dropped
                     << "alarms that arrived while its queue was full are not in it";
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
    m_dropped = 0;
    m_failing = false;
    m_written = m_appended;
    m_queueDone.notify_all();
    locker.unlock();
    if (lost > 0)
        qDebug() << "The alarm log stops with" << lost << "alarms that could not be written:" << errorText;
}

bool LogWriteThread::ReportOpen(LogDatabase& database)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    const QString path = m_path;
    locker.unlock();
    const bool opened = database.Open(path);
    locker.lock();
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
    m_queueGrown.wait(locker, [this] { return !m_pending.empty() || m_stopRequested; });
    if (m_pending.empty())
        return false;
    const auto end = m_pending.begin() + std::min<std::ptrdiff_t>(std::ptrdiff_t(m_pending.size()), MaxBatch);
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
    for (const Operation& operation : batch) {
        const bool written = operation.purge      ? database.DeleteBefore(*daysToKeep, m_clock().date())
                             : operation.handling ? WriteHandling(database, *operation.handling, changes)
                                                  : WriteAlarm(database, operation.record, daysToKeep, changes);
        // SQLite may have rolled the transaction back itself, and what followed would commit on its own.
        if (!written) {
            database.RollbackBatch();
            return false;
        }
    }
    if (!database.CommitBatch())
        return false;
    for (auto it = changes.openAlarms.cbegin(); it != changes.openAlarms.cend(); ++it) {
        if (it.value())
            m_openAlarms.insert(it.key(), *it.value());
        else
            m_openAlarms.remove(it.key());
    }
    m_lastPurgeDay = changes.lastPurgeDay;
    std::lock_guard<std::mutex> locker(m_loggedHandlerLock);
    if (m_loggedHandler && !changes.logged.empty())
        m_loggedHandler(changes.logged);
    if (m_acknowledgedHandler && !changes.acknowledged.empty())
        m_acknowledgedHandler(changes.acknowledged);
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

std::optional<QDateTime> LogWriteThread::OpenAlarmStart(const BatchChanges& changes, const QString& identityKey) const
{
    const auto staged = changes.openAlarms.constFind(identityKey);
    if (staged != changes.openAlarms.cend())
        return staged.value();
    const auto open = m_openAlarms.constFind(identityKey);
    if (open == m_openAlarms.cend())
        return std::nullopt;
    return open.value();
}

bool LogWriteThread::WriteAlarm(LogDatabase& database, const AlarmRecord& record, std::optional<unsigned> daysToKeep,
                                BatchChanges& changes)
{
    // Judged by the records' own times: the first record of another day purges once.
    if (daysToKeep && record.time.date() != changes.lastPurgeDay) {
        if (!database.DeleteBefore(*daysToKeep, m_clock().date()))
            return false;
        changes.lastPurgeDay = record.time.date();
    }
    const QString identityKey = AlarmIdentityKey(record);
    const std::optional<QDateTime> start = OpenAlarmStart(changes, identityKey);
    if (!start) {
        // A recovery without a logged start has no row to end.
        if (record.level == LevelNormal)
            return true;
        if (!database.Insert(record))
            return false;
        changes.openAlarms.insert(identityKey, record.time);
        changes.logged.push_back(record);
        return true;
    }
    // A repeated start of an alarm still open writes nothing.
    if (record.level != LevelNormal)
        return true;
    // The row as it now stands: the start's time (and so its helpkey) with the recovery's time as its end.
    AlarmRecord ended = record;
    ended.time = *start;
    ended.end_time = record.time;
    int changedRows = 0;
    if (!database.UpdateEndTime(AlarmHelpKey(ended), ended.end_time.toString(LogDatabase::TimeFormat), &changedRows))
        return false;
    changes.openAlarms.insert(identityKey, std::nullopt);
    // A row deleted or purged meanwhile gets no end time, and so no end goes out.
    if (changedRows > 0)
        changes.logged.push_back(ended);
    return true;
}
