#include "views/DeviceNavigation.h"
#include "views/DeviceWidget.h"

#include <QRandomGenerator>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

class TestDeviceNavigation : public QObject
{
    Q_OBJECT

private slots:
    void onlyTilesInViewAreShown_data();
    void onlyTilesInViewAreShown();
    void raisesAndLowersLeaveTheOrderOfMovesOneByOne();
};

void TestDeviceNavigation::onlyTilesInViewAreShown_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("appended") << "";
    QTest::newRow("appended before the table was shown") << "show";
    QTest::newRow("scrolled to the end") << "scroll";
    QTest::newRow("last tile moved to the top") << "move";
    QTest::newRow("table made taller") << "resize";
}

// A tile over the viewport that stays hidden leaves a blank in the column; one out of view that stays shown costs
// every repaint.
void TestDeviceNavigation::onlyTilesInViewAreShown()
{
    QFETCH(QString, change);
    QTableWidget table(0, 1);
    table.resize(150, 350);
    if (change != "show") {
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
    }
    DeviceNavigation navigation(&table);
    const int devices = 40;
    for (int i = 0; i < devices; ++i) {
        auto* tile = new DeviceWidget;
        tile->SetIp(QStringLiteral("10.0.0.%1").arg(i));
        navigation.Append(tile);
    }
    if (change == "show") {
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
    }
    DeviceWidget* last = navigation.Tiles().last();
    if (change == "scroll") {
        // The table sets its scroll range once it has laid out the new rows.
        QTRY_VERIFY(table.verticalScrollBar()->maximum() > 0);
        table.verticalScrollBar()->setValue(table.verticalScrollBar()->maximum());
    } else if (change == "move") {
        navigation.Raise(last);
        navigation.ShowOrder();
    } else if (change == "resize") {
        table.resize(150, 900);
    }

    int shown = 0;
    const QRect view = table.viewport()->rect();
    for (int row = 0; row < devices; ++row) {
        DeviceWidget* tile = navigation.ShownAt(row);
        const QRect rect(0, table.rowViewportPosition(row), view.width(), 100);
        const bool inView = rect.intersects(view);
        QCOMPARE(tile->isVisible(), inView);
        if (inView)
            QCOMPARE(tile->geometry(), rect);
        shown += inView;
    }
    QVERIFY(shown > 0 && shown < devices / 2);
    QCOMPARE(last->isVisible(), change == "scroll" || change == "move");
}

// The order is settled only when read: it must be the one that moving each tile in turn gives, whatever the mix.
void TestDeviceNavigation::raisesAndLowersLeaveTheOrderOfMovesOneByOne()
{
    QTableWidget table(0, 1);
    DeviceNavigation navigation(&table);
    QList<DeviceWidget*> expected;
    for (int i = 0; i < 8; ++i) {
        auto* tile = new DeviceWidget;
        tile->SetIp(QStringLiteral("10.0.0.%1").arg(i));
        navigation.Append(tile);
        expected.append(tile);
    }
    QRandomGenerator random(20261208);
    for (int step = 0; step < 2000; ++step) {
        DeviceWidget* tile = expected[random.bounded(expected.size())];
        expected.removeOne(tile);
        if (random.bounded(2)) {
            navigation.Raise(tile);
            expected.prepend(tile);
        } else {
            navigation.Lower(tile);
            expected.append(tile);
        }
        if (random.bounded(10) == 0)
            QCOMPARE(navigation.Tiles(), expected);
    }
    QCOMPARE(navigation.Tiles(), expected);
}

QTEST_MAIN(TestDeviceNavigation)
#include "TestDeviceNavigation.moc"
