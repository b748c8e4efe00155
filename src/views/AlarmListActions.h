#pragma once

#include <QObject>
#include <QString>

#include <functional>

class AlarmHandlingController;
class DeviceAlarmListForm;
class DeviceAlarmStore;
class QWidget;
class SoundAlarmManager;

// What the operator does to the alarms shown: ticks a row's sound, switches a device's sound, deletes the selected
// rows. Both alarm lists show the outcome, and the store, the handling and the speech queue follow.
class AlarmListActions : public QObject
{
    Q_OBJECT

public:
    // Asks OK or Cancel; true for OK.
    using Confirm = std::function<bool(QWidget* parent, const QString& title, const QString& text)>;
    // Shows the ports of a device whose alarms were deleted.
    using RefreshPorts = std::function<void(const QString& ip)>;

    AlarmListActions(DeviceAlarmStore& store, DeviceAlarmListForm* allDeviceForm,
                     DeviceAlarmListForm* currentDeviceForm, AlarmHandlingController& handling,
                     RefreshPorts refreshPorts, QWidget* dialogParent);

    void SetConfirm(Confirm confirm) { m_confirm = std::move(confirm); }
    void SetSoundAlarmManager(SoundAlarmManager* manager) { m_soundAlarmManager = manager; }
    SoundAlarmManager* SoundManager() const { return m_soundAlarmManager; }

    // After the operator confirms, the rows selected in form leave both lists for their histories.
    void DeleteSelected(DeviceAlarmListForm* form, bool system);

public slots:
    void OnEnableSound(QString ip, bool enable);
    void OnAppendSoundAlarm(QString sKey);
    void OnRemoveSoundAlarm(QString sKey);

private:
    void SetKeySound(const QString& key, bool on);

    DeviceAlarmStore& m_store;
    DeviceAlarmListForm* const m_allDeviceForm;
    DeviceAlarmListForm* const m_currentDeviceForm;
    AlarmHandlingController& m_handling;
    const RefreshPorts m_refreshPorts;
    QWidget* const m_dialogParent;
    SoundAlarmManager* m_soundAlarmManager = nullptr;
    Confirm m_confirm;
};
