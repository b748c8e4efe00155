#pragma once

#include <QString>

class AlarmRecord;
class DeviceConfigFile;
class SoundAlarmManager;

// What the alarm pipeline needs of the main alarm display. Declared here so that the core never links
// widgets; the display window implements it.
class AlarmDisplay
{
public:
    virtual ~AlarmDisplay() = default;

    virtual void SetSoundAlarmManager(SoundAlarmManager* manager) = 0;
    virtual void SetMaxHistory(int maxHistory) = 0;
    // Ended alarms stay in the current tables until the operator acknowledges them; a display without tables of
    // current alarms has nothing to keep.
    virtual void SetLatchEndedAlarms(bool) {}
    virtual void SetDeviceConfig(const DeviceConfigFile& config) = 0;
    virtual void ClearDevices() = 0;
    virtual void AddDevice(const QString& ip, const QString& deviceName) = 0;
    // Called on the alarm handler's thread with a borrowed record.
    virtual void DealAlarm(const AlarmRecord* record) = 0;
    virtual void ClearAlarms() = 0;
};
