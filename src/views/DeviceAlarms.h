#pragma once

#include <QList>
#include <QMutex>
#include <QString>

class AlarmRecord;

// The alarms the main display remembers for one device: what is current and what has recently ended.
// Every record in the four lists is a pool record owned by this entry.
class DeviceAlarms
{
public:
    static constexpr int DefaultHistoryLimit = 100;

    explicit DeviceAlarms(const QString& deviceIp) : ip(deviceIp) {}
    ~DeviceAlarms();
    DeviceAlarms(const DeviceAlarms&) = delete;
    DeviceAlarms& operator=(const DeviceAlarms&) = delete;

    // Pool copies at the front of a history; the oldest beyond the limit go back to the pool.
    void PushSignalHistory(const AlarmRecord& record);
    void PushSystemHistory(const AlarmRecord& record);
    // Returns every record of the four lists to the pool.
    void ReleaseAll();

    const QString ip;
    // Guards the four lists.
    QMutex listsLock;
    QList<AlarmRecord*> currentSignalAlarms;
    QList<AlarmRecord*> currentSystemAlarms;
    QList<AlarmRecord*> signalHistory;
    QList<AlarmRecord*> systemHistory;
    int historyLimit = DefaultHistoryLimit;

private:
    void PushHistory(QList<AlarmRecord*>& history, const AlarmRecord& record);
};
