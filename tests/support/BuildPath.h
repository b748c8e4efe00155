#pragma once

#include <QCoreApplication>
#include <QString>

// A file of the build tree, e.g. BuildPath("lang/vizavovu_zh_CN.qm"). CTest names the tree in VZ_BUILD_DIR; run by
// hand, a test program finds it two levels above its own directory (build/tests/bin).
inline QString BuildPath(const QString& relative)
{
    return qEnvironmentVariable("VZ_BUILD_DIR", QCoreApplication::applicationDirPath() + QStringLiteral("/../..")) +
           QLatin1Char('/') + relative;
}
