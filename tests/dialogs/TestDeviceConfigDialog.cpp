#include "FileText.h"
#include "StationFiles.h"
#include "TempAppDir.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "dialogs/AddDeviceDialog.h"
#include "dialogs/DeviceConfigDialog.h"
#include "dialogs/TimeRangeWidget.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>

namespace {
const QString Tick = QStringLiteral("√");
}

// The device dialog driven through its widgets, on a real device_config.xml.
class TestDeviceConfigDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addressCheck_data();
    void addressCheck();
    void duplicateAddressIsRefused();
    void newDeviceRowsAndNullRange();
    void portsAfterAGapAreNeitherShownNorChanged();
    void editsSurviveSwitchingAndCancelDiscardsThem();
    void deletingTheCurrentDeviceClearsThePorts();
    void failedSaveKeepsTheDialogOpen();

private:
    DialogPrompts Prompts();
    // Adds a device through Add, answering the AddDeviceDialog with this address.
    void Add(DeviceConfigDialog& dialog, const QString& ip);
    static QTableWidget* Table(QDialog& dialog, const char* name) { return dialog.findChild<QTableWidget*>(name); }
    static void Click(QDialog& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }
    static QStringList RowTexts(QTableWidget* table, int row);
    static DeviceConfigFile Saved();

    std::unique_ptr<TempAppDir> m_appDir;
    QStringList m_warnings;
    bool m_confirm = true;
    QString m_addIp;
};

void TestDeviceConfigDialog::init()
{
    m_appDir = std::make_unique<TempAppDir>();
    m_warnings.clear();
    m_confirm = true;
}

void TestDeviceConfigDialog::cleanup()
{
    m_appDir.reset();
}

DialogPrompts TestDeviceConfigDialog::Prompts()
{
    DialogPrompts prompts;
    prompts.runDialog = [this](QDialog& dialog) {
        if (qobject_cast<AddDeviceDialog*>(&dialog)) {
            dialog.findChild<QLineEdit*>("lineEdit_IP")->setText(m_addIp);
            dialog.findChild<QLineEdit*>("lineEdit_DeviceName")->setText("New");
            Click(dialog, "pushButton_OK");
        }
        return dialog.result();
    };
    prompts.notify = [this](QMessageBox::Icon, QWidget*, const QString& title, const QString& text) {
        m_warnings << title + ": " + text;
    };
    prompts.confirm = [this](QWidget*, const QString&, const QString&) { return m_confirm; };
    return prompts;
}

void TestDeviceConfigDialog::Add(DeviceConfigDialog& dialog, const QString& ip)
{
    m_addIp = ip;
    Click(dialog, "pushButton_AddDevice");
}

QStringList TestDeviceConfigDialog::RowTexts(QTableWidget* table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

DeviceConfigFile TestDeviceConfigDialog::Saved()
{
    DeviceConfigFile config;
    config.Load(GetDeviceConfigPath());
    return config;
}

void TestDeviceConfigDialog::addressCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
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

void TestDeviceConfigDialog::addressCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    AddDeviceDialog dialog(Prompts());
    dialog.findChild<QLineEdit*>("lineEdit_IP")->setText(typed);
    Click(dialog, "pushButton_OK");
    QCOMPARE(dialog.result() == QDialog::Accepted, !stored.isEmpty());
    QCOMPARE(dialog.GetIP(), stored);
    QCOMPARE(m_warnings, stored.isEmpty() ? QStringList{"Warn: IP address is invalid !"} : QStringList());
}

void TestDeviceConfigDialog::duplicateAddressIsRefused()
{
    StationFiles::WriteDevices({{"10.0.0.1", "A"}});
    DeviceConfigDialog dialog(Prompts());
    Add(dialog, "10.0.0.01");
    QCOMPARE(m_warnings, QStringList{"Warn: 10.0.0.1 has been existed"});
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 1);
}

void TestDeviceConfigDialog::newDeviceRowsAndNullRange()
{
    DeviceConfigDialog dialog(Prompts());
    Add(dialog, "10.0.0.9");
    QVERIFY(m_warnings.isEmpty());
    QCOMPARE(dialog.findChild<QLineEdit*>("lineEdit_IP")->text(), QString("10.0.0.9"));
    QTableWidget* bnc = Table(dialog, "tableWidget_BNC");
    QCOMPARE(bnc->rowCount(), 16);
    QStringList expected{"BNC 16", "", Tick, Tick, Tick, Tick, Tick, Tick, "00:00:00 - 23:59:59", " - ", Tick, Tick};
    for (int track = 3; track <= 8; ++track)
        expected << QString();
    QCOMPARE(RowTexts(bnc, 15), expected);
    for (const char* name : {"tableWidget_Analog", "tableWidget_Aes_ebu"}) {
        QCOMPARE(Table(dialog, name)->rowCount(), 1);
        QCOMPARE(Table(dialog, name)->item(0, 2)->text(), QString());
    }

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
    const QByteArray xml = ReadFile(GetDeviceConfigPath());
    QVERIFY(xml.contains("<start_time2></start_time2>") || xml.contains("<start_time2/>"));
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

void TestDeviceConfigDialog::portsAfterAGapAreNeitherShownNorChanged()
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

void TestDeviceConfigDialog::editsSurviveSwitchingAndCancelDiscardsThem()
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
        QCOMPARE(analog->item(0, 3)->text(), QString());
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

void TestDeviceConfigDialog::deletingTheCurrentDeviceClearsThePorts()
{
    StationFiles::WriteDevices({{"10.0.0.1", "A"}});
    DeviceConfigDialog dialog(Prompts());
    Table(dialog, "tableWidget_device")->setCurrentCell(0, 0);
    m_confirm = false;
    Click(dialog, "pushButton_DeleteDevice");
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 1);
    m_confirm = true;
    Click(dialog, "pushButton_DeleteDevice");
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 0);
    for (const char* name : {"tableWidget_BNC", "tableWidget_Analog", "tableWidget_Aes_ebu"})
        QCOMPARE(Table(dialog, name)->rowCount(), 0);
    QVERIFY(dialog.findChild<QLineEdit*>("lineEdit_IP")->text().isEmpty());
    Click(dialog, "pushButton_OK");
    QVERIFY(Saved().Devices().isEmpty());
}

void TestDeviceConfigDialog::failedSaveKeepsTheDialogOpen()
{
    DeviceConfigDialog dialog(Prompts());
    Add(dialog, "10.0.0.9");
    // A directory where the file should be: nothing can be written there.
    QVERIFY(QDir().mkpath(GetDeviceConfigPath()));
    Click(dialog, "pushButton_OK");
    QCOMPARE(m_warnings.size(), 1);
    QVERIFY2(m_warnings[0].startsWith("Warn: "), qPrintable(m_warnings[0]));
    QVERIFY(dialog.result() != QDialog::Accepted);
    QCOMPARE(Table(dialog, "tableWidget_device")->rowCount(), 1);

    QVERIFY(QDir().rmdir(GetDeviceConfigPath()));
    Click(dialog, "pushButton_OK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(Saved().FindDevice("10.0.0.9"));
}

QTEST_MAIN(TestDeviceConfigDialog)
#include "TestDeviceConfigDialog.moc"
