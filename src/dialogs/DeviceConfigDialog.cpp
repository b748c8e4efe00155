#include "dialogs/DeviceConfigDialog.h"

#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigManager.h"
#include "config/DeviceConfigNode.h"
#include "config/DeviceListCsv.h"
#include "config/PortConfigNode.h"
#include "dialogs/AddDeviceDialog.h"
#include "dialogs/DeviceAddress.h"
#include "dialogs/FindDevicesDialog.h"
#include "dialogs/TimeRangeItemDelegate.h"
#include "dialogs/TimeRangeText.h"
#include "ui_DeviceConfigDialog.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>

namespace {
const Qt::ItemFlags FixedCellFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
} // namespace

bool DeviceConfigManager::ShowDialog(const DialogPrompts& prompts)
{
    DeviceConfigDialog dialog(prompts);
    return prompts.runDialog(dialog) == QDialog::Accepted;
}

DeviceConfigDialog::DeviceConfigDialog(const DialogPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DeviceConfigDialog>()), m_prompts(prompts),
      m_timeRangeDelegate(std::make_unique<TimeRangeItemDelegate>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(tr("Device Config"));

    const QString path = GetDeviceConfigPath();
    if (!m_config.Load(path))
        qDebug() << "The device dialog starts without devices:" << path << m_config.GetErrorString();
    m_tick = tr("√");

    const QList<QTableWidget*> tables{m_ui->tableWidget_BNC, m_ui->tableWidget_Analog, m_ui->tableWidget_Aes_ebu};
    for (int i = 0; i < tables.size(); ++i)
        m_portTables.append({tables[i], DevicePorts::Kinds()[i]});
    for (const PortTable& portTable : qAsConst(m_portTables))
        SetUpPortTable(portTable);

    QTableWidget* devices = m_ui->tableWidget_device;
    devices->setHorizontalHeaderLabels({tr("Device")});
    devices->horizontalHeader()->setHighlightSections(false);
    devices->horizontalHeader()->setStretchLastSection(true);
    FillDeviceTable();
}

void DeviceConfigDialog::FillDeviceTable()
{
    ClearPortTables();
    QTableWidget* devices = m_ui->tableWidget_device;
    devices->setRowCount(0);
    devices->setRowCount(m_config.Devices().size());
    int row = 0;
    for (const DeviceConfigNode* device : m_config.Devices())
        devices->setItem(row++, 0, new QTableWidgetItem(device->ip()));
}

bool DeviceConfigDialog::IsConfigured(const QString& ip) const
{
    for (const DeviceConfigNode* device : m_config.Devices()) {
        if (DeviceAddress::Normalized(device->ip()) == ip)
            return true;
    }
    return false;
}

int DeviceConfigDialog::AppendDevice(const QString& ip, const QString& name)
{
    m_config.AddDevice(DevicePorts::NewDevice(ip, name));
    QTableWidget* devices = m_ui->tableWidget_device;
    const int row = devices->rowCount();
    devices->insertRow(row);
    devices->setItem(row, 0, new QTableWidgetItem(ip));
    return row;
}

DeviceConfigDialog::~DeviceConfigDialog() = default;

void DeviceConfigDialog::SetUpPortTable(const PortTable& portTable)
{
    const QHash<quint32, QString> typeHeaders{
        {AlarmTypeVideoLost, tr("Video Lost")},         {AlarmTypeVideoBlack, tr("Video Black")},
        {AlarmTypeVideoFreeze, tr("Video Freeze")},     {AlarmTypeSilence, tr("Slience")},
        {AlarmTypeAudioOverload, tr("Audio Overload")},
    };
    QStringList headers{tr("Port"), tr("Signal Name"), tr("Monitor")};
    for (quint32 type : portTable.kind.alarmTypes)
        headers.append(typeHeaders.value(type));
    headers << tr("Time Rang 1") << tr("Time Rang 2");
    for (int track = 1; track <= portTable.kind.tracks; ++track)
        headers.append(tr("CH%1").arg(track));

    QTableWidget* table = portTable.table;
    table->setColumnCount(headers.size());
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setStretchLastSection(true);
    // Tick columns as narrow as their headers, so that a screen shows the tracks beside the other columns.
    table->resizeColumnsToContents();
    table->setColumnWidth(1, 160);
    // Wide enough for both time editors of the in-place editor, with their arrows.
    for (int column : {portTable.TimeRangeColumn(), portTable.TimeRangeColumn() + 1}) {
        table->setColumnWidth(column, 200);
        table->setItemDelegateForColumn(column, m_timeRangeDelegate.get());
    }
}

QTableWidgetItem* DeviceConfigDialog::TickCell(bool ticked) const
{
    auto* item = new QTableWidgetItem(ticked ? m_tick : QString());
    item->setFlags(FixedCellFlags);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

bool DeviceConfigDialog::IsTicked(const QTableWidget* table, int row, int column) const
{
    const QTableWidgetItem* item = table->item(row, column);
    return item && !item->text().isEmpty();
}

void DeviceConfigDialog::AppendPortRow(const PortTable& portTable, const PortConfigNode& port)
{
    QTableWidget* table = portTable.table;
    const int row = table->rowCount();
    table->insertRow(row);
    auto* name = new QTableWidgetItem(port.name());
    name->setFlags(FixedCellFlags);
    table->setItem(row, 0, name);
    table->setItem(row, 1, new QTableWidgetItem(port.signal_name()));
    table->setItem(row, 2, TickCell(port.alarm()));
    int column = 3;
    for (quint32 type : portTable.kind.alarmTypes)
        table->setItem(row, column++, TickCell(port.alarm_type_mask() & type));
    for (const auto& [start, end] :
         {std::pair{port.start_time1(), port.end_time1()}, std::pair{port.start_time2(), port.end_time2()}}) {
        auto* range = new QTableWidgetItem(TimeRangeText::Format(start, end));
        range->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column++, range);
    }
    for (int track = 0; track < portTable.kind.tracks; ++track)
        table->setItem(row, column++, TickCell(port.track_mask() & (1u << track)));
}

PortConfigNode DeviceConfigDialog::ReadPortRow(const PortTable& portTable, int row) const
{
    const QTableWidget* table = portTable.table;
    PortConfigNode port;
    port.SetSignalName(table->item(row, 1) ? table->item(row, 1)->text() : QString());
    port.SetAlarm(IsTicked(table, row, 2));
    quint32 alarmTypeMask = 0xFFFFFFFF;
    for (int i = 0; i < portTable.kind.alarmTypes.size(); ++i) {
        if (!IsTicked(table, row, 3 + i))
            alarmTypeMask &= ~portTable.kind.alarmTypes[i];
    }
    port.SetAlarmTypeMask(alarmTypeMask);
    QTime start;
    QTime end;
    const int rangeColumn = portTable.TimeRangeColumn();
    TimeRangeText::Parse(table->item(row, rangeColumn) ? table->item(row, rangeColumn)->text() : QString(), start, end);
    port.SetTimeRange1(start, end);
    TimeRangeText::Parse(table->item(row, rangeColumn + 1) ? table->item(row, rangeColumn + 1)->text() : QString(),
                         start, end);
    port.SetTimeRange2(start, end);
    quint32 trackMask = 0;
    for (int track = 0; track < portTable.kind.tracks; ++track) {
        if (IsTicked(table, row, portTable.FirstTrackColumn() + track))
            trackMask |= 1u << track;
    }
    port.SetTrackMask(trackMask);
    return port;
}

void DeviceConfigDialog::ShowDevice(const QString& ip)
{
    ClearPortTables();
    DeviceConfigNode device;
    if (!m_config.GetDevice(ip, device))
        return;
    m_shownIp = ip;
    m_ui->lineEdit_IP->setText(device.ip());
    m_ui->lineEdit_DeviceName->setText(device.dev_name());
    for (const PortTable& portTable : qAsConst(m_portTables)) {
        PortConfigNode port;
        for (int i = 0; i < portTable.kind.count && (device.*portTable.kind.getPort)(i, port); ++i)
            AppendPortRow(portTable, port);
        portTable.table->resizeColumnToContents(0);
    }
}

void DeviceConfigDialog::StoreDevice(const QString& ip)
{
    DeviceConfigNode* device = m_config.FindDevice(ip);
    if (!device)
        return;
    device->SetDevName(m_ui->lineEdit_DeviceName->text());
    for (const PortTable& portTable : qAsConst(m_portTables)) {
        for (int row = 0; row < portTable.table->rowCount(); ++row)
            (device->*portTable.kind.setPort)(row, ReadPortRow(portTable, row));
    }
}

void DeviceConfigDialog::ClearPortTables()
{
    m_shownIp.clear();
    m_ui->lineEdit_IP->clear();
    m_ui->lineEdit_DeviceName->clear();
    for (const PortTable& portTable : qAsConst(m_portTables))
        portTable.table->setRowCount(0);
}

void DeviceConfigDialog::ToggleTick(const PortTable& portTable, const QModelIndex& index)
{
    const int column = index.column();
    if (column <= 1 || column == portTable.TimeRangeColumn() || column == portTable.TimeRangeColumn() + 1)
        return;
    QTableWidgetItem* item = portTable.table->item(index.row(), column);
    if (item)
        item->setText(item->text().isEmpty() ? m_tick : QString());
}

void DeviceConfigDialog::on_tableWidget_BNC_clicked(const QModelIndex& index)
{
    ToggleTick(m_portTables[0], index);
}

void DeviceConfigDialog::on_tableWidget_Analog_clicked(const QModelIndex& index)
{
    ToggleTick(m_portTables[1], index);
}

void DeviceConfigDialog::on_tableWidget_Aes_ebu_clicked(const QModelIndex& index)
{
    ToggleTick(m_portTables[2], index);
}

// The device shown is stored by its address rather than through the previous item, which a deleted row no longer
// has.
void DeviceConfigDialog::on_tableWidget_device_currentItemChanged(QTableWidgetItem* current, QTableWidgetItem*)
{
    if (!m_shownIp.isEmpty())
        StoreDevice(m_shownIp);
    if (current)
        ShowDevice(current->text());
    else
        ClearPortTables();
}

void DeviceConfigDialog::on_pushButton_AddDevice_clicked()
{
    AddDeviceDialog dialog(m_prompts);
    if (m_prompts.runDialog(dialog) != QDialog::Accepted)
        return;
    const QString ip = dialog.GetIP();
    // A hand-edited file may hold an address with leading zeros; it is the same device.
    if (IsConfigured(ip)) {
        m_prompts.notify(QMessageBox::Warning, this, tr("Warn"), tr("%1 has been existed").arg(ip));
        return;
    }
    const int row = AppendDevice(ip, dialog.GetName());
    m_ui->tableWidget_device->setFocus();
    m_ui->tableWidget_device->setCurrentCell(row, 0);
}

void DeviceConfigDialog::on_pushButton_DeleteDevice_clicked()
{
    QTableWidget* devices = m_ui->tableWidget_device;
    const int row = devices->currentRow();
    if (row < 0 || !devices->item(row, 0))
        return;
    const QString ip = devices->item(row, 0)->text();
    if (!m_prompts.confirm(this, tr("Delete"), tr("Are you sure to delete '%1'").arg(ip)))
        return;
    m_config.RemoveDevice(ip);
    if (m_shownIp == ip)
        ClearPortTables();
    devices->removeRow(row);
}

void DeviceConfigDialog::on_pushButton_FindDevices_clicked()
{
    QSet<QString> configured;
    for (const DeviceConfigNode* device : m_config.Devices())
        configured.insert(DeviceAddress::Normalized(device->ip()));
    FindDevicesDialog dialog(m_prompts, configured, this);
    if (m_prompts.runDialog(dialog) != QDialog::Accepted)
        return;
    int row = -1;
    for (const auto& [ip, name] : dialog.Chosen()) {
        if (!configured.contains(ip)) {
            configured.insert(ip);
            row = AppendDevice(ip, name);
        }
    }
    if (row >= 0) {
        m_ui->tableWidget_device->setFocus();
        m_ui->tableWidget_device->setCurrentCell(row, 0);
    }
}

void DeviceConfigDialog::on_pushButton_ExportCsv_clicked()
{
    // The edits of the device on screen belong in the file.
    if (!m_shownIp.isEmpty())
        StoreDevice(m_shownIp);
    QString filter = tr("CSV (*.csv)");
    const QString path = m_prompts.saveFileName(this, tr("Export CSV"), QStringLiteral("devices.csv"), filter, &filter);
    if (path.isEmpty())
        return;
    QString error;
    if (!DeviceListCsv::WriteFile(path, m_config, error)) {
        m_prompts.notify(
            QMessageBox::Warning, this, tr("Warn"),
            tr("The device list could not be written to %1:\n%2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    m_prompts.notify(
        QMessageBox::Information, this, tr("Export CSV"),
        tr("%n device(s) written to %1.", "", m_config.Devices().size()).arg(QDir::toNativeSeparators(path)));
}

void DeviceConfigDialog::on_pushButton_ImportCsv_clicked()
{
    const QString path = m_prompts.openFileName(this, tr("Import CSV"), tr("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    DeviceListCsv csv;
    DeviceConfigFile imported;
    if (!csv.ReadFile(path, imported)) {
        m_prompts.notify(QMessageBox::Warning, this, tr("Warn"),
                         tr("%1 is not imported; the device list is unchanged.\n\n%2")
                             .arg(QDir::toNativeSeparators(path), csv.ErrorReport()));
        return;
    }
    m_config = imported;
    FillDeviceTable();
    m_prompts.notify(QMessageBox::Information, this, tr("Import CSV"),
                     tr("%n device(s) read from %1. OK writes them to the device configuration, Cancel keeps the "
                        "old one.",
                        "", m_config.Devices().size())
                         .arg(QDir::toNativeSeparators(path)));
}

void DeviceConfigDialog::on_pushButton_OK_clicked()
{
    if (!m_shownIp.isEmpty())
        StoreDevice(m_shownIp);
    const QString path = GetDeviceConfigPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The dialog stays open with its edits: a window that closed here would reload the old file.
    if (!m_config.Save(path)) {
        m_prompts.notify(QMessageBox::Warning, this, tr("Warn"),
                         tr("The device configuration could not be saved to %1:\n%2")
                             .arg(QDir::toNativeSeparators(path), m_config.GetErrorString()));
        return;
    }
    accept();
}

void DeviceConfigDialog::on_pushButton_Cancel_clicked()
{
    reject();
}
