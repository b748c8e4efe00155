#pragma once

#include "config/DeviceConfigFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Writes station configuration into the current application directory, as the operator's dialogs would.
namespace StationFiles {
// Each device gets its 16 BNC ports, the analog and the AES/EBU port, all monitored all day for every track.
DeviceConfigFile Devices(const QList<QPair<QString, QString>>& ipAndName);
// Saves Devices(ipAndName) as the device configuration.
void WriteDevices(const QList<QPair<QString, QString>>& ipAndName);
void WriteSystemConfig(quint32 serverPort);
// Rows of an alarm log as "ip|portType|portID|trackID|alarmType|signalName|ended" (ended 1 once the end time is
// set), read on a connection of its own.
QStringList LogRows(const QString& databasePath);
} // namespace StationFiles

// Runs one statement on a connection of its own, as an outside reader of the file would.
QStringList QueryColumn(const QString& path, const QString& statement);
QVariant QueryValue(const QString& path, const QString& statement);
