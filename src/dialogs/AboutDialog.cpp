#include "dialogs/AboutDialog.h"

#include "ui_AboutDialog.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("About"));
    m_ui->label_Version->setText(VersionText());
}

AboutDialog::~AboutDialog() = default;

QString AboutDialog::VersionText()
{
    return QStringLiteral("V1.5.652.200325");
}

void AboutDialog::on_pushButton_Close_clicked()
{
    reject();
}
