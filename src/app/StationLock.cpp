#include "app/StationLock.h"

#include <QDebug>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int ConnectTimeoutMs = 1000;
}

StationLock::StationLock(const QString& logDir, QObject* parent)
    : QObject(parent), m_lockPath(logDir + "/alarm.db.lock"), m_socketPath(logDir + "/alarm.db.sock")
{
}

StationLock::~StationLock()
{
    if (m_server)
        m_server->close();
    if (m_fd >= 0)
        close(m_fd);
}

bool StationLock::Acquire()
{
    QDir().mkpath(QFileInfo(m_lockPath).path());
    m_fd = open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        qDebug() << "The station's lock cannot be made:" << m_lockPath << std::strerror(errno);
        return true;
    }
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        if (!held)
            qDebug() << "The station's lock cannot be taken:" << m_lockPath << std::strerror(errno);
        close(m_fd);
        m_fd = -1;
        return !held;
    }
    // Whoever listened here before has ended: the lock was free.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* knock = m_server->nextPendingConnection()) {
            knock->disconnectFromServer();
            knock->deleteLater();
            emit Sig_RaiseRequested();
        }
    });
    if (!m_server->listen(m_socketPath))
        qDebug() << "A second start cannot reach this station:" << m_server->errorString();
    return true;
}

bool StationLock::AskHolderToRaise() const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    return socket.waitForConnected(ConnectTimeoutMs);
}
