#include "views/AlarmAgeText.h"

#include <QCoreApplication>

QString AlarmAgeText(qint64 lastAlarmMs, qint64 nowMs)
{
    // Whole seconds, then whole minutes; a time in the future gives negative minutes, which read as minutes.
    const qint64 minutes = (nowMs - lastAlarmMs) / 1000 / 60;
    if (minutes == 0)
        return QCoreApplication::translate("DeviceWidget", "within 1 minute");
    if (minutes < 60)
        return QCoreApplication::translate("DeviceWidget", "%1 minutes ago").arg(minutes);
    const qint64 hours = minutes / 60;
    if (hours < 24)
        return QCoreApplication::translate("DeviceWidget", "%1 hours ago").arg(hours);
    return QCoreApplication::translate("DeviceWidget", "%1 days ago").arg(hours / 24);
}
