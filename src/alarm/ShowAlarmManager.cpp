#include "alarm/ShowAlarmManager.h"

#include "alarm/AlarmDisplay.h"

void ShowAlarmManager::SetDisplay(AlarmDisplay* display)
{
    m_display = display;
}

void ShowAlarmManager::SetSoundAlarmManager(SoundAlarmManager* manager)
{
    m_soundAlarmManager = manager;
    if (m_display)
        m_display->SetSoundAlarmManager(manager);
}

void ShowAlarmManager::DealAlarm(const AlarmRecord* record)
{
    if (m_display)
        m_display->DealAlarm(record);
}

void ShowAlarmManager::ClearAlarms()
{
    if (m_display)
        m_display->ClearAlarms();
}

void ShowAlarmManager::ClearDevices()
{
    if (m_display)
        m_display->ClearDevices();
}
