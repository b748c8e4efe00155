#include "northbound/NorthboundSender.h"

#include <QDebug>

#include <algorithm>

namespace {
constexpr std::chrono::milliseconds FirstRetryDelay{500};
constexpr std::chrono::milliseconds LastRetryDelay{30000};
constexpr std::chrono::seconds ReportInterval{60};
constexpr size_t MaxBatch = 1000;
} // namespace

NorthboundSender::NorthboundSender(const QString& kind, const QString& target, int maxQueued)
    : m_kind(kind), m_target(target), m_maxQueued(size_t(std::max(1, maxQueued))), m_retryDelay(FirstRetryDelay),
      m_nextReport(Clock::now() + ReportInterval)
{
    Report(QStringLiteral("alarm starts and ends go to this receiver"));
}

NorthboundSender::~NorthboundSender()
{
    StopAndWait();
}

void NorthboundSender::StopAndWait()
{
    {
        std::lock_guard<std::mutex> locker(m_queueLock);
        m_stopRequested = true;
        m_queueGrown.notify_all();
    }
    wait();
}

void NorthboundSender::Append(const std::vector<AlarmRecord>& logged)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    for (const AlarmRecord& row : logged)
        m_pending.push_back({row, QDateTime(), QString()});
    DropBeyondBound();
    m_queueGrown.notify_one();
}

void NorthboundSender::AppendAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledged)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_pending.insert(m_pending.end(), acknowledged.begin(), acknowledged.end());
    DropBeyondBound();
    m_queueGrown.notify_one();
}

quint64 NorthboundSender::DroppedCount() const
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    return m_dropped;
}

size_t NorthboundSender::QueueLength() const
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    return m_pending.size();
}

void NorthboundSender::run()
{
    std::vector<Message> batch;
    while (TakeBatch(batch)) {
        if (!batch.empty()) {
            const size_t sent = Send(batch);
            if (sent < batch.size()) {
                PutBack(batch, sent);
                WaitBeforeRetry();
            }
        }
        if (Clock::now() >= m_nextReport)
            ReportDrops();
        if (!StopRequested() && Clock::now() >= NextHousekeeping())
            Housekeeping();
    }
    Finish();
    ReportDrops();
    DropUnsent();
}

bool NorthboundSender::TakeBatch(std::vector<Message>& batch)
{
    batch.clear();
    const Clock::time_point wakeUp = std::min(m_nextReport, NextHousekeeping());
    std::unique_lock<std::mutex> locker(m_queueLock);
    // Wakes for the drop report and the housekeeping even when nothing arrives.
    m_queueGrown.wait_until(locker, wakeUp, [this] { return !m_pending.empty() || m_stopRequested; });
    if (m_stopRequested && (m_pending.empty() || m_failing))
        return false;
    const size_t count = std::min(m_pending.size(), MaxBatch);
    batch.assign(std::make_move_iterator(m_pending.begin()), std::make_move_iterator(m_pending.begin() + count));
    m_pending.erase(m_pending.begin(), m_pending.begin() + count);
    return true;
}

void NorthboundSender::PutBack(std::vector<Message>& batch, size_t sent)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_pending.insert(m_pending.begin(), std::make_move_iterator(batch.begin() + std::ptrdiff_t(sent)),
                     std::make_move_iterator(batch.end()));
    DropBeyondBound();
}

void NorthboundSender::DropBeyondBound()
{
    if (m_pending.size() <= m_maxQueued)
        return;
    const size_t excess = m_pending.size() - m_maxQueued;
    m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(excess));
    m_dropped += excess;
    m_droppedSinceReport += excess;
}

void NorthboundSender::CountDropped(quint64 count)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_dropped += count;
    m_droppedSinceReport += count;
}

void NorthboundSender::DropUnsent()
{
    quint64 unsent = 0;
    {
        std::lock_guard<std::mutex> locker(m_queueLock);
        unsent = m_pending.size();
        m_pending.clear();
        m_dropped += unsent;
    }
    if (unsent > 0)
        Report(QStringLiteral("%1 alarm messages lost at exit: the receiver is down").arg(unsent));
}

void NorthboundSender::ReportDrops()
{
    m_nextReport = Clock::now() + ReportInterval;
    quint64 recent = 0;
    quint64 total = 0;
    {
        std::lock_guard<std::mutex> locker(m_queueLock);
        recent = m_droppedSinceReport;
        total = m_dropped;
        m_droppedSinceReport = 0;
    }
    if (recent > 0)
        Report(QStringLiteral("%1 alarm messages dropped since the last report, %2 in all: the receiver is down or "
                              "too slow")
                   .arg(QString::number(recent), QString::number(total)));
}

void NorthboundSender::WaitBeforeRetry()
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    m_queueGrown.wait_for(locker, m_retryDelay, [this] { return m_stopRequested.load(); });
    m_retryDelay = std::min(m_retryDelay * 2, LastRetryDelay);
}

void NorthboundSender::ReportFailure(const QString& what)
{
    if (!m_failing)
        Report(what);
    m_failing = true;
}

void NorthboundSender::ReportSuccess()
{
    if (m_failing)
        Report(QStringLiteral("sending again"));
    m_failing = false;
    m_retryDelay = FirstRetryDelay;
}

void NorthboundSender::Report(const QString& what) const
{
    qDebug().noquote() << QStringLiteral("%1 %2: %3").arg(m_kind, m_target, what);
}
