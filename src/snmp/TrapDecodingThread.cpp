#include "snmp/TrapDecodingThread.h"

#include "snmp/TrapParser.h"

#include <arpa/inet.h>
#include <cstring>
#include <iterator>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {
// Senders remembered by name; a station hears from its devices, anything beyond is forgotten and made again.
constexpr int MaxSenderNames = 65536;
// Room kept for the next batch once a burst has passed.
constexpr size_t KeptCapacity = 4096;
} // namespace

TrapDecodingThread::TrapDecodingThread(int socket, Callback callback)
    : m_socket(socket), m_callback(std::move(callback))
{
}

TrapDecodingThread::~TrapDecodingThread()
{
    Stop();
}

bool TrapDecodingThread::Append(std::vector<TrapDatagram>& datagrams)
{
    std::unique_lock<std::mutex> locker(m_queueLock);
    m_room.wait(locker, [this] { return m_stopRequested || m_queue.size() < MaxQueued; });
    if (m_stopRequested)
        return false;
    const bool wasEmpty = m_queue.empty();
    std::move(datagrams.begin(), datagrams.end(), std::back_inserter(m_queue));
    datagrams.clear();
    if (wasEmpty)
        m_arrived.notify_one();
    return true;
}

void TrapDecodingThread::Stop()
{
    {
        std::lock_guard<std::mutex> locker(m_queueLock);
        m_stopRequested = true;
        m_queue.clear();
        m_arrived.notify_one();
        m_room.notify_all();
    }
    wait();
}

void TrapDecodingThread::run()
{
    TrapParser parser;
    std::vector<TrapDatagram> taken;
    for (;;) {
        {
            std::unique_lock<std::mutex> locker(m_queueLock);
            m_arrived.wait(locker, [this] { return m_stopRequested || !m_queue.empty(); });
            if (m_stopRequested)
                return;
            taken.swap(m_queue);
            m_room.notify_all();
        }
        for (const TrapDatagram& datagram : taken)
            Decode(parser, datagram);
        taken.clear();
        if (taken.capacity() > KeptCapacity)
            std::vector<TrapDatagram>().swap(taken);
    }
}

void TrapDecodingThread::Decode(TrapParser& parser, const TrapDatagram& datagram)
{
    TrapMessage message;
    QByteArray reply;
    if (!parser.Parse(datagram.Bytes(), message, reply))
        return;
    if (!reply.isEmpty())
        Acknowledge(datagram, reply);
    message.senderIp = SenderIp(datagram.source);
    m_callback(message);
}

// The response leaves from the address the inform was sent to, as the sender expects on a station with several.
void TrapDecodingThread::Acknowledge(const TrapDatagram& datagram, const QByteArray& reply)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = datagram.source;
    to.sin_port = datagram.sourcePort;
    iovec part{const_cast<char*>(reply.constData()), size_t(reply.size())};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr header{};
    header.msg_name = &to;
    header.msg_namelen = sizeof(to);
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    if (datagram.destination) {
        header.msg_control = control;
        header.msg_controllen = sizeof(control);
        cmsghdr* info = CMSG_FIRSTHDR(&header);
        info->cmsg_level = IPPROTO_IP;
        info->cmsg_type = IP_PKTINFO;
        info->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo from{};
        from.ipi_spec_dst.s_addr = datagram.destination;
        memcpy(CMSG_DATA(info), &from, sizeof(from));
    }
    if (sendmsg(m_socket, &header, MSG_DONTWAIT) < 0 && header.msg_control) {
        // A broadcast destination cannot be a source; let routing choose one.
        header.msg_control = nullptr;
        header.msg_controllen = 0;
        sendmsg(m_socket, &header, MSG_DONTWAIT);
    }
}

QString TrapDecodingThread::SenderIp(quint32 address)
{
    const auto known = m_senderIps.constFind(address);
    if (known != m_senderIps.constEnd())
        return known.value();
    if (m_senderIps.size() >= MaxSenderNames)
        m_senderIps.clear();
    char text[INET_ADDRSTRLEN] = {};
    in_addr sender{};
    sender.s_addr = address;
    inet_ntop(AF_INET, &sender, text, sizeof(text));
    return m_senderIps.insert(address, QString::fromLatin1(text)).value();
}
