#pragma once

class AlarmRecord;

// Writes routed alarms to the alarm log.
class LogManager
{
public:
    virtual ~LogManager() = default;

    // Handler thread; the record is borrowed for the call.
    void AddAlarm(const AlarmRecord* record);
};
