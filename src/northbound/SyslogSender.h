#pragma once

#include "northbound/NorthboundSender.h"
#include "northbound/SyslogTarget.h"

#include <QString>

#include <netinet/in.h>

// Sends the alarm starts and ends that the log has written, and the operator's acknowledgements, to one syslog
// collector, see NorthboundSender. TCP
// reconnects with a back-off. A message in flight when a TCP connection breaks may be lost: syslog over TCP has no
// acknowledgement.
class SyslogSender final : public NorthboundSender
{
public:
    explicit SyslogSender(const SyslogTarget& target, int maxQueued = MaxQueued);
    ~SyslogSender() override;
    SyslogSender(const SyslogSender&) = delete;
    SyslogSender& operator=(const SyslogSender&) = delete;

private:
    size_t Send(const std::vector<Message>& batch) override;
    void Finish() override;

    bool Deliver(const QByteArray& message);
    bool Connect();
    bool SendStream(const QByteArray& frame);
    bool PeerHasClosed() const;
    void Disconnect();

    const SyslogTarget m_target;
    const qint64 m_processId;
    const QString m_hostName;

    // Only the sender's thread touches these.
    int m_socket = -1;
    sockaddr_in m_peer{};
};
