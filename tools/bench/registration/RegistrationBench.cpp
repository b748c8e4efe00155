// Time from the start of monitoring until the state records of 50 simulated probes, each with a few active
// conditions, have all reached the alarm handler's display; run by hand: build/bin/registration-bench [probes].
#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "RecordingDisplay.h"
#include "alarm/AlarmHandler.h"
#include "alarm/ShowAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "snmp/ConnectDeviceThread.h"
#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

namespace {

// The conditions every probe has active when monitoring starts: one record each.
const QStringList Conditions = {QStringLiteral("raise lost bnc:5"), QStringLiteral("raise black bnc:9 1"),
                                QStringLiteral("raise silence bnc:2:3 1"), QStringLiteral("raise overload aes:7")};

void DropDebugOutput(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Every port monitored for every alarm type and track, all day.
DeviceConfigFile ConfigFor(const QStringList& addresses)
{
    PortConfigNode port;
    port.SetTrackMask(0xFFFFFFFF);
    port.SetTimeRange1(QTime(0, 0), QTime(23, 59, 59, 999));
    DeviceConfigFile config;
    for (const QString& ip : addresses) {
        DeviceConfigNode device(ip, ip);
        for (int i = 0; i < 16; ++i)
            device.SetBncPort(i, port);
        device.SetAnalogPort(0, port);
        device.SetAesPort(0, port);
        config.AddDevice(device);
    }
    return config;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int probes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50;
    if (probes < 1 || probes > 200) {
        std::fprintf(stderr, "usage: registration-bench [probes, 1 to 200]\n");
        return 2;
    }
    qInstallMessageHandler(DropDebugOutput);
    if (qEnvironmentVariableIsEmpty("VZ_BUILD_DIR"))
        qputenv("VZ_BUILD_DIR", QDir(app.applicationDirPath() + QStringLiteral("/..")).absolutePath().toLocal8Bit());

    QStringList addresses;
    for (int n = 0; n < probes; ++n)
        addresses.append(QStringLiteral("127.0.4.%1").arg(10 + n));
    const quint16 devicePort = FreeUdpPort(addresses.first());
    qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(devicePort));
    NetSnmpLibrary::Init();

    ProbeSimProcess sim;
    if (!sim.Start({QStringLiteral("127.0.4.10-%1").arg(10 + probes - 1)}, devicePort)) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.ErrorString()));
        return 1;
    }
    for (const QString& condition : Conditions)
        sim.Send(QStringLiteral("all ") + condition);
    if (!sim.Sync()) {
        std::fprintf(stderr, "probe-sim does not answer\n");
        return 1;
    }
    sim.ClearLines();

    RecordingDisplay display;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler;
    handler.SetShowAlarmManager(&router);
    handler.SetDeviceConfig(ConfigFor(addresses));
    SnmpServer server;
    server.SetAlarmHandler(&handler);
    ConnectDeviceThread registration(&server);

    const int expected = probes * Conditions.size();
    QElapsedTimer clock;
    clock.start();
    if (!server.Start(QStringLiteral("127.0.0.1"), FreeUdpPort())) {
        std::fprintf(stderr, "%s\n", qPrintable(server.ErrorString()));
        return 1;
    }
    for (const QString& ip : qAsConst(addresses))
        registration.AddIP(ip);
    // The simulator's report of each request must be read as it comes, or its output pipe fills and it stalls.
    const QDeadlineTimer deadline(120000);
    while (display.Count() < expected && !deadline.hasExpired()) {
        app.processEvents(QEventLoop::AllEvents, 5);
        sim.Lines();
    }
    const qint64 elapsed = clock.elapsed();
    const int received = display.Count();

    sim.Sync();
    const int sets = sim.LinesWith({QStringLiteral(" <- set ")}).size();
    const int gets = sim.LinesWith({QStringLiteral(" <- get ")}).size();
    registration.Stop();
    server.MarkStopping();
    server.Stop();

    std::printf("%d probes, %d active conditions each: %d of %d records in %lld ms\n", probes, int(Conditions.size()),
                received, expected, elapsed);
    std::printf("requests: %d SET + %d GET = %d (%.0f requests/s, %.2f ms per device)\n", sets, gets, sets + gets,
                (sets + gets) * 1000.0 / qMax<qint64>(1, elapsed), double(elapsed) / probes);
    return received == expected ? 0 : 1;
}
