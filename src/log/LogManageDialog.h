#pragma once

#include "log/LogBrowserPrompts.h"
#include "log/LogFilter.h"
#include "log/LogResult.h"

#include <QDialog>
#include <QList>

#include <memory>

class AlarmRecord;
class DeviceConfigFile;
class LogDatabase;
class QCheckBox;

namespace Ui {
class LogManageDialog;
}

// The operator's window onto the alarm log: a filter panel, the result 30 rows a page, export of the whole result
// to a file and its deletion from the log.
class LogManageDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LogManageDialog(const LogBrowserPrompts& prompts, QWidget* parent = nullptr);
    ~LogManageDialog() override;

    // Fills the device table, every device checked; the configuration is not kept.
    void SetDeviceConfig(const DeviceConfigFile* config);
    // The GUI thread's connection; Search is offered only with one.
    void SetDatabase(LogDatabase* database);

    // The filter as the widgets show it now.
    LogFilter CurrentFilter() const;

private slots:
    void on_pushButton_SaveAs_clicked();
    void on_pushButton_Search_clicked();
    void on_pushButton_PageUp_clicked();
    void on_pushButton_PageDown_clicked();
    void on_pushButton_GoTo_clicked();
    void on_checkBox_AllPort_clicked(bool checked);
    void on_Port_clicked(bool checked);
    void on_pushButton_Delete_clicked();

private:
    QList<QCheckBox*> BncBoxes() const;
    QList<QCheckBox*> PortBoxes() const;
    void ShowPage(int page);
    void ShowNoResult();
    void Warn(const QString& text);

    std::unique_ptr<Ui::LogManageDialog> m_ui;
    LogBrowserPrompts m_prompts;
    LogDatabase* m_database = nullptr;
    LogResult m_result;
    int m_currentPage = 0;
    // Reused for every page; from AlarmRecordPool.
    QList<AlarmRecord*> m_pageRecords;
};
