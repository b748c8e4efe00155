#include "FileText.h"
#include "TempAppDir.h"
#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"
#include "config/SystemConfigManager.h"

#include <QtTest>

class TestSystemConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenFileHasFixedLayoutAndReadsBackUnchanged();
    void resetWritesDefaultsWithTheSystemLanguageAndKeepsUnreadableFile();
    void languageFollowsTheChineseRegion_data();
    void languageFollowsTheChineseRegion();
};

void TestSystemConfigFile::writtenFileHasFixedLayoutAndReadsBackUnchanged()
{
    TempAppDir dir;
    SystemConfigFile config;
    config.SetSoundPeriod(4000000000u);
    config.SetMaxHistory(7);
    config.SetLanguage(QStringLiteral("繁體中文"));
    config.SetSayAlarmNormal(true);
    config.SetSpeechRate(-3);
    config.SetSayOutdatedAlarm(false);
    QVERIFY(config.Save(GetSystemConfigPath()));
    const QByteArray text = ReadFile(GetSystemConfigPath());
    QCOMPARE(QString::fromUtf8(text), QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                                     "<system_config version=\"1\">\n"
                                                     "    <sound_period>4000000000</sound_period>\n"
                                                     "    <max_history>7</max_history>\n"
                                                     "    <log_save_time>30</log_save_time>\n"
                                                     "    <language>繁體中文</language>\n"
                                                     "    <server_port>3703</server_port>\n"
                                                     "    <say_alarm_normal>true</say_alarm_normal>\n"
                                                     "    <say_alarm_type>false</say_alarm_type>\n"
                                                     "    <speech_rate>-3</speech_rate>\n"
                                                     "    <say_outdated_alarm>false</say_outdated_alarm>\n"
                                                     "</system_config>\n"));

    SystemConfigFile loaded;
    QVERIFY(loaded.Load(GetSystemConfigPath()));
    QCOMPARE(loaded.language(), QStringLiteral("繁體中文"));
    QCOMPARE(loaded.speech_rate(), -3);
    QVERIFY(loaded.Save(GetSystemConfigPath()));
    QCOMPARE(ReadFile(GetSystemConfigPath()), text);
    QVERIFY(!loaded.latch_ended_alarms());

    loaded.SetLatchEndedAlarms(true);
    QVERIFY(loaded.Save(GetSystemConfigPath()));
    QVERIFY(ReadFile(GetSystemConfigPath()).contains("    <latch_ended_alarms>true</latch_ended_alarms>\n</system"));
    QVERIFY(config.Load(GetSystemConfigPath()) && config.latch_ended_alarms());
}

void TestSystemConfigFile::resetWritesDefaultsWithTheSystemLanguageAndKeepsUnreadableFile()
{
    TempAppDir dir;
    SystemConfigFile config;
    config.SetServerPort(1);
    SystemConfigManager::GetConfig(config);
    QCOMPARE(config.server_port(), 3703u);
    QCOMPARE(config.language(), SystemConfigManager::LanguageForLocale(QLocale::system()));
    SystemConfigFile written;
    QVERIFY(written.Load(GetSystemConfigPath()));
    QCOMPARE(written.server_port(), 3703u);
    QCOMPARE(written.say_alarm_type(), false);
    QCOMPARE(written.language(), config.language());

    const QByteArray wrongRoot("<device_config version=\"1\"/>");
    QVERIFY(WriteFile(GetSystemConfigPath(), wrongRoot));
    config.SetServerPort(1);
    SystemConfigManager::GetConfig(config);
    QCOMPARE(config.server_port(), 3703u);
    const QStringList kept = QDir(GetConfigDir()).entryList({"system_config.xml.unreadable-*"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(ReadFile(GetConfigDir() + "/" + kept[0]), wrongRoot);
    QVERIFY(written.Load(GetSystemConfigPath()));
}

void TestSystemConfigFile::languageFollowsTheChineseRegion_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("0x0804 mainland China") << QLocale(QLocale::Chinese, QLocale::China) << "简体中文";
    QTest::newRow("0x0404 Taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan) << "繁體中文";
    QTest::newRow("0x0C04 Hong Kong") << QLocale(QLocale::Chinese, QLocale::HongKong) << "繁體中文";
    QTest::newRow("0x1404 Macau") << QLocale(QLocale::Chinese, QLocale::Macau) << "繁體中文";
    QTest::newRow("0x1004 Singapore") << QLocale(QLocale::Chinese, QLocale::Singapore) << "English";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "English";
    QTest::newRow("C") << QLocale::c() << "English";
}

void TestSystemConfigFile::languageFollowsTheChineseRegion()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, language);
    QCOMPARE(SystemConfigManager::LanguageForLocale(locale), language);
}

QTEST_GUILESS_MAIN(TestSystemConfigFile)
#include "TestSystemConfigFile.moc"
