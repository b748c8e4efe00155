#pragma once

#include "snmp/SnmpVarbind.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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
    // One GET of several objects. Returns the transport status only (0: the device answered); the answer's error
    // status and its varbinds are handed back whatever that error status is.
    int Get(const QStringList& oids, SnmpVarbindList* out, long* errorStatus);

    static QString ErrorText(int status);
    // 161, unless VIZAVOVU_DEVICE_PORT names another port (simulated probes run unprivileged above 1023).
    static quint16 DevicePort();

private:
    int Request(struct snmp_pdu* pdu, SnmpVarbind* out);
    // Sends pdu and waits for the answer; returns the transport status.
    int Exchange(struct snmp_pdu* pdu, SnmpVarbindList* varbinds, long* errorStatus);

    void* m_session = nullptr;
};
