#include "AppDirTest.h"
#include "BuildPath.h"
#include "FileText.h"
#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigManager.h"
#include "config/DeviceConfigNode.h"
#include "config/LanguageConfig.h"
#include "config/LanguageConfigFile.h"
#include "config/LanguageConfigNode.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"
#include "config/SystemConfigManager.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <utility>

// The device, system and language files, and through them the file framework they share.
class TestConfigFiles : public AppDirTest
{
    Q_OBJECT

private slots:
    void deviceFileReadsBackByteIdentical();
    void systemFileReadsBackByteIdentical();
    void unreadableFileIsKeptAsideBeforeTheReset_data();
    void unreadableFileIsKeptAsideBeforeTheReset();
    void missingSystemFileIsWrittenWithDefaults();
    void languageFollowsTheChineseRegion_data();
    void languageFollowsTheChineseRegion();
    void oldPairLayoutOfTrackMaskIsConverted();
    void timeRangesAreKeptOnlyWhenCompleteAndOrdered_data();
    void timeRangesAreKeptOnlyWhenCompleteAndOrdered();
    void copiesAreDeep();
    void failedSaveLeavesOldFile_data();
    void failedSaveLeavesOldFile();
    void saveThatRunsOutOfSpaceLeavesOldFile();
    void missingWordsFallBackAndVoiceStaysOptional();
    void brokenLanguageFileIsReportedAndLeftUntouched();
    void shippedLanguagesInstallBothTranslators_data();
    void shippedLanguagesInstallBothTranslators();
};

// Loads a file holding one device with one port element made of the given attributes and children.
static PortConfigNode LoadPort(const QString& attributes, const QString& children)
{
    WriteFile(GetDeviceConfigPath(),
              QStringLiteral("<device_config><device ip=\"10.0.0.7\"><port name=\"BNC 1\" %1>%2</port>"
                             "</device></device_config>")
                  .arg(attributes, children)
                  .toUtf8());
    DeviceConfigFile config;
    if (!config.Load(GetDeviceConfigPath()) || config.Devices().size() != 1 || config.Devices()[0]->Ports().size() != 1)
        return PortConfigNode();
    return *config.Devices()[0]->Ports()[0];
}

static DeviceConfigFile ManyDevices(int count)
{
    DeviceConfigFile config;
    for (int i = 0; i < count; ++i)
        config.AddDevice(DeviceConfigNode(QStringLiteral("10.0.1.%1").arg(i), QStringLiteral("Device %1").arg(i)));
    return config;
}

// The file config writes, and the file that a fresh object writes after loading it.
template <class File> std::pair<QByteArray, QByteArray> WrittenAndRewritten(File& config, const QString& path)
{
    if (!config.Save(path))
        return {};
    const QByteArray written = ReadFile(path);
    File loaded;
    if (!loaded.Load(path) || !loaded.Save(path))
        return {written, QByteArray()};
    return {written, ReadFile(path)};
}

void TestConfigFiles::deviceFileReadsBackByteIdentical()
{
    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QStringLiteral("演播室 \"A\""));
    device.SetBncPort(0, PortConfigNode());
    PortConfigNode port;
    port.SetSignalName(QStringLiteral("News & <HD>"));
    port.SetAlarm(false);
    port.SetAlarmTypeMask(~quint32(8));
    port.SetTrackMask(0x80000001);
    port.SetTimeRange1(QTime(8, 0), QTime(12, 0));
    port.SetTimeRange2(QTime(13, 30), QTime(23, 59, 59));
    device.SetAesPort(0, port);
    DeviceConfigFile config;
    config.AddDevice(device);
    const auto [written, rewritten] = WrittenAndRewritten(config, GetDeviceConfigPath());
    QVERIFY(!written.isEmpty());
    QCOMPARE(rewritten, written);
    QVERIFY(written.contains("<device dev_name=\"演播室 &quot;A&quot;\" ip=\"10.0.0.7\">"));
    QVERIFY(written.contains("<signal_name>News &amp; &lt;HD&gt;</signal_name>"));
}

void TestConfigFiles::systemFileReadsBackByteIdentical()
{
    SystemConfigFile config;
    config.SetSoundPeriod(4000000000u);
    config.SetMaxHistory(7);
    config.SetLanguage(QStringLiteral("繁體中文"));
    config.SetSayAlarmNormal(true);
    config.SetSpeechRate(-3);
    config.SetSayOutdatedAlarm(false);
    auto [written, rewritten] = WrittenAndRewritten(config, GetSystemConfigPath());
    QVERIFY(!written.isEmpty());
    QCOMPARE(rewritten, written);
    // Written only once turned on, so that a station never using it keeps its file as it was.
    QVERIFY(!written.contains("latch_ended_alarms"));

    config.SetLatchEndedAlarms(true);
    std::tie(written, rewritten) = WrittenAndRewritten(config, GetSystemConfigPath());
    QVERIFY(written.contains("<latch_ended_alarms>true</latch_ended_alarms>"));
    QCOMPARE(rewritten, written);
}

void TestConfigFiles::unreadableFileIsKeptAsideBeforeTheReset_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error"); // empty: the parser's own explanation, only required to be there
    QTest::newRow("wrong root") << QByteArray("<system_config version=\"1\"/>")
                                << "The root node name should be 'device_config'' but not 'system_config'";
    QTest::newRow("missing closing tag") << QByteArray("<device_config><device ip=\"10.0.0.7\">") << QString();
    QTest::newRow("empty file") << QByteArray("") << QString();
    // Never looked up: a device is known by the address its traps come from.
    QTest::newRow("host name") << QByteArray(
                                      "<device_config version=\"1\"><device ip=\"probe.example.net\"/></device_config>")
                               << "Read 'device' failed!";
}

void TestConfigFiles::unreadableFileIsKeptAsideBeforeTheReset()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    QVERIFY(WriteFile(GetDeviceConfigPath(), content));
    DeviceConfigFile config = ManyDevices(1);
    QVERIFY(!config.Load(GetDeviceConfigPath()));
    QVERIFY(!config.GetErrorString().isEmpty());
    if (!error.isEmpty())
        QCOMPARE(config.GetErrorString(), error);

    DeviceConfigManager::GetConfig(config);
    QVERIFY(config.Devices().isEmpty());
    // A second failure within the same second must not overwrite the first kept copy.
    QVERIFY(WriteFile(GetDeviceConfigPath(), content));
    DeviceConfigManager::GetConfig(config);
    const QStringList kept =
        QDir(GetConfigDir()).entryList({"device_config.xml.unreadable-*"}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 2);
    QVERIFY(QRegularExpression("^device_config\\.xml\\.unreadable-\\d{8}-\\d{6}$").match(kept[0]).hasMatch());
    for (const QString& name : kept)
        QCOMPARE(ReadFile(GetConfigDir() + "/" + name), content);
    QVERIFY(config.Load(GetDeviceConfigPath()));
}

void TestConfigFiles::missingSystemFileIsWrittenWithDefaults()
{
    SystemConfigFile config;
    config.SetServerPort(1);
    SystemConfigManager::GetConfig(config);
    QCOMPARE(config.server_port(), SystemConfigFile().server_port());
    QCOMPARE(config.language(), SystemConfigManager::LanguageForLocale(QLocale::system()));
    SystemConfigFile written;
    QVERIFY(written.Load(GetSystemConfigPath()));
    QCOMPARE(written.language(), config.language());
    QVERIFY(QDir(GetConfigDir()).entryList({"*.unreadable-*"}).isEmpty());
}

void TestConfigFiles::languageFollowsTheChineseRegion_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("Taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan) << "繁體中文";
    QTest::newRow("Singapore") << QLocale(QLocale::Chinese, QLocale::Singapore) << "English";
    QTest::newRow("C") << QLocale::c() << "English";
}

void TestConfigFiles::languageFollowsTheChineseRegion()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, language);
    QCOMPARE(SystemConfigManager::LanguageForLocale(locale), language);
}

void TestConfigFiles::oldPairLayoutOfTrackMaskIsConverted()
{
    // Old files hold one bit per pair of tracks and no version: 5 means pairs 1 and 3.
    const PortConfigNode old = LoadPort(QString(), QStringLiteral("<track_mask>5</track_mask>"));
    QCOMPARE(old.track_mask(), quint32(51));
    QCOMPARE(LoadPort(QString(), QStringLiteral("<track_mask>4294934528</track_mask>")).track_mask(), 0xC0000000);

    DeviceConfigNode device(QStringLiteral("10.0.0.7"), QString());
    device.AddPort(old);
    DeviceConfigFile config;
    config.AddDevice(device);
    QVERIFY(config.Save(GetDeviceConfigPath()));
    QVERIFY(config.Load(GetDeviceConfigPath()));
    QCOMPARE(config.Devices()[0]->Ports()[0]->track_mask(), quint32(51));
}

void TestConfigFiles::timeRangesAreKeptOnlyWhenCompleteAndOrdered_data()
{
    QTest::addColumn<QString>("start"); // a null string leaves the element out
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("expected"); // "start-end", each "" for a null time
    QTest::newRow("ordered") << "08:00:00"
                             << "12:00:00"
                             << "08:00:00-12:00:00";
    QTest::newRow("one instant") << "08:00:00"
                                 << "08:00:00"
                                 << "08:00:00-08:00:00";
    QTest::newRow("inverted") << "08:00:00"
                              << "07:00:00"
                              << "00:00:00-00:00:00";
    QTest::newRow("start missing") << QString() << "07:00:00"
                                   << "00:00:00-00:00:00";
    QTest::newRow("end missing") << "07:00:00" << QString() << "00:00:00-00:00:00";
    QTest::newRow("end empty") << "07:00:00"
                               << ""
                               << "00:00:00-00:00:00";
    QTest::newRow("both empty") << ""
                                << ""
                                << "-";
    QTest::newRow("start unparsable") << "8 o'clock"
                                      << "07:00:00"
                                      << "-07:00:00";
}

void TestConfigFiles::timeRangesAreKeptOnlyWhenCompleteAndOrdered()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, expected);
    QString children;
    if (!start.isNull())
        children += QStringLiteral("<start_time2>%1</start_time2>").arg(start);
    if (!end.isNull())
        children += QStringLiteral("<end_time2>%1</end_time2>").arg(end);
    const PortConfigNode port = LoadPort(QStringLiteral("version=\"1\""), children);
    QCOMPARE(port.start_time2().toString("hh:mm:ss") + "-" + port.end_time2().toString("hh:mm:ss"), expected);
}

void TestConfigFiles::copiesAreDeep()
{
    const QString ip = QStringLiteral("10.0.0.7");
    DeviceConfigNode device(ip, QStringLiteral("A"));
    device.SetBncPort(0, PortConfigNode());
    DeviceConfigFile original;
    original.AddDevice(device);
    const DeviceConfigFile copy(original);
    DeviceConfigFile assigned;
    assigned = original;
    original.FindDevice(ip)->FindPort(QStringLiteral("BNC 1"))->SetAlarm(false);
    original.RemoveDevice(ip);
    QVERIFY(copy.FindDevice(ip)->FindPort(QStringLiteral("BNC 1"))->alarm());
    QVERIFY(assigned.FindDevice(ip)->FindPort(QStringLiteral("BNC 1"))->alarm());
}

void TestConfigFiles::failedSaveLeavesOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("directory missing") << "config/nowhere/device_config.xml";
    QTest::newRow("target is a directory") << "config/old";
    QTest::newRow("parent is a regular file") << "config/old.xml/device_config.xml";
}

void TestConfigFiles::failedSaveLeavesOldFile()
{
    QFETCH(QString, target);
    QVERIFY(WriteFile(m_appDir->filePath("config/old.xml"), "old"));
    QVERIFY(QDir().mkpath(m_appDir->filePath("config/old")));
    DeviceConfigFile config = ManyDevices(2);
    QVERIFY(!config.Save(m_appDir->filePath(target)));
    QVERIFY(!config.GetErrorString().isEmpty());
    QCOMPARE(ReadFile(m_appDir->filePath("config/old.xml")), QByteArray("old"));
    QVERIFY(QDir(m_appDir->filePath("config/old")).isEmpty());
    QCOMPARE(QDir(GetConfigDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"old", "old.xml"}));
}

void TestConfigFiles::saveThatRunsOutOfSpaceLeavesOldFile()
{
    QVERIFY(WriteFile(GetDeviceConfigPath(), "old"));
    DeviceConfigFile config = ManyDevices(50);

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit unlimited{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = unlimited;
    small.rlim_cur = 512;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedUnderLimit = config.Save(GetDeviceConfigPath());
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!savedUnderLimit);
    QCOMPARE(ReadFile(GetDeviceConfigPath()), QByteArray("old"));
    QCOMPARE(QDir(GetConfigDir()).entryList(QDir::Files), QStringList{"device_config.xml"});
}

void TestConfigFiles::missingWordsFallBackAndVoiceStaysOptional()
{
    QVERIFY(WriteFile(GetLangConfigPath(), "<language_config><language name=\"A\"><warn>w</warn><track>track </track>"
                                           "</language><other/><language name=\"A\"><warn>second</warn></language>"
                                           "<language name=\"B\"><voice>en</voice></language></language_config>"));
    LanguageConfigFile file;
    QVERIFY(LanguageConfig::ReadLanguageConfig(file));
    QCOMPARE(file.Languages().size(), 3);
    const LanguageConfigNode* entry = file.FindLanguage(QStringLiteral("A"));
    QCOMPARE(entry->warn(), QStringLiteral("w"));
    QCOMPARE(entry->track(), QStringLiteral("track "));
    QCOMPARE(entry->voice(), QString());
    QCOMPARE(file.FindLanguage(QStringLiteral("B"))->voice(), QStringLiteral("en"));

    QVERIFY(file.Save(m_appDir->filePath("rewritten.xml")));
    QCOMPARE(ReadFile(m_appDir->filePath("rewritten.xml")).count("<voice>"), 1);
}

void TestConfigFiles::brokenLanguageFileIsReportedAndLeftUntouched()
{
    QDir(GetLangDir()).removeRecursively();
    LanguageConfigFile file;
    QVERIFY(!LanguageConfig::ReadLanguageConfig(file));
    QVERIFY(QFileInfo(GetLangDir()).isDir());
    QVERIFY(!QFileInfo::exists(GetLangConfigPath()));

    const QByteArray broken("<language_config><language name=\"English\">");
    QVERIFY(WriteFile(GetLangConfigPath(), broken));
    QVERIFY(!LanguageConfig::ReadLanguageConfig(file));
    QVERIFY(file.Languages().isEmpty());
    QCOMPARE(ReadFile(GetLangConfigPath()), broken);
}

void TestConfigFiles::shippedLanguagesInstallBothTranslators_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("videoLost");
    QTest::newRow("simplified") << "简体中文"
                                << "视频丢失";
    QTest::newRow("traditional") << "繁體中文"
                                 << "視訊遺失";
    QTest::newRow("english") << "English"
                             << "Video Lost";
}

void TestConfigFiles::shippedLanguagesInstallBothTranslators()
{
    QFETCH(QString, language);
    QFETCH(QString, videoLost);
    const QDir built(BuildPath("lang"));
    for (const QString& name : built.entryList({"*.qm", "lang_config.xml"}, QDir::Files))
        QVERIFY(QFile::copy(built.filePath(name), GetLangDir() + "/" + name));
    LanguageConfig languageConfig;
    languageConfig.Install(language);
    QCOMPARE(AlarmTypeWord(AlarmTypeVideoLost), videoLost);
    // Port words name the configured ports, so they must read the same in every language.
    QCOMPARE(PortDisplayName(PortTypeAes, 1), QStringLiteral("AES/EBU 1"));
    const bool chinese = language != QLatin1String("English");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
             chinese ? QStringLiteral("取消") : QStringLiteral("Cancel"));

    LanguageConfigFile file;
    QVERIFY(LanguageConfig::ReadLanguageConfig(file));
    QCOMPARE(file.Languages().size(), 3);
    const LanguageConfigNode* entry = file.FindLanguage(language);
    QVERIFY(entry);
    for (const QString& word :
         {entry->black(), entry->freeze(), entry->video_lost(), entry->slience(), entry->audio_overload(),
          entry->too_many_alarm(), entry->device_connect_state(), entry->warn(), entry->error(), entry->normal(),
          entry->track(), entry->alarm(), entry->voice()})
        QVERIFY(!word.trimmed().isEmpty());

    // The shipped file is kept in the layout the station itself writes.
    QVERIFY(file.Save(m_appDir->filePath("rewritten.xml")));
    QCOMPARE(ReadFile(m_appDir->filePath("rewritten.xml")), ReadFile(GetLangConfigPath()));

    // Going back to English removes the translation again.
    languageConfig.Install(QStringLiteral("English"));
    QCOMPARE(AlarmTypeWord(AlarmTypeVideoLost), QStringLiteral("Video Lost"));
}

QTEST_GUILESS_MAIN(TestConfigFiles)
#include "TestConfigFiles.moc"
