#include "TempAppDir.h"
#include "views/AlarmAgeText.h"
#include "views/DevicePicMonitorForm.h"
#include "views/DeviceStatusForm.h"
#include "views/DeviceWidget.h"
#include "views/StatusWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QtTest>

// Tiles, port pictures and the all-devices status window.
class TestDeviceTiles : public QObject
{
    Q_OBJECT

private slots:
    void ageTexts_data();
    void ageTexts();
    void tileShowsAgeOnlyWhileAlarmed();
    void soundButtonTogglesAndReports();
    void pictureIsScaledAndCentred();
    void statusFormKeepsWhatItIsNotGiven();
    void statusWindowFillsTwoColumns();
    void statusWindowDrawsEveryDevicesPicturesAlike();
};

void TestDeviceTiles::ageTexts_data()
{
    QTest::addColumn<qint64>("secondsAgo");
    QTest::addColumn<QString>("text");
    QTest::newRow("59 s") << qint64(59) << "within 1 minute";
    QTest::newRow("90 s") << qint64(90) << "1 minutes ago";
    QTest::newRow("60 min") << qint64(3600) << "1 hours ago";
    QTest::newRow("25 h") << qint64(25 * 3600) << "1 days ago";
    QTest::newRow("future") << qint64(-120) << "-2 minutes ago";
}

void TestDeviceTiles::ageTexts()
{
    QFETCH(qint64, secondsAgo);
    QFETCH(QString, text);
    const qint64 now = 1'800'000'000'000;
    QCOMPARE(AlarmAgeText(now - secondsAgo * 1000, now), text);
}

void TestDeviceTiles::tileShowsAgeOnlyWhileAlarmed()
{
    TempAppDir appDir;
    DeviceWidget tile;
    tile.SetIp(QStringLiteral("10.0.0.1"));
    tile.SetAlarmTime(QDateTime::currentDateTime().addSecs(-90));
    tile.SetState(3);
    QCOMPARE(tile.GetAgeText(), QStringLiteral("1 minutes ago"));
    tile.SetState(2);
    QCOMPARE(tile.GetAgeText(), QStringLiteral("1 minutes ago"));
    tile.SetState(1);
    QCOMPARE(tile.GetAgeText(), QStringLiteral("- - -"));
    // The red dot belongs to state 3 alone.
    tile.resize(150, 100);
    const auto dot = [&tile] { return tile.grab().toImage().pixelColor(135, 15); };
    QCOMPARE(dot(), QColor(153, 204, 0));
    tile.SetState(3);
    QCOMPARE(dot(), QColor(Qt::red));
}

void TestDeviceTiles::soundButtonTogglesAndReports()
{
    TempAppDir appDir;
    DeviceWidget tile;
    tile.SetIp(QStringLiteral("10.0.0.2"));
    QSignalSpy sound(&tile, &DeviceWidget::EnableSound);
    tile.OnSoundButtonClicked();
    tile.OnSoundButtonClicked();
    QCOMPARE(sound.size(), 2);
    QCOMPARE(sound[0], (QList<QVariant>{"10.0.0.2", false}));
    QCOMPARE(sound[1], (QList<QVariant>{"10.0.0.2", true}));
    QVERIFY(tile.IsSoundOn());
}

void TestDeviceTiles::pictureIsScaledAndCentred()
{
    TempAppDir appDir;
    QImage image(60, 40, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    const QString path = appDir.filePath("picture.png");
    QVERIFY(image.save(path));
    StatusWidget picture;
    picture.SetIcons(path, path, path, path);
    picture.resize(30, 30);
    picture.SetState(1);
    QCOMPARE(picture.ImageRect(), QRect(0, 5, 30, 20));

    DeviceStatusForm form;
    int bnc[16];
    std::fill(std::begin(bnc), std::end(bnc), 2);
    form.SetStates(3, 1, 1, bnc, 16);
    bnc[0] = 7;
    form.SetStates(3, 1, 1, bnc, 16);
    QCOMPARE(form.States()[3], 2);
    QCOMPARE(form.States()[0], 3);
}

void TestDeviceTiles::statusFormKeepsWhatItIsNotGiven()
{
    TempAppDir appDir;
    DeviceStatusForm form;
    QStringList bnc;
    for (int i = 1; i <= 20; ++i)
        bnc << (i == 2 ? QString() : QStringLiteral("CAM %1").arg(i));
    form.SetCaptions(QString(), QStringLiteral("Desk AES"), bnc);
    const QStringList captions = form.Captions();
    QCOMPARE(captions.size(), 18);
    QCOMPARE(captions.mid(0, 4), (QStringList{"ANA Audio", "Desk AES", "CAM 1", "BNC 2"}));
    QCOMPARE(captions.last(), QStringLiteral("CAM 16"));
}

void TestDeviceTiles::statusWindowFillsTwoColumns()
{
    TempAppDir appDir;
    DevicePicMonitorForm window;
    const auto cell = [&window](const QString& ip) {
        int row, column, rowSpan, columnSpan;
        window.Grid()->getItemPosition(window.Grid()->indexOf(window.Box(ip)), &row, &column, &rowSpan, &columnSpan);
        return QPoint(column, row);
    };
    window.AddDevice(QStringLiteral("10.0.0.1"), QStringLiteral("Studio A (10.0.0.1)"));
    // The placeholder keeps the second column while one device is shown.
    QCOMPARE(window.Grid()->count(), 2);
    window.AddDevice(QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.2"));
    window.AddDevice(QStringLiteral("10.0.0.3"), QStringLiteral("10.0.0.3"));
    window.AddDevice(QStringLiteral("10.0.0.3"), QStringLiteral("again"));
    QCOMPARE(window.Grid()->count(), 3);
    QCOMPARE(cell("10.0.0.1"), QPoint(0, 0));
    QCOMPARE(cell("10.0.0.2"), QPoint(1, 0));
    QCOMPARE(cell("10.0.0.3"), QPoint(0, 1));
    QCOMPARE(window.Box("10.0.0.1")->title(), QStringLiteral("Studio A (10.0.0.1)"));
    window.Clear();
    QCOMPARE(window.Grid()->count(), 0);
    QVERIFY(!window.StatusForm("10.0.0.1"));
}

// Captions of three lines make a row of the grid taller: the other group of that row must not draw bigger pictures.
void TestDeviceTiles::statusWindowDrawsEveryDevicesPicturesAlike()
{
    TempAppDir appDir;
    DevicePicMonitorForm window;
    QStringList longNames;
    for (int i = 1; i <= 16; ++i)
        longNames << QStringLiteral("Master Control Camera %1").arg(i);
    for (int i = 1; i <= 4; ++i)
        window.AddDevice(QStringLiteral("10.0.0.%1").arg(i), QStringLiteral("Studio %1").arg(i));
    window.SetCaptions(QStringLiteral("10.0.0.3"), "Master Control Analog", "Master Control AES", longNames);
    window.resize(1600, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSet<int> heights;
    for (int i = 1; i <= 4; ++i)
        for (const StatusWidget* picture :
             window.StatusForm(QStringLiteral("10.0.0.%1").arg(i))->findChildren<StatusWidget*>())
            heights.insert(picture->height());
    QCOMPARE(heights.size(), 1);
}

QTEST_MAIN(TestDeviceTiles)
#include "TestDeviceTiles.moc"
