#include "alarm/SoundAlarmManager.h"

void SoundAlarmManager::AppendAlarm(const AlarmRecord*)
{
}
