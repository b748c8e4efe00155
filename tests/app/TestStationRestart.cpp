#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "StationFiles.h"
#include "StationProcess.h"
#include "TempAppDir.h"

#include <QDeadlineTimer>
#include <QtTest>

// The real station binary across what ends it: a SIGKILL and a restart, a second start on the same directory, and
// a log that can no longer be written.
class TestStationRestart : public QObject
{
    Q_OBJECT

private slots:
    void restartSettlesWhatEndedWhileDownAndKeepsWhatIsStillActive();
    void secondStationOnOneDirectoryIsRefused();
    void stationEndsOnSignalWhileItsLogCannotBeWritten();
};

namespace {
const QString ProbeA = QStringLiteral("127.0.0.85");
// Configured, never answering.
const QString ProbeB = QStringLiteral("127.0.0.86");

QString Output(QProcess& process)
{
    return QString::fromLocal8Bit(process.readAll());
}

// Configures the devices and a free trap port, and plays ProbeA; returns the devices' port.
quint16 Prepare(ProbeSimProcess& probes, const QList<QPair<QString, QString>>& devices)
{
    const quint16 devicePort = FreeUdpPort(ProbeA);
    StationFiles::WriteSystemConfig(FreeUdpPort());
    StationFiles::WriteDevices(devices);
    return probes.Start({ProbeA}, devicePort) ? devicePort : 0;
}

// Starts the station and waits until it has registered on ProbeA.
bool StartRegistered(QProcess& station, const TempAppDir& appDir, quint16 devicePort, ProbeSimProcess& probes,
                     const QString& shellPrefix = {})
{
    probes.ClearLines();
    if (!StartStationProcess(station, appDir, devicePort, {}, {}, shellPrefix))
        return false;
    const QDeadlineTimer deadline(10000);
    while (probes.LinesWith({"<- set"}).isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(50);
    }
    return true;
}

bool EndsCleanly(QProcess& process)
{
    process.terminate();
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
} // namespace

void TestStationRestart::restartSettlesWhatEndedWhileDownAndKeepsWhatIsStillActive()
{
    TempAppDir appDir;
    ProbeSimProcess probes;
    const quint16 devicePort = Prepare(probes, {{ProbeA, "Studio A"}, {ProbeB, "Studio B"}});
    QVERIFY2(devicePort != 0, qPrintable(probes.ErrorString()));
    const QString database = appDir.filePath("log/alarm.db");
    const auto rows = [&database] {
        QStringList all = StationFiles::LogRows(database);
        all.sort();
        return all;
    };
    const QString lost3 = ProbeA + "|1|3|-1|4|Studio A CAM 3|";
    const QString lost4 = ProbeA + "|1|4|-1|4|Studio A CAM 4|";
    const QString unreachable = ProbeB + "|0|-1|-1|32||0";

    QProcess first;
    QVERIFY2(StartRegistered(first, appDir, devicePort, probes), qPrintable(Output(first)));
    probes.Send(ProbeA + " raise lost bnc:3\n" + ProbeA + " raise lost bnc:4");
    QTRY_COMPARE_WITH_TIMEOUT(rows(), (QStringList{lost3 + "0", lost4 + "0", unreachable}), 15000);
    first.kill();
    QVERIFY(first.waitForFinished(5000));

    // BNC 3 recovers while nobody watches.
    probes.Send(ProbeA + " clear lost bnc:3");
    QVERIFY(probes.Sync());
    probes.ClearLines();
    QProcess second;
    QVERIFY(StartStationProcess(second, appDir, devicePort));
    QTRY_VERIFY2_WITH_TIMEOUT(!probes.LinesWith({"<- get"}).isEmpty(), qPrintable(Output(second)), 10000);
    // The first read ends BNC 3's row; BNC 4 goes on in its row, and the silent device's row stays as it was.
    QTRY_COMPARE_WITH_TIMEOUT(rows(), (QStringList{lost3 + "1", lost4 + "0", unreachable}), 15000);
    probes.Send(ProbeA + " clear lost bnc:4");
    QTRY_COMPARE_WITH_TIMEOUT(rows(), (QStringList{lost3 + "1", lost4 + "1", unreachable}), 10000);
    QVERIFY2(EndsCleanly(second), qPrintable(Output(second)));
    // The killed run has no stop, only its last sign of life; the second stopped cleanly.
    QCOMPARE(QueryColumn(database, "select stop_time is not null from station_run order by id"),
             (QStringList{"0", "1"}));
    QCOMPARE(QueryValue(database, "select count(*) from alarm_level").toInt(), 1);
}

void TestStationRestart::secondStationOnOneDirectoryIsRefused()
{
    TempAppDir appDir;
    ProbeSimProcess probes;
    const quint16 devicePort = Prepare(probes, {{ProbeA, "Studio A"}});
    QVERIFY2(devicePort != 0, qPrintable(probes.ErrorString()));

    QProcess first;
    QVERIFY2(StartRegistered(first, appDir, devicePort, probes), qPrintable(Output(first)));
    QProcess second;
    QVERIFY(StartStationProcess(second, appDir, devicePort));
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QVERIFY(second.exitCode() != 0);
    QVERIFY2(Output(second).contains("Another station is already running on"), "no reason given");

    // A killed station's lock goes with it.
    first.kill();
    QVERIFY(first.waitForFinished(5000));
    QProcess third;
    QVERIFY2(StartRegistered(third, appDir, devicePort, probes), qPrintable(Output(third)));
    QVERIFY2(EndsCleanly(third), qPrintable(Output(third)));
}

void TestStationRestart::stationEndsOnSignalWhileItsLogCannotBeWritten()
{
    TempAppDir appDir;
    ProbeSimProcess probes;
    const quint16 devicePort = Prepare(probes, {{ProbeA, "Studio A"}});
    QVERIFY2(devicePort != 0, qPrintable(probes.ErrorString()));

    QProcess station;
    // No file of the station may grow past 256 KiB, and a write that would fails instead of killing it.
    QVERIFY2(StartRegistered(station, appDir, devicePort, probes, "trap '' XFSZ; ulimit -f 256"),
             qPrintable(Output(station)));
    QString output;
    for (int round = 0; round < 50 && !output.contains("The alarm log cannot be written"); ++round) {
        QString commands;
        for (int port = 1; port <= 16; ++port)
            commands += QStringLiteral("%1 raise black bnc:%2\n%1 clear black bnc:%2\n").arg(ProbeA).arg(port);
        probes.Send(commands);
        QVERIFY(probes.Sync());
        QTest::qWait(100);
        output += Output(station);
    }
    QVERIFY2(output.contains("The alarm log cannot be written"), qPrintable(output));
    QVERIFY2(EndsCleanly(station), qPrintable(Output(station)));
}

QTEST_GUILESS_MAIN(TestStationRestart)
#include "TestStationRestart.moc"
