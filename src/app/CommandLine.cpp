#include "app/CommandLine.h"

#include "dialogs/AboutDialog.h"
#include "northbound/MetricsServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QSet>

#include <cstdio>
#include <cstring>

namespace {
void Print(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}
} // namespace

bool CommandLine::AsksForInformationOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "--help-all", "-?", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

bool CommandLine::ImportsDevices(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--import-devices", std::strlen("--import-devices")) == 0)
            return true;
    }
    return false;
}

bool CommandLine::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Monitoring station for broadcast signal-monitoring probes."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption start(
        QStringLiteral("start"),
        QCoreApplication::translate("CommandLine",
                                    "Start monitoring at once, telling the devices to send their alarms to <address>, "
                                    "a local IPv4 address."),
        QStringLiteral("address"));
    parser.addOption(start);
    const QCommandLineOption syslog(
        QStringLiteral("syslog"),
        QCoreApplication::translate("CommandLine",
                                    "Send every alarm start and end written to the alarm log to the syslog collector "
                                    "<url> (RFC 5424, facility local0): udp://HOST[:PORT] or tcp://HOST[:PORT], "
                                    "HOST an IPv4 address or a host name, PORT 514 by default. Repeat for more "
                                    "collectors."),
        QStringLiteral("url"));
    parser.addOption(syslog);
    const QCommandLineOption alertmanager(
        QStringLiteral("alertmanager"),
        QCoreApplication::translate("CommandLine",
                                    "Send every alarm start and end written to the alarm log to the Prometheus "
                                    "Alertmanager at <url> (API v2): http://HOST[:PORT][/PATH] or https://... Repeat "
                                    "for each member of an Alertmanager cluster."),
        QStringLiteral("url"));
    parser.addOption(alertmanager);
    const QCommandLineOption credentials(
        QStringLiteral("alertmanager-credentials"),
        QCoreApplication::translate("CommandLine",
                                    "Authenticate to the Alertmanagers with the credentials in <file>: one line, "
                                    "\"Bearer TOKEN\" or \"Basic USER:PASSWORD\"."),
        QStringLiteral("file"));
    parser.addOption(credentials);
    const QCommandLineOption metrics(
        QStringLiteral("metrics"),
        QCoreApplication::translate("CommandLine",
                                    "Serve the station's health as Prometheus metrics at http://<address>/metrics: "
                                    "HOST:PORT, HOST an IPv4 address of this machine, or PORT alone for the "
                                    "loopback address."),
        QStringLiteral("address"));
    parser.addOption(metrics);
    const QCommandLineOption status(
        QStringLiteral("status"),
        QCoreApplication::translate("CommandLine",
                                    "Show the all-devices status window once started, for a wall display."));
    parser.addOption(status);
    const QCommandLineOption importDevices(
        QStringLiteral("import-devices"),
        QCoreApplication::translate("CommandLine",
                                    "Check the device list in the CSV <file> (as Manage Device exports it) and write "
                                    "it as the device configuration, then exit without starting the window: 0 when "
                                    "written, 1 when the file is wrong (the wrong lines go to stderr), 3 while a "
                                    "station is running in this application directory, 4 when the device "
                                    "configuration cannot be written."),
        QStringLiteral("file"));
    parser.addOption(importDevices);

    if (!parser.parse(arguments)) {
        Print(stderr, parser.errorText() + QLatin1Char('\n'));
        m_exitCode = 2;
        return false;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        Print(stdout, parser.helpText());
        m_exitCode = 0;
        return false;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("vizavovu %1\n").arg(AboutDialog::VersionText()));
        m_exitCode = 0;
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Print(stderr, QCoreApplication::translate("CommandLine", "Unexpected argument: %1\n")
                          .arg(parser.positionalArguments().first()));
        m_exitCode = 2;
        return false;
    }
    if (parser.isSet(start)) {
        const QString address = parser.value(start).trimmed();
        if (!IsLocalIPv4Address(address)) {
            Print(stderr, QCoreApplication::translate("CommandLine",
                                                      "Cannot start monitoring: '%1' is not an IPv4 address of this "
                                                      "machine.\n")
                              .arg(address));
            m_exitCode = 2;
            return false;
        }
        m_startAddress = QHostAddress(address).toString();
    }
    m_showStatus = parser.isSet(status);
    m_importDevicesPath = parser.value(importDevices);
    QSet<QString> collectors;
    for (const QString& url : parser.values(syslog)) {
        const std::optional<SyslogTarget> target = SyslogTarget::Parse(url);
        if (!target)
            return Refuse(QCoreApplication::translate("CommandLine",
                                                      "Cannot send alarms to '%1': give udp://HOST[:PORT] or "
                                                      "tcp://HOST[:PORT], HOST an IPv4 address or a host name.\n")
                              .arg(WithoutPassword(url)));
        if (!Unique(collectors, target->ToString().toLower(), url))
            return false;
        m_syslogTargets.append(*target);
    }
    QByteArray authorization;
    QString error;
    if (parser.isSet(credentials) &&
        !AlertmanagerTarget::ReadCredentials(parser.value(credentials), authorization, error))
        return Refuse(QCoreApplication::translate("CommandLine", "Cannot read the Alertmanager credentials in '%1': "
                                                                 "%2\n")
                          .arg(parser.value(credentials), error));
    QSet<QString> alertmanagers;
    bool unencrypted = false;
    for (const QString& url : parser.values(alertmanager)) {
        std::optional<AlertmanagerTarget> target = AlertmanagerTarget::Parse(url);
        if (!target)
            return Refuse(QCoreApplication::translate("CommandLine",
                                                      "Cannot send alarms to '%1': give http://HOST[:PORT][/PATH] "
                                                      "or https://HOST[:PORT][/PATH], with no credentials in it.\n")
                              .arg(WithoutPassword(url)));
        if (!Unique(alertmanagers, target->Identity(), url))
            return false;
        target->authorization = authorization;
        unencrypted = unencrypted || !target->IsEncrypted();
        m_alertmanagerTargets.append(*target);
    }
    if (unencrypted && !authorization.isEmpty())
        Print(stderr, QCoreApplication::translate("CommandLine",
                                                  "Warning: the Alertmanager credentials travel unencrypted to an "
                                                  "http:// URL; anyone on the way can read them. Use https://.\n"));
    if (parser.isSet(metrics) &&
        !MetricsServer::ParseListenAddress(parser.value(metrics), m_metricsAddress, m_metricsPort))
        return Refuse(QCoreApplication::translate("CommandLine", "Cannot serve metrics on '%1': give HOST:PORT, HOST "
                                                                 "an IPv4 address, or PORT alone.\n")
                          .arg(parser.value(metrics)));
    return true;
}

bool CommandLine::Unique(QSet<QString>& seen, const QString& identity, const QString& url)
{
    if (!seen.contains(identity)) {
        seen.insert(identity);
        return true;
    }
    return Refuse(QCoreApplication::translate("CommandLine", "'%1' is given twice: every alarm would go there twice.\n")
                      .arg(WithoutPassword(url)));
}

QString CommandLine::WithoutPassword(const QString& url)
{
    // The user part goes too: a token alone may stand there.
    static const QRegularExpression credentials(QStringLiteral("^(\\s*[^:/?#]*://)[^/?#]*@"));
    QString shown = url;
    return shown.replace(credentials, QStringLiteral("\\1***@"));
}

bool CommandLine::Refuse(const QString& message)
{
    Print(stderr, message);
    m_exitCode = 2;
    return false;
}

bool CommandLine::IsLocalIPv4Address(const QString& text)
{
    QHostAddress address;
    if (!address.setAddress(text) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    if (address.isInSubnet(QHostAddress(QStringLiteral("127.0.0.0")), 8))
        return true;
    return QNetworkInterface::allAddresses().contains(address);
}
