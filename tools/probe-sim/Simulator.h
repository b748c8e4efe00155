#pragma once

#include "CommandParser.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>

#include <memory>
#include <vector>

class ProbeEndpoint;
class ProbeState;

// Plays a set of probes: answers their requests and carries out the commands read from one input, in order,
// until the input ends, "quit" or a termination signal.
class Simulator
{
public:
    Simulator(const QStringList& addresses, quint16 port, bool verbose);
    ~Simulator();

    // The probes' sysName.0: "%a" stands for the probe's address, "%n" for its number (1 for the first address).
    void SetSysName(const QString& pattern) { m_sysName = pattern; }
    bool Open(QString* error);
    // Returns the process exit code.
    int Run(int inputFd);

private:
    struct Probe
    {
        std::unique_ptr<ProbeState> state;
        std::unique_ptr<ProbeEndpoint> endpoint;
    };

    void ReadInput(int inputFd);
    // Carries out commands until one makes the rest wait (wait, burst) or none are left.
    void RunCommands();
    void Execute(const Command& command);
    void ExecuteOn(Probe& probe, const Command& command);
    void ContinueBurst();
    bool Busy() const;
    // Milliseconds until the running wait or burst needs attention.
    qint64 MillisecondsToDue() const;

    QStringList m_addresses;
    quint16 m_port;
    bool m_verbose;
    QString m_sysName;
    std::vector<Probe> m_probes;
    CommandParser m_parser;
    HeldAnswers m_heldAnswers;

    QByteArray m_inputBuffer;
    QStringList m_lines;
    int m_lineNumber = 0;
    bool m_inputEnded = false;
    bool m_quit = false;

    QElapsedTimer m_clock;
    qint64 m_waitUntil = 0;
    Command m_burst;
    long m_burstSent = 0;
    qint64 m_burstStart = 0;
};
