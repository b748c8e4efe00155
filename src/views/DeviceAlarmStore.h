#pragma once

#include "alarm/AlarmRecord.h"
#include "views/AlarmSummary.h"

#include <QMutex>
#include <QString>
#include <QList>
#include <QStringList>

#include <functional>
#include <vector>

class DeviceAlarms;

// The main display's memory of alarms, per device: it decides whether a record starts, continues, changes or ends
// an alarm, merges the tracks of one audio alarm, and answers what a device's tile and port pictures show.
// Used on the GUI thread only; the locks keep the documented order (store before entry) all the same.
class DeviceAlarmStore
{
public:
    DeviceAlarmStore() = default;
    ~DeviceAlarmStore();
    DeviceAlarmStore(const DeviceAlarmStore&) = delete;
    DeviceAlarmStore& operator=(const DeviceAlarmStore&) = delete;

    // The superseded record is the alarm that the record ended or replaced, with its end time set; it is only
    // meaningful when the flag comes back true.
    void ApplySignalRecord(const AlarmRecord& record, AlarmRecord& superseded, bool& supersededFlag);
    void ApplySystemRecord(const AlarmRecord& record, AlarmRecord& superseded, bool& supersededFlag);
    // Moves the current records of an alarm view key to the end of their history, as they are (a deleted alarm).
    void RemoveByKey(const QString& key);
    // One record standing for every current track of the record's port and alarm type: the earliest start, the
    // highest level, and the tracks as "CH1; CH3". False when no track of that port and type is current.
    bool MergeTrackAlarms(const AlarmRecord& record, AlarmRecord& merged);
    // Appends copies of the current records of a key; false when there were none.
    bool CollectByKey(const QString& key, QList<AlarmRecord>& out);
    int GetDeviceLevel(const QString& ip);
    // Counts the current alarms of every device by level.
    AlarmSummary Summarize();
    // States 0 disabled, 1 normal, 2 warn, 3 error; a disconnected device disables every port. False, with
    // every state normal, for a device that never had a record.
    bool GetPortStates(const QString& ip, int& lan, int& aes, int& analog, int* bnc, int n);

    void CopySignalAlarms(const QString& ip, QList<AlarmRecord>& out);
    void CopySystemAlarms(const QString& ip, QList<AlarmRecord>& out);
    void CopySignalHistory(const QString& ip, QList<AlarmRecord>& out);
    void CopySystemHistory(const QString& ip, QList<AlarmRecord>& out);

    // The devices that have had a record, in IP order.
    QStringList Devices();
    // Calls visit with each current record of the device, signal alarms first; visit must not call the store.
    void VisitCurrent(const QString& ip, const std::function<void(const AlarmRecord&)>& visit);

    void Clear();

private:
    std::vector<DeviceAlarms*>::const_iterator Position(const QString& ip) const;
    DeviceAlarms* Find(const QString& ip) const;
    DeviceAlarms* FindOrCreate(const QString& ip);
    template <typename List>
    void CopyList(const QString& ip, List DeviceAlarms::*list, QList<AlarmRecord>& out);

    // Guards the list of devices.
    QMutex m_devicesLock;
    // In IP order. One list rather than a map's node for each device: the nodes would be made by a storm's first
    // alarms, among the memory it uses, and kept for good.
    std::vector<DeviceAlarms*> m_devices;
};
