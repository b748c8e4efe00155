#include "app/AppDirLock.h"

#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

AppDirLock::~AppDirLock()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool AppDirLock::TryLock(QString& error)
{
    QDir().mkpath(GetLogDir());
    const QString path = GetLogDir() + QStringLiteral("/station.lock");
    m_fd = open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        error = QCoreApplication::translate("AppDirLock", "Cannot open %1: %2")
                    .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    error = QCoreApplication::translate("AppDirLock", "A station is running in %1.")
                .arg(QDir::toNativeSeparators(GetAppDir()));
    close(m_fd);
    m_fd = -1;
    return false;
}
