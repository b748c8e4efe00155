#include "snmp/DeviceConversation.h"

DeviceConversation::DeviceConversation(const QString& ip, int retries, std::function<bool()> mustStop)
    : m_ip(ip), m_retries(retries), m_mustStop(std::move(mustStop))
{
}

void DeviceConversation::Get(const QStringList& oids, Handler handler)
{
    m_requests.enqueue({SnmpDeviceSession::Get, oids, QByteArray(), std::move(handler)});
}

void DeviceConversation::Set(const QString& oid, const QByteArray& value, Handler handler)
{
    m_requests.enqueue({SnmpDeviceSession::Set, {oid}, value, std::move(handler)});
}

void DeviceConversation::Abandon()
{
    m_requests.clear();
}

bool DeviceConversation::Begin()
{
    m_session = std::make_unique<SnmpDeviceSession>(m_ip, SnmpDeviceSession::DevicePort(), m_retries);
    return SendNext() && Continue();
}

bool DeviceConversation::Continue()
{
    // A request that failed at once is answered without a trip through the select loop.
    while (m_session->HasAnswer()) {
        const Answer answer = m_session->TakeAnswer();
        const Handler handler = std::move(m_waiting);
        m_waiting = nullptr;
        if (handler)
            handler(*this, answer);
        if (!SendNext())
            return false;
    }
    return true;
}

bool DeviceConversation::SendNext()
{
    if (m_requests.isEmpty() || (m_mustStop && m_mustStop())) {
        m_requests.clear();
        return false;
    }
    Request request = m_requests.dequeue();
    m_waiting = std::move(request.handler);
    m_session->Send(request.type, request.oids, request.value);
    return true;
}
