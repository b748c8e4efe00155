#pragma once

#include <QDialog>

#include <memory>

namespace Ui
{
class SelectIPDialog;
}

// Asks the operator which local IPv4 address the devices are told to send their traps to.
class SelectIPDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SelectIPDialog(QWidget* parent = nullptr);
    ~SelectIPDialog() override;

    void SetIPList(const QStringList& list);
    QString GetSelectedIP() const;

private slots:
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

private:
    std::unique_ptr<Ui::SelectIPDialog> m_ui;
    QString m_selectedIP;
};
