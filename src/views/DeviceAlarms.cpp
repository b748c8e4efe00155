#include "views/DeviceAlarms.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"

DeviceAlarms::~DeviceAlarms()
{
    ReleaseAll();
}

AlarmRecord* DeviceAlarms::TakeSlot(QVector<AlarmRecord*>& history, Slots& slots, bool front)
{
    if (!slots.block) {
        slots.block = std::make_unique<AlarmRecord[]>(HistoryLimit);
        history.reserve(HistoryLimit);
    }
    if (slots.used < HistoryLimit)
        return &slots.block[slots.used++];
    return front ? history.takeLast() : nullptr;
}

AlarmRecord* DeviceAlarms::TakeCurrent(QList<AlarmRecord*>& current, int i)
{
    AlarmRecord* record = current.takeAt(i);
    if (current.isEmpty())
        current.clear();
    return record;
}

void DeviceAlarms::PushSignalHistory(const AlarmRecord& record)
{
    AlarmRecord* slot = TakeSlot(signalHistory, m_signalSlots, true);
    *slot = record;
    signalHistory.prepend(slot);
}

void DeviceAlarms::PushSystemHistory(const AlarmRecord& record)
{
    AlarmRecord* slot = TakeSlot(systemHistory, m_systemSlots, true);
    *slot = record;
    systemHistory.prepend(slot);
}

void DeviceAlarms::AppendSignalHistory(const AlarmRecord& record)
{
    if (AlarmRecord* slot = TakeSlot(signalHistory, m_signalSlots, false)) {
        *slot = record;
        signalHistory.append(slot);
    }
}

void DeviceAlarms::AppendSystemHistory(const AlarmRecord& record)
{
    if (AlarmRecord* slot = TakeSlot(systemHistory, m_systemSlots, false)) {
        *slot = record;
        systemHistory.append(slot);
    }
}

void DeviceAlarms::ReleaseAll()
{
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    for (QList<AlarmRecord*>* list : {&currentSignalAlarms, &currentSystemAlarms}) {
        for (AlarmRecord* record : *list)
            pool->Release(record);
        list->clear();
    }
    signalHistory = {};
    systemHistory = {};
    m_signalSlots = Slots();
    m_systemSlots = Slots();
}
