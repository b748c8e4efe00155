#include "views/DeviceAlarmStore.h"

#include "alarm/AlarmRecordPool.h"
#include "views/DeviceAlarms.h"

#include <algorithm>

namespace {
// A video port has one current video alarm whatever its kind; an audio alarm belongs to one track.
// The numbers first: a device's current list is scanned for every record, and its records share the address.
bool SameSignal(const AlarmRecord& a, const AlarmRecord& b)
{
    if (a.portID != b.portID || a.portType != b.portType)
        return false;
    const bool video = IsVideoAlarm(a.alarmType);
    if (video != IsVideoAlarm(b.alarmType) || (!video && a.trackID != b.trackID))
        return false;
    return a.ip == b.ip;
}

AlarmRecord* PoolCopy(const AlarmRecord& record)
{
    AlarmRecord* copy = AlarmRecordPool::Instance()->Acquire();
    *copy = record;
    return copy;
}

void AppendCopies(const DeviceAlarms&, const QList<AlarmRecord*>& current, QList<AlarmRecord>& out)
{
    for (const AlarmRecord* r : current)
        out.append(*r);
}

void AppendCopies(const DeviceAlarms& entry, const AlarmHistory& history, QList<AlarmRecord>& out)
{
    history.CopyTo(entry.ip, out);
}

void RaiseLevel(int& state, int level)
{
    if (level == LevelError)
        state = LevelError;
    else if (level == LevelWarn && state == LevelNormal)
        state = LevelWarn;
}
} // namespace

DeviceAlarmStore::~DeviceAlarmStore()
{
    Clear();
}

std::vector<DeviceAlarms*>::const_iterator DeviceAlarmStore::Position(const QString& ip) const
{
    return std::lower_bound(m_devices.cbegin(), m_devices.cend(), ip,
                            [](const DeviceAlarms* entry, const QString& key) { return entry->ip < key; });
}

DeviceAlarms* DeviceAlarmStore::Find(const QString& ip) const
{
    const auto position = Position(ip);
    return position != m_devices.cend() && (*position)->ip == ip ? *position : nullptr;
}

// Inserting moves the entries after it: a few microseconds at a thousand devices, once for each device.
DeviceAlarms* DeviceAlarmStore::FindOrCreate(const QString& ip)
{
    const auto position = Position(ip);
    if (position != m_devices.cend() && (*position)->ip == ip)
        return *position;
    return *m_devices.insert(position, new DeviceAlarms(ip));
}

void DeviceAlarmStore::ApplySignalRecord(const AlarmRecord& record, AlarmRecord& superseded, bool& supersededFlag)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    supersededFlag = false;
    DeviceAlarms* entry = FindOrCreate(record.ip);
    QMutexLocker listsLocker(&entry->listsLock);
    QList<AlarmRecord*>& current = entry->currentSignalAlarms;
    for (int i = 0; i < current.size();) {
        AlarmRecord* r = current[i];
        if (!SameSignal(*r, record)) {
            ++i;
            continue;
        }
        if (r->alarmType == record.alarmType && r->level != LevelNormal && record.level != LevelNormal) {
            r->level = record.level;
            return;
        }
        superseded = *r;
        superseded.end_time = record.time;
        entry->signalHistory.PushNewest(superseded);
        supersededFlag = true;
        // An alarm of another kind on the same port or track replaces the one it ended, so that the port keeps
        // one current alarm and the new alarm's own end clears it.
        AlarmRecordPool::Instance()->Release(DeviceAlarms::TakeCurrent(current, i));
        if (record.level == LevelNormal)
            return;
    }
    if (record.level != LevelNormal)
        current.append(PoolCopy(record));
}

void DeviceAlarmStore::ApplySystemRecord(const AlarmRecord& record, AlarmRecord& superseded, bool& supersededFlag)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    supersededFlag = false;
    if (record.ip.isEmpty())
        return;
    DeviceAlarms* entry = FindOrCreate(record.ip);
    QMutexLocker listsLocker(&entry->listsLock);
    QList<AlarmRecord*>& current = entry->currentSystemAlarms;
    for (int i = 0; i < current.size(); ++i) {
        AlarmRecord* r = current[i];
        if (r->ip != record.ip || r->alarmType != record.alarmType)
            continue;
        if (r->level != LevelNormal && record.level != LevelNormal) {
            r->level = record.level;
            return;
        }
        if (record.level == LevelNormal) {
            superseded = *r;
            superseded.end_time = record.time;
            entry->systemHistory.PushNewest(superseded);
            supersededFlag = true;
            AlarmRecordPool::Instance()->Release(DeviceAlarms::TakeCurrent(current, i));
            return;
        }
    }
    if (record.level != LevelNormal)
        current.append(PoolCopy(record));
}

void DeviceAlarmStore::RemoveByKey(const QString& key)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    // The entry is the first in address order whose "ip:" begins the key. A shorter prefix sorts before a longer
    // one, so the first colon that names a known device names the right one.
    DeviceAlarms* entry = nullptr;
    for (int colon = key.indexOf(QLatin1Char(':')); colon >= 0 && !entry;
         colon = key.indexOf(QLatin1Char(':'), colon + 1))
        entry = Find(key.left(colon));
    if (!entry)
        return;
    QMutexLocker listsLocker(&entry->listsLock);
    const auto moveKey = [&key](QList<AlarmRecord*>& current, AlarmHistory& history) {
        for (int i = 0; i < current.size();) {
            if (AlarmViewKey(*current[i]) != key) {
                ++i;
                continue;
            }
            AlarmRecord* record = DeviceAlarms::TakeCurrent(current, i);
            history.AppendOldest(*record);
            AlarmRecordPool::Instance()->Release(record);
        }
    };
    moveKey(entry->currentSignalAlarms, entry->signalHistory);
    moveKey(entry->currentSystemAlarms, entry->systemHistory);
}

bool DeviceAlarmStore::MergeTrackAlarms(const AlarmRecord& record, AlarmRecord& merged)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    DeviceAlarms* entry = Find(record.ip);
    if (!entry)
        return false;
    QMutexLocker listsLocker(&entry->listsLock);
    merged = record;
    merged.level = LevelNormal;
    bool found = false;
    for (const AlarmRecord* r : qAsConst(entry->currentSignalAlarms)) {
        if (r->portType != record.portType || r->portID != record.portID || r->alarmType != record.alarmType ||
            r->ip != record.ip)
            continue;
        RaiseLevel(merged.level, r->level);
        const QString track = QStringLiteral("CH%1").arg(r->trackID);
        merged.note = merged.note.isEmpty() ? track : merged.note + QStringLiteral("; ") + track;
        if (r->time < merged.time)
            merged.time = r->time;
        found = true;
    }
    return found;
}

bool DeviceAlarmStore::CollectByKey(const QString& key, QList<AlarmRecord>& out)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    const QStringList parts = key.split(QLatin1Char(':'));
    DeviceAlarms* entry = Find(parts.first());
    if (!entry)
        return false;
    QMutexLocker listsLocker(&entry->listsLock);
    const QList<AlarmRecord*>& current = parts.size() == 2 ? entry->currentSystemAlarms : entry->currentSignalAlarms;
    bool copied = false;
    for (const AlarmRecord* r : current) {
        if (AlarmViewKey(*r) == key) {
            out.append(*r);
            copied = true;
        }
    }
    return copied;
}

int DeviceAlarmStore::GetDeviceLevel(const QString& ip)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    DeviceAlarms* entry = Find(ip);
    if (!entry)
        return LevelNormal;
    QMutexLocker listsLocker(&entry->listsLock);
    int level = LevelNormal;
    for (const QList<AlarmRecord*>* list : {&entry->currentSignalAlarms, &entry->currentSystemAlarms}) {
        for (const AlarmRecord* r : *list) {
            if (r->level == LevelError)
                return LevelError;
            if (r->level == LevelWarn)
                level = LevelWarn;
        }
    }
    return level;
}

AlarmSummary DeviceAlarmStore::Summarize()
{
    QMutexLocker devicesLocker(&m_devicesLock);
    AlarmSummary summary;
    for (DeviceAlarms* entry : m_devices) {
        QMutexLocker listsLocker(&entry->listsLock);
        for (const QList<AlarmRecord*>* list : {&entry->currentSignalAlarms, &entry->currentSystemAlarms}) {
            for (const AlarmRecord* r : *list) {
                summary.errors += r->level == LevelError;
                summary.warnings += r->level == LevelWarn;
                RaiseLevel(summary.worstLevel, r->level);
            }
        }
    }
    return summary;
}

bool DeviceAlarmStore::GetPortStates(const QString& ip, int& lan, int& aes, int& analog, int* bnc, int n)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    lan = aes = analog = LevelNormal;
    for (int i = 0; i < n; ++i)
        bnc[i] = LevelNormal;
    DeviceAlarms* entry = Find(ip);
    if (!entry)
        return false;
    QMutexLocker listsLocker(&entry->listsLock);
    for (const AlarmRecord* r : qAsConst(entry->currentSignalAlarms)) {
        if (r->portType == PortTypeBnc && r->portID >= 1 && r->portID <= 16 && r->portID <= n)
            RaiseLevel(bnc[r->portID - 1], r->level);
        else if (r->portType == PortTypeAes)
            RaiseLevel(aes, r->level);
        else if (r->portType == PortTypeAnalog)
            RaiseLevel(analog, r->level);
    }
    for (const AlarmRecord* r : qAsConst(entry->currentSystemAlarms)) {
        if (r->alarmType == AlarmTypeConnection && r->level != LevelNormal)
            lan = LevelError;
    }
    if (lan != LevelNormal) {
        aes = analog = 0;
        for (int i = 0; i < qMin(n, 16); ++i)
            bnc[i] = 0;
    }
    return true;
}

template <typename List>
void DeviceAlarmStore::CopyList(const QString& ip, List DeviceAlarms::*list, QList<AlarmRecord>& out)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    DeviceAlarms* entry = Find(ip);
    if (!entry)
        return;
    QMutexLocker listsLocker(&entry->listsLock);
    AppendCopies(*entry, entry->*list, out);
}

void DeviceAlarmStore::CopySignalAlarms(const QString& ip, QList<AlarmRecord>& out)
{
    CopyList(ip, &DeviceAlarms::currentSignalAlarms, out);
}

void DeviceAlarmStore::CopySystemAlarms(const QString& ip, QList<AlarmRecord>& out)
{
    CopyList(ip, &DeviceAlarms::currentSystemAlarms, out);
}

void DeviceAlarmStore::CopySignalHistory(const QString& ip, QList<AlarmRecord>& out)
{
    CopyList(ip, &DeviceAlarms::signalHistory, out);
}

void DeviceAlarmStore::CopySystemHistory(const QString& ip, QList<AlarmRecord>& out)
{
    CopyList(ip, &DeviceAlarms::systemHistory, out);
}

QStringList DeviceAlarmStore::Devices()
{
    QMutexLocker devicesLocker(&m_devicesLock);
    QStringList ips;
    ips.reserve(int(m_devices.size()));
    for (const DeviceAlarms* entry : m_devices)
        ips.append(entry->ip);
    return ips;
}

void DeviceAlarmStore::VisitCurrent(const QString& ip, const std::function<void(const AlarmRecord&)>& visit)
{
    QMutexLocker devicesLocker(&m_devicesLock);
    DeviceAlarms* entry = Find(ip);
    if (!entry)
        return;
    QMutexLocker listsLocker(&entry->listsLock);
    for (const QList<AlarmRecord*>* current : {&entry->currentSignalAlarms, &entry->currentSystemAlarms}) {
        for (const AlarmRecord* r : *current)
            visit(*r);
    }
}

void DeviceAlarmStore::Clear()
{
    QMutexLocker devicesLocker(&m_devicesLock);
    qDeleteAll(m_devices);
    m_devices.clear();
}
