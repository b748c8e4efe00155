#include "snmp/SnmpDeviceSession.h"

#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpPdu.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <QDebug>

SnmpDeviceSession::SnmpDeviceSession(const QString& ip, quint16 port, int retries, int timeoutMs,
                                     const QByteArray& community)
    : m_ip(ip)
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
    // The library's error text is a shared buffer; the errno it kept is this thread's own.
    if (!m_session)
        qDebug() << "Open SNMP session to" << ip << "failed:" << qt_error_string(settings.s_errno);
}

SnmpDeviceSession::~SnmpDeviceSession()
{
    // Closing drops the request in flight; its answer is no longer wanted.
    m_inFlight = false;
    if (m_session)
        snmp_sess_close(m_session);
}

void SnmpDeviceSession::Send(RequestType type, const QStringList& oids, const QByteArray& value)
{
    m_hasAnswer = false;
    if (!m_session) {
        Finish(NotSent, nullptr);
        return;
    }
    netsnmp_pdu* pdu = snmp_pdu_create(type == Set ? SNMP_MSG_SET : SNMP_MSG_GET);
    for (const QString& oidText : oids) {
        oid name[MAX_OID_LEN];
        size_t length = 0;
        if (!SnmpPdu::ParseOid(oidText, name, &length, MAX_OID_LEN)) {
            snmp_free_pdu(pdu);
            Finish(STAT_ERROR, nullptr);
            return;
        }
        if (type == Set)
            snmp_pdu_add_variable(pdu, name, length, ASN_OCTET_STR, value.constData(), size_t(value.size()));
        else
            snmp_add_null_var(pdu, name, length);
    }
    m_inFlight = true;
    // On success the library owns the PDU; on failure it is still ours.
    if (snmp_sess_async_send(m_session, pdu, &SnmpDeviceSession::OnResponse, this) == 0) {
        snmp_free_pdu(pdu);
        qDebug() << "Request to" << m_ip << "not sent:" << qt_error_string(snmp_sess_session(m_session)->s_errno);
        Finish(NotSent, nullptr);
    }
}

SnmpDeviceSession::Answer SnmpDeviceSession::TakeAnswer()
{
    m_hasAnswer = false;
    return std::move(m_answer);
}

int SnmpDeviceSession::OnResponse(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic)
{
    auto* self = static_cast<SnmpDeviceSession*>(magic);
    if (!self->m_inFlight)
        return 1;
    switch (operation) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
        self->Finish(pdu ? STAT_SUCCESS : STAT_ERROR, pdu);
        break;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
        self->Finish(STAT_TIMEOUT, nullptr);
        break;
    case NETSNMP_CALLBACK_OP_RESEND:
        // One of the retries went out; the request is still in flight.
        break;
    default:
        self->Finish(STAT_ERROR, nullptr);
        break;
    }
    return 1;
}

void SnmpDeviceSession::Finish(int status, const netsnmp_pdu* response)
{
    m_inFlight = false;
    m_hasAnswer = true;
    m_answer = Answer();
    m_answer.status = status;
    if (response) {
        m_answer.errorStatus = response->errstat;
        m_answer.varbinds = SnmpPdu::Varbinds(response);
    }
}

int SnmpDeviceSession::SetStatus(const Answer& answer)
{
    if (answer.status != STAT_SUCCESS)
        return answer.status;
    return answer.errorStatus != SNMP_ERR_NOERROR ? -int(answer.errorStatus) : 0;
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
    case NotSent:
        return QStringLiteral("Not sent: no descriptor, buffer or route on the station");
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
