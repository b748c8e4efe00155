#pragma once

#include "views/AlarmRowIndex.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class AlarmRecord;
class QAction;
class QLabel;
class QMenu;
class QTableWidget;
class QTableWidgetItem;

namespace Ui {
class DeviceAlarmListForm;
}

// Four tables of alarms: current signal alarms, their history, current system alarms, their history. The main
// display decides what each record does to the rows; the form reports only the operator's Sound ticks and
// "Delete" requests. A current row is found again by its alarm view key.
class DeviceAlarmListForm : public QWidget
{
    Q_OBJECT

public:
    explicit DeviceAlarmListForm(QWidget* parent = nullptr);
    ~DeviceAlarmListForm() override;

    void AddSignalAlarm(const AlarmRecord& record);
    void AddSystemAlarm(const AlarmRecord& record);
    void AddSignalHistory(const AlarmRecord& record);
    void AddSystemHistory(const AlarmRecord& record);
    void RemoveSignalAlarm(const AlarmRecord& record);
    void RemoveSystemAlarm(const AlarmRecord& record);
    void UpdateSignalAlarm(const AlarmRecord& record);
    void MoveSignalAlarmToHistory(const QString& key);
    void MoveSystemAlarmToHistory(const QString& key);
    void GetSelectedSignalKeys(QStringList& keys) const;
    void GetSelectedSystemKeys(QStringList& keys) const;
    void SetSoundMark(const QString& key);
    void ClearSoundMark(const QString& key);
    void SetDeviceSound(const QString& ip, bool enable);
    void ClearSoundOffList();
    void SyncSoundMarks(const QList<AlarmRecord>& records);
    void SetMaxHistory(int maxHistory);
    void ClearAll();
    void RetranslateUi();

    // The last column of a current row: the acknowledgement time, empty while unacknowledged.
    void SetAckText(const QString& key, const QString& text);
    // The key's top row stays as the ended alarm: grey level cell and its end time in the detail.
    void ShowReturned(const AlarmRecord& ended);
    // Every current row of the key (a shelved key leaves the tables).
    void RemoveCurrentRows(const QString& key);
    bool HasCurrentRow(const QString& key) const;

    // How a context menu is shown; tests answer it instead of the operator.
    void SetMenuRunner(std::function<void(QMenu&)> runner);

    QTableWidget* SignalAlarmTable() const;
    QTableWidget* SystemAlarmTable() const;
    QTableWidget* SignalHistoryTable() const;
    QTableWidget* SystemHistoryTable() const;

signals:
    void Sig_AppendSoundAlarm(QString sKey);
    void Sig_RemoveSoundAlarm(QString sKey);
    void Sig_DeleteSignalAlarm();
    void Sig_DeleteSystemAlarm();
    // The alarm view keys of the selected rows.
    // The menu of the selected rows is about to open.
    void Sig_HandlingMenuOpening(QStringList keys);
    void Sig_HandlingMenuClosed();
    void Sig_Acknowledge(QStringList keys, bool withNote);
    void Sig_Shelve(QStringList keys, int minutes);

public slots:
    void OnSignalAlarmCellClicked(int row, int column);
    void OnSystemAlarmCellClicked(int row, int column);
    void On_SignalAlarmTableWidget_customContextMenuRequested(const QPoint& pos);
    void On_SystemAlarmTableWidget_customContextMenuRequested(const QPoint& pos);

private:
    // A table of current alarms with what finds its rows by key.
    struct CurrentTable
    {
        QTableWidget* table = nullptr;
        QLabel* label = nullptr;
        int soundColumn = 0;
        int typeColumn = 0;
        AlarmRowIndex rows;
    };
    struct HistoryTable
    {
        QTableWidget* table = nullptr;
        QLabel* label = nullptr;
        int typeColumn = 0;
    };

    struct HandlingActions
    {
        QAction* acknowledge = nullptr;
        QAction* acknowledgeWithNote = nullptr;
        QMenu* shelve = nullptr;
    };

    HandlingActions AddHandlingActions(QMenu* menu, QTableWidget* table);
    void SetupTable(QTableWidget* table, const QList<int>& widths);
    void SetHeaders();
    void InsertCurrentRow(CurrentTable& current, const AlarmRecord& record, const QList<QTableWidgetItem*>& cells);
    void RemoveCurrentRow(CurrentTable& current, int row);
    void InsertHistoryRow(HistoryTable& history, const QList<QTableWidgetItem*>& cells);
    void TrimHistory(HistoryTable& history);
    void MoveToHistory(CurrentTable& current, HistoryTable& history, const QString& key,
                       const QList<int>& historyColumnOfCurrent);
    void OnSoundCellClicked(CurrentTable& current, int row, int column);
    void ShowMenu(QTableWidget* table, QMenu* menu);
    void SetSoundText(const QString& key, const QString& text);
    void UpdateLabels();
    QString SoundText(const QString& ip) const;

    std::unique_ptr<Ui::DeviceAlarmListForm> m_ui;
    QString m_checkMark;
    CurrentTable m_signalAlarms;
    CurrentTable m_systemAlarms;
    HistoryTable m_signalHistory;
    HistoryTable m_systemHistory;
    int m_maxHistory = 100;
    QMenu* m_signalMenu = nullptr;
    QAction* m_signalDeleteAction = nullptr;
    QMenu* m_systemMenu = nullptr;
    QAction* m_systemDeleteAction = nullptr;
    HandlingActions m_signalHandling;
    HandlingActions m_systemHandling;
    QAction* m_acknowledgeShortcut = nullptr;
    QStringList m_soundOffList;
    std::function<void(QMenu&)> m_runMenu;
};
