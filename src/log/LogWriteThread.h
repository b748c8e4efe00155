#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmShelf.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class LogDatabase;

// The local clock, replaceable so that the daily purge can be tested without waiting for midnight.
using LogClock = std::function<QDateTime()>;
// Receives, on the writer's thread and after their commit, the alarm starts and ends that reached the file, as
// log rows: time is the start, end_time null for a start and the end time for an end. It must not wait.
using LoggedHandler = std::function<void(const std::vector<AlarmRecord>& logged)>;
// Receives, on the writer's thread and after their commit, the acknowledgements that reached the file.
using AcknowledgedHandler = std::function<void(const std::vector<AlarmAcknowledgement>& acknowledged)>;
// Receives, on the writer's thread, the error text when the log cannot be written (once until it can again). It
// must not wait.
using WriteFailureHandler = std::function<void(const QString& errorText)>;
// Runs on the writer's thread, on its connection, before every attempt at a batch (tests fill the file with it).
using BeforeBatchHook = std::function<void(LogDatabase& database)>;

// What the operator did to alarms, written in the writer's batches beside the alarms.
struct AlarmHandlingChange
{
    std::vector<AlarmAcknowledgement> acknowledgements;
    std::optional<AlarmShelf> shelf;
};

// Writes the alarm log on a thread of its own, so that the alarm handler never waits on the disk: Append only
// queues a copy. The thread pairs each alarm start with its recovery and commits whatever has queued up as one
// batch; a lone alarm is committed at once, a burst in batches of up to MaxBatch. A batch that cannot be committed
// (disk full, I/O error) changes nothing, is kept and tried again until it lands or the writer stops.
class LogWriteThread : public QThread
{
public:
    static constexpr int MaxBatch = 500;
    // A disk that cannot keep up makes Append wait for the next batch instead of growing the queue without end;
    // while the log cannot be written at all, alarms beyond it are dropped and counted instead.
    static constexpr int MaxPending = 20000;
    static constexpr int RetryIntervalMs = 1000;

    explicit LogWriteThread(LogClock clock, WriteFailureHandler onWriteFailure = {}, BeforeBatchHook beforeBatch = {});
    ~LogWriteThread() override;

    // GUI thread. Opens the writer's own connection on its thread; returns once that succeeded or failed.
    bool Start(const QString& databasePath);
    // GUI thread. Writes everything accepted so far, closes the connection and ends the thread.
    void Stop();
    QString GetErrorString() const;

    // Any thread. False, and nothing kept, while the writer is not running.
    bool Append(const AlarmRecord& record);
    // Any thread. One operation however many acknowledgements it carries; false while the writer is not running.
    bool AppendHandling(AlarmHandlingChange change);
    // Any thread. Kept for the daily purge; while running, also purges at once.
    void SetDaysToKeep(unsigned days);
    // Any thread. Returns once everything appended before the call is in the file.
    void Flush();
    // Any thread. Once it returns, the previous handler is not running and will not be called again.
    void SetLoggedHandler(LoggedHandler handler);
    void SetAcknowledgedHandler(AcknowledgedHandler handler);
    // Any thread. Operations waiting to be written.
    size_t QueueLength() const;
    // Any thread, lock-free. Attempts to write a batch that failed since the start; each batch is tried again.
    quint64 WriteFailureCount() const { return m_writeFailures; }

protected:
    void run() override;

private:
    struct Operation
    {
        bool purge = false;
        AlarmRecord record;
        std::shared_ptr<const AlarmHandlingChange> handling;
    };

    // Waits while the queue is full; false, and nothing kept, while the writer is not running.
    bool Enqueue(Operation operation);
    // On the writer's thread: publishes the open result to Start.
    bool ReportOpen(LogDatabase& database);
    // What a batch changes of the writer's own state; it takes effect only with the batch's commit.
    struct BatchChanges
    {
        // Identity key -> start time of an alarm now open, or none for one that has ended.
        QMap<QString, std::optional<QDateTime>> openAlarms;
        QDate lastPurgeDay;
        // The starts and ends that reach the file with the commit.
        std::vector<AlarmRecord> logged;
        // The acknowledgements that reach the file with the commit.
        std::vector<AlarmAcknowledgement> acknowledged;
    };

    // Waits for work; a batch that failed is offered again. False once a stop is requested and everything queued
    // is written.
    bool TakeBatch(std::vector<Operation>& batch, std::optional<unsigned>& daysToKeep);
    // True once the whole batch is committed; otherwise nothing of it is in the file.
    bool WriteBatch(LogDatabase& database, const std::vector<Operation>& batch, std::optional<unsigned> daysToKeep);
    bool WriteAlarm(LogDatabase& database, const AlarmRecord& record, std::optional<unsigned> daysToKeep,
                    BatchChanges& changes);
    bool WriteHandling(LogDatabase& database, const AlarmHandlingChange& change, BatchChanges& changes);
    std::optional<QDateTime> OpenAlarmStart(const BatchChanges& changes, const QString& identityKey) const;
    // After a failed batch: reports the first failure of a row, then waits for the retry or the stop.
    void FailedBatch(const QString& errorText);
    // The writer ends: what could not be written is dropped and counted.
    void GiveUp(std::vector<Operation>& batch, const QString& errorText);
    bool StopRequested() const;

    // Guards everything from here to the next comment. Standard primitives, so that the thread sanitizer sees
    // them even where Qt itself is not instrumented.
    mutable std::mutex m_queueLock;
    // The writer waits on it for work or for the stop request.
    std::condition_variable m_queueGrown;
    // Start waits on it for the open result, Append for room, Flush for the commit.
    std::condition_variable m_queueDone;
    std::deque<Operation> m_pending;
    QString m_path;
    QString m_errorString;
    bool m_opening = false;
    bool m_accepting = false;
    bool m_stopRequested = false;
    // From a failed batch to the next committed one.
    bool m_failing = false;
    quint64 m_dropped = 0;
    quint64 m_appended = 0;
    quint64 m_written = 0;
    // Nothing is purged before the settings have said how long to keep.
    std::optional<unsigned> m_daysToKeep;

    // Held while the handler runs, so that replacing it never meets a call in progress.
    std::mutex m_loggedHandlerLock;
    LoggedHandler m_loggedHandler;
    AcknowledgedHandler m_acknowledgedHandler;

    // Only the writer's thread touches these (and the constructor before it runs). The open alarms map the
    // identity key of each alarm whose start is logged to that start's time, which with the key makes the row's
    // helpkey; they outlive a stop and a start.
    const LogClock m_clock;
    std::atomic<quint64> m_writeFailures{0};
    const WriteFailureHandler m_onWriteFailure;
    const BeforeBatchHook m_beforeBatch;
    QMap<QString, QDateTime> m_openAlarms;
    QDate m_lastPurgeDay;
};
