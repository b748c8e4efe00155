#include "AppDirTest.h"

#include <QtTest>

void AppDirTest::init()
{
    m_appDir = std::make_unique<TempAppDir>();
    QVERIFY(m_appDir->isValid());
}

void AppDirTest::cleanup()
{
    m_appDir.reset();
}
