#include "FileText.h"
#include "TempAppDir.h"
#include "alarm/AlarmRecord.h"
#include "app/AppPaths.h"
#include "config/LanguageConfig.h"
#include "config/LanguageConfigFile.h"
#include "config/LanguageConfigNode.h"

#include <QtTest>

class TestLanguageConfig : public QObject
{
    Q_OBJECT

private slots:
    void missingWordsFallBackAndVoiceStaysOptional();
    void brokenFileIsReportedAndLeftUntouched();
    void shippedLanguagesInstallBothTranslators_data();
    void shippedLanguagesInstallBothTranslators();
};

// The build puts the compiled translations and the shipped language file into <build>/lang; test binaries live
// in <build>/tests/bin when ctest does not say where the build is.
static QString BuildLangDir()
{
    return qEnvironmentVariable("VZ_BUILD_DIR", QCoreApplication::applicationDirPath() + "/../..") + "/lang";
}

static void CopyBuildLangFiles()
{
    const QDir from(BuildLangDir());
    for (const QString& name : from.entryList({"*.qm", "lang_config.xml"}, QDir::Files))
        QVERIFY(QFile::copy(from.filePath(name), GetLangDir() + "/" + name));
}

void TestLanguageConfig::missingWordsFallBackAndVoiceStaysOptional()
{
    TempAppDir dir;
    QVERIFY(WriteFile(GetLangConfigPath(), "<language_config><language name=\"A\"><warn>w</warn><track>track </track>"
                                           "</language><other/><language name=\"A\"><warn>second</warn></language>"
                                           "<language name=\"B\"><voice>en</voice></language></language_config>"));
    LanguageConfigFile file;
    QVERIFY(LanguageConfig::ReadLanguageConfig(file));
    QCOMPARE(file.Languages().size(), 3);
    const LanguageConfigNode* entry = file.FindLanguage(QStringLiteral("A"));
    QCOMPARE(entry->warn(), QStringLiteral("w"));
    QCOMPARE(entry->track(), QStringLiteral("track "));
    QCOMPARE(entry->error(), QString());
    QCOMPARE(entry->normal(), QStringLiteral("normal"));
    QCOMPARE(entry->alarm(), QStringLiteral("warning"));
    QCOMPARE(entry->device_connect_state(), QStringLiteral("Device can't connect"));
    QCOMPARE(entry->voice(), QString());
    QCOMPARE(file.FindLanguage(QStringLiteral("B"))->voice(), QStringLiteral("en"));

    QVERIFY(file.Save(dir.filePath("rewritten.xml")));
    QCOMPARE(ReadFile(dir.filePath("rewritten.xml")).count("<voice>"), 1);
}

void TestLanguageConfig::brokenFileIsReportedAndLeftUntouched()
{
    TempAppDir dir;
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

void TestLanguageConfig::shippedLanguagesInstallBothTranslators_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("videoLost");
    QTest::newRow("simplified") << "简体中文" << "视频丢失";
    QTest::newRow("traditional") << "繁體中文" << "視訊遺失";
    QTest::newRow("english") << "English" << "Video Lost";
}

void TestLanguageConfig::shippedLanguagesInstallBothTranslators()
{
    QFETCH(QString, language);
    QFETCH(QString, videoLost);
    TempAppDir dir;
    CopyBuildLangFiles();
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
    QVERIFY(file.Save(dir.filePath("rewritten.xml")));
    QCOMPARE(ReadFile(dir.filePath("rewritten.xml")), ReadFile(GetLangConfigPath()));

    // Going back to English removes the translation again.
    languageConfig.Install(QStringLiteral("English"));
    QCOMPARE(AlarmTypeWord(AlarmTypeVideoLost), QStringLiteral("Video Lost"));
}

QTEST_GUILESS_MAIN(TestLanguageConfig)
#include "TestLanguageConfig.moc"
