#include <QImage>
#include <QtTest>

// The window, the toolbar and the views load these pictures from sys/icon; the build draws every one of them.
class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void iconIsDrawn_data();
    void iconIsDrawn();

private:
    QString m_iconDir;
};

void TestIcons::initTestCase()
{
    const QString buildDir = qEnvironmentVariable("VZ_BUILD_DIR");
    QVERIFY2(!buildDir.isEmpty(), "VZ_BUILD_DIR is not set");
    m_iconDir = buildDir + QStringLiteral("/sys/icon");
}

void TestIcons::iconIsDrawn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparent");

    QTest::newRow("logo") << QStringLiteral("/logo.png") << QSize(256, 256) << true;
    const QStringList actions = {"start", "stop", "device_config", "config",    "sound",     "unsound",  "help",
                                 "about", "log",  "Status",        "hide_left", "show_left", "hide_cur", "show_cur"};
    for (const QString& action : actions) {
        QTest::newRow(qPrintable(action)) << QStringLiteral("/%1.png").arg(action) << QSize(64, 64) << true;
    }
    for (const char* port : {"lan", "analog", "aes", "bnc"}) {
        for (const char* state : {"disable", "normal", "warn", "error"}) {
            const QString name = QStringLiteral("/%1_%2.png").arg(QLatin1String(port), QLatin1String(state));
            QTest::newRow(qPrintable(name)) << name << QSize(64, 64) << true;
        }
    }
    QTest::newRow("back") << QStringLiteral("/back.png") << QSize(104, 28) << false;
    QTest::newRow("device") << QStringLiteral("/device.jpg") << QSize(240, 96) << false;
}

void TestIcons::iconIsDrawn()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(bool, transparent);

    const QImage image = QImage(m_iconDir + name).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!image.isNull(), qPrintable(m_iconDir + name));
    QCOMPARE(image.size(), size);

    bool clearPixel = false;
    bool opaquePixel = false;
    bool secondColour = false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            clearPixel |= qAlpha(pixel) == 0;
            opaquePixel |= qAlpha(pixel) == 255;
            secondColour |= pixel != first;
        }
    }
    QVERIFY(opaquePixel);
    QVERIFY(secondColour);
    QCOMPARE(clearPixel, transparent);
}

QTEST_GUILESS_MAIN(TestIcons)
#include "TestIcons.moc"
