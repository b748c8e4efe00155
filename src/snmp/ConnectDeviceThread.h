#pragma once

#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>

class SnmpServer;

// Registers the station on queued devices, one after the other, off the GUI thread: each address is handed to
// SnmpServer::SetServer, which writes the station's trap destination into the device and reads its state.
class ConnectDeviceThread : public QThread
{
    Q_OBJECT

public:
    explicit ConnectDeviceThread(SnmpServer* server, QObject* parent = nullptr);
    ~ConnectDeviceThread() override;

    // GUI thread and alarm handler thread. An address already waiting is not queued twice; the first address
    // starts the thread.
    void AddIP(const QString& ip);
    // Discards the waiting addresses and waits for a registration in progress to end. Never from this thread.
    void Stop();

protected:
    void run() override;

private:
    // Guards m_queue, m_stopRequested and m_active.
    QMutex m_queueLock;
    // One unit per queued address, one more per stop request.
    QSemaphore m_queued;
    QStringList m_queue;
    SnmpServer* m_server;
    bool m_stopRequested = false;
    // Whether run is between its start and its decision to end; isRunning() stays true a moment longer.
    bool m_active = false;
};
