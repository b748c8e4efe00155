#pragma once

#include <QProcess>
#include <QStringList>

class TempAppDir;

// The real station binary, copied into the application directory (once) and started there, unattended with
// --start 127.0.0.1 unless told otherwise, talking to devices on devicePort; moreEnvironment holds NAME=value
// settings. With shellPrefix, the station is started through sh -c, after those shell commands (limits, ignored
// signals).
bool StartStationProcess(QProcess& process, const TempAppDir& appDir, quint16 devicePort,
                         const QStringList& moreArguments = {}, const QStringList& moreEnvironment = {},
                         const QString& shellPrefix = {}, bool unattended = true);
