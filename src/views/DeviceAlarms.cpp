#include "views/DeviceAlarms.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"

DeviceAlarms::~DeviceAlarms()
{
    ReleaseAll();
}

AlarmRecord* DeviceAlarms::TakeCurrent(QList<AlarmRecord*>& current, int i)
{
    AlarmRecord* record = current.takeAt(i);
    if (current.isEmpty())
        current.clear();
    return record;
}

void DeviceAlarms::ReleaseAll()
{
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    for (QList<AlarmRecord*>* list : {&currentSignalAlarms, &currentSystemAlarms}) {
        for (AlarmRecord* record : *list)
            pool->Release(record);
        list->clear();
    }
    signalHistory.Clear();
    systemHistory.Clear();
}
