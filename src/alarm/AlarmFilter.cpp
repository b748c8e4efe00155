#include "alarm/AlarmFilter.h"

#include "alarm/AlarmRecord.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"

#include <QDebug>

namespace {
// Both bounds are inclusive, to the millisecond; a window with a missing end matches nothing.
bool InWindow(const QTime& start, const QTime& end, const QTime& time)
{
    return start.isValid() && end.isValid() && start <= time && time <= end;
}

// Track n is bit n - 1; there is no bit for a track outside 1 to 32.
bool TrackAllowed(quint32 trackMask, int trackID)
{
    return trackID >= 1 && trackID <= 32 && ((trackMask >> (trackID - 1)) & 1u);
}

bool PortAccepts(const PortConfigNode* port, const AlarmRecord& record)
{
    if (!port || !port->alarm() || (port->alarm_type_mask() & quint32(record.alarmType)) == 0)
        return false;
    if (IsAudioTrackAlarm(record.alarmType) && !TrackAllowed(port->track_mask(), record.trackID))
        return false;
    const QTime time = record.time.time();
    return InWindow(port->start_time1(), port->end_time1(), time) ||
           InWindow(port->start_time2(), port->end_time2(), time);
}
} // namespace

AlarmFilter::AlarmFilter(const DeviceConfigFile& config) : m_config(config)
{
    m_devices.reserve(m_config.Devices().size());
    for (const DeviceConfigNode* node : m_config.Devices()) {
        if (m_devices.contains(node->ip()))
            continue;
        Device& device = m_devices[node->ip()];
        device.node = node;
        for (const PortConfigNode* port : node->Ports()) {
            if (!device.ports.contains(port->name()))
                device.ports.insert(port->name(), port);
        }
    }
}

bool AlarmFilter::AcceptAndName(AlarmRecord* record) const
{
    // Fan and power records are decoded but never reach the consumers.
    if (record->alarmType == AlarmTypeNone || record->alarmType == AlarmTypeFan || record->alarmType == AlarmTypePower)
        return false;
    const auto device = m_devices.constFind(record->ip);
    if (device == m_devices.constEnd()) {
        qDebug().noquote() << QStringLiteral("%1 is not configed").arg(record->ip);
        return false;
    }
    // Device-wide records pass whatever the ports say; signal alarms answer to their port's configuration.
    if (IsSignalAlarm(record->alarmType)) {
        const PortConfigNode* port = device->ports.value(PortDisplayName(record->portType, record->portID));
        if (!PortAccepts(port, *record))
            return false;
        record->signalName = port->signal_name();
    }
    record->deviceName = device->node->dev_name();
    // The same text, shared with the configuration: a storm's copies in the queues and lists then hold no address
    // text of their own.
    record->ip = device.key();
    return true;
}
