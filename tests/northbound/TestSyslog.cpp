#include "AlarmRecords.h"
#include "AlertmanagerProcess.h"
#include "StationFiles.h"
#include "SyslogReceiver.h"
#include "TempAppDir.h"
#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "log/LogManager.h"
#include "northbound/SyslogMessage.h"
#include "northbound/SyslogSender.h"
#include "northbound/SyslogTarget.h"

#include <QtTest>

// The northbound alarm stream: what the log writes, as RFC 5424 messages to real collectors on loopback.
class TestSyslog : public QObject
{
    Q_OBJECT

private slots:
    void targetsAreReadStrictly_data();
    void targetsAreReadStrictly();
    void messagesFollowTheRfc_data();
    void messagesFollowTheRfc();
    void collectorsReceiveExactlyWhatTheLogWrites();
    void deadCollectorLosesNothingOfTheLogAndOnlyTheOldestMessages();
    void tcpCollectorRestartedMidStreamReceivesAgain();

private:
    static SyslogTarget Target(SyslogTarget::Transport transport, quint16 port);
};

Q_DECLARE_METATYPE(AlarmRecord)

using Params = QMap<QString, QString>;

namespace {
// Video lost on BNC 3 of Studio A, 10.0.0.2, started 2024-03-05 07:04:09.031.
AlarmRecord StudioAlarm(int level, const QString& signalName)
{
    AlarmRecord record = MakeAlarm("10.0.0.2", PortTypeBnc, 3, -1, AlarmTypeVideoLost, level);
    record.time = At("2024-03-05 07:04:09.031");
    record.deviceName = QStringLiteral("Studio A");
    record.signalName = signalName;
    return record;
}

// Its parameters but the times.
Params StudioParams(int level, const QString& signalName)
{
    Params params{{"level", QString::number(level)}, {"signalName", signalName}};
    for (const QString& pair :
         QStringLiteral("ip=10.0.0.2|deviceName=Studio A|portType=1|portID=3|trackID=-1|alarmType=4|"
                        "helpkey=10.0.0.2.1.3.-1.4.2024-03-05_07:04:09.031")
             .split('|'))
        params.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return params;
}

} // namespace

SyslogTarget TestSyslog::Target(SyslogTarget::Transport transport, quint16 port)
{
    SyslogTarget target;
    target.transport = transport;
    target.host = QStringLiteral("127.0.0.1");
    target.port = port;
    return target;
}

void TestSyslog::targetsAreReadStrictly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");
    // An empty reading: refused.
    const char* const rows[][3] = {
        {"udp with port", "udp://127.0.0.1:5514", "udp://127.0.0.1:5514"},
        {"tcp host name, default port", " TCP://logs.example.org ", "tcp://logs.example.org:514"},
        {"other scheme", "ftp://10.0.0.9", ""},
        {"no host", "udp://:514", ""},
        {"port 0", "udp://10.0.0.9:0", ""},
        {"port too high", "udp://10.0.0.9:65536", ""},
        {"IPv6", "udp://[::1]:514", ""},
        {"address out of range", "udp://300.1.1.1", ""},
        {"label with a leading hyphen", "udp://-logs.example", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
}

void TestSyslog::targetsAreReadStrictly()
{
    QFETCH(QString, text);
    const std::optional<SyslogTarget> target = SyslogTarget::Parse(text);
    QTEST(target ? target->ToString() : QString(), "read");
}

void TestSyslog::messagesFollowTheRfc_data()
{
    QTest::addColumn<AlarmRecord>("logged");
    QTest::addColumn<int>("severity");
    QTest::addColumn<QString>("msgId");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Params>("params");
    QTest::newRow("error start") << StudioAlarm(LevelError, "CAM 3") << 3 << "ALARM_START"
                                 << "Video Lost on BNC 3 (CAM 3) of Studio A 10.0.0.2"
                                 << StudioParams(LevelError, "CAM 3");
    AlarmRecord ended = StudioAlarm(LevelNormal, "CAM 3");
    ended.end_time = ended.time.addSecs(75);
    QTest::newRow("end") << ended << 5 << "ALARM_END"
                         << "Video Lost ended on BNC 3 (CAM 3) of Studio A 10.0.0.2"
                         << StudioParams(LevelNormal, "CAM 3");
    const QString escaped = "CAM \"3\"] \\ 演播室";
    QTest::newRow("quote, backslash and bracket, not ASCII")
        << StudioAlarm(LevelWarn, escaped) << 4 << "ALARM_START"
        << "Video Lost on BNC 3 (" + escaped + ") of Studio A 10.0.0.2" << StudioParams(LevelWarn, escaped);
}

void TestSyslog::messagesFollowTheRfc()
{
    QFETCH(AlarmRecord, logged);
    QString error;
    const std::optional<SyslogReceiver::Message> message =
        SyslogReceiver::Parse(SyslogMessage::Format(logged, "station-1", 4242), &error);
    QVERIFY2(message, qPrintable(error));
    QCOMPARE(message->facility, 16);
    QTEST(message->severity, "severity");
    QTEST(message->msgId, "msgId");
    QTEST(message->text, "text");
    QCOMPARE((QStringList{message->hostName, message->appName, message->procId, message->sdId}),
             (QStringList{"station-1", "vizavovu", "4242", "alarm@58206"}));
    // The same instants, with milliseconds and the local offset.
    const bool end = logged.end_time.isValid();
    QCOMPARE(QDateTime::fromString(message->timestamp, Qt::ISODateWithMs), end ? logged.end_time : logged.time);
    Params params = message->params;
    QCOMPARE(QDateTime::fromString(params.take("start_time"), Qt::ISODateWithMs), logged.time);
    QCOMPARE(QDateTime::fromString(params.take("end_time"), Qt::ISODateWithMs), logged.end_time);
    QTEST(params, "params");
}

void TestSyslog::collectorsReceiveExactlyWhatTheLogWrites()
{
    TempAppDir appDir;
    SyslogReceiver udp;
    SyslogReceiver tcp;
    QVERIFY(udp.ListenUdp());
    QVERIFY(tcp.ListenTcp());
    LogManager manager;
    manager.SetSyslogTargets(
        {Target(SyslogTarget::Transport::Udp, udp.Port()), Target(SyslogTarget::Transport::Tcp, tcp.Port())});

    const QDateTime t0 = At("2024-03-05 10:00:00.000");
    // A repeated start and an end without a start write nothing, and so send nothing; the last start marks the end
    // of the stream, which keeps its order.
    const AlarmRecord records[] = {MakeAlarm(1, LevelError, t0), MakeAlarm(1, LevelWarn, t0.addSecs(1)),
                                   MakeAlarm(2, LevelNormal, t0.addSecs(2)), MakeAlarm(1, LevelNormal, t0.addSecs(3)),
                                   MakeAlarm(4, LevelWarn, t0.addSecs(4))};
    for (const AlarmRecord& record : records)
        manager.AddAlarm(&record);
    // The operator's acknowledgement follows the alarms it acknowledges, its note in the structured data.
    manager.AddAcknowledgements({{records[4], t0.addSecs(5), "feed \"B\" checked ]"}});
    manager.Flush();

    const QStringList rowKeys = QueryColumn(GetLogDatabasePath(), "select helpkey from alarm2 order by id");
    QCOMPARE(rowKeys.size(), 2);
    const QStringList expected{"ALARM_START " + rowKeys[0], "ALARM_END " + rowKeys[0], "ALARM_START " + rowKeys[1],
                               "ALARM_ACK " + rowKeys[1]};
    for (SyslogReceiver* receiver : {&udp, &tcp}) {
        QTRY_COMPARE(receiver->Messages().size(), 4);
        QCOMPARE(receiver->Errors(), QStringList());
        QStringList got;
        for (const SyslogReceiver::Message& message : receiver->Messages())
            got << message.msgId + " " + message.params["helpkey"];
        QCOMPARE(got, expected);
        const SyslogReceiver::Message& ack = receiver->Messages().last();
        QCOMPARE(ack.params["ack_note"], QString("feed \"B\" checked ]"));
        QCOMPARE(QDateTime::fromString(ack.timestamp, Qt::ISODateWithMs), t0.addSecs(5));
    }
}

void TestSyslog::deadCollectorLosesNothingOfTheLogAndOnlyTheOldestMessages()
{
    TempAppDir appDir;
    const quint16 port = AlertmanagerProcess::FreeTcpPort("127.0.0.1");
    {
        LogManager manager;
        manager.SetSyslogTargets({Target(SyslogTarget::Transport::Tcp, port)});
        const QDateTime t0 = At("2024-03-05 10:00:00.000");
        constexpr int alarms = 2000;
        for (int i = 0; i < alarms; ++i) {
            const AlarmRecord start = MakeAlarm(i, LevelError, t0.addMSecs(i));
            const AlarmRecord end = MakeAlarm(i, LevelNormal, t0.addMSecs(i + 1));
            manager.AddAlarm(&start);
            manager.AddAlarm(&end);
        }
        manager.Flush();
        QCOMPARE(QueryValue(GetLogDatabasePath(), "select count(*) from alarm2 where end_time is not null").toInt(),
                 alarms);
    }

    // A bound of 100: of 1000 messages to a collector that is down, the 900 oldest go.
    SyslogSender sender(Target(SyslogTarget::Transport::Tcp, port), 100);
    std::vector<AlarmRecord> logged;
    for (int i = 0; i < 1000; ++i)
        logged.push_back(MakeAlarm(i, LevelError, At("2024-03-05 10:00:00.000")));
    sender.Append(logged);
    QTRY_COMPARE(sender.DroppedCount(), quint64(900));

    SyslogReceiver collector;
    QVERIFY(collector.ListenTcp(port));
    QTRY_COMPARE_WITH_TIMEOUT(collector.Messages().size(), 100, 40000);
    QCOMPARE(collector.Messages().first().params["portID"], QString("900"));
    QCOMPARE(collector.Messages().last().params["portID"], QString("999"));
}

void TestSyslog::tcpCollectorRestartedMidStreamReceivesAgain()
{
    SyslogReceiver collector;
    QVERIFY(collector.ListenTcp());
    SyslogSender sender(Target(SyslogTarget::Transport::Tcp, collector.Port()));
    const QDateTime t0 = At("2024-03-05 10:00:00.000");
    sender.Append({MakeAlarm(1, LevelError, t0)});
    QTRY_COMPARE(collector.Messages().size(), 1);

    collector.Close();
    QVERIFY(collector.ListenTcp(collector.Port()));
    sender.Append({MakeAlarm(2, LevelError, t0)});
    QTRY_COMPARE_WITH_TIMEOUT(collector.Messages().size(), 2, 40000);
    QCOMPARE(collector.Messages().last().params["portID"], QString("2"));
    QCOMPARE(collector.Errors(), QStringList());
}

QTEST_GUILESS_MAIN(TestSyslog)
#include "TestSyslog.moc"
