#include "TempAppDir.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// The file framework, exercised through the device file: load errors and whole-file saves.
class TestXmlFileBase : public QObject
{
    Q_OBJECT

private slots:
    void loadFailuresExplainThemselves_data();
    void loadFailuresExplainThemselves();
    void savedFileHasDeclarationIndentationAndAttributeOrder();
    void saveIntoMissingDirectoryFailsAndCreatesNothing();
    void saveOverDirectoryOrUnderFileFails_data();
    void saveOverDirectoryOrUnderFileFails();
    void saveThatRunsOutOfSpaceKeepsOldContent();
};

static void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

static QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static DeviceConfigFile TwoDevices()
{
    DeviceConfigFile config;
    config.AddDevice(DeviceConfigNode(QStringLiteral("10.0.0.7"), QStringLiteral("Studio A")));
    config.AddDevice(DeviceConfigNode(QStringLiteral("10.0.0.8"), QStringLiteral("Studio B")));
    return config;
}

void TestXmlFileBase::loadFailuresExplainThemselves_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    QTest::newRow("wrong root") << QByteArray("<Device_Config version=\"1\"/>")
                                << "The root node name should be 'device_config'' but not 'Device_Config'";
    QTest::newRow("missing closing tag")
        << QByteArray("<?xml version=\"1.0\"?>\n<device_config>\n<device ip=\"1\">\n</device_config>\n")
        << "tag mismatch\nLine=4 Column=16";
    QTest::newRow("empty file") << QByteArray() << "unexpected end of file\nLine=1 Column=1";
}

void TestXmlFileBase::loadFailuresExplainThemselves()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    TempAppDir dir;
    const QString path = dir.filePath("config/device_config.xml");
    WriteFile(path, content);
    DeviceConfigFile config;
    QVERIFY(!config.Load(path));
    QCOMPARE(config.GetErrorString(), error);
}

void TestXmlFileBase::savedFileHasDeclarationIndentationAndAttributeOrder()
{
    TempAppDir dir;
    const QString path = dir.filePath("config/device_config.xml");
    DeviceConfigFile config = TwoDevices();
    QVERIFY(config.Save(path));
    QCOMPARE(QString::fromUtf8(ReadFile(path)), QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                                               "<device_config version=\"1\">\n"
                                                               "    <device dev_name=\"Studio A\" ip=\"10.0.0.7\"/>\n"
                                                               "    <device dev_name=\"Studio B\" ip=\"10.0.0.8\"/>\n"
                                                               "</device_config>\n"));
}

void TestXmlFileBase::saveIntoMissingDirectoryFailsAndCreatesNothing()
{
    TempAppDir dir;
    DeviceConfigFile config = TwoDevices();
    QVERIFY(!config.Save(dir.filePath("nowhere/device_config.xml")));
    QVERIFY(!config.GetErrorString().isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath("nowhere")));
}

void TestXmlFileBase::saveOverDirectoryOrUnderFileFails_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("target is a directory") << "config/device_config.xml";
    QTest::newRow("parent is a regular file") << "config/device_config.xml/inner.xml";
}

void TestXmlFileBase::saveOverDirectoryOrUnderFileFails()
{
    QFETCH(QString, target);
    TempAppDir dir;
    const QString existing = dir.filePath("config/device_config.xml");
    if (target.endsWith("inner.xml"))
        WriteFile(existing, "<device_config/>");
    else
        QVERIFY(QDir().mkpath(existing));
    DeviceConfigFile config = TwoDevices();
    QVERIFY(!config.Save(dir.filePath(target)));
    QVERIFY(!config.GetErrorString().isEmpty());
    if (QFileInfo(existing).isFile())
        QCOMPARE(ReadFile(existing), QByteArray("<device_config/>"));
    else
        QVERIFY(QDir(existing).isEmpty());
}

void TestXmlFileBase::saveThatRunsOutOfSpaceKeepsOldContent()
{
    TempAppDir dir;
    const QString path = dir.filePath("config/device_config.xml");
    const QByteArray old("<device_config version=\"1\"/>\n");
    WriteFile(path, old);

    DeviceConfigFile config;
    for (int i = 0; i < 50; ++i)
        config.AddDevice(DeviceConfigNode(QStringLiteral("10.0.1.%1").arg(i), QStringLiteral("Device %1").arg(i)));

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedUnderLimit = config.Save(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!savedUnderLimit);
    QVERIFY(!config.GetErrorString().isEmpty());
    QCOMPARE(ReadFile(path), old);
    QCOMPARE(QDir(dir.filePath("config")).entryList(QDir::Files), QStringList{"device_config.xml"});
}

QTEST_GUILESS_MAIN(TestXmlFileBase)
#include "TestXmlFileBase.moc"
