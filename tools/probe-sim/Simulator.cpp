#include "Simulator.h"

#include "ProbeEndpoint.h"
#include "ProbeState.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/select.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t s_signalled = 0;

void OnSignal(int)
{
    s_signalled = 1;
}

} // namespace

Simulator::Simulator(const QStringList& addresses, quint16 port, bool verbose)
    : m_addresses(addresses), m_port(port), m_verbose(verbose)
{
    m_clock.start();
}

Simulator::~Simulator() = default;

bool Simulator::Open(QString* error)
{
    for (const QString& address : qAsConst(m_addresses)) {
        Probe probe;
        probe.state = std::make_unique<ProbeState>(address);
        if (!m_sysName.isEmpty()) {
            QString name = m_sysName;
            name.replace(QLatin1String("%a"), address);
            name.replace(QLatin1String("%n"), QString::number(m_probes.size() + 1));
            probe.state->SetSysName(name);
        }
        probe.endpoint = std::make_unique<ProbeEndpoint>(probe.state.get(), m_verbose, &m_heldAnswers);
        if (!probe.endpoint->Open(m_port, error))
            return false;
        m_probes.push_back(std::move(probe));
    }
    return true;
}

int Simulator::Run(int inputFd)
{
    // The signals stay blocked except inside pselect, so that one arriving between two checks is not lost.
    struct sigaction action = {};
    action.sa_handler = &OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigset_t blocked;
    sigset_t original;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, &original);

    std::printf("ready %d probes on port %u\n", int(m_probes.size()), m_port);
    std::fflush(stdout);

    while (!s_signalled && !m_quit) {
        RunCommands();
        if (m_quit || (m_inputEnded && m_lines.isEmpty() && !Busy()))
            break;

        fd_set readFds;
        FD_ZERO(&readFds);
        int maxFd = 0;
        if (!m_inputEnded) {
            FD_SET(inputFd, &readFds);
            maxFd = inputFd + 1;
        }
        timeval timeout = {0, 0};
        int block = 1;
        for (Probe& probe : m_probes)
            probe.endpoint->AddToSelect(&maxFd, &readFds, &timeout, &block);
        if (Busy()) {
            const qint64 due = MillisecondsToDue();
            const timeval commandTimeout = {time_t(due / 1000), suseconds_t((due % 1000) * 1000)};
            if (block || timercmp(&commandTimeout, &timeout, <))
                timeout = commandTimeout;
            block = 0;
        }
        const timespec pause = {timeout.tv_sec, timeout.tv_usec * 1000};
        const int ready = pselect(maxFd, &readFds, nullptr, nullptr, block ? nullptr : &pause, &original);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "probe-sim: select failed: %s\n", std::strerror(errno));
            return 1;
        }
        if (ready > 0) {
            if (!m_inputEnded && FD_ISSET(inputFd, &readFds))
                ReadInput(inputFd);
            for (Probe& probe : m_probes)
                probe.endpoint->Read(&readFds);
        }
        for (Probe& probe : m_probes)
            probe.endpoint->HandleTimeouts();
    }
    return 0;
}

void Simulator::ReadInput(int inputFd)
{
    char buffer[4096];
    const ssize_t count = read(inputFd, buffer, sizeof(buffer));
    if (count <= 0) {
        if (count < 0 && errno == EINTR)
            return;
        m_inputEnded = true;
        if (!m_inputBuffer.isEmpty())
            m_lines.append(QString::fromUtf8(m_inputBuffer));
        m_inputBuffer.clear();
        return;
    }
    m_inputBuffer.append(buffer, int(count));
    int newline;
    while ((newline = m_inputBuffer.indexOf('\n')) >= 0) {
        m_lines.append(QString::fromUtf8(m_inputBuffer.left(newline)));
        m_inputBuffer.remove(0, newline + 1);
    }
}

bool Simulator::Busy() const
{
    return m_clock.elapsed() < m_waitUntil || m_burst.repeated;
}

qint64 Simulator::MillisecondsToDue() const
{
    if (m_burst.repeated) {
        const qint64 next = m_burstStart + m_burstSent * 1000 / m_burst.value;
        return qMax<qint64>(0, next - m_clock.elapsed());
    }
    return qMax<qint64>(0, m_waitUntil - m_clock.elapsed());
}

void Simulator::RunCommands()
{
    ContinueBurst();
    while (!m_quit && !Busy() && !m_lines.isEmpty()) {
        const QString line = m_lines.takeFirst();
        ++m_lineNumber;
        Command command;
        if (m_parser.Parse(line, &command))
            Execute(command);
        else if (!m_parser.Error().isEmpty())
            std::fprintf(stderr, "probe-sim: line %d: %s\n", m_lineNumber, qPrintable(m_parser.Error()));
        ContinueBurst();
    }
}

void Simulator::Execute(const Command& command)
{
    switch (command.kind) {
    case Command::Wait:
        m_waitUntil = m_clock.elapsed() + command.number;
        return;
    case Command::Echo:
        std::printf("%s\n", qPrintable(command.text));
        std::fflush(stdout);
        return;
    case Command::Peak:
        std::printf("peak %d\n", m_heldAnswers.peak);
        std::fflush(stdout);
        m_heldAnswers.peak = m_heldAnswers.now;
        return;
    case Command::Quit:
        m_quit = true;
        return;
    case Command::Burst:
        m_burst = command;
        m_burstSent = 0;
        m_burstStart = m_clock.elapsed();
        return;
    default:
        break;
    }

    bool found = false;
    for (Probe& probe : m_probes) {
        if (command.target == QLatin1String("all") || command.addresses.contains(probe.state->Address())) {
            found = true;
            ExecuteOn(probe, command);
        }
    }
    if (!found)
        std::fprintf(stderr, "probe-sim: line %d: no probe %s\n", m_lineNumber, qPrintable(command.target));
}

void Simulator::ExecuteOn(Probe& probe, const Command& command)
{
    ProbeState& state = *probe.state;
    Notification notification;
    QString error;
    bool notify = false;
    switch (command.kind) {
    case Command::Raise:
    case Command::Clear:
        notify = state.SetCondition(command.condition, command.location, command.number, &notification, &error);
        break;
    case Command::Standard:
        state.SetStandard(int(command.number), command.value, &error);
        break;
    case Command::Fan:
        notify = state.SetFan(int(command.number), command.value, &notification, &error);
        break;
    case Command::Power:
        notify = state.SetPower(int(command.number), command.on, &notification, &error);
        break;
    case Command::Alive:
        notification = state.SignOfLife(command.text);
        notify = true;
        break;
    case Command::Connected:
    case Command::Disconnected:
        notification = state.Connection(command.kind == Command::Connected);
        notify = true;
        break;
    case Command::Silent:
    case Command::Back:
        state.SetSilent(command.kind == Command::Silent);
        break;
    case Command::RefuseSet:
        state.SetRefuseSet(command.on);
        break;
    case Command::Busy:
        state.SetBusy(command.on);
        break;
    case Command::Delay:
        state.SetAnswerDelay(command.number);
        break;
    case Command::Inform:
        state.SetSendInforms(command.on);
        break;
    default:
        break;
    }
    if (!error.isEmpty())
        std::fprintf(stderr, "probe-sim: line %d: %s: %s\n", m_lineNumber, qPrintable(state.Address()),
                     qPrintable(error));
    if (notify)
        probe.endpoint->Send(notification);
}

void Simulator::ContinueBurst()
{
    if (!m_burst.repeated)
        return;
    // Catch up on every notification that is due, so that the rate holds even when the loop wakes late.
    while (m_burstSent < m_burst.number && m_burstStart + m_burstSent * 1000 / m_burst.value <= m_clock.elapsed()) {
        Execute(*m_burst.repeated);
        ++m_burstSent;
    }
    if (m_burstSent >= m_burst.number)
        m_burst = Command();
}
