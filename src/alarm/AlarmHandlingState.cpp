#include "alarm/AlarmHandlingState.h"

AlarmHandlingState::Identity::Identity(const AlarmRecord& alarm)
    : ip(alarm.ip), portType(alarm.portType), portID(alarm.portID), trackID(alarm.trackID), alarmType(alarm.alarmType)
{
}

bool AlarmHandlingState::Identity::operator==(const Identity& other) const
{
    return portID == other.portID && trackID == other.trackID && alarmType == other.alarmType &&
           portType == other.portType && ip == other.ip;
}

uint qHash(const AlarmHandlingState::Identity& identity, uint seed)
{
    // Shifted as unsigned: a track of -1 (no track) must not be shifted as a negative number.
    return qHash(identity.ip, seed) ^ (uint(identity.portType) << 24) ^ (uint(identity.portID) << 16) ^
           (uint(identity.trackID) << 8) ^ uint(identity.alarmType);
}

bool AlarmHandlingState::IsAcknowledged(const AlarmRecord& alarm) const
{
    return !m_acknowledged.isEmpty() && m_acknowledged.contains(Identity(alarm));
}

QDateTime AlarmHandlingState::AcknowledgedAt(const AlarmRecord& alarm) const
{
    if (m_acknowledged.isEmpty())
        return QDateTime();
    const auto it = m_acknowledged.constFind(Identity(alarm));
    return it == m_acknowledged.constEnd() ? QDateTime() : it->time;
}

void AlarmHandlingState::Acknowledge(const AlarmRecord& alarm, const QDateTime& time, const QString& note)
{
    m_acknowledged.insert(Identity(alarm), {alarm, time, note});
}

void AlarmHandlingState::Forget(const AlarmRecord& alarm)
{
    if (!m_acknowledged.isEmpty())
        m_acknowledged.remove(Identity(alarm));
}

void AlarmHandlingState::AddRestored(const QList<AlarmAcknowledgement>& acknowledgements)
{
    for (const AlarmAcknowledgement& acknowledgement : acknowledgements) {
        const Identity key(acknowledgement.alarm);
        if (!m_restored.contains(key))
            m_restored.insert(key, acknowledgement);
    }
}

bool AlarmHandlingState::TakeRestored(const AlarmRecord& alarm)
{
    if (m_restored.isEmpty())
        return false;
    const Identity key(alarm);
    const auto it = m_restored.find(key);
    if (it == m_restored.end())
        return false;
    const AlarmAcknowledgement restored = *it;
    m_restored.erase(it);
    if (restored.alarm.time != alarm.time)
        return false;
    m_acknowledged.insert(key, {alarm, restored.time, restored.note});
    return true;
}

void AlarmHandlingState::Latch(const AlarmRecord& ended)
{
    m_latched[ended.ip][AlarmViewKey(ended)].append(ended);
}

QList<AlarmRecord> AlarmHandlingState::TakeLatched(const QString& viewKey)
{
    if (m_latched.isEmpty())
        return {};
    const QString ip = viewKey.section(QLatin1Char(':'), 0, 0);
    const auto device = m_latched.find(ip);
    if (device == m_latched.end())
        return {};
    const QList<AlarmRecord> ended = device->take(viewKey);
    if (device->isEmpty())
        m_latched.erase(device);
    return ended;
}

QList<AlarmRecord> AlarmHandlingState::LatchedOf(const QString& ip) const
{
    QList<AlarmRecord> alarms;
    for (const QList<AlarmRecord>& ended : m_latched.value(ip))
        alarms.append(ended.last());
    return alarms;
}

QStringList AlarmHandlingState::LatchedKeys(const QString& ip) const
{
    return m_latched.value(ip).keys();
}

int AlarmHandlingState::LatchedCount(const QString& ip) const
{
    int count = 0;
    const auto device = m_latched.constFind(ip);
    if (device != m_latched.constEnd()) {
        for (const QList<AlarmRecord>& ended : *device)
            count += ended.size();
    }
    return count;
}

void AlarmHandlingState::Shelve(const AlarmShelf& shelf)
{
    m_shelves.insert(shelf.key, shelf);
}

bool AlarmHandlingState::Unshelve(const QString& viewKey, AlarmShelf& shelf)
{
    const auto it = m_shelves.find(viewKey);
    if (it == m_shelves.end())
        return false;
    shelf = *it;
    m_shelves.erase(it);
    return true;
}

QList<AlarmShelf> AlarmHandlingState::Shelves() const
{
    return m_shelves.values();
}

QSet<QString> AlarmHandlingState::ShelvedKeys() const
{
    QSet<QString> keys;
    for (auto it = m_shelves.cbegin(); it != m_shelves.cend(); ++it)
        keys.insert(it.key());
    return keys;
}

QStringList AlarmHandlingState::ExpiredKeys(const QDateTime& now) const
{
    QStringList keys;
    for (const AlarmShelf& shelf : m_shelves) {
        if (shelf.until <= now)
            keys.append(shelf.key);
    }
    return keys;
}

void AlarmHandlingState::ClearAlarms()
{
    for (auto it = m_acknowledged.cbegin(); it != m_acknowledged.cend(); ++it)
        m_restored.insert(it.key(), it.value());
    m_acknowledged.clear();
}
