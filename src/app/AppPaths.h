#pragma once

#include <QString>

// Every file of the station lives below the application directory: the parent of the executable's directory.
QString GetAppDir();
QString GetConfigDir();
QString GetDeviceConfigPath();
QString GetSystemConfigPath();
QString GetIconDir();
QString GetLangDir();
QString GetLangConfigPath();
QString GetLogDir();
QString GetLogDatabasePath();

// The application directory for an executable directory such as "X:/a/b/bin".
QString AppDirFromExecutableDir(QString executableDir);

// Tests point the station at a temporary application directory; an empty string restores the real one.
void SetAppDirOverride(const QString& appDir);
