#pragma once

#include "alarm/AlarmRecord.h"

// What the station's current alarms add up to, for views outside the window (the tray icon).
struct AlarmSummary
{
    // LevelNormal when nothing is wrong.
    int worstLevel = LevelNormal;
    int errors = 0;
    int warnings = 0;
    // Current alarms nobody has acknowledged yet; -1 where alarms are not acknowledged.
    int unacknowledged = -1;
};
