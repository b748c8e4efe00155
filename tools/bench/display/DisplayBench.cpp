// display-bench: a facility storm through the real main alarm display. 200 devices, 25,600 silence starts
// (16 BNC ports x 8 tracks each, interleaved across the devices as a router failure reports them), "Acknowledge
// All" on them, then the 25,600 ends, handed over through DealAlarm from a thread of their own as the alarm handler
// does. Reports the drain rate,
// the event loop's longest stall (lateness of a 10 ms timer), memory, and as the floor the time to insert the same
// rows into bare QTableWidgets. Run offscreen (QT_QPA_PLATFORM=offscreen) or on a display.
#include "AlarmRecords.h"
#include "StationFiles.h"
#include "TempAppDir.h"
#include "alarm/AlarmRecord.h"
#include "alarm/SoundAlarmManager.h"
#include "app/AppPaths.h"
#include "app/LocalTimeZone.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "log/LogManager.h"
#include "views/AlarmHandlingController.h"
#include "views/DeviceAlarmListForm.h"
#include "views/MainAlarmDisplayWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <malloc.h>

namespace
{
constexpr int Devices = 200;
constexpr int Ports = 16;
constexpr int Tracks = 8;
constexpr int Records = Devices * Ports * Tracks;

QString Ip(int device)
{
    return QStringLiteral("10.1.%1.%2").arg(device / 250).arg(1 + device % 250);
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
};

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
    QObject::connect(&tick, &QTimer::timeout, [&] {
        result.longestStallMs = qMax(result.longestStallMs, sinceTick.elapsed() - 10);
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
    return result;
}

// Feeds the records from a thread of their own and runs the event loop until the display has applied them.
Phase Run(MainAlarmDisplayWidget& display, const QList<AlarmRecord>& records, int phase)
{
    const AlarmRecord sentinel = Sentinel(phase);
    QTableWidget* systemTable = display.AllDeviceForm()->SystemAlarmTable();
    std::unique_ptr<QThread> feeder(QThread::create([&] {
        for (const AlarmRecord& record : records)
            display.DealAlarm(&record);
        display.DealAlarm(&sentinel);
    }));
    const Phase result =
        Measure([&] { feeder->start(); }, [&] { return systemTable->rowCount() == phase; });
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
        const QString texts[] = {record.time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), record.deviceName,
                                 record.ip, record.signalName, PortDisplayName(record.portType, record.portID),
                                 AlarmTypeWord(record.alarmType), QStringLiteral("\u221A"), QStringLiteral("CH1")};
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
} // namespace

int main(int argc, char** argv)
{
    // As the station does at start-up.
    PinLocalTimeZone();
    QApplication app(argc, argv);
    const long startRss = MemoryKb("VmRSS:");
    const double startHeap = HeapInUseMiB();

    SoundAlarmManager speech([] { return std::make_unique<HeldVoice>(); }, true);
    MainAlarmDisplayWidget display;
    DeviceConfigFile config;
    for (int device = 0; device < Devices; ++device) {
        DeviceConfigNode node(Ip(device), QStringLiteral("Probe %1").arg(device));
        PortConfigNode port;
        for (int i = 0; i < Ports; ++i) {
            port.SetSignalName(QStringLiteral("CAM %1").arg(i + 1));
            node.SetBncPort(i, port);
        }
        config.AddDevice(node);
    }
    display.SetSoundAlarmManager(&speech);
    display.SetMaxHistory(400);
    display.SetDeviceConfig(config);
    for (const DeviceConfigNode* device : config.Devices())
        display.AddDevice(device->ip(), device->dev_name());
    display.resize(1600, 900);
    display.show();
    QCoreApplication::processEvents();
    display.SetMonitoring(true);
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
    const Phase cleared = Run(display, ends, 2);
    const double displaySeconds = raised.seconds + cleared.seconds;

    display.ClearAlarms();
    QCoreApplication::processEvents();
    const long clearedRss = MemoryKb("VmRSS:");
    const double clearedHeap = HeapInUseMiB();
    const double floorSeconds = Floor(starts, ends);

    std::printf("display-bench: %d devices, %d silence starts then %d ends, platform %s\n", Devices, Records, Records,
                qPrintable(QGuiApplication::platformName()));
    std::printf("%-28s %12s %12s %14s\n", "phase", "seconds", "alarms/s", "longest stall");
    std::printf("%-28s %12.3f %12.0f %11lld ms\n", "starts", raised.seconds, Records / raised.seconds,
                raised.longestStallMs);
    std::printf("%-28s %12.3f %12.0f %11lld ms   (unacknowledged %d -> %d)\n", "Acknowledge All",
                acknowledgedAll.seconds, Records / acknowledgedAll.seconds, acknowledgedAll.longestStallMs,
                unacknowledgedBefore, unacknowledgedAfter);
    std::printf("%-28s %12.3f %12.0f   (%s rows in alarm_ack)\n", "  ... and in the log file", writtenSeconds,
                Records / writtenSeconds, qPrintable(ackRows));
    std::printf("%-28s %12.3f %12.0f %11lld ms\n", "ends", cleared.seconds, Records / cleared.seconds,
                cleared.longestStallMs);
    std::printf("%-28s %12.3f %12.0f\n", "display, both phases", displaySeconds, 2 * Records / displaySeconds);
    std::printf("%-28s %12.3f %12.0f   (display / floor = %.2f)\n", "floor: bare QTableWidgets", floorSeconds,
                2 * Records / floorSeconds, displaySeconds / floorSeconds);
    std::printf("memory (RSS, MiB): start %.1f, devices and storm ready %.1f, after the starts %.1f, after ClearAlarms %.1f, "
                "peak %.1f\n",
                startRss / 1024.0, readyRss / 1024.0, stormRss / 1024.0, clearedRss / 1024.0,
                MemoryKb("VmHWM:") / 1024.0);
    std::printf("heap in use (MiB): start %.1f, devices and storm ready %.1f, after the starts %.1f, after ClearAlarms %.1f\n",
                startHeap, readyHeap, stormHeap, clearedHeap);
    display.SetSoundAlarmManager(nullptr);
    return 0;
}
