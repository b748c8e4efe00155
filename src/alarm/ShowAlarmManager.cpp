#include "alarm/ShowAlarmManager.h"

#include "alarm/AlarmDisplay.h"
#include "config/DeviceConfigNode.h"
#include "config/SystemConfigFile.h"

#include <climits>

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

void ShowAlarmManager::SetSystemConfig(const SystemConfigFile& config)
{
    if (!m_display)
        return;
    // A hand-edited size beyond what the display can count means "as many as possible", not a negative size.
    m_display->SetMaxHistory(int(qMin<quint32>(config.max_history(), INT_MAX)));
    m_display->SetLatchEndedAlarms(config.latch_ended_alarms());
}

void ShowAlarmManager::SetDeviceConfig(const DeviceConfigFile& config)
{
    m_deviceConfig = config;
    if (!m_display)
        return;
    m_display->SetDeviceConfig(m_deviceConfig);
    m_display->ClearDevices();
    for (const DeviceConfigNode* device : m_deviceConfig.Devices())
        m_display->AddDevice(device->ip(), device->dev_name());
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
