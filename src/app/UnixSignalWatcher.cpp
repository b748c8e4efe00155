#include "app/UnixSignalWatcher.h"

#include <QDebug>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
// The handler may only write to a descriptor; the notifier reads it on the GUI thread.
int signalPipe[2] = {-1, -1};
} // namespace

UnixSignalWatcher::UnixSignalWatcher(QObject* parent) : QObject(parent)
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        qDebug() << "Signals will end the station without a clean shutdown: no socket pair";
        return;
    }
    m_notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalWatcher::OnReadable);
    struct sigaction action = {};
    action.sa_handler = &UnixSignalWatcher::Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        std::signal(number, SIG_DFL);
    if (signalPipe[0] >= 0) {
        close(signalPipe[0]);
        close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void UnixSignalWatcher::Handler(int signalNumber)
{
    const char byte = char(signalNumber);
    [[maybe_unused]] const ssize_t written = write(signalPipe[0], &byte, 1);
}

void UnixSignalWatcher::OnReadable()
{
    char byte = 0;
    if (read(signalPipe[1], &byte, 1) == 1)
        emit Signalled(int(byte));
}
