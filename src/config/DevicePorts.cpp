#include "config/DevicePorts.h"

#include "alarm/AlarmRecord.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

const QList<PortKind>& DevicePorts::Kinds()
{
    static const QList<PortKind> kinds = {
        {PortTypeBnc,
         16,
         {AlarmTypeVideoLost, AlarmTypeVideoBlack, AlarmTypeVideoFreeze, AlarmTypeSilence, AlarmTypeAudioOverload},
         8,
         &DeviceConfigNode::GetBncPort,
         &DeviceConfigNode::SetBncPort},
        {PortTypeAnalog,
         1,
         {AlarmTypeSilence, AlarmTypeAudioOverload},
         12,
         &DeviceConfigNode::GetAnalogPort,
         &DeviceConfigNode::SetAnalogPort},
        {PortTypeAes,
         1,
         {AlarmTypeSilence, AlarmTypeAudioOverload},
         32,
         &DeviceConfigNode::GetAesPort,
         &DeviceConfigNode::SetAesPort},
    };
    return kinds;
}

DeviceConfigNode DevicePorts::NewDevice(const QString& ip, const QString& name)
{
    DeviceConfigNode device(ip, name);
    for (const PortKind& kind : Kinds()) {
        const PortConfigNode port = NewPort(kind);
        for (int i = 0; i < kind.count; ++i)
            (device.*kind.setPort)(i, port);
    }
    return device;
}

PortConfigNode DevicePorts::NewPort(const PortKind& kind)
{
    PortConfigNode port;
    port.SetAlarm(kind.portType == PortTypeBnc);
    return port;
}
