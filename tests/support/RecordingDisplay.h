#pragma once

#include "alarm/AlarmDisplay.h"
#include "alarm/AlarmRecord.h"

#include <QList>
#include <QMutex>

// Stands in for the main alarm display: keeps a copy of every record the pipeline hands it.
class RecordingDisplay : public AlarmDisplay
{
public:
    void SetSoundAlarmManager(SoundAlarmManager*) override {}
    void SetMaxHistory(int) override {}
    void SetDeviceConfig(const DeviceConfigFile&) override {}
    void ClearDevices() override {}
    void AddDevice(const QString&, const QString&) override {}
    void DealAlarm(const AlarmRecord* record) override;
    void ClearAlarms() override {}

    QList<AlarmRecord> Records() const;
    void Clear();
    int Count() const;

private:
    mutable QMutex m_recordsLock;
    QList<AlarmRecord> m_records;
};
