#include "AlarmRecords.h"

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

void HeldVoice::Say(const QString&, const QString&)
{
    m_stop.acquire();
}

void HeldVoice::Stop()
{
    m_stop.release(1000);
}
