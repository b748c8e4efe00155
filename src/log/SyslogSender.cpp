#include "log/SyslogSender.h"

#include "log/SyslogMessage.h"

#include <QCoreApplication>
#include <QDebug>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr std::chrono::milliseconds FirstRetryDelay{500};
constexpr std::chrono::milliseconds LastRetryDelay{30000};
constexpr std::chrono::seconds ReportInterval{60};
// A collector that takes nothing for this long is taken for hung and connected to afresh.
constexpr std::chrono::milliseconds StreamTimeout{30000};
// What a stop still grants a connection that is being made or is sending.
constexpr std::chrono::milliseconds StopGrace{1000};
constexpr int PollSliceMs = 100;
constexpr size_t MaxBatch = 1000;

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

SyslogSender::SyslogSender(const SyslogTarget& target, int maxQueued)
    : m_target(target), m_name(target.ToString()), m_maxQueued(size_t(std::max(1, maxQueued))),
      m_retryDelay(FirstRetryDelay), m_nextReport(Clock::now() + ReportInterval),
      m_hostName(SyslogMessage::LocalHostName())
{
    qDebug().noquote() << QStringLiteral("syslog %1: alarm starts and ends go to this collector").arg(m_name);
    start();
}

SyslogSender::~SyslogSender()
{
    {
        std::lock_guard<std::mutex> locker(m_queueLock);
        m_stopRequested = true;
        m_queueGrown.notify_all();
    }
    wait();
}

void SyslogSender::Append(const std::vector<AlarmRecord>& logged)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    for (const AlarmRecord& row : logged)
        m_pending.push_back({row, QDateTime(), QString()});
    DropBeyondBound();
    m_queueGrown.notify_one();
}

void SyslogSender::AppendAcknowledgements(const std::vector<AlarmAcknowledgement>& acknowledged)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_pending.insert(m_pending.end(), acknowledged.begin(), acknowledged.end());
    DropBeyondBound();
    m_queueGrown.notify_one();
}

QByteArray SyslogSender::Message(const Entry& entry, qint64 processId) const
{
    return entry.time.isValid() ? SyslogMessage::FormatAcknowledgement(entry, m_hostName, processId)
                                : SyslogMessage::Format(entry.alarm, m_hostName, processId);
}

quint64 SyslogSender::DroppedCount() const
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    return m_dropped;
}

void SyslogSender::run()
{
    const qint64 processId = QCoreApplication::applicationPid();
    std::vector<Entry> batch;
    while (TakeBatch(batch)) {
        size_t sent = 0;
        while (sent < batch.size() && Deliver(Message(batch[sent], processId)))
            ++sent;
        if (sent < batch.size()) {
            PutBack(batch, sent);
            WaitBeforeRetry();
        }
        if (Clock::now() >= m_nextReport)
            ReportDrops();
    }
    Disconnect();
    ReportDrops();
}

bool SyslogSender::TakeBatch(std::vector<Entry>& batch)
{
    batch.clear();
    std::unique_lock<std::mutex> locker(m_queueLock);
    // Wakes for the drop report even when nothing arrives.
    m_queueGrown.wait_until(locker, m_nextReport, [this] { return !m_pending.empty() || m_stopRequested; });
    if (m_stopRequested && (m_pending.empty() || m_failing))
        return false;
    const size_t count = std::min(m_pending.size(), MaxBatch);
    batch.assign(std::make_move_iterator(m_pending.begin()), std::make_move_iterator(m_pending.begin() + count));
    m_pending.erase(m_pending.begin(), m_pending.begin() + count);
    return true;
}

void SyslogSender::PutBack(std::vector<Entry>& batch, size_t sent)
{
    std::lock_guard<std::mutex> locker(m_queueLock);
    m_pending.insert(m_pending.begin(), std::make_move_iterator(batch.begin() + std::ptrdiff_t(sent)),
                     std::make_move_iterator(batch.end()));
    DropBeyondBound();
}

void SyslogSender::DropBeyondBound()
{
    if (m_pending.size() <= m_maxQueued)
        return;
    const size_t excess = m_pending.size() - m_maxQueued;
    m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(excess));
    m_dropped += excess;
    m_droppedSinceReport += excess;
}

void SyslogSender::ReportDrops()
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
        qDebug().noquote() << QStringLiteral("syslog %1: %2 alarm messages dropped since the last report, %3 in all: "
                                             "the collector is down or too slow")
                                  .arg(m_name, QString::number(recent), QString::number(total));
}

void SyslogSender::WaitBeforeRetry()
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    m_queueGrown.wait_for(locker, m_retryDelay, [this] { return m_stopRequested.load(); });
    m_retryDelay = std::min(m_retryDelay * 2, LastRetryDelay);
}

bool SyslogSender::Deliver(const QByteArray& message)
{
    // A collector restarted since the last message has closed our end; that is no failure yet.
    if (m_socket >= 0 && m_target.transport == SyslogTarget::Transport::Tcp && PeerHasClosed())
        Disconnect();
    if (m_socket < 0 && !Connect())
        return false;
    if (m_target.transport == SyslogTarget::Transport::Tcp) {
        if (!SendStream(SyslogMessage::Frame(message)))
            return false;
    } else if (::sendto(m_socket, message.constData(), size_t(message.size()), MSG_NOSIGNAL,
                        reinterpret_cast<const sockaddr*>(&m_peer), sizeof(m_peer)) != message.size()) {
        // A message no datagram can carry would block the queue for good.
        if (errno == EMSGSIZE) {
            qDebug().noquote() << QStringLiteral("syslog %1: a message of %2 bytes is too long for UDP, dropped")
                                      .arg(m_name, QString::number(message.size()));
            return true;
        }
        ReportFailure(QStringLiteral("cannot send: %1").arg(SystemError()));
        Disconnect();
        return false;
    }
    if (m_failing)
        qDebug().noquote() << QStringLiteral("syslog %1: sending again").arg(m_name);
    m_failing = false;
    m_retryDelay = FirstRetryDelay;
    return true;
}

bool SyslogSender::Connect()
{
    const bool stream = m_target.transport == SyslogTarget::Transport::Tcp;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = stream ? SOCK_STREAM : SOCK_DGRAM;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(qPrintable(m_target.host), nullptr, &hints, &found);
    if (resolved != 0 || !found) {
        ReportFailure(QStringLiteral("cannot find the host: %1").arg(QString::fromLocal8Bit(gai_strerror(resolved))));
        return false;
    }
    std::memcpy(&m_peer, found->ai_addr, sizeof(m_peer));
    m_peer.sin_port = htons(m_target.port);
    ::freeaddrinfo(found);

    m_socket = ::socket(AF_INET, (stream ? SOCK_STREAM | SOCK_NONBLOCK : SOCK_DGRAM) | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        ReportFailure(QStringLiteral("cannot open a socket: %1").arg(SystemError()));
        return false;
    }
    if (!stream)
        return true;
    bool connected = ::connect(m_socket, reinterpret_cast<const sockaddr*>(&m_peer), sizeof(m_peer)) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd watched{m_socket, POLLOUT, 0};
        const Clock::time_point deadline = Clock::now() + StreamTimeout;
        while (::poll(&watched, 1, PollSliceMs) == 0 && Clock::now() < deadline && !m_stopRequested) {
        }
        int error = ETIMEDOUT;
        socklen_t length = sizeof(error);
        if (watched.revents != 0)
            ::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length);
        errno = error;
        connected = error == 0;
    }
    if (!connected) {
        ReportFailure(QStringLiteral("cannot connect: %1").arg(SystemError()));
        Disconnect();
    }
    return connected;
}

bool SyslogSender::SendStream(const QByteArray& frame)
{
    qint64 offset = 0;
    Clock::time_point lastProgress = Clock::now();
    while (offset < frame.size()) {
        const ssize_t written =
            ::send(m_socket, frame.constData() + offset, size_t(frame.size() - offset), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (written > 0) {
            offset += written;
            lastProgress = Clock::now();
            continue;
        }
        const auto limit = m_stopRequested ? StopGrace : StreamTimeout;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && Clock::now() - lastProgress < limit) {
            pollfd watched{m_socket, POLLOUT, 0};
            ::poll(&watched, 1, PollSliceMs);
            continue;
        }
        ReportFailure(written < 0 && errno != EAGAIN ? QStringLiteral("cannot send: %1").arg(SystemError())
                                                     : QStringLiteral("the collector takes nothing"));
        Disconnect();
        return false;
    }
    return true;
}

bool SyslogSender::PeerHasClosed() const
{
    char byte = 0;
    const ssize_t peeked = ::recv(m_socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return peeked == 0 || (peeked < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
}

void SyslogSender::Disconnect()
{
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

void SyslogSender::ReportFailure(const QString& what)
{
    if (!m_failing)
        qDebug().noquote() << QStringLiteral("syslog %1: %2").arg(m_name, what);
    m_failing = true;
}
