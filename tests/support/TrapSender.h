#pragma once

#include <QList>
#include <QString>

// Sends SNMPv2c notifications from a chosen loopback address, encoded by Net-SNMP as a device would.
class TrapSender
{
public:
    // The probes' enterprise subtree, the root of every object and notification they send.
    static constexpr char Enterprise[] = "1.3.6.1.4.1.58206";

    struct Varbind
    {
        QString oid;
        // Net-SNMP's type letters: 'i' INTEGER, 's' OCTET STRING, 'o' OBJECT IDENTIFIER, 'u' Unsigned32, ...
        char type;
        QString value;
    };

    TrapSender(const QString& sourceIp, quint16 targetPort, const QString& targetIp = QStringLiteral("127.0.0.1"));
    ~TrapSender();
    TrapSender(const TrapSender&) = delete;
    TrapSender& operator=(const TrapSender&) = delete;

    // Varbinds follow sysUpTime.0 and snmpTrapOID.0; with rawVarbinds they are sent exactly as given.
    bool SendTrap(const QString& trapOid, const QList<Varbind>& varbinds);
    bool SendRaw(const QList<Varbind>& rawVarbinds);
    // True when the receiver acknowledged the inform.
    bool SendInform(const QString& trapOid, const QList<Varbind>& varbinds);
    // A video-lost notification of BNC port bnc at the device's severity 0 to 2, standard 1080p50.
    bool SendVideoLost(int bnc, int severity);

private:
    bool Send(int command, const QString& trapOid, const QList<Varbind>& varbinds, bool withHeader);

    void* m_session = nullptr;
};
