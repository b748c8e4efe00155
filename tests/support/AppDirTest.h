#pragma once

#include "TempAppDir.h"

#include <QObject>

#include <memory>

// A test whose every case runs in a fresh application directory, m_appDir. A test with an init() or cleanup() of
// its own calls these from it.
class AppDirTest : public QObject
{
    Q_OBJECT

protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<TempAppDir> m_appDir;
};
