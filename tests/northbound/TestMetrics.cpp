#include "AlarmRecords.h"
#include "FileText.h"
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
    void shippedRuleFiresForAStationThatStopsAnswering();
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

// The head of the answer to a raw request.
QByteArray Ask(quint16 port, const QByteArray& request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress("127.0.20.1"), port);
    socket.write(request);
    QByteArray answer;
    while (!answer.contains("\r\n\r\n") && socket.waitForReadyRead(5000))
        answer += socket.readAll();
    return answer.left(answer.indexOf("\r\n\r\n"));
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
    // Anything but /metrics is not found, and anything but reading is not allowed.
    QVERIFY(Ask(server.Port(), "GET / HTTP/1.1\r\nHost: station\r\n\r\n").startsWith("HTTP/1.1 404 "));
    const QByteArray refusal =
        Ask(server.Port(), "POST /metrics HTTP/1.1\r\nHost: station\r\nContent-Length: 0\r\n\r\n");
    QVERIFY2(refusal.startsWith("HTTP/1.1 405 ") && refusal.contains("\r\nAllow: GET, HEAD"), refusal.constData());
}

void TestMetrics::scrapeSucceedsThroughAFloodOfSlowClients()
{
    MetricsServer server([] { return QByteArray("vizavovu_monitoring 1\n"); });
    QVERIFY2(server.Start(QHostAddress("127.0.20.1"), 0), qPrintable(server.ErrorString()));
    // From enough addresses to fill the server, each with more connections than it may have, every one sending a
    // header line twice a second and never the end of its request.
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
    // Refused or cut, however busily they send.
    QTRY_VERIFY_WITH_TIMEOUT(
        std::all_of(slow.begin(), slow.end(),
                    [](const auto& socket) { return socket->state() == QAbstractSocket::UnconnectedState; }),
        30000);
}

// The rule file of the documentation, through Prometheus's own rule tester: a station that stops answering scrapes
// pages after two minutes, not before.
void TestMetrics::shippedRuleFiresForAStationThatStopsAnswering()
{
    if (!QFile::exists("/usr/bin/promtool"))
        QSKIP("promtool (Debian package prometheus) is not installed");
    QTemporaryDir dir;
    const QString tests = dir.filePath("tests.yml");
    QVERIFY(WriteFile(tests, QByteArray("rule_files: ['") + VZ_RULES_FILE + R"(']
evaluation_interval: 15s
tests:
  - interval: 15s
    input_series:
      - series: 'up{job="vizavovu", instance="console1:9464"}'
        values: '1 1 1 1 0x20'
    alert_rule_test:
      - eval_time: 2m
        alertname: VizavovuDown
        exp_alerts: []
      - eval_time: 3m30s
        alertname: VizavovuDown
        exp_alerts:
          - exp_labels: {severity: critical, job: vizavovu, instance: "console1:9464"}
            exp_annotations: {summary: "The monitoring station console1:9464 does not answer."}
)"));
    QProcess promtool;
    promtool.setProcessChannelMode(QProcess::MergedChannels);
    promtool.start("/usr/bin/promtool", {"test", "rules", tests});
    QVERIFY(promtool.waitForFinished(30000));
    QVERIFY2(promtool.exitCode() == 0, promtool.readAll().constData());
}

QTEST_GUILESS_MAIN(TestMetrics)
#include "TestMetrics.moc"
