#include "StationFiles.h"

#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

namespace StationFiles
{
void WriteDevices(const QList<QPair<QString, QString>>& ipAndName)
{
    DeviceConfigFile config;
    for (const auto& [ip, name] : ipAndName) {
        DeviceConfigNode device;
        device.SetIp(ip);
        device.SetDevName(name);
        PortConfigNode port;
        port.SetTrackMask(0xFFFFFFFF);
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
    config.Save(GetDeviceConfigPath());
}

void WriteSystemConfig(quint32 serverPort)
{
    SystemConfigFile config;
    config.SetServerPort(serverPort);
    config.Save(GetSystemConfigPath());
}

QStringList LogRows(const QString& databasePath)
{
    QStringList rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("select ip, portType, portID, trackID, alarmType, signalName, "
                                      "end_time is not null from alarm2 order by id"));
            while (query.next()) {
                QStringList fields;
                for (int i = 0; i < 7; ++i)
                    fields << query.value(i).toString();
                rows << fields.join(QLatin1Char('|'));
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}
} // namespace StationFiles
