// Traps per second through the listener, decoding, handler and display router, against snmptrapd on the same
// traps and the same machine. Run by hand: build/bin/trap-bench
#include "FreeUdpPort.h"
#include "TrapSender.h"
#include "alarm/AlarmDisplay.h"
#include "alarm/AlarmHandler.h"
#include "alarm/ShowAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "snmp/SnmpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <functional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
const char* SenderAddress = "127.0.0.50";

class CountingDisplay : public AlarmDisplay
{
public:
    void SetSoundAlarmManager(SoundAlarmManager*) override {}
    void SetMaxHistory(int) override {}
    void SetDeviceConfig(const DeviceConfigFile&) override {}
    void ClearDevices() override {}
    void AddDevice(const QString&, const QString&) override {}
    void DealAlarm(const AlarmRecord*) override { ++count; }
    void ClearAlarms() override {}

    std::atomic<long> count{0};
};

// One video-lost trap as a probe encodes it, captured off the wire so that every send is identical.
QByteArray CaptureTrap()
{
    QUdpSocket capture;
    capture.bind(QHostAddress("127.0.0.51"), 0);
    TrapSender sender(SenderAddress, capture.localPort(), "127.0.0.51");
    const QString e = "1.3.6.1.4.1.58206";
    sender.SendTrap(e + ".1.2.3.2.1.3.2", {{e + ".1.2.3.2.1.2.1.5.1.3", 'i', "1"},
                                           {e + ".1.2.3.2.1.2.1.6.1.3", 'i', "3"},
                                           {e + ".1.2.3.2.1.2.1.7.1.3", 'i', "17"},
                                           {e + ".1.2.3.2.1.2.1.8.1.3", 'i', "2"}});
    capture.waitForReadyRead(2000);
    QByteArray packet(int(capture.pendingDatagramSize()), '\0');
    capture.readDatagram(packet.data(), packet.size());
    return packet;
}

// Sends count copies at the given rate (0: as fast as the socket takes them); returns the seconds it took.
double Send(const QByteArray& packet, quint16 port, long count, long rate)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, SenderAddress, &local.sin_addr);
    bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof(local));
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    inet_pton(AF_INET, "127.0.0.1", &target.sin_addr);

    QElapsedTimer clock;
    clock.start();
    for (long i = 0; i < count; ++i) {
        if (rate > 0) {
            const qint64 due = i * 1000000000LL / rate;
            while (clock.nsecsElapsed() < due) {
                if (due - clock.nsecsElapsed() > 200000)
                    QThread::usleep(100);
            }
        }
        sendto(fd, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<sockaddr*>(&target),
               sizeof(target));
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    close(fd);
    return seconds;
}

// Waits until the count has stopped growing for a while; bounded.
long Settle(const std::function<long()>& count)
{
    long last = -1;
    QElapsedTimer quiet;
    QElapsedTimer total;
    total.start();
    while (total.elapsed() < 15000) {
        const long now = count();
        if (now != last) {
            last = now;
            quiet.restart();
        } else if (quiet.elapsed() > 500) {
            break;
        }
        QThread::msleep(20);
    }
    return last;
}

long CountLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().count('\n');
}

struct Receiver
{
    QString name;
    quint16 port;
    std::function<long()> count;
};
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;

    // The station's pipeline, with consumers that only count.
    CountingDisplay display;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler;
    handler.SetShowAlarmManager(&router);
    DeviceConfigFile config;
    DeviceConfigNode device;
    device.SetIp(SenderAddress);
    device.SetDevName("bench");
    device.SetBncPort(2, PortConfigNode());
    config.AddDevice(device);
    handler.SetDeviceConfig(config);
    SnmpServer server;
    server.SetAlarmHandler(&handler);
    const quint16 stationPort = FreeUdpPort();
    if (!server.Start("127.0.0.1", stationPort)) {
        std::fprintf(stderr, "station: %s\n", qPrintable(server.ErrorString()));
        return 1;
    }

    // snmptrapd on the same traps: one line per trap in its log file.
    const quint16 trapdPort = FreeUdpPort();
    const QString conf = work.filePath("snmptrapd.conf");
    const QString log = work.filePath("snmptrapd.log");
    QFile confFile(conf);
    confFile.open(QIODevice::WriteOnly);
    confFile.write("disableAuthorization yes\n");
    confFile.close();
    QProcess trapd;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SNMP_PERSISTENT_DIR", work.path());
    trapd.setProcessEnvironment(env);
    trapd.start("snmptrapd", {"-f", "-n", "-C", "-c", conf, "-Lf", log, "-F", "T\n",
                              QString("udp:127.0.0.1:%1").arg(trapdPort)});
    if (!trapd.waitForStarted(5000)) {
        std::fprintf(stderr, "snmptrapd did not start\n");
        return 1;
    }

    const QByteArray packet = CaptureTrap();
    Receiver receivers[] = {
        {"station", stationPort, [&] { return long(display.count); }},
        {"snmptrapd", trapdPort, [&] { return CountLines(log); }},
    };
    // Both receivers must be up before anything is measured.
    for (Receiver& receiver : receivers) {
        const long before = receiver.count();
        for (int attempt = 0; attempt < 50 && receiver.count() == before; ++attempt) {
            Send(packet, receiver.port, 1, 0);
            QThread::msleep(100);
        }
        Settle(receiver.count);
    }

    std::printf("%-10s %10s %12s %12s\n", "rate/s", "sent", "station", "snmptrapd");
    long losslessRate[2] = {0, 0};
    const long rates[] = {2000, 5000, 10000, 20000, 40000, 80000, 160000, 320000};
    for (long rate : rates) {
        const long count = qBound(4000L, rate, 40000L);
        long received[2];
        for (int r = 0; r < 2; ++r) {
            const long before = receivers[r].count();
            Send(packet, receivers[r].port, count, rate);
            received[r] = Settle(receivers[r].count) - before;
            if (received[r] == count)
                losslessRate[r] = rate;
        }
        std::printf("%-10ld %10ld %12ld %12ld\n", rate, count, received[0], received[1]);
        std::fflush(stdout);
    }

    long burst[2];
    for (int r = 0; r < 2; ++r) {
        const long before = receivers[r].count();
        Send(packet, receivers[r].port, 5000, 0);
        burst[r] = Settle(receivers[r].count) - before;
    }
    std::printf("\nburst of 5000 back to back: station %ld, snmptrapd %ld\n", burst[0], burst[1]);
    std::printf("highest lossless rate: station %ld/s, snmptrapd %ld/s, ratio %.1f\n", losslessRate[0],
                losslessRate[1], losslessRate[1] ? double(losslessRate[0]) / double(losslessRate[1]) : 0.0);

    trapd.terminate();
    trapd.waitForFinished(3000);
    server.Stop();
    return 0;
}
