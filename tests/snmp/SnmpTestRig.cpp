#include "SnmpTestRig.h"

#include "FreeUdpPort.h"
#include "StationFiles.h"
#include "snmp/DeviceObjects.h"
#include "snmp/DeviceStateQuery.h"
#include "snmp/NetSnmpLibrary.h"

QString Device(int n)
{
    return QStringLiteral("127.0.1.%1").arg(n);
}

bool SnmpTestRig::Start(int first, int last, QString* error)
{
    // Every port monitored for every alarm type and track, all day: the handler lets everything through.
    QList<QPair<QString, QString>> devices;
    for (int n = first; n <= last; ++n)
        devices.append({Device(n), QStringLiteral("probe %1").arg(n)});
    road.handler.SetDeviceConfig(StationFiles::Devices(devices));
    server.SetAlarmHandler(&road.handler);

    NetSnmpLibrary::Init();
    // The station reads the device port once per process: the simulator must be on it from the first request.
    const quint16 devicePort = FreeUdpPort(Device(first));
    qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(devicePort));
    if (!sim.Start({QStringLiteral("%1-%2").arg(Device(first)).arg(last)}, devicePort)) {
        *error = sim.ErrorString();
        return false;
    }
    trapPort = FreeUdpPort();
    if (!server.Start(QStringLiteral("127.0.0.1"), trapPort)) {
        *error = server.ErrorString();
        return false;
    }
    return true;
}

bool SnmpTestRig::Prepare(const QString& commands)
{
    if (!commands.isEmpty())
        sim.Send(commands);
    const bool synced = sim.Sync();
    sim.ClearLines();
    return synced;
}

QString SnmpTestRig::TrapDestination() const
{
    return QStringLiteral("127.0.0.1:%1").arg(trapPort);
}

QList<AlarmRecord> SnmpTestRig::RecordsOf(const QString& ip) const
{
    QList<AlarmRecord> records;
    for (const AlarmRecord& record : road.display.Records()) {
        if (record.ip == ip)
            records.append(record);
    }
    return records;
}

QString SnmpTestRig::ConnectionLevels(const QString& ip) const
{
    QString levels;
    for (const AlarmRecord& record : RecordsOf(ip)) {
        if (record.alarmType == AlarmTypeConnection)
            levels += QString::number(record.level);
    }
    return levels;
}

QStringList SnmpTestRig::ProbesOf(const QString& ip)
{
    return sim.LinesWith({ip + QStringLiteral(" <- get ") + DeviceObjects::Presence()});
}

QStringList SnmpTestRig::SetsOf(const QString& ip)
{
    return sim.LinesWith({ip + QStringLiteral(" <- set ")});
}

QString SnmpTestRig::Reads(const QString& ip)
{
    // Each request names its first object followed by a space; later ports' objects only extend these.
    const QString get = ip + QStringLiteral(" <- get ");
    const QString first = DeviceObjects::VideoPort(DeviceObjects::VideoStandard, 1) + QLatin1Char(' ');
    const QString last =
        DeviceObjects::DiscreteTrack(DeviceObjects::SilenceSeverity, PortTypeAes, 1, DeviceStateQuery::AesTracks) +
        QLatin1Char(' ');
    return QStringLiteral("%1/%2").arg(sim.LinesWith({get + first}).size()).arg(sim.LinesWith({get + last}).size());
}
