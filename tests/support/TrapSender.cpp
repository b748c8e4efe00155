#include "TrapSender.h"

#include "snmp/NetSnmpLibrary.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace {
bool AddVarbind(netsnmp_pdu* pdu, const QString& oidText, char type, const QString& value)
{
    oid name[MAX_OID_LEN];
    size_t length = MAX_OID_LEN;
    if (!read_objid(oidText.toLatin1().constData(), name, &length))
        return false;
    return snmp_add_var(pdu, name, length, type, value.toUtf8().constData()) == 0;
}
} // namespace

TrapSender::TrapSender(const QString& sourceIp, quint16 targetPort, const QString& targetIp)
{
    NetSnmpLibrary::Init();
    netsnmp_session settings;
    snmp_sess_init(&settings);
    QByteArray peer = QStringLiteral("udp:%1:%2").arg(targetIp).arg(targetPort).toLatin1();
    QByteArray local = sourceIp.toLatin1();
    QByteArray community("ravivu");
    settings.peername = peer.data();
    settings.localname = local.data();
    settings.version = SNMP_VERSION_2c;
    settings.community = reinterpret_cast<u_char*>(community.data());
    settings.community_len = size_t(community.size());
    settings.retries = 1;
    settings.timeout = 1000 * 1000;
    m_session = snmp_sess_open(&settings);
}

TrapSender::~TrapSender()
{
    if (m_session)
        snmp_sess_close(m_session);
}

bool TrapSender::SendTrap(const QString& trapOid, const QList<Varbind>& varbinds)
{
    return Send(SNMP_MSG_TRAP2, trapOid, varbinds, true);
}

bool TrapSender::SendRaw(const QList<Varbind>& rawVarbinds)
{
    return Send(SNMP_MSG_TRAP2, QString(), rawVarbinds, false);
}

bool TrapSender::SendInform(const QString& trapOid, const QList<Varbind>& varbinds)
{
    return Send(SNMP_MSG_INFORM, trapOid, varbinds, true);
}

bool TrapSender::SendVideoLost(int bnc, int severity)
{
    const QString column = QStringLiteral("%1.1.2.3.2.1.2.1.%2.1.%3").arg(QLatin1String(Enterprise));
    return SendTrap(QLatin1String(Enterprise) + ".1.2.3.2.1.3.2",
                    {{column.arg(5).arg(bnc), 'i', "1"},
                     {column.arg(6).arg(bnc), 'i', QString::number(bnc)},
                     {column.arg(7).arg(bnc), 'i', "17"},
                     {column.arg(8).arg(bnc), 'i', QString::number(severity)}});
}

bool TrapSender::Send(int command, const QString& trapOid, const QList<Varbind>& varbinds, bool withHeader)
{
    if (!m_session)
        return false;
    netsnmp_pdu* pdu = snmp_pdu_create(command);
    bool ok = true;
    if (withHeader) {
        ok = AddVarbind(pdu, QStringLiteral("1.3.6.1.2.1.1.3.0"), 't', QStringLiteral("12345")) &&
             AddVarbind(pdu, QStringLiteral("1.3.6.1.6.3.1.1.4.1.0"), 'o', trapOid);
    }
    for (const Varbind& varbind : varbinds)
        ok = ok && AddVarbind(pdu, varbind.oid, varbind.type, varbind.value);
    if (!ok) {
        snmp_free_pdu(pdu);
        return false;
    }
    if (command == SNMP_MSG_INFORM) {
        netsnmp_pdu* response = nullptr;
        const int status = snmp_sess_synch_response(m_session, pdu, &response);
        const bool acknowledged = status == STAT_SUCCESS && response && response->command == SNMP_MSG_RESPONSE;
        if (response)
            snmp_free_pdu(response);
        return acknowledged;
    }
    if (!snmp_sess_send(m_session, pdu)) {
        snmp_free_pdu(pdu);
        return false;
    }
    return true;
}
