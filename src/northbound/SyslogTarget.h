#pragma once

#include <QString>

#include <optional>

// A syslog collector that the alarm stream goes to, as --syslog names it: udp://HOST[:PORT] or tcp://HOST[:PORT].
struct SyslogTarget
{
    enum class Transport
    {
        Udp,
        Tcp,
    };
    static constexpr quint16 DefaultPort = 514;

    Transport transport = Transport::Udp;
    // An IPv4 address or a host name; a name is looked up each time the sender connects.
    QString host;
    quint16 port = DefaultPort;

    // Nothing for anything but the two forms above with a valid host and a port from 1 to 65535.
    static std::optional<SyslogTarget> Parse(const QString& text);
    // The form that Parse reads, with the port always given.
    QString ToString() const;
};
