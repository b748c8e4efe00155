#pragma once

#include "config/DeviceConfigFile.h"

class AlarmDisplay;
class AlarmRecord;
class SoundAlarmManager;
class SystemConfigFile;

// Routes handled alarms and the window's requests to the main alarm display.
class ShowAlarmManager
{
public:
    ShowAlarmManager() = default;
    virtual ~ShowAlarmManager() = default;

    void SetDisplay(AlarmDisplay* display);
    void SetSoundAlarmManager(SoundAlarmManager* manager);
    // Hands the history size to the display.
    void SetSystemConfig(const SystemConfigFile& config);
    // Keeps a deep copy and gives the display the configuration and its device list, in file order.
    void SetDeviceConfig(const DeviceConfigFile& config);

    // Handler thread; the record is borrowed for the call.
    void DealAlarm(const AlarmRecord* record);
    void ClearAlarms();
    void ClearDevices();

private:
    SoundAlarmManager* m_soundAlarmManager = nullptr;
    DeviceConfigFile m_deviceConfig;
    AlarmDisplay* m_display = nullptr;
};
