#pragma once

#include "snmp/SnmpConversations.h"

#include <QDeadlineTimer>
#include <QMap>
#include <QMutex>
#include <QStringList>
#include <QThread>

#include <atomic>

class SnmpServer;

// Registers the station on queued devices off the GUI thread: each address is handed to SnmpServer::SetServer, which
// writes the station's trap destination into the device and reads its state. The registrations of different devices
// overlap on this thread, up to MaxInFlight at a time, so that a silent device delays no other. A device that refuses
// the destination is asked again every minute while it keeps answering; one whose SET could not leave the station is
// asked again shortly.
class ConnectDeviceThread : public QThread
{
    Q_OBJECT

public:
    static constexpr int MaxInFlight = 64;
    // How long a SET that could not be sent waits before it is sent again.
    static constexpr int NotSentRetryMs = 2000;

    explicit ConnectDeviceThread(SnmpServer* server, QObject* parent = nullptr);
    ~ConnectDeviceThread() override;

    // GUI thread and alarm handler thread. An address already waiting is not queued twice; the first address
    // starts the thread, which runs until Stop. While Stop runs, an address only waits, to be discarded with the
    // rest.
    void AddIP(const QString& ip);
    // Discards the waiting addresses, drops the registrations in progress and waits for the thread to end. Never
    // from this thread.
    void Stop();
    // How long a device that refused the destination waits before it is asked again; 60 s unless changed.
    void SetRefusedRetryInterval(int ms) { m_refusedRetryMs = ms; }

protected:
    void run() override;

private:
    // Devices to ask again, and when; the run's own.
    using Retries = QMap<QString, QDeadlineTimer>;

    // Under m_queueLock: the addresses to register now, leaving queued those whose registration still runs.
    QStringList TakeDue(Retries* retries);
    void OnSetAnswered(Retries* retries, const QString& ip, int status) const;
    // Milliseconds until the next retry; -1 when none waits.
    static int MillisecondsToRetry(const Retries& retries);

    // Guards m_queue, m_stopping and m_started.
    QMutex m_queueLock;
    QStringList m_queue;
    SnmpServer* m_server;
    // From the start of Stop until it returns.
    bool m_stopping = false;
    bool m_started = false;
    // Used by run only; AddIP and Stop wake it.
    SnmpConversations m_conversations;
    std::atomic<int> m_refusedRetryMs{60000};
};
