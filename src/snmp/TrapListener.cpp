#include "snmp/TrapListener.h"

#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpPdu.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <sys/select.h>
#include <sys/socket.h>

namespace
{
const QString SnmpTrapOid = QStringLiteral("1.3.6.1.6.3.1.1.4.1.0");
const QString SnmpTraps = QStringLiteral("1.3.6.1.6.3.1.1.5");
constexpr int ReceiveBufferBytes = 8 * 1024 * 1024;
constexpr int PollMicroseconds = 10 * 1000;

QString SenderIp(const netsnmp_pdu* pdu)
{
    if (!pdu->transport_data || size_t(pdu->transport_data_length) < sizeof(netsnmp_sockaddr_storage))
        return QString();
    const auto* address = static_cast<const netsnmp_sockaddr_storage*>(pdu->transport_data);
    if (address->sa.sa_family != AF_INET)
        return QString();
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address->sin.sin_addr, text, sizeof(text));
    return QString::fromLatin1(text);
}

// Bursts of traps must wait in the kernel rather than be dropped while a record is being queued.
void EnlargeReceiveBuffer(int socket)
{
    const int size = ReceiveBufferBytes;
    if (setsockopt(socket, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof(size)) != 0)
        setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &size, sizeof(size));
}
} // namespace

TrapListener::TrapListener(Callback callback) : m_callback(std::move(callback))
{
}

TrapListener::~TrapListener()
{
    Close();
}

bool TrapListener::Open(quint16 port)
{
    Close();
    NetSnmpLibrary::Init();
    const QByteArray endpoint = QStringLiteral("udp:0.0.0.0:%1").arg(port).toLatin1();
    errno = 0;
    netsnmp_transport* transport = netsnmp_tdomain_transport(endpoint.constData(), 1, "udp");
    if (!transport) {
        const int error = errno;
        m_errorString = QStringLiteral("Cannot listen on UDP port %1: %2")
                            .arg(port)
                            .arg(error ? QString::fromLocal8Bit(strerror(error))
                                       : QStringLiteral("the port is in use or not available"));
        return false;
    }
    EnlargeReceiveBuffer(transport->sock);

    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.peername = nullptr;
    settings.version = SNMP_DEFAULT_VERSION;
    settings.community_len = SNMP_DEFAULT_COMMUNITY_LEN;
    settings.isAuthoritative = SNMP_SESS_UNKNOWNAUTH;
    settings.callback = &TrapListener::OnPdu;
    settings.callback_magic = this;
    // On failure the library closes and frees the transport itself.
    m_session = snmp_sess_add(&settings, transport, nullptr, nullptr);
    if (!m_session) {
        m_errorString = QStringLiteral("Cannot listen on UDP port %1: %2")
                            .arg(port)
                            .arg(QString::fromLatin1(snmp_api_errstring(snmp_errno)));
        return false;
    }
    m_port = port;
    m_stopRequested = false;
    start();
    return true;
}

void TrapListener::Close()
{
    m_stopRequested = true;
    wait();
    if (m_session) {
        snmp_sess_close(m_session);
        m_session = nullptr;
    }
    m_port = 0;
}

void TrapListener::run()
{
    while (!m_stopRequested) {
        int fdCount = 0;
        int block = 0;
        fd_set readable;
        FD_ZERO(&readable);
        timeval timeout{0, PollMicroseconds};
        snmp_sess_select_info(m_session, &fdCount, &readable, &timeout, &block);
        // A short, fixed timeout keeps Close responsive whatever the library asks for.
        timeout = timeval{0, PollMicroseconds};
        const int ready = select(fdCount, &readable, nullptr, nullptr, &timeout);
        if (ready > 0)
            snmp_sess_read(m_session, &readable);
        else if (ready == 0)
            snmp_sess_timeout(m_session);
    }
}

int TrapListener::OnPdu(int operation, snmp_session*, int, snmp_pdu* pdu, void* magic)
{
    if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu && magic)
        static_cast<TrapListener*>(magic)->Handle(pdu);
    return 1;
}

void TrapListener::Handle(snmp_pdu* pdu)
{
    TrapMessage message;
    switch (pdu->command) {
    case SNMP_MSG_INFORM: {
        // Acknowledge first so that the sender stops retrying whatever the decoding makes of it.
        netsnmp_pdu* reply = snmp_clone_pdu(pdu);
        if (reply) {
            reply->command = SNMP_MSG_RESPONSE;
            reply->errstat = 0;
            reply->errindex = 0;
            if (!snmp_sess_send(m_session, reply))
                snmp_free_pdu(reply);
        }
        message.isInform = true;
        // An inform carries the same varbinds as a trap.
        [[fallthrough]];
    }
    case SNMP_MSG_TRAP2: {
        const SnmpVarbindList all = SnmpPdu::Varbinds(pdu);
        if (all.size() >= 2 && all[1].oid == SnmpTrapOid && all[1].type == ASN_OBJECT_ID)
            message.trapOid = all[1].printable;
        message.varbinds = all.mid(2);
        break;
    }
    case SNMP_MSG_TRAP:
        if (pdu->enterprise && pdu->enterprise_length > 0) {
            message.trapOid = V1TrapOid(SnmpPdu::OidText(pdu->enterprise, pdu->enterprise_length), pdu->trap_type,
                                        pdu->specific_type);
        }
        message.varbinds = SnmpPdu::Varbinds(pdu);
        break;
    default:
        // Requests and responses sent to the trap port are not notifications.
        return;
    }
    message.senderIp = SenderIp(pdu);
    message.errorStatus = pdu->errstat;
    m_callback(message);
}

QString TrapListener::V1TrapOid(const QString& enterprise, long genericTrap, long specificTrap)
{
    constexpr long EnterpriseSpecific = 6;
    if (genericTrap == EnterpriseSpecific)
        return QStringLiteral("%1.0.%2").arg(enterprise).arg(specificTrap);
    return QStringLiteral("%1.%2").arg(SnmpTraps).arg(genericTrap + 1);
}
