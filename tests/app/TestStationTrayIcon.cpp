#include "app/StationTrayIcon.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QtTest>

Q_DECLARE_METATYPE(AlarmSummary)

// The tray shows the station's worst current state in colour and its counts in the tooltip, and brings the
// window back.
class TestStationTrayIcon : public QObject
{
    Q_OBJECT

private slots:
    void stateIsShown_data();
    void stateIsShown();
    void clickBringsBackMinimisedWindow();
};

void TestStationTrayIcon::stateIsShown_data()
{
    QTest::addColumn<bool>("monitoring");
    QTest::addColumn<AlarmSummary>("summary");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("toolTip");

    const QString title = QStringLiteral("Quorvex-Zentiq SNMP Monitor System\n");
    const QColor grey(0x98, 0xA3, 0xAE), green(0x27, 0x8F, 0x4E), amber(0xDB, 0x8D, 0x0B), red(0xBF, 0x35, 0x30);
    QTest::newRow("idle, alarms left over")
        << false << AlarmSummary{LevelError, 2, 0, -1} << grey << title + "Not monitoring";
    QTest::newRow("all well") << true << AlarmSummary{} << green << title + "Error alarms: 0\nWarning alarms: 0";
    QTest::newRow("warnings only") << true << AlarmSummary{LevelWarn, 0, 4, -1} << amber
                                   << title + "Error alarms: 0\nWarning alarms: 4";
    QTest::newRow("errors and warnings") << true << AlarmSummary{LevelError, 3, 2, -1} << red
                                         << title + "Error alarms: 3\nWarning alarms: 2";
    QTest::newRow("unacknowledged counted") << true << AlarmSummary{LevelError, 1, 1, 2} << red
                                            << title + "Error alarms: 1\nWarning alarms: 1\nUnacknowledged: 2";
}

void TestStationTrayIcon::stateIsShown()
{
    QFETCH(bool, monitoring);
    QFETCH(AlarmSummary, summary);
    QFETCH(QColor, color);
    QFETCH(QString, toolTip);

    QMainWindow window;
    StationTrayIcon tray(&window, {});
    // Start from another state, so that each row shows a change.
    tray.ShowState(!monitoring, AlarmSummary{LevelWarn, 0, 9, -1});
    tray.ShowState(monitoring, summary);

    QCOMPARE(tray.TrayIcon()->toolTip(), toolTip);
    for (int size : {16, 32}) {
        const QImage image = tray.TrayIcon()->icon().pixmap(size, size).toImage();
        // Above the start of the trace, clear of the badge's rounded corner.
        QCOMPARE(image.pixelColor(size / 8, size / 3), color);
    }
}

void TestStationTrayIcon::clickBringsBackMinimisedWindow()
{
    QMainWindow window;
    QAction start(QStringLiteral("Start Monitoring"));
    StationTrayIcon tray(&window, {&start, nullptr});
    window.showMinimized();
    QVERIFY(window.isMinimized());

    emit tray.TrayIcon()->activated(QSystemTrayIcon::Trigger);
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMinimized());
    QCOMPARE(tray.TrayIcon()->contextMenu()->actions().first(), &start);
}

QTEST_MAIN(TestStationTrayIcon)
#include "TestStationTrayIcon.moc"
