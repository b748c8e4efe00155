#pragma once

#include "snmp/SnmpVarbind.h"

#include <QString>

struct snmp_pdu;

// Conversions between Net-SNMP's PDU structures and the station's own types.
class SnmpPdu
{
public:
    // "1.3.6.1.4.1.58206" into sub-identifiers; false for anything that is not a dotted list of numbers.
    static bool ParseOid(const QString& text, unsigned long* subIds, size_t* length, size_t capacity);
    static QString OidText(const unsigned long* subIds, size_t length);
    // Copies the varbinds from the first-th on (0 is the first), checking each value's type and length before
    // reading it.
    static SnmpVarbindList Varbinds(const snmp_pdu* pdu, int first = 0);
};
