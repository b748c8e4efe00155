#include "report/AlarmReportWindow.h"

#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "log/LogDatabase.h"
#include "report/AlarmReport.h"
#include "report/AlarmReportModel.h"
#include "report/AlarmReportPdf.h"
#include "ui_AlarmReportWindow.h"

#include <QHeaderView>
#include <QSaveFile>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <atomic>

// One reading of the log: filled on the GUI thread, run on the worker thread, read back on the GUI thread after
// the thread has finished.
struct AlarmReportWindow::Job
{
    QString path;
    QDateTime from;
    QDateTime to;
    QDateTime now;
    QString ip;
    QString deviceText;
    std::atomic<bool> cancelled{false};
    std::shared_ptr<AlarmReport> report = std::make_shared<AlarmReport>();
    bool ok = false;
    QString errorText;

    void Run()
    {
        LogDatabase database;
        if (!database.Open(path, LogDatabase::WindowBusyTimeout)) {
            errorText = database.GetErrorString();
            return;
        }
        ok = report->Build(database, from, to, ip, now, &cancelled);
        if (!ok)
            errorText = report->ErrorString();
    }
};

namespace {
// A job's thread has finished: it goes, and the job is handed back.
template <class Job> std::shared_ptr<Job> TakeFinished(QThread*& worker, std::shared_ptr<Job>& job)
{
    worker->wait();
    delete worker;
    worker = nullptr;
    return std::move(job);
}

// Tells a job's thread to stop and waits for it; its end is not told any more.
template <class Job> void StopAndWait(QObject* receiver, QThread*& worker, std::shared_ptr<Job>& job)
{
    if (!worker)
        return;
    job->cancelled = true;
    worker->disconnect(receiver);
    TakeFinished(worker, job);
}

QDateTime WholeSeconds(const QDateTime& time)
{
    return QDateTime(time.date(), QTime(time.time().hour(), time.time().minute(), time.time().second()));
}
} // namespace

AlarmReportWindow::AlarmReportWindow(const LogBrowserPrompts& prompts, const QString& databasePath, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::AlarmReportWindow>()), m_prompts(prompts),
      m_databasePath(databasePath)
{
    m_ui->setupUi(this);
    m_model = new AlarmReportModel(this);
    m_ui->tableView_Figures->setModel(m_model);
    QHeaderView* rows = m_ui->tableView_Figures->verticalHeader();
    rows->setVisible(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    // Fixed widths from the font: sizing to the contents would read every row.
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    const int widths[] = {16, 10, 14, 10, 6, 14, 14, 8};
    for (int column = 0; column < 8; ++column)
        m_ui->tableView_Figures->setColumnWidth(column, widths[column] * em);
    m_ui->tableView_Figures->horizontalHeader()->setStretchLastSection(true);
    m_ui->splitter_Report->setStretchFactor(0, 3);
    m_ui->splitter_Report->setStretchFactor(1, 4);
    m_ui->splitter_Report->setStretchFactor(2, 2);

    m_ui->comboBox_Device->addItem(tr("All Devices"), QString());
    const QDateTime now = WholeSeconds(QDateTime::currentDateTime());
    SetPeriod(now.addDays(-1), now);
    m_ui->pushButton_SaveCsv->setEnabled(false);
    m_ui->pushButton_SavePdf->setEnabled(false);
}

// A PDF being written: painted on a thread of its own, told on the GUI thread once the thread has finished.
struct AlarmReportWindow::PdfJob
{
    std::shared_ptr<const AlarmReport> report;
    QString deviceText;
    QString path;
    std::atomic<bool> cancelled{false};
    bool ok = false;
    QString errorText;
};

AlarmReportWindow::~AlarmReportWindow()
{
    // Both stop within a fraction of a second once told: the read between two steps of its statement, the PDF
    // between two pages.
    StopAndWait(this, m_worker, m_job);
    StopAndWait(this, m_pdfWorker, m_pdfJob);
}

void AlarmReportWindow::SetDeviceConfig(const DeviceConfigFile& config)
{
    QComboBox* box = m_ui->comboBox_Device;
    const QString chosen = box->currentData().toString();
    while (box->count() > 1)
        box->removeItem(1);
    for (const DeviceConfigNode* device : config.Devices())
        box->addItem(QStringLiteral("%1 (%2)").arg(device->dev_name(), device->ip()), device->ip());
    box->setCurrentIndex(std::max(0, box->findData(chosen)));
}

void AlarmReportWindow::SetPeriod(const QDateTime& from, const QDateTime& to)
{
    m_ui->dateTimeEdit_From->setDateTime(from);
    m_ui->dateTimeEdit_To->setDateTime(to);
}

void AlarmReportWindow::on_pushButton_Show_clicked()
{
    ShowReport();
}

void AlarmReportWindow::on_pushButton_Last24Hours_clicked()
{
    const QDateTime now = WholeSeconds(QDateTime::currentDateTime());
    SetPeriod(now.addDays(-1), now);
    ShowReport();
}

void AlarmReportWindow::on_pushButton_Last7Days_clicked()
{
    const QDateTime now = WholeSeconds(QDateTime::currentDateTime());
    SetPeriod(now.addDays(-7), now);
    ShowReport();
}

void AlarmReportWindow::on_pushButton_Yesterday_clicked()
{
    const QDateTime today = QDate::currentDate().startOfDay();
    SetPeriod(today.addDays(-1), today);
    ShowReport();
}

void AlarmReportWindow::ShowReport()
{
    if (m_worker) {
        m_job->cancelled = true;
        m_readAgain = true;
        return;
    }
    StartJob();
}

void AlarmReportWindow::StartJob()
{
    m_job = std::make_shared<Job>();
    m_job->path = m_databasePath;
    m_job->from = m_ui->dateTimeEdit_From->dateTime();
    m_job->to = m_ui->dateTimeEdit_To->dateTime();
    m_job->now = QDateTime::currentDateTime();
    m_job->ip = m_ui->comboBox_Device->currentData().toString();
    m_job->deviceText = m_ui->comboBox_Device->currentText();
    const std::shared_ptr<Job> job = m_job;
    m_worker = QThread::create([job] { job->Run(); });
    connect(m_worker, &QThread::finished, this, &AlarmReportWindow::OnJobFinished);
    m_ui->label_Status->setText(tr("Reading the alarm log..."));
    m_worker->start();
}

void AlarmReportWindow::OnJobFinished()
{
    const std::shared_ptr<Job> job = TakeFinished(m_worker, m_job);
    if (m_readAgain) {
        m_readAgain = false;
        StartJob();
        return;
    }
    if (job->ok) {
        m_report = job->report;
        m_reportDevice = job->deviceText;
        m_jobError.clear();
        m_model->SetReport(m_report);
        m_ui->widget_Timeline->SetReport(m_report);
        m_ui->widget_Histogram->SetReport(m_report);
        m_ui->pushButton_SaveCsv->setEnabled(true);
        m_ui->pushButton_SavePdf->setEnabled(!m_pdfWorker);
        ShowStatus();
    } else {
        m_jobError = job->errorText;
        ShowStatus();
        Warn(job->errorText);
    }
    emit Signal_ReportDone();
}

void AlarmReportWindow::ShowStatus()
{
    if (!m_jobError.isEmpty()) {
        m_ui->label_Status->setText(m_jobError);
        return;
    }
    if (!m_report) {
        m_ui->label_Status->clear();
        return;
    }
    qint64 alarms = 0;
    for (const AlarmReport::Signal& signal : m_report->Signals())
        alarms += signal.alarms;
    m_ui->label_Status->setText(
        tr("%1 to %2: %3 signals with alarms, %4 alarms started")
            .arg(AlarmReport::PeriodTimeText(m_report->From()), AlarmReport::PeriodTimeText(m_report->To()))
            .arg(m_report->Signals().size())
            .arg(alarms));
}

void AlarmReportWindow::RetranslateUi()
{
    m_ui->retranslateUi(this);
    m_ui->comboBox_Device->setItemText(0, tr("All Devices"));
    m_model->headerDataChanged(Qt::Horizontal, 0, m_model->columnCount() - 1);
    ShowStatus();
}

void AlarmReportWindow::Warn(const QString& text)
{
    m_prompts.notify(QMessageBox::Warning, this, tr("Warn"), text);
}

QString AlarmReportWindow::AskPath(const QString& caption, const QString& proposedName, const QString& filter)
{
    QString chosenFilter = filter;
    return m_prompts.saveFileName(this, caption, proposedName, filter, &chosenFilter);
}

void AlarmReportWindow::on_pushButton_SaveCsv_clicked()
{
    if (!m_report)
        return;
    const QString path = AskPath(tr("Save CSV"), QStringLiteral("alarm-report.csv"), tr("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    // Binary: the lines end in CRLF as RFC 4180 has them, on every system.
    if (!file.open(QIODevice::WriteOnly) || file.write(m_report->Csv()) < 0 || !file.commit()) {
        Warn(file.errorString());
        return;
    }
    m_prompts.notify(QMessageBox::Information, this, tr("Save"), tr("Save has been completed"));
}

void AlarmReportWindow::on_pushButton_SavePdf_clicked()
{
    if (!m_report || m_pdfWorker)
        return;
    const QString path = AskPath(tr("Save PDF"), QStringLiteral("alarm-report.pdf"), tr("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    m_pdfJob = std::make_shared<PdfJob>();
    m_pdfJob->report = m_report;
    m_pdfJob->deviceText = m_reportDevice;
    m_pdfJob->path = path;
    const std::shared_ptr<PdfJob> job = m_pdfJob;
    const QString hostName = QSysInfo::machineHostName();
    m_pdfWorker = QThread::create([job, hostName] {
        job->ok =
            AlarmReportPdf::Write(*job->report, job->deviceText, hostName, job->path, job->errorText, &job->cancelled);
    });
    connect(m_pdfWorker, &QThread::finished, this, &AlarmReportWindow::OnPdfFinished);
    m_ui->pushButton_SavePdf->setEnabled(false);
    m_pdfWorker->start();
}

void AlarmReportWindow::OnPdfFinished()
{
    const std::shared_ptr<PdfJob> job = TakeFinished(m_pdfWorker, m_pdfJob);
    m_ui->pushButton_SavePdf->setEnabled(m_report != nullptr);
    if (job->ok)
        m_prompts.notify(QMessageBox::Information, this, tr("Save"), tr("Save has been completed"));
    else
        Warn(job->errorText);
    emit Signal_PdfDone();
}
