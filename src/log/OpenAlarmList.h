#pragma once

#include "alarm/AlarmRecord.h"

#include <QMap>
#include <QString>

#include <vector>

struct DeviceStateRead;

// The log's open-alarm list: for each alarm identity whose row has no end time yet, that row as written (its start
// and level) and when a record last said the alarm was still there. Not locked: its owner guards it.
class OpenAlarmList
{
public:
    enum Change
    {
        // Nothing changes in the file: a repeated start, or an end without a logged start.
        Unchanged,
        // A new row: row is the record.
        Opened,
        // The open row ends: row is that row with the record's time as its end.
        Ended,
    };

    // Replaces the list with rows read from the file (newest per identity).
    void Reset(const std::vector<AlarmRecord>& rows);
    // Pairs a record with the open row of its identity. row receives the row the record belongs to, or a record
    // with a null time when it belongs to none (an end without a start).
    Change Pair(const AlarmRecord& record, AlarmRecord& row);
    // Takes back a start that Pair opened but that could not be kept.
    void Forget(const AlarmRecord& row);
    // Ends, at the read's finish, the device's open rows that the read asked about, did not find active and that no
    // record has reported since the read began; returns them ended.
    std::vector<AlarmRecord> Settle(const DeviceStateRead& read);
    std::vector<AlarmRecord> Rows() const;
    int Size() const { return m_open.size(); }

private:
    struct Open
    {
        AlarmRecord row;
        QDateTime lastSeen;
    };

    // By identity key, so that one device's alarms lie together.
    QMap<QString, Open> m_open;
};
