#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmRecord.h"
#include "log/SyslogTarget.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include <netinet/in.h>

// Sends the alarm starts and ends that the log has written to one syslog collector, on a thread of its own, so
// that the log's writer never waits on the network. A collector that is down or slow loses the oldest queued
// messages beyond the bound; they are counted, and the count goes to the debug output at most once a minute.
// TCP reconnects with a back-off. A message in flight when a TCP connection breaks may be lost: syslog over TCP
// has no acknowledgement.
class SyslogSender final : public QThread
{
public:
    static constexpr int MaxQueued = 100000;

    explicit SyslogSender(const SyslogTarget& target, int maxQueued = MaxQueued);
    // Sends what the collector still takes without a new connection, then ends the thread.
    ~SyslogSender() override;
    SyslogSender(const SyslogSender&) = delete;
    SyslogSender& operator=(const SyslogSender&) = delete;

    // Any thread; never waits on the network. Each record is a log row, see SyslogMessage.
    void Append(const std::vector<AlarmRecord>& logged);
    // Any thread; never waits on the network. Each goes out as an ALARM_ACK message.
    void AppendAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledged);
    // Messages dropped since the start because the queue was full.
    quint64 DroppedCount() const;

protected:
    void run() override;

private:
    using Clock = std::chrono::steady_clock;

    // Waits for messages; false once a stop is requested and nothing more can be sent.
    // A log row, or, when its time is set, an acknowledgement of one.
    using Entry = AlarmAcknowledgement;

    bool TakeBatch(std::vector<Entry>& batch);
    // Puts the unsent tail back in front of the queue, where the bound drops the oldest first.
    void PutBack(std::vector<Entry>& batch, size_t sent);
    void DropBeyondBound();
    void ReportDrops();
    void WaitBeforeRetry();

    QByteArray Message(const Entry& entry, qint64 processId) const;
    bool Deliver(const QByteArray& message);
    bool Connect();
    bool SendStream(const QByteArray& frame);
    bool PeerHasClosed() const;
    void Disconnect();
    // The first failure after a success goes to the debug output, not every retry.
    void ReportFailure(const QString& what);

    const SyslogTarget m_target;
    const QString m_name;
    const size_t m_maxQueued;
    std::atomic<bool> m_stopRequested{false};

    // Guards everything from here to the next comment.
    mutable std::mutex m_queueLock;
    std::condition_variable m_queueGrown;
    std::deque<Entry> m_pending;
    quint64 m_dropped = 0;
    quint64 m_droppedSinceReport = 0;

    // Only the sender's thread touches these (and the constructor before it runs).
    // True while the collector cannot be reached, so that a stop does not wait for it.
    bool m_failing = false;
    int m_socket = -1;
    sockaddr_in m_peer{};
    std::chrono::milliseconds m_retryDelay;
    Clock::time_point m_nextReport;
    QString m_hostName;
};
