#include "ProbeSimProcess.h"

#include <QDeadlineTimer>

#include <algorithm>

ProbeSimProcess::~ProbeSimProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    // End of input is the simulator's normal end.
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

bool ProbeSimProcess::Start(const QStringList& addresses, quint16 port, bool verbose, const QStringList& options)
{
    const QString program = qEnvironmentVariable("VZ_BUILD_DIR") + QStringLiteral("/bin/probe-sim");
    // Its complaints about bad commands belong in the test's own output.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QStringList verbosity = verbose ? QStringList{"-v"} : QStringList();
    m_process.start(program, verbosity + options + QStringList{"-p", QString::number(port)} + addresses);
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("%1: %2").arg(program, m_process.errorString());
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        if (!LinesWith({QStringLiteral("ready ")}).isEmpty())
            return true;
        m_process.waitForReadyRead(100);
    }
    m_error = QStringLiteral("probe-sim did not get ready (exit code %1)").arg(m_process.exitCode());
    return false;
}

void ProbeSimProcess::Send(const QString& commands)
{
    QByteArray bytes = commands.toUtf8();
    if (!bytes.endsWith('\n'))
        bytes.append('\n');
    m_process.write(bytes);
    m_process.waitForBytesWritten(1000);
}

bool ProbeSimProcess::Sync(int timeoutMs)
{
    const QString mark = QStringLiteral("sync-%1").arg(++m_syncCount);
    Send(QStringLiteral("echo ") + mark);
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        ReadOutput();
        if (m_lines.contains(mark)) {
            m_lines.removeAll(mark);
            return true;
        }
        if (m_process.state() == QProcess::NotRunning)
            return false;
        m_process.waitForReadyRead(50);
    }
    return false;
}

QStringList ProbeSimProcess::Lines()
{
    ReadOutput();
    return m_lines;
}

QStringList ProbeSimProcess::LinesWith(const QStringList& texts)
{
    QStringList found;
    for (const QString& line : Lines()) {
        if (std::all_of(texts.begin(), texts.end(), [&](const QString& text) { return line.contains(text); }))
            found.append(line);
    }
    return found;
}

void ProbeSimProcess::ClearLines()
{
    ReadOutput();
    m_lines.clear();
}

void ProbeSimProcess::ReadOutput()
{
    m_partialLine.append(m_process.readAllStandardOutput());
    int newline;
    while ((newline = m_partialLine.indexOf('\n')) >= 0) {
        m_lines.append(QString::fromUtf8(m_partialLine.left(newline)));
        m_partialLine.remove(0, newline + 1);
    }
}
