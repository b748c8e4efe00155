#include "AlarmRecords.h"
#include "AlertmanagerProcess.h"
#include "FileText.h"
#include "TempAppDir.h"
#include "alarm/AlarmRecord.h"
#include "alarm/DeviceStateRead.h"
#include "app/AppPaths.h"
#include "log/LogManager.h"
#include "northbound/NorthboundSender.h"
#include "northbound/SyslogMessage.h"

#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <atomic>

// Alarms as alerts to Debian's Alertmanager on loopback: what the log writes, re-sent while active, and what the log
// still holds open after a restart. The whole program runs under an Egyptian locale, whose digits are not ASCII.
class TestAlertmanager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void alarmStartFiresAndItsEndResolves();
    void alertmanagerStartedLateStillReceivesTheActiveAlarm();
    void alarmsOpenInTheLogAreSentAgainAfterARestart();
    void credentialsFromTheFileGoWithEveryPost();
    void answerOtherThanSuccess_data();
    void answerOtherThanSuccess();

private:
    // The alarms' alerts that Alertmanager holds, each as its labels in one text, sorted; the watchdog left out.
    QStringList ActiveLabels() const;
    QJsonObject AlertNamed(const QString& alertname) const;

    std::unique_ptr<AlertmanagerProcess> m_alertmanager;
    quint16 m_port = 0;
    const QString m_host = QStringLiteral("127.0.20.1");
};

namespace {
// Read by Qt when it first asks for the system locale, after this is set.
const bool s_egyptianLocale = qputenv("LC_ALL", "ar_EG.UTF-8");

// The sender's reports that hold s_watched, counted from any thread.
QString s_watched;
std::atomic<int> s_watchedReports{0};
QtMessageHandler s_testHandler = nullptr;

void CountWatchedReports(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("alertmanager ")) && text.contains(s_watched))
        ++s_watchedReports;
    s_testHandler(type, context, text);
}

// Counts until the returned guard goes.
auto WatchReports(const QString& part)
{
    s_watched = part;
    s_watchedReports = 0;
    s_testHandler = qInstallMessageHandler(CountWatchedReports);
    return qScopeGuard([] { qInstallMessageHandler(s_testHandler); });
}

AlarmRecord Studio(int portType, int portID, int trackID, int alarmType, int level, const QString& time)
{
    AlarmRecord record = MakeAlarm(QStringLiteral("127.0.20.9"), portType, portID, trackID, alarmType, level);
    record.deviceName = QStringLiteral("Studio A");
    record.signalName = QStringLiteral("CAM 3");
    record.time = QDateTime::fromString(time, Qt::ISODateWithMs);
    return record;
}
} // namespace

void TestAlertmanager::initTestCase()
{
    QVERIFY(s_egyptianLocale);
    QVERIFY(QLocale::system().zeroDigit() != QLatin1Char('0'));
}

void TestAlertmanager::init()
{
    if (!QFile::exists(AlertmanagerProcess::Binary))
        QSKIP("prometheus-alertmanager is not installed");
    m_port = AlertmanagerProcess::FreeTcpPort(m_host);
    m_alertmanager = std::make_unique<AlertmanagerProcess>();
}

QStringList TestAlertmanager::ActiveLabels() const
{
    QStringList active;
    for (const QJsonValue& alert : m_alertmanager->Alerts()) {
        const QJsonObject labels = alert[QLatin1String("labels")].toObject();
        if (labels["alertname"] == "VizavovuWatchdog")
            continue;
        QStringList pairs;
        for (auto label = labels.begin(); label != labels.end(); ++label)
            pairs << label.key() + "=" + label.value().toString();
        active << pairs.join(' ');
    }
    active.sort();
    return active;
}

QJsonObject TestAlertmanager::AlertNamed(const QString& alertname) const
{
    for (const QJsonValue& alert : m_alertmanager->Alerts()) {
        if (alert[QLatin1String("labels")][QLatin1String("alertname")] == alertname)
            return alert.toObject();
    }
    return {};
}

void TestAlertmanager::alarmStartFiresAndItsEndResolves()
{
    QVERIFY2(m_alertmanager->Start(m_host, m_port), qPrintable(m_alertmanager->ErrorString()));
    TempAppDir appDir;
    const QDateTime started = QDateTime::currentDateTime();
    {
        LogManager log;
        log.SetAlertmanagerTargets({*AlertmanagerTarget::Parse(m_alertmanager->Url().toString())});

        const AlarmRecord lost = Studio(PortTypeBnc, 3, -1, AlarmTypeVideoLost, LevelError, "2024-03-05T07:04:09.031");
        const AlarmRecord silence = Studio(PortTypeAes, 1, 5, AlarmTypeSilence, LevelWarn, "2024-03-05T07:04:10.000");
        log.AddAlarm(&lost);
        log.AddAlarm(&silence);
        const QString station = "station=" + SyslogMessage::LocalHostName();
        const QString common = " device=Studio A ip=127.0.20.9 ";
        QTRY_COMPARE_WITH_TIMEOUT(
            ActiveLabels(),
            (QStringList{"alertname=AudioSilence" + common + "port=AES/EBU 1 severity=warning " + station + " track=5",
                         "alertname=VideoLost" + common + "port=BNC 3 severity=critical " + station}),
            10000);
        const QJsonObject alert = AlertNamed("VideoLost");
        QCOMPARE(alert["annotations"]["helpkey"].toString(), AlarmHelpKey(lost));
        QCOMPARE(QDateTime::fromString(alert["startsAt"].toString(), Qt::ISODateWithMs), lost.time);
        QCOMPARE(alert["generatorURL"].toString(),
                 QStringLiteral("vizavovu://%1/127.0.20.9/BNC%203").arg(SyslogMessage::LocalHostName().toLower()));
        // Firing a few re-sends ahead: it lapses neither while the station runs nor for ever after a crash.
        const QDateTime endsAt = QDateTime::fromString(alert["endsAt"].toString(), Qt::ISODateWithMs);
        QVERIFY2(endsAt > started.addSecs(3 * 60) && endsAt < started.addSecs(10 * 60), qPrintable(endsAt.toString()));

        // The recovery ends the alarm: Alertmanager lists resolved alerts no more.
        AlarmRecord recovered = lost;
        recovered.level = LevelNormal;
        recovered.time = lost.time.addSecs(5);
        log.AddAlarm(&recovered);
        QTRY_VERIFY_WITH_TIMEOUT(ActiveLabels().size() == 1 && AlertNamed("VideoLost").isEmpty(), 10000);
    }
    // A clean exit resolves nothing: the silence and the station's watchdog fire on until they lapse.
    QCOMPARE(ActiveLabels().size(), 1);
    QCOMPARE(AlertNamed("VizavovuWatchdog")["labels"].toObject(),
             (QJsonObject{{"alertname", "VizavovuWatchdog"},
                          {"severity", "none"},
                          {"station", SyslogMessage::LocalHostName()}}));
    // The log's times and keys keep ASCII digits whatever the system's locale: SQLite reads them as dates.
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "digits");
        database.setDatabaseName(GetLogDatabasePath());
        QVERIFY(database.open());
        QSqlQuery query("SELECT start_time || ' ' || coalesce(end_time, '') || ' ' || helpkey FROM alarm2", database);
        int rows = 0;
        for (; query.next(); ++rows)
            QVERIFY2(!query.value(0).toString().contains(QRegularExpression("[^ -~]")),
                     qPrintable(query.value(0).toString()));
        QCOMPARE(rows, 2);
    }
    QSqlDatabase::removeDatabase("digits");
}

void TestAlertmanager::alertmanagerStartedLateStillReceivesTheActiveAlarm()
{
    TempAppDir appDir;
    LogManager log;
    log.SetAlertmanagerTargets({*AlertmanagerTarget::Parse(QStringLiteral("http://%1:%2/").arg(m_host).arg(m_port))});
    const AlarmRecord lost = Studio(PortTypeBnc, 3, -1, AlarmTypeVideoLost, LevelError, "2024-03-05T07:04:09.031");
    log.AddAlarm(&lost);
    const auto watching = WatchReports("cannot post");
    log.Flush();
    // The alert's first post fails before Alertmanager is there.
    QTRY_VERIFY_WITH_TIMEOUT(s_watchedReports > 0, 10000);
    QVERIFY2(m_alertmanager->Start(m_host, m_port), qPrintable(m_alertmanager->ErrorString()));
    QTRY_VERIFY_WITH_TIMEOUT(!AlertNamed("VideoLost").isEmpty(), 20000);
}

void TestAlertmanager::alarmsOpenInTheLogAreSentAgainAfterARestart()
{
    QVERIFY2(m_alertmanager->Start(m_host, m_port), qPrintable(m_alertmanager->ErrorString()));
    TempAppDir appDir;
    const AlarmRecord lost = Studio(PortTypeBnc, 3, -1, AlarmTypeVideoLost, LevelError, "2024-03-05T07:04:09.031");
    AlarmRecord ended = Studio(PortTypeBnc, 4, -1, AlarmTypeVideoLost, LevelError, "2024-03-05T07:04:09.500");
    {
        LogManager before;
        before.AddAlarm(&lost);
        before.AddAlarm(&ended);
        ended.level = LevelNormal;
        before.AddAlarm(&ended);
    }
    LogManager after;
    after.SetAlertmanagerTargets({*AlertmanagerTarget::Parse(m_alertmanager->Url().toString())});
    // The alarm still open goes out again with the level it started with.
    QTRY_COMPARE_WITH_TIMEOUT(ActiveLabels(),
                              QStringList{"alertname=VideoLost device=Studio A ip=127.0.20.9 port=BNC 3 "
                                          "severity=critical station=" +
                                          SyslogMessage::LocalHostName()},
                              10000);
    QCOMPARE(AlertNamed("VideoLost")["annotations"].toObject()["helpkey"].toString(), AlarmHelpKey(lost));
    // The first read of the device finds the port fine: the alert is resolved.
    DeviceStateRead read{
        lost.ip, QDateTime::currentDateTime(), QDateTime::currentDateTime(), {AlarmIdentityKey(lost)}, {}};
    after.Settle(read);
    QTRY_COMPARE_WITH_TIMEOUT(ActiveLabels(), QStringList(), 10000);
}

void TestAlertmanager::credentialsFromTheFileGoWithEveryPost()
{
    TempAppDir appDir;
    const QString credentials = appDir.filePath("credentials");
    QVERIFY(WriteFile(credentials, "basic pager:s3cret words \n"));
    AlertmanagerTarget target = *AlertmanagerTarget::Parse(QStringLiteral("http://%1:%2/am/").arg(m_host).arg(m_port));
    QString error;
    // Others may read it, as a fresh file may be.
    QVERIFY(QFile::setPermissions(credentials, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    QVERIFY(!AlertmanagerTarget::ReadCredentials(credentials, target.authorization, error));
    QVERIFY2(error.contains("0604"), qPrintable(error));
    QVERIFY(QFile::setPermissions(credentials, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY2(AlertmanagerTarget::ReadCredentials(credentials, target.authorization, error), qPrintable(error));

    // A stand-in that only reads the request's head.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(m_host), m_port));
    LogManager log;
    log.SetAlertmanagerTargets({target});
    const AlarmRecord lost = Studio(PortTypeBnc, 3, -1, AlarmTypeVideoLost, LevelError, "2024-03-05T07:04:09.031");
    log.AddAlarm(&lost);
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), 10000);
    QTcpSocket* request = server.nextPendingConnection();
    QByteArray head;
    QTRY_VERIFY_WITH_TIMEOUT((head += request->readAll()).contains("\r\n\r\n"), 10000);
    QVERIFY2(head.startsWith("POST /am/api/v2/alerts HTTP/1.1\r\n"), head.constData());
    QVERIFY2(head.contains("\r\nAuthorization: Basic " + QByteArray("pager:s3cret words ").toBase64() + "\r\n"),
             head.constData());
}

void TestAlertmanager::answerOtherThanSuccess_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("keptForRetry");
    // A proxy that sends http:// to https:// would have swallowed every alert.
    QTest::newRow("redirect") << QByteArray(
                                     "HTTP/1.1 301 Moved Permanently\r\nLocation: https://am.example/api/v2/alerts\r\n")
                              << "HTTP 301 redirects to https://am.example/api/v2/alerts" << true;
    QTest::newRow("refusal") << QByteArray("HTTP/1.1 422 Unprocessable Entity\r\n") << "1 alerts refused" << false;
}

// Against a stand-in that gives every request the same answer: a redirect holds the alarm back until the exit, which
// says once that it was lost; a refusal drops it, counted, with the watchdog alert.
void TestAlertmanager::answerOtherThanSuccess()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, report);
    QFETCH(bool, keptForRetry);
    TempAppDir appDir;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(m_host), m_port));
    connect(&server, &QTcpServer::newConnection, &server, [&server, answer] {
        QTcpSocket* socket = server.nextPendingConnection();
        // Answers once the request is in, up to its Content-Length.
        connect(socket, &QTcpSocket::readyRead, socket, [socket, answer, request = QByteArray()]() mutable {
            request += socket->readAll();
            const int head = request.indexOf("\r\n\r\n") + 4;
            static const QRegularExpression length("content-length: *([0-9]+)",
                                                   QRegularExpression::CaseInsensitiveOption);
            if (head >= 4 && request.size() >= head + length.match(request).captured(1).toInt()) {
                request.clear();
                socket->write(answer + "Content-Length: 0\r\n\r\n");
            }
        });
    });

    const auto watching = WatchReports(report);
    LogManager log;
    log.SetAlertmanagerTargets({*AlertmanagerTarget::Parse(QStringLiteral("http://%1:%2").arg(m_host).arg(m_port))});
    const NorthboundSender* sender = log.Receivers().front();
    const AlarmRecord lost = Studio(PortTypeBnc, 3, -1, AlarmTypeVideoLost, LevelError, "2024-03-05T07:04:09.031");
    log.AddAlarm(&lost);
    QTRY_VERIFY_WITH_TIMEOUT(s_watchedReports > 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(keptForRetry ? sender->QueueLength() == 1 && sender->DroppedCount() == 0
                                          : sender->QueueLength() == 0 && sender->DroppedCount() == 2,
                             10000);
    if (keptForRetry)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^alertmanager .*: 1 alarm messages lost at exit"));
}

QTEST_GUILESS_MAIN(TestAlertmanager)
#include "TestAlertmanager.moc"
