#include "views/DevicePortSettings.h"

#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

#include <QCoreApplication>

void DevicePortSettings::Read(const DeviceConfigFile& config)
{
    m_config = config;
    m_switchedOff.clear();
    for (const DeviceConfigNode* device : m_config.Devices()) {
        if (m_switchedOff.contains(device->ip()))
            continue;
        Ports& off = m_switchedOff[device->ip()];
        PortConfigNode port;
        off.analog = device->GetAnalogPort(0, port) && !port.alarm();
        off.aes = device->GetAesPort(0, port) && !port.alarm();
        for (int i = 0; i < BncCount; ++i)
            off.bnc[i] = device->GetBncPort(i, port) && !port.alarm();
    }
}

void DevicePortSettings::Disable(const QString& ip, int& aes, int& analog, int* bnc) const
{
    const auto it = m_switchedOff.constFind(ip);
    if (it == m_switchedOff.constEnd())
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

bool DevicePortSettings::Captions(const QString& ip, QString& analog, QString& aes, QStringList& bnc) const
{
    const DeviceConfigNode* device = m_config.FindDevice(ip);
    if (!device)
        return false;
    // The main display's words, which it has always shown.
    PortConfigNode port;
    analog = device->GetAnalogPort(0, port) && !port.signal_name().isEmpty()
                 ? port.signal_name()
                 : QCoreApplication::translate("MainAlarmDisplayWidget", "ANA Audio");
    aes = device->GetAesPort(0, port) && !port.signal_name().isEmpty()
              ? port.signal_name()
              : QCoreApplication::translate("MainAlarmDisplayWidget", "AES Audio");
    bnc.clear();
    for (int i = 0; i < BncCount; ++i) {
        const bool named = device->GetBncPort(i, port) && !port.signal_name().isEmpty();
        bnc.append(named ? port.signal_name()
                         : QCoreApplication::translate("MainAlarmDisplayWidget", "BNC %1").arg(i + 1));
    }
    return true;
}
