#pragma once

#include "app/StationPrompts.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

#include <functional>
#include <memory>

class AlarmHandler;
class AlarmReportWindow;
class ConfigBackupRunner;
class ConnectDeviceThread;
class DeviceConfigFile;
class DeviceConfigManager;
class DesktopNotifier;
class LanguageConfig;
class LogManager;
class MainAlarmDisplayWidget;
class MainWindowActions;
class MetricsServer;
class QHostAddress;
class QDialog;
class ShowAlarmManager;
class SnmpServer;
class SoundAlarmManager;
class StationTrayIcon;
class SystemConfigManager;
struct AlertmanagerTarget;
struct SyslogTarget;

namespace Ui {
class MainWindow;
}

// The station's one window. It owns every long-lived manager, wires them together at start-up, and starts and
// stops monitoring.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    using Prompts = StationPrompts;

    explicit MainWindow(QWidget* parent = nullptr);
    MainWindow(const Prompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start Monitoring without asking: the unattended start and the restart after a port change use it.
    void StartMonitoring(const QString& localAddress);
    bool IsMonitoring() const { return m_monitoring; }
    MainAlarmDisplayWidget* Display() const { return m_display; }
    // Every alarm start and end that the log writes also goes to these collectors.
    void SetSyslogTargets(const QList<SyslogTarget>& targets);
    // Likewise to these Alertmanagers.
    void SetAlertmanagerTargets(const QList<AlertmanagerTarget>& targets);
    // Serves the station's metrics at http://address:port/metrics until the window goes; false, with the reason in
    // error, when it cannot.
    bool StartMetrics(const QHostAddress& address, quint16 port, QString& error);

    static Prompts InteractivePrompts() { return StationPrompts::Interactive(); }
    static Prompts UnattendedPrompts() { return StationPrompts::Unattended(); }

signals:
    // The window was closed: by the operator, Exit or a signal. The station ends then, whatever else is open.
    void Closed();

public slots:
    void OnStartMonitorClicked();
    void OnStopMonitorClicked();
    void OnManageDeviceClicked();
    void OnSystemConfigClicked();
    void OnLogClicked();
    void OnReportClicked();
    void OnStatusClicked();
    void OnExitClicked();
    void OnSoundAlarmClicked();
    void OnImportConfig();
    void OnExportConfig();
    void OnHideDeviceNav();
    void OnShowDeviceNav();
    void OnHideCurDevice();
    void OnShowCurDevice();
    void OnHelp();
    void OnAbout();
    void RetranslateUi();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void InitWindow();
    void ConnectActions();
    void CreateDisplay();
    void CreateManagers();
    void ReleaseManagers();
    void CreateDesktopPresence();
    void ApplySpeechVocabulary(const QString& language);
    void Warn(QWidget* parent, const QString& text);
    void QueueRegistration(const DeviceConfigFile& config);

    std::unique_ptr<Ui::MainWindow> m_ui;
    Prompts m_prompts;
    AlarmHandler* m_alarmHandler = nullptr;
    SnmpServer* m_snmpServer = nullptr;
    LogManager* m_logManager = nullptr;
    ShowAlarmManager* m_showAlarmManager = nullptr;
    SoundAlarmManager* m_soundAlarmManager = nullptr;
    SystemConfigManager* m_systemConfigManager = nullptr;
    DeviceConfigManager* m_deviceConfigManager = nullptr;
    LanguageConfig* m_languageConfig = nullptr;
    quint32 m_serverPort = 3703;
    QString m_localAddress;
    bool m_monitoring = false;
    bool m_soundOn = true;
    ConnectDeviceThread* m_connectDeviceThread = nullptr;
    std::unique_ptr<MainWindowActions> m_actions;
    std::unique_ptr<ConfigBackupRunner> m_backup;
    MainAlarmDisplayWidget* m_display = nullptr;
    StationTrayIcon* m_trayIcon = nullptr;
    DesktopNotifier* m_notifier = nullptr;
    // Reads the managers, so it goes before them.
    std::unique_ptr<MetricsServer> m_metricsServer;
    // Open while the operator keeps it open; it deletes itself on close.
    QPointer<AlarmReportWindow> m_reportWindow;
};

// The local IPv4 addresses the station can tell its devices, without 127.0.0.1.
QStringList GetLocalIPv4List();
