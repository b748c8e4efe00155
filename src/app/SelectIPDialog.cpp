#include "app/SelectIPDialog.h"

#include "ui_SelectIPDialog.h"

SelectIPDialog::SelectIPDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::SelectIPDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Select IP Address"));
}

SelectIPDialog::~SelectIPDialog() = default;

void SelectIPDialog::SetIPList(const QStringList& list)
{
    m_ui->comboBox_IP->addItems(list);
    if (!list.isEmpty())
        m_ui->comboBox_IP->setCurrentIndex(0);
    // An empty address would be written into every device as its trap destination, replacing one that works.
    const bool haveAddress = m_ui->comboBox_IP->count() > 0;
    m_ui->pushButton_OK->setEnabled(haveAddress);
    m_ui->pushButton_OK->setToolTip(haveAddress ? QString()
                                                : tr("This machine has no IPv4 address besides 127.0.0.1 for the "
                                                     "devices to send their alarms to."));
}

QString SelectIPDialog::GetSelectedIP() const
{
    return m_selectedIP;
}

void SelectIPDialog::on_pushButton_OK_clicked()
{
    if (m_ui->comboBox_IP->currentText().isEmpty())
        return;
    m_selectedIP = m_ui->comboBox_IP->currentText();
    accept();
}

void SelectIPDialog::on_pushButton_Cancel_clicked()
{
    reject();
}
