#include "AlarmRoad.h"

#include "alarm/AlarmRecordPool.h"

#include <QTest>

bool AlarmRoad::Drain(const QString& ip)
{
    const int markers = display.Markers();
    AlarmRecord* marker = AlarmRecordPool::Instance()->Acquire();
    marker->Init(ip);
    marker->alarmType = AlarmTypeConnection;
    marker->level = RecordingDisplay::MarkerLevel;
    handler.AddAlarm(marker);
    return QTest::qWaitFor([&] { return display.Markers() > markers; }, 10000);
}
