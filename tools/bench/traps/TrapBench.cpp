// Traps per second through the listener, decoding, handler and display router, against snmptrapd on the same
// traps and the same machine; then paced alarm starts and ends into the alarm log, with and without the syslog
// stream to a local collector, and with alerts to a local Alertmanager while /metrics is scraped ten times a second.
// Run by hand: build/bin/trap-bench
#include "AlertmanagerProcess.h"
#include "FreeUdpPort.h"
#include "HttpGet.h"
#include "StationFiles.h"
#include "SyslogReceiver.h"
#include "TempAppDir.h"
#include "TrapSender.h"
#include "TrapTraffic.h"
#include "alarm/AlarmDisplay.h"
#include "alarm/AlarmHandler.h"
#include "alarm/ShowAlarmManager.h"
#include "app/AppPaths.h"
#include "app/LocalTimeZone.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "log/LogManager.h"
#include "northbound/MetricsServer.h"
#include "northbound/NorthboundSender.h"
#include "northbound/StationMetrics.h"
#include "northbound/SyslogTarget.h"
#include "snmp/SnmpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>

namespace {
using namespace TrapTraffic;
constexpr int StormDevices = 1000;
constexpr long StormTraps = long(StormDevices) * StormPorts * StormTracks;

class CountingDisplay : public AlarmDisplay
{
public:
    void SetSoundAlarmManager(SoundAlarmManager*) override {}
    void SetMaxHistory(int) override {}
    void SetDeviceConfig(const DeviceConfigFile&) override {}
    void ClearDevices() override {}
    void AddDevice(const QString&, const QString&) override {}
    void DealAlarm(const AlarmRecord*) override { ++count; }
    void ClearAlarms() override {}

    std::atomic<long> count{0};
};

// Waits until the count has stopped growing for a while; bounded.
long Settle(const std::function<long()>& count)
{
    long last = -1;
    QElapsedTimer quiet;
    QElapsedTimer total;
    total.start();
    while (total.elapsed() < 15000) {
        const long now = count();
        if (now != last) {
            last = now;
            quiet.restart();
        } else if (quiet.elapsed() > 500) {
            break;
        }
        QThread::msleep(20);
    }
    return last;
}

long CountLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().count('\n');
}

struct Receiver
{
    QString name;
    quint16 port;
    std::function<long()> count;
};

// A strict syslog collector on a thread of its own, so that it keeps reading while the bench sends.
class Collector
{
public:
    Collector()
    {
        m_receiver.moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            &m_receiver, [this] { m_receiver.ListenTcp(); }, Qt::BlockingQueuedConnection);
    }
    ~Collector()
    {
        QMetaObject::invokeMethod(
            &m_receiver, [this] { m_receiver.Close(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    SyslogTarget Target() const
    {
        SyslogTarget target;
        target.transport = SyslogTarget::Transport::Tcp;
        target.host = "127.0.0.1";
        target.port = m_receiver.Port();
        return target;
    }
    // Well-formed messages received, or -1 once one was not.
    long Count()
    {
        long count = 0;
        QMetaObject::invokeMethod(
            &m_receiver,
            [this, &count] { count = m_receiver.Errors().isEmpty() ? long(m_receiver.Messages().size()) : -1; },
            Qt::BlockingQueuedConnection);
        return count;
    }

private:
    QThread m_thread;
    SyslogReceiver m_receiver;
};

// Reads /metrics ten times a second on a thread of its own while it lives.
class Scraper
{
public:
    explicit Scraper(const QUrl& url)
        : m_thread(QThread::create([this, url] {
              while (!m_stop) {
                  if (!HttpGet(url).isEmpty())
                      ++m_scrapes;
                  QThread::msleep(100);
              }
          }))
    {
        m_thread->start();
    }
    ~Scraper()
    {
        m_stop = true;
        m_thread->wait();
    }
    long Scrapes() const { return m_scrapes; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_scrapes{0};
    std::unique_ptr<QThread> m_thread;
};

// A facility-wide fault: every track of every BNC port of every probe falls silent, each probe sending from its
// own address, back to back as fast as the sender can; then every one of them recovers the same way.
void BenchStorm(Receiver (&receivers)[2])
{
    QStringList addresses;
    for (int d = 0; d < StormDevices; ++d)
        addresses << StormAddress(d);
    const Senders senders(addresses);
    std::printf("\nstorm: %ld silences from %d addresses back to back, then their ends\n", StormTraps, StormDevices);
    std::printf("%-8s %-10s %10s %10s %12s %14s\n", "half", "receiver", "sent", "send/s", "handed on", "drained after");
    const char* halves[] = {"starts", "ends"};
    const char* severities[] = {"2", "0"};
    for (int half = 0; half < 2; ++half) {
        const QList<QByteArray> packets = Silences(severities[half]);
        for (Receiver& receiver : receivers) {
            const long before = receiver.count();
            const double seconds = Send(packets, receiver.port, StormTraps, 0, senders);
            QElapsedTimer drained;
            drained.start();
            // The last packet has left once Send returns; the count stops growing when the receiver is done.
            long handedOn = before;
            for (long last = -1; handedOn != last && drained.elapsed() < 60000; QThread::msleep(200)) {
                last = handedOn;
                handedOn = receiver.count();
            }
            handedOn -= before;
            std::printf("%-8s %-10s %10ld %10.0f %12ld %11.1f s\n", halves[half], qPrintable(receiver.name), StormTraps,
                        StormTraps / seconds, handedOn, (drained.elapsed() - 200) / 1000.0);
            std::fflush(stdout);
        }
    }
}

// Paced raise and clear traps of one port into the alarm log: each pair is one row with its end time. Every rate
// runs with the log alone, then with the syslog stream, then with alerts to Alertmanager while a scraper reads
// /metrics ten times a second, so that the columns are measured side by side.
void BenchAlarmLog(AlarmHandler& handler, quint16 stationPort)
{
    TempAppDir appDir;
    LogManager log;
    handler.SetLogManager(&log);
    Collector collector;
    const QString amHost = "127.0.20.1";
    AlertmanagerProcess alertmanager;
    const bool withAlertmanager = alertmanager.Start(amHost, AlertmanagerProcess::FreeTcpPort(amHost));
    if (!withAlertmanager)
        std::printf("no Alertmanager: %s\n", qPrintable(alertmanager.ErrorString()));
    const StationMetrics metrics({&handler, &log, nullptr, {}, {}, "bench"});
    MetricsServer metricsServer([&metrics] { return metrics.Exposition(); });
    metricsServer.Start(QHostAddress(amHost), 0);
    const QUrl metricsUrl(QString("http://%1:%2/metrics").arg(amHost).arg(metricsServer.Port()));

    const QList<QByteArray> pairs{VideoLost("2"), VideoLost("0")};
    const QString database = GetLogDatabasePath();
    auto endedRows = [&database] {
        return long(QueryValue(database, "select count(*) from alarm2 where end_time is not null").toLongLong());
    };

    std::printf("\nalarm log, end to end: raise and clear pairs to rows with their end time\n");
    std::printf("%-10s %10s %12s %12s %12s %12s %10s %8s\n", "pairs/s", "pairs", "log", "log+syslog", "syslog msgs",
                "log+am+metr", "am dropped", "scrapes");
    long losslessRate[3] = {0, 0, 0};
    const long rates[] = {500, 1000, 2000, 4000, 8000, 16000, 32000, 64000, 128000};
    for (long rate : rates) {
        const long count = qBound(1000L, rate * 2, 8000L);
        long rows[3] = {0, 0, 0};
        long messages = 0;
        long alertsDropped = 0;
        long scrapes = 0;
        for (int run = 0; run < (withAlertmanager ? 3 : 2); ++run) {
            log.SetSyslogTargets(run == 1 ? QList<SyslogTarget>{collector.Target()} : QList<SyslogTarget>{});
            log.SetAlertmanagerTargets(
                run == 2 ? QList<AlertmanagerTarget>{*AlertmanagerTarget::Parse(alertmanager.Url().toString())}
                         : QList<AlertmanagerTarget>{});
            std::unique_ptr<Scraper> scraper(run == 2 ? new Scraper(metricsUrl) : nullptr);
            const long rowsBefore = endedRows();
            const long messagesBefore = collector.Count();
            Send(pairs, stationPort, count * 2, rate * 2);
            rows[run] = Settle(endedRows) - rowsBefore;
            bool lossless = rows[run] == count;
            if (run == 1) {
                messages = Settle([&collector] { return collector.Count(); }) - messagesBefore;
                lossless = lossless && messages == count * 2;
            }
            if (run == 2) {
                const NorthboundSender* sender = log.Receivers().front();
                Settle([sender] { return long(sender->QueueLength()); });
                alertsDropped = long(sender->DroppedCount());
                lossless = lossless && alertsDropped == 0 && sender->QueueLength() == 0;
                scrapes = scraper->Scrapes();
            }
            if (lossless)
                losslessRate[run] = rate;
        }
        std::printf("%-10ld %10ld %12ld %12ld %12ld %12ld %10ld %8ld\n", rate, count, rows[0], rows[1], messages,
                    rows[2], alertsDropped, scrapes);
        std::fflush(stdout);
    }
    std::printf("highest lossless rate: log %ld pairs/s, log with syslog %ld pairs/s, log with Alertmanager and "
                "metrics scraped at 10 Hz %ld pairs/s\n",
                losslessRate[0], losslessRate[1], losslessRate[2]);
    log.SetSyslogTargets({});
    log.SetAlertmanagerTargets({});
    handler.SetLogManager(nullptr);
}
} // namespace

int main(int argc, char* argv[])
{
    // As the station does at start-up.
    PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    QTemporaryDir work;

    // The station's pipeline, with consumers that only count.
    CountingDisplay display;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler;
    handler.SetShowAlarmManager(&router);
    DeviceConfigFile config;
    DeviceConfigNode device;
    device.SetIp(SenderAddress);
    device.SetDevName("bench");
    device.SetBncPort(2, PortConfigNode());
    config.AddDevice(device);
    AddStormProbes(config, StormDevices);
    handler.SetDeviceConfig(config);
    SnmpServer server;
    server.SetAlarmHandler(&handler);
    const quint16 stationPort = FreeUdpPort();
    if (!server.Start("127.0.0.1", stationPort)) {
        std::fprintf(stderr, "station: %s\n", qPrintable(server.ErrorString()));
        return 1;
    }

    // snmptrapd on the same traps: one line per trap in its log file.
    const quint16 trapdPort = FreeUdpPort();
    const QString conf = work.filePath("snmptrapd.conf");
    const QString log = work.filePath("snmptrapd.log");
    QFile confFile(conf);
    confFile.open(QIODevice::WriteOnly);
    confFile.write("disableAuthorization yes\n");
    confFile.close();
    QProcess trapd;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SNMP_PERSISTENT_DIR", work.path());
    trapd.setProcessEnvironment(env);
    trapd.start("snmptrapd",
                {"-f", "-n", "-C", "-c", conf, "-Lf", log, "-F", "T\n", QString("udp:127.0.0.1:%1").arg(trapdPort)});
    if (!trapd.waitForStarted(5000)) {
        std::fprintf(stderr, "snmptrapd did not start\n");
        return 1;
    }

    const QList<QByteArray> packet{VideoLost("2")};
    Receiver receivers[] = {
        {"station", stationPort, [&] { return long(display.count); }},
        {"snmptrapd", trapdPort, [&] { return CountLines(log); }},
    };
    // Both receivers must be up before anything is measured.
    for (Receiver& receiver : receivers) {
        const long before = receiver.count();
        for (int attempt = 0; attempt < 50 && receiver.count() == before; ++attempt) {
            Send(packet, receiver.port, 1, 0);
            QThread::msleep(100);
        }
        Settle(receiver.count);
    }

    std::printf("%-10s %10s %10s %12s %12s\n", "rate/s", "sent", "reached/s", "station", "snmptrapd");
    // The rate each receiver was lossless at, as the sender reached it.
    double losslessRate[2] = {0, 0};
    // Each rate for a second, so that what is measured is the rate kept up and not the room of a queue.
    const long rates[] = {2000, 5000, 10000, 20000, 40000, 80000, 120000, 160000, 200000, 240000, 320000};
    for (long rate : rates) {
        const long count = qMax(4000L, rate);
        long received[2];
        double reached = 0;
        for (int r = 0; r < 2; ++r) {
            const long before = receivers[r].count();
            const double seconds = Send(packet, receivers[r].port, count, rate);
            // The slower of the two sends is the rate both were offered.
            reached = r == 0 ? count / seconds : qMin(reached, count / seconds);
            received[r] = Settle(receivers[r].count) - before;
            if (received[r] == count)
                losslessRate[r] = qMax(losslessRate[r], count / seconds);
        }
        std::printf("%-10ld %10ld %10.0f %12ld %12ld\n", rate, count, reached, received[0], received[1]);
        std::fflush(stdout);
    }

    long burst[2];
    for (int r = 0; r < 2; ++r) {
        const long before = receivers[r].count();
        Send(packet, receivers[r].port, 5000, 0);
        burst[r] = Settle(receivers[r].count) - before;
    }
    std::printf("\nburst of 5000 back to back: station %ld, snmptrapd %ld\n", burst[0], burst[1]);
    std::printf("highest lossless rate reached: station %.0f/s, snmptrapd %.0f/s, ratio %.1f\n", losslessRate[0],
                losslessRate[1], losslessRate[1] ? losslessRate[0] / losslessRate[1] : 0.0);

    BenchStorm(receivers);
    trapd.terminate();
    trapd.waitForFinished(3000);
    BenchAlarmLog(handler, stationPort);
    server.Stop();
    return 0;
}
