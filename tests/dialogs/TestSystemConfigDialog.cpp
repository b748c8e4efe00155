#include "AppDirTest.h"
#include "FileText.h"
#include "RecordingPrompts.h"
#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"
#include "dialogs/SystemConfigDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

// The settings dialog on a real system_config.xml.
class TestSystemConfigDialog : public AppDirTest
{
    Q_OBJECT

private slots:
    void fileValuesShownAndWritten_data();
    void fileValuesShownAndWritten();
    void okWithoutChangesRewritesTheSameFile();
    void cancelAndFailedSaveWriteNothing();

private:
    DialogPrompts Prompts() { return m_operator.Answer<DialogPrompts>(); }

    RecordingPrompts m_operator;
};

void TestSystemConfigDialog::fileValuesShownAndWritten_data()
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

void TestSystemConfigDialog::fileValuesShownAndWritten()
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

void TestSystemConfigDialog::okWithoutChangesRewritesTheSameFile()
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

void TestSystemConfigDialog::cancelAndFailedSaveWriteNothing()
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

QTEST_MAIN(TestSystemConfigDialog)
#include "TestSystemConfigDialog.moc"
