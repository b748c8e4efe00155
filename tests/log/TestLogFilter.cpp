#include "log/LogFilter.h"

#include <QtTest>

Q_DECLARE_METATYPE(LogFilter)

class TestLogFilter : public QObject
{
    Q_OBJECT

private slots:
    void clauseBindsEveryChosenValue_data();
    void clauseBindsEveryChosenValue();
};

namespace {
const QString Time = QStringLiteral("(datetime(start_time) > datetime(?) and datetime(start_time) < datetime(?))");

// Everything checked over two devices, 5 to 6 March, no signal names.
LogFilter Default()
{
    LogFilter filter;
    filter.checkedDevices = QStringList{"10.0.0.1", "10.0.0.2"};
    filter.deviceCount = 2;
    for (int n = 1; n <= 16; ++n)
        filter.bncPorts.append(n);
    filter.alarmTypes = {4, 2, 1, 8, 16, 32};
    filter.from = QDateTime(QDate(2024, 3, 5), QTime(0, 0));
    filter.end = QDateTime(QDate(2024, 3, 6), QTime(0, 0));
    return filter;
}

QVariantList Times()
{
    return {"2024-03-05 00:00:00", "2024-03-06 00:00:00"};
}
} // namespace

void TestLogFilter::clauseBindsEveryChosenValue_data()
{
    QTest::addColumn<LogFilter>("filter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariantList>("values");

    QTest::newRow("default: time only") << Default() << Time << Times();

    LogFilter none = Default();
    none.checkedDevices.clear();
    none.allPorts = none.aesEbu = none.analog = false;
    none.bncPorts.clear();
    none.alarmTypes.clear();
    QTest::newRow("nothing checked: no restriction") << none << Time << Times();

    LogFilter some = Default();
    some.checkedDevices = QStringList{"10.0.0.2"};
    some.allPorts = some.analog = false;
    some.bncPorts = {2};
    some.alarmTypes = {4, 8};
    some.signalNames = LogFilter::SplitSignalNames(QStringLiteral("News；Sport;;"), QStringLiteral("；"));
    QTest::newRow("device, AES/EBU + BNC2, two types, two names")
        << some
        << "(ip=?) and (portType=? or (portType=? and (portID=?))) and (alarmType=? or alarmType=?) and " + Time +
               " and (signalName like ? or signalName like ?)"
        << QVariantList{"10.0.0.2", 3, 1, 2, 4, 8} + Times() + QVariantList{"News", "Sport"};

    LogFilter typed = Default();
    typed.allPorts = typed.aesEbu = false;
    typed.bncPorts = {1, 5};
    typed.signalNames = QStringList{"O'Brien", "100%"};
    QTest::newRow("analog and two BNC, quote and percent bound as typed")
        << typed
        << "(portType=? or (portType=? and (portID=? or portID=?))) and " + Time +
               " and (signalName like ? or signalName like ?)"
        << QVariantList{4, 1, 1, 5} + Times() + QVariantList{"O'Brien", "100%"};
}

void TestLogFilter::clauseBindsEveryChosenValue()
{
    QFETCH(LogFilter, filter);
    QFETCH(QString, text);
    QFETCH(QVariantList, values);
    const LogClause clause = filter.Clause();
    QCOMPARE(clause.text, text);
    QCOMPARE(clause.values, values);
}

QTEST_GUILESS_MAIN(TestLogFilter)
#include "TestLogFilter.moc"
