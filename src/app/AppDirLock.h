#pragma once

#include <QString>

// Whether a station holds the application directory: an exclusive lock on log/station.lock, released when its
// holder ends, however it ends.
class AppDirLock
{
public:
    AppDirLock() = default;
    ~AppDirLock();
    AppDirLock(const AppDirLock&) = delete;
    AppDirLock& operator=(const AppDirLock&) = delete;

    // False when another process holds it, or with the reason in error when the lock file cannot be opened.
    bool TryLock(QString& error);

private:
    int m_fd = -1;
};
