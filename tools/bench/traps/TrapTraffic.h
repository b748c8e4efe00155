#pragma once

#include "TrapSender.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <vector>

class DeviceConfigFile;

// Traffic for the benches: notifications encoded once as a probe sends them, and sockets that send them to the
// station from many loopback addresses at a chosen rate.
namespace TrapTraffic {
// The address the single-source benches send from.
extern const char* const SenderAddress;
// A facility-wide fault silences every embedded track of every BNC port of a probe.
constexpr int StormPorts = 16;
constexpr int StormTracks = 8;

// A notification as a probe encodes it, captured off the wire so that every send is identical.
QByteArray Capture(const QString& trapOid, const QList<TrapSender::Varbind>& varbinds);
// One video-lost trap of BNC 3 (device severity 2 raises, 0 clears).
QByteArray VideoLost(const char* severity);
// The silence of every track of every BNC port at one severity, in the order a probe reports them: BNC 1 track 1,
// BNC 1 track 2, ... BNC 16 track 8.
QList<QByteArray> Silences(const char* severity);
// Probe n's address, from 127.1.0.1 on.
QString StormAddress(int device);
// Adds probes 0 to devices - 1, each watching every track of its sixteen BNC ports.
void AddStormProbes(DeviceConfigFile& config, int devices);

// Sockets to send from, one per source address.
class Senders
{
public:
    explicit Senders(const QStringList& addresses);
    ~Senders();
    Senders(const Senders&) = delete;
    Senders& operator=(const Senders&) = delete;
    const std::vector<int>& Sockets() const { return m_sockets; }

private:
    std::vector<int> m_sockets;
};

// Sends count packets to the port on 127.0.0.1 at the given rate (0: as fast as the sockets take them) and returns
// the seconds it took. Every source sends in turn; each round of them takes the next packet of the list: packet k
// from every source, then packet k + 1 from every source, and so on. A single source sends the packets already due
// in one call, up to 32.
double Send(const QList<QByteArray>& packets, quint16 port, long count, long rate, const Senders& senders);
// From SenderAddress alone.
double Send(const QList<QByteArray>& packets, quint16 port, long count, long rate);
} // namespace TrapTraffic
