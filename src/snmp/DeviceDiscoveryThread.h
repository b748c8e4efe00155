#pragma once

#include "snmp/SnmpConversations.h"

#include <QStringList>
#include <QThread>

#include <atomic>

// Finds the probes among the addresses typed by the operator: each address is asked the presence object's GET, as
// presence detection asks it, and a probe that answers is asked its MIB-II sysName.0 for a name. Addresses are
// asked side by side, at most MaxPerSecond new ones a second and MaxInFlight at a time; the whole search ends
// after MaxRunMs at the latest.
class DeviceDiscoveryThread : public QThread
{
    Q_OBJECT

public:
    static constexpr int MaxInFlight = 256;
    static constexpr int MaxPerSecond = 250;
    // One resend after 1 s: a silent address holds its place for 2 s.
    static constexpr int Retries = 1;
    static constexpr int MaxRunMs = 60000;

    explicit DeviceDiscoveryThread(const QStringList& addresses, QObject* parent = nullptr);
    ~DeviceDiscoveryThread() override;

    // Ends the search at once, dropping the requests in flight. Never from this thread.
    void Stop();

    // The name offered for a probe: its sysName.0 without control characters, or "Probe <address>".
    static QString OfferedName(const QString& ip, const QString& sysName);

signals:
    // name is the name offered for the probe.
    void Found(const QString& ip, const QString& name);
    // done of total addresses have been answered or given up.
    void Progress(int done, int total);

protected:
    void run() override;

private:
    void Ask(const QString& ip);
    void Done();

    const QStringList m_addresses;
    std::atomic<bool> m_stopRequested{false};
    // Used by run only; Stop wakes it.
    SnmpConversations m_conversations{MaxInFlight};
    int m_done = 0;
};
