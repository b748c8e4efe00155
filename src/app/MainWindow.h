#pragma once

#include "app/ConfigBackup.h"
#include "dialogs/DialogPrompts.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

#include <functional>
#include <memory>

class AlarmHandler;
class AlarmReportWindow;
class ConnectDeviceThread;
class DeviceConfigFile;
class DeviceConfigManager;
class LanguageConfig;
class LogManager;
class MainAlarmDisplayWidget;
class MetricsServer;
class QAction;
class QHostAddress;
class QDialog;
class ShowAlarmManager;
class SnmpServer;
class SoundAlarmManager;
class StationTrayIcon;
class SystemConfigManager;
struct AlertmanagerTarget;
struct LogBrowserPrompts;
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
    // How modal boxes and dialogs are answered; tests and the unattended start replace the operator. The
    // settings dialogs get the DialogPrompts part.
    struct Prompts : DialogPrompts
    {
        // Asks for a file to write; empty when cancelled. chosenFilter receives the filter the operator picked.
        std::function<QString(QWidget* parent, const QString& caption, const QString& proposedPath,
                              const QString& filters, QString* chosenFilter)>
            saveFileName;
        // Asks for an existing directory; empty when cancelled.
        std::function<QString(QWidget* parent, const QString& caption)> existingDirectory;
    };

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

    // Interactive answers: dialogs run modally, warnings wait for the operator.
    static Prompts InteractivePrompts();
    // Warnings that do not hold anything back.
    static Prompts UnattendedPrompts();

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
    void BuildToolBar();
    void CreateManagers();
    void ReleaseManagers();
    void CreateDesktopPresence();
    void ApplySpeechVocabulary(const QString& language);
    void UpdateMonitoringActions();
    void SetActionIcon(QAction* action, const QString& fileName);
    void Warn(QWidget* parent, const QString& text);
    LogBrowserPrompts LogPrompts() const;
    void ShowOneOf(QAction* visible, QAction* hidden);
    void QueueRegistration(const DeviceConfigFile& config);
    void ReportBackup(const QString& title, const QString& successText, const QString& noneText,
                      const ConfigBackup::Result& result);

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
    QAction* m_toolbarToggle = nullptr;
    MainAlarmDisplayWidget* m_display = nullptr;
    StationTrayIcon* m_trayIcon = nullptr;
    // Reads the managers, so it goes before them.
    std::unique_ptr<MetricsServer> m_metricsServer;
    // Open while the operator keeps it open; it deletes itself on close.
    QPointer<AlarmReportWindow> m_reportWindow;
};

// The local IPv4 addresses the station can tell its devices, without 127.0.0.1.
QStringList GetLocalIPv4List();
