#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// A probe-sim process (build/bin/probe-sim) playing probes on loopback addresses. Tests drive it with commands and
// read its report of every request received and notification sent (one line each, see tools/probe-sim).
class ProbeSimProcess
{
public:
    ProbeSimProcess() = default;
    ~ProbeSimProcess();
    ProbeSimProcess(const ProbeSimProcess&) = delete;
    ProbeSimProcess& operator=(const ProbeSimProcess&) = delete;

    // Waits until every probe listens; false with ErrorString() when the simulator cannot start. Without verbose,
    // the simulator reports no requests or notifications (benchmarks that count nothing at the probes). options go
    // before the addresses: {"-n", "Studio %n"}.
    bool Start(const QStringList& addresses, quint16 port, bool verbose = true, const QStringList& options = {});
    QString ErrorString() const { return m_error; }

    // One or more command lines.
    void Send(const QString& commands);
    // Returns once the simulator has carried out every command sent before; false after timeoutMs.
    bool Sync(int timeoutMs = 5000);

    // Everything printed since the start or the last ClearLines.
    QStringList Lines();
    // Lines that contain every one of the texts.
    QStringList LinesWith(const QStringList& texts);
    void ClearLines();

private:
    void ReadOutput();

    QProcess m_process;
    QStringList m_lines;
    QByteArray m_partialLine;
    int m_syncCount = 0;
    QString m_error;
};
