#include "log/LogManager.h"

void LogManager::AddAlarm(const AlarmRecord*)
{
}
