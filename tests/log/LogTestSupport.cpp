#include "LogTestSupport.h"

#include "AlarmRecords.h"

#include "log/LogDatabase.h"

AlarmRecord MakeAlarm(int portID, int level, const QDateTime& time)
{
    AlarmRecord record = MakeAlarm(QStringLiteral("10.0.0.7"), PortTypeBnc, portID, -1, AlarmTypeVideoLost, level);
    record.time = time;
    return record;
}

QDateTime At(const QString& text)
{
    return QDateTime::fromString(text, LogDatabase::TimeFormat);
}

QString LoggedFields(const AlarmRecord& r)
{
    const QString format = LogDatabase::TimeFormat;
    return QStringList{r.time.toString(format), r.end_time.toString(format), r.ip, r.deviceName, r.signalName,
                       QString::number(r.portType), QString::number(r.portID), QString::number(r.trackID),
                       QString::number(r.alarmType), r.note}
        .join(QLatin1Char('|'));
}
