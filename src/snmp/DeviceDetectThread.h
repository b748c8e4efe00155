#pragma once

#include <QList>
#include <QMap>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

class SnmpServer;

// Tells the operator when a registered device stops answering and when it comes back. Every notification counts as a
// sign of life; a device silent for three cycles of 1.5 s is probed with one GET. A change between reachable and lost
// becomes a connection record, and a device found again has its state read anew.
class DeviceDetectThread : public QThread
{
    Q_OBJECT

public:
    enum State
    {
        Reachable = 0,
        Lost = 1,
    };

    static constexpr int CycleMs = 1500;
    static constexpr int SilentCycles = 3;

    explicit DeviceDetectThread(SnmpServer* server, QObject* parent = nullptr);
    ~DeviceDetectThread() override;

    // Registration thread: the device enters, or re-enters, with the state its registration found, unreported. The
    // first device starts the thread.
    void AddDevice(const QString& ip, State state);
    void SetState(const QString& ip, State state);
    // SNMP polling thread. Never changes the state by itself: a lost device is only probed at the next cycle.
    void NotifyAlive(const QString& ip);
    // Ends the thread, waiting for a probe in progress, and forgets every device. Never from this thread.
    void Stop();

protected:
    void run() override;

private:
    struct Entry
    {
        State state = Reachable;
        int silentCycles = 0;
    };
    using Check = QPair<QString, State>;

    // Under m_devicesLock: counts a cycle for every device and returns those due for a probe, in address order.
    QList<Check> CountCycle();
    void Probe(const Check& check);

    // Ordered by address, so that probes run in ascending string order.
    QMap<QString, Entry> m_devices;
    // Guards m_devices and m_active; m_wakeUp waits on it.
    QMutex m_devicesLock;
    QWaitCondition m_wakeUp;
    std::atomic<bool> m_stopRequested{false};
    // Whether run is between its start and its decision to end; isRunning() stays true a moment longer.
    bool m_active = false;
    SnmpServer* m_server;
};
