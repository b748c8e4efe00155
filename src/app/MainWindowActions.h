#pragma once

#include <QCoreApplication>

class QAction;

namespace Ui {
class MainWindow;
}

// The window's actions as the toolbar and the menus show them: the toolbar's entries and icons, which action of
// each view pair is visible, and what can be used while monitoring.
class MainWindowActions
{
    Q_DECLARE_TR_FUNCTIONS(MainWindowActions)

public:
    explicit MainWindowActions(Ui::MainWindow& ui);

    void SetMonitoring(bool monitoring);
    void SetSoundOn(bool on);
    void SetNavigationShown(bool shown);
    void SetCurrentDeviceShown(bool shown);
    void RetranslateUi();

private:
    Ui::MainWindow& m_ui;
    QAction* m_toolbarToggle = nullptr;
};
