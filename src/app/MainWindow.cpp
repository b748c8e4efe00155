#include "app/MainWindow.h"

#include "alarm/AlarmHandler.h"
#include "alarm/ShowAlarmManager.h"
#include "alarm/SoundAlarmManager.h"
#include "alarm/Speak.h"
#include "app/AppPaths.h"
#include "app/ConfigBackupRunner.h"
#include "app/DesktopNotifier.h"
#include "app/MainWindowActions.h"
#include "app/SelectIPDialog.h"
#include "app/StationTrayIcon.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigManager.h"
#include "config/DeviceConfigNode.h"
#include "config/LanguageConfig.h"
#include "config/LanguageConfigFile.h"
#include "config/LanguageConfigNode.h"
#include "config/SystemConfigFile.h"
#include "config/SystemConfigManager.h"
#include "dialogs/AboutDialog.h"
#include "log/LogBrowserPrompts.h"
#include "log/LogManager.h"
#include "northbound/MetricsServer.h"
#include "northbound/StationMetrics.h"
#include "report/AlarmReportWindow.h"
#include "snmp/ConnectDeviceThread.h"
#include "snmp/SnmpServer.h"
#include "ui_MainWindow.h"
#include "views/AlarmHandlingController.h"
#include "views/MainAlarmDisplayWidget.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHostAddress>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QTimer>

#include <climits>

QStringList GetLocalIPv4List()
{
    QStringList list;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address == QHostAddress(QHostAddress::LocalHost) || address.toIPv4Address() == 0)
            continue;
        list.append(address.toString());
    }
    return list;
}

MainWindow::MainWindow(QWidget* parent) : MainWindow(InteractivePrompts(), parent) {}

MainWindow::MainWindow(const Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_prompts(prompts)
{
    m_ui->setupUi(this);
    InitWindow();
    CreateDesktopPresence();
    if (!Speak::IsAvailable())
        Warn(nullptr, tr("The current operating system does not support language alarm !"));
}

MainWindow::~MainWindow()
{
    ReleaseManagers();
}

void MainWindow::InitWindow()
{
    setWindowTitle(tr("Quorvex-Zentiq SNMP Monitor System"));
    QDir().mkpath(GetConfigDir());
    ConnectActions();
    CreateDisplay();
    m_actions = std::make_unique<MainWindowActions>(*m_ui);
    m_backup = std::make_unique<ConfigBackupRunner>(
        m_prompts, [this] { m_logManager->Close(); }, this);
    CreateManagers();
    setWindowIcon(QIcon(GetIconDir() + "/logo.png"));
    // A console without a window manager ignores "maximized"; the window then still covers the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void MainWindow::ConnectActions()
{
    const std::pair<QAction*, void (MainWindow::*)()> connections[] = {
        {m_ui->actionStart_Monitor, &MainWindow::OnStartMonitorClicked},
        {m_ui->actionStop_Monitor, &MainWindow::OnStopMonitorClicked},
        {m_ui->actionManage_Device, &MainWindow::OnManageDeviceClicked},
        {m_ui->actionSystem_Config, &MainWindow::OnSystemConfigClicked},
        {m_ui->actionExit_x, &MainWindow::OnExitClicked},
        {m_ui->action_SoundAlarm, &MainWindow::OnSoundAlarmClicked},
        {m_ui->actionHelp, &MainWindow::OnHelp},
        {m_ui->actionAbout, &MainWindow::OnAbout},
        {m_ui->actionImport_Config, &MainWindow::OnImportConfig},
        {m_ui->actionExport_Config, &MainWindow::OnExportConfig},
        {m_ui->actionLog, &MainWindow::OnLogClicked},
        {m_ui->actionReport, &MainWindow::OnReportClicked},
        {m_ui->actionStatus, &MainWindow::OnStatusClicked},
        {m_ui->actionHide_Device_Nav, &MainWindow::OnHideDeviceNav},
        {m_ui->actionShow_Device_Nav, &MainWindow::OnShowDeviceNav},
        {m_ui->actionHide_Cur_Device, &MainWindow::OnHideCurDevice},
        {m_ui->actionShow_Cur_Device, &MainWindow::OnShowCurDevice},
    };
    for (const auto& [action, slot] : connections)
        connect(action, &QAction::triggered, this, slot);
}

void MainWindow::Warn(QWidget* parent, const QString& text)
{
    m_prompts.notify(QMessageBox::Warning, parent, tr("Warn"), text);
}

void MainWindow::CreateDisplay()
{
    m_display = new MainAlarmDisplayWidget;
    m_display->SetConfirm(m_prompts.confirm);
    m_display->Handling()->SetPrompts(m_prompts);
    setCentralWidget(m_display);
    connect(m_ui->actionAcknowledge_All, &QAction::triggered, m_display->Handling(),
            &AlarmHandlingController::AcknowledgeAll);
    connect(m_ui->actionShelved_Alarms, &QAction::triggered, m_display->Handling(),
            &AlarmHandlingController::ShowShelvedAlarms);
}

void MainWindow::CreateManagers()
{
    if (m_snmpServer)
        ReleaseManagers();

    m_snmpServer = new SnmpServer;
    m_alarmHandler = new AlarmHandler;
    m_logManager = new LogManager(
        [this](const QString& errorText) { m_prompts.notify(QMessageBox::Critical, nullptr, tr("Error"), errorText); },
        {},
        [this](const QString& errorText) {
            // Called on the log's thread, once until the log can be written again.
            QMetaObject::invokeMethod(
                this,
                [this, errorText] {
                    Warn(this, tr("The alarm log cannot be written: %1\nAlarms are kept and written as soon as it "
                                  "can be written again.")
                                   .arg(errorText));
                },
                Qt::QueuedConnection);
        });
    m_logManager->SetLostHandler([this](quint64 lost) {
        // Called on the log's thread once the log is written again.
        QMetaObject::invokeMethod(
            this,
            [this, lost] {
                Warn(this, tr("%n alarm(s) arrived while the alarm log could not be written and its queue was full; "
                              "they are not in the log.",
                              nullptr, int(qMin<quint64>(lost, INT_MAX))));
            },
            Qt::QueuedConnection);
    });
    m_showAlarmManager = new ShowAlarmManager;
    m_soundAlarmManager = new SoundAlarmManager;
    m_systemConfigManager = new SystemConfigManager;
    m_deviceConfigManager = new DeviceConfigManager;
    m_languageConfig = new LanguageConfig;

    SystemConfigFile systemConfig;
    SystemConfigManager::GetConfig(systemConfig);
    DeviceConfigFile deviceConfig;
    DeviceConfigManager::GetConfig(deviceConfig);

    m_showAlarmManager->SetDisplay(m_display);
    m_showAlarmManager->SetSoundAlarmManager(m_soundAlarmManager);
    m_showAlarmManager->SetSystemConfig(systemConfig);
    m_soundAlarmManager->SetSystemConfig(systemConfig);
    m_soundAlarmManager->SetDeviceConfig(deviceConfig);
    m_logManager->SetSystemConfig(systemConfig);
    m_logManager->SetDeviceConfig(deviceConfig);
    m_display->Handling()->SetHandlingLog(m_logManager);
    m_alarmHandler->SetShowAlarmManager(m_showAlarmManager);
    m_alarmHandler->SetSoundAlarmManager(m_soundAlarmManager);
    m_alarmHandler->SetLogManager(m_logManager);
    m_alarmHandler->SetDeviceConfig(deviceConfig);
    m_snmpServer->SetAlarmHandler(m_alarmHandler);

    m_languageConfig->Install(systemConfig.language());
    ApplySpeechVocabulary(systemConfig.language());
    m_serverPort = systemConfig.server_port();

    m_connectDeviceThread = new ConnectDeviceThread(m_snmpServer);
    m_alarmHandler->SetConnectDeviceThread(m_connectDeviceThread);

    if (!m_soundAlarmManager->IsSupported())
        Warn(this, tr("The system doesn't support sound alarm"));
    RetranslateUi();
}

void MainWindow::ReleaseManagers()
{
    m_metricsServer.reset();
    // The display outlives the managers as a child widget: it takes no more alarms and forgets the speech manager.
    if (m_display) {
        m_display->SetMonitoring(false);
        m_display->SetSoundAlarmManager(nullptr);
        m_display->Handling()->SetHandlingLog(nullptr);
    }
    // Threads stop before the objects they call into go. The handler re-queues reconnected devices for
    // registration, and registration calls into the SNMP server, so the server is deleted only once the handler's
    // thread has ended and the registration thread has been stopped after it.
    if (m_snmpServer)
        m_snmpServer->MarkStopping();
    if (m_alarmHandler)
        m_alarmHandler->SetConnectDeviceThread(nullptr);
    if (m_connectDeviceThread)
        m_connectDeviceThread->Stop();
    if (m_snmpServer)
        m_snmpServer->Stop();
    delete m_alarmHandler;
    m_alarmHandler = nullptr;
    if (m_connectDeviceThread)
        m_connectDeviceThread->Stop();
    delete m_snmpServer;
    m_snmpServer = nullptr;
    delete m_connectDeviceThread;
    m_connectDeviceThread = nullptr;
    delete m_logManager;
    m_logManager = nullptr;
    delete m_soundAlarmManager;
    m_soundAlarmManager = nullptr;
    delete m_showAlarmManager;
    m_showAlarmManager = nullptr;
    delete m_systemConfigManager;
    m_systemConfigManager = nullptr;
    delete m_deviceConfigManager;
    m_deviceConfigManager = nullptr;
    delete m_languageConfig;
    m_languageConfig = nullptr;
}

// The tray icon follows the current alarms once a second; neither it nor the notifier keeps the station running
// once the window has closed.
void MainWindow::CreateDesktopPresence()
{
    m_trayIcon = new StationTrayIcon(this,
                                     {m_ui->actionStart_Monitor, m_ui->actionStop_Monitor, nullptr,
                                      m_ui->action_SoundAlarm, nullptr, m_ui->actionExit_x},
                                     this);
    auto* trayTimer = new QTimer(this);
    connect(trayTimer, &QTimer::timeout, this, [this] {
        AlarmSummary summary = m_display->Summary();
        summary.unacknowledged = m_display->Handling()->UnacknowledgedCount();
        m_trayIcon->ShowState(m_monitoring, summary);
    });
    trayTimer->start(1000);
    m_notifier = new DesktopNotifier(this, QDBusConnection::sessionBus(), DesktopNotifier::DefaultIntervalMs, this);
    connect(m_display, &MainAlarmDisplayWidget::Signal_AlarmApplied, m_notifier, &DesktopNotifier::OnAlarmApplied);
}

void MainWindow::ApplySpeechVocabulary(const QString& language)
{
    LanguageConfigFile languages;
    if (!LanguageConfig::ReadLanguageConfig(languages))
        qDebug() << languages.GetErrorString();
    for (const LanguageConfigNode* entry : languages.Languages()) {
        if (entry->name() == language) {
            m_soundAlarmManager->SetVocabulary(*entry);
            return;
        }
    }
}

void MainWindow::OnStartMonitorClicked()
{
    SelectIPDialog dialog;
    dialog.SetIPList(GetLocalIPv4List());
    if (m_prompts.runDialog(dialog) != QDialog::Accepted)
        return;
    StartMonitoring(dialog.GetSelectedIP());
}

void MainWindow::SetSyslogTargets(const QList<SyslogTarget>& targets)
{
    m_logManager->SetSyslogTargets(targets);
}

void MainWindow::SetAlertmanagerTargets(const QList<AlertmanagerTarget>& targets)
{
    m_logManager->SetAlertmanagerTargets(targets);
}

bool MainWindow::StartMetrics(const QHostAddress& address, quint16 port, QString& error)
{
    const MainAlarmDisplayWidget* display = m_display;
    const StationMetrics metrics({m_alarmHandler, m_logManager, m_soundAlarmManager,
                                  [display] { return display->ArrivedCount(); },
                                  [display] { return display->IsMonitoring(); }, AboutDialog::VersionText()});
    m_metricsServer = std::make_unique<MetricsServer>([metrics] { return metrics.Exposition(); });
    if (m_metricsServer->Start(address, port))
        return true;
    error = m_metricsServer->ErrorString();
    m_metricsServer.reset();
    return false;
}

void MainWindow::StartMonitoring(const QString& localAddress)
{
    m_showAlarmManager->ClearAlarms();
    m_showAlarmManager->ClearDevices();
    m_soundAlarmManager->Clear();
    m_alarmHandler->ForgetDeviceStates();
    m_logManager->Open();
    m_logManager->BeginRun();
    m_display->Handling()->Restore();
    m_localAddress = localAddress;
    if (!m_snmpServer->Start(m_localAddress, m_serverPort)) {
        Warn(this,
             tr("Alarms cannot be received on UDP port %1: %2").arg(m_serverPort).arg(m_snmpServer->ErrorString()));
    }

    DeviceConfigFile deviceConfig;
    DeviceConfigManager::GetConfig(deviceConfig);
    m_showAlarmManager->SetDeviceConfig(deviceConfig);
    m_soundAlarmManager->SetDeviceConfig(deviceConfig);
    QueueRegistration(deviceConfig);

    m_monitoring = true;
    m_actions->SetMonitoring(m_monitoring);
    m_display->SetMonitoring(true);
    statusBar()->showMessage(
        tr("Monitoring %n device(s): alarms to %1, UDP port %2", nullptr, deviceConfig.Devices().size())
            .arg(m_localAddress, QString::number(m_serverPort)));
}

void MainWindow::QueueRegistration(const DeviceConfigFile& config)
{
    // The registration thread may already have taken the first entry of a device listed twice, so the list is
    // made unique here rather than relying on the queue.
    QSet<QString> queued;
    for (const DeviceConfigNode* device : config.Devices()) {
        if (!queued.contains(device->ip())) {
            queued.insert(device->ip());
            m_connectDeviceThread->AddIP(device->ip());
        }
    }
}

void MainWindow::OnStopMonitorClicked()
{
    m_display->SetMonitoring(false);
    m_snmpServer->MarkStopping();
    m_connectDeviceThread->Stop();
    m_snmpServer->Stop();
    m_logManager->EndRun();
    m_monitoring = false;
    m_actions->SetMonitoring(m_monitoring);
    statusBar()->showMessage(tr("Monitoring stopped"));
    m_showAlarmManager->ClearAlarms();
    m_showAlarmManager->ClearDevices();
    m_soundAlarmManager->Clear();
    m_notifier->OnMonitoringStopped();
}

void MainWindow::OnManageDeviceClicked()
{
    DeviceConfigFile oldConfig;
    DeviceConfigManager::GetConfig(oldConfig);
    if (!DeviceConfigManager::ShowDialog(m_prompts))
        return;
    m_connectDeviceThread->Stop();
    m_showAlarmManager->ClearAlarms();
    m_soundAlarmManager->Clear();

    DeviceConfigFile newConfig;
    DeviceConfigManager::GetConfig(newConfig);
    m_soundAlarmManager->SetDeviceConfig(newConfig);
    m_logManager->SetDeviceConfig(newConfig);
    m_alarmHandler->SetDeviceConfig(newConfig);
    for (const DeviceConfigNode* device : oldConfig.Devices())
        m_snmpServer->RemoveDevice(device->ip());
    // Alarms that the handler routed while the devices were being dropped are cleared as well.
    m_showAlarmManager->ClearAlarms();
    m_soundAlarmManager->Clear();
    if (!m_monitoring)
        return;
    m_showAlarmManager->SetDeviceConfig(newConfig);
    QueueRegistration(newConfig);
}

void MainWindow::OnSystemConfigClicked()
{
    if (!SystemConfigManager::ShowDialog(m_prompts))
        return;
    SystemConfigFile config;
    SystemConfigManager::GetConfig(config);
    m_showAlarmManager->SetSystemConfig(config);
    m_soundAlarmManager->SetSystemConfig(config);
    m_logManager->SetSystemConfig(config);
    if (m_languageConfig->GetLanguage() != config.language()) {
        m_languageConfig->Install(config.language());
        ApplySpeechVocabulary(config.language());
        RetranslateUi();
    }
    if (config.server_port() == m_serverPort)
        return;
    m_serverPort = config.server_port();
    if (!m_monitoring)
        return;
    const QString localAddress = m_localAddress;
    OnStopMonitorClicked();
    StartMonitoring(localAddress);
}

void MainWindow::OnLogClicked()
{
    m_logManager->ShowLogDialog(m_prompts.ForLogBrowser());
}

void MainWindow::OnReportClicked()
{
    const bool opened = !m_reportWindow;
    if (opened) {
        m_reportWindow = new AlarmReportWindow(m_prompts.ForLogBrowser(), GetLogDatabasePath(), this);
        m_reportWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    DeviceConfigFile config;
    DeviceConfigManager::GetConfig(config);
    m_reportWindow->SetDeviceConfig(config);
    m_reportWindow->show();
    m_reportWindow->raise();
    m_reportWindow->activateWindow();
    if (opened)
        m_reportWindow->ShowReport();
}

void MainWindow::OnStatusClicked()
{
    m_display->ShowStatusWindow();
}

void MainWindow::OnExitClicked()
{
    if (m_prompts.confirm(this, tr("Exit"), tr("Are you sure to exit?")))
        close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

void MainWindow::OnSoundAlarmClicked()
{
    m_soundOn = !m_soundOn;
    m_actions->SetSoundOn(m_soundOn);
    m_soundAlarmManager->SetSoundEnabled(m_soundOn);
}

void MainWindow::OnImportConfig()
{
    if (!m_monitoring)
        m_backup->Import();
}

void MainWindow::OnExportConfig()
{
    if (!m_monitoring)
        m_backup->Export();
}

void MainWindow::OnHideDeviceNav()
{
    m_display->ShowNavigation(false);
    m_actions->SetNavigationShown(false);
}

void MainWindow::OnShowDeviceNav()
{
    m_display->ShowNavigation(true);
    m_actions->SetNavigationShown(true);
}

void MainWindow::OnHideCurDevice()
{
    m_display->ShowCurrentDevice(false);
    m_actions->SetCurrentDeviceShown(false);
}

void MainWindow::OnShowCurDevice()
{
    m_display->ShowCurrentDevice(true);
    m_actions->SetCurrentDeviceShown(true);
}

void MainWindow::OnHelp() {}

void MainWindow::OnAbout()
{
    AboutDialog dialog;
    m_prompts.runDialog(dialog);
}

void MainWindow::RetranslateUi()
{
    m_ui->retranslateUi(this);
    setWindowTitle(tr("Quorvex-Zentiq SNMP Monitor System"));
    m_actions->RetranslateUi();
    m_display->RetranslateUi();
    if (m_reportWindow)
        m_reportWindow->RetranslateUi();
}
