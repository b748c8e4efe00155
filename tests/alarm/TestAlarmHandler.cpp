#include "RecordingDisplay.h"
#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/ShowAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

#include <QtTest>

#include <thread>

class TestAlarmHandler : public QObject
{
    Q_OBJECT

private slots:
    void threadStartsOnFirstRecord();
    void undecidedFanAndPowerRecordsAreDropped();
    void ordersAcrossProducerThreadsAreKept();
    void recordsAreReturnedToThePool();
};

// The handler passes only what the configuration asks for: these devices watch BNC 1 all day.
static DeviceConfigFile Devices()
{
    DeviceConfigFile config;
    for (const char* ip : {"10.0.0.1", "10.0.0.2", "10.0.0.3"}) {
        DeviceConfigNode device(QString::fromLatin1(ip), QString());
        device.SetBncPort(0, PortConfigNode());
        config.AddDevice(device);
    }
    return config;
}

static AlarmRecord* MakeRecord(const QString& ip, int alarmType, int portID = -1)
{
    AlarmRecord* record = AlarmRecordPool::Instance()->Acquire();
    record->Init(ip);
    record->time = QDateTime(QDate::currentDate(), QTime(12, 0));
    record->alarmType = alarmType;
    record->portType = PortTypeBnc;
    record->portID = portID;
    record->level = LevelError;
    return record;
}

void TestAlarmHandler::threadStartsOnFirstRecord()
{
    AlarmHandler handler;
    QVERIFY(!handler.isRunning());
    handler.AddAlarm(nullptr);
    QVERIFY(!handler.isRunning());
    handler.AddAlarm(MakeRecord("10.0.0.1", AlarmTypeConnection));
    QVERIFY(handler.isRunning());
}

void TestAlarmHandler::undecidedFanAndPowerRecordsAreDropped()
{
    RecordingDisplay display;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler;
    handler.SetShowAlarmManager(&router);
    handler.SetDeviceConfig(Devices());

    for (int type : {0, 64, 128, 1, 32})
        handler.AddAlarm(MakeRecord("10.0.0.1", type, 1));
    QTRY_COMPARE(display.Count(), 2);
    QTest::qWait(50);
    const QList<AlarmRecord> records = display.Records();
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[0].alarmType, 1);
    QCOMPARE(records[1].alarmType, 32);
}

void TestAlarmHandler::ordersAcrossProducerThreadsAreKept()
{
    RecordingDisplay display;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler;
    handler.SetShowAlarmManager(&router);
    handler.SetDeviceConfig(Devices());

    // Each producer numbers its records; whatever the interleaving, each producer's own order must survive.
    constexpr int perProducer = 2000;
    auto produce = [&](const QString& ip) {
        for (int i = 0; i < perProducer; ++i)
            handler.AddAlarm(MakeRecord(ip, AlarmTypeConnection, i));
    };
    std::thread a(produce, QStringLiteral("10.0.0.1"));
    std::thread b(produce, QStringLiteral("10.0.0.2"));
    produce(QStringLiteral("10.0.0.3"));
    a.join();
    b.join();

    QTRY_COMPARE_WITH_TIMEOUT(display.Count(), 3 * perProducer, 10000);
    QHash<QString, int> next;
    for (const AlarmRecord& record : display.Records()) {
        QCOMPARE(record.portID, next.value(record.ip));
        next[record.ip] = record.portID + 1;
    }
}

void TestAlarmHandler::recordsAreReturnedToThePool()
{
    RecordingDisplay display;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler;
    handler.SetShowAlarmManager(&router);
    handler.SetDeviceConfig(Devices());

    QList<AlarmRecord*> records{MakeRecord("10.0.0.1", 32), MakeRecord("10.0.0.1", 0), MakeRecord("10.0.0.1", 4, 1)};
    const int spares = AlarmRecordPool::Instance()->FreeCount();
    for (AlarmRecord* record : records)
        handler.AddAlarm(record);
    QTRY_COMPARE(AlarmRecordPool::Instance()->FreeCount(), spares + 3);
    QCOMPARE(display.Count(), 2);
}

QTEST_GUILESS_MAIN(TestAlarmHandler)
#include "TestAlarmHandler.moc"
