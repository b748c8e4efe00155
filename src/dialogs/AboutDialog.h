#pragma once

#include <QDialog>

#include <memory>

namespace Ui
{
class AboutDialog;
}

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // The version shown in the About box and by --version.
    static QString VersionText();

private slots:
    void on_pushButton_Close_clicked();

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};
