#include "app/MainWindowActions.h"

#include "app/AppPaths.h"
#include "ui_MainWindow.h"

namespace {
void SetActionIcon(QAction* action, const QString& fileName)
{
    action->setIcon(QIcon(GetIconDir() + fileName));
}

// Of each pair of view actions exactly one is visible, in the menu and in the toolbar alike.
void ShowOneOf(QAction* visible, QAction* hidden)
{
    visible->setVisible(true);
    hidden->setVisible(false);
}
} // namespace

MainWindowActions::MainWindowActions(Ui::MainWindow& ui) : m_ui(ui)
{
    // A null entry is a separator.
    QToolBar* toolBar = m_ui.mainToolBar;
    const QList<QAction*> toolBarEntries{
        m_ui.actionStart_Monitor,
        m_ui.actionStop_Monitor,
        nullptr,
        m_ui.actionManage_Device,
        m_ui.actionSystem_Config,
        m_ui.action_SoundAlarm,
        nullptr,
        m_ui.actionStatus,
        m_ui.actionLog,
        m_ui.actionReport,
        m_ui.actionAcknowledge_All,
        nullptr,
        m_ui.actionHide_Device_Nav,
        m_ui.actionShow_Device_Nav,
        m_ui.actionHide_Cur_Device,
        m_ui.actionShow_Cur_Device,
        nullptr,
        m_ui.actionHelp,
        m_ui.actionAbout,
    };
    for (QAction* action : toolBarEntries) {
        if (action)
            toolBar->addAction(action);
        else
            toolBar->addSeparator();
    }

    m_ui.actionHelp->setVisible(false);
    m_ui.actionHelp->setEnabled(false);
    const std::pair<QAction*, const char*> icons[] = {
        {m_ui.actionStart_Monitor, "/start.png"},
        {m_ui.actionStop_Monitor, "/stop.png"},
        {m_ui.actionManage_Device, "/device_config.png"},
        {m_ui.actionSystem_Config, "/config.png"},
        {m_ui.action_SoundAlarm, "/sound.png"},
        {m_ui.actionHelp, "/help.png"},
        {m_ui.actionAbout, "/about.png"},
        {m_ui.actionLog, "/log.png"},
        {m_ui.actionReport, "/report.png"},
        {m_ui.actionStatus, "/Status.png"},
        {m_ui.actionHide_Device_Nav, "/hide_left.png"},
        {m_ui.actionShow_Device_Nav, "/show_left.png"},
        {m_ui.actionHide_Cur_Device, "/hide_cur.png"},
        {m_ui.actionShow_Cur_Device, "/show_cur.png"},
        {m_ui.actionAcknowledge_All, "/acknowledge.png"},
    };
    for (const auto& [action, fileName] : icons)
        SetActionIcon(action, QString::fromLatin1(fileName));
    SetMonitoring(false);
    SetNavigationShown(true);
    SetCurrentDeviceShown(true);

    m_toolbarToggle = toolBar->toggleViewAction();
    m_toolbarToggle->setText(tr("Toolbar"));
    m_ui.menuView_V->addSeparator();
    m_ui.menuView_V->addAction(m_toolbarToggle);
}

void MainWindowActions::SetMonitoring(bool monitoring)
{
    m_ui.actionStart_Monitor->setEnabled(!monitoring);
    m_ui.actionStop_Monitor->setEnabled(monitoring);
    m_ui.actionImport_Config->setEnabled(!monitoring);
    m_ui.actionExport_Config->setEnabled(!monitoring);
}

void MainWindowActions::SetSoundOn(bool on)
{
    SetActionIcon(m_ui.action_SoundAlarm, on ? "/sound.png" : "/unsound.png");
}

void MainWindowActions::SetNavigationShown(bool shown)
{
    if (shown)
        ShowOneOf(m_ui.actionHide_Device_Nav, m_ui.actionShow_Device_Nav);
    else
        ShowOneOf(m_ui.actionShow_Device_Nav, m_ui.actionHide_Device_Nav);
}

void MainWindowActions::SetCurrentDeviceShown(bool shown)
{
    if (shown)
        ShowOneOf(m_ui.actionHide_Cur_Device, m_ui.actionShow_Cur_Device);
    else
        ShowOneOf(m_ui.actionShow_Cur_Device, m_ui.actionHide_Cur_Device);
}

void MainWindowActions::RetranslateUi()
{
    m_toolbarToggle->setText(tr("Toolbar"));
}
