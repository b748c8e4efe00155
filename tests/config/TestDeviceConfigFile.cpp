#include "TempAppDir.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigManager.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

#include <QtTest>

class TestDeviceConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void editorDefaultPortIsWrittenInFieldOrder();
    void roundTripKeepsEveryField();
    void oldPairLayoutOfTrackMaskIsConverted();
    void missingElementsTakeTheirReadDefaults();
    void timeRangesAreKeptOnlyWhenCompleteAndOrdered_data();
    void timeRangesAreKeptOnlyWhenCompleteAndOrdered();
    void duplicateAddressesLoadAndLookupsFindTheFirst();
    void setPortNamesThePortAndReplacesInPlace();
    void copiesAreDeep();
    void missingFileIsCreatedEmpty();
    void unreadableFileIsKeptAsideBeforeTheReset();
};

static void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

static QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Loads a device file holding one device with one port element made of the given attributes and children.
static PortConfigNode LoadPort(const QString& attributes, const QString& children)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("device_config.xml");
    WriteFile(path, QStringLiteral("<device_config version=\"1\"><device ip=\"10.0.0.7\"><port name=\"BNC 1\" %1>%2"
                                   "</port></device></device_config>")
                        .arg(attributes, children)
                        .toUtf8());
    DeviceConfigFile config;
    if (!config.Load(path) || config.Devices().size() != 1 || config.Devices()[0]->Ports().size() != 1)
        return PortConfigNode();
    return *config.Devices()[0]->Ports()[0];
}

void TestDeviceConfigFile::editorDefaultPortIsWrittenInFieldOrder()
{
    TempAppDir dir;
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QStringLiteral("Studio A"));
    device.SetBncPort(0, PortConfigNode());
    DeviceConfigFile config;
    config.AddDevice(device);
    QVERIFY(config.Save(GetDeviceConfigPath()));
    QCOMPARE(QString::fromUtf8(ReadFile(GetDeviceConfigPath())),
             QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<device_config version=\"1\">\n"
                            "    <device dev_name=\"Studio A\" ip=\"10.0.0.7\">\n"
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
                            "    </device>\n"
                            "</device_config>\n"));
}

void TestDeviceConfigFile::roundTripKeepsEveryField()
{
    TempAppDir dir;
    PortConfigNode port;
    port.SetSignalName(QStringLiteral("News & \"Sport\" <HD>"));
    port.SetAlarm(false);
    port.SetAlarmTypeMask(0xFFFFFFFF & ~quint32(8));
    port.SetTrackMask(0x80000001);
    port.SetTimeRange1(QTime(8, 0, 0), QTime(12, 0, 0));
    port.SetTimeRange2(QTime(13, 30, 0), QTime(23, 59, 59));
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QStringLiteral("演播室 A"));
    device.SetAesPort(0, port);
    DeviceConfigFile config;
    config.AddDevice(device);
    QVERIFY(config.Save(GetDeviceConfigPath()));

    DeviceConfigFile loaded;
    QVERIFY(loaded.Load(GetDeviceConfigPath()));
    const DeviceConfigNode* read = loaded.FindDevice(QStringLiteral("10.0.0.7"));
    QVERIFY(read);
    QCOMPARE(read->dev_name(), QStringLiteral("演播室 A"));
    PortConfigNode readPort;
    QVERIFY(read->GetAesPort(0, readPort));
    QCOMPARE(readPort.name(), QStringLiteral("AES/EBU 1"));
    QCOMPARE(readPort.version(), 1);
    QCOMPARE(readPort.signal_name(), port.signal_name());
    QCOMPARE(readPort.alarm(), false);
    QCOMPARE(readPort.alarm_type_mask(), port.alarm_type_mask());
    QCOMPARE(readPort.track_mask(), quint32(0x80000001));
    QCOMPARE(readPort.start_time1(), QTime(8, 0, 0));
    QCOMPARE(readPort.end_time1(), QTime(12, 0, 0));
    QCOMPARE(readPort.start_time2(), QTime(13, 30, 0));
    QCOMPARE(readPort.end_time2(), QTime(23, 59, 59));
}

void TestDeviceConfigFile::oldPairLayoutOfTrackMaskIsConverted()
{
    // Old files hold one bit per pair of tracks and no version: 5 means pairs 1 and 3.
    const PortConfigNode old = LoadPort(QString(), QStringLiteral("<track_mask>5</track_mask>"));
    QCOMPARE(old.track_mask(), quint32(51));
    QCOMPARE(old.version(), 1);
    QCOMPARE(LoadPort(QString(), QStringLiteral("<track_mask>4294901760</track_mask>")).track_mask(), quint32(0));
    QCOMPARE(LoadPort(QString(), QStringLiteral("<track_mask>32768</track_mask>")).track_mask(), 0xC0000000);

    TempAppDir dir;
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QString());
    device.AddPort(old);
    DeviceConfigFile config;
    config.AddDevice(device);
    QVERIFY(config.Save(GetDeviceConfigPath()));
    DeviceConfigFile again;
    QVERIFY(again.Load(GetDeviceConfigPath()));
    QCOMPARE(again.Devices()[0]->Ports()[0]->track_mask(), quint32(51));
}

void TestDeviceConfigFile::missingElementsTakeTheirReadDefaults()
{
    const PortConfigNode bare = LoadPort(QStringLiteral("version=\"1\""), QString());
    QCOMPARE(bare.track_mask(), 0xFFFFFFFF);
    QCOMPARE(bare.alarm_type_mask(), 0xFFFFFFFF);
    QCOMPARE(bare.alarm(), true);
    QCOMPARE(bare.signal_name(), QString());
    QCOMPARE(bare.start_time1(), QTime(0, 0, 0));
    QCOMPARE(bare.end_time1(), QTime(0, 0, 0));

    const PortConfigNode odd =
        LoadPort(QStringLiteral("version=\"x\""), QStringLiteral("<alarm>TRUE</alarm>"
                                                                 "<alarm_type_mask>-1</alarm_type_mask>"
                                                                 "<track_mask>7</track_mask>"));
    QCOMPARE(odd.alarm(), false);
    QCOMPARE(odd.alarm_type_mask(), quint32(0));
    // A version that is not a number reads as 0, which marks the old track layout.
    QCOMPARE(odd.track_mask(), quint32(0x3F));
}

void TestDeviceConfigFile::timeRangesAreKeptOnlyWhenCompleteAndOrdered_data()
{
    QTest::addColumn<QString>("start"); // a null string leaves the element out
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("expected"); // "start-end", each "" for a null time
    QTest::newRow("ordered") << "08:00:00"
                             << "12:00:00"
                             << "08:00:00-12:00:00";
    QTest::newRow("one instant") << "08:00:00"
                                 << "08:00:00"
                                 << "08:00:00-08:00:00";
    QTest::newRow("inverted") << "08:00:00"
                              << "07:00:00"
                              << "00:00:00-00:00:00";
    QTest::newRow("start missing") << QString() << "07:00:00"
                                   << "00:00:00-00:00:00";
    QTest::newRow("end missing") << "07:00:00" << QString() << "00:00:00-00:00:00";
    QTest::newRow("both empty") << ""
                                << ""
                                << "-";
    QTest::newRow("start unparsable") << "8 o'clock"
                                      << "07:00:00"
                                      << "-07:00:00";
    QTest::newRow("end empty") << "07:00:00"
                               << ""
                               << "00:00:00-00:00:00";
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

void TestDeviceConfigFile::duplicateAddressesLoadAndLookupsFindTheFirst()
{
    TempAppDir dir;
    WriteFile(GetDeviceConfigPath(), "<device_config version=\"1\"><device ip=\"10.0.0.7\" dev_name=\"First\"/>"
                                     "<note/><device ip=\"10.0.0.7\" dev_name=\"Second\"/></device_config>");
    DeviceConfigFile config;
    QVERIFY(config.Load(GetDeviceConfigPath()));
    QCOMPARE(config.Devices().size(), 2);
    QCOMPARE(config.FindDevice(QStringLiteral("10.0.0.7"))->dev_name(), QStringLiteral("First"));
    QVERIFY(!config.AddDevice(DeviceConfigNode(QStringLiteral("10.0.0.7"), QStringLiteral("Third"))));
    config.RemoveDevice(QStringLiteral("10.0.0.7"));
    QCOMPARE(config.FindDevice(QStringLiteral("10.0.0.7"))->dev_name(), QStringLiteral("Second"));
    DeviceConfigNode untouched(QStringLiteral("x"), QStringLiteral("keep"));
    QVERIFY(!config.GetDevice(QStringLiteral("10.0.0.9"), untouched));
    QCOMPARE(untouched.dev_name(), QStringLiteral("keep"));
}

void TestDeviceConfigFile::setPortNamesThePortAndReplacesInPlace()
{
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QString());
    PortConfigNode port;
    port.SetName(QStringLiteral("ignored"));
    device.SetBncPort(15, port);
    device.SetAnalogPort(0, port);
    port.SetSignalName(QStringLiteral("News"));
    device.SetBncPort(15, port);
    QCOMPARE(device.Ports().size(), 2);
    QCOMPARE(device.Ports()[0]->name(), QStringLiteral("BNC 16"));
    QCOMPARE(device.Ports()[0]->signal_name(), QStringLiteral("News"));
    QCOMPARE(device.Ports()[1]->name(), QStringLiteral("Analog 1"));
    PortConfigNode out;
    QVERIFY(!device.GetAesPort(0, out));
    QVERIFY(!device.FindPort(QStringLiteral("bnc 16")));
}

void TestDeviceConfigFile::copiesAreDeep()
{
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QStringLiteral("A"));
    device.SetBncPort(0, PortConfigNode());
    DeviceConfigFile original;
    original.AddDevice(device);
    DeviceConfigFile copy(original);
    DeviceConfigFile assigned;
    assigned = original;
    original.FindDevice(QStringLiteral("10.0.0.7"))->FindPort(QStringLiteral("BNC 1"))->SetAlarm(false);
    original.RemoveDevice(QStringLiteral("10.0.0.7"));
    QVERIFY(copy.FindDevice(QStringLiteral("10.0.0.7"))->FindPort(QStringLiteral("BNC 1"))->alarm());
    QVERIFY(assigned.FindDevice(QStringLiteral("10.0.0.7"))->FindPort(QStringLiteral("BNC 1"))->alarm());
}

void TestDeviceConfigFile::missingFileIsCreatedEmpty()
{
    TempAppDir dir;
    DeviceConfigFile config;
    DeviceConfigManager::GetConfig(config);
    QVERIFY(config.Devices().isEmpty());
    QCOMPARE(ReadFile(GetDeviceConfigPath()),
             QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<device_config version=\"1\"/>\n"));
    QCOMPARE(QDir(GetConfigDir()).entryList(QDir::Files).size(), 1);
}

void TestDeviceConfigFile::unreadableFileIsKeptAsideBeforeTheReset()
{
    TempAppDir dir;
    const QByteArray broken("<device_config><device ip=\"10.0.0.7\" dev_name=\"Studio A\">");
    WriteFile(GetDeviceConfigPath(), broken);
    DeviceConfigFile config;
    config.AddDevice(DeviceConfigNode(QStringLiteral("10.0.0.1"), QStringLiteral("stale")));
    DeviceConfigManager::GetConfig(config);
    QVERIFY(config.Devices().isEmpty());

    const QStringList kept =
        QDir(GetConfigDir()).entryList({QStringLiteral("device_config.xml.unreadable-*")}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY(QRegularExpression(QStringLiteral("^device_config\\.xml\\.unreadable-\\d{8}-\\d{6}$"))
                .match(kept[0])
                .hasMatch());
    QCOMPARE(ReadFile(GetConfigDir() + "/" + kept[0]), broken);
    DeviceConfigFile reset;
    QVERIFY(reset.Load(GetDeviceConfigPath()));

    // A second failure within the same second must not overwrite the first kept copy.
    WriteFile(GetDeviceConfigPath(), "not xml");
    DeviceConfigManager::GetConfig(config);
    QCOMPARE(QDir(GetConfigDir()).entryList({QStringLiteral("device_config.xml.unreadable-*")}, QDir::Files).size(), 2);
    QCOMPARE(ReadFile(GetConfigDir() + "/" + kept[0]), broken);
}

QTEST_GUILESS_MAIN(TestDeviceConfigFile)
#include "TestDeviceConfigFile.moc"
