#pragma once

#include "snmp/SnmpConversations.h"

#include <QMap>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QThread>

class DeviceProber;

// Tells the operator when a registered device stops answering and when it comes back. Every notification counts as a
// sign of life; a device silent for three cycles of 1.5 s is probed with one GET. A change between reachable and lost
// becomes a connection record, and a device found again has its state read anew. A device whose last state read was
// cut short is read again at its next sign of life. Probes and reads of different devices overlap on this thread's
// conversations, so that a silent device delays no other.
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
    // Devices probed or read at the same time. A probe of a silent device holds its place for 3 s: with a thousand
    // devices, a quarter of them off and a switch failing, that is several hundred at once. State reads take at most
    // a quarter of the places, so that the reads of devices coming back never keep a probe waiting.
    static constexpr int MaxInFlight = 512;

    explicit DeviceDetectThread(DeviceProber* server, QObject* parent = nullptr);
    ~DeviceDetectThread() override;

    // Registration thread: the device enters, or re-enters, with the state its registration found, unreported. The
    // first device starts the thread, which runs until Stop. The running cycle is not cut short, so that registering
    // many devices does not hurry the probes of all.
    void AddDevice(const QString& ip, State state);
    // SNMP polling thread. Never changes the state by itself: a lost device is only probed at the next cycle.
    void NotifyAlive(const QString& ip);
    // The device's last state read was cut short: it is read again once, at its next sign of life (a notification
    // or an answered probe).
    void MarkReadPending(const QString& ip);
    // Ends the thread, dropping the probes and reads in progress, and forgets every device. Never from this thread.
    void Stop();

protected:
    void run() override;

private:
    struct Entry
    {
        State state = Reachable;
        int silentCycles = 0;
        bool readPending = false;
    };

    // Under m_devicesLock: counts a cycle for every device and returns those due for a probe, in address order.
    QStringList CountCycle();
    // Under m_devicesLock: the devices whose pending read may start now.
    QStringList TakeDueReads();
    void Probe(const QString& ip);
    void OnProbeAnswered(const QString& ip, int status);
    void ReadAgain(const QString& ip);

    // Ordered by address, so that probes run in ascending string order.
    QMap<QString, Entry> m_devices;
    // Devices with a pending read that gave a sign of life since.
    QSet<QString> m_dueReads;
    // Guards m_devices, m_dueReads, m_stopping and m_started.
    QMutex m_devicesLock;
    // From the start of Stop until it returns: AddDevice neither adds nor starts anything.
    bool m_stopping = false;
    bool m_started = false;
    DeviceProber* m_server;
    // Used by run only; Stop and a due read wake it.
    SnmpConversations m_conversations;
};
