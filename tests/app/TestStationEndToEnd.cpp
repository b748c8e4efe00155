#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "StationFiles.h"
#include "StationProcess.h"
#include "SyslogReceiver.h"
#include "TempAppDir.h"
#include "TrapSender.h"

#include <QTcpServer>
#include <QtTest>

// The real station binary, started unattended in its own application directory against two simulated probes.
class TestStationEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void faultsRaisedAndClearedReachTheLogAndTheCollectorsAndTheStationClosesCleanly();
    void closingDuringRegistrationAndATrapBurstIsPromptAndClean();
    void signalEndsTheStationWhateverElseIsOpen_data();
    void signalEndsTheStationWhateverElseIsOpen();
    void signalsDuringAnInteractiveStartEndTheStationCleanly();
};

void TestStationEndToEnd::faultsRaisedAndClearedReachTheLogAndTheCollectorsAndTheStationClosesCleanly()
{
    TempAppDir appDir;
    const QString probeA = "127.0.0.81";
    const QString probeB = "127.0.0.82";
    const quint16 trapPort = FreeUdpPort();
    const quint16 devicePort = FreeUdpPort(probeA);
    StationFiles::WriteSystemConfig(trapPort);
    // The signal names that follow from it need escaping in the syslog messages.
    const QString nameA = "Studio \"A\"]";
    StationFiles::WriteDevices({{probeA, nameA}, {probeB, "Studio B"}});

    ProbeSimProcess probes;
    QVERIFY2(probes.Start({probeA, probeB}, devicePort), qPrintable(probes.ErrorString()));

    SyslogReceiver udp;
    SyslogReceiver tcp;
    QVERIFY(udp.ListenUdp());
    QVERIFY(tcp.ListenTcp());
    QProcess process;
    QVERIFY(StartStationProcess(process, appDir, devicePort,
                                {"--syslog", QStringLiteral("udp://127.0.0.1:%1").arg(udp.Port()), "--syslog",
                                 QStringLiteral("tcp://localhost:%1").arg(tcp.Port())}));
    auto output = [&process] { return QString::fromLocal8Bit(process.readAll()); };

    // Registration tells both probes where to send their traps.
    const QString destination = QStringLiteral("127.0.0.1:%1").arg(trapPort);
    QTRY_VERIFY2_WITH_TIMEOUT(probes.LinesWith({"<- set", destination}).size() == 2, qPrintable(output()), 10000);

    // A device the station does not know: the handler drops its alarm, so neither the log nor a collector sees it.
    QVERIFY(TrapSender("127.0.0.83", trapPort).SendVideoLost(3, 2));
    probes.Send(probeA + " raise lost bnc:2\n" + probeB + " raise silence bnc:4:3 1");
    const QString database = appDir.filePath("log/alarm.db");
    auto sortedRows = [&database] {
        QStringList rows = StationFiles::LogRows(database);
        rows.sort();
        return rows;
    };
    QTRY_COMPARE_WITH_TIMEOUT(
        sortedRows(), (QStringList{probeA + "|1|2|-1|4|" + nameA + " CAM 2|0", probeB + "|1|4|3|8|Studio B CAM 4|0"}),
        10000);

    probes.Send(probeA + " clear lost bnc:2\n" + probeB + " clear silence bnc:4:3");
    QTRY_COMPARE_WITH_TIMEOUT(
        sortedRows(), (QStringList{probeA + "|1|2|-1|4|" + nameA + " CAM 2|1", probeB + "|1|4|3|8|Studio B CAM 4|1"}),
        10000);

    // Each collector: the two starts and the two ends, and nothing of the stranger.
    for (SyslogReceiver* collector : {&udp, &tcp}) {
        QTRY_COMPARE_WITH_TIMEOUT(collector->Messages().size(), 4, 10000);
        QCOMPARE(collector->Errors(), QStringList());
        QStringList got;
        for (const SyslogReceiver::Message& message : collector->Messages())
            got << message.msgId + " " + message.params["ip"] + " " + message.params["signalName"];
        got.sort();
        QCOMPARE(got,
                 (QStringList{"ALARM_END " + probeA + " " + nameA + " CAM 2", "ALARM_END " + probeB + " Studio B CAM 4",
                              "ALARM_START " + probeA + " " + nameA + " CAM 2",
                              "ALARM_START " + probeB + " Studio B CAM 4"}));
    }

    process.terminate();
    QVERIFY2(process.waitForFinished(10000), qPrintable(output()));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void TestStationEndToEnd::closingDuringRegistrationAndATrapBurstIsPromptAndClean()
{
    TempAppDir appDir;
    QStringList addresses;
    QList<QPair<QString, QString>> devices;
    for (int i = 90; i < 110; ++i) {
        addresses << QStringLiteral("127.0.0.%1").arg(i);
        devices.append({addresses.last(), QStringLiteral("Probe %1").arg(i)});
    }
    const quint16 devicePort = FreeUdpPort(addresses.first());
    StationFiles::WriteSystemConfig(FreeUdpPort());
    StationFiles::WriteDevices(devices);
    ProbeSimProcess probes;
    QVERIFY2(probes.Start(addresses, devicePort), qPrintable(probes.ErrorString()));

    QProcess process;
    QVERIFY(StartStationProcess(process, appDir, devicePort));
    QTRY_VERIFY_WITH_TIMEOUT(!probes.LinesWith({"<- set"}).isEmpty(), 10000);
    // Every registered probe floods the station while the others are still being registered.
    probes.Send("all burst 1000 1000 raise lost bnc:1");
    QTRY_VERIFY(!probes.LinesWith({"-> trap"}).isEmpty());

    process.terminate();
    QVERIFY2(process.waitForFinished(10000), "the station did not end within 10 s");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void TestStationEndToEnd::signalEndsTheStationWhateverElseIsOpen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withoutSpeechData");
    QTest::newRow("status window open") << QStringList{"--status"} << false;
    // The speech warning, a box without a parent, is up.
    QTest::newRow("warning box up") << QStringList() << true;
    // Monitoring goes on without its metrics; %1 is a port that is taken.
    QTest::newRow("metrics port taken") << QStringList{"--metrics", "127.0.0.1:%1"} << false;
}

// Another top-level window used to keep Qt running, with monitoring and speech going on and no main window shown.
void TestStationEndToEnd::signalEndsTheStationWhateverElseIsOpen()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, withoutSpeechData);
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost));
    arguments.replaceInStrings("%1", QString::number(taken.serverPort()));
    TempAppDir appDir;
    QStringList environment;
    if (withoutSpeechData) {
        QVERIFY(QDir().mkpath(appDir.filePath("speech/espeak-ng-data")));
        environment << "ESPEAK_DATA_PATH=" + appDir.filePath("speech");
    }
    const QString probe = "127.0.0.84";
    const quint16 devicePort = FreeUdpPort(probe);
    StationFiles::WriteSystemConfig(FreeUdpPort());
    StationFiles::WriteDevices({{probe, "Studio"}});
    ProbeSimProcess probes;
    QVERIFY2(probes.Start({probe}, devicePort), qPrintable(probes.ErrorString()));
    QProcess process;
    QVERIFY(StartStationProcess(process, appDir, devicePort, arguments, environment));
    auto output = [&process] { return QString::fromLocal8Bit(process.readAll()); };
    QTRY_VERIFY2_WITH_TIMEOUT(!probes.LinesWith({"<- set"}).isEmpty(), qPrintable(output()), 10000);
    probes.Send(probe + " raise lost bnc:2");
    const QString database = appDir.filePath("log/alarm.db");
    QTRY_COMPARE_WITH_TIMEOUT(StationFiles::LogRows(database).size(), 1, 10000);

    process.terminate();
    QVERIFY2(process.waitForFinished(10000), "the station did not end within 10 s");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    // The log was closed: everything is in the file itself.
    QVERIFY(!QFile::exists(database + "-wal"));
}

// The first while the window is still being built, with the speech warning up; the second while the station ends.
void TestStationEndToEnd::signalsDuringAnInteractiveStartEndTheStationCleanly()
{
    TempAppDir appDir;
    QVERIFY(QDir().mkpath(appDir.filePath("speech/espeak-ng-data")));
    StationFiles::WriteSystemConfig(FreeUdpPort());
    QProcess process;
    QVERIFY(StartStationProcess(process, appDir, FreeUdpPort(), {}, {"ESPEAK_DATA_PATH=" + appDir.filePath("speech")},
                                {}, false));
    // Written just before the box goes up.
    QString output;
    QTRY_VERIFY_WITH_TIMEOUT((output += QString::fromLocal8Bit(process.readAll())).contains("could not be initialised"),
                             10000);

    process.terminate();
    process.terminate();
    QVERIFY2(process.waitForFinished(10000), "the station did not end within 10 s");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestStationEndToEnd)
#include "TestStationEndToEnd.moc"
