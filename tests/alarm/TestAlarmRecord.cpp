#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"

#include <QtTest>

class TestAlarmRecord : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void videoAlarmsOfOnePortShareAViewKey();
    void tracksShareViewKeyButNotIdentity();
    void placeMarkersInAddressAreNotExpanded();
    void words_data();
    void words();
    void deviceSeverityMapping_data();
    void deviceSeverityMapping();
    void poolGrowsFifteenAtATime();
    void poolKeepsAtMostTwoHundredSpares();
    void initClearsPreviousUse();
};

static AlarmRecord Record(const QString& ip, int portType, int portID, int trackID, int alarmType)
{
    AlarmRecord record;
    record.Init(ip);
    record.portType = portType;
    record.portID = portID;
    record.trackID = trackID;
    record.alarmType = alarmType;
    record.time = QDateTime(QDate(2026, 12, 6), QTime(10, 15, 2, 7));
    return record;
}

void TestAlarmRecord::keys_data()
{
    QTest::addColumn<int>("portType");
    QTest::addColumn<int>("portID");
    QTest::addColumn<int>("trackID");
    QTest::addColumn<int>("alarmType");
    QTest::addColumn<QString>("viewKey");
    QTest::addColumn<QString>("identityKey");

    QTest::newRow("connection") << 0 << -1 << -1 << 32 << "10.0.0.7:32" << "10.0.0.7.0.-1.-1.32";
    QTest::newRow("power") << 0 << 1 << -1 << 128 << "10.0.0.7:128" << "10.0.0.7.0.1.-1.128";
    QTest::newRow("video black") << 1 << 3 << -1 << 1 << "10.0.0.7:1:3:video" << "10.0.0.7.1.3.-1.1";
    QTest::newRow("silence") << 4 << 1 << 2 << 8 << "10.0.0.7:4:1:8" << "10.0.0.7.4.1.2.8";
    QTest::newRow("undecided") << 0 << -1 << -1 << 0 << "10.0.0.7:0" << "10.0.0.7.0.-1.-1.0";
}

void TestAlarmRecord::keys()
{
    QFETCH(int, portType);
    QFETCH(int, portID);
    QFETCH(int, trackID);
    QFETCH(int, alarmType);
    QFETCH(QString, viewKey);
    QFETCH(QString, identityKey);
    const AlarmRecord record = Record("10.0.0.7", portType, portID, trackID, alarmType);
    QCOMPARE(AlarmViewKey(record), viewKey);
    QCOMPARE(AlarmIdentityKey(record), identityKey);
    QCOMPARE(AlarmHelpKey(record), identityKey + ".2026-12-06_10:15:02.007");
}

void TestAlarmRecord::videoAlarmsOfOnePortShareAViewKey()
{
    const QString black = AlarmViewKey(Record("10.0.0.7", 1, 3, -1, 1));
    QCOMPARE(AlarmViewKey(Record("10.0.0.7", 1, 3, -1, 4)), black);
    QVERIFY(AlarmViewKey(Record("10.0.0.7", 1, 4, -1, 2)) != black);
}

void TestAlarmRecord::tracksShareViewKeyButNotIdentity()
{
    const AlarmRecord track1 = Record("10.0.0.7", 1, 2, 1, 16);
    const AlarmRecord track3 = Record("10.0.0.7", 1, 2, 3, 16);
    QCOMPARE(AlarmViewKey(track1), AlarmViewKey(track3));
    QVERIFY(AlarmIdentityKey(track1) != AlarmIdentityKey(track3));
    QVERIFY(AlarmHelpKey(track1) != AlarmHelpKey(track3));
}

void TestAlarmRecord::placeMarkersInAddressAreNotExpanded()
{
    const AlarmRecord record = Record("%2%3", 1, 3, -1, 1);
    QCOMPARE(AlarmViewKey(record), QString("%2%3:1:3:video"));
    QCOMPARE(AlarmIdentityKey(record), QString("%2%3.1.3.-1.1"));
}

void TestAlarmRecord::words_data()
{
    QTest::addColumn<int>("portType");
    QTest::addColumn<QString>("portWord");
    QTest::addColumn<int>("alarmType");
    QTest::addColumn<QString>("alarmWord");
    QTest::newRow("bnc/black") << 1 << "BNC" << 1 << "Video Black";
    QTest::newRow("hdmi/freeze") << 2 << "HDMI" << 2 << "Freeze";
    QTest::newRow("aes/lost") << 3 << "AES/EBU" << 4 << "Video Lost";
    QTest::newRow("analog/silence") << 4 << "Analog" << 8 << "Slience";
    QTest::newRow("0/overload") << 0 << "Unknown" << 16 << "Audio Overload";
    QTest::newRow("5/connection") << 5 << "Unknown" << 32 << "Connected Status";
    QTest::newRow("-1/fan") << -1 << "Unknown" << 64 << "Unknown";
    QTest::newRow("-1/power") << -1 << "Unknown" << 128 << "Unknown";
    QTest::newRow("-1/other") << -1 << "Unknown" << 3 << "Unknown";
}

void TestAlarmRecord::words()
{
    QFETCH(int, portType);
    QFETCH(QString, portWord);
    QFETCH(int, alarmType);
    QFETCH(QString, alarmWord);
    QCOMPARE(PortTypeWord(portType), portWord);
    QCOMPARE(AlarmTypeWord(alarmType), alarmWord);
    QCOMPARE(PortDisplayName(portType, 3), portWord + " 3");
}

void TestAlarmRecord::deviceSeverityMapping_data()
{
    QTest::addColumn<long>("severity");
    QTest::addColumn<int>("level");
    QTest::newRow("0") << 0L << 1;
    QTest::newRow("1") << 1L << 2;
    QTest::newRow("2") << 2L << 3;
    QTest::newRow("3") << 3L << 0;
    QTest::newRow("5") << 5L << 0;
    QTest::newRow("-1") << -1L << 0;
}

void TestAlarmRecord::deviceSeverityMapping()
{
    QFETCH(long, severity);
    QFETCH(int, level);
    QCOMPARE(LevelFromDeviceSeverity(severity), level);
}

void TestAlarmRecord::poolGrowsFifteenAtATime()
{
    AlarmRecordPool pool;
    AlarmRecord* first = pool.Acquire();
    QCOMPARE(pool.FreeCount(), 14);
    QList<AlarmRecord*> taken{first};
    for (int i = 0; i < 14; ++i)
        taken.append(pool.Acquire());
    QCOMPARE(pool.FreeCount(), 0);
    taken.append(pool.Acquire());
    QCOMPARE(pool.FreeCount(), 14);
    for (AlarmRecord* record : taken)
        pool.Release(record);
    QCOMPARE(pool.FreeCount(), 30);
}

void TestAlarmRecord::poolKeepsAtMostTwoHundredSpares()
{
    AlarmRecordPool pool;
    QList<AlarmRecord*> taken;
    for (int i = 0; i < 201; ++i)
        taken.append(pool.Acquire());
    for (AlarmRecord* record : taken)
        pool.Release(record);
    QCOMPARE(pool.FreeCount(), 200);
    pool.Release(nullptr);
    QCOMPARE(pool.FreeCount(), 200);
}

void TestAlarmRecord::initClearsPreviousUse()
{
    AlarmRecord record = Record("10.0.0.1", 1, 2, 3, 8);
    record.level = 3;
    record.deviceName = "old";
    record.note = "old";
    record.end_time = QDateTime::currentDateTime();
    record.Init("10.0.0.2");
    QCOMPARE(record.ip, QString("10.0.0.2"));
    QVERIFY(record.deviceName.isEmpty() && record.signalName.isEmpty() && record.note.isEmpty());
    QCOMPARE(record.portType, 0);
    QCOMPARE(record.portID, -1);
    QCOMPARE(record.trackID, -1);
    QCOMPARE(record.alarmType, 0);
    QCOMPARE(record.level, 0);
    QVERIFY(record.end_time.isNull());
    QVERIFY(qAbs(record.time.msecsTo(QDateTime::currentDateTime())) < 60000);
}

QTEST_GUILESS_MAIN(TestAlarmRecord)
#include "TestAlarmRecord.moc"
