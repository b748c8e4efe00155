#pragma once

class AlarmRecord;

// Speech queue; announces routed alarms aloud.
class SoundAlarmManager
{
public:
    virtual ~SoundAlarmManager() = default;

    // Handler thread; the record is borrowed for the call.
    void AppendAlarm(const AlarmRecord* record);
};
