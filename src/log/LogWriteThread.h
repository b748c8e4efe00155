#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmShelf.h"
#include "log/OpenAlarmList.h"

#include <QDateTime>
#include <QHash>
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
struct DeviceStateRead;

// The local clock, replaceable so that the daily purge can be tested without waiting for midnight.
using LogClock = std::function<QDateTime()>;
// Receives, on the writer's thread and after their commit, the alarm starts and ends that reached the file, as
// log rows: time is the start, end_time null for a start and the end time for an end; level is the start's. It must
// not wait.
using LoggedHandler = std::function<void(const std::vector<AlarmRecord>& logged)>;
// Receives, on the writer's thread and after their commit, the acknowledgements that reached the file.
using AcknowledgedHandler = std::function<void(const std::vector<AlarmAcknowledgement>& acknowledged)>;
// Receives, on the writer's thread, the error text when the log cannot be written (once until it can again). It
// must not wait.
using WriteFailureHandler = std::function<void(const QString& errorText)>;
// Receives, on the writer's thread, how many alarms were lost because the log could not be written and its queue
// was full, once the log is written again. It must not wait.
using LostHandler = std::function<void(quint64 lost)>;
// Receives, on the writer's thread, the rows the file holds open each time it is opened, before anything is
// written.
using OpenedHandler = std::function<void(const std::vector<AlarmRecord>& openRows)>;
// Runs on the writer's thread, on its connection, before every attempt at a batch (tests fill the file with it).
using BeforeBatchHook = std::function<void(LogDatabase& database)>;

// What the operator did to alarms, written in the writer's batches beside the alarms.
struct AlarmHandlingChange
{
    std::vector<AlarmAcknowledgement> acknowledgements;
    std::optional<AlarmShelf> shelf;
};

// Writes the alarm log on a thread of its own, so that no caller waits on the disk. Append pairs each alarm start
// with its recovery against the open-alarm list at once, which the writer takes from the file when it opens it, and
// queues only what changes the file: a new row, or an end. The thread commits whatever has queued up as one batch; a
// batch that cannot be committed (disk full, I/O error) changes nothing, is kept and tried again until it lands or
// the writer stops. Meanwhile a start and its end wait as one finished row, and a repeated start adds nothing.
class LogWriteThread : public QThread
{
public:
    static constexpr int MaxBatch = 500;
    // A disk that cannot keep up makes Append wait for the next batch instead of growing the queue without end;
    // while the log cannot be written at all, new alarms beyond it are dropped and counted instead (their ends with
    // them). Ends, and what the operator does, are always kept. It holds a facility-wide fault of 1,000 probes
    // (128,000 alarms), so that the window, which the handler serves after the log, never waits for the disk.
    static constexpr int MaxPending = 131072;
    static constexpr int RetryIntervalMs = 1000;
    // The writer's niceness above the station's other threads.
    static constexpr int WriterNiceness = 5;
    // How often a monitoring run's last sign of life is written while nothing else is.
    static constexpr int AliveIntervalMs = 30000;

    explicit LogWriteThread(LogClock clock, WriteFailureHandler onWriteFailure = {}, BeforeBatchHook beforeBatch = {});
    ~LogWriteThread() override;

    // GUI thread. Opens the writer's own connection on its thread and takes the file's open rows; returns once that
    // succeeded or failed.
    bool Start(const QString& databasePath);
    // GUI thread. Writes everything accepted so far (or gives up at once while the log cannot be written), closes the
    // connection and ends the thread. A monitoring run still going is stopped cleanly first.
    void Stop();
    QString GetErrorString() const;

    // Alarm handler's thread. Returns the start of the log row the record belongs to: its own time for a new alarm,
    // the row's start for a repeated start or an end; null when it belongs to none or the writer is not running.
    QDateTime Append(const AlarmRecord& record);
    // Any thread. Ends the device's open rows that a complete state read found no longer active.
    void Settle(const DeviceStateRead& read);
    // Any thread, never waits. One operation however many acknowledgements it carries; false while the writer is
    // not running or the change was lost to a full queue.
    bool AppendHandling(AlarmHandlingChange change);
    // GUI thread. A monitoring run begins (going) or ends at time; recorded while the writer runs.
    void SetRunGoing(bool going, const QDateTime& time);
    // Any thread. Kept for the daily purge; while running, also purges at once.
    void SetDaysToKeep(unsigned days);
    // Any thread but the GUI's, which must never wait for the disk. Returns once everything appended before the call
    // is in the file, or was given up.
    void Flush();
    // Any thread. Once it returns, the previous handler is not running and will not be called again.
    void SetLoggedHandler(LoggedHandler handler);
    void SetAcknowledgedHandler(AcknowledgedHandler handler);
    void SetOpenedHandler(OpenedHandler handler);
    void SetLostHandler(LostHandler handler);
    // Any thread. Operations waiting to be written.
    size_t QueueLength() const;
    // Any thread, lock-free. Attempts to write a batch that failed since the start; each batch is tried again.
    quint64 WriteFailureCount() const { return m_writeFailures; }

protected:
    void run() override;

private:
    struct Operation
    {
        enum Kind
        {
            // record is the new row; with end_time set, a start and its end that waited together.
            Start,
            // record is the row with its end time.
            End,
            Handling,
            Purge,
            RunStart,
            RunStop,
        };
        Kind kind = Start;
        AlarmRecord record;
        std::shared_ptr<const AlarmHandlingChange> handling;
        // RunStart and RunStop.
        QDateTime time;
    };

    // Under m_queueLock.
    void Push(Operation operation);
    // Under m_queueLock: an end joins its start when that still waits, otherwise it is queued.
    void PushEnd(const AlarmRecord& ended);
    // On the writer's thread: takes the open rows and publishes the open result to Start.
    bool ReportOpen(LogDatabase& database);
    // What a batch changes of the writer's own state; it takes effect only with the batch's commit.
    struct BatchChanges
    {
        QDate lastPurgeDay;
        std::optional<qint64> runId;
        // The starts and ends that reach the file with the commit.
        std::vector<AlarmRecord> logged;
        // The acknowledgements that reach the file with the commit.
        std::vector<AlarmAcknowledgement> acknowledged;
    };

    // Waits for work, or for the next sign of life of a run; a batch that failed is offered again. False once a stop
    // is requested and everything queued is written.
    bool TakeBatch(std::vector<Operation>& batch, std::optional<unsigned>& daysToKeep);
    // True once the whole batch is committed; otherwise nothing of it is in the file.
    bool WriteBatch(LogDatabase& database, const std::vector<Operation>& batch, std::optional<unsigned> daysToKeep);
    bool WriteOperation(LogDatabase& database, const Operation& operation, std::optional<unsigned> daysToKeep,
                        BatchChanges& changes);
    bool WriteStart(LogDatabase& database, const AlarmRecord& row, BatchChanges& changes);
    bool WriteEnd(LogDatabase& database, const AlarmRecord& ended, BatchChanges& changes);
    bool WriteHandling(LogDatabase& database, const AlarmHandlingChange& change, BatchChanges& changes);
    bool PurgeOnNewDay(LogDatabase& database, const QDate& day, std::optional<unsigned> daysToKeep,
                       BatchChanges& changes);
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
    // The starts still waiting in m_pending, by helpkey; a deque keeps its elements in place while it grows and
    // shrinks at its ends.
    QHash<QString, Operation*> m_pendingStarts;
    OpenAlarmList m_openAlarms;
    QString m_path;
    QString m_errorString;
    bool m_opening = false;
    bool m_accepting = false;
    bool m_stopRequested = false;
    // Between BeginRun and EndRun.
    bool m_runGoing = false;
    // From a failed batch to the next committed one.
    bool m_failing = false;
    quint64 m_dropped = 0;
    quint64 m_appended = 0;
    quint64 m_written = 0;
    // Nothing is purged before the settings have said how long to keep.
    std::optional<unsigned> m_daysToKeep;

    // Held while a handler runs, so that replacing it never meets a call in progress.
    std::mutex m_handlersLock;
    LoggedHandler m_loggedHandler;
    AcknowledgedHandler m_acknowledgedHandler;
    OpenedHandler m_openedHandler;
    LostHandler m_lostHandler;

    // Only the writer's thread touches these (and the constructor before it runs).
    const LogClock m_clock;
    std::atomic<quint64> m_writeFailures{0};
    const WriteFailureHandler m_onWriteFailure;
    const BeforeBatchHook m_beforeBatch;
    QDate m_lastPurgeDay;
    // The station_run row of the run going on, and when its last sign of life was written.
    std::optional<qint64> m_runId;
    QDateTime m_lastAlive;
};
