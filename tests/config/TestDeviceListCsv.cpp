#include "AppDirTest.h"
#include "FileText.h"
#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/DeviceListCsv.h"
#include "config/DevicePorts.h"
#include "config/PortConfigNode.h"

#include <QtTest>

// The device list as CSV, against the device file it is written to.
class TestDeviceListCsv : public AppDirTest
{
    Q_OBJECT

private slots:
    void exportThenImportGivesTheSameDeviceFile();
    void unlistedPortsGetTheDefaultsOfAdd();
    void wrongLinesAreListedAndNothingIsRead();
    void errorReportStopsAtFiftyAndCounts();
};

namespace {
const QByteArray Header = QByteArray(DeviceListCsv::Header()) + "\r\n";
} // namespace

void TestDeviceListCsv::exportThenImportGivesTheSameDeviceFile()
{
    DeviceConfigFile config;
    DeviceConfigNode studio = DevicePorts::NewDevice("10.0.0.1", QStringLiteral("演播室 \"A\", 1"));
    PortConfigNode port;
    port.SetSignalName(QStringLiteral("CAM 1, \"left\""));
    port.SetAlarmTypeMask(~quint32(AlarmTypeVideoFreeze | AlarmTypeSilence));
    port.SetTrackMask(0x81);
    port.SetTimeRange2(QTime(8, 0), QTime(17, 30));
    studio.SetBncPort(0, port);
    port.SetAlarm(false);
    port.SetAlarmTypeMask(~quint32(AlarmTypeSilence));
    port.SetTrackMask(0x80000001);
    port.SetTimeRange1(QTime(), QTime());
    studio.SetAesPort(0, port);
    config.AddDevice(studio);
    config.AddDevice(DevicePorts::NewDevice("10.0.0.2", ""));
    QVERIFY(config.Save(GetDeviceConfigPath()));
    const QByteArray before = ReadFile(GetDeviceConfigPath());

    DeviceConfigFile loaded;
    QVERIFY(loaded.Load(GetDeviceConfigPath()));
    const QByteArray csv = DeviceListCsv::Write(loaded);
    QVERIFY(csv.startsWith("\xEF\xBB\xBF" + Header));
    QCOMPARE(csv.count("\r\n"), 1 + 2 * 18);
    QVERIFY(csv.contains(",BNC 1,\"CAM 1, \"\"left\"\"\",yes,Video Lost;Video Black;Audio Overload,1;8,"
                         "00:00:00-23:59:59,08:00:00-17:30:00\r\n"));
    QVERIFY(csv.contains(",AES/EBU 1,\"CAM 1, \"\"left\"\"\",no,Audio Overload,1;32,,08:00:00-17:30:00\r\n"));
    // A spreadsheet may drop the byte-order mark.
    for (const QByteArray& file : {csv, csv.mid(3)}) {
        DeviceListCsv reader;
        DeviceConfigFile imported;
        QVERIFY2(reader.Read(file, imported), qPrintable(reader.ErrorReport()));
        QVERIFY(imported.Save(GetDeviceConfigPath()));
        QCOMPARE(ReadFile(GetDeviceConfigPath()), before);
    }
}

void TestDeviceListCsv::unlistedPortsGetTheDefaultsOfAdd()
{
    // Leading zeros dropped, words and yes/no in any case, rows of a device apart from each other, LF line ends.
    const QByteArray csv = Header + "010.00.0.01,Hall,BNC 3,Drums,NO,silence,,,\n"
                                    "10.0.0.9,Booth,analog 1,,Yes,,12,,\n"
                                    "10.0.0.1,Hall,BNC 2,,yes,Freeze,2,,\n";
    DeviceListCsv reader;
    DeviceConfigFile imported;
    QVERIFY2(reader.Read(csv, imported), qPrintable(reader.ErrorReport()));
    QCOMPARE(imported.Devices().size(), 2);
    const DeviceConfigNode* hall = imported.FindDevice("10.0.0.1");
    QVERIFY(hall);
    QCOMPARE(hall->Ports().size(), 18);
    DeviceConfigNode expected = DevicePorts::NewDevice("10.0.0.1", "Hall");
    PortConfigNode port;
    port.SetSignalName("Drums");
    port.SetAlarm(false);
    port.SetAlarmTypeMask(
        ~quint32(AlarmTypeVideoLost | AlarmTypeVideoBlack | AlarmTypeVideoFreeze | AlarmTypeAudioOverload));
    port.SetTrackMask(0);
    port.SetTimeRange1(QTime(), QTime());
    expected.SetBncPort(2, port);
    port = PortConfigNode();
    port.SetTimeRange1(QTime(), QTime());
    port.SetAlarmTypeMask(
        ~quint32(AlarmTypeVideoLost | AlarmTypeVideoBlack | AlarmTypeSilence | AlarmTypeAudioOverload));
    port.SetTrackMask(2);
    expected.SetBncPort(1, port);
    DeviceConfigFile written;
    written.AddDevice(*hall);
    DeviceConfigFile wanted;
    wanted.AddDevice(expected);
    QVERIFY(written.Save(GetDeviceConfigPath()));
    const QByteArray got = ReadFile(GetDeviceConfigPath());
    QVERIFY(wanted.Save(GetDeviceConfigPath()));
    QCOMPARE(got, ReadFile(GetDeviceConfigPath()));
}

void TestDeviceListCsv::wrongLinesAreListedAndNothingIsRead()
{
    const QByteArray csv = Header + "10.0.0.1,A,BNC 1,,yes,,,,\r\n"
                                    "10.0.0.255,A,BNC 2,,yes,,,,\r\n"
                                    "10.0.0.1,A,HDMI 1,,yes,,,,\r\n"
                                    "10.0.0.1,A,BNC 3,,yes,Video Lost,9,,\r\n"
                                    "10.0.0.1,A,BNC 4,,yes,,,17:00:00-08:00:00,\r\n"
                                    "10.0.0.1,B,BNC 5,,yes,,,,\r\n"
                                    "10.0.0.01,A,BNC 1,,yes,,,,\r\n"
                                    "10.0.0.1,A,Analog 1,,yes,Video Lost,,,\r\n"
                                    "10.0.0.1,A,BNC 6,\"open\r\n";
    DeviceListCsv reader;
    DeviceConfigFile untouched;
    untouched.AddDevice(DevicePorts::NewDevice("10.9.9.9", "kept"));
    QVERIFY(!reader.Read(csv, untouched));
    QCOMPARE(reader.Errors(), QStringList{"Line 10: a quote is opened and never closed."});
    QVERIFY(!reader.Read(csv.left(csv.lastIndexOf("10.0.0.1,A,BNC 6")) + "1,2,3\r\n", untouched));
    const QStringList errors = reader.Errors();
    QCOMPARE(errors.size(), 8);
    const QStringList starts{"Line 3, column 1 (Address):",
                             "Line 4, column 3 (Port):",
                             "Line 5, column 7 (Tracks):",
                             "Line 6, column 8 (Window 1):",
                             "Line 7, column 2 (Device Name):",
                             "Line 8, column 3 (Port): BNC 1 of 10.0.0.1 is already "
                             "on line 2",
                             "Line 9, column 6 (Alarm Types):",
                             "Line 10: 3 fields instead of 9"};
    for (int i = 0; i < starts.size(); ++i)
        QVERIFY2(errors[i].startsWith(starts[i]), qPrintable(errors[i]));
    QCOMPARE(untouched.Devices().size(), 1);
    QCOMPARE(untouched.Devices().first()->ip(), QString("10.9.9.9"));
}

void TestDeviceListCsv::errorReportStopsAtFiftyAndCounts()
{
    QByteArray csv = Header;
    for (int i = 0; i < 60; ++i)
        csv += "10.0.0.1,A,BNC 99,,yes,,,,\r\n";
    DeviceListCsv reader;
    DeviceConfigFile imported;
    QVERIFY(!reader.Read(csv, imported));
    const QStringList report = reader.ErrorReport().split('\n');
    QCOMPARE(report.size(), 51);
    QVERIFY(report[49].startsWith("Line 51,"));
    QCOMPARE(report.last(), QString("60 wrong line(s) in all."));
    for (const QByteArray& notADeviceList : {QByteArray("Name,Address\r\n"), QByteArray("\xC0\xC1\xFE\r\n")}) {
        QVERIFY(!reader.Read(notADeviceList, imported));
        QCOMPARE(reader.Errors().size(), 1);
    }
}

QTEST_GUILESS_MAIN(TestDeviceListCsv)
#include "TestDeviceListCsv.moc"
