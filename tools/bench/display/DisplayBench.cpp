// display-bench [devices] [network] [--xvfb]: a facility storm through the real main alarm display. 200 devices
// unless told, 128 silence starts each (16 BNC ports x 8 tracks, interleaved across the devices as a router failure
// reports them), "Acknowledge All" on them, a shelf on all of them and its end, then their ends, handed over through
// DealAlarm from a thread of their own as the alarm handler does. The window's tray icon and desktop notifier take
// part, as in the station. Reports the drain rate, the event loop's longest stall and 99th percentile (lateness of a
// 10 ms timer, as a window manager's ping would see it), memory, and as the floor the time to insert the same rows
// into bare QTableWidgets.
// With "network" the storm comes as traps instead, from one loopback address per device, through the trap listener
// and the alarm handler into the display, the speech queue and the alarm log, as in the station.
// Run offscreen (QT_QPA_PLATFORM=offscreen), on a display, or with --xvfb on an Xvfb of its own at 1600x1000, where
// what only a real X server does (window attention, tray, tooltips) costs what it costs.
#include "AlarmRecords.h"
#include "FreeUdpPort.h"
#include "StationFiles.h"
#include "TempAppDir.h"
#include "TrapTraffic.h"
#include "alarm/AlarmHandler.h"
#include "alarm/AlarmRecord.h"
#include "alarm/ShowAlarmManager.h"
#include "alarm/SoundAlarmManager.h"
#include "app/AppPaths.h"
#include "app/DesktopNotifier.h"
#include "app/HeapTrimmer.h"
#include "app/LocalTimeZone.h"
#include "app/StationTrayIcon.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "log/LogManager.h"
#include "snmp/SnmpServer.h"
#include "views/AlarmHandlingController.h"
#include "views/DeviceAlarmListForm.h"
#include "views/MainAlarmDisplayWidget.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <vector>

namespace {
constexpr int Ports = TrapTraffic::StormPorts;
constexpr int Tracks = TrapTraffic::StormTracks;
int Devices = 200;
int Records = Devices * Ports * Tracks;

QString Ip(int device)
{
    return TrapTraffic::StormAddress(device);
}

// Heap bytes in use: what the process holds on to, which the resident size does not show once the allocator keeps
// freed pages for later.
double HeapInUseMiB()
{
    return mallinfo2().uordblks / 1048576.0;
}

long MemoryKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ').first().toLong();
    }
    return -1;
}

QList<AlarmRecord> Storm(int level)
{
    QList<AlarmRecord> records;
    records.reserve(Records);
    const QDateTime now = QDateTime::currentDateTime();
    for (int port = 1; port <= Ports; ++port) {
        for (int track = 1; track <= Tracks; ++track) {
            for (int device = 0; device < Devices; ++device) {
                AlarmRecord record;
                record.Init(Ip(device));
                record.time = now;
                record.deviceName = QStringLiteral("Probe %1").arg(device);
                record.signalName = QStringLiteral("CAM %1").arg(port);
                record.portType = PortTypeBnc;
                record.portID = port;
                record.trackID = track;
                record.alarmType = AlarmTypeSilence;
                record.level = level;
                records.append(record);
            }
        }
    }
    return records;
}

// The end of a phase: a connection alarm of a device that has no tile lands in the all-device system table.
AlarmRecord Sentinel(int phase)
{
    AlarmRecord record;
    record.Init(QStringLiteral("10.9.9.%1").arg(phase));
    record.alarmType = AlarmTypeConnection;
    record.level = LevelError;
    return record;
}

struct Phase
{
    double seconds = 0;
    qint64 longestStallMs = 0;
    qint64 p99StallMs = 0;
};

// Starts an Xvfb of 1600x1000 on a free display with a window manager (openbox) and points Qt's xcb platform at
// it. A small window of another process then takes the focus, as the operator's other work does while a storm
// comes in. All stop when it goes.
class OwnXvfb
{
public:
    ~OwnXvfb()
    {
        for (QProcess* process : {&m_focusThief, &m_windowManager, &m_server}) {
            process->terminate();
            process->waitForFinished(3000);
        }
    }

    bool Start(const QString& program)
    {
        m_server.setProgram(QStringLiteral("Xvfb"));
        m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                               QStringLiteral("0"), QStringLiteral("1600x1000x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        m_server.start();
        if (!m_server.waitForReadyRead(10000))
            return false;
        const QByteArray display = m_server.readLine().trimmed();
        qputenv("DISPLAY", ":" + display);
        qputenv("QT_QPA_PLATFORM", "xcb");
        m_windowManager.start(QStringLiteral("openbox"), QStringList());
        m_windowManager.waitForStarted(5000);
        QThread::msleep(500);
        m_focusThief.setProgram(program);
        m_focusThief.setArguments({QStringLiteral("--focus-thief")});
        return !display.isEmpty();
    }

    // Once the bench's window is up.
    void StealFocus()
    {
        m_focusThief.start();
        m_focusThief.waitForReadyRead(10000);
    }

private:
    QProcess m_server;
    QProcess m_windowManager;
    QProcess m_focusThief;
};

// The other process's window: shown and activated, then it waits to be ended.
int RunFocusThief(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("elsewhere"));
    window.setGeometry(1400, 900, 160, 60);
    window.show();
    window.activateWindow();
    QTimer::singleShot(300, [] {
        std::printf("focused\n");
        std::fflush(stdout);
    });
    return app.exec();
}

// Starts the work and runs the event loop until done() holds, measuring the time and the event loop's longest stall
// (the lateness of a 10 ms timer).
Phase Measure(const std::function<void()>& start, const std::function<bool()>& done)
{
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    Phase result;
    QTimer tick;
    tick.setInterval(10);
    tick.setTimerType(Qt::PreciseTimer);
    QEventLoop loop;
    std::vector<qint64> stalls;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        stalls.push_back(qMax<qint64>(0, sinceTick.elapsed() - 10));
        sinceTick.restart();
        if (done())
            loop.quit();
    });
    clock.start();
    sinceTick.start();
    tick.start();
    start();
    loop.exec();
    result.seconds = clock.elapsed() / 1000.0;
    std::sort(stalls.begin(), stalls.end());
    result.longestStallMs = stalls.empty() ? 0 : stalls.back();
    result.p99StallMs = stalls.empty() ? 0 : stalls[stalls.size() * 99 / 100];
    return result;
}

// Feeds the records from a thread of their own and runs the event loop until the display has applied them.
Phase Run(MainAlarmDisplayWidget& display, const QList<AlarmRecord>& records, int phase)
{
    const AlarmRecord sentinel = Sentinel(phase);
    const QAbstractItemModel* systemTable = display.AllDeviceForm()->SystemAlarmTable()->model();
    std::unique_ptr<QThread> feeder(QThread::create([&] {
        for (const AlarmRecord& record : records)
            display.DealAlarm(&record);
        display.DealAlarm(&sentinel);
    }));
    const Phase result = Measure([&] { feeder->start(); }, [&] { return systemTable->rowCount() == phase; });
    feeder->wait();
    return result;
}

// The same rows put into bare tables: every start a row at the top of the current table, every end a row at the
// top of a history trimmed to 400.
double Floor(const QList<AlarmRecord>& starts, const QList<AlarmRecord>& ends)
{
    QTableWidget current(0, 8);
    QTableWidget history(0, 9);
    current.show();
    history.show();
    QElapsedTimer clock;
    clock.start();
    for (const AlarmRecord& record : starts) {
        current.insertRow(0);
        const QString texts[] = {record.time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                 record.deviceName,
                                 record.ip,
                                 record.signalName,
                                 PortDisplayName(record.portType, record.portID),
                                 AlarmTypeWord(record.alarmType),
                                 QStringLiteral("\u221A"),
                                 QStringLiteral("CH1")};
        for (int column = 0; column < 8; ++column)
            current.setItem(0, column, new QTableWidgetItem(texts[column]));
    }
    for (const AlarmRecord& record : ends) {
        history.insertRow(0);
        for (int column = 0; column < 9; ++column)
            history.setItem(0, column, new QTableWidgetItem(record.ip));
        if (history.rowCount() > 400)
            history.setRowCount(400);
    }
    QCoreApplication::processEvents();
    return clock.elapsed() / 1000.0;
}
// Speaks in no time, so that the speech thread keeps choosing what to say and collapses a flood as it would aloud.
class SilentVoice : public SpeechVoice
{
public:
    void Say(const QString&, const QString&) override {}
    void Stop() override {}
};

// The storm as traps over loopback through the station's road: trap listener, alarm handler, then the display, the
// speech queue and the alarm log. Each half is sent back to back from a thread of its own while the event loop runs.
int NetworkStorm(MainAlarmDisplayWidget& display, SoundAlarmManager& speech, const DeviceConfigFile& config)
{
    TempAppDir appDir;
    LogManager log;
    // As Start Monitoring does: the log records the run, and keeps its sign of life while nothing happens.
    log.BeginRun();
    HeapTrimmer heapTrimmer;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler;
    handler.SetShowAlarmManager(&router);
    handler.SetSoundAlarmManager(&speech);
    handler.SetLogManager(&log);
    handler.SetDeviceConfig(config);
    SnmpServer server;
    server.SetAlarmHandler(&handler);
    const quint16 port = FreeUdpPort();
    if (!server.Start(QStringLiteral("127.0.0.1"), port)) {
        std::fprintf(stderr, "station: %s\n", qPrintable(server.ErrorString()));
        return 1;
    }
    QStringList addresses;
    for (int device = 0; device < Devices; ++device)
        addresses << Ip(device);
    const TrapTraffic::Senders senders(addresses);
    long applied = 0;
    QObject::connect(&display, &MainAlarmDisplayWidget::Signal_AlarmApplied, [&applied] { ++applied; });
    QCoreApplication::processEvents();
    const long beforeRss = MemoryKb("VmRSS:");

    std::printf("display-bench, network: %d devices, %d silence starts then their ends as traps, platform %s\n",
                Devices, Records, qPrintable(QGuiApplication::platformName()));
    std::printf("%-7s %9s %12s %14s %14s %12s %12s %10s\n", "half", "send/s", "on screen", "settled after",
                "longest stall", "log rows", "rows after", "speech");
    const char* halves[] = {"starts", "ends"};
    const char* severities[] = {"2", "0"};
    long halfRss[2] = {0, 0};
    for (int half = 0; half < 2; ++half) {
        const QList<QByteArray> packets = TrapTraffic::Silences(severities[half]);
        const long before = applied;
        QElapsedTimer clock;
        std::atomic<qint64> sentAtMs{-1};
        double sendSeconds = 0;
        std::unique_ptr<QThread> sender(QThread::create([&] {
            sendSeconds = TrapTraffic::Send(packets, port, Records, 0, senders);
            sentAtMs = clock.elapsed();
        }));
        clock.start();
        const Phase phase = Measure(
            [&] { sender->start(); },
            [&] {
                // Bounded: a station that lost traps never shows them all.
                return sentAtMs >= 0 &&
                       ((applied - before >= Records && display.ArrivedCount() == 0 && handler.QueueLength() == 0) ||
                        clock.elapsed() - sentAtMs > 60000);
            });
        const qint64 settledMs = clock.elapsed() - sentAtMs;
        sender->wait();
        // The log's rows: the starts' rows, then the ends written into them.
        auto logged = [&log, half] { return half == 0 ? log.RowsWrittenCount() : log.RowEndsWrittenCount(); };
        while (logged() < quint64(Records) && clock.elapsed() - sentAtMs < 60000) {
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
        const qint64 loggedMs = clock.elapsed() - sentAtMs;
        halfRss[half] = MemoryKb("VmRSS:");
        std::printf("%-7s %9.0f %12ld %11.2f s %11lld ms %12llu %9.2f s %10d\n", halves[half], Records / sendSeconds,
                    applied - before, settledMs / 1000.0, phase.longestStallMs,
                    static_cast<unsigned long long>(logged()), loggedMs / 1000.0, speech.QueueLength());
        std::fflush(stdout);
    }
    const QString database = GetLogDatabasePath();
    std::printf("alarm.db: %s rows, %s with their end time\n",
                qPrintable(QueryValue(database, "select count(*) from alarm2").toString()),
                qPrintable(QueryValue(database, "select count(*) from alarm2 where end_time is not null").toString()));
    std::printf("memory (RSS, MiB): before the storm %.1f, after the starts %.1f, after the ends %.1f (%+.0f %%), "
                "peak %.1f\n",
                beforeRss / 1024.0, halfRss[0] / 1024.0, halfRss[1] / 1024.0,
                100.0 * (halfRss[1] - beforeRss) / beforeRss, MemoryKb("VmHWM:") / 1024.0);
    // What the storm used goes back once the log has been idle for a while and the heaps are trimmed.
    QElapsedTimer sinceEnds;
    sinceEnds.start();
    while (MemoryKb("VmRSS:") > beforeRss * 11 / 10 && sinceEnds.elapsed() < 60000) {
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
    const long backRss = MemoryKb("VmRSS:");
    std::printf("memory back to %.1f MiB (%+.0f %%) %.0f s after the ends were in\n", backRss / 1024.0,
                100.0 * (backRss - beforeRss) / beforeRss, sinceEnds.elapsed() / 1000.0);
    server.Stop();
    handler.SetLogManager(nullptr);
    display.SetSoundAlarmManager(nullptr);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    // As the station does at start-up.
    PinLocalTimeZone();
    if (argc > 1 && qstrcmp(argv[1], "--focus-thief") == 0)
        return RunFocusThief(argc, argv);
    OwnXvfb xvfb;
    const bool ownXvfb =
        std::any_of(argv + 1, argv + argc, [](const char* arg) { return qstrcmp(arg, "--xvfb") == 0; });
    if (ownXvfb && !xvfb.Start(QString::fromLocal8Bit(argv[0]))) {
        std::printf("display-bench: Xvfb did not start\n");
        return 1;
    }
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    for (const QString& argument : arguments.mid(1)) {
        if (argument.toInt() > 0)
            Devices = argument.toInt();
    }
    Records = Devices * Ports * Tracks;
    const bool network = arguments.contains(QStringLiteral("network"));
    const long startRss = MemoryKb("VmRSS:");
    const double startHeap = HeapInUseMiB();

    SoundAlarmManager speech(
        [network]() -> std::unique_ptr<SpeechVoice> {
            if (network)
                return std::make_unique<SilentVoice>();
            return std::make_unique<HeldVoice>();
        },
        true);
    MainAlarmDisplayWidget display;
    DeviceConfigFile config;
    TrapTraffic::AddStormProbes(config, Devices);
    display.SetSoundAlarmManager(&speech);
    display.SetMaxHistory(400);
    display.SetDeviceConfig(config);
    for (const DeviceConfigNode* device : config.Devices())
        display.AddDevice(device->ip(), device->dev_name());
    display.resize(1600, 900);
    display.show();
    // As the station's window has them: a tray icon following the alarms once a second, and the notifier, here
    // without a session bus.
    StationTrayIcon tray(&display, {});
    QTimer trayTimer;
    QObject::connect(&trayTimer, &QTimer::timeout, [&] {
        AlarmSummary summary = display.Summary();
        summary.unacknowledged = display.Handling()->UnacknowledgedCount();
        tray.ShowState(true, summary);
    });
    trayTimer.start(1000);
    DesktopNotifier notifier(&display, QDBusConnection(QStringLiteral("none")));
    QObject::connect(&display, &MainAlarmDisplayWidget::Signal_AlarmApplied, &notifier,
                     &DesktopNotifier::OnAlarmApplied);
    QCoreApplication::processEvents();
    if (ownXvfb) {
        xvfb.StealFocus();
        QElapsedTimer waited;
        waited.start();
        while (QApplication::activeWindow() && waited.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    const bool active = QApplication::activeWindow() != nullptr;
    display.SetMonitoring(true);
    if (network)
        return NetworkStorm(display, speech, config);
    const QList<AlarmRecord> starts = Storm(LevelError);
    const QList<AlarmRecord> ends = Storm(LevelNormal);
    const long readyRss = MemoryKb("VmRSS:");
    const double readyHeap = HeapInUseMiB();

    const Phase raised = Run(display, starts, 1);
    const long stormRss = MemoryKb("VmRSS:");
    const double stormHeap = HeapInUseMiB();

    // Acknowledge All on the storm, its acknowledgements written to a log of its own.
    TempAppDir appDir;
    LogManager log;
    AlarmHandlingController* handling = display.Handling();
    DialogPrompts prompts;
    prompts.confirm = [](QWidget*, const QString&, const QString&) { return true; };
    handling->SetPrompts(prompts);
    handling->SetHandlingLog(&log);
    bool acknowledged = false;
    QObject::connect(handling, &AlarmHandlingController::Sig_AcknowledgeAllDone, [&] { acknowledged = true; });
    const int unacknowledgedBefore = handling->UnacknowledgedCount();
    const Phase acknowledgedAll = Measure([&] { handling->AcknowledgeAll(); }, [&] { return acknowledged; });
    QElapsedTimer written;
    written.start();
    log.Flush();
    const double writtenSeconds = acknowledgedAll.seconds + written.elapsed() / 1000.0;
    const QString ackRows = QueryValue(GetLogDatabasePath(), "select count(*) from alarm_ack").toString();
    const int unacknowledgedAfter = handling->UnacknowledgedCount();

    // A shelf of an hour on every row of the storm, then its end.
    QStringList keys;
    for (const AlarmRecord& record : starts) {
        if (record.trackID == 1)
            keys.append(AlarmViewKey(record));
    }
    prompts.runDialog = [](QDialog&) { return int(QDialog::Accepted); };
    handling->SetPrompts(prompts);
    bool shelfRoundsDone = false;
    QObject::connect(handling, &AlarmHandlingController::Sig_ShelfRoundsDone, [&] { shelfRoundsDone = true; });
    const QAbstractItemModel* signalTable = display.AllDeviceForm()->SignalAlarmTable()->model();
    const int rowsBefore = signalTable->rowCount();
    const Phase shelved = Measure([&] { handling->Shelve(keys, 60); }, [&] { return shelfRoundsDone; });
    display.AllDeviceForm()->Publish();
    const int rowsShelved = signalTable->rowCount();
    shelfRoundsDone = false;
    handling->SetSteadyClock([] { return QDeadlineTimer::current().deadline() + 7200000; });
    const Phase expired = Measure([] {}, [&] { return shelfRoundsDone; });
    display.AllDeviceForm()->Publish();
    const int rowsBack = signalTable->rowCount();

    const Phase cleared = Run(display, ends, 2);
    const double displaySeconds = raised.seconds + cleared.seconds;

    display.ClearAlarms();
    QCoreApplication::processEvents();
    const long clearedRss = MemoryKb("VmRSS:");
    const double clearedHeap = HeapInUseMiB();
    const double floorSeconds = Floor(starts, ends);

    std::printf("display-bench: %d devices, %d silence starts then %d ends, platform %s, window %s\n", Devices, Records,
                Records, qPrintable(QGuiApplication::platformName()), active ? "active" : "not active");
    std::printf("%-28s %12s %12s %14s %10s\n", "phase", "seconds", "alarms/s", "longest stall", "p99");
    std::printf("%-28s %12.3f %12.0f %11lld ms %7lld ms\n", "starts", raised.seconds, Records / raised.seconds,
                raised.longestStallMs, raised.p99StallMs);
    std::printf("%-28s %12.3f %12.0f %11lld ms %7lld ms   (unacknowledged %d -> %d)\n", "Acknowledge All",
                acknowledgedAll.seconds, Records / acknowledgedAll.seconds, acknowledgedAll.longestStallMs,
                acknowledgedAll.p99StallMs, unacknowledgedBefore, unacknowledgedAfter);
    std::printf("%-28s %12.3f %12.0f   (%s rows in alarm_ack)\n", "  ... and in the log file", writtenSeconds,
                Records / writtenSeconds, qPrintable(ackRows));
    std::printf("%-28s %12.3f %12.0f %11lld ms %7lld ms   (%d keys, rows %d -> %d)\n", "Shelve", shelved.seconds,
                Records / shelved.seconds, shelved.longestStallMs, shelved.p99StallMs, int(keys.size()), rowsBefore,
                rowsShelved);
    std::printf("%-28s %12.3f %12.0f %11lld ms %7lld ms   (rows back %d)\n", "shelf runs out", expired.seconds,
                Records / expired.seconds, expired.longestStallMs, expired.p99StallMs, rowsBack);
    std::printf("%-28s %12.3f %12.0f %11lld ms %7lld ms\n", "ends", cleared.seconds, Records / cleared.seconds,
                cleared.longestStallMs, cleared.p99StallMs);
    std::printf("%-28s %12.3f %12.0f\n", "display, both phases", displaySeconds, 2 * Records / displaySeconds);
    std::printf("%-28s %12.3f %12.0f   (display / floor = %.2f)\n", "floor: bare QTableWidgets", floorSeconds,
                2 * Records / floorSeconds, displaySeconds / floorSeconds);
    std::printf(
        "memory (RSS, MiB): start %.1f, devices and storm ready %.1f, after the starts %.1f, after ClearAlarms %.1f, "
        "peak %.1f\n",
        startRss / 1024.0, readyRss / 1024.0, stormRss / 1024.0, clearedRss / 1024.0, MemoryKb("VmHWM:") / 1024.0);
    std::printf(
        "heap in use (MiB): start %.1f, devices and storm ready %.1f, after the starts %.1f, after ClearAlarms %.1f\n",
        startHeap, readyHeap, stormHeap, clearedHeap);
    display.SetSoundAlarmManager(nullptr);
    return 0;
}
