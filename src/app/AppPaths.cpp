#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>

namespace
{
QMutex overrideLock;
QString appDirOverride;
} // namespace

QString AppDirFromExecutableDir(QString executableDir)
{
    executableDir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int slash = executableDir.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? executableDir : executableDir.left(slash);
}

void SetAppDirOverride(const QString& appDir)
{
    QMutexLocker locker(&overrideLock);
    appDirOverride = appDir;
}

QString GetAppDir()
{
    {
        QMutexLocker locker(&overrideLock);
        if (!appDirOverride.isEmpty())
            return appDirOverride;
    }
    return AppDirFromExecutableDir(QCoreApplication::applicationDirPath());
}

QString GetConfigDir() { return GetAppDir() + QStringLiteral("/config"); }
QString GetDeviceConfigPath() { return GetAppDir() + QStringLiteral("/config/device_config.xml"); }
QString GetSystemConfigPath() { return GetAppDir() + QStringLiteral("/config/system_config.xml"); }
QString GetIconDir() { return GetAppDir() + QStringLiteral("/sys/icon"); }
QString GetLangDir() { return GetAppDir() + QStringLiteral("/lang"); }
QString GetLangConfigPath() { return GetAppDir() + QStringLiteral("/lang/lang_config.xml"); }
QString GetLogDir() { return GetAppDir() + QStringLiteral("/log"); }
QString GetLogDatabasePath() { return GetAppDir() + QStringLiteral("/log/alarm.db"); }
