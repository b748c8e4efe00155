#include "AlarmRecords.h"
#include "AlarmRoad.h"
#include "alarm/AlarmRecordPool.h"
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
    // A fresh road for each case, configured with StudioConfig.
    void init();
    void filterFollowsThePortConfiguration_data();
    void filterFollowsThePortConfiguration();
    void acceptedRecordsCarryTheConfiguredNames();
    void routerClampsTheHistorySizeAndWorksWithoutADisplay();
    void ordersAcrossProducerThreadsAreKept();
    void placeMarkersInTheAddressAreNotExpanded();

private:
    std::unique_ptr<AlarmRoad> m_road;
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

} // namespace

void TestAlarmHandler::init()
{
    m_road = std::make_unique<AlarmRoad>();
    m_road->handler.SetDeviceConfig(StudioConfig());
}

void TestAlarmHandler::filterFollowsThePortConfiguration_data()
{
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
    QTest::newRow("window end, inclusive") << 4 << bnc << 3 << -1 << QTime(12, 0) << error << true;
    QTest::newRow("1 ms after window end") << 4 << bnc << 3 << -1 << QTime(12, 0, 0, 1) << error << false;
    QTest::newRow("window start, inclusive") << 4 << bnc << 3 << -1 << QTime(8, 0) << error << true;
    QTest::newRow("1 ms before window start") << 4 << bnc << 3 << -1 << QTime(7, 59, 59, 999) << error << false;
    QTest::newRow("recovery outside window") << 4 << bnc << 3 << -1 << QTime(13, 0) << int(LevelNormal) << false;
    QTest::newRow("video ignores tracks") << 1 << bnc << 3 << 40 << QTime(9, 0) << error << true;
    QTest::newRow("whole day, last second") << 2 << bnc << 2 << -1 << QTime(23, 59, 59) << error << true;
    QTest::newRow("whole day, after 23:59:59") << 2 << bnc << 2 << -1 << QTime(23, 59, 59, 500) << error << false;
    QTest::newRow("second window end") << 8 << analog << 1 << 1 << QTime(14, 0) << error << true;
    QTest::newRow("invalid first window") << 8 << analog << 1 << 1 << QTime(10, 0) << error << false;
    QTest::newRow("track 1") << 8 << aes << 1 << 1 << QTime(10, 0) << error << true;
    QTest::newRow("track 32") << 8 << aes << 1 << 32 << QTime(10, 0) << error << true;
    QTest::newRow("track 2 masked") << 8 << aes << 1 << 2 << QTime(10, 0) << error << false;
    QTest::newRow("track 0") << 8 << aes << 1 << 0 << QTime(10, 0) << error << false;
    QTest::newRow("track 33") << 8 << aes << 1 << 33 << QTime(10, 0) << error << false;
    QTest::newRow("type masked") << 16 << aes << 1 << 1 << QTime(10, 0) << error << false;
    QTest::newRow("unmonitored port") << 1 << bnc << 1 << -1 << QTime(10, 0) << error << false;
    QTest::newRow("port not configured") << 1 << bnc << 9 << -1 << QTime(10, 0) << error << false;
    QTest::newRow("connection ignores windows") << 32 << bnc << 3 << -1 << QTime(3, 0) << error << true;
    QTest::newRow("undecided type") << 0 << bnc << 2 << -1 << QTime(10, 0) << error << false;
    QTest::newRow("fan") << 64 << bnc << 2 << -1 << QTime(10, 0) << error << false;
}

void TestAlarmHandler::filterFollowsThePortConfiguration()
{
    QFETCH(int, alarmType);
    QFETCH(int, portType);
    QFETCH(int, portID);
    QFETCH(int, trackID);
    QFETCH(QTime, time);
    QFETCH(int, level);
    QFETCH(bool, passes);

    AlarmRecord* record = MakeRecord(Studio, alarmType, portType, portID, trackID, time, level);
    // Passed or dropped, every record goes back to the pool.
    const int spares = AlarmRecordPool::Instance()->FreeCount();
    m_road->handler.AddAlarm(record);
    QVERIFY(m_road->Drain(PortlessDevice));
    QCOMPARE(m_road->display.Records().size(), passes ? 1 : 0);
    QTRY_COMPARE(AlarmRecordPool::Instance()->FreeCount(), spares + 1);
}

void TestAlarmHandler::acceptedRecordsCarryTheConfiguredNames()
{
    AlarmHandler& handler = m_road->handler;
    handler.AddAlarm(nullptr);
    handler.AddAlarm(MakeRecord(QStringLiteral("10.0.0.99"), 32, 0, -1, -1, QTime(10, 0)));
    handler.AddAlarm(MakeRecord(Studio, 4, PortTypeBnc, 3, -1, QTime(10, 0)));
    handler.AddAlarm(MakeRecord(Studio, 32, PortTypeBnc, 3, -1, QTime(10, 0)));
    handler.AddAlarm(MakeRecord(Studio, 8, PortTypeAes, 1, 1, QTime(10, 0)));
    handler.AddAlarm(MakeRecord(PortlessDevice, 32, 0, -1, -1, QTime(10, 0)));
    QVERIFY(m_road->Drain(PortlessDevice));

    const QList<AlarmRecord> records = m_road->display.Records();
    QCOMPARE(records.size(), 4);
    QCOMPARE(records[0].deviceName, QStringLiteral("Studio A"));
    QCOMPARE(records[0].signalName, QStringLiteral("News"));
    // Only signal alarms name a signal, even when the record happens to carry a port.
    QCOMPARE(records[1].deviceName, QStringLiteral("Studio A"));
    QCOMPARE(records[1].signalName, QString());
    QCOMPARE(records[2].signalName, QString());
    QCOMPARE(records[3].deviceName, QStringLiteral("Rack"));
}

void TestAlarmHandler::routerClampsTheHistorySizeAndWorksWithoutADisplay()
{
    ShowAlarmManager router;
    SystemConfigFile settings;
    settings.SetMaxHistory(4000000000u);
    router.SetDeviceConfig(StudioConfig());
    router.SetSystemConfig(settings);

    RecordingDisplay display;
    router.SetDisplay(&display);
    router.SetSystemConfig(settings);
    QCOMPARE(display.maxHistory, INT_MAX);
}

void TestAlarmHandler::ordersAcrossProducerThreadsAreKept()
{
    // Each producer numbers its records in portID; whatever the interleaving, each producer's order must survive.
    constexpr int perProducer = 2000;
    auto produce = [&](const QString& ip, int level) {
        for (int i = 0; i < perProducer; ++i)
            m_road->handler.AddAlarm(MakeRecord(ip, AlarmTypeConnection, PortTypeNone, i, -1, QTime(12, 0), level));
    };
    std::thread a(produce, Studio, int(LevelWarn));
    std::thread b(produce, PortlessDevice, int(LevelWarn));
    produce(Studio, LevelError);
    a.join();
    b.join();

    QTRY_COMPARE_WITH_TIMEOUT(m_road->display.Records().size(), 3 * perProducer, 10000);
    QHash<QString, int> next;
    for (const AlarmRecord& record : m_road->display.Records()) {
        const QString producer = record.ip + QString::number(record.level);
        QCOMPARE(record.portID, next.value(producer));
        next[producer] = record.portID + 1;
    }
}

void TestAlarmHandler::placeMarkersInTheAddressAreNotExpanded()
{
    const AlarmRecord record = MakeAlarm(QStringLiteral("%2%3"), PortTypeBnc, 3, -1, AlarmTypeVideoBlack, LevelError);
    QCOMPARE(AlarmIdentityKey(record), QStringLiteral("%2%3.1.3.-1.1"));
}

QTEST_GUILESS_MAIN(TestAlarmHandler)
#include "TestAlarmHandler.moc"
