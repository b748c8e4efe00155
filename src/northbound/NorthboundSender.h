#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmRecord.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

// Sends the alarm starts and ends that the log has written to one receiver outside the station, on a thread of its
// own, so that the log's writer never waits on the network. A receiver that is down or slow loses the oldest queued
// messages beyond the bound; they are counted, and the count goes to the debug output at most once a minute. What
// could not be sent is tried again with a back-off. Subclasses say how a batch travels.
class NorthboundSender : public QThread
{
public:
    static constexpr int MaxQueued = 100000;

    ~NorthboundSender() override;

    // A log row, or, when its time is set, the operator's acknowledgement of one.
    using Message = AlarmAcknowledgement;

    // Any thread; never waits on the network. Each record is a log row, see SyslogMessage.
    void Append(const std::vector<AlarmRecord>& logged);
    // Any thread; never waits on the network.
    void AppendAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledged);
    // Messages dropped since the start: the queue was full, the receiver refused them, or they were still unsent
    // when the sender stopped.
    quint64 DroppedCount() const;
    // Messages waiting to be sent.
    size_t QueueLength() const;
    // What kind of receiver this is ("syslog", "alertmanager") and where it is (its URL), for the debug output and
    // the metrics.
    QString Kind() const { return m_kind; }
    QString Target() const { return m_target; }

protected:
    using Clock = std::chrono::steady_clock;
    // What a stop still grants a connection or a request in flight, and how often a wait looks out for the stop.
    static constexpr std::chrono::milliseconds StopGrace{1000};
    static constexpr int PollSliceMs = 100;

    // Subclasses start the thread at the end of their constructor and call StopAndWait first in their destructor,
    // so that the thread never meets a half-built or half-destroyed object.
    NorthboundSender(const QString& kind, const QString& target, int maxQueued);

    // Sends what the receiver still takes without waiting for it, then ends the thread.
    void StopAndWait();
    bool StopRequested() const { return m_stopRequested; }

    // On the sender's thread: how many of the batch, from its front, reached the receiver. Those beyond are tried
    // again after the back-off.
    virtual size_t Send(const std::vector<Message>& batch) = 0;
    // On the sender's thread, between batches and at least at NextHousekeeping.
    virtual void Housekeeping() {}
    virtual Clock::time_point NextHousekeeping() const { return Clock::time_point::max(); }
    // On the sender's thread, once nothing more will be sent.
    virtual void Finish() {}

    // The first failure after a success goes to the debug output, not every retry.
    void ReportFailure(const QString& what);
    // Ends a failure: says so once and starts the back-off afresh.
    void ReportSuccess();
    void Report(const QString& what) const;
    // Messages that the receiver refused for good; they count and are reported as dropped.
    void CountDropped(quint64 count);

private:
    void run() final;
    // Waits for messages; false once a stop is requested and nothing more can be sent.
    bool TakeBatch(std::vector<Message>& batch);
    // Puts the unsent tail back in front of the queue, where the bound drops the oldest first.
    void PutBack(std::vector<Message>& batch, size_t sent);
    void DropBeyondBound();
    void ReportDrops();
    // At the end: what a receiver that is down never got counts as dropped, said once.
    void DropUnsent();
    void WaitBeforeRetry();

    const QString m_kind;
    const QString m_target;
    const size_t m_maxQueued;
    std::atomic<bool> m_stopRequested{false};

    // Guards everything from here to the next comment.
    mutable std::mutex m_queueLock;
    std::condition_variable m_queueGrown;
    std::deque<Message> m_pending;
    quint64 m_dropped = 0;
    quint64 m_droppedSinceReport = 0;

    // Only the sender's thread touches these (and the constructor before it runs).
    // True while the receiver cannot be reached, so that a stop does not wait for it.
    bool m_failing = false;
    std::chrono::milliseconds m_retryDelay;
    Clock::time_point m_nextReport;
};
