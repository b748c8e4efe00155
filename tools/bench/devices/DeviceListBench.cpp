// Setting up a facility: Find Devices over a /22 of simulated probes, and a 1,000-device list through CSV.
//   discovery  127.20.0.0/22 (1,019 addresses, the three .255 ones left out) on two probe-sim processes, every
//              fourth probe answering and the others taking requests without answering; until every address is
//              answered or given up. Beside it, the one-address-at-a-time arithmetic.
//   csv        1,000 devices of 18 ports written as CSV and read back with every line checked, beside loading the
//              same devices from device_config.xml as the station does at every start.
// Run by hand: build/bin/device-list-bench
#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "TempAppDir.h"
#include "app/AppPaths.h"
#include "app/LocalTimeZone.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/DeviceListCsv.h"
#include "config/DevicePorts.h"
#include "config/PortConfigNode.h"
#include "snmp/AddressRanges.h"
#include "snmp/DeviceDiscoveryThread.h"
#include "snmp/NetSnmpLibrary.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

namespace {

void DropDebugOutput(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int Discovery()
{
    QStringList addresses;
    QString error;
    AddressRanges::Parse(QStringLiteral("127.20.0.0/22"), addresses, error);
    const quint16 port = FreeUdpPort(addresses.first());
    qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(port));
    NetSnmpLibrary::Init();
    // A simulator plays at most 1,000 probes; two halves of the network.
    ProbeSimProcess low;
    ProbeSimProcess high;
    const QStringList options{QStringLiteral("-n"), QStringLiteral("Probe-sim %a")};
    if (!low.Start({"127.20.0.1-254", "127.20.1.0-254"}, port, false, options) ||
        !high.Start({"127.20.2.0-254", "127.20.3.0-254"}, port, false, options)) {
        std::fprintf(stderr, "%s %s\n", qPrintable(low.ErrorString()), qPrintable(high.ErrorString()));
        return 1;
    }
    int live = 0;
    QString lowSilent;
    QString highSilent;
    for (int i = 0; i < addresses.size(); ++i) {
        if (i % 4 == 0) {
            ++live;
            continue;
        }
        (addresses[i].startsWith(QLatin1String("127.20.0.")) || addresses[i].startsWith(QLatin1String("127.20.1."))
             ? lowSilent
             : highSilent) += addresses[i] + QStringLiteral(" silent\n");
    }
    low.Send(lowSilent);
    high.Send(highSilent);
    if (!low.Sync(20000) || !high.Sync(20000)) {
        std::fprintf(stderr, "probe-sim does not answer\n");
        return 1;
    }

    DeviceDiscoveryThread search(addresses);
    int found = 0;
    QObject::connect(&search, &DeviceDiscoveryThread::Found, [&found] { ++found; });
    QElapsedTimer clock;
    clock.start();
    search.start();
    const QDeadlineTimer deadline(DeviceDiscoveryThread::MaxRunMs + 5000);
    while (!search.isFinished() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    const double seconds = clock.elapsed() / 1000.0;
    // Alone, a silent address costs its two tries of 1 s; an answering one next to nothing.
    const double serial = (addresses.size() - live) * (DeviceDiscoveryThread::Retries + 1.0);
    std::printf("discovery of 127.20.0.0/22: %d addresses, %d probes answering, %d silent\n", int(addresses.size()),
                live, int(addresses.size()) - live);
    std::printf("  side by side (%d in flight, %d new a second): %.2f s, %d probes found\n",
                DeviceDiscoveryThread::MaxInFlight, DeviceDiscoveryThread::MaxPerSecond, seconds, found);
    std::printf("  one address at a time (arithmetic):            %.0f s\n", serial);
    return found == live ? 0 : 1;
}

double Milliseconds(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}

int Csv()
{
    TempAppDir appDir;
    DeviceConfigFile config;
    for (int n = 0; n < 1000; ++n) {
        DeviceConfigNode device =
            DevicePorts::NewDevice(QStringLiteral("10.%1.%2.%3").arg(n / 250 + 1).arg(n % 250).arg(n % 200 + 1),
                                   QStringLiteral("演播室 %1").arg(n));
        PortConfigNode port;
        for (int i = 0; i < 16; ++i) {
            port.SetSignalName(QStringLiteral("CAM %1, studio %2").arg(i + 1).arg(n));
            port.SetTrackMask(i % 2 ? 0xFF : 0x3);
            device.SetBncPort(i, port);
        }
        config.AddDevice(device);
    }
    const QString csvPath = appDir.filePath(QStringLiteral("devices.csv"));
    QString error;
    QElapsedTimer clock;
    clock.start();
    if (!DeviceListCsv::WriteFile(csvPath, config, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double exportMs = Milliseconds(clock);

    clock.restart();
    DeviceListCsv reader;
    DeviceConfigFile imported;
    if (!reader.ReadFile(csvPath, imported)) {
        std::fprintf(stderr, "%s\n", qPrintable(reader.ErrorReport()));
        return 1;
    }
    const double importMs = Milliseconds(clock);
    clock.restart();
    imported.Save(GetDeviceConfigPath());
    const double saveMs = Milliseconds(clock);

    clock.restart();
    DeviceConfigFile loaded;
    loaded.Load(GetDeviceConfigPath());
    const double loadMs = Milliseconds(clock);
    std::printf("1,000 devices, 18,000 rows (%lld kB of CSV)\n", QFileInfo(csvPath).size() / 1024);
    std::printf("  export CSV %8.1f ms\n  import CSV %8.1f ms (every line checked), then device_config.xml written "
                "in %.1f ms\n",
                exportMs, importMs, saveMs);
    std::printf("  baseline: device_config.xml of the same devices loaded %.1f ms\n", loadMs);
    return loaded.Devices().size() == 1000 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // As the station does first thing: times of day are read without a look at the time zone file each.
    PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(DropDebugOutput);
    if (qEnvironmentVariableIsEmpty("VZ_BUILD_DIR"))
        qputenv("VZ_BUILD_DIR", QDir(app.applicationDirPath() + QStringLiteral("/..")).absolutePath().toLocal8Bit());
    const int csv = Csv();
    return Discovery() || csv;
}
