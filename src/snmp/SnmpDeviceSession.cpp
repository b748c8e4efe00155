#include "snmp/SnmpDeviceSession.h"

#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpPdu.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <QDebug>

SnmpDeviceSession::SnmpDeviceSession(const QString& ip, quint16 port, int retries, int timeoutMs,
                                     const QByteArray& community)
{
    NetSnmpLibrary::Init();
    netsnmp_session settings;
    snmp_sess_init(&settings);
    const QByteArray peer = QStringLiteral("udp:%1:%2").arg(ip).arg(port).toLatin1();
    QByteArray communityCopy = community;
    settings.peername = const_cast<char*>(peer.constData());
    settings.version = SNMP_VERSION_2c;
    settings.community = reinterpret_cast<u_char*>(communityCopy.data());
    settings.community_len = size_t(communityCopy.size());
    settings.retries = retries;
    settings.timeout = long(timeoutMs) * 1000;
    // snmp_sess_open copies what it keeps, so the local buffers may go.
    m_session = snmp_sess_open(&settings);
    if (!m_session)
        qDebug() << "Open SNMP session to" << ip << "failed:" << snmp_api_errstring(snmp_errno);
}

SnmpDeviceSession::~SnmpDeviceSession()
{
    if (m_session)
        snmp_sess_close(m_session);
}

int SnmpDeviceSession::Get(const QString& oidText, SnmpVarbind* out)
{
    oid name[MAX_OID_LEN];
    size_t length = 0;
    if (!SnmpPdu::ParseOid(oidText, name, &length, MAX_OID_LEN))
        return STAT_ERROR;
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
    snmp_add_null_var(pdu, name, length);
    return Request(pdu, out);
}

int SnmpDeviceSession::Set(const QString& oidText, const QByteArray& octetString)
{
    oid name[MAX_OID_LEN];
    size_t length = 0;
    if (!SnmpPdu::ParseOid(oidText, name, &length, MAX_OID_LEN))
        return STAT_ERROR;
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_SET);
    snmp_pdu_add_variable(pdu, name, length, ASN_OCTET_STR, octetString.constData(), size_t(octetString.size()));
    return Request(pdu, nullptr);
}

int SnmpDeviceSession::Get(const QStringList& oids, SnmpVarbindList* out, long* errorStatus)
{
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
    for (const QString& oidText : oids) {
        oid name[MAX_OID_LEN];
        size_t length = 0;
        if (!SnmpPdu::ParseOid(oidText, name, &length, MAX_OID_LEN)) {
            snmp_free_pdu(pdu);
            return STAT_ERROR;
        }
        snmp_add_null_var(pdu, name, length);
    }
    return Exchange(pdu, out, errorStatus);
}

int SnmpDeviceSession::Request(netsnmp_pdu* pdu, SnmpVarbind* out)
{
    SnmpVarbindList varbinds;
    long errorStatus = SNMP_ERR_NOERROR;
    const int status = Exchange(pdu, &varbinds, &errorStatus);
    if (status != STAT_SUCCESS)
        return status;
    if (errorStatus != SNMP_ERR_NOERROR)
        return -int(errorStatus);
    if (out)
        *out = varbinds.isEmpty() ? SnmpVarbind() : varbinds.first();
    return status;
}

int SnmpDeviceSession::Exchange(netsnmp_pdu* pdu, SnmpVarbindList* varbinds, long* errorStatus)
{
    if (!m_session) {
        snmp_free_pdu(pdu);
        return STAT_ERROR;
    }
    netsnmp_pdu* response = nullptr;
    // The library frees the request PDU whatever the outcome.
    int status = snmp_sess_synch_response(m_session, pdu, &response);
    if (status == STAT_SUCCESS && response) {
        *errorStatus = response->errstat;
        *varbinds = SnmpPdu::Varbinds(response);
    } else if (status == STAT_SUCCESS) {
        status = STAT_ERROR;
    }
    if (response)
        snmp_free_pdu(response);
    return status;
}

QString SnmpDeviceSession::ErrorText(int status)
{
    if (status < 0)
        return QString::fromLatin1(snmp_errstring(-status));
    switch (status) {
    case STAT_SUCCESS:
        return QStringLiteral("Success");
    case STAT_TIMEOUT:
        return QStringLiteral("No response from the device (timeout)");
    default:
        return QStringLiteral("SNMP request failed");
    }
}

quint16 SnmpDeviceSession::DevicePort()
{
    static const quint16 port = [] {
        bool ok = false;
        const uint value = qEnvironmentVariable("VIZAVOVU_DEVICE_PORT").toUInt(&ok);
        return (ok && value > 0 && value <= 65535) ? quint16(value) : quint16(161);
    }();
    return port;
}
