#include "FileText.h"
#include "TempAppDir.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigManager.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// The device file, and through it the file framework shared by every configuration file.
class TestDeviceConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenFileHasFixedLayoutAndReadsBackUnchanged();
    void loadFailuresExplainThemselves_data();
    void loadFailuresExplainThemselves();
    void oldPairLayoutOfTrackMaskIsConverted();
    void timeRangesAreKeptOnlyWhenCompleteAndOrdered_data();
    void timeRangesAreKeptOnlyWhenCompleteAndOrdered();
    void copiesAreDeep();
    void failedSaveLeavesOldFile_data();
    void failedSaveLeavesOldFile();
    void saveThatRunsOutOfSpaceLeavesOldFile();
    void unreadableFileIsKeptAsideBeforeTheReset();
};

// Loads a file holding one device with one port element made of the given attributes and children.
static PortConfigNode LoadPort(const QString& attributes, const QString& children)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("device_config.xml");
    WriteFile(path, QStringLiteral("<device_config><device ip=\"10.0.0.7\"><port name=\"BNC 1\" %1>%2</port>"
                                   "</device></device_config>")
                        .arg(attributes, children)
                        .toUtf8());
    DeviceConfigFile config;
    if (!config.Load(path) || config.Devices().size() != 1 || config.Devices()[0]->Ports().size() != 1)
        return PortConfigNode();
    return *config.Devices()[0]->Ports()[0];
}

static DeviceConfigFile ManyDevices(int count)
{
    DeviceConfigFile config;
    for (int i = 0; i < count; ++i)
        config.AddDevice(DeviceConfigNode(QStringLiteral("10.0.1.%1").arg(i), QStringLiteral("Device %1").arg(i)));
    return config;
}

void TestDeviceConfigFile::writtenFileHasFixedLayoutAndReadsBackUnchanged()
{
    TempAppDir dir;
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QStringLiteral("演播室 \"A\""));
    device.SetBncPort(0, PortConfigNode());
    PortConfigNode port;
    port.SetName(QStringLiteral("replaced by the built name"));
    port.SetSignalName(QStringLiteral("News & <HD>"));
    port.SetAlarm(false);
    port.SetAlarmTypeMask(~quint32(8));
    port.SetTrackMask(0x80000001);
    port.SetTimeRange1(QTime(8, 0), QTime(12, 0));
    port.SetTimeRange2(QTime(13, 30), QTime(23, 59, 59));
    device.SetAesPort(0, port);
    DeviceConfigFile config;
    config.AddDevice(device);
    QVERIFY(config.Save(GetDeviceConfigPath()));

    const QByteArray text = ReadFile(GetDeviceConfigPath());
    QCOMPARE(QString::fromUtf8(text), QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                                     "<device_config version=\"1\">\n"
                                                     "    <device dev_name=\"演播室 &quot;A&quot;\" ip=\"10.0.0.7\">\n"
                                                     "        <port version=\"1\" name=\"BNC 1\">\n"
                                                     "            <signal_name></signal_name>\n"
                                                     "            <alarm>true</alarm>\n"
                                                     "            <alarm_type_mask>4294967295</alarm_type_mask>\n"
                                                     "            <track_mask>3</track_mask>\n"
                                                     "            <start_time1>00:00:00</start_time1>\n"
                                                     "            <end_time1>23:59:59</end_time1>\n"
                                                     "            <start_time2></start_time2>\n"
                                                     "            <end_time2></end_time2>\n"
                                                     "        </port>\n"
                                                     "        <port version=\"1\" name=\"AES/EBU 1\">\n"
                                                     "            <signal_name>News &amp; &lt;HD&gt;</signal_name>\n"
                                                     "            <alarm>false</alarm>\n"
                                                     "            <alarm_type_mask>4294967287</alarm_type_mask>\n"
                                                     "            <track_mask>2147483649</track_mask>\n"
                                                     "            <start_time1>08:00:00</start_time1>\n"
                                                     "            <end_time1>12:00:00</end_time1>\n"
                                                     "            <start_time2>13:30:00</start_time2>\n"
                                                     "            <end_time2>23:59:59</end_time2>\n"
                                                     "        </port>\n"
                                                     "    </device>\n"
                                                     "</device_config>\n"));

    DeviceConfigFile loaded;
    QVERIFY(loaded.Load(GetDeviceConfigPath()));
    QVERIFY(loaded.Save(GetDeviceConfigPath()));
    QCOMPARE(ReadFile(GetDeviceConfigPath()), text);
}

void TestDeviceConfigFile::loadFailuresExplainThemselves_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    QTest::newRow("wrong root") << QByteArray("<Device_Config version=\"1\"/>")
                                << "The root node name should be 'device_config'' but not 'Device_Config'";
    QTest::newRow("missing closing tag")
        << QByteArray("<?xml version=\"1.0\"?>\n<device_config>\n<device ip=\"1\">\n</device_config>\n")
        << "tag mismatch\nLine=4 Column=16";
    QTest::newRow("empty file") << QByteArray() << "unexpected end of file\nLine=1 Column=1";
}

void TestDeviceConfigFile::loadFailuresExplainThemselves()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    TempAppDir dir;
    QVERIFY(WriteFile(GetDeviceConfigPath(), content));
    DeviceConfigFile config;
    QVERIFY(!config.Load(GetDeviceConfigPath()));
    QCOMPARE(config.GetErrorString(), error);
    QVERIFY(!config.Load(dir.filePath("config/missing.xml")));
    QCOMPARE(config.GetErrorString(), QStringLiteral("No such file or directory"));
}

void TestDeviceConfigFile::oldPairLayoutOfTrackMaskIsConverted()
{
    // Old files hold one bit per pair of tracks and no version: 5 means pairs 1 and 3.
    const PortConfigNode old = LoadPort(QString(), QStringLiteral("<track_mask>5</track_mask>"));
    QCOMPARE(old.track_mask(), quint32(51));
    QCOMPARE(old.version(), 1);
    QCOMPARE(LoadPort(QString(), QStringLiteral("<track_mask>4294934528</track_mask>")).track_mask(), 0xC0000000);

    TempAppDir dir;
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QString());
    device.AddPort(old);
    DeviceConfigFile config;
    config.AddDevice(device);
    QVERIFY(config.Save(GetDeviceConfigPath()));
    QVERIFY(config.Load(GetDeviceConfigPath()));
    QCOMPARE(config.Devices()[0]->Ports()[0]->track_mask(), quint32(51));
}

void TestDeviceConfigFile::timeRangesAreKeptOnlyWhenCompleteAndOrdered_data()
{
    QTest::addColumn<QString>("start"); // a null string leaves the element out
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("expected"); // "start-end", each "" for a null time
    QTest::newRow("ordered") << "08:00:00" << "12:00:00" << "08:00:00-12:00:00";
    QTest::newRow("one instant") << "08:00:00" << "08:00:00" << "08:00:00-08:00:00";
    QTest::newRow("inverted") << "08:00:00" << "07:00:00" << "00:00:00-00:00:00";
    QTest::newRow("start missing") << QString() << "07:00:00" << "00:00:00-00:00:00";
    QTest::newRow("end missing") << "07:00:00" << QString() << "00:00:00-00:00:00";
    QTest::newRow("end empty") << "07:00:00" << "" << "00:00:00-00:00:00";
    QTest::newRow("both empty") << "" << "" << "-";
    QTest::newRow("start unparsable") << "8 o'clock" << "07:00:00" << "-07:00:00";
}

void TestDeviceConfigFile::timeRangesAreKeptOnlyWhenCompleteAndOrdered()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, expected);
    QString children;
    if (!start.isNull())
        children += QStringLiteral("<start_time2>%1</start_time2>").arg(start);
    if (!end.isNull())
        children += QStringLiteral("<end_time2>%1</end_time2>").arg(end);
    const PortConfigNode port = LoadPort(QStringLiteral("version=\"1\""), children);
    QCOMPARE(port.start_time2().toString("hh:mm:ss") + "-" + port.end_time2().toString("hh:mm:ss"), expected);
}

void TestDeviceConfigFile::copiesAreDeep()
{
    const QString ip = QStringLiteral("10.0.0.7");
    DeviceConfigNode device(ip, QStringLiteral("A"));
    device.SetBncPort(0, PortConfigNode());
    DeviceConfigFile original;
    original.AddDevice(device);
    const DeviceConfigFile copy(original);
    DeviceConfigFile assigned;
    assigned = original;
    original.FindDevice(ip)->FindPort(QStringLiteral("BNC 1"))->SetAlarm(false);
    original.RemoveDevice(ip);
    QVERIFY(copy.FindDevice(ip)->FindPort(QStringLiteral("BNC 1"))->alarm());
    QVERIFY(assigned.FindDevice(ip)->FindPort(QStringLiteral("BNC 1"))->alarm());
}

void TestDeviceConfigFile::failedSaveLeavesOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("directory missing") << "config/nowhere/device_config.xml";
    QTest::newRow("target is a directory") << "config/old";
    QTest::newRow("parent is a regular file") << "config/old.xml/device_config.xml";
}

void TestDeviceConfigFile::failedSaveLeavesOldFile()
{
    QFETCH(QString, target);
    TempAppDir dir;
    QVERIFY(WriteFile(dir.filePath("config/old.xml"), "old"));
    QVERIFY(QDir().mkpath(dir.filePath("config/old")));
    DeviceConfigFile config = ManyDevices(2);
    QVERIFY(!config.Save(dir.filePath(target)));
    QVERIFY(!config.GetErrorString().isEmpty());
    QCOMPARE(ReadFile(dir.filePath("config/old.xml")), QByteArray("old"));
    QVERIFY(QDir(dir.filePath("config/old")).isEmpty());
    QCOMPARE(QDir(GetConfigDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"old", "old.xml"}));
}

void TestDeviceConfigFile::saveThatRunsOutOfSpaceLeavesOldFile()
{
    TempAppDir dir;
    QVERIFY(WriteFile(GetDeviceConfigPath(), "old"));
    DeviceConfigFile config = ManyDevices(50);

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit unlimited{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = unlimited;
    small.rlim_cur = 512;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedUnderLimit = config.Save(GetDeviceConfigPath());
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!savedUnderLimit);
    QCOMPARE(ReadFile(GetDeviceConfigPath()), QByteArray("old"));
    QCOMPARE(QDir(GetConfigDir()).entryList(QDir::Files), QStringList{"device_config.xml"});
}

void TestDeviceConfigFile::unreadableFileIsKeptAsideBeforeTheReset()
{
    TempAppDir dir;
    DeviceConfigFile config = ManyDevices(1);
    DeviceConfigManager::GetConfig(config);
    QVERIFY(config.Devices().isEmpty());
    QCOMPARE(ReadFile(GetDeviceConfigPath()),
             QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<device_config version=\"1\"/>\n"));

    const QByteArray broken("<device_config><device ip=\"10.0.0.7\" dev_name=\"Studio A\">");
    QVERIFY(WriteFile(GetDeviceConfigPath(), broken));
    config = ManyDevices(1);
    DeviceConfigManager::GetConfig(config);
    QVERIFY(config.Devices().isEmpty());
    const QStringList kept = QDir(GetConfigDir()).entryList({"device_config.xml.unreadable-*"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY(QRegularExpression("^device_config\\.xml\\.unreadable-\\d{8}-\\d{6}$").match(kept[0]).hasMatch());
    QCOMPARE(ReadFile(GetConfigDir() + "/" + kept[0]), broken);
    QVERIFY(config.Load(GetDeviceConfigPath()));

    // A second failure within the same second must not overwrite the first kept copy.
    QVERIFY(WriteFile(GetDeviceConfigPath(), "not xml"));
    DeviceConfigManager::GetConfig(config);
    QCOMPARE(QDir(GetConfigDir()).entryList({"device_config.xml.unreadable-*"}, QDir::Files).size(), 2);
    QCOMPARE(ReadFile(GetConfigDir() + "/" + kept[0]), broken);
}

QTEST_GUILESS_MAIN(TestDeviceConfigFile)
#include "TestDeviceConfigFile.moc"
