#include "views/AlarmRowIndex.h"

#include <QRandomGenerator>
#include <QtTest>

class TestAlarmRowIndex : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithAPlainListThroughManyInsertsAndRemovals();
};

// The plain list is what a table walked from the top would show; the index must answer the same across its
// renumbering as rows come and go.
void TestAlarmRowIndex::agreesWithAPlainListThroughManyInsertsAndRemovals()
{
    QRandomGenerator random(20261206);
    AlarmRowIndex index;
    QStringList rows;
    for (int step = 0; step < 20000; ++step) {
        const QString key = QStringLiteral("10.0.0.1:1:%1:video").arg(random.bounded(40));
        if (rows.isEmpty() || random.bounded(100) < 55) {
            index.InsertTop(key);
            rows.prepend(key);
        } else {
            const int row = random.bounded(rows.size());
            index.RemoveRow(row);
            rows.removeAt(row);
        }
        QCOMPARE(index.Count(), rows.size());
        QCOMPARE(index.TopRowOf(key), rows.indexOf(key));
        if (step == 15000) {
            index.Clear();
            rows.clear();
        }
    }
    QCOMPARE(index.TopRowOf(QStringLiteral("absent")), -1);
}

QTEST_GUILESS_MAIN(TestAlarmRowIndex)
#include "TestAlarmRowIndex.moc"
