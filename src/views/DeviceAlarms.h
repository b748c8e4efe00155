#pragma once

#include <QList>
#include <QMutex>
#include <QString>
#include <QVector>

#include <memory>

class AlarmRecord;

// The alarms the main display remembers for one device: what is current and what has recently ended.
// The current alarms are pool records owned by this entry. The histories' records are the entry's own, allocated
// together once per history: a storm leaves a full history on every device, and records taken one by one in the
// middle of the storm's allocations would keep most of the memory it used from going back to the system.
class DeviceAlarms
{
public:
    static constexpr int HistoryLimit = 100;

    explicit DeviceAlarms(const QString& deviceIp) : ip(deviceIp) {}
    ~DeviceAlarms();
    DeviceAlarms(const DeviceAlarms&) = delete;
    DeviceAlarms& operator=(const DeviceAlarms&) = delete;

    // A copy at the front of a history; the oldest beyond the limit is dropped.
    void PushSignalHistory(const AlarmRecord& record);
    void PushSystemHistory(const AlarmRecord& record);
    // A copy at the back of a history, as its oldest entry; dropped when the history is full.
    void AppendSignalHistory(const AlarmRecord& record);
    void AppendSystemHistory(const AlarmRecord& record);
    // Returns the current alarms to the pool and empties the histories.
    void ReleaseAll();
    // Takes a current alarm out of its list. A list left empty gives back its room: after a storm every device's
    // lists would otherwise keep room for all the alarms the storm brought.
    static AlarmRecord* TakeCurrent(QList<AlarmRecord*>& current, int i);

    const QString ip;
    // Guards the four lists.
    QMutex listsLock;
    QList<AlarmRecord*> currentSignalAlarms;
    QList<AlarmRecord*> currentSystemAlarms;
    // Newest first. Room for the limit is made once, with the history's records: a list grown entry by entry in the
    // middle of a storm leaves its earlier buffers among the storm's memory.
    QVector<AlarmRecord*> signalHistory;
    QVector<AlarmRecord*> systemHistory;

private:
    // A history's records, allocated on its first entry and handed out in order. A record leaves the history only to
    // be reused for a newer entry, or with all the others in ReleaseAll.
    struct Slots
    {
        std::unique_ptr<AlarmRecord[]> block;
        int used = 0;
    };
    // A record for a new entry: one not used yet, else the oldest entry's when front is true, else none.
    static AlarmRecord* TakeSlot(QVector<AlarmRecord*>& history, Slots& slots, bool front);

    Slots m_signalSlots;
    Slots m_systemSlots;
};
