#include "views/AlarmDurationText.h"

#include <QCoreApplication>
#include <QTime>

QString AlarmDurationText(const QDateTime& start, const QDateTime& end)
{
    if (start.isNull() || end.isNull())
        return QString();
    constexpr qint64 msPerDay = 86400000;
    const qint64 ms = start.msecsTo(end);
    const qint64 days = ms / msPerDay;
    const QString rest = QTime(0, 0).addMSecs(int(ms - days * msPerDay)).toString(QStringLiteral("hh:mm:ss"));
    if (days > 0)
        return QCoreApplication::translate("DeviceAlarmListForm", "%1 day %2").arg(QString::number(days), rest);
    return rest;
}
