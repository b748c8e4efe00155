#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

class AlarmRecord;

// The alarms of one kind that a device has recently ended, newest first, up to Limit. A storm leaves a full history
// on every device, a hundred thousand entries at a thousand devices, so an entry keeps only what is not its device's,
// and all of a history's entries are allocated together on its first: taken one by one in the middle of the storm,
// they would keep most of the memory it used from going back to the system.
class AlarmHistory
{
public:
    static constexpr int Limit = 100;

    // A copy as the newest entry; the oldest beyond the limit is dropped.
    void PushNewest(const AlarmRecord& record);
    // A copy as the oldest entry; dropped when the history is full.
    void AppendOldest(const AlarmRecord& record);
    // Gives back the entries' room as well.
    void Clear();
    int Size() const { return m_size; }
    // Newest first, as records of the device at ip.
    void CopyTo(const QString& ip, QList<AlarmRecord>& out) const;

private:
    // Named as the record's fields.
    struct Entry
    {
        QDateTime time;
        QDateTime end_time;
        QString deviceName;
        QString signalName;
        QString note;
        int portID = -1;
        int trackID = -1;
        qint16 portType = 0;
        qint16 alarmType = 0;
        qint16 level = 0;
    };

    // The i-th newest entry's place in the ring.
    Entry& At(int i) const { return m_entries[(m_newest + i) % Limit]; }

    std::unique_ptr<Entry[]> m_entries;
    int m_newest = 0;
    int m_size = 0;
};
