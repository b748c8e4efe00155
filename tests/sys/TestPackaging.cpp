#include "FileText.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The start with the desktop session and the package version, with the real shell, git and cmake.
class TestPackaging : public QObject
{
    Q_OBJECT

private slots:
    void sessionPassesOptionsAsWords_data();
    void sessionPassesOptionsAsWords();
    void versionNamesTheCommit_data();
    void versionNamesTheCommit();
};

namespace {
const QString SourceDir = QStringLiteral(VZ_SOURCE_DIR);

// Runs a program to its end in dir; false, with its messages in the test log, when it fails.
bool Run(const QString& dir, const QProcessEnvironment& environment, const QString& program,
         const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    const QString messages = QString::fromUtf8(process.readAllStandardError());
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    qWarning() << program << arguments << "failed:" << process.errorString() << messages;
    return false;
}
} // namespace

void TestPackaging::sessionPassesOptionsAsWords_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("options");
    // The user unit's state for the autostart entry's start; none for the unit's own start.
    QTest::addColumn<QString>("unitState");
    QTest::addColumn<QStringList>("arguments");

    const QStringList start{"--start", "10.0.0.1"};
    const QStringList example{"--alertmanager",
                              "https://am:9093",
                              "--alertmanager-credentials",
                              "/etc/opt/vizavovu/am.cred",
                              "--metrics",
                              "9464",
                              "--syslog",
                              "tcp://logs:514"};
    QTest::newRow("words between blanks, tabs and line breaks")
        << "10.0.0.1"
        << "--alertmanager https://am:9093  --alertmanager-credentials\t/etc/opt/vizavovu/am.cred\n--metrics 9464 "
           "--syslog tcp://logs:514 "
        << "" << start + example;
    QTest::newRow("wildcards stay as written") << "10.0.0.1"
                                               << "--alertmanager-credentials bin/*"
                                               << "" << start + QStringList{"--alertmanager-credentials", "bin/*"};
    QTest::newRow("no options") << "10.0.0.1"
                                << ""
                                << "" << start;
    QTest::newRow("no address, no station") << ""
                                            << "--status"
                                            << "" << QStringList();
    QTest::newRow("autostart while the unit starts the station") << "10.0.0.1"
                                                                 << "--status"
                                                                 << "activating" << QStringList();
    QTest::newRow("autostart where the session never starts the enabled unit")
        << "10.0.0.1"
        << "--status"
        << "inactive" << start + QStringList{"--status"};
}

// The user unit and the autostart entry both start the station through the session script, which reads an
// operator's session.env; a stand-in beside it records the arguments it is given.
void TestPackaging::sessionPassesOptionsAsWords()
{
    QFETCH(QString, address);
    QFETCH(QString, options);
    QFETCH(QString, unitState);
    QFETCH(QStringList, arguments);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("bin") && QDir(dir.path()).mkpath("log") &&
            QDir(dir.path()).mkpath("home/.config/vizavovu"));
    QVERIFY(QFile::copy(SourceDir + "/sys/package/vizavovu-session", dir.filePath("bin/vizavovu-session")));
    const QString recorded = dir.filePath("arguments");
    QVERIFY(WriteFile(dir.filePath("bin/vizavovu"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > " + recorded.toUtf8() + "\n"));
    QVERIFY(QFile::setPermissions(dir.filePath("bin/vizavovu"), QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(WriteFile(dir.filePath("home/.config/vizavovu/session.env"),
                      QString("VIZAVOVU_ADDRESS=%1\nVIZAVOVU_OPTIONS=\"%2\"\n").arg(address, options).toUtf8()));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir.filePath("home"));
    environment.remove("XDG_CONFIG_HOME");
    QStringList session{"bin/vizavovu-session"};
    if (!unitState.isEmpty()) {
        // systemctl as the user's session has it, for an enabled unit in the given state.
        QVERIFY(QDir(dir.path()).mkpath("path"));
        QVERIFY(WriteFile(dir.filePath("path/systemctl"), "#!/bin/sh\necho " + unitState.toUtf8() + "\n"));
        QVERIFY(QFile::setPermissions(dir.filePath("path/systemctl"), QFile::ReadOwner | QFile::ExeOwner));
        environment.insert("PATH", dir.filePath("path") + ":" + environment.value("PATH"));
        session << "--autostart";
    }
    QVERIFY(Run(dir.path(), environment, "sh", session));
    const QString words = QString::fromUtf8(ReadFile(recorded));
    QCOMPARE(words.split('\n', Qt::SkipEmptyParts), arguments);
}

void TestPackaging::versionNamesTheCommit_data()
{
    QTest::addColumn<bool>("repository");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("laterCommit");
    QTest::addColumn<QString>("commitTime");
    QTest::addColumn<QString>("version");

    const QString morning = "2026-12-07T10:00:00+00:00";
    QTest::newRow("untagged commit") << true << "" << false << morning << "1.2.3+git20261207.%1";
    QTest::newRow("commit tagged with the version") << true << "v1.2.3" << false << morning << "1.2.3";
    QTest::newRow("commit after the tagged one") << true << "v1.2.3" << true << morning << "1.2.3+git20261207.%1";
    QTest::newRow("tag of another version") << true << "v1.2.2" << false << morning << "1.2.3+git20261207.%1";
    QTest::newRow("evening commit west of Greenwich, dated in UTC")
        << true << "" << false << "2026-12-07T22:30:00-05:00"
        << "1.2.3+git20261208.%1";
    QTest::newRow("not a repository") << false << "" << false << morning << "1.2.3";
}

// The package version that PackageVersion.cmake reads from a real repository.
void TestPackaging::versionNamesTheCommit()
{
    QFETCH(bool, repository);
    QFETCH(QString, tag);
    QFETCH(bool, laterCommit);
    QFETCH(QString, commitTime);
    QFETCH(QString, version);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Neither the developer's git settings nor a repository around the temporary directory take part.
    environment.insert("GIT_CONFIG_GLOBAL", "/dev/null");
    environment.insert("GIT_CONFIG_NOSYSTEM", "1");
    environment.insert("GIT_CEILING_DIRECTORIES", QFileInfo(dir.path()).absolutePath());
    environment.insert("GIT_AUTHOR_DATE", commitTime);
    environment.insert("GIT_COMMITTER_DATE", commitTime);
    const QStringList commit{
        "-c", "user.name=Check", "-c", "user.email=check@example.org", "commit", "-q", "--allow-empty", "-m", "commit"};
    QString hash;
    if (repository) {
        QVERIFY(Run(dir.path(), environment, "git", {"init", "-q"}));
        QVERIFY(Run(dir.path(), environment, "git", commit));
        if (!tag.isEmpty())
            QVERIFY(Run(dir.path(), environment, "git", {"tag", tag}));
        if (laterCommit)
            QVERIFY(Run(dir.path(), environment, "git", commit));
        QVERIFY(Run(dir.path(), environment, "git", {"rev-parse", "HEAD"}, &hash));
    }

    QString printed;
    QVERIFY(Run(dir.path(), environment, VZ_CMAKE,
                {"-DVZ_BASE_VERSION=1.2.3", "-DVZ_SOURCE_DIR=" + dir.path(), "-P",
                 SourceDir + "/sys/package/PackageVersion.cmake"},
                &printed));
    QCOMPARE(printed, version.contains("%1") ? version.arg(hash.left(7)) : version);
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "TestPackaging.moc"
