#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// A variable binding copied out of a Net-SNMP PDU, so that nothing outside the adapter touches library memory.
struct SnmpVarbind
{
    QString oid;
    // ASN.1 type tag as on the wire (0x02 INTEGER, 0x04 OCTET STRING, 0x80 noSuchObject, ...).
    int type = 0;
    qint64 integer = 0;
    QByteArray octets;
    QString printable;

    bool IsInteger() const { return type == 0x02; }
};

using SnmpVarbindList = QVector<SnmpVarbind>;
