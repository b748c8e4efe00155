#include "snmp/TrapListener.h"

#include "snmp/TrapDatagram.h"
#include "snmp/TrapDecodingThread.h"

#include <QHash>

#include <cerrno>
#include <cstring>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int ReceiveBufferBytes = 8 * 1024 * 1024;
constexpr int PollMilliseconds = 10;
// Datagrams read with one call.
constexpr int Batch = 64;
// Room for the largest UDP payload, so that nothing is cut short.
constexpr size_t SlotBytes = 65536;

int DecoderCount()
{
    return qBound(1, QThread::idealThreadCount(), 4);
}

// Bursts of traps must wait in the kernel rather than be dropped while the decoding threads are full.
void EnlargeReceiveBuffer(int socket)
{
    const int size = ReceiveBufferBytes;
    if (setsockopt(socket, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof(size)) != 0)
        setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &size, sizeof(size));
}

quint32 Destination(msghdr& header)
{
    for (cmsghdr* info = CMSG_FIRSTHDR(&header); info; info = CMSG_NXTHDR(&header, info)) {
        if (info->cmsg_level == IPPROTO_IP && info->cmsg_type == IP_PKTINFO) {
            in_pktinfo packet{};
            memcpy(&packet, CMSG_DATA(info), sizeof(packet));
            return packet.ipi_addr.s_addr;
        }
    }
    return 0;
}
} // namespace

TrapListener::TrapListener(Callback callback, DropReport reportDrops)
    : m_callback(std::move(callback)), m_reportDrops(std::move(reportDrops))
{
}

TrapListener::~TrapListener()
{
    Close();
}

bool TrapListener::Open(quint16 port)
{
    Close();
    const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (socket < 0 || bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        const int error = errno;
        if (socket >= 0)
            ::close(socket);
        m_errorString =
            QStringLiteral("Cannot listen on UDP port %1: %2").arg(port).arg(QString::fromLocal8Bit(strerror(error)));
        return false;
    }
    const int on = 1;
    setsockopt(socket, IPPROTO_IP, IP_PKTINFO, &on, sizeof(on));
    EnlargeReceiveBuffer(socket);
    m_socket = socket;
    m_port = port;
    m_dropsReported = 0;
    m_stopRequested = false;
    for (int i = 0; i < DecoderCount(); ++i) {
        m_decoders.push_back(std::make_unique<TrapDecodingThread>(socket, m_callback));
        m_decoders.back()->start();
    }
    start();
    return true;
}

void TrapListener::Close()
{
    m_stopRequested = true;
    // The decoding threads go first: that frees a reader waiting for room in one of them.
    for (const auto& decoder : m_decoders)
        decoder->Stop();
    wait();
    m_decoders.clear();
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    m_port = 0;
}

void TrapListener::run()
{
    // Allocated, not filled: only the pages that datagrams land in are ever touched.
    const std::unique_ptr<char[]> buffer(new char[Batch * SlotBytes]);
    while (!m_stopRequested) {
        pollfd readable{m_socket, POLLIN, 0};
        const int ready = poll(&readable, 1, PollMilliseconds);
        if (ready > 0 && !ReadAll(buffer.get()))
            return;
        ReportDrops();
    }
}

bool TrapListener::ReadAll(char* buffer)
{
    mmsghdr messages[Batch];
    iovec parts[Batch];
    sockaddr_in senders[Batch];
    alignas(cmsghdr) char controls[Batch][CMSG_SPACE(sizeof(in_pktinfo))];
    std::vector<std::vector<TrapDatagram>> lanes(m_decoders.size());
    for (;;) {
        for (int i = 0; i < Batch; ++i) {
            parts[i] = {buffer + i * SlotBytes, SlotBytes};
            messages[i].msg_hdr = {};
            messages[i].msg_hdr.msg_name = &senders[i];
            messages[i].msg_hdr.msg_namelen = sizeof(senders[i]);
            messages[i].msg_hdr.msg_iov = &parts[i];
            messages[i].msg_hdr.msg_iovlen = 1;
            messages[i].msg_hdr.msg_control = controls[i];
            messages[i].msg_hdr.msg_controllen = sizeof(controls[i]);
        }
        const int count = recvmmsg(m_socket, messages, Batch, MSG_DONTWAIT, nullptr);
        if (count <= 0)
            return true;
        // One sender, one decoding thread: its notifications keep their order.
        int laneOf[Batch];
        std::vector<int> laneBytes(lanes.size(), 0);
        for (int i = 0; i < count; ++i) {
            const bool fromIpv4 =
                messages[i].msg_hdr.msg_namelen >= sizeof(sockaddr_in) && senders[i].sin_family == AF_INET;
            laneOf[i] = fromIpv4 ? int(qHash(senders[i].sin_addr.s_addr) % lanes.size()) : -1;
            if (fromIpv4)
                laneBytes[size_t(laneOf[i])] += int(messages[i].msg_len);
        }
        std::vector<QByteArray> laneBuffers(lanes.size());
        for (size_t lane = 0; lane < lanes.size(); ++lane) {
            if (laneBytes[lane] > 0)
                laneBuffers[lane].reserve(laneBytes[lane]);
        }
        for (int i = 0; i < count; ++i) {
            if (laneOf[i] < 0)
                continue;
            QByteArray& laneBuffer = laneBuffers[size_t(laneOf[i])];
            TrapDatagram datagram;
            datagram.source = senders[i].sin_addr.s_addr;
            datagram.sourcePort = senders[i].sin_port;
            datagram.destination = Destination(messages[i].msg_hdr);
            datagram.offset = laneBuffer.size();
            datagram.length = int(messages[i].msg_len);
            laneBuffer.append(static_cast<const char*>(parts[i].iov_base), datagram.length);
            lanes[size_t(laneOf[i])].push_back(std::move(datagram));
        }
        // Shared once filled: appending to a shared buffer would copy it.
        for (size_t lane = 0; lane < lanes.size(); ++lane) {
            for (TrapDatagram& datagram : lanes[lane])
                datagram.buffer = laneBuffers[lane];
        }
        for (size_t lane = 0; lane < lanes.size(); ++lane) {
            if (!lanes[lane].empty() && !m_decoders[lane]->Append(lanes[lane]))
                return false;
        }
        if (count < Batch)
            return true;
    }
}

void TrapListener::ReportDrops()
{
    quint32 memory[SK_MEMINFO_VARS] = {};
    socklen_t length = sizeof(memory);
    if (!m_reportDrops || getsockopt(m_socket, SOL_SOCKET, SO_MEMINFO, memory, &length) != 0 ||
        length <= SK_MEMINFO_DROPS * sizeof(quint32))
        return;
    const quint32 drops = memory[SK_MEMINFO_DROPS];
    if (drops == m_dropsReported)
        return;
    m_reportDrops(quint32(drops - m_dropsReported));
    m_dropsReported = drops;
}
