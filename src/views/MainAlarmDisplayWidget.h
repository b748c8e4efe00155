#pragma once

#include "alarm/AlarmDisplay.h"
#include "views/AlarmArrivalQueue.h"
#include "views/AlarmListActions.h"
#include "views/DeviceAlarmStore.h"
#include "views/DevicePortSettings.h"

#include <QElapsedTimer>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>

class AlarmHandlingController;
class CurrentDeviceBox;
class DeviceAlarmListForm;
class DeviceNavigation;
class DevicePicMonitorForm;
class DeviceStatusForm;
class DeviceWidget;
class QComboBox;
class QTabWidget;
class QTableWidget;

// The window's central widget: the navigation column of device tiles, the current device with its port pictures,
// and the alarm lists of all devices and of the current device. Alarms arrive from the handler thread through
// DealAlarm and are applied on the GUI thread.
class MainAlarmDisplayWidget : public QWidget, public AlarmDisplay
{
    Q_OBJECT

public:
    using Confirm = AlarmListActions::Confirm;

    explicit MainAlarmDisplayWidget(QWidget* parent = nullptr);
    ~MainAlarmDisplayWidget() override;

    // AlarmDisplay. DealAlarm runs on the handler thread; everything else on the GUI thread.
    void DealAlarm(const AlarmRecord* record) override;
    void ClearAlarms() override;
    void ClearDevices() override;
    void AddDevice(const QString& ip, const QString& deviceName) override;
    void SetDeviceConfig(const DeviceConfigFile& config) override;
    void SetSoundAlarmManager(SoundAlarmManager* manager) override;
    void SetMaxHistory(int maxHistory) override;
    void SetLatchEndedAlarms(bool latch) override;

    void SetMonitoring(bool monitoring) { m_monitoring = monitoring; }
    AlarmSummary Summary() { return m_store.Summarize(); }
    // Any thread, for the metrics.
    bool IsMonitoring() const { return m_monitoring; }
    int ArrivedCount() const { return m_arrivals.Size(); }
    void SetConfirm(Confirm confirm) { m_listActions->SetConfirm(std::move(confirm)); }
    void ShowNavigation(bool show);
    void ShowCurrentDevice(bool show);
    void ShowStatusWindow();
    void RetranslateUi();

    // Port states as the pictures show them: the store's, with unmonitored ports disabled.
    void GetDevicePortStates(const QString& ip, int& lan, int& aes, int& analog, int* bnc);

    // What tests and the window read back.
    DeviceAlarmListForm* AllDeviceForm() const { return m_allDeviceForm; }
    DeviceAlarmListForm* CurrentDeviceForm() const { return m_currentDeviceForm; }
    DeviceStatusForm* StatusForm() const;
    DevicePicMonitorForm* StatusWindow() const { return m_statusWindow.get(); }
    QTableWidget* NavigationTable() const { return m_navigationTable; }
    QComboBox* SortSelector() const { return m_sortSelector; }
    DeviceWidget* CurrentTile() const { return m_currentTile; }
    // Acknowledging and shelving the alarms shown.
    AlarmHandlingController* Handling() const { return m_handling.get(); }
    DeviceWidget* TileAt(int row) const;
    // Name, address and age shown for the current device.
    QStringList CurrentDeviceTexts() const;

signals:
    // The record that woke the GUI thread; every record queued with it is applied in the same slot call.
    void Signal_DealAlarm(void* pArg);
    // Each record as the GUI thread applies it; the record is borrowed for the call.
    void Signal_AlarmApplied(const AlarmRecord& record);

public slots:
    void OnDeleteCurSignalAlarm();
    void OnDeleteCurSystemAlarm();
    void OnDeleteSignalAlarm();
    void OnDeleteSystemAlarm();
    void OnDeviceFocus(bool bFocus);
    void OnDealAlarm(void* pArg);
    void AutoSort(int index);
    void SortDeviceTable();

private:
    void BuildLayout();
    void ApplyRecord(const AlarmRecord& record);
    void DealSignalAlarm(const AlarmRecord& record);
    void DealSystemAlarm(const AlarmRecord& record);
    void UpdateDeviceTile(const AlarmRecord& record);
    // Once a round has been applied, and after a change of the tiles; more: records are left for later rounds.
    void FinishBatch(bool more = false);
    void MakeCurrent(DeviceWidget* tile);
    void ShowDeviceAlarms(const QString& ip);
    void SyncSoundMarks(bool wait);
    // A few milliseconds' worth of the touched devices' pictures and badges; more: a storm is on, and the rest waits
    // for a later round, else for a turn of the event loop.
    void RefreshTouchedDevices(bool more);
    void RefreshCurrentPorts();
    void RefreshDevicePorts(const QString& ip);
    void UpdateCurrentTexts();
    QList<DeviceAlarmListForm*> FormsFor(const QString& ip) const;

    bool m_autoSort = true;
    QTableWidget* m_navigationTable = nullptr;
    // The tiles' order; the table's rows show it at the end of every round.
    std::unique_ptr<DeviceNavigation> m_navigation;
    DeviceWidget* m_currentTile = nullptr;
    QComboBox* m_sortSelector = nullptr;
    DeviceAlarmListForm* m_currentDeviceForm = nullptr;
    DeviceAlarmListForm* m_allDeviceForm = nullptr;
    CurrentDeviceBox* m_currentDeviceBox = nullptr;
    QTabWidget* m_tabWidget = nullptr;
    QWidget* m_navigationColumn = nullptr;
    DeviceAlarmStore m_store;
    int m_maxHistory = 400;
    std::unique_ptr<DevicePicMonitorForm> m_statusWindow;
    DevicePortSettings m_portSettings;
    std::unique_ptr<AlarmHandlingController> m_handling;
    // Holds the speech manager the display reads.
    std::unique_ptr<AlarmListActions> m_listActions;

    // Written on the GUI thread, read by DealAlarm on the handler thread.
    std::atomic<bool> m_monitoring{false};
    AlarmArrivalQueue m_arrivals;

    // GUI thread: what a round of applied records leaves to do once.
    QSet<QString> m_touchedIps;
    // Since the touched devices' pictures and badges were last brought up to date.
    QElapsedTimer m_touchedShown;
    QTimer m_touchedTimer;
    static constexpr qint64 TouchedDevicesIntervalMs = 200;
    static constexpr qint64 TouchedDevicesBudgetMs = 4;
    static constexpr qint64 StormTablesIntervalMs = 100;
    // Since the tiles' order was last shown.
    QElapsedTimer m_orderShown;
    static constexpr qint64 StormOrderIntervalMs = 200;
    // The current-device form awaits its rebuild for a newly current tile.
    bool m_currentFormStale = false;
    // The current device's rows still wait for their sound marks to be checked against the speech queue.
    bool m_soundMarksStale = false;
};
