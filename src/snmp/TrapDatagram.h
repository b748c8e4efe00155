#pragma once

#include <QByteArray>

// One datagram as the listener read it off the trap port. Addresses and the port are in network byte order.
struct TrapDatagram
{
    quint32 source = 0;
    quint16 sourcePort = 0;
    // The local address it was sent to, which the response to an inform must come from; 0 when unknown.
    quint32 destination = 0;
    QByteArray bytes;
};
