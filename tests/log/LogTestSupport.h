#pragma once

#include "StationFiles.h"
#include "alarm/AlarmRecord.h"

// A video-lost alarm of port BNC <portID> on device 10.0.0.7.
AlarmRecord MakeAlarm(int portID, int level, const QDateTime& time);
// A local time written as the log stores it, "yyyy-MM-dd hh:mm:ss.zzz".
QDateTime At(const QString& text);

// Every field that the log stores, in one text.
QString LoggedFields(const AlarmRecord& record);
