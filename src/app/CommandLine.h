#pragma once

#include "northbound/AlertmanagerTarget.h"
#include "northbound/SyslogTarget.h"

#include <QHostAddress>
#include <QList>
#include <QSet>
#include <QStringList>

// The station's command line: --start <address> for an unattended start, --syslog <url> for each collector that
// the alarm stream goes to, --alertmanager <url> for each Alertmanager (with --alertmanager-credentials <file>),
// --metrics <address> for the metrics endpoint, --status for the all-devices status window,
// --import-devices <file> to write the device list from a CSV file without the window, plus --help and --version.
class CommandLine
{
public:
    // True when the arguments only ask for help or the version, which needs no display.
    static bool AsksForInformationOnly(int argc, char* argv[]);
    // True when the arguments ask for --import-devices, which needs no display either.
    static bool ImportsDevices(int argc, char* argv[]);
    // False when the station must not run: help or version printed, or an argument refused (message on stderr).
    bool Parse(const QStringList& arguments);
    int ExitCode() const { return m_exitCode; }
    QString StartAddress() const { return m_startAddress; }
    QList<SyslogTarget> SyslogTargets() const { return m_syslogTargets; }
    QList<AlertmanagerTarget> AlertmanagerTargets() const { return m_alertmanagerTargets; }
    // Port 0 when --metrics is not given.
    QHostAddress MetricsAddress() const { return m_metricsAddress; }
    quint16 MetricsPort() const { return m_metricsPort; }
    bool ShowsStatusWindow() const { return m_showStatus; }
    QString ImportDevicesPath() const { return m_importDevicesPath; }

    // An IPv4 address of this machine; every 127.x.y.z is local on Linux.
    static bool IsLocalIPv4Address(const QString& text);

    // The URL as it may be shown: credentials in it are masked.
    static QString WithoutPassword(const QString& url);

private:
    // False, with the refusal printed, when another target of the option has the same identity.
    bool Unique(QSet<QString>& seen, const QString& identity, const QString& url);
    // Prints the message to stderr and sets the exit code for a refused argument; returns false.
    bool Refuse(const QString& message);

    int m_exitCode = 0;
    QString m_startAddress;
    QList<SyslogTarget> m_syslogTargets;
    QList<AlertmanagerTarget> m_alertmanagerTargets;
    QHostAddress m_metricsAddress;
    quint16 m_metricsPort = 0;
    bool m_showStatus = false;
    QString m_importDevicesPath;
};
