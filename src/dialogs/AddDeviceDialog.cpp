#include "dialogs/AddDeviceDialog.h"

#include "dialogs/DeviceAddress.h"
#include "ui_AddDeviceDialog.h"

#include <QRegExpValidator>

AddDeviceDialog::AddDeviceDialog(const DialogPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AddDeviceDialog>()), m_prompts(prompts)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    m_validator = new QRegExpValidator(QRegExp(DeviceAddress::Pattern(), Qt::CaseSensitive), this);
    m_ui->lineEdit_IP->setValidator(m_validator);
}

AddDeviceDialog::~AddDeviceDialog() = default;

void AddDeviceDialog::on_pushButton_OK_clicked()
{
    QString text = m_ui->lineEdit_IP->text();
    int position = 0;
    if (m_validator->validate(text, position) != QValidator::Acceptable) {
        m_prompts.notify(QMessageBox::Warning, this, tr("Warn"), tr("IP address is invalid !"));
        m_ui->lineEdit_IP->setFocus();
        return;
    }
    m_ip = DeviceAddress::Normalized(text);
    m_name = m_ui->lineEdit_DeviceName->text();
    accept();
}

void AddDeviceDialog::on_pushButton_Cancel_clicked()
{
    reject();
}
