#include "snmp/DeviceObjects.h"

#include "alarm/AlarmRecord.h"

namespace {

const QString Enterprise = QStringLiteral("1.3.6.1.4.1.58206");

} // namespace

QString DeviceObjects::TrapDestination()
{
    return Enterprise + QStringLiteral(".1.1.1.1.1");
}

QString DeviceObjects::Presence()
{
    return Enterprise + QStringLiteral(".1.2.3.1.6.1");
}

QString DeviceObjects::VideoPort(VideoColumn column, int port)
{
    return Enterprise + QStringLiteral(".1.2.3.2.1.2.1.%1.1.%2").arg(column).arg(port);
}

QString DeviceObjects::EmbeddedTrack(AudioColumn column, int port, int track)
{
    return Enterprise + QStringLiteral(".1.2.3.2.2.2.1.%1.1.%2.%3").arg(column).arg(port).arg(track);
}

QString DeviceObjects::DiscreteTrack(AudioColumn column, int portType, int port, int track)
{
    return Enterprise +
           QStringLiteral(".1.2.3.2.3.2.1.%1.%2.%3.%4").arg(column).arg(DiscreteKind(portType)).arg(port).arg(track);
}

int DeviceObjects::DiscreteKind(int portType)
{
    switch (portType) {
    case PortTypeAnalog:
        return 1;
    case PortTypeAes:
        return 2;
    default:
        return 0;
    }
}
