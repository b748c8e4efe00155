#include "TrapTraffic.h"

#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

#include <QElapsedTimer>
#include <QThread>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>

namespace TrapTraffic {
const char* const SenderAddress = "127.0.0.50";

namespace {
constexpr int BatchLimit = 32;
}

QByteArray Capture(const QString& trapOid, const QList<TrapSender::Varbind>& varbinds)
{
    QUdpSocket capture;
    capture.bind(QHostAddress("127.0.0.51"), 0);
    TrapSender sender(SenderAddress, capture.localPort(), "127.0.0.51");
    sender.SendTrap(trapOid, varbinds);
    capture.waitForReadyRead(2000);
    QByteArray packet(int(capture.pendingDatagramSize()), '\0');
    capture.readDatagram(packet.data(), packet.size());
    return packet;
}

QByteArray VideoLost(const char* severity)
{
    const QString e = TrapSender::Enterprise;
    return Capture(e + ".1.2.3.2.1.3.2", {{e + ".1.2.3.2.1.2.1.5.1.3", 'i', "1"},
                                          {e + ".1.2.3.2.1.2.1.6.1.3", 'i', "3"},
                                          {e + ".1.2.3.2.1.2.1.7.1.3", 'i', "17"},
                                          {e + ".1.2.3.2.1.2.1.8.1.3", 'i', severity}});
}

QList<QByteArray> Silences(const char* severity)
{
    const QString e = TrapSender::Enterprise;
    QList<QByteArray> packets;
    for (int port = 1; port <= StormPorts; ++port) {
        for (int track = 1; track <= StormTracks; ++track) {
            const QString row = QStringLiteral("1.%1.%2").arg(port).arg(track);
            packets.append(Capture(e + ".1.2.3.2.2.3.2", {{e + ".1.2.3.2.2.2.1.5." + row, 'i', "1"},
                                                          {e + ".1.2.3.2.2.2.1.6." + row, 'i', QString::number(port)},
                                                          {e + ".1.2.3.2.2.2.1.7." + row, 'i', QString::number(track)},
                                                          {e + ".1.2.3.2.2.2.1.8." + row, 'i', severity}}));
        }
    }
    return packets;
}

QString StormAddress(int device)
{
    return QStringLiteral("127.1.%1.%2").arg(device / 250).arg(1 + device % 250);
}

void AddStormProbes(DeviceConfigFile& config, int devices)
{
    PortConfigNode everyTrack;
    everyTrack.SetTrackMask(0xFFFFFFFF);
    for (int d = 0; d < devices; ++d) {
        DeviceConfigNode probe(StormAddress(d), QStringLiteral("Probe %1").arg(d));
        for (int port = 0; port < StormPorts; ++port) {
            everyTrack.SetSignalName(QStringLiteral("CAM %1").arg(port + 1));
            probe.SetBncPort(port, everyTrack);
        }
        config.AddDevice(probe);
    }
}

Senders::Senders(const QStringList& addresses)
{
    for (const QString& address : addresses) {
        const int fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        inet_pton(AF_INET, qPrintable(address), &local.sin_addr);
        bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof(local));
        m_sockets.push_back(fd);
    }
}

Senders::~Senders()
{
    for (int fd : m_sockets)
        close(fd);
}

double Send(const QList<QByteArray>& packets, quint16 port, long count, long rate, const Senders& senders)
{
    const std::vector<int>& sockets = senders.Sockets();
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    inet_pton(AF_INET, "127.0.0.1", &target.sin_addr);

    const long sources = long(sockets.size());
    std::array<mmsghdr, BatchLimit> messages{};
    std::array<iovec, BatchLimit> vectors{};
    QElapsedTimer clock;
    clock.start();
    for (long i = 0; i < count;) {
        long due = count;
        if (rate > 0) {
            const qint64 dueAt = i * 1000000000LL / rate;
            while (clock.nsecsElapsed() < dueAt) {
                if (dueAt - clock.nsecsElapsed() > 200000)
                    QThread::usleep(100);
            }
            due = qMin(count, long(clock.nsecsElapsed() * rate / 1000000000LL) + 1);
        }
        // A single source sends the datagrams already due in one call, as a sender that has fallen behind would;
        // many sources take turns datagram by datagram.
        const int batch = sources == 1 ? int(qBound(1L, due - i, long(BatchLimit))) : 1;
        for (int m = 0; m < batch; ++m) {
            const QByteArray& packet = packets[int(((i + m) / sources) % packets.size())];
            vectors[size_t(m)] = {const_cast<char*>(packet.constData()), size_t(packet.size())};
            msghdr& header = messages[size_t(m)].msg_hdr;
            header.msg_name = &target;
            header.msg_namelen = sizeof(target);
            header.msg_iov = &vectors[size_t(m)];
            header.msg_iovlen = 1;
        }
        const int sent = sendmmsg(sockets[size_t(i % sources)], messages.data(), unsigned(batch), 0);
        i += sent > 0 ? sent : 1;
    }
    return clock.nsecsElapsed() / 1e9;
}

double Send(const QList<QByteArray>& packets, quint16 port, long count, long rate)
{
    return Send(packets, port, count, rate, Senders({SenderAddress}));
}
} // namespace TrapTraffic
