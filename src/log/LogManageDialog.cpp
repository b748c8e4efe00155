#include "log/LogManageDialog.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "log/LogDatabase.h"
#include "log/LogExport.h"
#include "log/LogManager.h"
#include "log/LogText.h"
#include "ui_LogManageDialog.h"

#include <QDebug>
#include <QFile>
#include <QHeaderView>
#include <QProgressDialog>

namespace {
QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
} // namespace

void LogManager::ShowLogDialog(const LogBrowserPrompts& prompts)
{
    LogManageDialog dialog(prompts);
    dialog.SetDeviceConfig(&m_deviceConfig);
    dialog.SetDatabase(m_database.get());
    dialog.setWindowState(Qt::WindowMaximized);
    prompts.runDialog(dialog);
}

LogManageDialog::LogManageDialog(const LogBrowserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LogManageDialog>()), m_prompts(prompts)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    for (QCheckBox* box : PortBoxes())
        connect(box, &QCheckBox::clicked, this, &LogManageDialog::on_Port_clicked);

    const QDateTime today = QDate::currentDate().startOfDay();
    m_ui->dateTimeEdit_From->setDateTime(today.addDays(-1));
    m_ui->dateTimeEdit_End->setDateTime(today.addDays(1));

    for (int i = 0; i < LogResult::PageSize; ++i)
        m_pageRecords.append(AlarmRecordPool::Instance()->Acquire());

    m_ui->pushButton_Search->setEnabled(false);
    ShowNoResult();

    QHeaderView* header = m_ui->tableWidget_Log->horizontalHeader();
    header->setDefaultSectionSize(180);
    header->setStretchLastSection(true);
    // The acknowledgement's time and note need the room of two columns.
    for (const auto& [column, width] : {std::pair{0, 60}, {3, 100}, {5, 80}, {6, 120}, {10, 360}})
        m_ui->tableWidget_Log->setColumnWidth(column, width);
    m_ui->tableWidget_Device->horizontalHeader()->setStretchLastSection(true);
}

LogManageDialog::~LogManageDialog()
{
    for (AlarmRecord* record : m_pageRecords)
        AlarmRecordPool::Instance()->Release(record);
}

void LogManageDialog::SetDeviceConfig(const DeviceConfigFile* config)
{
    QTableWidget* table = m_ui->tableWidget_Device;
    table->setRowCount(0);
    if (!config)
        return;
    for (const DeviceConfigNode* device : config->Devices()) {
        const int row = table->rowCount();
        table->insertRow(row);
        QTableWidgetItem* ip = Cell(device->ip());
        ip->setFlags(ip->flags() | Qt::ItemIsUserCheckable);
        ip->setCheckState(Qt::Checked);
        table->setItem(row, 0, ip);
        table->setItem(row, 1, Cell(device->dev_name()));
    }
}

void LogManageDialog::SetDatabase(LogDatabase* database)
{
    m_database = database;
    m_ui->pushButton_Search->setEnabled(m_database != nullptr);
}

QList<QCheckBox*> LogManageDialog::BncBoxes() const
{
    return {m_ui->checkBox_BNC1,  m_ui->checkBox_BNC2,  m_ui->checkBox_BNC3,  m_ui->checkBox_BNC4,
            m_ui->checkBox_BNC5,  m_ui->checkBox_BNC6,  m_ui->checkBox_BNC7,  m_ui->checkBox_BNC8,
            m_ui->checkBox_BNC9,  m_ui->checkBox_BNC10, m_ui->checkBox_BNC11, m_ui->checkBox_BNC12,
            m_ui->checkBox_BNC13, m_ui->checkBox_BNC14, m_ui->checkBox_BNC15, m_ui->checkBox_BNC16};
}

QList<QCheckBox*> LogManageDialog::PortBoxes() const
{
    return BncBoxes() + QList<QCheckBox*>{m_ui->checkBox_Analog, m_ui->checkBox_AesEbu};
}

LogFilter LogManageDialog::CurrentFilter() const
{
    LogFilter filter;
    const QTableWidget* devices = m_ui->tableWidget_Device;
    filter.deviceCount = devices->rowCount();
    for (int row = 0; row < devices->rowCount(); ++row)
        if (devices->item(row, 0)->checkState() == Qt::Checked)
            filter.checkedDevices.append(devices->item(row, 0)->text());

    filter.allPorts = m_ui->checkBox_AllPort->isChecked();
    const QList<QCheckBox*> bnc = BncBoxes();
    for (int i = 0; i < bnc.size(); ++i)
        if (bnc[i]->isChecked())
            filter.bncPorts.append(i + 1);
    filter.aesEbu = m_ui->checkBox_AesEbu->isChecked();
    filter.analog = m_ui->checkBox_Analog->isChecked();

    const std::pair<QCheckBox*, int> types[] = {
        {m_ui->checkBox_VideoLost, AlarmTypeVideoLost},
        {m_ui->checkBox_VideoFreeze, AlarmTypeVideoFreeze},
        {m_ui->checkBox_VideoBlack, AlarmTypeVideoBlack},
        {m_ui->checkBox_Slience, AlarmTypeSilence},
        {m_ui->checkBox_AudioOverload, AlarmTypeAudioOverload},
        {m_ui->checkBox_DeviceConnectStatus, AlarmTypeConnection},
    };
    for (const auto& [box, code] : types)
        if (box->isChecked())
            filter.alarmTypes.append(code);

    filter.from = m_ui->dateTimeEdit_From->dateTime();
    filter.end = m_ui->dateTimeEdit_End->dateTime();
    filter.signalNames = LogFilter::SplitSignalNames(m_ui->lineEdit_SignalName->text(), tr("；"));
    return filter;
}

void LogManageDialog::on_checkBox_AllPort_clicked(bool checked)
{
    for (QCheckBox* box : PortBoxes())
        box->setChecked(checked);
}

void LogManageDialog::on_Port_clicked(bool checked)
{
    bool all = checked;
    for (const QCheckBox* box : PortBoxes())
        all = all && box->isChecked();
    m_ui->checkBox_AllPort->setChecked(all);
}

void LogManageDialog::Warn(const QString& text)
{
    m_prompts.notify(QMessageBox::Warning, this, tr("Warn"), text);
}

void LogManageDialog::ShowNoResult()
{
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_ui->pushButton_PageUp, m_ui->pushButton_PageDown, m_ui->pushButton_GoTo,
                                         m_ui->spinBox_Page, m_ui->pushButton_Delete, m_ui->pushButton_SaveAs})
        widget->setEnabled(false);
    m_ui->tableWidget_Log->setRowCount(0);
    m_ui->label_PageInfo->setText(tr("Current Page: 0   Total Page: 0    Page:"));
    m_result.Clear();
    m_currentPage = 0;
}

void LogManageDialog::on_pushButton_Search_clicked()
{
    if (!m_database) {
        m_ui->pushButton_Search->setEnabled(false);
        return;
    }
    // A failed statement is no answer to the search: what was shown stays.
    if (!m_result.Search(*m_database, CurrentFilter().Clause())) {
        Warn(m_database->GetErrorString());
        return;
    }
    if (m_result.IsEmpty()) {
        ShowNoResult();
        m_prompts.notify(QMessageBox::Warning, this, tr("Search"), tr("No record"));
        return;
    }
    const bool severalPages = m_result.PageCount() > 1;
    m_ui->pushButton_PageUp->setEnabled(false);
    m_ui->pushButton_PageDown->setEnabled(false);
    m_ui->pushButton_GoTo->setEnabled(severalPages);
    m_ui->spinBox_Page->setEnabled(severalPages);
    m_ui->pushButton_Delete->setEnabled(true);
    m_ui->pushButton_SaveAs->setEnabled(true);
    m_ui->spinBox_Page->setRange(1, m_result.PageCount());
    ShowPage(0);
}

void LogManageDialog::ShowPage(int page)
{
    if (page < 0 || page >= m_result.PageCount())
        return;
    m_ui->pushButton_PageDown->setEnabled(page < m_result.PageCount() - 1);
    m_ui->pushButton_PageUp->setEnabled(page != 0);
    m_currentPage = page;
    const int filled = m_result.ReadPages(*m_database, page, 1, m_pageRecords);
    QTableWidget* table = m_ui->tableWidget_Log;
    table->setRowCount(0);
    if (filled < 0)
        Warn(m_database->GetErrorString());
    table->setRowCount(qMax(0, filled));
    QStringList ackTimes, ackNotes;
    if (filled > 0 && !m_database->SelectAcknowledgements(m_pageRecords, filled, ackTimes, ackNotes))
        qDebug() << m_database->GetErrorString();
    for (int row = 0; row < filled; ++row) {
        const AlarmRecord& record = *m_pageRecords[row];
        const bool signal = IsSignalAlarm(record.alarmType);
        const QString cells[] = {
            QString::number(qint64(page) * LogResult::PageSize + row + 1),
            LogText::TimeText(record.time),
            LogText::TimeText(record.end_time),
            LogText::DurationText(record.time, record.end_time),
            record.deviceName,
            record.ip,
            signal ? record.signalName : QStringLiteral("--"),
            signal ? LogExport::PortText(record) : QStringLiteral("--"),
            AlarmTypeWord(record.alarmType),
            LogExport::NoteText(record),
            QStringLiteral("%1  %2").arg(ackTimes.value(row), ackNotes.value(row)).trimmed(),
        };
        for (int column = 0; column < 11; ++column)
            table->setItem(row, column, Cell(cells[column]));
    }
    m_ui->label_PageInfo->setText(
        tr("Current Page: %1   Total Page: %2    Page:").arg(page + 1).arg(m_result.PageCount()));
}

void LogManageDialog::on_pushButton_PageUp_clicked()
{
    if (m_currentPage != 0)
        ShowPage(m_currentPage - 1);
}

void LogManageDialog::on_pushButton_PageDown_clicked()
{
    if (m_currentPage < m_result.PageCount() - 1)
        ShowPage(m_currentPage + 1);
}

void LogManageDialog::on_pushButton_GoTo_clicked()
{
    if (m_result.PageCount() != 1)
        ShowPage(m_ui->spinBox_Page->value() - 1);
}

void LogManageDialog::on_pushButton_SaveAs_clicked()
{
    if (m_result.IsEmpty())
        return;
    const QString logFilter = tr("log (*.log)");
    const QString csvFilter = tr("CSV (*.csv)");
    QString chosenFilter = logFilter;
    const QString path = m_prompts.saveFileName(this, tr("Save File"), QStringLiteral("mylog.log"),
                                                logFilter + QStringLiteral(";;") + csvFilter, &chosenFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    // Binary: the lines end in CRLF as written, on every system.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Warn(file.errorString());
        return;
    }
    const LogExport::Format format = chosenFilter == csvFilter ? LogExport::Format::Csv : LogExport::Format::Log;

    QProgressDialog progress(tr("Save As..."), tr("Cancel"), 0, 1000, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setValue(0);
    QString error;
    const LogExport::Outcome outcome = LogExport::Write(
        *m_database, m_result, format, file,
        [this, &progress](int thousandths) {
            progress.setValue(thousandths);
            progress.repaint();
            return !m_prompts.exportCancelled(progress);
        },
        error);
    file.close();
    if (outcome == LogExport::Outcome::Failed) {
        progress.cancel();
        Warn(error);
        return;
    }
    if (outcome == LogExport::Outcome::Cancelled) {
        m_prompts.notify(QMessageBox::Information, this, tr("Save"), tr("Canceled !"));
        return;
    }
    progress.setLabelText(tr("Success !"));
    progress.setValue(1000);
    m_prompts.notify(QMessageBox::Information, this, tr("Save"), tr("Save has been completed"));
}

void LogManageDialog::on_pushButton_Delete_clicked()
{
    if (!m_prompts.confirm(this, tr("Delete"), tr("Are you sure to delete records?")))
        return;
    const int pages = m_result.PageCount();
    // Window-modal: between the statements the window repaints and the operator cannot start anything else.
    QProgressDialog progress(tr("Delete..."), QString(), 0, pages, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    if (!m_result.Delete(*m_database, [&progress](int pagesDone) { progress.setValue(pagesDone); })) {
        progress.cancel();
        Warn(m_database->GetErrorString());
        return;
    }
    ShowNoResult();
}
