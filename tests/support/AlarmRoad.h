#pragma once

#include "RecordingDisplay.h"
#include "alarm/AlarmHandler.h"
#include "alarm/ShowAlarmManager.h"

// The alarm road as the main window lays it: handler, display router, and a recording display at its end.
struct AlarmRoad
{
    AlarmRoad()
    {
        router.SetDisplay(&display);
        handler.SetShowAlarmManager(&router);
    }

    // Sends a marker record of ip, a configured device, down the road and waits until the display has it: every
    // record queued before it has been decided by then. The display keeps no marker.
    bool Drain(const QString& ip);

    // Declared so that each part goes before what it uses.
    RecordingDisplay display;
    ShowAlarmManager router;
    AlarmHandler handler;
};
