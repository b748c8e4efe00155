#pragma once

#include "snmp/TrapMessage.h"

#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class TrapDecodingThread;

// Receives SNMP traps and informs on a UDP port of every local address. Its thread reads the datagrams in batches
// and hands them to decoding threads, every sender to the same one; each decoded notification goes to a callback
// on its decoding thread, in the order of its sender's datagrams. Informs are acknowledged before the callback runs.
class TrapListener : public QThread
{
public:
    using Callback = std::function<void(const TrapMessage&)>;
    // On the listener's thread: datagrams the socket has dropped since the last report, its receive buffer full.
    using DropReport = std::function<void(quint64 dropped)>;

    explicit TrapListener(Callback callback, DropReport reportDrops = {});
    ~TrapListener() override;

    // Binds the port and starts reading; false with ErrorString() when the port cannot be opened.
    bool Open(quint16 port);
    // Stops reading and decoding, waits for the threads and closes the socket.
    void Close();
    QString ErrorString() const { return m_errorString; }
    quint16 Port() const { return m_port; }

protected:
    void run() override;

private:
    // Hands everything the socket holds to the decoding threads, read into buffer a batch at a time; false once
    // they stop.
    bool ReadAll(char* buffer);
    void ReportDrops();

    const Callback m_callback;
    const DropReport m_reportDrops;
    int m_socket = -1;
    quint16 m_port = 0;
    QString m_errorString;
    std::atomic<bool> m_stopRequested{false};
    std::vector<std::unique_ptr<TrapDecodingThread>> m_decoders;
    // Listener thread: the socket's drop count at the last report.
    quint32 m_dropsReported = 0;
};
