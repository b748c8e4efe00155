#include "views/AlarmListActions.h"

#include "alarm/SoundAlarmManager.h"
#include "dialogs/DialogPrompts.h"
#include "views/AlarmHandlingController.h"
#include "views/DeviceAlarmListForm.h"
#include "views/DeviceAlarmStore.h"

AlarmListActions::AlarmListActions(DeviceAlarmStore& store, DeviceAlarmListForm* allDeviceForm,
                                   DeviceAlarmListForm* currentDeviceForm, AlarmHandlingController& handling,
                                   RefreshPorts refreshPorts, QWidget* dialogParent)
    : m_store(store), m_allDeviceForm(allDeviceForm), m_currentDeviceForm(currentDeviceForm), m_handling(handling),
      m_refreshPorts(std::move(refreshPorts)), m_dialogParent(dialogParent),
      m_confirm(DialogPrompts::Interactive().confirm)
{
    for (DeviceAlarmListForm* form : {m_currentDeviceForm, m_allDeviceForm}) {
        connect(form, &DeviceAlarmListForm::Sig_RemoveSoundAlarm, this, &AlarmListActions::OnRemoveSoundAlarm);
        connect(form, &DeviceAlarmListForm::Sig_AppendSoundAlarm, this, &AlarmListActions::OnAppendSoundAlarm);
    }
}

void AlarmListActions::OnEnableSound(QString ip, bool enable)
{
    if (ip.isEmpty())
        return;
    if (m_soundAlarmManager) {
        m_soundAlarmManager->EnableDeviceSound(ip, enable);
        if (enable) {
            QList<AlarmRecord> alarms;
            m_store.CopySystemAlarms(ip, alarms);
            m_store.CopySignalAlarms(ip, alarms);
            for (const AlarmRecord& alarm : qAsConst(alarms))
                m_soundAlarmManager->AppendAlarm(&alarm);
        }
    }
    m_currentDeviceForm->SetDeviceSound(ip, enable);
    m_allDeviceForm->SetDeviceSound(ip, enable);
}

void AlarmListActions::OnAppendSoundAlarm(QString sKey)
{
    SetKeySound(sKey, true);
}

void AlarmListActions::OnRemoveSoundAlarm(QString sKey)
{
    SetKeySound(sKey, false);
}

// Both forms show the same tick, and the key's current alarms join or leave the speech queue.
void AlarmListActions::SetKeySound(const QString& key, bool on)
{
    if (!m_soundAlarmManager)
        return;
    for (DeviceAlarmListForm* form : {m_currentDeviceForm, m_allDeviceForm}) {
        if (on)
            form->SetSoundMark(key);
        else
            form->ClearSoundMark(key);
    }
    QList<AlarmRecord> alarms;
    m_store.CollectByKey(key, alarms);
    for (const AlarmRecord& alarm : qAsConst(alarms)) {
        if (on)
            m_soundAlarmManager->AppendAlarm(&alarm);
        else
            m_soundAlarmManager->RemoveAlarm(alarm);
    }
}

void AlarmListActions::DeleteSelected(DeviceAlarmListForm* form, bool system)
{
    // Read before asking: an alarm arriving meanwhile may rebuild the form and clear its selection.
    QStringList keys;
    if (system)
        form->GetSelectedSystemKeys(keys);
    else
        form->GetSelectedSignalKeys(keys);
    if (!m_confirm(m_dialogParent, tr("Delete"), tr("Are you sure to delete alarms?")))
        return;
    QStringList ips;
    for (const QString& key : qAsConst(keys)) {
        // A row without a current alarm is an ended one kept until acknowledged: it is in the history already.
        QList<AlarmRecord> current;
        const bool latched = !m_store.CollectByKey(key, current);
        for (DeviceAlarmListForm* shown : {m_currentDeviceForm, m_allDeviceForm}) {
            if (latched)
                shown->RemoveCurrentRows(key);
            else if (system)
                shown->MoveSystemAlarmToHistory(key);
            else
                shown->MoveSignalAlarmToHistory(key);
        }
        m_handling.AlarmDeleted(key);
        m_store.RemoveByKey(key);
        const QStringList parts = key.split(QLatin1Char(':'));
        if (m_soundAlarmManager) {
            if (parts.size() == 2)
                m_soundAlarmManager->RemoveDeviceAlarm(parts[0], parts[1].toInt());
            else if (parts.size() == 4 && parts[3] == QLatin1String("video"))
                m_soundAlarmManager->RemoveVideoAlarms(parts[0], parts[1].toInt(), parts[2].toInt());
            else if (parts.size() == 4)
                m_soundAlarmManager->RemovePortAlarm(parts[0], parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
        }
        if (!ips.contains(parts[0]))
            ips.append(parts[0]);
    }
    for (const QString& ip : qAsConst(ips))
        m_refreshPorts(ip);
}
