#include "ProbeEndpoint.h"

#include "ProbeState.h"

#include <QDeadlineTimer>
#include <QStringList>

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>

namespace {

const QByteArray Community = QByteArrayLiteral("ravivu");
const QString SysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");
const QString SnmpTrapOid = QStringLiteral("1.3.6.1.6.3.1.1.4.1.0");

QString OidText(const oid* name, size_t length)
{
    QStringList parts;
    for (size_t i = 0; i < length; ++i)
        parts.append(QString::number(name[i]));
    return parts.join(QLatin1Char('.'));
}

size_t OidFromText(const QString& text, oid* name)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    size_t length = 0;
    for (const QString& part : parts) {
        if (length == MAX_OID_LEN)
            break;
        name[length++] = part.toULong();
    }
    return length;
}

// False for a value type that the probe neither stores nor sends.
bool ValueFromVarbind(const netsnmp_variable_list* var, SimValue* value)
{
    switch (var->type) {
    case ASN_INTEGER:
        *value = SimValue::FromInteger(*var->val.integer);
        return true;
    case ASN_OCTET_STR:
        *value = SimValue::FromOctets(QByteArray(reinterpret_cast<const char*>(var->val.string), int(var->val_len)));
        return true;
    case ASN_OBJECT_ID:
        *value = SimValue::FromOid(OidText(var->val.objid, var->val_len / sizeof(oid)));
        return true;
    case ASN_TIMETICKS:
        *value = SimValue::FromTimeTicks(long(*var->val.integer));
        return true;
    default:
        return false;
    }
}

// Sets the value of a varbind already in a PDU, or appends a new one when name is given.
void PutValue(netsnmp_pdu* pdu, netsnmp_variable_list* var, const QString& name, const SimValue& value)
{
    oid nameOid[MAX_OID_LEN];
    const size_t nameLength = var ? 0 : OidFromText(name, nameOid);
    auto put = [&](u_char type, const void* data, size_t length) {
        if (var)
            snmp_set_var_typed_value(var, type, data, length);
        else
            snmp_pdu_add_variable(pdu, nameOid, nameLength, type, data, length);
    };
    switch (value.type) {
    case SimValue::Integer: {
        const long integer = value.integer;
        put(ASN_INTEGER, &integer, sizeof(integer));
        break;
    }
    case SimValue::OctetString:
        put(ASN_OCTET_STR, value.octets.constData(), size_t(value.octets.size()));
        break;
    case SimValue::ObjectId: {
        oid objid[MAX_OID_LEN];
        const size_t length = OidFromText(QString::fromLatin1(value.octets), objid);
        put(ASN_OBJECT_ID, objid, length * sizeof(oid));
        break;
    }
    case SimValue::TimeTicks: {
        const u_long ticks = u_long(value.integer);
        put(ASN_TIMETICKS, &ticks, sizeof(ticks));
        break;
    }
    }
}

QString ValueText(const SimValue& value)
{
    switch (value.type) {
    case SimValue::OctetString:
        return QLatin1Char('"') + QString::fromUtf8(value.octets) + QLatin1Char('"');
    case SimValue::ObjectId:
        return QString::fromLatin1(value.octets);
    case SimValue::Integer:
    case SimValue::TimeTicks:
        break;
    }
    return QString::number(value.integer);
}

qint64 NowMs()
{
    return QDeadlineTimer::current().deadline();
}

} // namespace

ProbeEndpoint::ProbeEndpoint(ProbeState* state, bool verbose, HeldAnswers* held)
    : m_state(state), m_verbose(verbose), m_heldCount(held)
{
}

ProbeEndpoint::~ProbeEndpoint()
{
    for (const HeldAnswer& held : m_held)
        snmp_free_pdu(held.response);
    if (m_session)
        snmp_sess_close(m_session);
}

bool ProbeEndpoint::Open(quint16 port, QString* error)
{
    const QByteArray endpoint = QStringLiteral("udp:%1:%2").arg(m_state->Address()).arg(port).toLatin1();
    netsnmp_transport* transport = netsnmp_transport_open_server("probe-sim", endpoint.constData());
    if (!transport) {
        *error = QStringLiteral("cannot listen on %1:%2 (%3)")
                     .arg(m_state->Address())
                     .arg(port)
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    netsnmp_session session;
    snmp_sess_init(&session);
    session.version = SNMP_VERSION_2c;
    session.community = reinterpret_cast<u_char*>(const_cast<char*>(Community.constData()));
    session.community_len = size_t(Community.size());
    session.isAuthoritative = SNMP_SESS_AUTHORITATIVE;
    // Informs are retried like a real probe would: 1 s apart, twice.
    session.timeout = 1000000;
    session.retries = 2;
    session.callback = &ProbeEndpoint::OnPdu;
    session.callback_magic = this;
    m_session = snmp_sess_add(&session, transport, nullptr, nullptr);
    if (!m_session) {
        *error = QStringLiteral("cannot open a session on %1:%2").arg(m_state->Address()).arg(port);
        return false;
    }
    return true;
}

void ProbeEndpoint::AddToSelect(int* maxFd, fd_set* readFds, timeval* timeout, int* block)
{
    int sessionBlock = 1;
    timeval sessionTimeout = {0, 0};
    snmp_sess_select_info(m_session, maxFd, readFds, &sessionTimeout, &sessionBlock);
    if (!sessionBlock && (*block || timercmp(&sessionTimeout, timeout, <))) {
        *timeout = sessionTimeout;
        *block = 0;
    }
    for (const HeldAnswer& held : m_held) {
        const qint64 waitMs = qMax<qint64>(0, held.dueMs - NowMs());
        const timeval due = {time_t(waitMs / 1000), suseconds_t((waitMs % 1000) * 1000)};
        if (*block || timercmp(&due, timeout, <)) {
            *timeout = due;
            *block = 0;
        }
    }
}

void ProbeEndpoint::Read(fd_set* readFds)
{
    snmp_sess_read(m_session, readFds);
}

void ProbeEndpoint::HandleTimeouts()
{
    snmp_sess_timeout(m_session);
    const qint64 now = NowMs();
    for (auto it = m_held.begin(); it != m_held.end();) {
        if (it->dueMs > now) {
            ++it;
            continue;
        }
        SendAnswer(it->response);
        --m_heldCount->now;
        it = m_held.erase(it);
    }
}

void ProbeEndpoint::SendAnswer(netsnmp_pdu* response)
{
    if (!snmp_sess_send(m_session, response))
        snmp_free_pdu(response);
}

void ProbeEndpoint::Send(const Notification& notification)
{
    QString host;
    quint16 port = 0;
    if (m_state->IsSilent() || !m_state->Destination(&host, &port))
        return;

    const bool inform = m_state->SendsInforms();
    netsnmp_pdu* pdu = snmp_pdu_create(inform ? SNMP_MSG_INFORM : SNMP_MSG_TRAP2);
    PutValue(pdu, nullptr, SysUpTime, SimValue::FromTimeTicks(m_state->UpTime()));
    PutValue(pdu, nullptr, SnmpTrapOid, SimValue::FromOid(notification.trapOid));
    for (const SimVarbind& varbind : notification.varbinds)
        PutValue(pdu, nullptr, varbind.oid, varbind.value);

    // Sent through the probe's own socket, so that the station sees the probe's address as the sender.
    auto* destination = static_cast<netsnmp_indexed_addr_pair*>(calloc(1, sizeof(netsnmp_indexed_addr_pair)));
    destination->remote_addr.sin.sin_family = AF_INET;
    destination->remote_addr.sin.sin_port = htons(port);
    inet_pton(AF_INET, host.toLatin1().constData(), &destination->remote_addr.sin.sin_addr);
    pdu->transport_data = destination;
    pdu->transport_data_length = sizeof(netsnmp_indexed_addr_pair);

    if (!snmp_sess_send(m_session, pdu)) {
        snmp_free_pdu(pdu);
        std::fprintf(stderr, "probe-sim: %s: sending to %s:%u failed\n", qPrintable(m_state->Address()),
                     qPrintable(host), port);
        return;
    }
    Print(QStringLiteral("-> %1 %2 to %3:%4")
              .arg(inform ? QStringLiteral("inform") : QStringLiteral("trap"), notification.trapOid, host)
              .arg(port));
}

int ProbeEndpoint::OnPdu(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic)
{
    auto* endpoint = static_cast<ProbeEndpoint*>(magic);
    if (operation == NETSNMP_CALLBACK_OP_TIMED_OUT) {
        endpoint->Print(QStringLiteral("inform not acknowledged"));
    } else if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE) {
        if (pdu->command == SNMP_MSG_RESPONSE)
            endpoint->Print(QStringLiteral("<- inform acknowledged"));
        else
            endpoint->Answer(pdu);
    }
    return 1;
}

void ProbeEndpoint::Answer(netsnmp_pdu* request)
{
    const bool get = request->command == SNMP_MSG_GET;
    const bool set = request->command == SNMP_MSG_SET;
    QStringList names;
    for (netsnmp_variable_list* var = request->variables; var; var = var->next_variable) {
        QString name = OidText(var->name, var->name_length);
        SimValue value;
        if (set && ValueFromVarbind(var, &value))
            name += QLatin1Char('=') + ValueText(value);
        names.append(name);
    }
    const QString verb = get ? QStringLiteral("get") : set ? QStringLiteral("set") : QStringLiteral("request");
    const QByteArray community(reinterpret_cast<const char*>(request->community), int(request->community_len));
    QString dropped;
    if (!get && !set)
        dropped = QStringLiteral("unsupported request, not answered");
    else if (request->version != SNMP_VERSION_2c || community != Community)
        dropped = QStringLiteral("wrong version or community, not answered");
    else if (m_state->IsSilent())
        dropped = QStringLiteral("silent, not answered");
    else if (get && m_state->IsBusy())
        dropped = QStringLiteral("busy, not answered");
    Print(QStringLiteral("<- %1 %2%3")
              .arg(verb, names.join(QLatin1Char(' ')),
                   dropped.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(dropped)));
    if (!dropped.isEmpty())
        return;

    netsnmp_pdu* response = snmp_clone_pdu(request);
    response->command = SNMP_MSG_RESPONSE;
    response->errstat = SNMP_ERR_NOERROR;
    response->errindex = 0;
    if (get)
        FillGetResponse(response);
    else
        FillSetResponse(response);
    if (m_state->AnswerDelay() <= 0) {
        SendAnswer(response);
        return;
    }
    m_held.push_back({NowMs() + m_state->AnswerDelay(), response});
    m_heldCount->peak = qMax(m_heldCount->peak, ++m_heldCount->now);
}

void ProbeEndpoint::FillGetResponse(netsnmp_pdu* response)
{
    for (netsnmp_variable_list* var = response->variables; var; var = var->next_variable) {
        SimValue value;
        switch (m_state->Find(OidText(var->name, var->name_length), &value)) {
        case ProbeState::Lookup::Found:
            PutValue(response, var, QString(), value);
            break;
        case ProbeState::Lookup::NoSuchInstance:
            snmp_set_var_typed_value(var, SNMP_NOSUCHINSTANCE, nullptr, 0);
            break;
        case ProbeState::Lookup::NoSuchObject:
            snmp_set_var_typed_value(var, SNMP_NOSUCHOBJECT, nullptr, 0);
            break;
        }
    }
}

void ProbeEndpoint::FillSetResponse(netsnmp_pdu* response)
{
    // All or nothing, as an agent must: check every varbind before writing any.
    long index = 1;
    for (netsnmp_variable_list* var = response->variables; var; var = var->next_variable, ++index) {
        SimValue value;
        int status = SNMP_ERR_WRONGTYPE;
        if (m_state->RefusesSet())
            status = SNMP_ERR_NOTWRITABLE;
        else if (ValueFromVarbind(var, &value))
            status = m_state->CheckWrite(OidText(var->name, var->name_length), value);
        if (status != SNMP_ERR_NOERROR) {
            response->errstat = status;
            response->errindex = index;
            Print(QStringLiteral("-> set refused, error status %1 at varbind %2").arg(status).arg(index));
            return;
        }
    }
    for (netsnmp_variable_list* var = response->variables; var; var = var->next_variable) {
        SimValue value;
        ValueFromVarbind(var, &value);
        m_state->Write(OidText(var->name, var->name_length), value);
    }
}

void ProbeEndpoint::Print(const QString& line) const
{
    if (!m_verbose)
        return;
    std::printf("%s %s\n", qPrintable(m_state->Address()), qPrintable(line));
    std::fflush(stdout);
}
