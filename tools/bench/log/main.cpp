// Alarm log benchmark, run by hand: log-bench [--rows N] [--ops N] [--dir D] [--part writer|browser|report|all]
// Seeds a table of N rows (1,000,000 by default). The writer part runs the same mixed stream of alarm starts and
// recoveries twice: the literal way (one autocommit statement each, rollback journal, no index, values pasted into
// the text) and through LogManager (writer thread, batched WAL commits, indexes). Then it measures the single
// statements the log browser and the writer depend on, the delay until an alarm is in the file, and what a SIGKILL
// leaves. The browser part measures the log browser's searches, pages, exports and delete (BrowserBench.cpp), the
// report part the alarm report's figures, timeline and window (ReportBench.cpp).
#include "BrowserBench.h"
#include "ReportBench.h"
#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "log/LogDatabase.h"
#include "log/LogManager.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {
const char* const WriterMode = "--killable-writer";
constexpr int SeedDays = 100;
// Recoveries follow their start this many operations later, so that a few hundred alarms are open at any time.
constexpr int RecoveryLag = 200;

struct Stats
{
    double meanMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
};

Stats Summarize(std::vector<qint64> nanoseconds)
{
    Stats stats;
    if (nanoseconds.empty())
        return stats;
    std::sort(nanoseconds.begin(), nanoseconds.end());
    double sum = 0;
    for (qint64 value : nanoseconds)
        sum += double(value);
    stats.meanMs = sum / double(nanoseconds.size()) / 1e6;
    stats.p99Ms = double(nanoseconds[size_t(double(nanoseconds.size() - 1) * 0.99)]) / 1e6;
    stats.maxMs = double(nanoseconds.back()) / 1e6;
    return stats;
}

void Print(const char* what, const Stats& stats)
{
    std::printf("  %-44s mean %9.3f ms  p99 %9.3f ms  max %9.3f ms\n", what, stats.meanMs, stats.p99Ms, stats.maxMs);
}

// Operation k of the mixed stream: starts of new alarms interleaved with recoveries of earlier ones.
AlarmRecord StreamAlarm(int k, const QString& ip)
{
    const bool recovery = k % 2 == 1 && k / 2 >= RecoveryLag;
    const int alarm = recovery ? k / 2 - RecoveryLag : k / 2;
    AlarmRecord record;
    record.Init(ip);
    record.deviceName = QStringLiteral("Bench");
    record.portType = PortTypeBnc;
    record.portID = alarm;
    record.alarmType = AlarmTypeVideoLost;
    record.level = recovery ? LevelNormal : LevelError;
    return record;
}

bool Exec(QSqlQuery& query, const QString& statement)
{
    if (query.exec(statement))
        return true;
    std::printf("failed: %s: %s\n", qPrintable(statement), qPrintable(query.lastError().text()));
    return false;
}

// Runs body with a connection of its own to path, removing the connection afterwards.
void WithConnection(const QString& path, const std::function<void(QSqlDatabase&)>& body)
{
    const QString name = QStringLiteral("bench_%1").arg(quintptr(&body));
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        if (database.open())
            body(database);
        else
            std::printf("cannot open %s\n", qPrintable(path));
    }
    QSqlDatabase::removeDatabase(name);
}

QString QueryText(const QString& path, const QString& statement)
{
    QString result;
    WithConnection(path, [&](QSqlDatabase& database) {
        QSqlQuery query(database);
        if (Exec(query, statement) && query.next())
            result = query.value(0).toString();
    });
    return result;
}

// Row i: one of 64 devices, 16 ports and six alarm types, spread evenly over the SeedDays days before now, ended
// 30 s later. Generated inside SQLite in one transaction, which takes seconds instead of minutes.
void Seed(const QString& path, qint64 rows, const QDateTime& now)
{
    WithConnection(path, [&](QSqlDatabase& database) {
        QSqlQuery query(database);
        Exec(query, QStringLiteral("PRAGMA journal_mode=OFF"));
        Exec(query, QStringLiteral("PRAGMA synchronous=OFF"));
        Exec(query, LogDatabase::CreateTableStatement);
        query.prepare(QStringLiteral(
            "INSERT INTO alarm2 (start_time,ip,deviceName,portType,portID,trackID,signalName,alarmType,end_time,"
            "note,helpkey) "
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ? - 1), "
            "r AS (SELECT i, '10.0.0.' || (1 + i % 64) AS ip, 1 + i % 64 AS d, 1 + (i / 64) % 16 AS p, "
            "1 << (i % 6) AS ty, julianday(?) - ? + i * (? * 1.0 / ?) AS t FROM n) "
            "SELECT strftime('%Y-%m-%d %H:%M:%f', t), ip, 'Probe ' || d, 1, p, "
            "CASE WHEN ty IN (8, 16) THEN 1 ELSE -1 END, 'Channel ' || p, ty, "
            "strftime('%Y-%m-%d %H:%M:%f', t + 30.0 / 86400), '', "
            "ip || '.1.' || p || '.' || (CASE WHEN ty IN (8, 16) THEN 1 ELSE -1 END) || '.' || ty || '.' || "
            "strftime('%Y-%m-%d_%H:%M:%f', t) FROM r"));
        for (const QVariant& value : {QVariant(rows), QVariant(now.toString(LogDatabase::TimeFormat)),
                                      QVariant(SeedDays), QVariant(SeedDays), QVariant(rows)})
            query.addBindValue(value);
        if (!query.exec())
            std::printf("seed failed: %s\n", qPrintable(query.lastError().text()));
    });
}

// Helpkeys of rows spread over the whole table, for end-time updates that must find their row.
QStringList SampleHelpkeys(const QString& path, qint64 rows, int count)
{
    QStringList helpkeys;
    WithConnection(path, [&](QSqlDatabase& database) {
        QSqlQuery query(database);
        query.prepare(QStringLiteral("select helpkey from alarm2 where id=?"));
        for (int i = 0; i < count; ++i) {
            query.addBindValue(1 + qint64(i) * 99991 % rows);
            if (query.exec() && query.next())
                helpkeys.append(query.value(0).toString());
        }
    });
    return helpkeys;
}

struct Figures
{
    double opsPerSecond = 0;
    Stats update;
    Stats count;
};

QString DayStart(const QDateTime& now, int daysBack)
{
    return now.date().addDays(-daysBack).startOfDay().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// One autocommit statement per operation, values pasted into the text, no index: the approach being replaced.
Figures RunLiteral(const QString& path, qint64 rows, const QDateTime& now, int maxOps, int budgetMs)
{
    Figures figures;
    WithConnection(path, [&](QSqlDatabase& database) {
        QSqlQuery query(database);
        QElapsedTimer timer;
        timer.start();
        QHash<QString, QString> open;
        int done = 0;
        for (; done < maxOps && timer.elapsed() < budgetMs; ++done) {
            AlarmRecord record = StreamAlarm(done, QStringLiteral("10.8.0.1"));
            record.time = QDateTime::currentDateTime();
            const QString identity = AlarmIdentityKey(record);
            // The pairing rules are the same for both runs: only the way to the file differs.
            if ((record.level == LevelNormal) != open.contains(identity))
                continue;
            if (record.level == LevelNormal) {
                Exec(query, QStringLiteral("UPDATE alarm2 SET end_time='%1' WHERE helpkey='%2'")
                                .arg(record.time.toString(LogDatabase::TimeFormat), open.take(identity)));
                continue;
            }
            query.prepare(QStringLiteral(
                "INSERT INTO alarm2 (start_time,ip,deviceName,portType,portID,trackID,signalName,alarmType,note,"
                "helpkey) VALUES (:start_time,:ip,:deviceName,:portType,:portID,:trackID,:signalName,:alarmType,"
                ":note,:helpkey)"));
            query.bindValue(QStringLiteral(":start_time"), record.time.toString(LogDatabase::TimeFormat));
            query.bindValue(QStringLiteral(":ip"), record.ip);
            query.bindValue(QStringLiteral(":deviceName"), record.deviceName);
            query.bindValue(QStringLiteral(":portType"), record.portType);
            query.bindValue(QStringLiteral(":portID"), record.portID);
            query.bindValue(QStringLiteral(":trackID"), record.trackID);
            query.bindValue(QStringLiteral(":signalName"), record.signalName);
            query.bindValue(QStringLiteral(":alarmType"), record.alarmType);
            query.bindValue(QStringLiteral(":note"), record.note);
            query.bindValue(QStringLiteral(":helpkey"), AlarmHelpKey(record));
            query.exec();
            open.insert(identity, AlarmHelpKey(record));
        }
        figures.opsPerSecond = done * 1000.0 / double(std::max<qint64>(1, timer.elapsed()));
        std::printf("  literal stream: %d operations in %lld ms\n", done, timer.elapsed());

        std::vector<qint64> updates, counts;
        const QStringList helpkeys = SampleHelpkeys(path, rows, 10);
        for (int i = 0; i < helpkeys.size(); ++i) {
            timer.restart();
            Exec(query, QStringLiteral("UPDATE alarm2 SET end_time='%1' WHERE helpkey='%2'")
                            .arg(now.toString(LogDatabase::TimeFormat), helpkeys[i]));
            if (query.numRowsAffected() != 1)
                std::printf("  update found no row\n");
            updates.push_back(timer.nsecsElapsed());
            timer.restart();
            Exec(query, QStringLiteral("select count(*) from alarm2 where (datetime(start_time) > datetime('%1') "
                                       "and datetime(start_time) < datetime('%2')) and id<%3")
                            .arg(DayStart(now, 10 + i), DayStart(now, 9 + i))
                            .arg(rows * 2));
            query.next();
            counts.push_back(timer.nsecsElapsed());
        }
        figures.update = Summarize(updates);
        figures.count = Summarize(counts);
    });
    return figures;
}

// The stream through LogManager as the alarm handler would feed it; returns the AddAlarm call durations.
std::vector<qint64> Feed(LogManager& manager, int ops, int opsPerSecond, const QString& ip)
{
    std::vector<qint64> calls;
    calls.reserve(size_t(ops));
    QElapsedTimer timer, call;
    timer.start();
    for (int k = 0; k < ops; ++k) {
        if (opsPerSecond > 0 && k % 20 == 0)
            while (timer.nsecsElapsed() < qint64(k) * 1000000000 / opsPerSecond)
                QThread::usleep(200);
        AlarmRecord record = StreamAlarm(k, ip);
        record.time = QDateTime::currentDateTime();
        call.start();
        manager.AddAlarm(&record);
        calls.push_back(call.nsecsElapsed());
    }
    return calls;
}

Figures RunTuned(const QString& appDir, qint64 rows, const QDateTime& now, int ops)
{
    Figures figures;
    SetAppDirOverride(appDir);
    QElapsedTimer timer;
    timer.start();
    LogManager manager;
    std::printf("  first open (builds the indexes once): %lld ms\n", timer.elapsed());

    timer.restart();
    const Stats flat = Summarize(Feed(manager, ops, 0, QStringLiteral("10.8.0.2")));
    manager.Flush();
    figures.opsPerSecond = ops * 1000.0 / double(std::max<qint64>(1, timer.elapsed()));
    std::printf("  tuned stream, unpaced: %d operations in %lld ms\n", ops, timer.elapsed());
    Print("AddAlarm on the handler thread, unpaced", flat);

    // 20,000 operations per second for three seconds, with a probe measuring the way into the file.
    std::atomic<bool> feeding{true};
    std::vector<qint64> paced;
    std::thread feeder([&] {
        paced = Feed(manager, 60000, 20000, QStringLiteral("10.8.0.3"));
        feeding = false;
    });
    std::vector<qint64> durable;
    for (int probe = 0; feeding && probe < 200; ++probe) {
        AlarmRecord record = StreamAlarm(2 * probe, QStringLiteral("10.8.0.4"));
        record.time = QDateTime::currentDateTime();
        timer.restart();
        manager.AddAlarm(&record);
        manager.Flush();
        durable.push_back(timer.nsecsElapsed());
        QThread::msleep(20);
    }
    feeder.join();
    manager.Flush();
    Print("AddAlarm on the handler thread, 20k/s", Summarize(paced));
    Print("alarm handed in -> committed, at 20k/s", Summarize(durable));

    LogDatabase browser;
    browser.Open(GetLogDatabasePath());
    std::vector<qint64> updates, batched, counts;
    const QStringList helpkeys = SampleHelpkeys(GetLogDatabasePath(), rows, 1000);
    for (const QString& helpkey : helpkeys) {
        timer.restart();
        browser.UpdateEndTime(helpkey, now.toString(LogDatabase::TimeFormat));
        updates.push_back(timer.nsecsElapsed());
    }
    // As the writer runs it: the statement alone, its commit shared with the rest of the batch.
    browser.BeginBatch();
    for (const QString& helpkey : helpkeys) {
        timer.restart();
        browser.UpdateEndTime(helpkey, now.toString(LogDatabase::TimeFormat));
        batched.push_back(timer.nsecsElapsed());
    }
    browser.CommitBatch();
    Print("UpdateEndTime (inside a batch, as written)", Summarize(batched));
    for (int i = 0; i < 50; ++i) {
        timer.restart();
        browser.GetCount({QStringLiteral("where (datetime(start_time) > datetime(?) and datetime(start_time) < "
                                         "datetime(?)) and id<?"),
                          {DayStart(now, 10 + i), DayStart(now, 9 + i), rows * 2}});
        counts.push_back(timer.nsecsElapsed());
    }
    figures.update = Summarize(updates);
    figures.count = Summarize(counts);
    manager.Close();
    SetAppDirOverride(QString());
    return figures;
}

// The child: writes bursts into the seeded file and reports what is committed, until it is killed.
int RunKillableWriter(const QString& appDir)
{
    SetAppDirOverride(appDir);
    LogManager manager;
    constexpr int burst = 1000;
    for (int round = 0; round < 200; ++round) {
        for (int i = 0; i < burst; ++i) {
            AlarmRecord record = StreamAlarm(2 * (round * burst + i), QStringLiteral("10.8.0.5"));
            record.time = QDateTime::currentDateTime();
            manager.AddAlarm(&record);
        }
        manager.Flush();
        std::printf("committed %d\n", (round + 1) * burst);
        std::fflush(stdout);
    }
    return 0;
}

void RunKill(const QString& appDir)
{
    const QString path = appDir + QStringLiteral("/log/alarm.db");
    const int before = QueryText(path, QStringLiteral("select count(*) from alarm2")).toInt();
    QProcess writer;
    writer.start(QCoreApplication::applicationFilePath(), {QLatin1String(WriterMode), appDir});
    writer.waitForStarted();
    int committed = 0;
    QElapsedTimer deadline;
    deadline.start();
    while (committed < 20000 && deadline.elapsed() < 60000 && writer.state() == QProcess::Running) {
        if (!writer.canReadLine() && !writer.waitForReadyRead(1000))
            continue;
        const QByteArray line = writer.readLine().trimmed();
        if (line.startsWith("committed "))
            committed = line.mid(10).toInt();
    }
    writer.kill();
    writer.waitForFinished();
    QElapsedTimer timer;
    timer.start();
    const QString integrity = QueryText(path, QStringLiteral("pragma integrity_check"));
    const int after = QueryText(path, QStringLiteral("select count(*) from alarm2")).toInt();
    std::printf("  SIGKILL after %d committed: integrity_check \"%s\" (%lld ms), %d new rows (>= %d: %s)\n", committed,
                qPrintable(integrity), timer.elapsed(), after - before, committed,
                after - before >= committed ? "yes" : "NO");
}
} // namespace

int main(int argc, char* argv[])
{
    // The report part paints and opens its window; without a display it does so offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], WriterMode) == 0)
        return RunKillableWriter(QString::fromLocal8Bit(argv[2]));

    QCommandLineParser parser;
    parser.addOption({"rows", "rows already in the table", "N", "1000000"});
    parser.addOption({"ops", "operations of the unpaced stream", "N", "200000"});
    parser.addOption({"dir", "where the files go", "D", QDir::tempPath()});
    parser.addOption({"part", "writer, browser, report or all", "P", "all"});
    parser.process(app);
    const qint64 rows = parser.value("rows").toLongLong();
    const int ops = parser.value("ops").toInt();
    QTemporaryDir base(parser.value("dir") + "/log-bench-XXXXXX");
    const QDateTime now = QDateTime::currentDateTime();

    QElapsedTimer timer;
    timer.start();
    const QString seed = base.filePath("seed.db");
    Seed(seed, rows, now);
    const qint64 seeded = QueryText(seed, QStringLiteral("select count(*) from alarm2")).toLongLong();
    std::printf("seeded %lld rows over %d days in %lld ms\n", seeded, SeedDays, timer.elapsed());
    if (seeded != rows)
        return 1;
    const QString part = parser.value("part");
    const bool all = part == QLatin1String("all");
    const bool writer = all || part == QLatin1String("writer");
    const bool browser = all || part == QLatin1String("browser");
    const bool report = all || part == QLatin1String("report");
    for (const char* run : {"literal", "tuned", "browser", "report"}) {
        const bool wanted = run[0] == 'b' ? browser : run[0] == 'r' ? report : writer;
        if (!wanted)
            continue;
        QDir(base.path()).mkpath(QStringLiteral("%1/log").arg(run));
        QFile::copy(seed, base.filePath(QStringLiteral("%1/log/alarm.db").arg(run)));
    }
    QFile::remove(seed);
    if (browser)
        RunBrowserBench(base.filePath("browser"), SeedDays, now);
    QDir(base.filePath("browser")).removeRecursively();
    if (report)
        RunReportBench(base.filePath("report"), now);
    QDir(base.filePath("report")).removeRecursively();
    if (!writer)
        return 0;

    std::printf("literal (autocommit, rollback journal, no index):\n");
    const Figures literal = RunLiteral(base.filePath("literal/log/alarm.db"), rows, now, 5000, 10000);
    Print("UpdateEndTime", literal.update);
    Print("one-day GetCount", literal.count);
    QFile::remove(base.filePath("literal/log/alarm.db"));

    std::printf("LogManager (writer thread, batched WAL commits, indexes):\n");
    const Figures tuned = RunTuned(base.filePath("tuned"), rows, now, ops);
    Print("UpdateEndTime (autocommit, GUI connection)", tuned.update);
    Print("one-day GetCount", tuned.count);
    RunKill(base.filePath("tuned"));

    std::printf("summary on %lld rows:\n", rows);
    std::printf("  operations per second: literal %.0f, tuned %.0f (x%.0f)\n", literal.opsPerSecond, tuned.opsPerSecond,
                tuned.opsPerSecond / std::max(1.0, literal.opsPerSecond));
    std::printf("  UpdateEndTime mean: literal %.3f ms, tuned %.3f ms (x%.0f)\n", literal.update.meanMs,
                tuned.update.meanMs, literal.update.meanMs / std::max(1e-6, tuned.update.meanMs));
    std::printf("  one-day count mean: literal %.3f ms, tuned %.3f ms (x%.0f)\n", literal.count.meanMs,
                tuned.count.meanMs, literal.count.meanMs / std::max(1e-6, tuned.count.meanMs));
    return 0;
}
