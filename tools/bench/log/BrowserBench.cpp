#include "BrowserBench.h"

#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "log/LogDatabase.h"
#include "log/LogExport.h"
#include "log/LogFilter.h"
#include "log/LogManager.h"
#include "log/LogResult.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {
constexpr int BurstAlarms = 5000;

// Everything checked over the seed's 64 devices, from the start of the day daysBack days ago.
LogFilter Filter(const QDateTime& now, int fromDaysBack, int endDaysBack = -1)
{
    LogFilter filter;
    for (int d = 1; d <= 64; ++d)
        filter.checkedDevices.append(QStringLiteral("10.0.0.%1").arg(d));
    filter.deviceCount = 64;
    filter.alarmTypes = {4, 2, 1, 8, 16, 32};
    filter.from = now.date().addDays(-fromDaysBack).startOfDay();
    filter.end = now.date().addDays(-endDaysBack).startOfDay();
    return filter;
}

double Ms(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The faster of two runs, so that neither side pays for a cold cache or the other's dirty pages alone.
double BestOfTwo(const std::function<double()>& run)
{
    const double first = run();
    return std::min(first, run());
}

double TimeSearch(LogDatabase& database, LogResult& result, const LogFilter& filter)
{
    QElapsedTimer timer;
    timer.start();
    if (!result.Search(database, filter.Clause()))
        std::printf("  search failed: %s\n", qPrintable(database.GetErrorString()));
    return Ms(timer);
}

// The slowest of a few reads of one page, as the window reads it.
double TimePage(LogDatabase& database, const LogResult& result, int page)
{
    std::vector<AlarmRecord> storage(LogResult::PageSize);
    QList<AlarmRecord*> records;
    for (AlarmRecord& record : storage)
        records.append(&record);
    double slowest = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (result.ReadPages(database, page, 1, records) <= 0)
            std::printf("  page %d read nothing\n", page);
        slowest = std::max(slowest, Ms(timer));
    }
    return slowest;
}

double TimeExport(LogDatabase& database, const LogResult& result, const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (LogExport::Write(database, result, LogExport::Format::Log, file, {}, error) != LogExport::Outcome::Completed)
        std::printf("  export failed: %s\n", qPrintable(error));
    file.close();
    return Ms(timer);
}

// The same rows of the same query, written by the sqlite3 tool: values pasted in, nothing formatted.
double TimeSqliteTool(const QString& databasePath, const LogFilter& filter, const QString& outPath)
{
    LogClause clause = filter.Clause();
    QString text = clause.text;
    for (const QVariant& value : clause.values)
        text.replace(text.indexOf(QLatin1Char('?')), 1,
                     value.type() == QVariant::String ? QStringLiteral("'%1'").arg(value.toString())
                                                      : value.toString());
    const QString script =
        QStringLiteral(".output %1\nselect * from alarm2 where %2 order by id desc;\n").arg(outPath, text);
    return RunSqliteTool(databasePath, script);
}

// The literal export: batches of 200 read with "limit offset,count", each skipping every row before it.
double TimeOffsetExport(LogDatabase& database, const LogResult& result, const LogFilter& filter, const QString& path,
                        qint64& written)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    std::vector<AlarmRecord> storage(200);
    QList<AlarmRecord*> batch;
    for (AlarmRecord& record : storage)
        batch.append(&record);
    const LogClause clause = filter.Clause();
    const qint64 bound =
        result.Count() > 0 ? database.GetMaxId({QStringLiteral("where ") + clause.text, clause.values}) + 1 : 0;
    QElapsedTimer timer;
    timer.start();
    file.write(LogExport::Header(LogExport::Format::Log));
    written = 0;
    for (qint64 offset = 0; written < result.Count() && timer.elapsed() < 180000; offset += 200) {
        const int filled =
            database.Select({QStringLiteral("where %1 and id<? order by id desc limit ?,?").arg(clause.text),
                             clause.values + QVariantList{bound, offset, 200}},
                            batch);
        for (int i = 0; i < filled; ++i)
            file.write(LogExport::Line(LogExport::Format::Log, ++written, *batch[i]));
        if (filled < 200)
            break;
    }
    return Ms(timer);
}

AlarmRecord BurstAlarm(int i, int level)
{
    AlarmRecord record;
    record.Init(QStringLiteral("10.9.0.1"));
    record.time = QDateTime::currentDateTime();
    record.deviceName = QStringLiteral("Burst");
    record.portType = PortTypeBnc;
    record.portID = i;
    record.alarmType = AlarmTypeVideoLost;
    record.level = level;
    return record;
}
} // namespace

double RunSqliteTool(const QString& databasePath, const QString& script, QByteArray* output)
{
    QProcess tool;
    QElapsedTimer timer;
    timer.start();
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), databasePath});
    tool.write(script.toUtf8());
    tool.closeWriteChannel();
    if (!tool.waitForFinished(600000) || tool.exitCode() != 0)
        std::printf("  sqlite3 failed: %s\n", tool.readAllStandardError().constData());
    const double ms = Ms(timer);
    if (output)
        *output = tool.readAllStandardOutput();
    return ms;
}

void RunBrowserBench(const QString& appDir, int seedDays, const QDateTime& now)
{
    SetAppDirOverride(appDir);
    const QString path = GetLogDatabasePath();
    QElapsedTimer timer;
    timer.start();
    // The writer's and the window's connections, as the station has them; the first open builds the indexes.
    LogManager manager;
    LogDatabase database;
    database.Open(path, LogDatabase::WindowBusyTimeout);
    std::printf("log browser (%u rows, first open %lld ms):\n", database.GetCount({}), timer.elapsed());

    LogResult result;
    const LogFilter recent = Filter(now, 1, -1);
    double ms = TimeSearch(database, result, recent);
    std::printf("  search, default (yesterday and today): %lld rows, %d pages in %.1f ms\n", result.Count(),
                result.PageCount(), ms);
    std::printf("    first page %.2f ms, Page Down %.2f ms, last page %.2f ms\n", TimePage(database, result, 0),
                TimePage(database, result, 1), TimePage(database, result, result.PageCount() - 1));

    const LogFilter all = Filter(now, seedDays + 1, -1);
    ms = TimeSearch(database, result, all);
    std::printf("  search, all %d days: %lld rows, %d pages in %.1f ms\n", seedDays, result.Count(), result.PageCount(),
                ms);
    double slowestPage = 0;
    for (int page : {1, result.PageCount() / 2, result.PageCount() - 1}) {
        const double pageMs = TimePage(database, result, page);
        slowestPage = std::max(slowestPage, pageMs);
        std::printf("    page %d: %.2f ms\n", page + 1, pageMs);
    }

    const QString out = appDir + QStringLiteral("/export.log");
    const QString toolOut = appDir + QStringLiteral("/sqlite3.txt");
    const double millionMs = BestOfTwo([&] { return TimeExport(database, result, out); });
    const double millionTool = BestOfTwo([&] { return TimeSqliteTool(path, all, toolOut); });
    const qint64 millionRows = result.Count();
    std::printf("  export of %lld rows: %.0f ms (%.1f MB); sqlite3 tool %.0f ms (x%.2f)\n", millionRows, millionMs,
                double(QFile(out).size()) / 1e6, millionTool, millionMs / millionTool);

    LogResult tenth;
    const LogFilter tenDays = Filter(now, seedDays / 10 + 1, 1);
    TimeSearch(database, tenth, tenDays);
    const double tenthMs = BestOfTwo([&] { return TimeExport(database, tenth, out); });
    const double tenthTool = BestOfTwo([&] { return TimeSqliteTool(path, tenDays, toolOut); });
    qint64 offsetRows = 0;
    const double offsetMs = TimeOffsetExport(database, tenth, tenDays, out, offsetRows);
    std::printf("  export of %lld rows: %.0f ms; sqlite3 tool %.0f ms; offset batches %.0f ms for %lld rows\n",
                tenth.Count(), tenthMs, tenthTool, offsetMs, offsetRows);
    std::printf("  linearity: %lld rows take x%.1f the time of %lld rows (x%.1f the rows)\n", millionRows,
                millionMs / tenthMs, tenth.Count(), double(millionRows) / double(std::max<qint64>(1, tenth.Count())));

    // Delete half the log while the writer takes a burst of starts and recoveries.
    LogResult half;
    TimeSearch(database, half, Filter(now, seedDays + 1, seedDays / 2));
    std::thread feeder([&manager] {
        for (int level : {int(LevelError), int(LevelNormal)})
            for (int i = 0; i < BurstAlarms; ++i) {
                const AlarmRecord record = BurstAlarm(i, level);
                manager.AddAlarm(&record);
            }
    });
    double slowestBatch = 0;
    QElapsedTimer batch;
    batch.start();
    timer.restart();
    const bool deleted = half.Delete(database, [&](int) {
        slowestBatch = std::max(slowestBatch, Ms(batch));

        batch.restart();
    });
    const double deleteMs = Ms(timer);
    feeder.join();
    manager.Flush();
    const unsigned burstRows = database.GetCount({QStringLiteral("where ip=?"), {QStringLiteral("10.9.0.1")}});
    const unsigned burstOpen =
        database.GetCount({QStringLiteral("where ip=? and end_time is null"), {QStringLiteral("10.9.0.1")}});
    LogResult left;
    TimeSearch(database, left, Filter(now, seedDays + 1, seedDays / 2));
    std::printf("  delete of %lld rows during a %d-alarm burst: %s in %.0f ms, longest statement %.1f ms, %lld left; "
                "burst: %u rows, %u without end time\n",
                half.Count(), BurstAlarms, deleted ? "done" : "FAILED", deleteMs, slowestBatch, left.Count(), burstRows,
                burstOpen);
    std::printf("summary: slowest page %.2f ms (target <= 100); million-row export x%.2f sqlite3 (target <= 2), "
                "x%.1f the 100k export (target <= 11); offset batching x%.1f slower at 100k; longest delete "
                "statement %.1f ms (target <= 250)\n",
                slowestPage, millionMs / millionTool, millionMs / tenthMs, offsetMs / tenthMs, slowestBatch);
    manager.Close();
    SetAppDirOverride(QString());
}
