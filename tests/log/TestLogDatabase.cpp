#include "LogTestSupport.h"
#include "TempAppDir.h"
#include "alarm/AlarmRecord.h"
#include "log/LogDatabase.h"

#include <QtTest>

class TestLogDatabase : public QObject
{
    Q_OBJECT

private slots:
    void freshFileGetsTheTableReopenKeepsRowsSecondOpenRefused();
    void purgeKeepsFromMidnightOfTheCutOffDay_data();
    void purgeKeepsFromMidnightOfTheCutOffDay();
    void selectFillsAtMostTheListNewestFirst();
    void searchedValuesAreDataNotSql_data();
    void searchedValuesAreDataNotSql();
};

void TestLogDatabase::freshFileGetsTheTableReopenKeepsRowsSecondOpenRefused()
{
    TempAppDir dir;
    const QString path = dir.filePath("log/alarm.db");
    {
        LogDatabase database;
        QVERIFY2(database.Open(path), qPrintable(database.GetErrorString()));
        QVERIFY(database.Insert(MakeAlarm(1, LevelError, At("2024-03-05 07:04:09.031"))));
    }
    QCOMPARE(QueryValue(path, "select sql from sqlite_master where name='alarm2'").toString(),
             LogDatabase::CreateTableStatement);

    LogDatabase reopened;
    QVERIFY(reopened.Open(path));
    QCOMPARE(reopened.GetCount({}), 1u);
    QVERIFY(!reopened.Open(path));
    QCOMPARE(reopened.GetErrorString(), QString("database is already opened"));
    QCOMPARE(QueryValue(path, "select start_time from alarm2").toString(), QString("2024-03-05 07:04:09.031"));
    QCOMPARE(QueryValue(path, "select helpkey from alarm2").toString(),
             QString("10.0.0.7.1.1.-1.4.2024-03-05_07:04:09.031"));
}

void TestLogDatabase::purgeKeepsFromMidnightOfTheCutOffDay_data()
{
    QTest::addColumn<unsigned>("days");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("30 days") << 30u
                             << QStringList{"2024-02-04 00:00:00.000", "2024-03-04 23:59:59.999",
                                            "2024-03-05 00:00:00.000"};
    QTest::newRow("0 days") << 0u << QStringList{"2024-03-05 00:00:00.000"};
}

void TestLogDatabase::purgeKeepsFromMidnightOfTheCutOffDay()
{
    QFETCH(unsigned, days);
    QFETCH(QStringList, kept);
    TempAppDir dir;
    const QString path = dir.filePath("log/alarm.db");
    LogDatabase database;
    QVERIFY(database.Open(path));
    const QStringList stamps{"2024-02-03 23:59:59.999", "2024-02-04 00:00:00.000", "2024-03-04 23:59:59.999",
                             "2024-03-05 00:00:00.000"};
    for (const QString& stamp : stamps)
        QVERIFY(database.Insert(MakeAlarm(1, LevelError, At(stamp))));

    database.DeleteBefore(days, QDate(2024, 3, 5));

    QCOMPARE(QueryColumn(path, "select start_time from alarm2 order by id"), kept);
}

void TestLogDatabase::selectFillsAtMostTheListNewestFirst()
{
    TempAppDir dir;
    LogDatabase database;
    QVERIFY(database.Open(dir.filePath("log/alarm.db")));
    AlarmRecord withNote = MakeAlarm(2, LevelError, At("2024-03-05 07:00:00.001"));
    withNote.deviceName = "Studio A";
    withNote.signalName = "News";
    withNote.note = "VSTD: 1080i50";
    QVERIFY(database.Insert(withNote));
    QVERIFY(database.UpdateEndTime(AlarmHelpKey(withNote), "2024-03-05 07:00:05.500"));
    for (int port = 3; port <= 5; ++port)
        QVERIFY(database.Insert(MakeAlarm(port, LevelError, At("2024-03-05 07:00:00.002"))));

    QVector<AlarmRecord> storage(2);
    QList<AlarmRecord*> page{&storage[0], &storage[1]};
    QCOMPARE(database.Select({"where id<? order by id desc limit ?,?", {3, 0, 10}}, page), 2);
    QCOMPARE(storage[0].portID, 3);
    QVERIFY(storage[0].end_time.isNull());
    withNote.end_time = At("2024-03-05 07:00:05.500");
    QCOMPARE(LoggedFields(storage[1]), LoggedFields(withNote));

    QCOMPARE(database.Select({"where 1=1", {}}, page), 2);
    QCOMPARE(database.Select({}, page), 0);
}

void TestLogDatabase::searchedValuesAreDataNotSql_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("quote") << "O'Brien Live" << QStringList{"O'Brien Live"};
    QTest::newRow("typed wildcard") << "100%" << QStringList{"100% Sport", "100 Hits"};
    QTest::newRow("percent inside") << "100% Sport" << QStringList{"100% Sport"};
    QTest::newRow("injection") << "x' or '1'='1" << QStringList{};
}

void TestLogDatabase::searchedValuesAreDataNotSql()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, found);
    TempAppDir dir;
    LogDatabase database;
    QVERIFY(database.Open(dir.filePath("log/alarm.db")));
    const QStringList names{"O'Brien Live", "100% Sport", "100 Hits", "News"};
    for (int i = 0; i < names.size(); ++i) {
        AlarmRecord record = MakeAlarm(i + 1, LevelError, At("2024-03-05 07:00:00.000"));
        record.signalName = names[i];
        QVERIFY(database.Insert(record));
    }
    const LogClause where{"where signalName like ?", {pattern}};
    QCOMPARE(database.GetCount(where), unsigned(found.size()));

    database.Delete(where);
    QStringList left = names;
    for (const QString& name : found)
        left.removeOne(name);
    QCOMPARE(database.GetCount({}), unsigned(left.size()));
}

QTEST_GUILESS_MAIN(TestLogDatabase)
#include "TestLogDatabase.moc"
