#pragma once

#include "log/SyslogTarget.h"

#include <QList>
#include <QStringList>

// The station's command line: --start <address> for an unattended start, --syslog <url> for each collector that
// the alarm stream goes to, --status for the all-devices status window, plus --help and --version.
class CommandLine
{
public:
    // True when the arguments only ask for help or the version, which needs no display.
    static bool AsksForInformationOnly(int argc, char* argv[]);
    // False when the station must not run: help or version printed, or an argument refused (message on stderr).
    bool Parse(const QStringList& arguments);
    int ExitCode() const { return m_exitCode; }
    QString StartAddress() const { return m_startAddress; }
    QList<SyslogTarget> SyslogTargets() const { return m_syslogTargets; }
    bool ShowsStatusWindow() const { return m_showStatus; }

    // An IPv4 address of this machine; every 127.x.y.z is local on Linux.
    static bool IsLocalIPv4Address(const QString& text);

private:
    int m_exitCode = 0;
    QString m_startAddress;
    QList<SyslogTarget> m_syslogTargets;
    bool m_showStatus = false;
};
