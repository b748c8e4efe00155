#pragma once

#include "log/LogBrowserPrompts.h"

#include <QDateTime>
#include <QWidget>

#include <memory>

class AlarmReport;
class AlarmReportModel;
class DeviceConfigFile;
class QThread;

namespace Ui {
class AlarmReportWindow;
}

// What happened in a period, at a glance: per-signal figures, a timeline of the alarms and a histogram of their
// starts, saved as PDF or CSV. The log is read on a thread of its own with its own connection, so that the
// station's window stays responsive while a long period is read.
class AlarmReportWindow : public QWidget
{
    Q_OBJECT

public:
    AlarmReportWindow(const LogBrowserPrompts& prompts, const QString& databasePath, QWidget* parent = nullptr);
    ~AlarmReportWindow() override;

    // Offers every device of the configuration after "All Devices"; the configuration is not kept.
    void SetDeviceConfig(const DeviceConfigFile& config);
    // Reads the chosen period and device; a reading still under way is abandoned for this one.
    void ShowReport();
    // The report on screen; null until the first one is read.
    std::shared_ptr<const AlarmReport> Report() const { return m_report; }
    bool IsReading() const { return m_worker != nullptr; }
    void RetranslateUi();

signals:
    // A reading has ended: its report is on screen, or the failure has been told.
    void Signal_ReportDone();
    // A PDF has been saved, or the failure has been told.
    void Signal_PdfDone();

private slots:
    void on_pushButton_Show_clicked();
    void on_pushButton_Last24Hours_clicked();
    void on_pushButton_Last7Days_clicked();
    void on_pushButton_Yesterday_clicked();
    void on_pushButton_SaveCsv_clicked();
    void on_pushButton_SavePdf_clicked();

private:
    struct Job;
    struct PdfJob;

    void SetPeriod(const QDateTime& from, const QDateTime& to);
    void StartJob();
    void OnJobFinished();
    void OnPdfFinished();
    void ShowStatus();
    // Asks for the file; empty when cancelled.
    QString AskPath(const QString& caption, const QString& proposedName, const QString& filter);
    void Warn(const QString& text);

    std::unique_ptr<Ui::AlarmReportWindow> m_ui;
    LogBrowserPrompts m_prompts;
    QString m_databasePath;
    AlarmReportModel* m_model = nullptr;
    std::shared_ptr<const AlarmReport> m_report;
    // The device choice the report on screen was read with.
    QString m_reportDevice;
    // The reading under way and its thread; a request made meanwhile waits in m_readAgain.
    std::shared_ptr<Job> m_job;
    QThread* m_worker = nullptr;
    bool m_readAgain = false;
    // The PDF being written, off the GUI thread; one at a time.
    std::shared_ptr<PdfJob> m_pdfJob;
    QThread* m_pdfWorker = nullptr;
    QString m_jobError;
};
