#pragma once

#include "snmp/SnmpVarbind.h"

#include <QString>

// One received notification, copied out of the library: who sent it, what it is, and the varbinds that follow
// sysUpTime.0 and snmpTrapOID.0.
struct TrapMessage
{
    QString senderIp;
    // Empty when the notification carries no usable identifier.
    QString trapOid;
    SnmpVarbindList varbinds;
    long errorStatus = 0;
    bool isInform = false;
};
