#include "AppDirTest.h"
#include "FileText.h"
#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "RecordingPrompts.h"
#include "StationFiles.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/DeviceListCsv.h"
#include "config/DevicePorts.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"
#include "dialogs/AddDeviceDialog.h"
#include "dialogs/DeviceConfigDialog.h"
#include "dialogs/FindDevicesDialog.h"
#include "dialogs/SystemConfigDialog.h"
#include "dialogs/TimeRangeWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>

// The device and system settings dialogs driven through their widgets, on real configuration files.
class TestSettingsDialogs : public AppDirTest
{
    Q_OBJECT

private slots:
    void init();
    void addressCheck_data();
    void addressCheck();
    void duplicateAddressIsRefused();
    void newDeviceRowsAndNullRange();
    void portsAfterAGapAreNeitherShownNorChanged();
    void editsSurviveSwitchingAndCancelDiscardsThem();
    void deletingTheCurrentDeviceClearsThePorts();
    void failedDeviceSaveKeepsTheDialogOpen();
    void csvImportReplacesTheListOnlyWhenRightAndExportWritesIt();
    void foundProbesAreAddedAsAddAddsThem();
    void systemFileValuesShownAndWritten_data();
    void systemFileValuesShownAndWritten();
    void okWithoutChangesRewritesTheSameSystemFile();
    void cancelAndFailedSaveWriteNothing();

private:
    DialogPrompts Prompts() { return m_operator.Answer<DialogPrompts>(); }
    // Adds a device through Add, answering the AddDeviceDialog with this address.
    void Add(DeviceConfigDialog& dialog, const QString& ip);
    static QTableWidget* Table(QDialog& dialog, const char* name) { return dialog.findChild<QTableWidget*>(name); }
    static QString Cell(QTableWidget* table, int row, int column);
    static DeviceConfigFile Saved();

    RecordingPrompts m_operator;
};

void TestSettingsDialogs::init()
{
    AppDirTest::init();
    m_operator = RecordingPrompts();
}

void TestSettingsDialogs::Add(DeviceConfigDialog& dialog, const QString& ip)
{
    m_operator.dialogAnswer = [ip](QDialog& add) {
        add.findChild<QLineEdit*>("lineEdit_IP")->setText(ip);
        add.findChild<QLineEdit*>("lineEdit_DeviceName")->setText("New");
        Click(add, "pushButton_OK");
        return add.result();
    };
    Click(dialog, "pushButton_AddDevice");
}

QString TestSettingsDialogs::Cell(QTableWidget* table, int row, int column)
{
    return table->item(row, column) ? table->item(row, column)->text() : QString();
}

DeviceConfigFile TestSettingsDialogs::Saved()
{
    DeviceConfigFile config;
    config.Load(GetDeviceConfigPath());
    return config;
}

void TestSettingsDialogs::addressCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // empty: refused with a warning
    QTest::newRow("broadcast") << "10.0.0.255"
                               << "";
    QTest::newRow("incomplete") << "10.0.0"
                                << "";
    QTest::newRow("last 254") << "10.0.0.254"
                              << "10.0.0.254";
    QTest::newRow("first 255") << "255.255.255.1"
                               << "255.255.255.1";
    QTest::newRow("leading zeros") << "10.00.0.01"
                                   << "10.0.0.1";
}

void TestSettingsDialogs::addressCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    AddDeviceDialog dialog(Prompts());
    dialog.findChild<QLineEdit*>("lineEdit_IP")->setText(typed);
    Click(dialog, "pushButton_OK");
    QCOMPARE(dialog.result() == QDialog::Accepted, !stored.isEmpty());
    QCOMPARE(dialog.GetIP(), stored);
    QCOMPARE(m_operator.said.size(), stored.isEmpty() ? 1 : 0);
}

void TestSettingsDialogs::duplicateAddressIsRefused()
{
    StationFiles::WriteDevices({{"10.0.0.1", "A"}});
    DeviceConfigDialog dialog(Prompts());
    Add(dialog, "10.0.0.01");
    QCOMPARE(m_operator.said.size(), 1);
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 1);
}

void TestSettingsDialogs::newDeviceRowsAndNullRange()
{
    DeviceConfigDialog dialog(Prompts());
    Add(dialog, "10.0.0.9");
    QTableWidget* bnc = Table(dialog, "tableWidget_BNC");
    QCOMPARE(bnc->rowCount(), 16);
    // The last port's name, its all-day first range, no second range, and only the first two tracks monitored.
    QCOMPARE((QStringList{Cell(bnc, 15, 0), Cell(bnc, 15, 8), Cell(bnc, 15, 9), Cell(bnc, 15, 12)}),
             (QStringList{"BNC 16", "00:00:00 - 23:59:59", " - ", ""}));
    // "Time Rang 2" of BNC 1 edited in place: a range, then both times equal, which is no range at all.
    const QModelIndex range2 = bnc->model()->index(0, 9);
    bnc->openPersistentEditor(bnc->item(0, 9));
    auto* editor = qobject_cast<TimeRangeWidget*>(bnc->indexWidget(range2));
    QVERIFY(editor);
    auto* start = editor->findChild<QTimeEdit*>("timeEdit_1");
    auto* end = editor->findChild<QTimeEdit*>("timeEdit_2");
    end->setTime(QTime(12, 0));
    QCOMPARE(bnc->item(0, 9)->text(), QString("00:00:00 - 12:00:00"));
    start->setTime(QTime(13, 0));
    QCOMPARE(end->time(), QTime(13, 0));
    QCOMPARE(bnc->item(0, 9)->text(), QString(" - "));
    // A click on the time-range cell leaves it; a click on CH1 unticks the track.
    emit bnc->clicked(range2);
    emit bnc->clicked(bnc->model()->index(0, 10));
    bnc->closePersistentEditor(bnc->item(0, 9));

    Click(dialog, "pushButton_OK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const DeviceConfigFile saved = Saved();
    const DeviceConfigNode* device = saved.FindDevice("10.0.0.9");
    QVERIFY(device);
    QCOMPARE(device->dev_name(), QString("New"));
    QCOMPARE(device->Ports().size(), 18);
    PortConfigNode port;
    QVERIFY(device->GetBncPort(0, port));
    QCOMPARE(port.track_mask(), 2u);
    QVERIFY(port.start_time2().isNull() && port.end_time2().isNull());
    QVERIFY(device->GetAesPort(0, port) && !port.alarm());
}

void TestSettingsDialogs::portsAfterAGapAreNeitherShownNorChanged()
{
    StationFiles::WriteDevices({{"10.0.0.1", "A"}});
    DeviceConfigFile config = Saved();
    DeviceConfigNode* device = config.FindDevice("10.0.0.1");
    QVERIFY(device->FindPort("BNC 5"));
    DeviceConfigNode gap(device->ip(), device->dev_name());
    for (const PortConfigNode* port : device->Ports()) {
        if (port->name() != "BNC 5")
            gap.AddPort(*port);
    }
    config.UpdateDevice(gap);
    QVERIFY(config.Save(GetDeviceConfigPath()));

    DeviceConfigDialog dialog(Prompts());
    QTableWidget* bnc = Table(dialog, "tableWidget_BNC");
    Table(dialog, "tableWidget_device")->setCurrentCell(0, 0);
    QCOMPARE(bnc->rowCount(), 4);
    bnc->item(0, 1)->setText("Renamed");
    Click(dialog, "pushButton_OK");
    PortConfigNode port;
    QVERIFY(Saved().FindDevice("10.0.0.1")->GetBncPort(0, port));
    QCOMPARE(port.signal_name(), QString("Renamed"));
    QVERIFY(!Saved().FindDevice("10.0.0.1")->GetBncPort(4, port));
    QVERIFY(Saved().FindDevice("10.0.0.1")->GetBncPort(5, port));
    QCOMPARE(port.signal_name(), QString("A CAM 6"));
    QCOMPARE(port.track_mask(), 0xFFFFFFFFu);
}

void TestSettingsDialogs::editsSurviveSwitchingAndCancelDiscardsThem()
{
    StationFiles::WriteDevices({{"10.0.0.1", "A"}, {"10.0.0.2", "B"}});
    const QByteArray before = ReadFile(GetDeviceConfigPath());
    for (const char* button : {"pushButton_Cancel", "pushButton_OK"}) {
        DeviceConfigDialog dialog(Prompts());
        QTableWidget* devices = Table(dialog, "tableWidget_device");
        QTableWidget* analog = Table(dialog, "tableWidget_Analog");
        devices->setCurrentCell(0, 0);
        dialog.findChild<QLineEdit*>("lineEdit_DeviceName")->setText("A2");
        devices->setCurrentCell(1, 0);
        emit analog->clicked(analog->model()->index(0, 3));
        devices->setCurrentCell(0, 0);
        QCOMPARE(dialog.findChild<QLineEdit*>("lineEdit_DeviceName")->text(), QString("A2"));
        devices->setCurrentCell(1, 0);
        QCOMPARE(Cell(analog, 0, 3), QString());
        Click(dialog, button);
        if (QByteArray(button) == "pushButton_Cancel")
            QCOMPARE(ReadFile(GetDeviceConfigPath()), before);
    }
    const DeviceConfigFile saved = Saved();
    QCOMPARE(saved.FindDevice("10.0.0.1")->dev_name(), QString("A2"));
    PortConfigNode port;
    QVERIFY(saved.FindDevice("10.0.0.2")->GetAnalogPort(0, port));
    QCOMPARE(port.alarm_type_mask(), ~quint32(8));
}

void TestSettingsDialogs::deletingTheCurrentDeviceClearsThePorts()
{
    StationFiles::WriteDevices({{"10.0.0.1", "A"}});
    DeviceConfigDialog dialog(Prompts());
    Table(dialog, "tableWidget_device")->setCurrentCell(0, 0);
    m_operator.confirmAnswer = false;
    Click(dialog, "pushButton_DeleteDevice");
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 1);
    m_operator.confirmAnswer = true;
    Click(dialog, "pushButton_DeleteDevice");
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 0);
    for (const char* name : {"tableWidget_BNC", "tableWidget_Analog", "tableWidget_Aes_ebu"})
        QCOMPARE(Table(dialog, name)->rowCount(), 0);
    QVERIFY(dialog.findChild<QLineEdit*>("lineEdit_IP")->text().isEmpty());
    Click(dialog, "pushButton_OK");
    QVERIFY(Saved().Devices().isEmpty());
}

void TestSettingsDialogs::failedDeviceSaveKeepsTheDialogOpen()
{
    DeviceConfigDialog dialog(Prompts());
    Add(dialog, "10.0.0.9");
    // A directory where the file should be: nothing can be written there.
    QVERIFY(QDir().mkpath(GetDeviceConfigPath()));
    Click(dialog, "pushButton_OK");
    QCOMPARE(m_operator.said.size(), 1);
    QVERIFY(dialog.result() != QDialog::Accepted);
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 1);

    QVERIFY(QDir().rmdir(GetDeviceConfigPath()));
    Click(dialog, "pushButton_OK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(Saved().FindDevice("10.0.0.9"));
}

void TestSettingsDialogs::csvImportReplacesTheListOnlyWhenRightAndExportWritesIt()
{
    StationFiles::WriteDevices({{"10.0.0.1", "A"}});
    const QByteArray before = ReadFile(GetDeviceConfigPath());
    const QString csv = m_appDir->filePath("devices.csv");
    DialogPrompts prompts = Prompts();
    prompts.saveFileName = [csv](QWidget*, const QString&, const QString&, const QString&, QString*) { return csv; };
    prompts.openFileName = [csv](QWidget*, const QString&, const QString&) { return csv; };
    DeviceConfigDialog dialog(prompts);
    QTableWidget* devices = Table(dialog, "tableWidget_device");
    devices->setCurrentCell(0, 0);
    dialog.findChild<QLineEdit*>("lineEdit_DeviceName")->setText("A on screen");
    Click(dialog, "pushButton_ExportCsv");
    QVERIFY(ReadFile(csv).contains("\r\n10.0.0.1,A on screen,BNC 1,"));

    QVERIFY(WriteFile(csv, ReadFile(csv) + "10.0.0.2,B,BNC 17,,yes,,,,\r\n"));
    Click(dialog, "pushButton_ImportCsv");
    QCOMPARE(devices->rowCount(), 1);
    QVERIFY2(m_operator.said.last().contains("Line 20, column 3 (Port)"), qPrintable(m_operator.said.last()));

    QVERIFY(WriteFile(csv, DeviceListCsv::Header() + QByteArray("\r\n10.0.0.3,C,BNC 1,,no,,,,\r\n"
                                                                "10.0.0.2,B,AES/EBU 1,,yes,,,,\r\n")));
    Click(dialog, "pushButton_ImportCsv");
    QCOMPARE(Cell(devices, 0, 0) + " " + Cell(devices, 1, 0), QString("10.0.0.3 10.0.0.2"));
    QCOMPARE(ReadFile(GetDeviceConfigPath()), before);
    Click(dialog, "pushButton_OK");
    QCOMPARE(Saved().Devices().size(), 2);
    PortConfigNode port;
    QVERIFY(Saved().FindDevice("10.0.0.2")->GetAesPort(0, port) && port.alarm());
}

void TestSettingsDialogs::foundProbesAreAddedAsAddAddsThem()
{
    const quint16 port = FreeUdpPort("127.0.4.2");
    qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(port));
    ProbeSimProcess probes;
    QVERIFY2(probes.Start({"127.0.4.2-4"}, port, false, {"-n", "Studio %n"}), qPrintable(probes.ErrorString()));
    StationFiles::WriteDevices({{"127.0.4.3", "Known"}});
    DeviceConfigDialog dialog(Prompts());
    QString configuredRow;
    m_operator.dialogAnswer = [&configuredRow](QDialog& dialog) {
        auto& find = dynamic_cast<FindDevicesDialog&>(dialog);
        find.findChild<QLineEdit*>("lineEdit_Ranges")->setText("127.0.4.1-127.0.4.5");
        find.findChild<QPushButton*>("pushButton_Find")->click();
        QTableWidget* found = Table(find, "tableWidget_found");
        if (!QTest::qWaitFor([&] { return !find.IsSearching() && found->rowCount() == 3; }, 10000))
            return int(QDialog::Rejected);
        configuredRow = Cell(found, 1, 0) + " " + Cell(found, 1, 2);
        found->item(2, 1)->setText("Renamed");
        found->selectAll();
        find.findChild<QPushButton*>("pushButton_AddSelected")->click();
        return find.result();
    };
    Click(dialog, "pushButton_FindDevices");
    QCOMPARE(configuredRow, QString("127.0.4.3 already configured"));
    QTableWidget* devices = Table(dialog, "tableWidget_device");
    QCOMPARE(devices->rowCount(), 3);
    QCOMPARE(dialog.findChild<QLineEdit*>("lineEdit_DeviceName")->text(), QString("Renamed"));
    Click(dialog, "pushButton_OK");
    const DeviceConfigFile saved = Saved();
    const DeviceConfigNode* added = saved.FindDevice("127.0.4.2");
    QVERIFY(added);
    QCOMPARE(added->dev_name(), QString("Studio 1"));
    DeviceConfigFile expected;
    expected.AddDevice(DevicePorts::NewDevice("127.0.4.2", "Studio 1"));
    DeviceConfigFile got;
    got.AddDevice(*added);
    QVERIFY(expected.Save(m_appDir->filePath("expected.xml")) && got.Save(m_appDir->filePath("got.xml")));
    QCOMPARE(ReadFile(m_appDir->filePath("got.xml")), ReadFile(m_appDir->filePath("expected.xml")));
}

void TestSettingsDialogs::systemFileValuesShownAndWritten_data()
{
    QTest::addColumn<QByteArray>("elements");
    QTest::addColumn<QString>("shownLanguage");
    // The values written by OK: sound_period, log_save_time, language, say_alarm_type.
    QTest::addColumn<QStringList>("written");
    QTest::newRow("lower-case language") << QByteArray("<language>english</language>") << "English"
                                         << QStringList{"30", "30", "English", "true"};
    // Not offered by the dialog, but kept: a hand-edited language is not wiped by an unrelated change.
    QTest::newRow("unknown language") << QByteArray("<language>Deutsch</language>") << ""
                                      << QStringList{"30", "30", "Deutsch", "true"};
    QTest::newRow("clamped") << QByteArray("<sound_period>500</sound_period><log_save_time>0</log_save_time>"
                                           "<language>简体中文</language><say_alarm_type>false</say_alarm_type>")
                             << "简体中文" << QStringList{"300", "1", "简体中文", "false"};
    QTest::newRow("missing file") << QByteArray() << "English" << QStringList{"30", "30", "English", "false"};
}

void TestSettingsDialogs::systemFileValuesShownAndWritten()
{
    QFETCH(QByteArray, elements);
    QFETCH(QString, shownLanguage);
    QFETCH(QStringList, written);
    if (!elements.isEmpty())
        QVERIFY(WriteFile(GetSystemConfigPath(),
                          "<?xml version=\"1.0\"?><system_config version=\"1\">" + elements + "</system_config>"));
    SystemConfigDialog dialog(Prompts());
    QCOMPARE(dialog.findChild<QComboBox*>("comboBox_Language")->currentText(), shownLanguage);
    // Each check box says the opposite of its setting.
    QCOMPARE(dialog.findChild<QCheckBox*>("checkBox_dontSayAlarmType")->isChecked(), written[3] == "false");
    Click(dialog, "pushButton_OK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    SystemConfigFile saved;
    QVERIFY(saved.Load(GetSystemConfigPath()));
    QCOMPARE((QStringList{QString::number(saved.sound_period()), QString::number(saved.log_save_time()),
                          saved.language(), saved.say_alarm_type() ? "true" : "false"}),
             written);
}

void TestSettingsDialogs::okWithoutChangesRewritesTheSameSystemFile()
{
    SystemConfigFile config;
    config.SetServerPort(4000);
    config.SetSpeechRate(-3);
    config.SetSayAlarmNormal(true);
    config.SetLanguage(QStringLiteral("繁體中文"));
    QVERIFY(config.Save(GetSystemConfigPath()));
    const QByteArray before = ReadFile(GetSystemConfigPath());
    SystemConfigDialog dialog(Prompts());
    Click(dialog, "pushButton_OK");
    QCOMPARE(ReadFile(GetSystemConfigPath()), before);
}

void TestSettingsDialogs::cancelAndFailedSaveWriteNothing()
{
    SystemConfigFile().Save(GetSystemConfigPath());
    const QByteArray before = ReadFile(GetSystemConfigPath());
    {
        SystemConfigDialog dialog(Prompts());
        dialog.findChild<QSpinBox*>("spinBox_ServerPort")->setValue(5000);
        Click(dialog, "pushButton_Cancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ReadFile(GetSystemConfigPath()), before);
    }

    SystemConfigDialog dialog(Prompts());
    dialog.findChild<QSpinBox*>("spinBox_ServerPort")->setValue(5000);
    QVERIFY(QFile::remove(GetSystemConfigPath()) && QDir().mkpath(GetSystemConfigPath()));
    Click(dialog, "pushButton_OK");
    QCOMPARE(m_operator.said.size(), 1);
    QVERIFY(dialog.result() != QDialog::Accepted);
    QCOMPARE(dialog.findChild<QSpinBox*>("spinBox_ServerPort")->value(), 5000);
}

QTEST_MAIN(TestSettingsDialogs)
#include "TestSettingsDialogs.moc"
