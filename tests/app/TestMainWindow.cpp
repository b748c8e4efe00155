#include "FileText.h"
#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "StationFiles.h"
#include "TempAppDir.h"
#include "TrapSender.h"
#include "app/AppPaths.h"
#include "app/ConfigBackup.h"
#include "app/MainWindow.h"
#include "app/SelectIPDialog.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/SystemConfigFile.h"
#include "dialogs/DeviceConfigDialog.h"
#include "dialogs/SystemConfigDialog.h"
#include "log/LogManageDialog.h"
#include "views/DeviceAlarmListForm.h"
#include "views/MainAlarmDisplayWidget.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QUdpSocket>
#include <QtTest>

namespace {
const QString E = QStringLiteral("1.3.6.1.4.1.58206");
const QString Probe = QStringLiteral("127.0.0.71");

// The probe's video-lost notification for one BNC port, as a device sends it.
bool SendLost(quint16 port, int bnc, int level)
{
    TrapSender sender(Probe, port);
    return sender.SendTrap(E + ".1.2.3.2.1.3.2", {{E + ".1", 'i', "1"},
                                                  {E + ".2", 'i', QString::number(bnc)},
                                                  {E + ".3", 'i', "5"},
                                                  {E + ".4", 'i', QString::number(level)}});
}
} // namespace

// The window driven as the operator would, with its modal boxes answered by the test.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void idleAndMonitoringActionStates();
    void cancelledStartChangesNothing();
    void trapPortInUseIsReportedAndStopStillWorks();
    void deviceConfiguredTwiceIsRegisteredOnce();
    void stopKeepsTheLogOpenAcrossRestarts();
    void soundToggleAndViewPairs();
    void exitAsksFirst();
    void raisedFaultIsShownAndItsClearingMovesItToHistory();
    void logOpensTheBrowserMaximizedOnTheLog();
    void manageDeviceRedistributesTheDevices();
    void settingsWithoutPortOrLanguageChangeKeepMonitoring();
    void portChangeTakesEffect_data();
    void portChangeTakesEffect();
    void languageSwitchesLive();
    void backupAsksBeforeOverwritingAndWaitsForIdle();

private:
    std::unique_ptr<MainWindow> MakeWindow();
    // How often the probe was told to send its traps to this port.
    int SetsTo(quint16 port) { return m_probes.LinesWith({"<- set", QStringLiteral("127.0.0.1:%1").arg(port)}).size(); }
    QAction* Action(const char* name) { return m_window->findChild<QAction*>(QString::fromLatin1(name)); }

    ProbeSimProcess m_probes;
    std::unique_ptr<TempAppDir> m_appDir;
    std::unique_ptr<MainWindow> m_window;
    quint16 m_trapPort = 0;
    quint16 m_devicePort = 0;
    int m_dialogAnswer = QDialog::Accepted;
    QStringList m_warnings;
    bool m_confirmAnswer = false;
    std::function<void(QDialog&)> m_openDialog;
    QStringList m_questions;
    QString m_directoryAnswer;
    int m_directoryQuestions = 0;
};

void TestMainWindow::initTestCase()
{
    m_devicePort = FreeUdpPort(Probe);
    // Read once by the station: the simulated probes listen above 1023.
    qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(m_devicePort));
    QVERIFY2(m_probes.Start({Probe}, m_devicePort), qPrintable(m_probes.ErrorString()));
}

void TestMainWindow::init()
{
    m_appDir = std::make_unique<TempAppDir>();
    const QString icons = QString::fromLocal8Bit(qgetenv("VZ_BUILD_DIR")) + "/sys/icon";
    for (const QString& name : QDir(icons).entryList(QDir::Files))
        QFile::copy(icons + "/" + name, m_appDir->filePath("sys/icon/" + name));
    m_trapPort = FreeUdpPort();
    StationFiles::WriteSystemConfig(m_trapPort);
    StationFiles::WriteDevices({{Probe, "Studio"}});
    m_dialogAnswer = QDialog::Accepted;
    m_warnings.clear();
    m_openDialog = nullptr;
    m_questions.clear();
    m_directoryQuestions = 0;
    m_probes.ClearLines();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_appDir.reset();
}

std::unique_ptr<MainWindow> TestMainWindow::MakeWindow()
{
    MainWindow::Prompts prompts;
    prompts.runDialog = [this](QDialog& dialog) {
        if (m_openDialog)
            m_openDialog(dialog);
        if (m_dialogAnswer == QDialog::Accepted && qobject_cast<SelectIPDialog*>(&dialog))
            QMetaObject::invokeMethod(&dialog, "on_pushButton_OK_clicked");
        // The settings dialogs answer for themselves, through the buttons the test clicked.
        if (qobject_cast<DeviceConfigDialog*>(&dialog) || qobject_cast<SystemConfigDialog*>(&dialog))
            return dialog.result();
        return m_dialogAnswer;
    };
    prompts.notify = [this](QMessageBox::Icon, QWidget*, const QString&, const QString& text) { m_warnings << text; };
    prompts.confirm = [this](QWidget*, const QString&, const QString& text) {
        m_questions << text;
        return m_confirmAnswer;
    };
    prompts.existingDirectory = [this](QWidget*, const QString&) {
        ++m_directoryQuestions;
        return m_directoryAnswer;
    };
    return std::make_unique<MainWindow>(prompts);
}

void TestMainWindow::idleAndMonitoringActionStates()
{
    m_window = MakeWindow();
    auto states = [this] {
        return QList<bool>{Action("actionStart_Monitor")->isEnabled(), Action("actionStop_Monitor")->isEnabled(),
                           Action("actionImport_Config")->isEnabled(), Action("actionExport_Config")->isEnabled()};
    };
    const QList<bool> idle{true, false, true, true};
    QCOMPARE(states(), idle);
    QVERIFY(!Action("actionHelp")->isVisible() && !Action("actionHelp")->isEnabled());
    QVERIFY(m_warnings.isEmpty());

    Action("actionStart_Monitor")->trigger();
    QVERIFY(m_window->IsMonitoring());
    QCOMPARE(states(), (QList<bool>{false, true, false, false}));

    Action("actionStop_Monitor")->trigger();
    QVERIFY(!m_window->IsMonitoring());
    QCOMPARE(states(), idle);
}

void TestMainWindow::cancelledStartChangesNothing()
{
    m_window = MakeWindow();
    m_dialogAnswer = QDialog::Rejected;
    Action("actionStart_Monitor")->trigger();
    QVERIFY(!m_window->IsMonitoring());
    QVERIFY(Action("actionStart_Monitor")->isEnabled());
    // Nothing listens for traps: the port is still free.
    QUdpSocket socket;
    QVERIFY(socket.bind(QHostAddress::AnyIPv4, m_trapPort));
}

void TestMainWindow::trapPortInUseIsReportedAndStopStillWorks()
{
    QUdpSocket squatter;
    QVERIFY(squatter.bind(QHostAddress::AnyIPv4, m_trapPort));
    m_window = MakeWindow();
    m_window->StartMonitoring("127.0.0.1");
    QCOMPARE(m_warnings.size(), 1);
    QVERIFY2(m_warnings[0].contains(QString::number(m_trapPort)), qPrintable(m_warnings[0]));
    QVERIFY(m_window->IsMonitoring());
    Action("actionStop_Monitor")->trigger();
    QVERIFY(Action("actionStart_Monitor")->isEnabled());
}

void TestMainWindow::deviceConfiguredTwiceIsRegisteredOnce()
{
    // A hand-edited file may name a device twice; it is still written to only once.
    QString xml = QString::fromUtf8(ReadFile(GetDeviceConfigPath()));
    const int start = xml.indexOf("<device ");
    const int end = xml.indexOf("</device>") + int(strlen("</device>"));
    xml.insert(end, "\n" + xml.mid(start, end - start));
    QVERIFY(WriteFile(GetDeviceConfigPath(), xml.toUtf8()));

    m_window = MakeWindow();
    m_window->StartMonitoring("127.0.0.1");
    // Only SETs naming this case's trap port: a late SET of the case before may still reach the probe.
    QTRY_COMPARE_WITH_TIMEOUT(SetsTo(m_trapPort), 1, 5000);
    QTest::qWait(300);
    QCOMPARE(SetsTo(m_trapPort), 1);
}

void TestMainWindow::stopKeepsTheLogOpenAcrossRestarts()
{
    m_window = MakeWindow();
    m_window->StartMonitoring("127.0.0.1");
    QVERIFY(SendLost(m_trapPort, 3, 2));
    const QString database = GetLogDatabasePath();
    QTRY_COMPARE_WITH_TIMEOUT(StationFiles::LogRows(database), QStringList{Probe + "|1|3|-1|4|Studio CAM 3|0"}, 5000);

    Action("actionStop_Monitor")->trigger();
    m_window->StartMonitoring("127.0.0.1");
    // The alarm that started before the restart is still ended by its recovery.
    QVERIFY(SendLost(m_trapPort, 3, 0));
    QTRY_COMPARE_WITH_TIMEOUT(StationFiles::LogRows(database), QStringList{Probe + "|1|3|-1|4|Studio CAM 3|1"}, 5000);
}

void TestMainWindow::soundToggleAndViewPairs()
{
    m_window = MakeWindow();
    QAction* sound = Action("action_SoundAlarm");
    const QImage on = sound->icon().pixmap(32).toImage();
    QVERIFY(!on.isNull());
    sound->trigger();
    QVERIFY(sound->icon().pixmap(32).toImage() != on);
    sound->trigger();
    QCOMPARE(sound->icon().pixmap(32).toImage(), on);
    QCOMPARE(sound->text(), QString("Sound Alarm"));

    const QList<QPair<const char*, const char*>> pairs{{"actionHide_Device_Nav", "actionShow_Device_Nav"},
                                                       {"actionHide_Cur_Device", "actionShow_Cur_Device"}};
    for (const auto& [hide, show] : pairs) {
        QVERIFY(Action(hide)->isVisible() && !Action(show)->isVisible());
        Action(hide)->trigger();
        QVERIFY(!Action(hide)->isVisible() && Action(show)->isVisible());
        Action(show)->trigger();
        QVERIFY(Action(hide)->isVisible() && !Action(show)->isVisible());
    }
}

void TestMainWindow::exitAsksFirst()
{
    m_window = MakeWindow();
    m_window->show();
    m_confirmAnswer = false;
    Action("actionExit_x")->trigger();
    QVERIFY(m_window->isVisible());
    m_confirmAnswer = true;
    Action("actionExit_x")->trigger();
    QVERIFY(!m_window->isVisible());
}

void TestMainWindow::raisedFaultIsShownAndItsClearingMovesItToHistory()
{
    m_window = MakeWindow();
    m_window->StartMonitoring("127.0.0.1");
    QTRY_COMPARE_WITH_TIMEOUT(SetsTo(m_trapPort), 1, 5000);
    DeviceAlarmListForm* all = m_window->Display()->AllDeviceForm();
    m_probes.Send(Probe + " raise lost bnc:3");
    QTRY_COMPARE_WITH_TIMEOUT(all->SignalAlarmTable()->rowCount(), 1, 5000);
    QCOMPARE(all->SignalAlarmTable()->item(0, 3)->text(), QStringLiteral("Studio CAM 3"));
    m_probes.Send(Probe + " clear lost bnc:3");
    QTRY_COMPARE_WITH_TIMEOUT(all->SignalHistoryTable()->rowCount(), 1, 5000);
    QCOMPARE(all->SignalAlarmTable()->rowCount(), 0);
    QVERIFY(!all->SignalHistoryTable()->item(0, 1)->text().isEmpty());
    Action("actionStop_Monitor")->trigger();
}

void TestMainWindow::logOpensTheBrowserMaximizedOnTheLog()
{
    m_window = MakeWindow();
    m_dialogAnswer = QDialog::Rejected;
    QStringList seen;
    m_openDialog = [&seen](QDialog& dialog) {
        auto* browser = qobject_cast<LogManageDialog*>(&dialog);
        const auto* devices = dialog.findChild<QTableWidget*>("tableWidget_Device");
        if (browser && devices->rowCount() == 1)
            seen << devices->item(0, 0)->text() << devices->item(0, 1)->text();
        if (browser && dialog.findChild<QPushButton*>("pushButton_Search")->isEnabled() &&
            dialog.windowState().testFlag(Qt::WindowMaximized) && dialog.windowTitle() == "Log")
            seen << "ready";
    };
    Action("actionLog")->trigger();
    QCOMPARE(seen, (QStringList{Probe, "Studio", "ready"}));
}

namespace {
// Answers the settings dialog with these values and OK.
std::function<void(QDialog&)> SettingsAnswer(std::function<void(QDialog&)> edit)
{
    return [edit](QDialog& dialog) {
        if (!qobject_cast<SystemConfigDialog*>(&dialog))
            return;
        edit(dialog);
        dialog.findChild<QPushButton*>("pushButton_OK")->click();
    };
}

void SetPort(QDialog& dialog, int port)
{
    dialog.findChild<QSpinBox*>("spinBox_ServerPort")->setValue(port);
}

// Counts the language changes that reach a widget.
class LanguageChangeCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::LanguageChange;
        return false;
    }
};
} // namespace

void TestMainWindow::manageDeviceRedistributesTheDevices()
{
    m_window = MakeWindow();
    m_openDialog = [](QDialog& dialog) {
        if (!qobject_cast<DeviceConfigDialog*>(&dialog))
            return;
        dialog.findChild<QTableWidget*>("tableWidget_device")->setCurrentCell(0, 0);
        dialog.findChild<QLineEdit*>("lineEdit_DeviceName")->setText("Renamed");
        dialog.findChild<QPushButton*>("pushButton_OK")->click();
    };
    // Idle: the file changes, and the display shows no devices until monitoring starts.
    Action("actionManage_Device")->trigger();
    DeviceConfigFile saved;
    QVERIFY(saved.Load(GetDeviceConfigPath()));
    QCOMPARE(saved.FindDevice(Probe)->dev_name(), QString("Renamed"));
    QCOMPARE(m_window->Display()->NavigationTable()->rowCount(), 0);

    // While monitoring every device is registered again, also one that did not change.
    m_window->StartMonitoring("127.0.0.1");
    QTRY_COMPARE_WITH_TIMEOUT(SetsTo(m_trapPort), 1, 5000);
    Action("actionManage_Device")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(SetsTo(m_trapPort), 2, 5000);
    QCOMPARE(m_window->Display()->NavigationTable()->rowCount(), 1);
    Action("actionStop_Monitor")->trigger();
}

void TestMainWindow::settingsWithoutPortOrLanguageChangeKeepMonitoring()
{
    m_window = MakeWindow();
    m_window->StartMonitoring("127.0.0.1");
    QTRY_COMPARE_WITH_TIMEOUT(SetsTo(m_trapPort), 1, 5000);
    LanguageChangeCounter languageChanges;
    m_window->installEventFilter(&languageChanges);
    m_openDialog =
        SettingsAnswer([](QDialog& dialog) { dialog.findChild<QSpinBox*>("spinBox_Sound_Interval")->setValue(10); });
    Action("actionSystem_Config")->trigger();
    SystemConfigFile saved;
    QVERIFY(saved.Load(GetSystemConfigPath()));
    QCOMPARE(saved.sound_period(), 10u);
    QTest::qWait(300);
    QCOMPARE(SetsTo(m_trapPort), 1);
    QCOMPARE(languageChanges.count, 0);
    QVERIFY(m_window->IsMonitoring());
    Action("actionStop_Monitor")->trigger();
}

void TestMainWindow::portChangeTakesEffect_data()
{
    QTest::addColumn<bool>("monitoring");
    QTest::newRow("while monitoring") << true;
    QTest::newRow("idle") << false;
}

void TestMainWindow::portChangeTakesEffect()
{
    QFETCH(bool, monitoring);
    m_window = MakeWindow();
    if (monitoring)
        m_window->StartMonitoring("127.0.0.1");
    const quint16 newPort = FreeUdpPort();
    m_openDialog = SettingsAnswer([newPort](QDialog& dialog) { SetPort(dialog, newPort); });
    Action("actionSystem_Config")->trigger();
    QCOMPARE(m_window->IsMonitoring(), monitoring);
    if (!monitoring) {
        // Only stored: nothing listens on the new port yet.
        QUdpSocket socket;
        QVERIFY(socket.bind(QHostAddress::AnyIPv4, newPort));
        socket.close();
        m_window->StartMonitoring("127.0.0.1");
    }
    QTRY_COMPARE_WITH_TIMEOUT(SetsTo(newPort), 1, 5000);
    QVERIFY(SendLost(newPort, 4, 2));
    QTRY_COMPARE_WITH_TIMEOUT(StationFiles::LogRows(GetLogDatabasePath()),
                              QStringList{Probe + "|1|4|-1|4|Studio CAM 4|0"}, 5000);
    Action("actionStop_Monitor")->trigger();
}

void TestMainWindow::languageSwitchesLive()
{
    const QString lang = QString::fromLocal8Bit(qgetenv("VZ_BUILD_DIR")) + "/lang";
    for (const QString& name : QDir(lang).entryList({"lang_config.xml", "vizavovu_*.qm", "qt*_zh_CN.qm"}))
        QVERIFY(QFile::copy(lang + "/" + name, m_appDir->filePath("lang/" + name)));
    m_window = MakeWindow();
    auto chooseLanguage = [](const QString& name) {
        return SettingsAnswer([name](QDialog& dialog) {
            auto* languages = dialog.findChild<QComboBox*>("comboBox_Language");
            languages->setCurrentIndex(languages->findData(name));
        });
    };
    m_openDialog = chooseLanguage(QStringLiteral("简体中文"));
    Action("actionSystem_Config")->trigger();
    QCOMPARE(Action("actionManage_Device")->text(), QStringLiteral("设备管理"));
    m_openDialog = chooseLanguage(QStringLiteral("English"));
    Action("actionSystem_Config")->trigger();
    QCOMPARE(Action("actionManage_Device")->text(), QStringLiteral("Manage Device"));
}

void TestMainWindow::backupAsksBeforeOverwritingAndWaitsForIdle()
{
    QTemporaryDir outside;
    m_directoryAnswer = outside.path();
    m_window = MakeWindow();
    Action("actionExport_Config")->trigger();
    // The log is open from the start, so alarm.db is there too.
    QCOMPARE(m_warnings, QStringList{"Export success! export 3 file(s)"});
    QVERIFY(m_questions.isEmpty());
    const QString folder = ConfigBackup::FolderFor(outside.path(), QDate::currentDate());
    QVERIFY(WriteFile(folder + "/device_config.xml", "kept"));
    m_confirmAnswer = false;
    Action("actionExport_Config")->trigger();
    QCOMPARE(m_questions, QStringList{"Some config file have been exist, Do you want to overwrite them?"});
    QCOMPARE(ReadFile(folder + "/device_config.xml"), QByteArray("kept"));
    QCOMPARE(m_warnings.size(), 1);

    m_window->StartMonitoring("127.0.0.1");
    m_window->OnExportConfig();
    m_window->OnImportConfig();
    QCOMPARE(m_directoryQuestions, 2);
    Action("actionStop_Monitor")->trigger();

    m_directoryAnswer = folder;
    Action("actionImport_Config")->trigger();
    QCOMPARE(m_warnings.last(), QString("Import success! import 3 file(s)"));
    QCOMPARE(ReadFile(GetDeviceConfigPath()), QByteArray("kept"));
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
