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
}

QString SelectIPDialog::GetSelectedIP() const
{
    return m_selectedIP;
}

void SelectIPDialog::on_pushButton_OK_clicked()
{
    m_selectedIP = m_ui->comboBox_IP->currentText();
    accept();
}

void SelectIPDialog::on_pushButton_Cancel_clicked()
{
    reject();
}
