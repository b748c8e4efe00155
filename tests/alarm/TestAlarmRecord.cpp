#include "AlarmRecords.h"
#include "alarm/AlarmRecordPool.h"

#include <QtTest>

class TestAlarmRecord : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void poolKeepsAtMostTwoHundredSpares();
};

void TestAlarmRecord::keys_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("portType");
    QTest::addColumn<int>("portID");
    QTest::addColumn<int>("trackID");
    QTest::addColumn<int>("alarmType");
    QTest::addColumn<QString>("viewKey");
    QTest::addColumn<QString>("identityKey");

    const QString ip = QStringLiteral("10.0.0.7");
    QTest::newRow("connection") << ip << 0 << -1 << -1 << 32 << "10.0.0.7:32" << "10.0.0.7.0.-1.-1.32";
    QTest::newRow("power") << ip << 0 << 1 << -1 << 128 << "10.0.0.7:128" << "10.0.0.7.0.1.-1.128";
    // The video alarms of one port share one view line.
    QTest::newRow("video black") << ip << 1 << 3 << -1 << 1 << "10.0.0.7:1:3:video" << "10.0.0.7.1.3.-1.1";
    QTest::newRow("video lost") << ip << 1 << 3 << -1 << 4 << "10.0.0.7:1:3:video" << "10.0.0.7.1.3.-1.4";
    // The tracks of one port share a view line but not an identity.
    QTest::newRow("silence track 2") << ip << 4 << 1 << 2 << 8 << "10.0.0.7:4:1:8" << "10.0.0.7.4.1.2.8";
    QTest::newRow("silence track 3") << ip << 4 << 1 << 3 << 8 << "10.0.0.7:4:1:8" << "10.0.0.7.4.1.3.8";
    QTest::newRow("undecided") << ip << 0 << -1 << -1 << 0 << "10.0.0.7:0" << "10.0.0.7.0.-1.-1.0";
    QTest::newRow("place markers in the address are not expanded")
        << "%2%3" << 1 << 3 << -1 << 1 << "%2%3:1:3:video" << "%2%3.1.3.-1.1";
}

void TestAlarmRecord::keys()
{
    QFETCH(QString, ip);
    QFETCH(int, portType);
    QFETCH(int, portID);
    QFETCH(int, trackID);
    QFETCH(int, alarmType);
    QFETCH(QString, identityKey);
    AlarmRecord record = MakeAlarm(ip, portType, portID, trackID, alarmType, LevelError);
    record.time = QDateTime(QDate(2026, 12, 6), QTime(10, 15, 2, 7));
    QTEST(AlarmViewKey(record), "viewKey");
    QCOMPARE(AlarmIdentityKey(record), identityKey);
    QCOMPARE(AlarmHelpKey(record), identityKey + ".2026-12-06_10:15:02.007");
}

void TestAlarmRecord::poolKeepsAtMostTwoHundredSpares()
{
    AlarmRecordPool pool;
    QList<AlarmRecord*> taken;
    for (int i = 0; i < 201; ++i)
        taken.append(pool.Acquire());
    QVERIFY(pool.FreeCount() < 15);
    for (AlarmRecord* record : taken)
        pool.Release(record);
    QCOMPARE(pool.FreeCount(), 200);
    pool.Release(nullptr);
    QCOMPARE(pool.FreeCount(), 200);
}

QTEST_GUILESS_MAIN(TestAlarmRecord)
#include "TestAlarmRecord.moc"
