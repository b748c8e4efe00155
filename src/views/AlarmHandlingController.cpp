#include "views/AlarmHandlingController.h"

#include "alarm/AlarmHandlingLog.h"
#include "alarm/AlarmNote.h"
#include "alarm/SoundAlarmManager.h"
#include "views/DeviceAlarmListForm.h"
#include "views/DeviceAlarmStore.h"
#include "views/DeviceWidget.h"
#include "views/ShelvedAlarmsDialog.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>

namespace {
// A round of Acknowledge All or of shelving gives the event loop back after this long, as the display's rounds do.
constexpr qint64 RoundBudgetMs = 10;
constexpr int ShelfCheckMs = 1000;

QString AckTimeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("hh:mm:ss"));
}

// An ended alarm kept until acknowledged: a current row drawn as returned to normal.
void ShowLatchedRow(DeviceAlarmListForm* form, const AlarmRecord& ended)
{
    if (IsSignalAlarm(ended.alarmType))
        form->AddSignalAlarm(ended);
    else
        form->AddSystemAlarm(ended);
    form->ShowReturned(ended);
}

bool SameTrackGroup(const AlarmRecord& a, const AlarmRecord& b)
{
    return a.portType == b.portType && a.portID == b.portID && a.alarmType == b.alarmType;
}
} // namespace

AlarmHandlingController::AlarmHandlingController(DeviceAlarmStore& store, const QList<DeviceAlarmListForm*>& forms,
                                                 FormsOf formsOf, TileOf tileOf, QWidget* dialogParent)
    : m_store(store), m_formsOf(std::move(formsOf)), m_tileOf(std::move(tileOf)), m_dialogParent(dialogParent),
      m_clock(&QDateTime::currentDateTime), m_steadyClock([] { return QDeadlineTimer::current().deadline(); })
{
    for (DeviceAlarmListForm* form : forms) {
        connect(form, &DeviceAlarmListForm::Sig_HandlingMenuOpening, this, &AlarmHandlingController::SelectionShown);
        connect(form, &DeviceAlarmListForm::Sig_HandlingMenuClosed, this, [this] { m_selection = Selection(); });
        connect(form, &DeviceAlarmListForm::Sig_Acknowledge, this, &AlarmHandlingController::Acknowledge);
        connect(form, &DeviceAlarmListForm::Sig_Shelve, this, &AlarmHandlingController::Shelve);
    }
    connect(this, &AlarmHandlingController::Sig_DeviceChanged, this, &AlarmHandlingController::UpdateTile);
    m_prompts = DialogPrompts::Interactive();
    m_shelfTimer.setInterval(ShelfCheckMs);
    connect(&m_shelfTimer, &QTimer::timeout, this, &AlarmHandlingController::ExpireShelves);
}

AlarmHandlingController::~AlarmHandlingController()
{
    delete m_shelvedAlarms;
}

void AlarmHandlingController::SetLatchEnabled(bool enabled)
{
    m_state.SetLatchEnabled(enabled);
    if (enabled)
        return;
    for (const QString& ip : m_state.LatchedDevices()) {
        const QList<DeviceAlarmListForm*> forms = m_formsOf(ip);
        for (const QString& key : m_state.LatchedKeys(ip)) {
            m_state.TakeLatched(key);
            // Other tracks of the port may still alarm in the row: it stays for them.
            QList<AlarmRecord> current;
            if (m_store.CollectByKey(key, current))
                continue;
            for (DeviceAlarmListForm* form : forms)
                form->RemoveCurrentRows(key);
        }
        emit Sig_DeviceChanged(ip);
    }
}

void AlarmHandlingController::RowShown(const AlarmRecord& record, const QList<DeviceAlarmListForm*>& forms)
{
    // A new alarm of the key takes the row of the ended one, which stays in the history.
    if (m_state.HasLatched())
        m_state.TakeLatched(AlarmViewKey(record));
    // Acknowledged before a restart or a stop: the log has it already, only the speech must learn it again.
    if (m_state.TakeRestored(record) && m_sound)
        m_sound->SetAcknowledged({record}, true);
    if (!m_state.HasAcknowledgements())
        return;
    const QString text = AckText(record);
    if (text.isEmpty())
        return;
    const QString key = AlarmViewKey(record);
    for (DeviceAlarmListForm* form : forms)
        form->SetAckText(key, text);
}

void AlarmHandlingController::AlarmEnded(const AlarmRecord& ended, bool returnedToNormal,
                                         const QList<DeviceAlarmListForm*>& forms)
{
    const bool wasAcknowledged = m_state.IsAcknowledged(ended);
    m_state.Forget(ended);
    if (!returnedToNormal || wasAcknowledged || !m_state.IsLatchEnabled() || !Shows(ended))
        return;
    m_state.Latch(ended);
    AlarmRecord merged;
    // Other tracks of the port still alarm: the row shows them, and the ended track waits for the acknowledgement.
    const bool stillAlarming = IsAudioTrackAlarm(ended.alarmType) && m_store.MergeTrackAlarms(ended, merged);
    for (DeviceAlarmListForm* form : forms) {
        if (stillAlarming) {
            form->AddSignalAlarm(merged);
            form->UpdateSignalAlarm(merged);
            continue;
        }
        ShowLatchedRow(form, ended);
    }
}

void AlarmHandlingController::FormRebuilt(DeviceAlarmListForm* form, const QString& ip)
{
    for (const AlarmRecord& ended : m_state.LatchedOf(ip)) {
        if (!form->HasCurrentRow(AlarmViewKey(ended)))
            ShowLatchedRow(form, ended);
    }
    if (!m_state.HasAcknowledgements())
        return;
    QHash<QString, AlarmRecord> byKey;
    m_store.VisitCurrent(ip, [&byKey](const AlarmRecord& r) { byKey.insert(AlarmViewKey(r), r); });
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        form->SetAckText(it.key(), AckText(it.value()));
}

void AlarmHandlingController::AlarmDeleted(const QString& key)
{
    QList<AlarmRecord> current;
    m_store.CollectByKey(key, current);
    for (const AlarmRecord& alarm : qAsConst(current))
        m_state.Forget(alarm);
    m_state.TakeLatched(key);
    // Counted once the store has let go of them.
    const QString ip = key.section(QLatin1Char(':'), 0, 0);
    QMetaObject::invokeMethod(
        this, [this, ip] { emit Sig_DeviceChanged(ip); }, Qt::QueuedConnection);
}

QString AlarmHandlingController::AckText(const AlarmRecord& record)
{
    if (!IsAudioTrackAlarm(record.alarmType)) {
        const QDateTime time = m_state.AcknowledgedAt(record);
        return time.isValid() ? AckTimeText(time) : QString();
    }
    QDateTime latest;
    bool all = true;
    m_store.VisitCurrent(record.ip, [&](const AlarmRecord& r) {
        if (!SameTrackGroup(r, record))
            return;
        const QDateTime time = m_state.AcknowledgedAt(r);
        all = all && time.isValid();
        if (time > latest)
            latest = time;
    });
    return all && latest.isValid() ? AckTimeText(latest) : QString();
}

void AlarmHandlingController::UpdateTile(const QString& ip)
{
    DeviceWidget* tile = m_tileOf(ip);
    if (!tile)
        return;
    const int count = CountUnacknowledged(ip);
    const int kept = m_unacknowledged.value(ip, 0);
    tile->SetUnacknowledged(count);
    if (count == kept)
        return;
    m_unacknowledgedTotal += count - kept;
    if (count == 0)
        m_unacknowledged.remove(ip);
    else
        m_unacknowledged.insert(ip, count);
    emit Sig_UnacknowledgedChanged(m_unacknowledgedTotal);
}

void AlarmHandlingController::ShowShelvedAlarms()
{
    if (!m_shelvedAlarms) {
        m_shelvedAlarms = new ShelvedAlarmsDialog(m_state, m_dialogParent);
        connect(this, &AlarmHandlingController::Sig_ShelvesChanged, m_shelvedAlarms, &ShelvedAlarmsDialog::Refresh);
        connect(m_shelvedAlarms, &ShelvedAlarmsDialog::Sig_Unshelve, this, &AlarmHandlingController::Unshelve);
    }
    m_shelvedAlarms->show();
    m_shelvedAlarms->raise();
}

void AlarmHandlingController::RetranslateUi()
{
    if (m_shelvedAlarms)
        m_shelvedAlarms->RetranslateUi();
}

int AlarmHandlingController::CountUnacknowledged(const QString& ip)
{
    int count = m_state.LatchedCount(ip);
    m_store.VisitCurrent(ip, [&](const AlarmRecord& r) {
        if (!m_state.IsAcknowledged(r) && Shows(r))
            ++count;
    });
    return count;
}

int AlarmHandlingController::UnacknowledgedCount() const
{
    return m_unacknowledgedTotal;
}

void AlarmHandlingController::ClearAlarms()
{
    m_state.ClearAlarms();
    m_round.devices.clear();
    m_keysToHide.clear();
    m_keysToShow.clear();
    for (auto it = m_unacknowledged.cbegin(); it != m_unacknowledged.cend(); ++it) {
        if (DeviceWidget* tile = m_tileOf(it.key()))
            tile->SetUnacknowledged(0);
    }
    m_unacknowledged.clear();
    if (m_unacknowledgedTotal != 0)
        emit Sig_UnacknowledgedChanged(0);
    m_unacknowledgedTotal = 0;
    for (const QString& ip : m_state.LatchedDevices())
        ShowLatched(ip);
}

void AlarmHandlingController::Restore()
{
    if (!m_log || m_restored)
        return;
    m_restored = true;
    QList<AlarmAcknowledgement> acknowledgements;
    QList<AlarmShelf> shelves;
    QList<AlarmRecord> ended;
    const QDateTime now = m_clock();
    m_log->LoadHandling(now, acknowledgements, shelves, m_state.IsLatchEnabled() ? &ended : nullptr);
    m_state.AddRestored(acknowledgements);
    // From here on the shelf counts down on the steady clock.
    const qint64 steadyNow = m_steadyClock();
    for (AlarmShelf& shelf : shelves) {
        shelf.deadline = steadyNow + now.msecsTo(shelf.until);
        m_state.Shelve(shelf);
    }
    QSet<QString> devices;
    for (const AlarmRecord& alarm : qAsConst(ended)) {
        if (Shows(alarm)) {
            m_state.Latch(alarm);
            devices.insert(alarm.ip);
        }
    }
    ShelvesChanged();
    for (const QString& ip : qAsConst(devices))
        ShowLatched(ip);
}

void AlarmHandlingController::DeviceAdded(const QString& ip)
{
    if (m_state.HasLatched())
        ShowLatched(ip);
}

void AlarmHandlingController::ShowLatched(const QString& ip)
{
    // A device no longer configured has no tile: its latched alarms wait unseen.
    if (!m_tileOf(ip))
        return;
    for (const AlarmRecord& ended : m_state.LatchedOf(ip)) {
        for (DeviceAlarmListForm* form : m_formsOf(ip)) {
            if (!form->HasCurrentRow(AlarmViewKey(ended)))
                ShowLatchedRow(form, ended);
        }
    }
    emit Sig_DeviceChanged(ip);
}

void AlarmHandlingController::Keep(const std::vector<AlarmAcknowledgement>& written)
{
    if (written.empty())
        return;
    if (m_log)
        m_log->AddAcknowledgements(written);
    // The ended ones are no longer spoken anyway, and a later start of the same alarm is news.
    QList<AlarmRecord> current;
    for (const AlarmAcknowledgement& acknowledgement : written) {
        if (!acknowledgement.alarm.end_time.isValid())
            current.append(acknowledgement.alarm);
    }
    if (m_sound)
        m_sound->SetAcknowledged(current, true);
}

bool AlarmHandlingController::AskNote(const QString& title, QString& note)
{
    QInputDialog dialog(m_dialogParent);
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(tr("Note (at most %1 characters):").arg(AlarmNote::MaxLength));
    // Room for a sentence: the operator writes what was done about the alarm.
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMinimumWidth(440);
        edit->setMaxLength(AlarmNote::MaxLength);
    }
    if (m_prompts.runDialog(dialog) != QDialog::Accepted)
        return false;
    QString error;
    if (AlarmNote::Check(dialog.textValue(), note, error))
        return true;
    m_prompts.notify(QMessageBox::Warning, m_dialogParent, tr("Warn"), error);
    return false;
}

void AlarmHandlingController::SelectionShown(const QStringList& keys)
{
    m_selection = Selection();
    m_selection.time = m_clock();
    for (const QString& key : keys) {
        QList<AlarmRecord>& seen = m_selection.alarms[key];
        m_store.CollectByKey(key, seen);
        seen += m_state.Latched(key);
    }
}

void AlarmHandlingController::Acknowledge(const QStringList& keys, bool withNote)
{
    // What the operator saw when the menu opened, even if a rebuild of the form has cleared the selection since;
    // the shortcut has no menu and acts on what is there now.
    if (!m_selection.time.isValid())
        SelectionShown(keys);
    const Selection selection = std::move(m_selection);
    m_selection = Selection();
    if (selection.alarms.isEmpty())
        return;
    QString note;
    if (withNote && !AskNote(tr("Acknowledge"), note))
        return;
    std::vector<AlarmAcknowledgement> written;
    QSet<QString> devices;
    for (auto it = selection.alarms.cbegin(); it != selection.alarms.cend(); ++it) {
        AcknowledgeKey(it.key(), it.value(), selection.time, note, written);
        devices.insert(it.key().section(QLatin1Char(':'), 0, 0));
    }
    Keep(written);
    for (const QString& ip : qAsConst(devices))
        emit Sig_DeviceChanged(ip);
}

void AlarmHandlingController::AcknowledgeKey(const QString& key, const QList<AlarmRecord>& seen, const QDateTime& time,
                                             const QString& note, std::vector<AlarmAcknowledgement>& written)
{
    const QList<DeviceAlarmListForm*> forms = m_formsOf(key.section(QLatin1Char(':'), 0, 0));
    QList<AlarmRecord> latched = m_state.TakeLatched(key);
    QList<AlarmRecord> current;
    m_store.CollectByKey(key, current);
    const auto sameOccurrence = [](const AlarmRecord& a, const AlarmRecord& b) {
        return a.time == b.time && AlarmHandlingState::Identity(a) == AlarmHandlingState::Identity(b);
    };
    const auto find = [&](QList<AlarmRecord>& list, const AlarmRecord& alarm) {
        return std::find_if(list.begin(), list.end(), [&](const AlarmRecord& r) { return sameOccurrence(r, alarm); });
    };
    for (const AlarmRecord& alarm : seen) {
        const auto stillLatched = find(latched, alarm);
        if (stillLatched != latched.end()) {
            written.push_back({*stillLatched, time, note});
            latched.erase(stillLatched);
            continue;
        }
        const auto stillCurrent = find(current, alarm);
        if (stillCurrent == current.end()) {
            // Ended or replaced since it was seen: its log row is acknowledged, and its speech mark goes with it.
            AlarmRecord ended = alarm;
            if (!ended.end_time.isValid())
                ended.end_time = m_clock();
            written.push_back({ended, time, note});
            continue;
        }
        // A note on an acknowledged alarm is added to the acknowledgement, which keeps its time.
        const QDateTime acknowledgedAt = m_state.AcknowledgedAt(alarm);
        if (acknowledgedAt.isValid() && note.isEmpty())
            continue;
        const QDateTime at = acknowledgedAt.isValid() ? acknowledgedAt : time;
        m_state.Acknowledge(*stillCurrent, at, note);
        written.push_back({*stillCurrent, at, note});
    }
    // Tracks that ended after the menu opened stay latched: nobody has seen them yet.
    for (const AlarmRecord& ended : qAsConst(latched))
        m_state.Latch(ended);
    if (latched.isEmpty() && current.isEmpty()) {
        for (DeviceAlarmListForm* form : forms)
            form->RemoveCurrentRows(key);
    }
    if (current.isEmpty())
        return;
    const QString text = AckText(current.first());
    for (DeviceAlarmListForm* form : forms)
        form->SetAckText(key, text);
}

void AlarmHandlingController::AcknowledgeAll()
{
    if (!m_prompts.confirm(m_dialogParent, tr("Acknowledge All"), tr("Acknowledge every unacknowledged alarm?")))
        return;
    const bool running = !m_round.devices.isEmpty();
    m_round.time = m_clock();
    QSet<QString> devices;
    for (const QString& ip : m_store.Devices())
        devices.insert(ip);
    for (const QString& ip : m_state.LatchedDevices())
        devices.insert(ip);
    m_round.devices = devices.values();
    if (!running)
        RunAcknowledgeRound();
}

void AlarmHandlingController::RunAcknowledgeRound()
{
    QElapsedTimer elapsed;
    elapsed.start();
    QStringList done;
    // Each device's acknowledgements are kept before the next device, so that the budget covers their writing
    // and the speech queue's share too.
    while (!m_round.devices.isEmpty() && elapsed.elapsed() < RoundBudgetMs) {
        const QString ip = m_round.devices.takeLast();
        std::vector<AlarmAcknowledgement> written;
        AcknowledgeDevice(ip, m_round, written);
        Keep(written);
        done.append(ip);
    }
    for (const QString& ip : qAsConst(done))
        emit Sig_DeviceChanged(ip);
    if (m_round.devices.isEmpty())
        emit Sig_AcknowledgeAllDone();
    else
        QMetaObject::invokeMethod(
            this, [this] { RunAcknowledgeRound(); }, Qt::QueuedConnection);
}

void AlarmHandlingController::AcknowledgeDevice(const QString& ip, const Round& round,
                                                std::vector<AlarmAcknowledgement>& written)
{
    const QList<DeviceAlarmListForm*> forms = m_formsOf(ip);
    for (const QString& key : m_state.LatchedKeys(ip)) {
        for (const AlarmRecord& ended : m_state.TakeLatched(key))
            written.push_back({ended, round.time, QString()});
        for (DeviceAlarmListForm* form : forms)
            form->RemoveCurrentRows(key);
    }
    QList<AlarmRecord> current;
    m_store.CopySignalAlarms(ip, current);
    m_store.CopySystemAlarms(ip, current);
    QHash<QString, AlarmRecord> acknowledgedKeys;
    for (const AlarmRecord& alarm : qAsConst(current)) {
        if (alarm.time > round.time || m_state.IsAcknowledged(alarm))
            continue;
        const QString key = AlarmViewKey(alarm);
        if (m_state.IsShelved(key))
            continue;
        m_state.Acknowledge(alarm, round.time, QString());
        written.push_back({alarm, round.time, QString()});
        acknowledgedKeys.insert(key, alarm);
    }
    for (auto it = acknowledgedKeys.cbegin(); it != acknowledgedKeys.cend(); ++it) {
        const QString text = AckText(it.value());
        for (DeviceAlarmListForm* form : forms)
            form->SetAckText(it.key(), text);
    }
}

void AlarmHandlingController::Shelve(const QStringList& keys, int minutes)
{
    QString note;
    if (keys.isEmpty() || !AskNote(tr("Shelve"), note))
        return;
    const QDateTime now = m_clock();
    const qint64 deadline = m_steadyClock() + qint64(minutes) * 60000;
    for (const QString& key : keys) {
        const AlarmShelf shelf{key, now, now.addSecs(qint64(minutes) * 60), note, QDateTime(), deadline};
        m_state.Shelve(shelf);
        if (m_log)
            m_log->AddShelfChange(shelf);
        m_keysToShow.remove(key);
        m_keysToHide.insert(key);
    }
    ShelvesChanged();
    StartShelfRounds();
}

void AlarmHandlingController::Unshelve(const QString& key)
{
    AlarmShelf shelf;
    if (!m_state.Unshelve(key, shelf))
        return;
    shelf.unshelved = m_clock();
    if (m_log)
        m_log->AddShelfChange(shelf);
    m_keysToHide.remove(key);
    m_keysToShow.insert(key);
    ShelvesChanged();
    StartShelfRounds();
}

void AlarmHandlingController::ExpireShelves()
{
    const QStringList expired = m_state.ExpiredKeys(m_steadyClock());
    if (expired.isEmpty())
        return;
    AlarmShelf shelf;
    for (const QString& key : expired) {
        m_state.Unshelve(key, shelf);
        m_keysToHide.remove(key);
        m_keysToShow.insert(key);
    }
    ShelvesChanged();
    StartShelfRounds();
}

void AlarmHandlingController::StartShelfRounds()
{
    if (!m_shelfRoundQueued)
        RunShelfRound();
}

void AlarmHandlingController::RunShelfRound()
{
    QElapsedTimer elapsed;
    elapsed.start();
    QList<AlarmRecord> unacknowledged;
    QSet<QString> devices;
    while (!m_keysToHide.isEmpty() && elapsed.elapsed() < RoundBudgetMs) {
        const QString key = *m_keysToHide.cbegin();
        m_keysToHide.erase(m_keysToHide.cbegin());
        // Whatever is still active when the shelf ends comes back unacknowledged.
        QList<AlarmRecord> current;
        m_store.CollectByKey(key, current);
        for (const AlarmRecord& alarm : qAsConst(current))
            m_state.Forget(alarm);
        unacknowledged += current;
        m_state.TakeLatched(key);
        const QString ip = key.section(QLatin1Char(':'), 0, 0);
        for (DeviceAlarmListForm* form : m_formsOf(ip))
            form->RemoveCurrentRows(key);
        devices.insert(ip);
    }
    while (!m_keysToShow.isEmpty() && elapsed.elapsed() < RoundBudgetMs) {
        const QString key = *m_keysToShow.cbegin();
        m_keysToShow.erase(m_keysToShow.cbegin());
        ShowCurrentRows(key, devices);
    }
    if (m_sound && !unacknowledged.isEmpty())
        m_sound->SetAcknowledged(unacknowledged, false);
    for (const QString& ip : qAsConst(devices))
        emit Sig_DeviceChanged(ip);
    if (m_keysToHide.isEmpty() && m_keysToShow.isEmpty()) {
        emit Sig_ShelfRoundsDone();
        return;
    }
    m_shelfRoundQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_shelfRoundQueued = false;
            RunShelfRound();
        },
        Qt::QueuedConnection);
}

void AlarmHandlingController::ShowCurrentRows(const QString& key, QSet<QString>& devices)
{
    QList<AlarmRecord> current;
    if (!m_store.CollectByKey(key, current))
        return;
    const AlarmRecord& first = current.first();
    AlarmRecord merged;
    const bool hasMerged = IsAudioTrackAlarm(first.alarmType) && m_store.MergeTrackAlarms(first, merged);
    for (DeviceAlarmListForm* form : m_formsOf(first.ip)) {
        if (!IsSignalAlarm(first.alarmType)) {
            form->AddSystemAlarm(first);
            continue;
        }
        form->AddSignalAlarm(current.last());
        if (hasMerged)
            form->UpdateSignalAlarm(merged);
    }
    if (m_sound) {
        for (const AlarmRecord& alarm : qAsConst(current))
            m_sound->AppendAlarm(&alarm);
    }
    devices.insert(first.ip);
}

void AlarmHandlingController::ShelvesChanged()
{
    if (m_sound)
        m_sound->SetShelvedKeys(m_state.ShelvedKeys());
    if (m_state.HasShelves())
        m_shelfTimer.start();
    else
        m_shelfTimer.stop();
    emit Sig_ShelvesChanged();
}
