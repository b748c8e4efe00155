#include "AlarmRecords.h"
#include "HttpGet.h"
#include "StationFiles.h"
#include "TempAppDir.h"
#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecordPool.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigManager.h"
#include "log/LogManager.h"
#include "northbound/MetricsServer.h"
#include "northbound/StationMetrics.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

// The station's health at /metrics: what Prometheus's own checker makes of it, and counters that agree with the log.
class TestMetrics : public QObject
{
    Q_OBJECT

private slots:
    void countersAgreeWithTheLogAfterABurstAndPromtoolAcceptsThem();
    void scrapeSucceedsThroughAFloodOfSlowClients();
};

namespace {
const QString Probe = QStringLiteral("127.0.20.9");

void Add(AlarmHandler& handler, const QString& ip, int alarmType, int level, const QDateTime& time)
{
    AlarmRecord* record = AlarmRecordPool::Instance()->Acquire();
    *record = MakeAlarm(ip, alarmType == AlarmTypeConnection ? PortTypeNone : PortTypeBnc, 3, -1, alarmType, level);
    record->time = time;
    handler.AddAlarm(record);
}

// The value of the sample written exactly so, or -1.
double Sample(const QByteArray& exposition, const QString& sample)
{
    const QRegularExpression line("^" + QRegularExpression::escape(sample) + " (\\S+)$",
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(exposition));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}
} // namespace

void TestMetrics::countersAgreeWithTheLogAfterABurstAndPromtoolAcceptsThem()
{
    TempAppDir appDir;
    LogManager log;
    AlarmHandler handler;
    handler.SetLogManager(&log);
    // Beside the probe, a device that answered once and one never heard from.
    StationFiles::WriteDevices({{Probe, "Studio A"}, {"127.0.20.11", "Studio B"}, {"127.0.20.12", "Studio C"}});
    DeviceConfigFile config;
    DeviceConfigManager::GetConfig(config);
    handler.SetDeviceConfig(config);
    const StationMetrics metrics({&handler, &log, nullptr, {}, [] { return true; }, "1.2.3"});
    MetricsServer server([&metrics] { return metrics.Exposition(); });
    QVERIFY2(server.Start(QHostAddress("127.0.20.1"), 0), qPrintable(server.ErrorString()));

    // Starts and ends of one port, alarms of a device nobody configured, one undecodable record, and a device lost.
    const int pairs = 300;
    const int strangers = 20;
    const QDateTime start = QDateTime::currentDateTime();
    for (int i = 0; i < pairs; ++i) {
        Add(handler, Probe, AlarmTypeVideoLost, LevelError, start.addMSecs(2 * i));
        Add(handler, Probe, AlarmTypeVideoLost, LevelNormal, start.addMSecs(2 * i + 1));
    }
    for (int i = 0; i < strangers; ++i)
        Add(handler, "127.0.20.10", AlarmTypeVideoLost, LevelError, start.addMSecs(i));
    Add(handler, Probe, AlarmTypeNone, LevelError, start);
    Add(handler, Probe, AlarmTypeConnection, LevelError, start.addSecs(1));
    Add(handler, "127.0.20.11", AlarmTypeConnection, LevelNormal, start);

    const QString database = GetLogDatabasePath();
    const QUrl url(QStringLiteral("http://127.0.20.1:%1/metrics").arg(server.Port()));
    QByteArray page;
    QTRY_VERIFY_WITH_TIMEOUT((page = HttpGet(url), Sample(page, "vizavovu_log_rows_written_total") == pairs + 1 &&
                                                       Sample(page, "vizavovu_log_row_ends_written_total") == pairs),
                             10000);
    const double rows = QueryValue(database, "select count(*) from alarm2").toDouble();
    const double ended = QueryValue(database, "select count(*) from alarm2 where end_time is not null").toDouble();
    QCOMPARE(Sample(page, "vizavovu_log_rows_written_total"), rows);
    QCOMPARE(Sample(page, "vizavovu_log_row_ends_written_total"), ended);
    QCOMPARE(Sample(page, "vizavovu_log_write_failures_total"), 0.0);
    QCOMPARE(Sample(page, "vizavovu_alarm_records_received_total"), double(2 * pairs + strangers + 3));
    QCOMPARE(Sample(page, "vizavovu_alarm_records_decoded_total"), double(2 * pairs + strangers + 2));
    QCOMPARE(Sample(page, "vizavovu_alarm_records_filtered_total"), double(strangers));
    QCOMPARE(Sample(page, "vizavovu_active_alarms{severity=\"critical\"}"), 1.0);
    QCOMPARE(Sample(page, "vizavovu_devices{state=\"lost\"}"), 1.0);
    QCOMPARE(Sample(page, "vizavovu_devices{state=\"reachable\"}"), 1.0);
    QVERIFY(Sample(page, "process_resident_memory_bytes") > 0);
    QVERIFY(Sample(page, "process_start_time_seconds") > QDateTime::currentSecsSinceEpoch() - 3600);

    if (!QFile::exists("/usr/bin/promtool"))
        QSKIP("promtool (Debian package prometheus) is not installed");
    QProcess promtool;
    promtool.setProcessChannelMode(QProcess::MergedChannels);
    promtool.start("/usr/bin/promtool", {"check", "metrics"});
    QVERIFY(promtool.waitForStarted(5000));
    promtool.write(page);
    promtool.closeWriteChannel();
    QVERIFY(promtool.waitForFinished(10000));
    QVERIFY2(promtool.exitCode() == 0, promtool.readAll().constData());
    // Anything but /metrics is not found.
    int status = 0;
    HttpGet(QUrl(QStringLiteral("http://127.0.20.1:%1/").arg(server.Port())), &status);
    QCOMPARE(status, 404);

    // The rule file that the documentation gives.
    promtool.start("/usr/bin/promtool", {"check", "rules", VZ_RULES_FILE});
    QVERIFY(promtool.waitForFinished(10000));
    QVERIFY2(promtool.exitCode() == 0, promtool.readAll().constData());
}

void TestMetrics::scrapeSucceedsThroughAFloodOfSlowClients()
{
    MetricsServer server([] { return QByteArray("vizavovu_monitoring 1\n"); });
    QVERIFY2(server.Start(QHostAddress("127.0.20.1"), 0), qPrintable(server.ErrorString()));
    // From enough addresses to fill the server, each with more connections than it may have, every one sending a
    // header line twice a second and never the end of its request: refused, or cut at the deadline.
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (unsigned address = 1; address <= MetricsServer::ConnectionLimit / MetricsServer::ClientConnectionLimit;
         ++address) {
        for (unsigned i = 0; i <= MetricsServer::ClientConnectionLimit; ++i) {
            slow.push_back(std::make_unique<QTcpSocket>());
            QVERIFY(slow.back()->bind(QHostAddress(QStringLiteral("127.0.21.%1").arg(address))));
            slow.back()->connectToHost(QHostAddress("127.0.20.1"), server.Port());
            slow.back()->write("GET /metrics HTTP/1.1\r\nHost: station\r\n");
        }
    }
    QTimer trickle;
    connect(&trickle, &QTimer::timeout, [&slow] {
        for (const auto& socket : slow)
            socket->write("X-Slow: 1\r\n");
    });
    trickle.start(500);
    const QUrl url(QStringLiteral("http://127.0.20.1:%1/metrics").arg(server.Port()));
    // Each scrape waits a second at most; they go on for a few deadlines of the server's.
    const QDeadlineTimer deadline(3 * std::chrono::milliseconds(MetricsServer::RequestDeadline).count());
    int status = 0;
    while (status != 200 && !deadline.hasExpired())
        HttpGet(url, &status, 1000);
    QCOMPARE(status, 200);
}

QTEST_GUILESS_MAIN(TestMetrics)
#include "TestMetrics.moc"
