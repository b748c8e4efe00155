#include "AlarmRecords.h"
#include "RecordingDisplay.h"
#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/ShowAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"

#include <QtTest>

#include <thread>

class TestAlarmHandler : public QObject
{
    Q_OBJECT

private slots:
    void filterFollowsThePortConfiguration_data();
    void filterFollowsThePortConfiguration();
    void acceptedRecordsCarryTheConfiguredNames();
    void routerHandsDevicesAndHistorySizeToTheDisplay();
    void ordersAcrossProducerThreadsAreKept();

private:
    void MakeHandler();

    RecordingDisplay m_display;
    ShowAlarmManager m_router;
    std::unique_ptr<AlarmHandler> m_handler;
};

namespace {
const QString Studio = QStringLiteral("10.0.0.7");
const QString PortlessDevice = QStringLiteral("10.0.0.8");

// Studio A: BNC 1 unmonitored; BNC 2 the editor's default (whole day, one window); BNC 3 "News" from 08:00 to
// 12:00 only; Analog 1 only in its second window, 13:00 to 14:00; AES/EBU 1 tracks 1 and 32, overload masked.
DeviceConfigFile StudioConfig()
{
    DeviceConfigNode device(Studio, QStringLiteral("Studio A"));
    PortConfigNode unmonitored;
    unmonitored.SetAlarm(false);
    device.SetBncPort(0, unmonitored);
    device.SetBncPort(1, PortConfigNode());
    PortConfigNode news;
    news.SetSignalName(QStringLiteral("News"));
    news.SetTimeRange1(QTime(8, 0, 0), QTime(12, 0, 0));
    device.SetBncPort(2, news);
    PortConfigNode afternoon;
    afternoon.SetTimeRange1(QTime(), QTime());
    afternoon.SetTimeRange2(QTime(13, 0, 0), QTime(14, 0, 0));
    device.SetAnalogPort(0, afternoon);
    PortConfigNode aes;
    aes.SetTrackMask(0x80000001);
    aes.SetAlarmTypeMask(~quint32(AlarmTypeAudioOverload));
    device.SetAesPort(0, aes);

    DeviceConfigFile config;
    config.AddDevice(device);
    config.AddDevice(DeviceConfigNode(PortlessDevice, QStringLiteral("Rack")));
    return config;
}

AlarmRecord* MakeRecord(const QString& ip, int alarmType, int portType, int portID, int trackID, const QTime& time,
                        int level = LevelError)
{
    AlarmRecord* record = AlarmRecordPool::Instance()->Acquire();
    *record = MakeAlarm(ip, portType, portID, trackID, alarmType, level);
    record->time = QDateTime(QDate::currentDate(), time);
    return record;
}

// Records reach the display in queue order: once a record that surely passes has arrived, every record queued
// before it has been decided.
void WaitForSentinel(AlarmHandler& handler, const RecordingDisplay& display, AlarmRecord* sentinel = nullptr)
{
    if (!sentinel)
        sentinel = MakeRecord(PortlessDevice, AlarmTypeConnection, PortTypeNone, -1, -1, QTime(0, 0), 99);
    handler.AddAlarm(sentinel);
    QTRY_VERIFY(!display.Records().isEmpty() && display.Records().constLast().level == 99);
}

class WiringDisplay : public RecordingDisplay
{
public:
    void SetMaxHistory(int maxHistory) override { calls << QStringLiteral("max %1").arg(maxHistory); }
    void SetDeviceConfig(const DeviceConfigFile& config) override
    {
        calls << QStringLiteral("config %1").arg(config.Devices().size());
    }
    void ClearDevices() override { calls << QStringLiteral("clear"); }
    void AddDevice(const QString& ip, const QString& name) override { calls << ip + "=" + name; }
    QStringList calls;
};
} // namespace

void TestAlarmHandler::MakeHandler()
{
    m_display.Clear();
    m_router.SetDisplay(&m_display);
    m_handler = std::make_unique<AlarmHandler>();
    m_handler->SetShowAlarmManager(&m_router);
    m_handler->SetDeviceConfig(StudioConfig());
}

void TestAlarmHandler::filterFollowsThePortConfiguration_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("alarmType");
    QTest::addColumn<int>("portType");
    QTest::addColumn<int>("portID");
    QTest::addColumn<int>("trackID");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("passes");

    const int bnc = PortTypeBnc;
    const int aes = PortTypeAes;
    const int analog = PortTypeAnalog;
    const int error = LevelError;
    QTest::newRow("window end, inclusive") << Studio << 4 << bnc << 3 << -1 << QTime(12, 0) << error << true;
    QTest::newRow("1 ms after window end") << Studio << 4 << bnc << 3 << -1 << QTime(12, 0, 0, 1) << error << false;
    QTest::newRow("window start, inclusive") << Studio << 4 << bnc << 3 << -1 << QTime(8, 0) << error << true;
    QTest::newRow("1 ms before window start")
        << Studio << 4 << bnc << 3 << -1 << QTime(7, 59, 59, 999) << error << false;
    QTest::newRow("recovery outside window")
        << Studio << 4 << bnc << 3 << -1 << QTime(13, 0) << int(LevelNormal) << false;
    QTest::newRow("video ignores tracks") << Studio << 1 << bnc << 3 << 40 << QTime(9, 0) << error << true;
    QTest::newRow("whole day, last second") << Studio << 2 << bnc << 2 << -1 << QTime(23, 59, 59) << error << true;
    QTest::newRow("whole day, after 23:59:59")
        << Studio << 2 << bnc << 2 << -1 << QTime(23, 59, 59, 500) << error << false;
    QTest::newRow("second window end") << Studio << 8 << analog << 1 << 1 << QTime(14, 0) << error << true;
    QTest::newRow("after second window") << Studio << 8 << analog << 1 << 1 << QTime(14, 0, 0, 1) << error << false;
    QTest::newRow("invalid first window") << Studio << 8 << analog << 1 << 1 << QTime(10, 0) << error << false;
    QTest::newRow("track 1") << Studio << 8 << aes << 1 << 1 << QTime(10, 0) << error << true;
    QTest::newRow("track 32") << Studio << 8 << aes << 1 << 32 << QTime(10, 0) << error << true;
    QTest::newRow("track 2 masked") << Studio << 8 << aes << 1 << 2 << QTime(10, 0) << error << false;
    QTest::newRow("track 0") << Studio << 8 << aes << 1 << 0 << QTime(10, 0) << error << false;
    QTest::newRow("track 33") << Studio << 8 << aes << 1 << 33 << QTime(10, 0) << error << false;
    QTest::newRow("type masked") << Studio << 16 << aes << 1 << 1 << QTime(10, 0) << error << false;
    QTest::newRow("unmonitored port") << Studio << 1 << bnc << 1 << -1 << QTime(10, 0) << error << false;
    QTest::newRow("port not configured") << Studio << 1 << bnc << 9 << -1 << QTime(10, 0) << error << false;
    QTest::newRow("connection ignores windows") << Studio << 32 << bnc << 3 << -1 << QTime(3, 0) << error << true;
    QTest::newRow("undecided type") << Studio << 0 << bnc << 2 << -1 << QTime(10, 0) << error << false;
    QTest::newRow("fan") << Studio << 64 << bnc << 2 << -1 << QTime(10, 0) << error << false;
    QTest::newRow("power") << Studio << 128 << bnc << 2 << -1 << QTime(10, 0) << error << false;
}

void TestAlarmHandler::filterFollowsThePortConfiguration()
{
    QFETCH(QString, ip);
    QFETCH(int, alarmType);
    QFETCH(int, portType);
    QFETCH(int, portID);
    QFETCH(int, trackID);
    QFETCH(QTime, time);
    QFETCH(int, level);
    QFETCH(bool, passes);

    MakeHandler();
    AlarmRecord* record = MakeRecord(ip, alarmType, portType, portID, trackID, time, level);
    AlarmRecord* sentinel = MakeRecord(PortlessDevice, AlarmTypeConnection, PortTypeNone, -1, -1, QTime(0, 0), 99);
    // Passed or dropped, every record goes back to the pool.
    const int spares = AlarmRecordPool::Instance()->FreeCount();
    m_handler->AddAlarm(record);
    WaitForSentinel(*m_handler, m_display, sentinel);
    QCOMPARE(m_display.Count(), passes ? 2 : 1);
    QTRY_COMPARE(AlarmRecordPool::Instance()->FreeCount(), spares + 2);
}

void TestAlarmHandler::acceptedRecordsCarryTheConfiguredNames()
{
    MakeHandler();
    m_handler->AddAlarm(nullptr);
    QTest::ignoreMessage(QtDebugMsg, "10.0.0.99 is not configed");
    m_handler->AddAlarm(MakeRecord(QStringLiteral("10.0.0.99"), 32, 0, -1, -1, QTime(10, 0)));
    m_handler->AddAlarm(MakeRecord(Studio, 4, PortTypeBnc, 3, -1, QTime(10, 0)));
    m_handler->AddAlarm(MakeRecord(Studio, 32, PortTypeBnc, 3, -1, QTime(10, 0)));
    m_handler->AddAlarm(MakeRecord(Studio, 8, PortTypeAes, 1, 1, QTime(10, 0)));
    WaitForSentinel(*m_handler, m_display);

    const QList<AlarmRecord> records = m_display.Records();
    QCOMPARE(records.size(), 4);
    QCOMPARE(records[0].deviceName, QStringLiteral("Studio A"));
    QCOMPARE(records[0].signalName, QStringLiteral("News"));
    // Only signal alarms name a signal, even when the record happens to carry a port.
    QCOMPARE(records[1].deviceName, QStringLiteral("Studio A"));
    QCOMPARE(records[1].signalName, QString());
    QCOMPARE(records[2].signalName, QString());
    QCOMPARE(records[3].deviceName, QStringLiteral("Rack"));
}

void TestAlarmHandler::routerHandsDevicesAndHistorySizeToTheDisplay()
{
    WiringDisplay display;
    ShowAlarmManager router;
    DeviceConfigFile config = StudioConfig();
    router.SetDeviceConfig(config);
    QVERIFY(display.calls.isEmpty());

    router.SetDisplay(&display);
    SystemConfigFile settings;
    settings.SetMaxHistory(25);
    router.SetSystemConfig(settings);
    router.SetDeviceConfig(config);
    QCOMPARE(display.calls, QStringList({"max 25", "config 2", "clear", "10.0.0.7=Studio A", "10.0.0.8=Rack"}));

    display.calls.clear();
    settings.SetMaxHistory(4000000000u);
    router.SetSystemConfig(settings);
    QCOMPARE(display.calls, QStringList{QStringLiteral("max %1").arg(INT_MAX)});
}

void TestAlarmHandler::ordersAcrossProducerThreadsAreKept()
{
    MakeHandler();
    // Each producer numbers its records in portID; whatever the interleaving, each producer's order must survive.
    constexpr int perProducer = 2000;
    auto produce = [&](const QString& ip, int level) {
        for (int i = 0; i < perProducer; ++i)
            m_handler->AddAlarm(MakeRecord(ip, AlarmTypeConnection, PortTypeNone, i, -1, QTime(12, 0), level));
    };
    std::thread a(produce, Studio, int(LevelWarn));
    std::thread b(produce, PortlessDevice, int(LevelWarn));
    produce(Studio, LevelError);
    a.join();
    b.join();

    QTRY_COMPARE_WITH_TIMEOUT(m_display.Count(), 3 * perProducer, 10000);
    QHash<QString, int> next;
    for (const AlarmRecord& record : m_display.Records()) {
        const QString producer = record.ip + QString::number(record.level);
        QCOMPARE(record.portID, next.value(producer));
        next[producer] = record.portID + 1;
    }
}

QTEST_GUILESS_MAIN(TestAlarmHandler)
#include "TestAlarmHandler.moc"
