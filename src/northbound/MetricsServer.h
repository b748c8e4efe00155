#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <functional>

struct MHD_Daemon;

// Serves the station's metrics at /metrics over HTTP, on a thread of libmicrohttpd's. Each scrape calls the page
// function there, so it must be safe from any thread and must not wait on the alarm path.
class MetricsServer
{
public:
    using Page = std::function<QByteArray()>;

    explicit MetricsServer(Page page);
    // Stops serving; once it returns, the page function is not running and will not be called again.
    ~MetricsServer();
    MetricsServer(const MetricsServer&) = delete;
    MetricsServer& operator=(const MetricsServer&) = delete;

    // Port 0 takes any free port, see Port.
    bool Start(const QHostAddress& address, quint16 port);
    quint16 Port() const;
    QString ErrorString() const { return m_errorString; }

    // What --metrics takes: HOST:PORT, HOST an IPv4 address, or PORT alone (or :PORT) for the loopback address.
    static bool ParseListenAddress(const QString& text, QHostAddress& address, quint16& port);

private:
    const Page m_page;
    MHD_Daemon* m_daemon = nullptr;
    QString m_errorString;
};
