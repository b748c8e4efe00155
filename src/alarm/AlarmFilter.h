#pragma once

#include "config/DeviceConfigFile.h"

#include <QHash>
#include <QString>
#include <QStringList>

class AlarmRecord;
class DeviceConfigNode;
class PortConfigNode;

// What the device configuration asks for, with its devices and ports found by key rather than by a walk through
// the list, so that a record costs as much with a thousand devices as with one. Never changed once made, so that
// the handler's thread decides records with it while the configuration is being replaced.
class AlarmFilter
{
public:
    AlarmFilter() = default;
    explicit AlarmFilter(const DeviceConfigFile& config);
    // The index points into the filter's own copy of the configuration.
    AlarmFilter(const AlarmFilter&) = delete;
    AlarmFilter& operator=(const AlarmFilter&) = delete;

    // Drops what the configuration does not ask for and fills in the device and signal names.
    bool AcceptAndName(AlarmRecord* record) const;
    bool HasDevice(const QString& ip) const { return m_devices.contains(ip); }
    int DeviceCount() const { return m_devices.size(); }
    QStringList DeviceIps() const { return m_devices.keys(); }

private:
    struct Device
    {
        const DeviceConfigNode* node = nullptr;
        // By their names ("BNC 3"), the first of each.
        QHash<QString, const PortConfigNode*> ports;
    };

    DeviceConfigFile m_config;
    // The first device of each address, as the configuration finds it.
    QHash<QString, Device> m_devices;
};
