#include "config/DeviceConfigManager.h"

#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"

#include <QDebug>

void DeviceConfigManager::GetConfig(DeviceConfigFile& cfg)
{
    const QString path = GetDeviceConfigPath();
    if (cfg.Load(path))
        return;
    qDebug() << "The device configuration" << path << "could not be loaded:" << cfg.GetErrorString();
    cfg = DeviceConfigFile();
    if (Ox_XmlFileBase::SetAsideUnreadable(path))
        cfg.Save(path);
}
