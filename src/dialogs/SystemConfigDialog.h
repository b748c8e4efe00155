#pragma once

#include "dialogs/DialogPrompts.h"

#include <QDialog>

#include <memory>

namespace Ui {
class SystemConfigDialog;
}

// The editor of system_config.xml. It reads the file when it opens and writes all nine settings on OK; applying
// them is the caller's business.
class SystemConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SystemConfigDialog(const DialogPrompts& prompts, QWidget* parent = nullptr);
    ~SystemConfigDialog() override;

private slots:
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

private:
    std::unique_ptr<Ui::SystemConfigDialog> m_ui;
    DialogPrompts m_prompts;
    // A language the combo box does not offer (from a hand-edited file) is written back unchanged.
    QString m_unlistedLanguage;
};
