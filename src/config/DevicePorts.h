#pragma once

#include <QList>
#include <QString>

class DeviceConfigNode;
class PortConfigNode;

// The ports of one type that the device dialog edits and what it offers on each: ports 1 to count, the alarm types
// that can be switched off one by one, and tracks 1 to tracks.
struct PortKind
{
    int portType;
    int count;
    QList<quint32> alarmTypes;
    int tracks;
    bool (DeviceConfigNode::*getPort)(int, PortConfigNode&) const;
    void (DeviceConfigNode::*setPort)(int, const PortConfigNode&);
};

// The ports a device is edited with: BNC 1 to 16, Analog 1 and AES/EBU 1.
class DevicePorts
{
public:
    static const QList<PortKind>& Kinds();
    // A device as the dialog's Add creates it: every port with a new port's defaults, the BNC ports monitored and
    // the analog and AES/EBU port not.
    static DeviceConfigNode NewDevice(const QString& ip, const QString& name);
    // A port of that kind as NewDevice gives it.
    static PortConfigNode NewPort(const PortKind& kind);
};
