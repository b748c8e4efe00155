#pragma once

#include <QByteArray>

// One datagram as the listener read it off the trap port. Addresses and the port are in network byte order.
struct TrapDatagram
{
    quint32 source = 0;
    quint16 sourcePort = 0;
    // The local address it was sent to, which the response to an inform must come from; 0 when unknown.
    quint32 destination = 0;
    // The datagrams of one read that go to one decoding thread share one buffer: a storm's datagrams are then a few
    // thousand allocations instead of one each, and the listener's heap gives them back once they are decoded.
    QByteArray buffer;
    int offset = 0;
    int length = 0;

    // The datagram's bytes, without a copy; valid while this datagram lives.
    QByteArray Bytes() const { return QByteArray::fromRawData(buffer.constData() + offset, length); }
};
