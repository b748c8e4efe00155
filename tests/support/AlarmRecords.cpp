#include "AlarmRecords.h"

#include "log/LogDatabase.h"

AlarmRecord MakeAlarm(const QString& ip, int portType, int portID, int trackID, int alarmType, int level)
{
    AlarmRecord record;
    record.Init(ip);
    record.portType = portType;
    record.portID = portID;
    record.trackID = trackID;
    record.alarmType = alarmType;
    record.level = level;
    return record;
}

QString Fields(const QString& ip, int portType, int portID, int trackID, int alarmType, int level)
{
    return QStringLiteral("%1 port %2/%3 track %4 type %5 level %6")
        .arg(ip)
        .arg(portType)
        .arg(portID)
        .arg(trackID)
        .arg(alarmType)
        .arg(level);
}

QStringList FieldsOf(const QList<AlarmRecord>& records)
{
    QStringList fields;
    for (const AlarmRecord& r : records)
        fields << Fields(r.ip, r.portType, r.portID, r.trackID, r.alarmType, r.level);
    return fields;
}

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

void HeldVoice::Say(const QString&, const QString&)
{
    m_stop.acquire();
}

void HeldVoice::Stop()
{
    m_stop.release(1000);
}
