#pragma once

#include "dialogs/DialogPrompts.h"

#include <QDialog>

#include <memory>

class QValidator;

namespace Ui {
class AddDeviceDialog;
}

// Asks for the address and name of a new device.
class AddDeviceDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AddDeviceDialog(const DialogPrompts& prompts, QWidget* parent = nullptr);
    ~AddDeviceDialog() override;

    // In its plain dotted form, whatever leading zeros were typed.
    QString GetIP() const { return m_ip; }
    QString GetName() const { return m_name; }

private slots:
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

private:
    std::unique_ptr<Ui::AddDeviceDialog> m_ui;
    DialogPrompts m_prompts;
    QValidator* m_validator = nullptr;
    QString m_ip;
    QString m_name;
};
