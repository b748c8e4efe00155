#include "TempAppDir.h"

#include "app/AppPaths.h"

#include <QDir>

TempAppDir::TempAppDir()
{
    if (!m_dir.isValid())
        return;
    for (const char* sub : {"bin", "config", "log", "lang", "sys/icon"})
        QDir(m_dir.path()).mkpath(QString::fromLatin1(sub));
    SetAppDirOverride(m_dir.path());
}

TempAppDir::~TempAppDir()
{
    SetAppDirOverride(QString());
}
