#include "StationFiles.h"

#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace StationFiles {
DeviceConfigFile Devices(const QList<QPair<QString, QString>>& ipAndName)
{
    DeviceConfigFile config;
    for (const auto& [ip, name] : ipAndName) {
        DeviceConfigNode device;
        device.SetIp(ip);
        device.SetDevName(name);
        PortConfigNode port;
        port.SetTrackMask(0xFFFFFFFF);
        port.SetTimeRange1(QTime(0, 0), QTime(23, 59, 59, 999));
        for (int i = 0; i < 16; ++i) {
            port.SetSignalName(QStringLiteral("%1 CAM %2").arg(name).arg(i + 1));
            device.SetBncPort(i, port);
        }
        port.SetSignalName(name + " Analog");
        device.SetAnalogPort(0, port);
        port.SetSignalName(name + " AES");
        device.SetAesPort(0, port);
        // Devices may appear twice in a hand-edited file; the list keeps what it is given.
        if (!config.AddDevice(device))
            config.UpdateDevice(device);
    }
    return config;
}

void WriteDevices(const QList<QPair<QString, QString>>& ipAndName)
{
    Devices(ipAndName).Save(GetDeviceConfigPath());
}

void WriteSystemConfig(quint32 serverPort)
{
    SystemConfigFile config;
    config.SetServerPort(serverPort);
    config.Save(GetSystemConfigPath());
}

QStringList LogRows(const QString& databasePath)
{
    return QueryColumn(databasePath, "select ip || '|' || portType || '|' || portID || '|' || trackID || '|' || "
                                     "alarmType || '|' || ifnull(signalName, '') || '|' || (end_time is not null) "
                                     "from alarm2 order by id");
}
} // namespace StationFiles

QStringList QueryColumn(const QString& path, const QString& statement)
{
    const QString name = QUuid::createUuid().toString();
    QStringList column;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        QSqlQuery query(database);
        if (!database.open() || !query.exec(statement))
            qWarning() << statement << query.lastError().text() << database.lastError().text();
        while (query.next())
            column.append(query.value(0).toString());
    }
    QSqlDatabase::removeDatabase(name);
    return column;
}

QVariant QueryValue(const QString& path, const QString& statement)
{
    const QStringList column = QueryColumn(path, statement);
    return column.isEmpty() ? QVariant() : QVariant(column.first());
}
