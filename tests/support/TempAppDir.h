#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh application directory (config/, log/, lang/) that the path functions point at while it lives.
class TempAppDir
{
public:
    TempAppDir();
    ~TempAppDir();
    TempAppDir(const TempAppDir&) = delete;
    TempAppDir& operator=(const TempAppDir&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
};
