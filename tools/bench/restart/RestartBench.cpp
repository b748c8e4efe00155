// Restart benchmark, run by hand: restart-bench [devices, 1 to 10000] (1,000 by default).
// A log of 200,000 finished rows, opened the way a station start opens it, twice: without open rows (the baseline),
// and as a killed station with that many devices, 16 alarms each, left it (one older duplicate per device too).
// Then every device's first state read arrives and settles its rows: half of them ended while the station was
// down. Measured: opening the log (the writer takes the open rows), settling every device, and the two together
// until the last end is in the file.
#include "alarm/AlarmRecord.h"
#include "alarm/DeviceStateRead.h"
#include "app/AppPaths.h"
#include "log/LogDatabase.h"
#include "log/LogManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int HistoryRows = 200000;
constexpr int AlarmsPerDevice = 16;

void DropDebugOutput(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

QString DeviceIp(int device)
{
    return QStringLiteral("10.%1.%2.1").arg(device / 250).arg(device % 250);
}

AlarmRecord Alarm(int device, int port, const QDateTime& time)
{
    AlarmRecord record;
    record.time = time;
    record.ip = DeviceIp(device);
    record.deviceName = QStringLiteral("Probe %1").arg(device);
    record.signalName = QStringLiteral("CAM %1").arg(port);
    record.portType = PortTypeBnc;
    record.portID = port;
    record.alarmType = AlarmTypeVideoLost;
    record.level = LevelError;
    return record;
}

bool Seed(const QString& path, int devices)
{
    LogDatabase database;
    if (!database.Open(path) || !database.BeginBatch())
        return false;
    const QDateTime start = QDateTime::currentDateTime().addDays(-20);
    for (int i = 0; i < HistoryRows; ++i) {
        const AlarmRecord row = Alarm(i % 997, 1 + i % 16, start.addMSecs(qint64(i) * 1000));
        if (!database.Insert(row) ||
            !database.UpdateEndTime(AlarmHelpKey(row), row.time.addSecs(5).toString(LogDatabase::TimeFormat)))
            return false;
    }
    const QDateTime killed = QDateTime::currentDateTime().addSecs(-3600);
    for (int device = 0; device < devices; ++device) {
        // A row an earlier restart left open, under the newer one.
        if (!database.Insert(Alarm(device, 1, killed.addSecs(-60))))
            return false;
        for (int port = 1; port <= AlarmsPerDevice; ++port) {
            if (!database.Insert(Alarm(device, port, killed)))
                return false;
        }
    }
    return database.CommitBatch();
}

struct Timing
{
    double openMs = 0;
    double settleMs = 0;
};

bool Measure(int devices, Timing& timing)
{
    QTemporaryDir dir;
    SetAppDirOverride(dir.path());
    QDir().mkpath(GetLogDir());
    if (!Seed(GetLogDatabasePath(), devices))
        return false;
    QElapsedTimer clock;
    clock.start();
    LogManager manager([](const QString& error) { std::fprintf(stderr, "%s\n", qPrintable(error)); });
    timing.openMs = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    const QDateTime now = QDateTime::currentDateTime();
    for (int device = 0; device < devices; ++device) {
        DeviceStateRead read{DeviceIp(device), now, now, {}, {}};
        for (int port = 1; port <= AlarmsPerDevice; ++port) {
            const QString key = AlarmIdentityKey(Alarm(device, port, now));
            read.asked.insert(key);
            if (port % 2 == 0)
                read.active.insert(key);
        }
        manager.Settle(read);
    }
    manager.Flush();
    timing.settleMs = double(clock.nsecsElapsed()) / 1e6;
    SetAppDirOverride(QString());
    return true;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(DropDebugOutput);
    const int devices = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    if (devices < 1 || devices > 10000) {
        std::fprintf(stderr, "usage: restart-bench [devices, 1 to 10000]\n");
        return 2;
    }
    Timing baseline;
    Timing restart;
    if (!Measure(0, baseline) || !Measure(devices, restart)) {
        std::fprintf(stderr, "the log could not be seeded\n");
        return 1;
    }
    std::printf("log of %d finished rows; %d devices x %d open rows (+1 older duplicate each), half ended while "
                "down\n",
                HistoryRows, devices, AlarmsPerDevice);
    std::printf("%-34s %12s %12s\n", "", "baseline ms", "restart ms");
    std::printf("%-34s %12.1f %12.1f\n", "open the log, take the open rows", baseline.openMs, restart.openMs);
    std::printf("%-34s %12.1f %12.1f\n", "settle every device, in the file", baseline.settleMs, restart.settleMs);
    const double added = restart.openMs + restart.settleMs - baseline.openMs - baseline.settleMs;
    std::printf("%-34s %12s %12.1f  (target: at most 1000)\n", "added to the start", "", added);
    return added <= 1000.0 ? 0 : 1;
}
