#pragma once

#include "dialogs/DialogPrompts.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

#include <memory>

class DeviceDiscoveryThread;

namespace Ui {
class FindDevicesDialog;
}

// Searches the ranges the operator types for probes and lists them as they answer, with the name each offers and
// whether it is configured already; Add Selected hands the chosen ones to the device dialog.
class FindDevicesDialog : public QDialog
{
    Q_OBJECT

public:
    // configured: the addresses the device dialog lists, in their plain dotted form.
    FindDevicesDialog(const DialogPrompts& prompts, const QSet<QString>& configured, QWidget* parent = nullptr);
    ~FindDevicesDialog() override;

    // Address and name of each probe chosen by Add Selected, in address order.
    QList<QPair<QString, QString>> Chosen() const { return m_chosen; }
    bool IsSearching() const;

private slots:
    void on_pushButton_Find_clicked();
    void on_pushButton_CancelSearch_clicked();
    void on_pushButton_AddSelected_clicked();
    void on_pushButton_Close_clicked();
    void OnFound(const QString& ip, const QString& name);
    void OnProgress(int done, int total);
    void OnSearchEnded();

private:
    void ShowSearching(bool searching);
    void ShowSummary();

    std::unique_ptr<Ui::FindDevicesDialog> m_ui;
    DialogPrompts m_prompts;
    const QSet<QString> m_configured;
    std::unique_ptr<DeviceDiscoveryThread> m_search;
    // The address of each row as a number, for keeping the rows in address order.
    QList<quint32> m_rowAddresses;
    int m_done = 0;
    int m_total = 0;
    QList<QPair<QString, QString>> m_chosen;
};
