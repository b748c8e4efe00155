#pragma once

#include <QString>

#include <functional>

class SnmpConversations;

// What presence detection asks of the station's SNMP endpoint: probe a device, read its state again, and report a
// change of its connection.
class DeviceProber
{
public:
    virtual ~DeviceProber() = default;

    // One GET of the presence object, driven by conversations, ahead of any waiting state read; done receives its
    // status (SnmpDeviceSession). False when nothing is sent.
    virtual bool ProbeDevice(const QString& ip, SnmpConversations* conversations,
                             std::function<void(int status)> done) = 0;
    // False when the device is not read: not registered, or monitoring stops.
    virtual bool QueryDeviceState(const QString& ip, SnmpConversations* conversations) = 0;
    virtual void ReportConnectionState(const QString& ip, bool connected) = 0;
};
