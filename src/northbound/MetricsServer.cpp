#include "northbound/MetricsServer.h"

#include "northbound/MetricsText.h"

#include <QRegularExpression>

#include <cstring>

#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {
// How often the server's thread looks out for late requests and a stop.
constexpr int PollSliceMs = 100;

MHD_Result Reply(MHD_Connection* connection, unsigned status, const QByteArray& body, const char* contentType,
                 const char* allow = nullptr)
{
    MHD_Response* response = MHD_create_response_from_buffer(size_t(body.size()), const_cast<char*>(body.constData()),
                                                             MHD_RESPMEM_MUST_COPY);
    if (!response)
        return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, contentType);
    if (allow)
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, allow);
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

MHD_Result Answer(void* context, MHD_Connection* connection, const char* url, const char* method, const char*,
                  const char*, size_t*, void**)
{
    if (std::strcmp(method, MHD_HTTP_METHOD_GET) != 0 && std::strcmp(method, MHD_HTTP_METHOD_HEAD) != 0)
        return Reply(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "Only GET and HEAD are served.\n", "text/plain",
                     "GET, HEAD");
    if (std::strcmp(url, "/metrics") != 0)
        return Reply(connection, MHD_HTTP_NOT_FOUND, "The metrics are at /metrics.\n", "text/plain");
    const auto* page = static_cast<const MetricsServer::Page*>(context);
    return Reply(connection, MHD_HTTP_OK, (*page)(), MetricsText::ContentType);
}

// When the request that each open connection owes began.
using RequestStarts = std::unordered_map<MHD_Connection*, std::chrono::steady_clock::time_point>;

void OnConnection(void* context, MHD_Connection* connection, void**, MHD_ConnectionNotificationCode code)
{
    auto* starts = static_cast<RequestStarts*>(context);
    if (code == MHD_CONNECTION_NOTIFY_STARTED)
        (*starts)[connection] = std::chrono::steady_clock::now();
    else
        starts->erase(connection);
}

// A connection kept alive owes the next request from now on.
void OnRequestCompleted(void* context, MHD_Connection* connection, void**, MHD_RequestTerminationCode)
{
    auto* starts = static_cast<RequestStarts*>(context);
    const auto request = starts->find(connection);
    if (request != starts->end())
        request->second = std::chrono::steady_clock::now();
}
} // namespace

MetricsServer::MetricsServer(Page page) : m_page(std::move(page)) {}

MetricsServer::~MetricsServer()
{
    m_stopRequested = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
}

bool MetricsServer::Start(const QHostAddress& address, quint16 port)
{
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_port = htons(port);
    socketAddress.sin_addr.s_addr = htonl(address.toIPv4Address());
    // Polled by a thread of ours, so that the deadline and the connections it cuts are on one thread.
    m_daemon = MHD_start_daemon(MHD_USE_EPOLL, port, nullptr, nullptr, &Answer, const_cast<Page*>(&m_page),
                                MHD_OPTION_SOCK_ADDR, &socketAddress, MHD_OPTION_CONNECTION_LIMIT, ConnectionLimit,
                                MHD_OPTION_PER_IP_CONNECTION_LIMIT, ClientConnectionLimit, MHD_OPTION_NOTIFY_CONNECTION,
                                &OnConnection, &m_requestStarts, MHD_OPTION_NOTIFY_COMPLETED, &OnRequestCompleted,
                                &m_requestStarts, MHD_OPTION_END);
    if (!m_daemon) {
        m_errorString =
            QStringLiteral("cannot serve the metrics on %1:%2: %3")
                .arg(address.toString(), QString::number(port), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_thread = std::thread([this] { Serve(); });
    return true;
}

void MetricsServer::Serve()
{
    while (!m_stopRequested) {
        // A daemon in trouble must not make this a busy loop.
        if (MHD_run_wait(m_daemon, PollSliceMs) != MHD_YES)
            std::this_thread::sleep_for(std::chrono::milliseconds(PollSliceMs));
        CutLateRequests();
    }
}

void MetricsServer::CutLateRequests()
{
    const Clock::time_point late = Clock::now() - RequestDeadline;
    for (auto request = m_requestStarts.begin(); request != m_requestStarts.end();) {
        if (request->second > late) {
            ++request;
            continue;
        }
        // The server sees the connection end at its next turn and closes it.
        const MHD_ConnectionInfo* info = MHD_get_connection_info(request->first, MHD_CONNECTION_INFO_CONNECTION_FD);
        if (info)
            shutdown(info->connect_fd, SHUT_RDWR);
        request = m_requestStarts.erase(request);
    }
}

quint16 MetricsServer::Port() const
{
    const MHD_DaemonInfo* info = m_daemon ? MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT) : nullptr;
    return info ? info->port : 0;
}

bool MetricsServer::ParseListenAddress(const QString& text, QHostAddress& address, quint16& port)
{
    static const QRegularExpression form(QStringLiteral("^(?:([0-9.]*):)?([0-9]{1,5})$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const int number = match.captured(2).toInt();
    QHostAddress host(QHostAddress::LocalHost);
    if (match.capturedLength(1) > 0 &&
        (!host.setAddress(match.captured(1)) || host.protocol() != QAbstractSocket::IPv4Protocol))
        return false;
    if (number < 1 || number > 65535)
        return false;
    address = host;
    port = quint16(number);
    return true;
}
