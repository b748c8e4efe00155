#pragma once

class AlarmDisplay;
class AlarmRecord;
class SoundAlarmManager;

// Routes handled alarms and the window's requests to the main alarm display.
class ShowAlarmManager
{
public:
    ShowAlarmManager() = default;
    virtual ~ShowAlarmManager() = default;

    void SetDisplay(AlarmDisplay* display);
    void SetSoundAlarmManager(SoundAlarmManager* manager);

    // Handler thread; the record is borrowed for the call.
    void DealAlarm(const AlarmRecord* record);
    void ClearAlarms();
    void ClearDevices();

private:
    SoundAlarmManager* m_soundAlarmManager = nullptr;
    AlarmDisplay* m_display = nullptr;
};
