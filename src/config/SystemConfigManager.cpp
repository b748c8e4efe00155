#include "config/SystemConfigManager.h"

#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"

#include <QDebug>
#include <QLocale>

void SystemConfigManager::GetConfig(SystemConfigFile& cfg)
{
    const QString path = GetSystemConfigPath();
    if (cfg.Load(path))
        return;
    qDebug() << "The system configuration" << path << "could not be loaded:" << cfg.GetErrorString();
    cfg = SystemConfigFile();
    cfg.SetLanguage(LanguageForLocale(QLocale::system()));
    if (Ox_XmlFileBase::SetAsideUnreadable(path))
        cfg.Save(path);
}

QString SystemConfigManager::LanguageForLocale(const QLocale& locale)
{
    if (locale.language() == QLocale::Chinese) {
        switch (locale.country()) {
        case QLocale::China:
            return QStringLiteral("简体中文");
        case QLocale::Taiwan:
        case QLocale::HongKong:
        case QLocale::Macau:
            return QStringLiteral("繁體中文");
        default:
            break;
        }
    }
    return QStringLiteral("English");
}
