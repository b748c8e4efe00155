#pragma once

#include "views/AlarmTableModel.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class AlarmRecord;
class QAction;
class QLabel;
class QMenu;
class QTableView;

namespace Ui {
class DeviceAlarmListForm;
}

// Four tables of alarms: current signal alarms, their history, current system alarms, their history. The main
// display decides what each record does to the rows; the form reports only the operator's Sound ticks and
// "Delete" requests. A current row is found again by its alarm view key. Changes reach the screen at Publish, which
// the display calls at the end of every round and which otherwise follows once control returns to the event loop.
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
    void Publish();
    // See AlarmTableModel::SetPublishDelay.
    void SetPublishDelay(int delayMs);

    // The last column of a current row: the acknowledgement time, empty while unacknowledged.
    void SetAckText(const QString& key, const QString& text);
    // The key's top row stays as the ended alarm: grey level cell and its end time in the detail.
    void ShowReturned(const AlarmRecord& ended);
    // Every current row of the key (a shelved key leaves the tables).
    void RemoveCurrentRows(const QString& key);
    bool HasCurrentRow(const QString& key) const;

    // How a context menu is shown; tests answer it instead of the operator.
    void SetMenuRunner(std::function<void(QMenu&)> runner);

    QTableView* SignalAlarmTable() const;
    QTableView* SystemAlarmTable() const;
    QTableView* SignalHistoryTable() const;
    QTableView* SystemHistoryTable() const;

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
    void OnSignalAlarmMenuRequested();
    void OnSystemAlarmMenuRequested();

private:
    // A table with its rows and its caption.
    struct Table
    {
        QTableView* view = nullptr;
        AlarmTableModel* rows = nullptr;
        QLabel* label = nullptr;
    };

    struct HandlingActions
    {
        QAction* acknowledge = nullptr;
        QAction* acknowledgeWithNote = nullptr;
        QMenu* shelve = nullptr;
    };

    HandlingActions AddHandlingActions(QMenu* menu, const Table& table);
    void SetupTable(Table& table, const QVector<AlarmTableModel::Column>& columns, bool current,
                    const QList<int>& widths);
    void SetHeaders();
    void AddCurrent(Table& current, const AlarmRecord& record, const QString& detail);
    void AddHistory(Table& history, const AlarmRecord& record, const QString& detail);
    void MoveToHistory(Table& current, Table& history, const QString& key);
    void OnSoundCellClicked(Table& current, int row, int column);
    void ShowMenu(const Table& table, QMenu* menu);
    const Table& CurrentTableOf(const QString& key) const;
    void UpdateLabels();
    QStringList SelectedKeys(const Table& table) const;
    bool SoundOn(const QString& ip) const;

    std::unique_ptr<Ui::DeviceAlarmListForm> m_ui;
    QString m_checkMark;
    Table m_signalAlarms;
    Table m_systemAlarms;
    Table m_signalHistory;
    Table m_systemHistory;
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
