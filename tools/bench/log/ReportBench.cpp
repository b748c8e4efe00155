#include "ReportBench.h"

#include "BrowserBench.h"

#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "log/LogDatabase.h"
#include "log/LogManager.h"
#include "report/AlarmReport.h"
#include "report/AlarmReportWindow.h"
#include "report/AlarmTimelineWidget.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSqlQuery>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {
constexpr int FeedAlarms = 2000;

double Ms(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The same per-signal figures as the report, computed by the sqlite3 tool in SQL alone: the alarms of the period
// cut to it, merged into stretches per signal with window functions, then summed. Prints its totals.
double TimeSqliteTool(const QString& path, const QString& from, const QString& to, qint64& totalMs, qint64& alarms)
{
    const QString inside = QStringLiteral("datetime(start_time) >= datetime('%1') and datetime(start_time) < "
                                          "datetime('%2')")
                               .arg(from, to);
    const QString before =
        QStringLiteral("datetime(start_time) < datetime('%1') and coalesce(julianday(end_time), 1e9) > "
                       "julianday('%1')")
            .arg(from);
    const QString columns =
        QStringLiteral("ip, case when alarmType in (1,2,4,8,16) then portType else 0 end as pt, "
                       "case when alarmType in (1,2,4,8,16) then portID else -1 end as pid, "
                       "case when alarmType in (8,16) then trackID else -1 end as tr, "
                       "max(julianday(start_time), julianday('%1')) as s, "
                       "max(max(julianday(start_time), julianday('%1')), min(coalesce(julianday(end_time), 1e9), "
                       "julianday('%2'))) as e")
            .arg(from, to);
    const QString script =
        QStringLiteral(
            "with r as (select %1, 1 as started from alarm2 where %2 union all select %1, 0 from alarm2 where %3), "
            "m as (select *, max(e) over (partition by ip, pt, pid, tr order by s rows between unbounded preceding "
            "and 1 preceding) as pe from r), "
            "g as (select *, sum(pe is null or s > pe) over (partition by ip, pt, pid, tr order by s rows unbounded "
            "preceding) as island from m), "
            "i as (select ip, pt, pid, tr, min(s) as s, max(e) as e, sum(started) as n, max(e - s) as longest from g "
            "group by ip, pt, pid, tr, island), "
            "f as (select ip, pt, pid, tr, sum(n) as n, round(sum(e - s) * 86400000) as ms, max(longest) as longest "
            "from i group by ip, pt, pid, tr order by ms desc) "
            "select sum(ms), sum(n), count(*) from f;\n")
            .arg(columns, inside, before);
    QByteArray output;
    const double ms = RunSqliteTool(path, script, &output);
    const QList<QByteArray> fields = output.trimmed().split('|');
    totalMs = qint64(fields.value(0).toDouble());
    alarms = fields.value(1).toLongLong();
    return ms;
}

qint64 TotalMs(const AlarmReport& report, qint64& alarms)
{
    qint64 total = 0;
    alarms = 0;
    for (const AlarmReport::Signal& signal : report.Signals()) {
        total += signal.alarmMs;
        alarms += signal.alarms;
    }
    return total;
}

// Paints every lane of the report, a screenful at a time, as the window and the PDF do.
double TimeAllLanes(const AlarmReport& report)
{
    QImage image(1600, 900, QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer timer;
    timer.start();
    for (int lane = 0; lane < report.Signals().size();) {
        image.fill(Qt::white);
        QPainter painter(&image);
        const int painted = AlarmTimelineWidget::Paint(painter, report, image.rect(), lane);
        if (painted == 0)
            break;
        lane += painted;
    }
    return Ms(timer);
}

// One tall view of the noisiest lanes, the best of three paints; bars tells how many alarms it shows.
double TimeOneView(const AlarmReport& report, int& bars)
{
    QImage image(1600, 1600, QImage::Format_ARGB32_Premultiplied);
    double best = 1e12;
    int lanes = 0;
    for (int run = 0; run < 3; ++run) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QElapsedTimer timer;
        timer.start();
        lanes = AlarmTimelineWidget::Paint(painter, report, image.rect(), 0);
        best = std::min(best, Ms(timer));
    }
    bars = 0;
    for (int lane = 0; lane < lanes; ++lane)
        bars += report.Signals()[lane].bars.size();
    return best;
}

// Opens the window on the period, asks for the report and keeps the event loop turning until it is on screen;
// a timer measures the longest the loop was held meanwhile.
void TimeWindow(const QString& path, const QDateTime& from, const QDateTime& to, LogManager& manager)
{
    LogBrowserPrompts prompts;
    prompts.notify = [](QMessageBox::Icon, QWidget*, const QString& title, const QString& text) {
        std::printf("  box %s: %s\n", qPrintable(title), qPrintable(text));
    };
    AlarmReportWindow window(prompts, path);
    window.resize(1600, 900);
    window.show();
    window.findChild<QDateTimeEdit*>(QStringLiteral("dateTimeEdit_From"))->setDateTime(from);
    window.findChild<QDateTimeEdit*>(QStringLiteral("dateTimeEdit_To"))->setDateTime(to);
    QApplication::processEvents();

    QElapsedTimer sinceTick;
    double longestStall = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, Ms(sinceTick));
        sinceTick.restart();
    });
    // Monitoring goes on: alarms reach the log while the report is read.
    std::thread feeder([&manager] {
        for (int i = 0; i < FeedAlarms; ++i) {
            AlarmRecord record;
            record.Init(QStringLiteral("10.9.0.2"));
            record.portType = PortTypeBnc;
            record.portID = i % 16 + 1;
            record.alarmType = AlarmTypeVideoLost;
            record.level = i % 2 ? LevelNormal : LevelError;
            manager.AddAlarm(&record);
        }
    });
    bool done = false;
    QObject::connect(&window, &AlarmReportWindow::Signal_ReportDone, [&] { done = true; });
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticker.start();
    window.ShowReport();
    while (!done && timer.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    window.repaint();
    const double onScreen = Ms(timer);
    ticker.stop();
    feeder.join();
    timer.restart();
    manager.Flush();
    const std::shared_ptr<const AlarmReport> report = window.Report();
    std::printf("  window: on screen %.0f ms after Show (%d signals, %d bars), longest hold of the event loop %.1f "
                "ms; %d alarms logged meanwhile, flushed %lld ms after\n",
                onScreen, report ? int(report->Signals().size()) : 0, report ? report->BarCount() : 0, longestStall,
                FeedAlarms, timer.elapsed());
    std::printf("summary report: on screen %.0f ms (target <= 1000); event loop held at most %.1f ms (target <= 100)\n",
                onScreen, longestStall);
}
} // namespace

void RunReportBench(const QString& appDir, const QDateTime& now)
{
    SetAppDirOverride(appDir);
    const QString path = GetLogDatabasePath();
    QElapsedTimer timer;
    timer.start();
    LogManager manager;
    LogDatabase database;
    database.Open(path, LogDatabase::WindowBusyTimeout);
    std::printf("alarm report (%u rows, first open %lld ms):\n", database.GetCount({}), timer.elapsed());

    const QDateTime to(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    const QDateTime from = to.addDays(-30);
    AlarmReport report;
    // The best of some runs of the report over a period.
    const auto timeBuild = [&](const QDateTime& periodFrom, int runs) {
        double fastest = 1e12;
        for (int run = 0; run < runs; ++run) {
            timer.restart();
            if (!report.Build(database, periodFrom, to, QString(), now))
                std::printf("  report failed: %s\n", qPrintable(report.ErrorString()));
            fastest = std::min(fastest, Ms(timer));
        }
        return fastest;
    };
    const double best = timeBuild(from, 2);
    qint64 alarms = 0;
    const qint64 total = TotalMs(report, alarms);
    qint64 toolTotal = 0;
    qint64 toolAlarms = 0;
    double toolMs = 1e12;
    for (int run = 0; run < 2; ++run)
        toolMs = std::min(toolMs,
                          TimeSqliteTool(path, AlarmReport::PeriodTimeText(AlarmReport::WallMs(from)),
                                         AlarmReport::PeriodTimeText(AlarmReport::WallMs(to)), toolTotal, toolAlarms));
    std::printf("  30 days: %d signals, %d bars, %lld alarms started, %lld ms in alarm in all: %.0f ms; sqlite3 tool "
                "in SQL alone %.0f ms (x%.2f), %lld alarms, %lld ms in alarm (%s)\n",
                int(report.Signals().size()), report.BarCount(), alarms, total, best, toolMs, best / toolMs, toolAlarms,
                toolTotal, toolAlarms == alarms && std::llabs(toolTotal - total) < 1000 ? "same" : "DIFFER");

    // The last day of the 100-day log: the alarms still running when it began are found by their end, not by
    // walking the rows that started earlier. Without the end's index it is that walk, as it was before the index.
    const QDateTime dayFrom = to.addDays(-1);
    const double dayMs = timeBuild(dayFrom, 3);
    QSqlQuery index(database.Connection());
    index.exec(QStringLiteral("DROP INDEX alarm2_end_time"));
    const double dayWalkMs = timeBuild(dayFrom, 3);
    index.exec(QStringLiteral("CREATE INDEX alarm2_end_time ON alarm2 (end_time)"));
    std::printf("  24 hours: %d signals: %.1f ms; without the end-time index %.1f ms\n", int(report.Signals().size()),
                dayMs, dayWalkMs);
    report.Build(database, from, to, QString(), now);

    int viewBars = 0;
    const double viewPaint = TimeOneView(report, viewBars);
    const double allLanesPaint = TimeAllLanes(report);
    std::printf("  timeline: one 1600x1600 view of the 30 days, %d bars: %.1f ms; all %d lanes, %d bars, a 1600x900 "
                "screen at a time: %.1f ms\n",
                viewBars, viewPaint, int(report.Signals().size()), report.BarCount(), allLanesPaint);
    TimeWindow(path, from, to, manager);
    std::printf("summary: timeline %d bars in %.1f ms (target <= 200); 30-day figures %.0f ms, sqlite3 tool %.0f ms; "
                "24-hour figures %.1f ms (target <= 200, without the end-time index %.1f ms)\n",
                viewBars, viewPaint, best, toolMs, dayMs, dayWalkMs);
    manager.Close();
    SetAppDirOverride(QString());
}
