#include "views/DeviceAlarms.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"

DeviceAlarms::~DeviceAlarms()
{
    ReleaseAll();
}

void DeviceAlarms::PushSignalHistory(const AlarmRecord& record)
{
    PushHistory(signalHistory, record);
}

void DeviceAlarms::PushSystemHistory(const AlarmRecord& record)
{
    PushHistory(systemHistory, record);
}

void DeviceAlarms::PushHistory(QList<AlarmRecord*>& history, const AlarmRecord& record)
{
    AlarmRecord* copy = AlarmRecordPool::Instance()->Acquire();
    *copy = record;
    history.prepend(copy);
    if (history.size() > historyLimit)
        AlarmRecordPool::Instance()->Release(history.takeLast());
}

void DeviceAlarms::ReleaseAll()
{
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    for (QList<AlarmRecord*>* list : {&currentSignalAlarms, &currentSystemAlarms, &signalHistory, &systemHistory}) {
        for (AlarmRecord* record : *list)
            pool->Release(record);
        list->clear();
    }
}
