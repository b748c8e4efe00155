#include "dialogs/FindDevicesDialog.h"

#include "snmp/AddressRanges.h"
#include "snmp/DeviceDiscoveryThread.h"
#include "ui_FindDevicesDialog.h"

#include <QHeaderView>
#include <QHostAddress>

#include <algorithm>

namespace {
enum Column
{
    AddressColumn,
    NameColumn,
    StatusColumn,
};
} // namespace

FindDevicesDialog::FindDevicesDialog(const DialogPrompts& prompts, const QSet<QString>& configured, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FindDevicesDialog>()), m_prompts(prompts), m_configured(configured)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    m_ui->tableWidget_found->setHorizontalHeaderLabels({tr("Address"), tr("Device Name"), tr("Status")});
    m_ui->tableWidget_found->horizontalHeader()->setStretchLastSection(true);
    m_ui->tableWidget_found->setColumnWidth(AddressColumn, 140);
    m_ui->tableWidget_found->setColumnWidth(NameColumn, 260);
    ShowSearching(false);
    ShowSummary();
}

FindDevicesDialog::~FindDevicesDialog() = default;

bool FindDevicesDialog::IsSearching() const
{
    return m_search && m_search->isRunning();
}

void FindDevicesDialog::ShowSearching(bool searching)
{
    m_ui->progressBar->setVisible(searching);
    m_ui->pushButton_CancelSearch->setVisible(searching);
    m_ui->pushButton_Find->setEnabled(!searching);
    m_ui->lineEdit_Ranges->setEnabled(!searching);
}

void FindDevicesDialog::ShowSummary()
{
    m_ui->label_Summary->setText(
        tr("%1 of %2 addresses asked, %3 probes found").arg(m_done).arg(m_total).arg(m_rowAddresses.size()));
}

void FindDevicesDialog::on_pushButton_Find_clicked()
{
    QStringList addresses;
    QString error;
    if (!AddressRanges::Parse(m_ui->lineEdit_Ranges->text(), addresses, error)) {
        m_prompts.notify(QMessageBox::Warning, this, tr("Warn"), error);
        m_ui->lineEdit_Ranges->setFocus();
        return;
    }
    m_search.reset();
    m_ui->tableWidget_found->setRowCount(0);
    m_rowAddresses.clear();
    m_done = 0;
    m_total = addresses.size();
    m_ui->progressBar->setRange(0, m_total);
    m_ui->progressBar->setValue(0);
    m_search = std::make_unique<DeviceDiscoveryThread>(addresses);
    connect(m_search.get(), &DeviceDiscoveryThread::Found, this, &FindDevicesDialog::OnFound);
    connect(m_search.get(), &DeviceDiscoveryThread::Progress, this, &FindDevicesDialog::OnProgress);
    connect(m_search.get(), &QThread::finished, this, &FindDevicesDialog::OnSearchEnded);
    ShowSearching(true);
    ShowSummary();
    m_search->start();
}

void FindDevicesDialog::on_pushButton_CancelSearch_clicked()
{
    if (m_search)
        m_search->Stop();
}

// Answers of an earlier search may still be queued when a new one starts; they are dropped.
void FindDevicesDialog::OnFound(const QString& ip, const QString& name)
{
    if (sender() != m_search.get())
        return;
    const quint32 address = QHostAddress(ip).toIPv4Address();
    const int row =
        int(std::lower_bound(m_rowAddresses.begin(), m_rowAddresses.end(), address) - m_rowAddresses.begin());
    m_rowAddresses.insert(row, address);
    const bool configured = m_configured.contains(ip);
    // A configured probe cannot be chosen: its row is neither selectable nor editable.
    const Qt::ItemFlags flags = configured ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    QTableWidget* table = m_ui->tableWidget_found;
    table->insertRow(row);
    auto* addressItem = new QTableWidgetItem(ip);
    addressItem->setFlags(flags);
    table->setItem(row, AddressColumn, addressItem);
    auto* nameItem = new QTableWidgetItem(name);
    nameItem->setFlags(configured ? flags : flags | Qt::ItemIsEditable);
    table->setItem(row, NameColumn, nameItem);
    auto* statusItem = new QTableWidgetItem(configured ? tr("already configured") : QString());
    statusItem->setFlags(flags);
    table->setItem(row, StatusColumn, statusItem);
    ShowSummary();
}

void FindDevicesDialog::OnProgress(int done, int total)
{
    if (sender() != m_search.get())
        return;
    m_done = done;
    m_total = total;
    m_ui->progressBar->setValue(done);
    ShowSummary();
}

void FindDevicesDialog::OnSearchEnded()
{
    if (sender() != m_search.get())
        return;
    ShowSearching(false);
    ShowSummary();
}

void FindDevicesDialog::on_pushButton_AddSelected_clicked()
{
    QTableWidget* table = m_ui->tableWidget_found;
    QList<int> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows(AddressColumn))
        rows.append(index.row());
    if (rows.isEmpty()) {
        m_prompts.notify(QMessageBox::Warning, this, tr("Warn"),
                         tr("Select the probes to add (Ctrl+A selects every probe not yet configured)."));
        return;
    }
    if (m_search)
        m_search->Stop();
    std::sort(rows.begin(), rows.end());
    m_chosen.clear();
    for (int row : qAsConst(rows))
        m_chosen.append({table->item(row, AddressColumn)->text(), table->item(row, NameColumn)->text().trimmed()});
    accept();
}

void FindDevicesDialog::on_pushButton_Close_clicked()
{
    reject();
}
