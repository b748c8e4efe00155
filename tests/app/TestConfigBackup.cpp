#include "AppDirTest.h"
#include "FileText.h"
#include "app/AppPaths.h"
#include "app/ConfigBackup.h"

#include <QDir>
#include <QtTest>

// Backup folders written and read back on a real application directory.
class TestConfigBackup : public AppDirTest
{
    Q_OBJECT

private slots:
    void init();
    void exportAndImportCopyWhatExists();
    void importedLogMeetsNoLeftoverJournal();
    void failedCopyLeavesTheOldFile();

private:
    QTemporaryDir m_outside;
    int m_logClosed = 0;
    std::function<void()> m_closeLog = [this] { ++m_logClosed; };
};

void TestConfigBackup::init()
{
    AppDirTest::init();
    m_logClosed = 0;
    QVERIFY(WriteFile(GetDeviceConfigPath(), "devices"));
    QVERIFY(WriteFile(GetSystemConfigPath(), "system"));
}

// A fresh station has no log yet: the export copies the two files there are; an import replaces only what the
// folder holds.
void TestConfigBackup::exportAndImportCopyWhatExists()
{
    const QString parent = m_outside.path() + "/new/sub";
    const QString folder = ConfigBackup::FolderFor(parent, QDate(2024, 3, 9));
    QCOMPARE(folder, parent + "/Quorvex-Zentiq-VIzavovu.ConfigBak_20240309");
    const ConfigBackup::Result result = ConfigBackup::Export(folder, m_closeLog);
    QCOMPARE(result.copied, 2);
    QVERIFY(result.failures.isEmpty());
    QCOMPARE(m_logClosed, 1);
    QCOMPARE(ConfigBackup::ExistingIn(folder), (QStringList{"device_config.xml", "system_config.xml"}));
    QCOMPARE(ReadFile(folder + "/device_config.xml"), QByteArray("devices"));
    // The parent of a backup folder holds no files of its own.
    QCOMPARE(ConfigBackup::Import(parent, m_closeLog).copied, 0);

    QVERIFY(QFile::remove(folder + "/device_config.xml"));
    QVERIFY(WriteFile(folder + "/system_config.xml", "imported"));
    QCOMPARE(ConfigBackup::Import(folder, m_closeLog).copied, 1);
    QCOMPARE(ReadFile(GetSystemConfigPath()), QByteArray("imported"));
    QCOMPARE(ReadFile(GetDeviceConfigPath()), QByteArray("devices"));
}

void TestConfigBackup::importedLogMeetsNoLeftoverJournal()
{
    const QString source = m_outside.path() + "/with-log";
    QVERIFY(QDir().mkpath(source));
    QVERIFY(WriteFile(source + "/alarm.db", "new log"));
    QVERIFY(WriteFile(GetLogDatabasePath(), "old log"));
    for (const char* suffix : {"-wal", "-shm"})
        QVERIFY(WriteFile(GetLogDatabasePath() + suffix, "old journal"));
    QCOMPARE(ConfigBackup::Import(source, m_closeLog).copied, 1);
    QCOMPARE(ReadFile(GetLogDatabasePath()), QByteArray("new log"));
    QVERIFY(!QFile::exists(GetLogDatabasePath() + "-wal") && !QFile::exists(GetLogDatabasePath() + "-shm"));
}

void TestConfigBackup::failedCopyLeavesTheOldFile()
{
    // A source that cannot be read: the station's file stays as it was, and the failure is named.
    const QString source = m_outside.path() + "/broken";
    QVERIFY(QDir().mkpath(source + "/device_config.xml"));
    QVERIFY(WriteFile(source + "/system_config.xml", "imported"));
    const ConfigBackup::Result result = ConfigBackup::Import(source, m_closeLog);
    QCOMPARE(result.copied, 1);
    QCOMPARE(result.failures.size(), 1);
    QVERIFY2(result.failures[0].contains("device_config.xml"), qPrintable(result.failures[0]));
    QCOMPARE(ReadFile(GetDeviceConfigPath()), QByteArray("devices"));
    QCOMPARE(QDir(GetConfigDir()).entryList(QDir::Files), (QStringList{"device_config.xml", "system_config.xml"}));
}

QTEST_GUILESS_MAIN(TestConfigBackup)
#include "TestConfigBackup.moc"
