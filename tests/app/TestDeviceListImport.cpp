#include "FileText.h"
#include "StationFiles.h"
#include "TempAppDir.h"
#include "app/AppPaths.h"
#include "app/DeviceListImport.h"
#include "app/StationLock.h"
#include "config/DeviceListCsv.h"

#include <QtTest>

// vizavovu --import-devices, run as a program in an application directory of its own, without a display.
class TestDeviceListImport : public QObject
{
    Q_OBJECT

private slots:
    void exitCodes_data();
    void exitCodes();
};

void TestDeviceListImport::exitCodes_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<bool>("stationRunning");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::newRow("imported") << QByteArray("10.0.0.7,Booth,BNC 1,,yes,,,,\r\n") << false
                              << int(DeviceListImport::Imported) << "1 device(s) written to";
    QTest::newRow("wrong line") << QByteArray("10.0.0.7,Booth,BNC 1,,maybe,,,,\r\n") << false
                                << int(DeviceListImport::WrongFile) << "Line 2, column 5 (Monitored)";
    QTest::newRow("station running") << QByteArray("10.0.0.7,Booth,BNC 1,,yes,,,,\r\n") << true
                                     << int(DeviceListImport::StationRunning) << "Another station is already running on";
}

void TestDeviceListImport::exitCodes()
{
    QFETCH(QByteArray, rows);
    QFETCH(bool, stationRunning);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    TempAppDir appDir;
    StationFiles::WriteDevices({{"10.0.0.1", "Old"}});
    const QByteArray before = ReadFile(GetDeviceConfigPath());
    const QString csv = appDir.filePath("devices.csv");
    QVERIFY(WriteFile(csv, QByteArray(DeviceListCsv::Header()) + "\r\n" + rows));
    StationLock station(GetLogDir());
    if (stationRunning)
        QVERIFY(station.Acquire());

    const QString program = appDir.filePath("bin/vizavovu");
    QVERIFY(QFile::copy(qEnvironmentVariable("VZ_BUILD_DIR") + "/bin/vizavovu", program));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // No display: the import must not need one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(env);
    process.start(program, {"--import-devices", csv});
    QVERIFY(process.waitForFinished(20000));
    const QString printed = QString::fromLocal8Bit(process.readAll());
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY2(printed.contains(output), qPrintable(printed));
    const QByteArray after = ReadFile(GetDeviceConfigPath());
    QCOMPARE(after == before, exitCode != DeviceListImport::Imported);
    QCOMPARE(after.contains("10.0.0.7"), exitCode == DeviceListImport::Imported);
}

QTEST_GUILESS_MAIN(TestDeviceListImport)
#include "TestDeviceListImport.moc"
