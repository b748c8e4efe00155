#include "AlarmRecords.h"
#include "AlertmanagerProcess.h"
#include "FileText.h"
#include "TempAppDir.h"
#include "alarm/AlarmRecord.h"
#include "alarm/DeviceStateRead.h"
#include "log/LogManager.h"
#include "northbound/SyslogMessage.h"

#include <QFile>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <atomic>

// Alarms as alerts to Debian's Alertmanager on loopback: what the log writes, re-sent while active, and what the log
// still holds open after a restart.
class TestAlertmanager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void alarmStartFiresAndItsEndResolves();
    void alertmanagerStartedLateStillReceivesTheActiveAlarm();
    void alarmsOpenInTheLogAreSentAgainAfterARestart();
    void credentialsFromTheFileGoWithEveryPost();

private:
    // The alerts Alertmanager holds, each as its labels in one text, sorted.
    QStringList ActiveLabels() const;
    QJsonObject AlertNamed(const QString& alertname) const;

    std::unique_ptr<AlertmanagerProcess> m_alertmanager;
    quint16 m_port = 0;
    const QString m_host = QStringLiteral("127.0.20.1");
};

namespace {
// The sender's report of posts that reached no Alertmanager, counted from any thread.
std::atomic<int> s_failedPostReports{0};
QtMessageHandler s_testHandler = nullptr;

void CountFailedPosts(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("alertmanager ")) && text.contains(QLatin1String("cannot post")))
        ++s_failedPostReports;
    s_testHandler(type, context, text);
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

    // The recovery ends the alarm: Alertmanager lists resolved alerts no more.
    AlarmRecord recovered = lost;
    recovered.level = LevelNormal;
    recovered.time = lost.time.addSecs(5);
    log.AddAlarm(&recovered);
    QTRY_VERIFY_WITH_TIMEOUT(ActiveLabels().size() == 1 && AlertNamed("VideoLost").isEmpty(), 10000);
}

void TestAlertmanager::alertmanagerStartedLateStillReceivesTheActiveAlarm()
{
    TempAppDir appDir;
    LogManager log;
    log.SetAlertmanagerTargets({*AlertmanagerTarget::Parse(QStringLiteral("http://%1:%2/").arg(m_host).arg(m_port))});
    const AlarmRecord lost = Studio(PortTypeBnc, 3, -1, AlarmTypeVideoLost, LevelError, "2024-03-05T07:04:09.031");
    log.AddAlarm(&lost);
    s_failedPostReports = 0;
    s_testHandler = qInstallMessageHandler(CountFailedPosts);
    const auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(s_testHandler); });
    log.Flush();
    // The alert's first post fails before Alertmanager is there.
    QTRY_VERIFY_WITH_TIMEOUT(s_failedPostReports > 0, 10000);
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
    QVERIFY(WriteFile(credentials, "basic pager:s3cret\n"));
    AlertmanagerTarget target = *AlertmanagerTarget::Parse(QStringLiteral("http://%1:%2/am/").arg(m_host).arg(m_port));
    QString error;
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
    QVERIFY2(head.contains("\r\nAuthorization: Basic " + QByteArray("pager:s3cret").toBase64() + "\r\n"),
             head.constData());
}

QTEST_GUILESS_MAIN(TestAlertmanager)
#include "TestAlertmanager.moc"
