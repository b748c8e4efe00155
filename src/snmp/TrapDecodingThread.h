#pragma once

#include "snmp/TrapDatagram.h"
#include "snmp/TrapMessage.h"

#include <QHash>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

class TrapParser;

// Decodes, on a thread of its own and with its own parser, the datagrams that the listener hands it, in the order
// they arrived. The listener gives every datagram of one sender to the same decoding thread, so that a device's
// notifications keep their order.
class TrapDecodingThread : public QThread
{
public:
    using Callback = std::function<void(const TrapMessage&)>;
    // A burst beyond this waits in the socket's receive buffer.
    static constexpr size_t MaxQueued = 65536;

    // Responses to informs go out through socket.
    TrapDecodingThread(int socket, Callback callback);
    ~TrapDecodingThread() override;

    // Listener thread: takes the datagrams, waiting while MaxQueued are queued already. False once stopping.
    bool Append(std::vector<TrapDatagram>& datagrams);
    // Drops what is still queued and waits for the thread.
    void Stop();

protected:
    void run() override;

private:
    void Decode(TrapParser& parser, const TrapDatagram& datagram);
    void Acknowledge(const TrapDatagram& datagram, const QByteArray& reply);
    QString SenderIp(quint32 address);

    const int m_socket;
    const Callback m_callback;
    // Guards m_queue and m_stopRequested.
    std::mutex m_queueLock;
    std::condition_variable m_arrived;
    std::condition_variable m_room;
    std::vector<TrapDatagram> m_queue;
    bool m_stopRequested = false;
    // Decoding thread only: each sender's address text, made once.
    QHash<quint32, QString> m_senderIps;
};
