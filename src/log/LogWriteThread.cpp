#include "log/LogWriteThread.h"

#include "log/LogDatabase.h"

#include <QDebug>

#include <algorithm>
#include <iterator>

LogWriteThread::LogWriteThread(LogClock clock)
    : m_clock(clock ? std::move(clock) : LogClock(&QDateTime::currentDateTime)), m_lastPurgeDay(m_clock().date())
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
    std::unique_lock<std::mutex> locker(m_queueLock);
    m_queueDone.wait(locker, [this] { return !m_accepting || m_pending.size() < size_t(MaxPending); });
    if (!m_accepting)
        return false;
    m_pending.push_back(Operation{false, record});
    ++m_appended;
    m_queueGrown.notify_one();
    return true;
}

void LogWriteThread::SetDaysToKeep(unsigned days)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_daysToKeep = days;
    if (!m_accepting)
        return;
    m_pending.push_back(Operation{true, AlarmRecord()});
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
        WriteBatch(database, batch, daysToKeep);
        std::lock_guard<std::mutex> locker(m_queueLock);
        m_written += quint64(batch.size());
        m_queueDone.notify_all();
    }
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

void LogWriteThread::WriteBatch(LogDatabase& database, const std::vector<Operation>& batch,
                                std::optional<unsigned> daysToKeep)
{
    // Without a transaction the statements still land, one commit each.
    const bool inTransaction = database.BeginBatch();
    if (!inTransaction)
        qDebug() << database.GetErrorString();
    std::vector<AlarmRecord> logged;
    for (const Operation& operation : batch) {
        if (operation.purge)
            database.DeleteBefore(*daysToKeep, m_clock().date());
        else
            WriteAlarm(database, operation.record, daysToKeep, logged);
    }
    // A commit that fails rolls the batch back: none of it reached the file.
    if (inTransaction && !database.CommitBatch()) {
        qDebug() << database.GetErrorString();
        ++m_writeFailures;
        logged.clear();
    }
    std::lock_guard<std::mutex> locker(m_loggedHandlerLock);
    if (m_loggedHandler && !logged.empty())
        m_loggedHandler(logged);
}

void LogWriteThread::WriteAlarm(LogDatabase& database, const AlarmRecord& record, std::optional<unsigned> daysToKeep,
                                std::vector<AlarmRecord>& logged)
{
    // Judged by the records' own times: the first record of another day purges once.
    if (daysToKeep && record.time.date() != m_lastPurgeDay) {
        database.DeleteBefore(*daysToKeep, m_clock().date());
        m_lastPurgeDay = record.time.date();
    }
    const QString identityKey = AlarmIdentityKey(record);
    const auto open = m_openAlarms.find(identityKey);
    if (open == m_openAlarms.end()) {
        // A recovery without a logged start has no row to end.
        if (record.level == LevelNormal)
            return;
        if (database.Insert(record)) {
            m_openAlarms.insert(identityKey, record.time);
            logged.push_back(record);
        } else {
            qDebug() << database.GetErrorString();
            ++m_writeFailures;
        }
        return;
    }
    // A repeated start of an alarm still open writes nothing.
    if (record.level != LevelNormal)
        return;
    // The row as it now stands: the start's time (and so its helpkey) with the recovery's time as its end.
    AlarmRecord ended = record;
    ended.time = open.value();
    ended.end_time = record.time;
    m_openAlarms.erase(open);
    int changedRows = 0;
    if (!database.UpdateEndTime(AlarmHelpKey(ended), ended.end_time.toString(LogDatabase::TimeFormat), &changedRows)) {
        qDebug() << database.GetErrorString();
        ++m_writeFailures;
    }
    // A row deleted or purged meanwhile gets no end time, and so no end goes out.
    if (changedRows > 0)
        logged.push_back(ended);
}
