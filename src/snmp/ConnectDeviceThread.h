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
// the destination is asked again every minute while it keeps answering.
class ConnectDeviceThread : public QThread
{
    Q_OBJECT

public:
    static constexpr int MaxInFlight = 64;

    explicit ConnectDeviceThread(SnmpServer* server, QObject* parent = nullptr);
    ~ConnectDeviceThread() override;

    // GUI thread and alarm handler thread. An address already waiting is not queued twice; the first address
    // starts the thread.
    void AddIP(const QString& ip);
    // Discards the waiting addresses, drops the registrations in progress and waits for the thread to end. Never
    // from this thread.
    void Stop();
    // How long a device that refused the destination waits before it is asked again; 60 s unless changed.
    void SetRefusedRetryInterval(int ms) { m_refusedRetryMs = ms; }

protected:
    void run() override;

private:
    // Under m_queueLock: the addresses to register now, leaving queued those whose registration still runs.
    QStringList TakeDue();
    void OnSetAnswered(const QString& ip, int status);
    // Milliseconds until the next retry of a refused device; -1 when none waits.
    int MillisecondsToRetry() const;

    // Guards m_queue, m_stopRequested and m_active.
    QMutex m_queueLock;
    QStringList m_queue;
    SnmpServer* m_server;
    bool m_stopRequested = false;
    // Whether run is between its start and its decision to end; isRunning() stays true a moment longer.
    bool m_active = false;
    // Used by run only; AddIP and Stop wake it.
    SnmpConversations m_conversations{MaxInFlight};
    // Refusing devices and when to ask them again; used by run only, emptied by Stop once the thread has ended.
    QMap<QString, QDeadlineTimer> m_retries;
    std::atomic<int> m_refusedRetryMs{60000};
};
