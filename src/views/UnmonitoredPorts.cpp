#include "views/UnmonitoredPorts.h"

#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

void UnmonitoredPorts::Read(const DeviceConfigFile& config)
{
    m_devices.clear();
    for (const DeviceConfigNode* device : config.Devices()) {
        if (m_devices.contains(device->ip()))
            continue;
        Ports& off = m_devices[device->ip()];
        PortConfigNode port;
        off.analog = device->GetAnalogPort(0, port) && !port.alarm();
        off.aes = device->GetAesPort(0, port) && !port.alarm();
        for (int i = 0; i < BncCount; ++i)
            off.bnc[i] = device->GetBncPort(i, port) && !port.alarm();
    }
}

void UnmonitoredPorts::Disable(const QString& ip, int& aes, int& analog, int* bnc) const
{
    const auto it = m_devices.constFind(ip);
    if (it == m_devices.constEnd())
        return;
    if (it->analog)
        analog = 0;
    if (it->aes)
        aes = 0;
    for (int i = 0; i < BncCount; ++i) {
        if (it->bnc[i])
            bnc[i] = 0;
    }
}
