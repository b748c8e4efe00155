#include "SnmpTestRig.h"

#include "FreeUdpPort.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "snmp/DeviceObjects.h"
#include "snmp/NetSnmpLibrary.h"

#include <QtTest>

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

QString SnmpTestRig::TrapDestination() const
{
    return QStringLiteral("127.0.0.1:%1").arg(trapPort);
}

QList<AlarmRecord> SnmpTestRig::RecordsOf(const QString& ip) const
{
    QList<AlarmRecord> records;
    const QList<AlarmRecord> all = display.Records();
    for (const AlarmRecord& record : all) {
        if (record.ip == ip)
            records.append(record);
    }
    return records;
}

QStringList SnmpTestRig::ProbesOf(const QString& ip)
{
    return sim.LinesWith({ip + QStringLiteral(" <- get ") + DeviceObjects::Presence()});
}

RecordFields RecordFields::Of(const AlarmRecord& record)
{
    return {record.ip, record.portType, record.portID, record.trackID, record.alarmType, record.level};
}

bool RecordFields::operator==(const RecordFields& other) const
{
    return ip == other.ip && portType == other.portType && portID == other.portID && trackID == other.trackID &&
           alarmType == other.alarmType && level == other.level;
}

char* toString(const RecordFields& fields)
{
    return QTest::toString(QStringLiteral("%1 port %2/%3 track %4 type %5 level %6")
                               .arg(fields.ip)
                               .arg(fields.portType)
                               .arg(fields.portID)
                               .arg(fields.trackID)
                               .arg(fields.alarmType)
                               .arg(fields.level));
}

QList<RecordFields> FieldsOf(const QList<AlarmRecord>& records)
{
    QList<RecordFields> fields;
    for (const AlarmRecord& record : records)
        fields.append(RecordFields::Of(record));
    return fields;
}
