#pragma once

#include "snmp/TrapMessage.h"

#include <QThread>

#include <atomic>
#include <functional>

struct snmp_pdu;
struct snmp_session;

// Receives SNMP traps and informs on a UDP port of every local address and hands each, decoded into a
// TrapMessage, to a callback on its own polling thread. Informs are acknowledged before the callback runs.
class TrapListener : public QThread
{
public:
    using Callback = std::function<void(const TrapMessage&)>;

    explicit TrapListener(Callback callback);
    ~TrapListener() override;

    // Binds the port and starts polling; false with ErrorString() when the port cannot be opened.
    bool Open(quint16 port);
    // Stops polling, waits for the thread and closes the socket.
    void Close();
    QString ErrorString() const { return m_errorString; }
    quint16 Port() const { return m_port; }

    // RFC 3584 section 3.1: the notification identifier of an SNMPv1 trap.
    static QString V1TrapOid(const QString& enterprise, long genericTrap, long specificTrap);

protected:
    void run() override;

private:
    static int OnPdu(int operation, snmp_session* session, int requestId, snmp_pdu* pdu, void* magic);
    void Handle(snmp_pdu* pdu);

    Callback m_callback;
    void* m_session = nullptr;
    quint16 m_port = 0;
    QString m_errorString;
    std::atomic<bool> m_stopRequested{false};
};
