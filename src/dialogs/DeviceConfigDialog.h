#pragma once

#include "config/DeviceConfigFile.h"
#include "config/DevicePorts.h"
#include "dialogs/DialogPrompts.h"

#include <QDialog>
#include <QList>

#include <memory>

class DeviceConfigNode;
class PortConfigNode;
class QModelIndex;
class QTableWidget;
class QTableWidgetItem;
class TimeRangeItemDelegate;

namespace Ui {
class DeviceConfigDialog;
}

// The editor of device_config.xml: the device list, and the ports of the selected device in three tables (BNC,
// analog, AES/EBU) where monitoring, alarm types and audio tracks are ticked and signal names and the two daily
// time ranges are edited in place. It works on a copy of the file that only OK writes back.
class DeviceConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceConfigDialog(const DialogPrompts& prompts, QWidget* parent = nullptr);
    ~DeviceConfigDialog() override;

private slots:
    void on_pushButton_AddDevice_clicked();
    void on_pushButton_DeleteDevice_clicked();
    void on_pushButton_FindDevices_clicked();
    void on_pushButton_ExportCsv_clicked();
    void on_pushButton_ImportCsv_clicked();
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();
    void on_tableWidget_device_currentItemChanged(QTableWidgetItem* current, QTableWidgetItem* previous);
    void on_tableWidget_BNC_clicked(const QModelIndex& index);
    void on_tableWidget_Analog_clicked(const QModelIndex& index);
    void on_tableWidget_Aes_ebu_clicked(const QModelIndex& index);

private:
    // How the ports of one type are laid out in their table: after "Monitor", one tick column per alarm type
    // offered, the two time ranges, then the tracks.
    struct PortTable
    {
        QTableWidget* table;
        PortKind kind;

        int TimeRangeColumn() const { return 3 + kind.alarmTypes.size(); }
        int FirstTrackColumn() const { return TimeRangeColumn() + 2; }
    };

    void SetUpPortTable(const PortTable& portTable);
    void FillDeviceTable();
    // Whether the working copy lists the address, with or without leading zeros.
    bool IsConfigured(const QString& ip) const;
    // Adds a device as Add does and lists it; returns its row.
    int AppendDevice(const QString& ip, const QString& name);
    void ShowDevice(const QString& ip);
    void StoreDevice(const QString& ip);
    void ClearPortTables();
    void AppendPortRow(const PortTable& portTable, const PortConfigNode& port);
    PortConfigNode ReadPortRow(const PortTable& portTable, int row) const;
    void ToggleTick(const PortTable& portTable, const QModelIndex& index);
    QTableWidgetItem* TickCell(bool ticked) const;
    bool IsTicked(const QTableWidget* table, int row, int column) const;

    std::unique_ptr<Ui::DeviceConfigDialog> m_ui;
    DialogPrompts m_prompts;
    DeviceConfigFile m_config;
    QString m_tick;
    std::unique_ptr<TimeRangeItemDelegate> m_timeRangeDelegate;
    QList<PortTable> m_portTables;
    // The device whose ports the tables show; empty when none.
    QString m_shownIp;
};
