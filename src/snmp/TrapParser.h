#pragma once

#include "snmp/TrapMessage.h"

#include <QByteArray>

#include <memory>

struct snmp_session;

// Net-SNMP's parse state for one decoding thread: turns a received datagram into a notification and, for an inform,
// the response that acknowledges it. A parser is never shared between threads.
class TrapParser
{
public:
    TrapParser();
    ~TrapParser();
    TrapParser(const TrapParser&) = delete;
    TrapParser& operator=(const TrapParser&) = delete;

    // False for anything that is not an SNMPv1 or SNMPv2c notification. The sender is left for the caller to fill
    // in. reply is empty unless the datagram was an inform.
    bool Parse(const QByteArray& datagram, TrapMessage& message, QByteArray& reply);

    // RFC 3584 section 3.1: the notification identifier of an SNMPv1 trap.
    static QString V1TrapOid(const QString& enterprise, long genericTrap, long specificTrap);

private:
    std::unique_ptr<snmp_session> m_parseState;
};
