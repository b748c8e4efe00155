#include "AlarmRecords.h"
#include "StationFiles.h"
#include "TempAppDir.h"
#include "alarm/AlarmRecord.h"
#include "alarm/DeviceStateRead.h"
#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"
#include "log/LogDatabase.h"
#include "log/LogManager.h"

#include <QProcess>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

namespace {
const char* const WriterMode = "--killable-writer";

struct Event
{
    int portID;
    int level;
    int second;
};

// Rows as "port start end", end empty while the alarm is open, in insertion order.
QStringList Rows(const QString& path)
{
    return QueryColumn(path, "select portID || ' ' || start_time || ' ' || ifnull(end_time, '') from alarm2 "
                             "order by id");
}

QString Stamp(int second)
{
    return QStringLiteral("2024-03-05 10:00:%1.000").arg(second, 2, 10, QLatin1Char('0'));
}

QString Row(int portID, int startSecond, int endSecond = -1)
{
    return QStringLiteral("%1 %2 %3")
        .arg(QString::number(portID), Stamp(startSecond), endSecond < 0 ? QString() : Stamp(endSecond));
}

// What the alarm handler's thread does: hands the log alarms of ports 0 to count - 1.
void WriteAlarms(LogManager& manager, int count, std::atomic<bool>& done)
{
    const QDateTime start = At("2024-03-05 10:00:00.000");
    for (int i = 0; i < count; ++i) {
        const AlarmRecord record = MakeAlarm(i, LevelError, start.addMSecs(i));
        manager.AddAlarm(&record);
    }
    done = true;
}

// Hands every record to the log in bursts and reports on stdout how many are committed, until it is killed.
int RunKillableWriter(const QString& appDir)
{
    SetAppDirOverride(appDir);
    LogManager manager;
    const QDateTime start = QDateTime::currentDateTime();
    constexpr int burst = 200;
    constexpr int maxBursts = 500;
    for (int round = 0; round < maxBursts; ++round) {
        for (int i = 0; i < burst; ++i) {
            AlarmRecord record = MakeAlarm(round * burst + i, LevelError, start.addMSecs(i));
            manager.AddAlarm(&record);
        }
        manager.Flush();
        std::printf("committed %d\n", (round + 1) * burst);
        std::fflush(stdout);
    }
    return 0;
}
} // namespace

Q_DECLARE_METATYPE(QList<Event>)

class TestLogManager : public QObject
{
    Q_OBJECT

private slots:
    void startsAndRecoveriesPairUp_data();
    void startsAndRecoveriesPairUp();
    void purgeRunsOnSettingsChangeAndOncePerDay();
    void closeLeavesOneCompleteFileAndOpenResumesPairing();
    void openFailureIsReportedAndNothingIsLogged();
    void readsAndRestartsWhileHandlerThreadWrites();
    void killedWriterLeavesIntactFile();
    void fullLogLosesNothingOnceItHasRoom();
    void fullQueueLosesNewAlarmsButNoEnd();
    void openRowsCarryOverARestart();
    void stateReadEndsWhatItNoLongerFinds_data();
    void stateReadEndsWhatItNoLongerFinds();
};

void TestLogManager::startsAndRecoveriesPairUp_data()
{
    QTest::addColumn<QList<Event>>("events");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("start, start, recovery")
        << QList<Event>{{1, LevelWarn, 1}, {1, LevelError, 2}, {1, LevelNormal, 3}} << QStringList{Row(1, 1, 3)};
    QTest::newRow("start, recovery, start") << QList<Event>{{1, LevelError, 1}, {1, LevelNormal, 2}, {1, LevelError, 3}}
                                            << QStringList{Row(1, 1, 2), Row(1, 3)};
    QTest::newRow("recovery without start") << QList<Event>{{1, LevelNormal, 1}} << QStringList{};
    const QList<Event> twoPorts{{1, LevelError, 1}, {2, LevelError, 2}, {2, LevelNormal, 3}, {1, LevelNormal, 4}};
    QTest::newRow("two ports at once") << twoPorts << QStringList{Row(1, 1, 4), Row(2, 2, 3)};
}

void TestLogManager::startsAndRecoveriesPairUp()
{
    QFETCH(QList<Event>, events);
    QFETCH(QStringList, rows);
    TempAppDir dir;
    LogManager manager;
    for (const Event& event : events) {
        const AlarmRecord record = MakeAlarm(event.portID, event.level, At(Stamp(event.second)));
        manager.AddAlarm(&record);
    }
    manager.Flush();
    QCOMPARE(Rows(GetLogDatabasePath()), rows);
}

void TestLogManager::purgeRunsOnSettingsChangeAndOncePerDay()
{
    TempAppDir dir;
    QDateTime now = At("2024-03-05 12:00:00.000");
    LogManager manager({}, [&now] { return now; });
    LogDatabase outside;
    QVERIFY(outside.Open(GetLogDatabasePath()));
    // Adds an old row, then an alarm logged at stamp; the old rows left after it.
    const auto oldRowsAfter = [&](const char* stamp) {
        outside.Insert(MakeAlarm(9, LevelError, At("2024-03-01 00:00:00.000")));
        const AlarmRecord start = MakeAlarm(1, LevelError, At(stamp));
        manager.AddAlarm(&start);
        const AlarmRecord recovery = MakeAlarm(1, LevelNormal, At(stamp));
        manager.AddAlarm(&recovery);
        manager.Flush();
        return outside.GetCount({"where portID=?", {9}});
    };

    QCOMPARE(oldRowsAfter("2024-03-05 11:00:00.000"), 1u);
    SystemConfigFile settings;
    settings.SetLogSaveTime(2);
    manager.SetSystemConfig(settings);
    manager.Flush();
    QCOMPARE(outside.GetCount({"where portID=?", {9}}), 0u);
    // Same day as the construction: no purge.
    QCOMPARE(oldRowsAfter("2024-03-05 12:00:00.000"), 1u);
    now = At("2024-03-06 00:00:01.000");
    QCOMPARE(oldRowsAfter("2024-03-06 00:00:01.000"), 0u);
    QCOMPARE(oldRowsAfter("2024-03-06 08:00:00.000"), 1u);
    // A record from an earlier day (a clock set back) purges again.
    QCOMPARE(oldRowsAfter("2024-03-05 23:59:59.000"), 0u);
}

void TestLogManager::closeLeavesOneCompleteFileAndOpenResumesPairing()
{
    TempAppDir dir;
    LogManager manager;
    const AlarmRecord start = MakeAlarm(1, LevelError, At("2024-03-05 10:00:01.000"));
    manager.AddAlarm(&start);
    manager.Close();
    manager.Close();

    // What an export copies is the file alone: it must hold every row.
    QVERIFY(!QFile::exists(GetLogDatabasePath() + "-wal"));
    QCOMPARE(QueryValue(GetLogDatabasePath(), "select count(*) from alarm2").toInt(), 1);

    const AlarmRecord whileClosed = MakeAlarm(2, LevelError, At("2024-03-05 10:00:02.000"));
    manager.AddAlarm(&whileClosed);
    manager.Open();
    manager.Open();
    const AlarmRecord recovery = MakeAlarm(1, LevelNormal, At("2024-03-05 10:00:03.000"));
    manager.AddAlarm(&recovery);
    manager.Flush();
    QCOMPARE(Rows(GetLogDatabasePath()), QStringList{Row(1, 1, 3)});
}

void TestLogManager::openFailureIsReportedAndNothingIsLogged()
{
    TempAppDir dir;
    QVERIFY(QDir(dir.filePath("log")).removeRecursively());
    QFile blocker(dir.filePath("log"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QStringList reported;
    LogManager manager([&reported](const QString& error) { reported.append(error); });
    QCOMPARE(reported.size(), 1);
    QVERIFY(!reported.first().isEmpty());
    const AlarmRecord record = MakeAlarm(1, LevelError, At("2024-03-05 10:00:01.000"));
    manager.AddAlarm(&record);
    manager.Flush();

    // Once the directory can be made, the next start of monitoring opens the log.
    QVERIFY(blocker.remove());
    manager.Open();
    QCOMPARE(reported.size(), 1);
    manager.AddAlarm(&record);
    manager.Flush();
    QCOMPARE(Rows(GetLogDatabasePath()), QStringList{Row(1, 1)});
}

// The browser reads, and monitoring stops and starts, while the handler's thread hands the log a burst; until the
// writer has drained it, so that reads and restarts meet its batches.
void TestLogManager::readsAndRestartsWhileHandlerThreadWrites()
{
    TempAppDir dir;
    LogManager manager;
    const QString path = GetLogDatabasePath();
    constexpr int alarms = 20000;
    std::atomic<bool> handlerDone{false};
    std::thread handler(WriteAlarms, std::ref(manager), alarms, std::ref(handlerDone));
    const auto joinHandler = qScopeGuard([&handler] { handler.join(); });
    unsigned lastCount = 0;
    int overlapped = 0;
    for (int cycle = 0; cycle < 1000 && !(handlerDone && manager.QueueLength() == 0); ++cycle) {
        {
            LogDatabase browser;
            QVERIFY(browser.Open(path, LogDatabase::WindowBusyTimeout));
            overlapped += manager.QueueLength() > 0;
            const unsigned count = browser.GetCount({"where id<?", {1u << 30}});
            QVERIFY(count >= lastCount);
            lastCount = count;
            AlarmRecord newest;
            QCOMPARE(browser.Select({"where id>? order by id desc limit ?,?", {0, 0, 1}}, {&newest}), count ? 1 : 0);
        }
        manager.Close();
        QVERIFY(!QFile::exists(path + "-wal"));
        manager.Open();
    }
    manager.Close();
    QVERIFY2(overlapped > 0, "no read met pending writes");

    QCOMPARE(QueryValue(path, "pragma integrity_check").toString(), QString("ok"));
    const int rows = QueryValue(path, "select count(*) from alarm2").toInt();
    QVERIFY(rows >= int(lastCount) && rows <= alarms);
    QCOMPARE(quint64(rows), manager.RowsWrittenCount());
    QCOMPARE(QueryValue(path, "select count(distinct helpkey) from alarm2").toInt(), rows);
}

void TestLogManager::killedWriterLeavesIntactFile()
{
    TempAppDir dir;
    QProcess writer;
    writer.start(QCoreApplication::applicationFilePath(), {WriterMode, dir.path()});
    QVERIFY(writer.waitForStarted());
    int committed = 0;
    QElapsedTimer deadline;
    deadline.start();
    while (committed < 4000 && deadline.elapsed() < 30000) {
        if (!writer.canReadLine() && !writer.waitForReadyRead(1000))
            continue;
        const QByteArray line = writer.readLine().trimmed();
        if (line.startsWith("committed "))
            committed = line.mid(10).toInt();
    }
    QVERIFY(committed >= 4000);
    writer.kill();
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

    const QString path = GetLogDatabasePath();
    QCOMPARE(QueryValue(path, "pragma integrity_check").toString(), QString("ok"));
    const int rows = QueryValue(path, "select count(*) from alarm2").toInt();
    QVERIFY2(rows >= committed, qPrintable(QString("%1 rows, %2 committed").arg(rows).arg(committed)));
    QCOMPARE(QueryValue(path, "select count(distinct helpkey) from alarm2").toInt(), rows);
}

// The file fills up (the writer's connection may not grow it) with an alarm open, and later gets room again.
void TestLogManager::fullLogLosesNothingOnceItHasRoom()
{
    TempAppDir dir;
    std::atomic<bool> full{false};
    std::atomic<int> attempts{0};
    std::atomic<int> failuresReported{0};
    LogWriteThread writer(
        {}, [&failuresReported](const QString&) { ++failuresReported; },
        [&full, &attempts](LogDatabase& database) {
            ++attempts;
            // A cap below the file's size keeps it as it is: no page can be added.
            QSqlQuery(database.Connection()).exec(QStringLiteral("PRAGMA max_page_count=%1").arg(full ? 1 : 1 << 30));
        });
    std::mutex loggedLock;
    QStringList logged;
    writer.SetLoggedHandler([&](const std::vector<AlarmRecord>& records) {
        std::lock_guard<std::mutex> locker(loggedLock);
        for (const AlarmRecord& record : records)
            logged << Row(record.portID, record.time.time().second(),
                          record.end_time.isNull() ? -1 : record.end_time.time().second());
    });
    const QString path = GetLogDatabasePath();
    QVERIFY(writer.Start(path));
    // Every row needs pages of its own.
    const auto append = [&writer](int portID, int level, int second) {
        AlarmRecord record = MakeAlarm(portID, level, At(Stamp(second)));
        record.note = QString(40000, QLatin1Char('n'));
        QVERIFY(writer.Append(record).isValid());
    };

    append(1, LevelError, 1);
    writer.Flush();
    full = true;
    append(2, LevelError, 3);
    append(1, LevelNormal, 2);
    append(3, LevelError, 4);
    append(3, LevelNormal, 5);
    QTRY_VERIFY_WITH_TIMEOUT(attempts >= 3, 10000);
    QCOMPARE(failuresReported.load(), 1);
    QCOMPARE(Rows(path), QStringList{Row(1, 1)});

    full = false;
    writer.Flush();
    QCOMPARE(Rows(path), (QStringList{Row(1, 1, 2), Row(2, 3), Row(3, 4, 5)}));
    {
        std::lock_guard<std::mutex> locker(loggedLock);
        QCOMPARE(logged, (QStringList{Row(1, 1), Row(2, 3), Row(1, 1, 2), Row(3, 4), Row(3, 4, 5)}));
    }
    // What counts as open matches the file: a repeated start writes nothing, its recovery ends the row.
    append(2, LevelError, 6);
    append(2, LevelNormal, 7);
    writer.Flush();
    QCOMPARE(Rows(path), (QStringList{Row(1, 1, 2), Row(2, 3, 7), Row(3, 4, 5)}));

    // Stopping while the file is full gives up on what cannot be written instead of waiting for room.
    full = true;
    append(4, LevelError, 8);
    const int attemptsBefore = attempts;
    QTRY_VERIFY_WITH_TIMEOUT(attempts > attemptsBefore + 1, 10000);
    writer.Stop();
    QCOMPARE(Rows(path).size(), 3);
}

// While the file is full, the queue takes new alarms up to its cap and ends always; what it could not take is told
// once the log is written again.
void TestLogManager::fullQueueLosesNewAlarmsButNoEnd()
{
    TempAppDir dir;
    std::atomic<bool> full{true};
    std::atomic<int> failuresReported{0};
    LogWriteThread writer(
        {}, [&failuresReported](const QString&) { ++failuresReported; },
        [&full](LogDatabase& database) {
            QSqlQuery(database.Connection()).exec(QStringLiteral("PRAGMA max_page_count=%1").arg(full ? 1 : 1 << 30));
        });
    std::atomic<quint64> lost{0};
    writer.SetLostHandler([&lost](quint64 count) { lost += count; });
    QVERIFY(writer.Start(GetLogDatabasePath()));
    // A row that needs pages of its own keeps failing, and everything after it waits in the queue.
    AlarmRecord first = MakeAlarm(0, LevelError, At(Stamp(0)));
    first.note = QString(40000, QLatin1Char('n'));
    writer.Append(first);
    QTRY_COMPARE_WITH_TIMEOUT(failuresReported.load(), 1, 10000);
    constexpr int beyond = 10;
    const QDateTime start = At(Stamp(1));
    for (int port = 1; port <= LogWriteThread::MaxPending + beyond; ++port) {
        const AlarmRecord record = MakeAlarm(port, LevelError, start);
        writer.Append(record);
    }
    QCOMPARE(writer.QueueLength(), size_t(LogWriteThread::MaxPending));
    // Joins its waiting start; has no start to end; ends the row being retried.
    for (int port : {1, LogWriteThread::MaxPending + 1, 0}) {
        const AlarmRecord recovery = MakeAlarm(port, LevelNormal, At(Stamp(2)));
        writer.Append(recovery);
    }
    QCOMPARE(writer.QueueLength(), size_t(LogWriteThread::MaxPending + 1));

    full = false;
    writer.Flush();
    const QString path = GetLogDatabasePath();
    QCOMPARE(QueryValue(path, "select count(*) from alarm2").toInt(), LogWriteThread::MaxPending + 1);
    QCOMPARE(QueryColumn(path, "select portID from alarm2 where end_time is not null order by portID"),
             (QStringList{"0", "1"}));
    QCOMPARE(lost.load(), quint64(beyond));
}

// What a killed station left in the file: each alarm open at most once, and the next run goes on with those rows.
void TestLogManager::openRowsCarryOverARestart()
{
    TempAppDir dir;
    const QString path = GetLogDatabasePath();
    {
        LogDatabase before;
        QVERIFY(before.Open(path));
        for (const AlarmRecord& row : {MakeAlarm(1, LevelError, At(Stamp(1))), MakeAlarm(2, LevelError, At(Stamp(2))),
                                       MakeAlarm(1, LevelError, At(Stamp(3)))})
            QVERIFY(before.Insert(row));
    }
    LogManager manager;
    QCOMPARE(Rows(path), (QStringList{Row(1, 1, 3), Row(2, 2), Row(1, 3)}));
    const AlarmRecord again = MakeAlarm(1, LevelError, At(Stamp(5)));
    QCOMPARE(manager.AddAlarm(&again), At(Stamp(3)));
    const AlarmRecord recovery = MakeAlarm(2, LevelNormal, At(Stamp(6)));
    manager.AddAlarm(&recovery);
    manager.Flush();
    QCOMPARE(Rows(path), (QStringList{Row(1, 1, 3), Row(2, 2, 6), Row(1, 3)}));
}

void TestLogManager::stateReadEndsWhatItNoLongerFinds_data()
{
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("active");
    // When a trap said the alarm was still there; -1 for never.
    QTest::addColumn<int>("seenSecond");
    QTest::addColumn<QStringList>("rows");
    // The read runs from second 5 to second 9.
    QTest::newRow("not found: ends at the read") << true << false << -1 << QStringList{Row(1, 1, 9)};
    QTest::newRow("found active") << true << true << -1 << QStringList{Row(1, 1)};
    QTest::newRow("not asked about") << false << false << -1 << QStringList{Row(1, 1)};
    QTest::newRow("reported while the read ran") << true << false << 6 << QStringList{Row(1, 1)};
    QTest::newRow("reported before the read") << true << false << 4 << QStringList{Row(1, 1, 9)};
}

void TestLogManager::stateReadEndsWhatItNoLongerFinds()
{
    QFETCH(bool, asked);
    QFETCH(bool, active);
    QFETCH(int, seenSecond);
    QFETCH(QStringList, rows);
    TempAppDir dir;
    LogManager manager;
    const AlarmRecord start = MakeAlarm(1, LevelError, At(Stamp(1)));
    manager.AddAlarm(&start);
    if (seenSecond >= 0) {
        const AlarmRecord repeated = MakeAlarm(1, LevelError, At(Stamp(seenSecond)));
        manager.AddAlarm(&repeated);
    }
    DeviceStateRead read{start.ip, At(Stamp(5)), At(Stamp(9)), {}, {}};
    if (asked)
        read.asked.insert(AlarmIdentityKey(start));
    if (active)
        read.active.insert(AlarmIdentityKey(start));
    manager.Settle(read);
    manager.Flush();
    QCOMPARE(Rows(GetLogDatabasePath()), rows);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], WriterMode) == 0)
        return RunKillableWriter(QString::fromLocal8Bit(argv[2]));
    TestLogManager test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "TestLogManager.moc"
