#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <unordered_map>

struct MHD_Connection;
struct MHD_Daemon;

// Serves the station's metrics at /metrics over HTTP, on a thread of its own. Each scrape calls the page function
// there, so it must be safe from any thread and must not wait on the alarm path. Slow or greedy clients cannot
// lock out a scrape: each address has a few connections at most, and a request not answered in time is cut.
class MetricsServer
{
public:
    using Page = std::function<QByteArray()>;

    static constexpr unsigned ConnectionLimit = 64;
    static constexpr unsigned ClientConnectionLimit = 4;
    // From a connection's start or its last answer, however slowly the client keeps sending.
    static constexpr std::chrono::seconds RequestDeadline{5};

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
    using Clock = std::chrono::steady_clock;

    // The server's thread.
    void Serve();
    void CutLateRequests();

    const Page m_page;
    MHD_Daemon* m_daemon = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stopRequested{false};
    // Only the server's thread touches this: when the request that each open connection owes began.
    std::unordered_map<MHD_Connection*, Clock::time_point> m_requestStarts;
    QString m_errorString;
};
