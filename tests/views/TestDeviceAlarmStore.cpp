#include "AlarmRecords.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "views/DeviceAlarmStore.h"

#include <QtTest>

Q_DECLARE_METATYPE(AlarmRecord)

class TestDeviceAlarmStore : public QObject
{
    Q_OBJECT

private slots:
    void continuationChangesOnlyTheLevel();
    void endMovesTheAlarmToHistoryWithItsEndTime();
    void tracksEndOneAtATime();
    void unmatchedEndChangesNothing();
    void anotherVideoAlarmReplacesTheCurrentOne();
    void historyKeepsTheNewestAndReturnsTheRestToThePool();
    void removeByKeyMovesWithoutEndTime();
    void mergedTracksCarryEarliestStartHighestLevelAndTrackList();
    void portStates_data();
    void portStates();
    void collectByKeyCopiesTheCurrentRecords();
};

static const QString Ip = QStringLiteral("10.0.0.5");

static QDateTime At(int minute, int second = 0)
{
    return QDateTime(QDate(2026, 12, 6), QTime(10, minute, second));
}

static AlarmRecord Signal(int portType, int portID, int alarmType, int level, const QDateTime& time,
                          int trackID = -1, const QString& ip = Ip)
{
    AlarmRecord record = MakeAlarm(ip, portType, portID, trackID, alarmType, level);
    record.time = time;
    return record;
}

static AlarmRecord System(int alarmType, int level, const QDateTime& time)
{
    return Signal(PortTypeNone, -1, alarmType, level, time);
}

struct Applied
{
    AlarmRecord superseded;
    bool flag = false;
};

static Applied Apply(DeviceAlarmStore& store, const AlarmRecord& record)
{
    Applied applied;
    if (IsSignalAlarm(record.alarmType))
        store.ApplySignalRecord(record, applied.superseded, applied.flag);
    else
        store.ApplySystemRecord(record, applied.superseded, applied.flag);
    return applied;
}

static QList<AlarmRecord> Current(DeviceAlarmStore& store)
{
    QList<AlarmRecord> list;
    store.CopySignalAlarms(Ip, list);
    return list;
}

static QList<AlarmRecord> History(DeviceAlarmStore& store)
{
    QList<AlarmRecord> list;
    store.CopySignalHistory(Ip, list);
    return list;
}

void TestDeviceAlarmStore::continuationChangesOnlyTheLevel()
{
    DeviceAlarmStore store;
    Apply(store, Signal(PortTypeBnc, 2, AlarmTypeVideoBlack, LevelError, At(0)));
    const Applied applied = Apply(store, Signal(PortTypeBnc, 2, AlarmTypeVideoBlack, LevelWarn, At(3)));
    QVERIFY(!applied.flag);
    QCOMPARE(Current(store).size(), 1);
    QCOMPARE(Current(store)[0].level, int(LevelWarn));
    QCOMPARE(Current(store)[0].time, At(0));
    QVERIFY(History(store).isEmpty());
}

void TestDeviceAlarmStore::endMovesTheAlarmToHistoryWithItsEndTime()
{
    DeviceAlarmStore store;
    Apply(store, Signal(PortTypeBnc, 2, AlarmTypeVideoBlack, LevelError, At(0)));
    const Applied applied = Apply(store, Signal(PortTypeBnc, 2, AlarmTypeVideoBlack, LevelNormal, At(5)));
    QVERIFY(applied.flag);
    QCOMPARE(applied.superseded.time, At(0));
    QCOMPARE(applied.superseded.end_time, At(5));
    QVERIFY(Current(store).isEmpty());
    QCOMPARE(History(store).size(), 1);
    QCOMPARE(History(store)[0].end_time, At(5));
    QCOMPARE(store.GetDeviceLevel(Ip), int(LevelNormal));
}

void TestDeviceAlarmStore::tracksEndOneAtATime()
{
    DeviceAlarmStore store;
    Apply(store, Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelError, At(0), 1));
    Apply(store, Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelError, At(1), 2));
    QCOMPARE(Current(store).size(), 2);
    Apply(store, Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelNormal, At(2), 2));
    QCOMPARE(Current(store).size(), 1);
    QCOMPARE(Current(store)[0].trackID, 1);
    QCOMPARE(History(store)[0].trackID, 2);
}

void TestDeviceAlarmStore::unmatchedEndChangesNothing()
{
    DeviceAlarmStore store;
    Apply(store, Signal(PortTypeBnc, 2, AlarmTypeVideoBlack, LevelError, At(0)));
    const Applied applied = Apply(store, Signal(PortTypeBnc, 3, AlarmTypeVideoBlack, LevelNormal, At(1)));
    QVERIFY(!applied.flag);
    QCOMPARE(Current(store).size(), 1);
    QVERIFY(History(store).isEmpty());
    // An end that arrives first does not open anything either.
    DeviceAlarmStore fresh;
    Apply(fresh, Signal(PortTypeBnc, 1, AlarmTypeVideoLost, LevelNormal, At(1)));
    QVERIFY(Current(fresh).isEmpty());
}

// Video lost while video black is current: black ends at lost's start, lost is the port's one current alarm and
// lost's own end leaves nothing current.
void TestDeviceAlarmStore::anotherVideoAlarmReplacesTheCurrentOne()
{
    DeviceAlarmStore store;
    Apply(store, Signal(PortTypeBnc, 4, AlarmTypeVideoBlack, LevelWarn, At(0)));
    const Applied lost = Apply(store, Signal(PortTypeBnc, 4, AlarmTypeVideoLost, LevelError, At(2)));
    QVERIFY(lost.flag);
    QCOMPARE(lost.superseded.alarmType, int(AlarmTypeVideoBlack));
    QCOMPARE(lost.superseded.end_time, At(2));
    QCOMPARE(Current(store).size(), 1);
    QCOMPARE(Current(store)[0].alarmType, int(AlarmTypeVideoLost));
    QCOMPARE(Current(store)[0].time, At(2));
    QCOMPARE(store.GetDeviceLevel(Ip), int(LevelError));

    const Applied end = Apply(store, Signal(PortTypeBnc, 4, AlarmTypeVideoLost, LevelNormal, At(7)));
    QVERIFY(end.flag);
    QCOMPARE(end.superseded.time, At(2));
    QVERIFY(Current(store).isEmpty());
    QCOMPARE(store.GetDeviceLevel(Ip), int(LevelNormal));
    const QList<AlarmRecord> history = History(store);
    QCOMPARE(history.size(), 2);
    QCOMPARE(history[0].alarmType, int(AlarmTypeVideoLost));
    QCOMPARE(history[1].alarmType, int(AlarmTypeVideoBlack));
}

void TestDeviceAlarmStore::historyKeepsTheNewestAndReturnsTheRestToThePool()
{
    // Enough spares that the pool neither grows nor overflows during the counts below.
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    QList<AlarmRecord*> warm;
    for (int i = 0; i < 150; ++i)
        warm.append(pool->Acquire());
    for (AlarmRecord* record : warm)
        pool->Release(record);
    DeviceAlarmStore store;
    for (int i = 0; i < 100; ++i) {
        Apply(store, Signal(PortTypeBnc, 1, AlarmTypeVideoLost, LevelError, At(0, 0).addSecs(2 * i)));
        Apply(store, Signal(PortTypeBnc, 1, AlarmTypeVideoLost, LevelNormal, At(0, 1).addSecs(2 * i)));
    }
    QCOMPARE(History(store).size(), 100);
    const int spares = pool->FreeCount();
    Apply(store, Signal(PortTypeBnc, 1, AlarmTypeVideoLost, LevelError, At(30)));
    Apply(store, Signal(PortTypeBnc, 1, AlarmTypeVideoLost, LevelNormal, At(31)));
    const QList<AlarmRecord> history = History(store);
    QCOMPARE(history.size(), 100);
    QCOMPARE(history.first().time, At(30));
    QCOMPARE(history.last().time, At(0, 2));
    // The start went into the pool's care, and both it and the oldest history record came back.
    QCOMPARE(pool->FreeCount(), spares);

    store.Clear();
    QCOMPARE(pool->FreeCount(), spares + 100);
    QVERIFY(History(store).isEmpty());
}

void TestDeviceAlarmStore::removeByKeyMovesWithoutEndTime()
{
    DeviceAlarmStore store;
    Apply(store, Signal(PortTypeBnc, 3, AlarmTypeVideoLost, LevelError, At(0)));
    Apply(store, Signal(PortTypeBnc, 3, AlarmTypeVideoLost, LevelNormal, At(1)));
    Apply(store, Signal(PortTypeBnc, 3, AlarmTypeVideoFreeze, LevelError, At(2)));
    Apply(store, System(AlarmTypeConnection, LevelError, At(3)));

    store.RemoveByKey(QStringLiteral("10.0.0.9:1:3:video"));
    store.RemoveByKey(QStringLiteral("10.0.0.5:1:3:video"));
    QVERIFY(Current(store).isEmpty());
    const QList<AlarmRecord> history = History(store);
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.last().alarmType, int(AlarmTypeVideoFreeze));
    QVERIFY(history.last().end_time.isNull());

    store.RemoveByKey(QStringLiteral("10.0.0.5:32"));
    QList<AlarmRecord> system;
    store.CopySystemHistory(Ip, system);
    QCOMPARE(system.size(), 1);
    QCOMPARE(store.GetDeviceLevel(Ip), int(LevelNormal));
}

void TestDeviceAlarmStore::mergedTracksCarryEarliestStartHighestLevelAndTrackList()
{
    DeviceAlarmStore store;
    AlarmRecord merged;
    QVERIFY(!store.MergeTrackAlarms(Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelWarn, At(0), 1), merged));

    Apply(store, Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelWarn, At(4), 1));
    Apply(store, Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelError, At(2), 3));
    Apply(store, Signal(PortTypeAnalog, 1, AlarmTypeAudioOverload, LevelWarn, At(1), 2));
    Apply(store, Signal(PortTypeAnalog, 2, AlarmTypeSilence, LevelWarn, At(1), 2));
    QVERIFY(store.MergeTrackAlarms(Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelWarn, At(9), 1), merged));
    QCOMPARE(merged.note, QStringLiteral("CH1; CH3"));
    QCOMPARE(merged.time, At(2));
    QCOMPARE(merged.level, int(LevelError));
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
    QTest::newRow("aes warn, analog error, bnc 5 error")
        << QList<AlarmRecord>{Signal(PortTypeAes, 1, AlarmTypeSilence, LevelWarn, At(0), 1),
                              Signal(PortTypeAnalog, 1, AlarmTypeSilence, LevelError, At(0), 1),
                              Signal(PortTypeBnc, 5, AlarmTypeVideoLost, LevelError, At(0)),
                              Signal(PortTypeBnc, 17, AlarmTypeVideoLost, LevelError, At(0))}
        << mixed << true;

    QVector<int> disconnected(19, 0);
    disconnected[0] = 3;
    QTest::newRow("disconnected device")
        << QList<AlarmRecord>{Signal(PortTypeBnc, 5, AlarmTypeVideoLost, LevelWarn, At(0)),
                              System(AlarmTypeConnection, LevelError, At(1))}
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
    for (int state : bnc)
        states.append(state);
    QCOMPARE(states, expected);
}

void TestDeviceAlarmStore::collectByKeyCopiesTheCurrentRecords()
{
    DeviceAlarmStore store;
    Apply(store, System(AlarmTypeConnection, LevelError, At(0)));
    Apply(store, Signal(PortTypeBnc, 1, AlarmTypeVideoFreeze, LevelWarn, At(1)));
    QList<AlarmRecord> collected;
    QVERIFY(store.CollectByKey(QStringLiteral("10.0.0.5:32"), collected));
    QVERIFY(store.CollectByKey(QStringLiteral("10.0.0.5:1:1:video"), collected));
    QVERIFY(!store.CollectByKey(QStringLiteral("10.0.0.6:32"), collected));
    QCOMPARE(collected.size(), 2);
    QCOMPARE(collected[0].alarmType, int(AlarmTypeConnection));
    QCOMPARE(collected[1].alarmType, int(AlarmTypeVideoFreeze));
}

QTEST_GUILESS_MAIN(TestDeviceAlarmStore)
#include "TestDeviceAlarmStore.moc"
