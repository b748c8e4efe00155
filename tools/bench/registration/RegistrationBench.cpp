// A facility on the probe simulator: probes on 127.17.x.y, every fourth one powered off (it takes requests and never
// answers). Measures, with the station's SNMP side wired as the main window wires it:
//   start     from Start Monitoring until every live probe is registered and read and every silent one reported lost;
//   partition a quarter of the live probes silenced at once, until all of them are reported lost;
//   return    those probes answering again, until all are reported found and read anew;
//   reading   the same quarter silenced and back again, now answering each request 50 ms late as a loaded probe
//             does, and at that moment another quarter silenced, until all of those are reported lost: a partition
//             noticed while the returned probes are being read anew;
// and the peak thread count and memory of the process. Beside them, the one-request-at-a-time figures worked out
// from this machine's round trip. Run by hand: build/bin/registration-bench [probes, 4 to 1000] (200 by default).
#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "RecordingDisplay.h"
#include "alarm/AlarmHandler.h"
#include "alarm/ShowAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "snmp/ConnectDeviceThread.h"
#include "snmp/DeviceObjects.h"
#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpConversations.h"
#include "snmp/SnmpServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>

#include <cstdio>
#include <functional>

namespace {

// Requests of one registration: the SET and the 188 GETs of the state read.
constexpr int RegistrationRequests = 189;
// What an unanswered request costs: 1 s for each of its tries.
constexpr double SilentSetSeconds = 4.0;
constexpr double SilentProbeSeconds = 3.0;

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

// A value of /proc/self/status, in its own unit (kB for memory).
long ProcStatus(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Seconds for the state read of one live probe done alone, one request after the other.
double SerialRegistrationSeconds(const QString& ip)
{
    SnmpConversations conversations(1);
    auto conversation = std::make_unique<DeviceConversation>(ip, 3);
    for (int i = 0; i < RegistrationRequests; ++i)
        conversation->Get({DeviceObjects::Presence()}, {});
    QElapsedTimer clock;
    clock.start();
    conversations.Add(std::move(conversation));
    while (!conversations.IsIdle())
        conversations.Poll(100);
    return clock.nsecsElapsed() / 1e9;
}

class Facility
{
public:
    Facility(QCoreApplication* app, int probes) : m_app(app)
    {
        for (int n = 0; n < probes; ++n) {
            const QString ip = QStringLiteral("127.17.%1.%2").arg(n / 250).arg(n % 250 + 1);
            m_addresses.append(ip);
            // Every fourth probe is off, and every fourth live one goes with the switch.
            if (n % 4 == 3)
                m_silent.insert(ip);
            else if ((n - n / 4) % 4 == 0)
                m_partition.insert(ip);
            else if ((n - n / 4) % 4 == 2)
                m_second.insert(ip);
        }
    }

    int Run()
    {
        QStringList ranges;
        for (int block = 0; block * 250 < m_addresses.size(); ++block)
            ranges.append(QStringLiteral("127.17.%1.1-%2").arg(block).arg(qMin(250, m_addresses.size() - block * 250)));
        const quint16 devicePort = FreeUdpPort(m_addresses.first());
        qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(devicePort));
        NetSnmpLibrary::Init();
        if (!m_sim.Start(ranges, devicePort, false)) {
            std::fprintf(stderr, "%s\n", qPrintable(m_sim.ErrorString()));
            return 1;
        }
        // The last object of the state read is active on every probe: its record says the read is over.
        m_sim.Send(QStringLiteral("all raise overload aes:32 1"));
        Command(m_silent, "silent");
        if (!m_sim.Sync(20000)) {
            std::fprintf(stderr, "probe-sim does not answer\n");
            return 1;
        }
        const double serialLive = SerialRegistrationSeconds(m_addresses.first());

        m_router.SetDisplay(&m_display);
        m_handler.SetShowAlarmManager(&m_router);
        m_handler.SetDeviceConfig(ConfigFor(m_addresses));
        m_server.SetAlarmHandler(&m_handler);
        ConnectDeviceThread registration(&m_server);
        m_handler.SetConnectDeviceThread(&registration);

        QElapsedTimer clock;
        clock.start();
        if (!m_server.Start(QStringLiteral("127.0.0.1"), FreeUdpPort())) {
            std::fprintf(stderr, "%s\n", qPrintable(m_server.ErrorString()));
            return 1;
        }
        for (const QString& ip : qAsConst(m_addresses))
            registration.AddIP(ip);
        QSet<QString> live = QSet<QString>(m_addresses.begin(), m_addresses.end()) - m_silent;
        const bool started = WaitFor(
            120000,
            [&](const AlarmRecord& r, QSet<QString>* read, QSet<QString>* lost) {
                if (IsReadOver(r) && live.contains(r.ip))
                    read->insert(r.ip);
                if (IsConnection(r, LevelError) && m_silent.contains(r.ip))
                    lost->insert(r.ip);
            },
            live.size(), m_silent.size());
        const double startSeconds = clock.elapsed() / 1000.0;

        clock.restart();
        const bool parted = Silence(m_partition);
        const double partitionSeconds = clock.elapsed() / 1000.0;

        clock.restart();
        Command(m_partition, "back");
        QSet<QString> found;
        const bool returned = WaitFor(
            60000,
            [&](const AlarmRecord& r, QSet<QString>* read, QSet<QString>*) {
                if (IsConnection(r, LevelNormal) && m_partition.contains(r.ip))
                    found.insert(r.ip);
                else if (IsReadOver(r) && found.contains(r.ip))
                    read->insert(r.ip);
            },
            m_partition.size(), 0);
        const double returnSeconds = clock.elapsed() / 1000.0;

        double readingSeconds = 0;
        int readsRunning = 0;
        const bool reading = PartitionWhileReading(&readingSeconds, &readsRunning);

        m_server.MarkStopping();
        m_handler.SetConnectDeviceThread(nullptr);
        registration.Stop();
        m_server.Stop();

        const int silent = m_silent.size();
        const int parting = m_partition.size();
        std::printf("%d probes: %d live, %d silent; %d live silenced at once and back again, then %d more\n",
                    int(m_addresses.size()), int(live.size()), silent, parting, int(m_second.size()));
        std::printf("one live registration alone, one request after the other: %.3f s\n", serialLive);
        std::printf("%-10s %12s %26s\n", "phase", "concurrent", "one at a time (arithmetic)");
        Row("start", started, startSeconds, silent * SilentSetSeconds + live.size() * serialLive,
            "silent x 4 s + live x one registration");
        Row("partition", parted, partitionSeconds, (silent + parting) * SilentProbeSeconds,
            "(silent + silenced) x 3 s probe");
        Row("return", returned, returnSeconds, silent * SilentProbeSeconds + parting * serialLive,
            "silent x 3 s probe + returned x one read");
        Row("reading", reading, readingSeconds, (silent + m_second.size()) * SilentProbeSeconds,
            "(silent + silenced) x 3 s probe");
        std::printf("  (the second partition was reported while %d of %d returned probes were still being read)\n",
                    readsRunning, parting);
        std::printf("peak threads %d, peak memory (VmHWM) %ld kB, memory at the end (VmRSS) %ld kB\n", m_peakThreads,
                    ProcStatus("VmHWM"), ProcStatus("VmRSS"));
        return started && parted && returned && reading ? 0 : 1;
    }

private:
    // Until every one of the probes silenced is reported lost.
    bool Silence(const QSet<QString>& probes)
    {
        Command(probes, "silent");
        return WaitFor(
            60000,
            [&](const AlarmRecord& r, QSet<QString>* lost, QSet<QString>*) {
                if (IsConnection(r, LevelError) && probes.contains(r.ip))
                    lost->insert(r.ip);
            },
            probes.size(), 0);
    }

    // The first quarter goes and comes back; as it does, the second quarter goes. Returns whether both were
    // reported, with the seconds until the second was, and how many of the first were still being read then.
    bool PartitionWhileReading(double* seconds, int* readsRunning)
    {
        const bool parted = Silence(m_partition);
        QSet<QString> found;
        QSet<QString> read;
        auto follow = [&](const AlarmRecord& r) {
            if (IsConnection(r, LevelNormal) && m_partition.contains(r.ip))
                found.insert(r.ip);
            else if (IsReadOver(r) && found.contains(r.ip))
                read.insert(r.ip);
        };
        Command(m_partition, "delay 50");
        QElapsedTimer clock;
        clock.start();
        Command(m_partition, "back");
        Command(m_second, "silent");
        const bool noticed = WaitFor(
            60000,
            [&](const AlarmRecord& r, QSet<QString>* lost, QSet<QString>*) {
                follow(r);
                if (IsConnection(r, LevelError) && m_second.contains(r.ip))
                    lost->insert(r.ip);
            },
            m_second.size(), 0);
        *seconds = clock.elapsed() / 1000.0;
        *readsRunning = m_partition.size() - read.size();
        // Monitoring stops only once the returned probes have been read.
        bool readAll = read.size() == m_partition.size();
        if (!readAll) {
            readAll = WaitFor(
                60000,
                [&](const AlarmRecord& r, QSet<QString>* done, QSet<QString>*) {
                    follow(r);
                    *done = read;
                },
                m_partition.size(), 0);
        }
        return parted && noticed && readAll;
    }

    using Step = std::function<void(const AlarmRecord&, QSet<QString>*, QSet<QString>*)>;

    static bool IsReadOver(const AlarmRecord& r)
    {
        return r.alarmType == AlarmTypeAudioOverload && r.portType == PortTypeAes && r.trackID == 32;
    }
    static bool IsConnection(const AlarmRecord& r, int level)
    {
        return r.alarmType == AlarmTypeConnection && r.level == level;
    }

    void Command(const QSet<QString>& probes, const char* verb)
    {
        QString commands;
        for (const QString& ip : probes)
            commands += ip + QLatin1Char(' ') + QLatin1String(verb) + QLatin1Char('\n');
        m_sim.Send(commands);
    }

    // Hands every new record to step until the two sets it fills hold first and second devices, or timeoutMs.
    bool WaitFor(int timeoutMs, const Step& step, int first, int second)
    {
        QSet<QString> a;
        QSet<QString> b;
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            m_app->processEvents(QEventLoop::AllEvents, 20);
            m_sim.Lines();
            m_peakThreads = qMax(m_peakThreads, int(ProcStatus("Threads")));
            const QList<AlarmRecord> records = m_display.Records();
            for (int i = m_seen; i < records.size(); ++i)
                step(records[i], &a, &b);
            m_seen = records.size();
            if (a.size() >= first && b.size() >= second)
                return true;
        }
        std::fprintf(stderr, "gave up after %d ms: %d of %d, %d of %d\n", timeoutMs, int(a.size()), first,
                     int(b.size()), second);
        return false;
    }

    static void Row(const char* phase, bool done, double seconds, double serial, const char* how)
    {
        std::printf("%-10s %10.1f s%s %14.0f s   (%s)\n", phase, seconds, done ? " " : "!", serial, how);
    }

    QCoreApplication* m_app;
    QStringList m_addresses;
    QSet<QString> m_silent;
    QSet<QString> m_partition;
    QSet<QString> m_second;
    ProbeSimProcess m_sim;
    RecordingDisplay m_display;
    ShowAlarmManager m_router;
    AlarmHandler m_handler;
    SnmpServer m_server;
    int m_seen = 0;
    int m_peakThreads = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int probes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    if (probes < 4 || probes > 1000) {
        std::fprintf(stderr, "usage: registration-bench [probes, 4 to 1000]\n");
        return 2;
    }
    qInstallMessageHandler(DropDebugOutput);
    if (qEnvironmentVariableIsEmpty("VZ_BUILD_DIR"))
        qputenv("VZ_BUILD_DIR", QDir(app.applicationDirPath() + QStringLiteral("/..")).absolutePath().toLocal8Bit());
    Facility facility(&app, probes);
    return facility.Run();
}
