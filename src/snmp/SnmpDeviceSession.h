#pragma once

#include "snmp/SnmpVarbind.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// An asynchronous SNMPv2c session to one device with at most one request in flight, driven by SnmpConversations on
// the one thread that owns it. Net-SNMP resends the request after each timeout until the retries are spent.
// Statuses: 0 success; a positive value is Net-SNMP's transport status (1 error, 2 timeout) or NotSent; a negative
// value is the error-status the device answered with, negated.
class SnmpDeviceSession
{
public:
    struct Answer
    {
        // Transport status only: 0 when the device answered, whatever its error status.
        int status = 0;
        long errorStatus = 0;
        SnmpVarbindList varbinds;
    };

    // The request never left the station: no descriptor, no buffer or no route on this side. The device is not at
    // fault; the request is worth sending again.
    static constexpr int NotSent = 3;

    enum RequestType
    {
        Get,
        Set,
    };

    SnmpDeviceSession(const QString& ip, quint16 port, int retries, int timeoutMs = 1000,
                      const QByteArray& community = QByteArrayLiteral("ravivu"));
    ~SnmpDeviceSession();
    SnmpDeviceSession(const SnmpDeviceSession&) = delete;
    SnmpDeviceSession& operator=(const SnmpDeviceSession&) = delete;

    // A GET of every object, or a SET of the one object to the OCTET STRING value. A request that cannot be sent
    // is answered at once with NotSent.
    void Send(RequestType type, const QStringList& oids, const QByteArray& value = QByteArray());
    bool InFlight() const { return m_inFlight; }
    bool HasAnswer() const { return m_hasAnswer; }
    Answer TakeAnswer();
    // The Net-SNMP single-session handle, for the select loop; null when the session could not be opened.
    void* Handle() const { return m_session; }

    // The status of a SET: the transport status, or the device's error status negated.
    static int SetStatus(const Answer& answer);
    static QString ErrorText(int status);
    // 161, unless VIZAVOVU_DEVICE_PORT names another port (simulated probes run unprivileged above 1023).
    static quint16 DevicePort();

private:
    static int OnResponse(int operation, struct snmp_session* session, int requestId, struct snmp_pdu* pdu,
                          void* magic);
    void Finish(int status, const struct snmp_pdu* response);

    QString m_ip;
    void* m_session = nullptr;
    bool m_inFlight = false;
    bool m_hasAnswer = false;
    Answer m_answer;
};
