#include "SnmpTestRig.h"

#include "FreeUdpPort.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "snmp/DeviceObjects.h"
#include "snmp/NetSnmpLibrary.h"

#include <QtTest>

#include <algorithm>

SnmpTestRig::SnmpTestRig()
{
    router.SetDisplay(&display);
    handler.SetShowAlarmManager(&router);
    server.SetAlarmHandler(&handler);
}

bool SnmpTestRig::Start(const QString& network, int first, int last, QString* error)
{
    // Every port monitored for every alarm type and track, all day: the handler lets everything through.
    PortConfigNode port;
    port.SetTrackMask(0xFFFFFFFF);
    port.SetTimeRange1(QTime(0, 0), QTime(23, 59, 59, 999));
    DeviceConfigFile config;
    for (int n = first; n <= last; ++n) {
        DeviceConfigNode device(QStringLiteral("%1.%2").arg(network).arg(n), QStringLiteral("probe %1").arg(n));
        for (int i = 0; i < 16; ++i)
            device.SetBncPort(i, port);
        device.SetAnalogPort(0, port);
        device.SetAesPort(0, port);
        config.AddDevice(device);
    }
    handler.SetDeviceConfig(config);

    NetSnmpLibrary::Init();
    // The station reads the device port once per process: the simulator must be on it from the first request.
    const quint16 devicePort = FreeUdpPort(QStringLiteral("%1.%2").arg(network).arg(first));
    qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(devicePort));
    if (!sim.Start({QStringLiteral("%1.%2-%3").arg(network).arg(first).arg(last)}, devicePort)) {
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
    QList<AlarmRecord> records = display.Records();
    records.erase(std::remove_if(records.begin(), records.end(), [&](const AlarmRecord& r) { return r.ip != ip; }),
                  records.end());
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

int SnmpTestRig::GetCount(const QString& ip)
{
    return sim.LinesWith({ip + QStringLiteral(" <- get ")}).size();
}

QStringList SnmpTestRig::SetsOf(const QString& ip)
{
    return sim.LinesWith({ip + QStringLiteral(" <- set ")});
}
