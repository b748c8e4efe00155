#pragma once

#include "alarm/AlarmHandlingState.h"
#include "dialogs/DialogPrompts.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class AlarmHandlingLog;
class DeviceAlarmListForm;
class DeviceAlarmStore;
class DeviceWidget;
class ShelvedAlarmsDialog;
class SoundAlarmManager;
class QWidget;

// The operator's handling of the alarms the main display shows: acknowledging (with a note), keeping ended alarms
// until they are acknowledged, and shelving a view key for a while. The display calls the hooks while it applies
// records; the forms' menus and the window's actions call the operations. Acknowledgements and shelves go to the
// handling log, which also gives them back after a restart. GUI thread only.
class AlarmHandlingController : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;
    // Milliseconds that no change of the wall clock moves; shelves run out by it.
    using SteadyClock = std::function<qint64()>;
    // The forms that show a device's rows now.
    using FormsOf = std::function<QList<DeviceAlarmListForm*>(const QString& ip)>;
    // The device's tile, or null.
    using TileOf = std::function<DeviceWidget*(const QString& ip)>;

    // Takes the operator's requests from the forms' menus.
    AlarmHandlingController(DeviceAlarmStore& store, const QList<DeviceAlarmListForm*>& forms, FormsOf formsOf,
                            TileOf tileOf, QWidget* dialogParent);
    ~AlarmHandlingController() override;

    void SetPrompts(const DialogPrompts& prompts) { m_prompts = prompts; }
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    void SetSteadyClock(SteadyClock clock) { m_steadyClock = std::move(clock); }
    void SetSoundAlarmManager(SoundAlarmManager* manager) { m_sound = manager; }
    void SetHandlingLog(AlarmHandlingLog* log) { m_log = log; }
    // Turned off, it lets the ended alarms it kept go.
    void SetLatchEnabled(bool enabled);
    const AlarmHandlingState& State() const { return m_state; }

    // Hooks of the display.
    bool Shows(const AlarmRecord& record) const
    {
        return !m_state.HasShelves() || !m_state.IsShelved(AlarmViewKey(record));
    }
    // The record's row has just been put in the forms.
    void RowShown(const AlarmRecord& record, const QList<DeviceAlarmListForm*>& forms);
    // The store ended or replaced an alarm; a return to normal of an unacknowledged alarm may keep its row.
    void AlarmEnded(const AlarmRecord& ended, bool returnedToNormal, const QList<DeviceAlarmListForm*>& forms);
    // The current-device form has been filled afresh with the device's current alarms.
    void FormRebuilt(DeviceAlarmListForm* form, const QString& ip);
    // The operator deletes the key's rows; called before the store lets go of its alarms.
    void AlarmDeleted(const QString& key);
    // Counts the device's unacknowledged alarms onto its tile.
    void UpdateTile(const QString& ip);
    // The forms have been emptied and the alarms go; their acknowledgements come back with them, and the latched
    // alarms are shown again. Nothing is read from the handling log.
    void ClearAlarms();
    // Once, at the first start of monitoring: takes the acknowledgements of alarms still open, the shelves in force
    // and, while latching is on, the alarms that ended unacknowledged from the handling log.
    void Restore();
    // A device's tile was added: its latched alarms are shown.
    void DeviceAdded(const QString& ip);

    // Operations.
    // The operator is shown the keys' rows (their menu opens): what acknowledging them then acknowledges, and when.
    void SelectionShown(const QStringList& keys);
    // The occurrences shown when the menu opened (the keys' ones now, without a menu), at that time, as far as they
    // are still there after the note; a note on an acknowledged alarm is added to its acknowledgement.
    void Acknowledge(const QStringList& keys, bool withNote);
    // Asks first; acknowledges in rounds that give the event loop back, and emits Sig_AcknowledgeAllDone.
    void AcknowledgeAll();
    // Shelving, unshelving and the end of shelves take the rows out or put them back in rounds that give the event
    // loop back, and emit Sig_ShelfRoundsDone.
    void Shelve(const QStringList& keys, int minutes);
    void Unshelve(const QString& key);
    // Every current alarm not acknowledged, plus the kept ended ones, of every device.
    int UnacknowledgedCount() const;
    // The "Shelved Alarms" window, made on first use.
    void ShowShelvedAlarms();
    void RetranslateUi();

signals:
    void Sig_ShelvesChanged();
    void Sig_AcknowledgeAllDone();
    void Sig_ShelfRoundsDone();
    // A device's number of unacknowledged alarms may have changed.
    void Sig_DeviceChanged(QString ip);
    // The number of unacknowledged alarms of all devices has changed.
    void Sig_UnacknowledgedChanged(int count);

private:
    // The rows' alarms (current and latched, per key) when they were shown, and the time.
    struct Selection
    {
        QDateTime time;
        QHash<QString, QList<AlarmRecord>> alarms;
    };
    struct Round
    {
        // When the operator asked; what arrives while the rounds run has not been seen.
        QDateTime time;
        QStringList devices;
    };

    void AcknowledgeKey(const QString& key, const QList<AlarmRecord>& seen, const QDateTime& time, const QString& note,
                        std::vector<AlarmAcknowledgement>& written);
    void AcknowledgeDevice(const QString& ip, const Round& round, std::vector<AlarmAcknowledgement>& written);
    void RunAcknowledgeRound();
    // Writes the acknowledgements to the handling log and takes them out of the speech.
    void Keep(const std::vector<AlarmAcknowledgement>& written);
    void StartShelfRounds();
    void RunShelfRound();
    void ShowCurrentRows(const QString& key, QSet<QString>& devices);
    // Empty while any current record of the key is unacknowledged, else the latest acknowledgement time.
    QString AckText(const AlarmRecord& record);
    bool AskNote(const QString& title, QString& note);
    void ExpireShelves();
    void ShelvesChanged();
    int CountUnacknowledged(const QString& ip);
    void ShowLatched(const QString& ip);

    DeviceAlarmStore& m_store;
    const FormsOf m_formsOf;
    const TileOf m_tileOf;
    ShelvedAlarmsDialog* m_shelvedAlarms = nullptr;
    QWidget* const m_dialogParent;
    DialogPrompts m_prompts;
    Clock m_clock;
    SteadyClock m_steadyClock;
    SoundAlarmManager* m_sound = nullptr;
    AlarmHandlingLog* m_log = nullptr;
    AlarmHandlingState m_state;
    bool m_restored = false;
    QTimer m_shelfTimer;
    Selection m_selection;
    Round m_round;
    // The keys whose rows a shelf takes out, or whose end puts them back, in the rounds to come.
    QSet<QString> m_keysToHide;
    QSet<QString> m_keysToShow;
    bool m_shelfRoundQueued = false;
    // Each device's unacknowledged count as last counted, for the devices that have any, and their sum.
    QHash<QString, int> m_unacknowledged;
    int m_unacknowledgedTotal = 0;
};
