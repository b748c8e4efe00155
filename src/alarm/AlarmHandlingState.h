#pragma once

#include "alarm/AlarmAcknowledgement.h"
#include "alarm/AlarmShelf.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// What the operator has done to the alarms the main display shows: which current alarms are acknowledged (by
// identity key, so each track of an audio alarm on its own), which ended alarms are kept in the current tables
// until acknowledged (latched, by view key), and which view keys are shelved until when. The alarms themselves stay
// in DeviceAlarmStore; this only remembers the handling. GUI thread only.
class AlarmHandlingState
{
public:
    void SetLatchEnabled(bool enabled) { m_latchEnabled = enabled; }
    bool IsLatchEnabled() const { return m_latchEnabled; }

    bool IsAcknowledged(const AlarmRecord& alarm) const;
    // The acknowledgement time of the alarm, null when it is not acknowledged.
    QDateTime AcknowledgedAt(const AlarmRecord& alarm) const;
    void Acknowledge(const AlarmRecord& alarm, const QDateTime& time, const QString& note);
    // The alarm has ended or was replaced: its acknowledgement goes with it.
    void Forget(const AlarmRecord& alarm);
    bool HasAcknowledgements() const { return !m_acknowledged.isEmpty(); }

    // Acknowledgements kept from an earlier run, waiting for their alarm to be reported again; one already waiting
    // for the same alarm is kept as it is.
    void AddRestored(const QList<AlarmAcknowledgement>& acknowledgements);
    // When a restored acknowledgement waits for this occurrence of the alarm (the same log row: same identity and
    // start), it now holds for it and true is returned. One for another occurrence is dropped: a new occurrence
    // starts unacknowledged.
    bool TakeRestored(const AlarmRecord& alarm);

    void Latch(const AlarmRecord& ended);
    // The latched alarms of a key, which leave the state.
    QList<AlarmRecord> TakeLatched(const QString& viewKey);
    bool HasLatched() const { return !m_latched.isEmpty(); }
    // The device's latched alarms, the last ended of each key.
    QList<AlarmRecord> LatchedOf(const QString& ip) const;
    QStringList LatchedKeys(const QString& ip) const;
    QStringList LatchedDevices() const { return m_latched.keys(); }
    int LatchedCount(const QString& ip) const;

    void Shelve(const AlarmShelf& shelf);
    // The shelf of the key leaves the state; false when there was none.
    bool Unshelve(const QString& viewKey, AlarmShelf& shelf);
    bool IsShelved(const QString& viewKey) const { return !m_shelves.isEmpty() && m_shelves.contains(viewKey); }
    bool HasShelves() const { return !m_shelves.isEmpty(); }
    QList<AlarmShelf> Shelves() const;
    QSet<QString> ShelvedKeys() const;
    // The keys whose shelf has run out at now; their shelves stay until unshelved.
    QStringList ExpiredKeys(const QDateTime& now) const;

    // Monitoring starts or stops: the alarms go; their acknowledgements wait for them to be reported again, and the
    // latched alarms and the shelves stay.
    void ClearAlarms();

    // An alarm's identity (the fields of its identity key) without formatting the key: the tiles ask for every
    // current alarm of a device after each round of a storm.
    struct Identity
    {
        QString ip;
        int portType;
        int portID;
        int trackID;
        int alarmType;

        explicit Identity(const AlarmRecord& alarm);
        bool operator==(const Identity& other) const;
    };

private:
    bool m_latchEnabled = false;
    QHash<Identity, AlarmAcknowledgement> m_acknowledged;
    QHash<Identity, AlarmAcknowledgement> m_restored;
    // Per device, each key's ended alarms (a key's tracks end one by one).
    QHash<QString, QHash<QString, QList<AlarmRecord>>> m_latched;
    QHash<QString, AlarmShelf> m_shelves;
};

uint qHash(const AlarmHandlingState::Identity& identity, uint seed = 0);
