#include "snmp/TrapParser.h"

#include "snmp/NetSnmpLibrary.h"
#include "snmp/SnmpPdu.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstdlib>

namespace {
const oid SnmpTrapOid[] = {1, 3, 6, 1, 6, 3, 1, 1, 4, 1, 0};
const QString SnmpTraps = QStringLiteral("1.3.6.1.6.3.1.1.5");

// SNMPv3 would take the library's shared security state, which no decoding thread may touch; the probes speak
// SNMPv1 and SNMPv2c, and the station has no SNMPv3 user to accept anything else with.
bool IsCommunityMessage(const QByteArray& datagram)
{
    size_t length = size_t(datagram.size());
    u_char type = 0;
    u_char* cursor = asn_parse_sequence(reinterpret_cast<u_char*>(const_cast<char*>(datagram.constData())), &length,
                                        &type, ASN_SEQUENCE | ASN_CONSTRUCTOR, "message");
    long version = -1;
    return cursor && asn_parse_int(cursor, &length, &type, &version, sizeof(version)) &&
           (version == SNMP_VERSION_1 || version == SNMP_VERSION_2c);
}

QByteArray Response(const netsnmp_pdu* inform, netsnmp_session* parseState)
{
    netsnmp_pdu* response = snmp_clone_pdu(const_cast<netsnmp_pdu*>(inform));
    if (!response)
        return QByteArray();
    response->command = SNMP_MSG_RESPONSE;
    response->errstat = 0;
    response->errindex = 0;
    size_t size = 1024;
    size_t offset = 0;
    auto* buffer = static_cast<u_char*>(malloc(size));
    QByteArray encoded;
    if (buffer && snmp_build(&buffer, &size, &offset, parseState, response) == 0) {
        // Encoded from the back of the buffer, or from its front, as the library is set up.
        if (netsnmp_ds_get_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_REVERSE_ENCODE))
            encoded = QByteArray(reinterpret_cast<const char*>(buffer + size - offset), int(offset));
        else
            encoded = QByteArray(reinterpret_cast<const char*>(buffer), int(size));
    }
    free(buffer);
    snmp_free_pdu(response);
    return encoded;
}

bool Read(const netsnmp_pdu* pdu, TrapMessage& message)
{
    switch (pdu->command) {
    case SNMP_MSG_INFORM:
        message.isInform = true;
        // An inform carries the same varbinds as a trap.
        [[fallthrough]];
    case SNMP_MSG_TRAP2: {
        const netsnmp_variable_list* second = pdu->variables ? pdu->variables->next_variable : nullptr;
        if (second && second->type == ASN_OBJECT_ID && second->val.objid &&
            snmp_oid_compare(second->name, second->name_length, SnmpTrapOid, OID_LENGTH(SnmpTrapOid)) == 0)
            message.trapOid = SnmpPdu::OidText(second->val.objid, second->val_len / sizeof(oid));
        message.varbinds = SnmpPdu::Varbinds(pdu, 2);
        break;
    }
    case SNMP_MSG_TRAP:
        if (pdu->enterprise && pdu->enterprise_length > 0) {
            message.trapOid = TrapParser::V1TrapOid(SnmpPdu::OidText(pdu->enterprise, pdu->enterprise_length),
                                                    pdu->trap_type, pdu->specific_type);
        }
        message.varbinds = SnmpPdu::Varbinds(pdu);
        break;
    default:
        // Requests and responses sent to the trap port are not notifications.
        return false;
    }
    message.errorStatus = pdu->errstat;
    return true;
}
} // namespace

TrapParser::TrapParser() : m_parseState(std::make_unique<netsnmp_session>())
{
    NetSnmpLibrary::Init();
    snmp_sess_init(m_parseState.get());
    // Any version it can parse, any community.
    m_parseState->version = SNMP_DEFAULT_VERSION;
}

TrapParser::~TrapParser() = default;

bool TrapParser::Parse(const QByteArray& datagram, TrapMessage& message, QByteArray& reply)
{
    reply.clear();
    if (!IsCommunityMessage(datagram))
        return false;
    auto* pdu = static_cast<netsnmp_pdu*>(calloc(1, sizeof(netsnmp_pdu)));
    if (!pdu)
        return false;
    auto* data = reinterpret_cast<u_char*>(const_cast<char*>(datagram.constData()));
    const bool parsed = snmp_parse(nullptr, m_parseState.get(), pdu, data, size_t(datagram.size())) == 0;
    const bool read = parsed && Read(pdu, message);
    // Acknowledged whatever the decoding makes of it, so that the sender stops retrying.
    if (read && message.isInform)
        reply = Response(pdu, m_parseState.get());
    snmp_free_pdu(pdu);
    return read;
}

QString TrapParser::V1TrapOid(const QString& enterprise, long genericTrap, long specificTrap)
{
    constexpr long EnterpriseSpecific = 6;
    if (genericTrap == EnterpriseSpecific)
        return QStringLiteral("%1.0.%2").arg(enterprise).arg(specificTrap);
    return QStringLiteral("%1.%2").arg(SnmpTraps).arg(genericTrap + 1);
}
