#pragma once

#include "snmp/SnmpVarbind.h"

#include <QByteArray>
#include <QString>

// A synchronous SNMPv2c session to one device, used by one thread at a time.
// Results: 0 success; a positive value is Net-SNMP's transport status (1 error, 2 timeout); a negative value is
// the error-status the device answered with, negated.
class SnmpDeviceSession
{
public:
    SnmpDeviceSession(const QString& ip, quint16 port, int retries, int timeoutMs = 1000,
                      const QByteArray& community = QByteArrayLiteral("ravivu"));
    ~SnmpDeviceSession();
    SnmpDeviceSession(const SnmpDeviceSession&) = delete;
    SnmpDeviceSession& operator=(const SnmpDeviceSession&) = delete;

    int Get(const QString& oid, SnmpVarbind* out);
    int Set(const QString& oid, const QByteArray& octetString);

    static QString ErrorText(int status);
    // 161, unless VIZAVOVU_DEVICE_PORT names another port (simulated probes run unprivileged above 1023).
    static quint16 DevicePort();

private:
    int Request(struct snmp_pdu* pdu, SnmpVarbind* out);

    void* m_session = nullptr;
};
