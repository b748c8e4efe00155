#include "northbound/MetricsServer.h"

#include "northbound/MetricsText.h"

#include <QRegularExpression>

#include <cstring>

#include <microhttpd.h>
#include <netinet/in.h>

namespace {
constexpr unsigned ConnectionLimit = 16;
constexpr unsigned ConnectionTimeoutSeconds = 10;

MHD_Result Reply(MHD_Connection* connection, unsigned status, const QByteArray& body, const char* contentType)
{
    MHD_Response* response = MHD_create_response_from_buffer(size_t(body.size()), const_cast<char*>(body.constData()),
                                                             MHD_RESPMEM_MUST_COPY);
    if (!response)
        return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, contentType);
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

MHD_Result Answer(void* context, MHD_Connection* connection, const char* url, const char* method, const char*,
                  const char*, size_t*, void**)
{
    if (std::strcmp(method, MHD_HTTP_METHOD_GET) != 0 && std::strcmp(method, MHD_HTTP_METHOD_HEAD) != 0)
        return Reply(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "Only GET and HEAD are served.\n", "text/plain");
    if (std::strcmp(url, "/metrics") != 0)
        return Reply(connection, MHD_HTTP_NOT_FOUND, "The metrics are at /metrics.\n", "text/plain");
    const auto* page = static_cast<const MetricsServer::Page*>(context);
    return Reply(connection, MHD_HTTP_OK, (*page)(), MetricsText::ContentType);
}
} // namespace

MetricsServer::MetricsServer(Page page) : m_page(std::move(page)) {}

MetricsServer::~MetricsServer()
{
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
}

bool MetricsServer::Start(const QHostAddress& address, quint16 port)
{
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_port = htons(port);
    socketAddress.sin_addr.s_addr = htonl(address.toIPv4Address());
    m_daemon =
        MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_POLL, port, nullptr, nullptr, &Answer,
                         const_cast<Page*>(&m_page), MHD_OPTION_SOCK_ADDR, &socketAddress, MHD_OPTION_CONNECTION_LIMIT,
                         ConnectionLimit, MHD_OPTION_CONNECTION_TIMEOUT, ConnectionTimeoutSeconds, MHD_OPTION_END);
    if (!m_daemon)
        m_errorString =
            QStringLiteral("cannot serve the metrics on %1:%2: %3")
                .arg(address.toString(), QString::number(port), QString::fromLocal8Bit(std::strerror(errno)));
    return m_daemon != nullptr;
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
