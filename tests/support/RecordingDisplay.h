#pragma once

#include "alarm/AlarmDisplay.h"
#include "alarm/AlarmRecord.h"

#include <QList>
#include <QMutex>

// Stands in for the main alarm display: keeps a copy of every record the pipeline hands it, and the history size.
class RecordingDisplay : public AlarmDisplay
{
public:
    // Records of this level are markers a test sends after others: counted, not kept.
    static constexpr int MarkerLevel = 99;

    void SetSoundAlarmManager(SoundAlarmManager*) override {}
    void SetMaxHistory(int value) override { maxHistory = value; }
    void SetDeviceConfig(const DeviceConfigFile&) override {}
    void ClearDevices() override {}
    void AddDevice(const QString&, const QString&) override {}
    void DealAlarm(const AlarmRecord* record) override;
    void ClearAlarms() override {}

    QList<AlarmRecord> Records() const;
    int Markers() const;

    int maxHistory = -1;

private:
    mutable QMutex m_recordsLock;
    QList<AlarmRecord> m_records;
    int m_markers = 0;
};
