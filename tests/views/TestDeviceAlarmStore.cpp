#include "AlarmRecords.h"
#include "alarm/AlarmRecordPool.h"
#include "views/DeviceAlarmStore.h"

#include <QtTest>

Q_DECLARE_METATYPE(AlarmRecord)

class TestDeviceAlarmStore : public QObject
{
    Q_OBJECT

private slots:
    void recordSequences_data();
    void recordSequences();
    void historyKeepsTheNewestAndTakesNothingFromThePool();
    void removeByKeyMovesWithoutEndTime();
    void mergedTracksCarryEarliestStartHighestLevelAndTrackList();
    void portStates_data();
    void portStates();
};

static const QString Ip = QStringLiteral("10.0.0.5");

// Minute m of a fixed morning.
static AlarmRecord At(AlarmRecord record, int minute)
{
    record.time = QDateTime(QDate(2026, 12, 6), QTime(10, minute));
    return record;
}

static AlarmRecord Bnc(int port, int alarmType, int level, int minute)
{
    return At(MakeAlarm(Ip, PortTypeBnc, port, -1, alarmType, level), minute);
}

static AlarmRecord Track(int track, int alarmType, int level, int minute)
{
    return At(MakeAlarm(Ip, PortTypeAnalog, 1, track, alarmType, level), minute);
}

static AlarmRecord Connection(int level, int minute)
{
    return At(MakeAlarm(Ip, PortTypeNone, -1, -1, AlarmTypeConnection, level), minute);
}

static bool Apply(DeviceAlarmStore& store, const AlarmRecord& record)
{
    AlarmRecord superseded;
    bool flag = false;
    if (IsSignalAlarm(record.alarmType))
        store.ApplySignalRecord(record, superseded, flag);
    else
        store.ApplySystemRecord(record, superseded, flag);
    return flag;
}

// "type/track/level@start" of each record, and "-end" for an ended one.
static QStringList Texts(const QList<AlarmRecord>& records)
{
    QStringList texts;
    for (const AlarmRecord& r : records) {
        texts << QStringLiteral("%1/%2/%3@%4%5")
                     .arg(r.alarmType)
                     .arg(r.trackID)
                     .arg(r.level)
                     .arg(r.time.time().minute())
                     .arg(r.end_time.isValid() ? QStringLiteral("-%1").arg(r.end_time.time().minute()) : QString());
    }
    return texts;
}

void TestDeviceAlarmStore::recordSequences_data()
{
    QTest::addColumn<QList<AlarmRecord>>("records");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<bool>("lastSuperseded");

    QTest::newRow("continuation keeps the start, takes the level")
        << QList<AlarmRecord>{Bnc(2, AlarmTypeVideoBlack, 3, 0), Bnc(2, AlarmTypeVideoBlack, 2, 3)}
        << QStringList{"1/-1/2@0"} << QStringList{} << false;
    QTest::newRow("end moves the alarm to history")
        << QList<AlarmRecord>{Bnc(2, AlarmTypeVideoBlack, 3, 0), Bnc(2, AlarmTypeVideoBlack, 1, 5)} << QStringList{}
        << QStringList{"1/-1/3@0-5"} << true;
    QTest::newRow("end of another port changes nothing")
        << QList<AlarmRecord>{Bnc(2, AlarmTypeVideoBlack, 3, 0), Bnc(3, AlarmTypeVideoBlack, 1, 1)}
        << QStringList{"1/-1/3@0"} << QStringList{} << false;
    QTest::newRow("tracks end one at a time")
        << QList<AlarmRecord>{Track(1, AlarmTypeSilence, 3, 0), Track(2, AlarmTypeSilence, 3, 1),
                              Track(2, AlarmTypeSilence, 1, 2)}
        << QStringList{"8/1/3@0"} << QStringList{"8/2/3@1-2"} << true;
    // Video lost while video black is current: black ends at lost's start, lost is the port's one current alarm,
    // and lost's own end leaves nothing current.
    QTest::newRow("another video alarm replaces the current one")
        << QList<AlarmRecord>{Bnc(4, AlarmTypeVideoBlack, 2, 0), Bnc(4, AlarmTypeVideoLost, 3, 2)}
        << QStringList{"4/-1/3@2"} << QStringList{"1/-1/2@0-2"} << true;
    QTest::newRow("the replacing alarm's end clears the port")
        << QList<AlarmRecord>{Bnc(4, AlarmTypeVideoBlack, 2, 0), Bnc(4, AlarmTypeVideoLost, 3, 2),
                              Bnc(4, AlarmTypeVideoLost, 1, 7)}
        << QStringList{} << QStringList{"4/-1/3@2-7", "1/-1/2@0-2"} << true;
    QTest::newRow("overload replaces silence on the same track")
        << QList<AlarmRecord>{Track(1, AlarmTypeSilence, 2, 0), Track(1, AlarmTypeAudioOverload, 3, 1)}
        << QStringList{"16/1/3@1"} << QStringList{"8/1/2@0-1"} << true;
}

void TestDeviceAlarmStore::recordSequences()
{
    QFETCH(QList<AlarmRecord>, records);
    QFETCH(QStringList, current);
    QFETCH(QStringList, history);
    QFETCH(bool, lastSuperseded);
    DeviceAlarmStore store;
    bool superseded = false;
    for (const AlarmRecord& record : records)
        superseded = Apply(store, record);
    QList<AlarmRecord> currentRecords, historyRecords;
    store.CopySignalAlarms(Ip, currentRecords);
    store.CopySignalHistory(Ip, historyRecords);
    QCOMPARE(Texts(currentRecords), current);
    QCOMPARE(Texts(historyRecords), history);
    QCOMPARE(superseded, lastSuperseded);
    QCOMPARE(store.GetDeviceLevel(Ip), current.isEmpty() ? 1 : currentRecords.first().level);
}

void TestDeviceAlarmStore::historyKeepsTheNewestAndTakesNothingFromThePool()
{
    // Enough spares that the pool neither grows nor overflows during the counts below.
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    QList<AlarmRecord*> warm;
    for (int i = 0; i < 150; ++i)
        warm.append(pool->Acquire());
    for (AlarmRecord* record : warm)
        pool->Release(record);

    DeviceAlarmStore store;
    const QDateTime morning(QDate(2026, 12, 6), QTime(10, 0));
    const auto cycle = [&store, &morning](int i) {
        AlarmRecord record = MakeAlarm(Ip, PortTypeBnc, 1, -1, AlarmTypeVideoLost, LevelError);
        record.deviceName = QStringLiteral("Studio A");
        record.signalName = QStringLiteral("Feed %1").arg(i);
        record.note = QStringLiteral("VSTD: 1080i50");
        record.time = morning.addSecs(2 * i);
        Apply(store, record);
        record.level = LevelNormal;
        record.time = morning.addSecs(2 * i + 1);
        Apply(store, record);
    };
    for (int i = 0; i < 100; ++i)
        cycle(i);
    const int spares = pool->FreeCount();
    cycle(100);
    QList<AlarmRecord> history;
    store.CopySignalHistory(Ip, history);
    QCOMPARE(history.size(), 100);
    QCOMPARE(history.first().time, morning.addSecs(200));
    QCOMPARE(history.last().time, morning.addSecs(2));
    // Every field comes back as the alarm was, with its end.
    const AlarmRecord& newest = history.first();
    QCOMPARE(QStringList({newest.ip, newest.deviceName, newest.signalName, newest.note}),
             QStringList({Ip, "Studio A", "Feed 100", "VSTD: 1080i50"}));
    QCOMPARE(QVector<int>({newest.portType, newest.portID, newest.trackID, newest.alarmType, newest.level}),
             QVector<int>({PortTypeBnc, 1, -1, AlarmTypeVideoLost, LevelError}));
    QCOMPARE(newest.end_time, morning.addSecs(201));
    // The start's record came back to the pool; the histories keep records of their own.
    QCOMPARE(pool->FreeCount(), spares);
    store.Clear();
    QCOMPARE(pool->FreeCount(), spares);
}

void TestDeviceAlarmStore::removeByKeyMovesWithoutEndTime()
{
    DeviceAlarmStore store;
    Apply(store, Bnc(3, AlarmTypeVideoFreeze, 3, 2));
    Apply(store, Connection(3, 3));
    store.RemoveByKey(QStringLiteral("10.0.0.9:1:3:video"));
    store.RemoveByKey(QStringLiteral("10.0.0.5:1:3:video"));
    store.RemoveByKey(QStringLiteral("10.0.0.5:32"));
    QList<AlarmRecord> current, signalHistory, systemHistory;
    store.CopySignalAlarms(Ip, current);
    store.CopySystemAlarms(Ip, current);
    store.CopySignalHistory(Ip, signalHistory);
    store.CopySystemHistory(Ip, systemHistory);
    QVERIFY(current.isEmpty());
    QCOMPARE(Texts(signalHistory), QStringList{"2/-1/3@2"});
    QCOMPARE(Texts(systemHistory), QStringList{"32/-1/3@3"});
    QCOMPARE(store.GetDeviceLevel(Ip), int(LevelNormal));
}

void TestDeviceAlarmStore::mergedTracksCarryEarliestStartHighestLevelAndTrackList()
{
    DeviceAlarmStore store;
    AlarmRecord merged;
    QVERIFY(!store.MergeTrackAlarms(Track(1, AlarmTypeSilence, 2, 0), merged));
    Apply(store, Track(1, AlarmTypeSilence, 2, 4));
    Apply(store, Track(3, AlarmTypeSilence, 3, 2));
    Apply(store, Track(2, AlarmTypeAudioOverload, 2, 1));
    QVERIFY(store.MergeTrackAlarms(Track(1, AlarmTypeSilence, 2, 9), merged));
    QCOMPARE(merged.note, QStringLiteral("CH1; CH3"));
    QCOMPARE(Texts({merged}), QStringList{"8/1/3@2"});

    QList<AlarmRecord> collected;
    QVERIFY(store.CollectByKey(QStringLiteral("10.0.0.5:4:1:8"), collected));
    QVERIFY(!store.CollectByKey(QStringLiteral("10.0.0.6:32"), collected));
    QCOMPARE(collected.size(), 2);
}

void TestDeviceAlarmStore::portStates_data()
{
    QTest::addColumn<QList<AlarmRecord>>("records");
    QTest::addColumn<QVector<int>>("expected"); // lan, aes, analog, bnc 1..16
    QTest::addColumn<bool>("known");

    const QVector<int> normal(19, 1);
    QTest::newRow("unknown device") << QList<AlarmRecord>() << normal << false;
    QVector<int> mixed = normal;
    mixed[1] = 2;
    mixed[2] = 3;
    mixed[3 + 4] = 3;
    QTest::newRow("aes warn, analog error, bnc 5 error, bnc 17 ignored")
        << QList<AlarmRecord>{At(MakeAlarm(Ip, PortTypeAes, 1, 1, AlarmTypeSilence, 2), 0),
                              Track(1, AlarmTypeSilence, 3, 0), Bnc(5, AlarmTypeVideoLost, 3, 0),
                              Bnc(17, AlarmTypeVideoLost, 3, 0)}
        << mixed << true;
    QVector<int> disconnected(19, 0);
    disconnected[0] = 3;
    QTest::newRow("disconnected device") << QList<AlarmRecord>{Bnc(5, AlarmTypeVideoLost, 2, 0), Connection(3, 1)}
                                         << disconnected << true;
}

void TestDeviceAlarmStore::portStates()
{
    QFETCH(QList<AlarmRecord>, records);
    QFETCH(QVector<int>, expected);
    QFETCH(bool, known);
    DeviceAlarmStore store;
    for (const AlarmRecord& record : records)
        Apply(store, record);
    int lan = -1, aes = -1, analog = -1;
    int bnc[16];
    QCOMPARE(store.GetPortStates(Ip, lan, aes, analog, bnc, 16), known);
    QVector<int> states{lan, aes, analog};
    states.append(QVector<int>(bnc, bnc + 16));
    QCOMPARE(states, expected);
}

QTEST_GUILESS_MAIN(TestDeviceAlarmStore)
#include "TestDeviceAlarmStore.moc"
