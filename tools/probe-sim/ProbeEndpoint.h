#pragma once

#include "SimTypes.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <QString>

#include <vector>

class ProbeState;

// The network side of one simulated probe: a Net-SNMP session on the probe's own address that answers GET and SET
// from the probe's state and sends its notifications to the destination written into it.
class ProbeEndpoint
{
public:
    ProbeEndpoint(ProbeState* state, bool verbose, HeldAnswers* held);
    ~ProbeEndpoint();
    ProbeEndpoint(const ProbeEndpoint&) = delete;
    ProbeEndpoint& operator=(const ProbeEndpoint&) = delete;

    bool Open(quint16 port, QString* error);

    // The session's socket and its next retransmission or held answer, for the caller's select loop.
    void AddToSelect(int* maxFd, fd_set* readFds, timeval* timeout, int* block);
    void Read(fd_set* readFds);
    // Resends what timed out and sends the held answers that are due.
    void HandleTimeouts();

    // Sent as a trap or an inform, as the probe is set; nothing while it is silent or has no destination.
    void Send(const Notification& notification);

private:
    struct HeldAnswer
    {
        qint64 dueMs;
        netsnmp_pdu* response;
    };

    static int OnPdu(int operation, netsnmp_session* session, int requestId, netsnmp_pdu* pdu, void* magic);
    void Answer(netsnmp_pdu* request);
    void FillGetResponse(netsnmp_pdu* response);
    void FillSetResponse(netsnmp_pdu* response);
    void Print(const QString& line) const;
    void SendAnswer(netsnmp_pdu* response);

    ProbeState* m_state;
    bool m_verbose;
    void* m_session = nullptr;
    HeldAnswers* m_heldCount;
    std::vector<HeldAnswer> m_held;
};
