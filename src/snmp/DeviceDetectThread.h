#pragma once

#include "snmp/SnmpConversations.h"

#include <QList>
#include <QMap>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QThread>

#include <atomic>

class DeviceProber;

// Tells the operator when a registered device stops answering and when it comes back. Every notification counts as a
// sign of life; a device silent for three cycles of 1.5 s is probed with one GET. A change between reachable and lost
// becomes a connection record, and a device found again has its state read anew. Probes and reads of different
// devices overlap on this thread's conversations, so that a silent device delays no other.
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
    // Devices probed or read at the same time. A probe of a silent device holds its place for 3 s, so this allows
    // for a quarter of a thousand devices lost at once without delaying the probes of the others.
    static constexpr int MaxInFlight = 256;

    explicit DeviceDetectThread(DeviceProber* server, QObject* parent = nullptr);
    ~DeviceDetectThread() override;

    // Registration thread: the device enters, or re-enters, with the state its registration found, unreported. The
    // first device starts the thread. The running cycle is not cut short, so that registering many devices does not
    // hurry the probes of all.
    void AddDevice(const QString& ip, State state);
    void SetState(const QString& ip, State state);
    // SNMP polling thread. Never changes the state by itself: a lost device is only probed at the next cycle.
    void NotifyAlive(const QString& ip);
    // Ends the thread, dropping the probes and reads in progress, and forgets every device. Never from this thread.
    void Stop();

protected:
    void run() override;

private:
    struct Entry
    {
        State state = Reachable;
        int silentCycles = 0;
    };

    // Under m_devicesLock: counts a cycle for every device and returns those due for a probe, in address order.
    QStringList CountCycle();
    void Probe(const QString& ip);
    void OnProbeAnswered(const QString& ip, bool answered);

    // Ordered by address, so that probes run in ascending string order.
    QMap<QString, Entry> m_devices;
    // Guards m_devices and m_active.
    QMutex m_devicesLock;
    std::atomic<bool> m_stopRequested{false};
    // Whether run is between its start and its decision to end; isRunning() stays true a moment longer.
    bool m_active = false;
    DeviceProber* m_server;
    // Used by run only; Stop wakes it.
    SnmpConversations m_conversations{MaxInFlight};
};
