#include "northbound/SyslogSender.h"

#include "northbound/SyslogMessage.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A collector that takes nothing for this long is taken for hung and connected to afresh.
constexpr std::chrono::milliseconds StreamTimeout{30000};

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

SyslogSender::SyslogSender(const SyslogTarget& target, int maxQueued)
    : NorthboundSender(QStringLiteral("syslog"), target.ToString(), maxQueued), m_target(target),
      m_processId(QCoreApplication::applicationPid()), m_hostName(SyslogMessage::LocalHostName())
{
    start();
}

SyslogSender::~SyslogSender()
{
    StopAndWait();
}

size_t SyslogSender::Send(const std::vector<Message>& batch)
{
    size_t sent = 0;
    for (; sent < batch.size(); ++sent) {
        const Message& message = batch[sent];
        if (!Deliver(message.time.isValid() ? SyslogMessage::FormatAcknowledgement(message, m_hostName, m_processId)
                                            : SyslogMessage::Format(message.alarm, m_hostName, m_processId)))
            break;
    }
    return sent;
}

void SyslogSender::Finish()
{
    Disconnect();
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
            Report(QStringLiteral("a message of %1 bytes is too long for UDP, dropped").arg(message.size()));
            CountDropped(1);
            return true;
        }
        ReportFailure(QStringLiteral("cannot send: %1").arg(SystemError()));
        Disconnect();
        return false;
    }
    ReportSuccess();
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
        while (::poll(&watched, 1, PollSliceMs) == 0 && Clock::now() < deadline && !StopRequested()) {
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
        const auto limit = StopRequested() ? StopGrace : StreamTimeout;
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
