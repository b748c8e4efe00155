#include "alarm/AlarmNote.h"

#include <QtTest>

class TestAlarmNote : public QObject
{
    Q_OBJECT

private slots:
    void notesAreTrimmedBoundAndPrintable_data();
    void notesAreTrimmedBoundAndPrintable();
};

void TestAlarmNote::notesAreTrimmedBoundAndPrintable_data()
{
    QTest::addColumn<QString>("typed");
    // Empty when the note is refused.
    QTest::addColumn<QString>("kept");
    QTest::newRow("trimmed") << "  feed B down for maintenance \t"
                             << "feed B down for maintenance";
    QTest::newRow("empty") << "   "
                           << "";
    QTest::newRow("300 after trimming") << " " + QString(300, QChar(0x6f14)) + " " << QString(300, QChar(0x6f14));
    QTest::newRow("301") << QString(301, 'x') << "";
    QTest::newRow("line break inside") << "seen\nby me"
                                       << "";
    QTest::newRow("escape character") << "seen\x1b[31m"
                                      << "";
    QTest::newRow("line separator") << QString("seen") + QChar(0x2028) + "by me"
                                    << "";
    QTest::newRow("right-to-left override") << QString("ok ") + QChar(0x202E) + "gnp.exe"
                                            << "";
    QTest::newRow("quote and semicolon, kept as typed") << "it's ok'; drop table alarm2; --"
                                                        << "it's ok'; drop table alarm2; --";
}

void TestAlarmNote::notesAreTrimmedBoundAndPrintable()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QString cleaned = "untouched";
    QString error;
    const bool accepted = AlarmNote::Check(typed, cleaned, error);
    const bool refused = kept.isEmpty() && !typed.trimmed().isEmpty();
    QCOMPARE(accepted, !refused);
    QCOMPARE(error.isEmpty(), accepted);
    QCOMPARE(cleaned, refused ? QString("untouched") : kept);
}

QTEST_GUILESS_MAIN(TestAlarmNote)
#include "TestAlarmNote.moc"
