#pragma once

#include "views/AlarmHistory.h"

#include <QList>
#include <QMutex>
#include <QString>

class AlarmRecord;

// The alarms the main display remembers for one device: what is current and what has recently ended.
// The current alarms are pool records owned by this entry.
class DeviceAlarms
{
public:
    explicit DeviceAlarms(const QString& deviceIp) : ip(deviceIp) {}
    ~DeviceAlarms();
    DeviceAlarms(const DeviceAlarms&) = delete;
    DeviceAlarms& operator=(const DeviceAlarms&) = delete;

    // Returns the current alarms to the pool and empties the histories.
    void ReleaseAll();
    // Takes a current alarm out of its list. A list left empty gives back its room: after a storm every device's
    // lists would otherwise keep room for all the alarms the storm brought.
    static AlarmRecord* TakeCurrent(QList<AlarmRecord*>& current, int i);

    const QString ip;
    // Guards the lists and the histories.
    QMutex listsLock;
    QList<AlarmRecord*> currentSignalAlarms;
    QList<AlarmRecord*> currentSystemAlarms;
    AlarmHistory signalHistory;
    AlarmHistory systemHistory;
};
