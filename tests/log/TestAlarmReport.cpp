#include "LogTestSupport.h"
#include "TempAppDir.h"
#include "log/AlarmReport.h"
#include "log/LogDatabase.h"

#include <QtTest>

// The report's figures against a real log file whose answers are known by hand. Every period is 2024-03-05
// 00:00 to 12:00; alarm times are minutes from its start.
class TestAlarmReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void figures_data();
    void figures();
    void deviceChoiceAndCsv();
    void periodThatDoesNotEndAfterItBeginsIsRefused();

private:
    // "B3 4 600 620": BNC 3, video lost, from minute 600 to 620; "A1/2 8 100 open": AES/EBU 1 track 2, silence,
    // still open; "C 32 0 10": the device's connection. Several alarms separated by ";".
    void Log(const QString& alarms, const QString& ip = QStringLiteral("10.0.0.7"),
             const QString& deviceName = QStringLiteral("Studio"));

    std::unique_ptr<TempAppDir> m_appDir;
    std::unique_ptr<LogDatabase> m_database;
};

namespace {
QDateTime Minute(int minute)
{
    return At("2024-03-05 00:00:00.000").addSecs(60 * minute);
}

// Port, alarms, time in alarm, longest alarm and availability of every row; ";" between rows.
QString Figures(const AlarmReport& report)
{
    QStringList rows;
    for (const AlarmReport::Signal& signal : report.Signals()) {
        const QStringList texts = report.FigureTexts(signal);
        rows.append(QStringList{texts[3], texts[4], texts[5], texts[6], texts[7]}.join(QLatin1Char('|')));
    }
    return rows.join(QLatin1Char(';'));
}

// "hour:count" of every hour with alarm starts.
QString Histogram(const AlarmReport& report)
{
    QStringList bins;
    for (int i = 0; i < report.Histogram().size(); ++i)
        if (report.Histogram()[i] > 0)
            bins.append(QStringLiteral("%1:%2").arg(i).arg(report.Histogram()[i]));
    return bins.join(QLatin1Char(','));
}
} // namespace

void TestAlarmReport::init()
{
    m_appDir = std::make_unique<TempAppDir>();
    m_database = std::make_unique<LogDatabase>();
    QVERIFY(m_database->Open(m_appDir->filePath("log/alarm.db")));
}

void TestAlarmReport::cleanup()
{
    m_database.reset();
    m_appDir.reset();
}

void TestAlarmReport::Log(const QString& alarms, const QString& ip, const QString& deviceName)
{
    for (const QString& alarm : alarms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList parts = alarm.simplified().split(QLatin1Char(' '));
        QCOMPARE(parts.size(), 4);
        const QString port = parts[0];
        AlarmRecord record = MakeAlarm(0, LevelError, Minute(parts[2].toInt()));
        record.ip = ip;
        record.deviceName = deviceName;
        record.alarmType = parts[1].toInt();
        if (port.startsWith(QLatin1Char('C'))) {
            record.portType = PortTypeNone;
        } else {
            record.portType = port.startsWith(QLatin1Char('A')) ? PortTypeAes : PortTypeBnc;
            record.portID = port.mid(1).section(QLatin1Char('/'), 0, 0).toInt();
            record.trackID = port.contains(QLatin1Char('/')) ? port.section(QLatin1Char('/'), 1).toInt() : -1;
            record.signalName = QStringLiteral("Feed ") + port;
        }
        QVERIFY(m_database->Insert(record));
        if (parts[3] != QLatin1String("open"))
            QVERIFY(m_database->UpdateEndTime(AlarmHelpKey(record),
                                              Minute(parts[3].toInt()).toString(LogDatabase::TimeFormat)));
    }
}

void TestAlarmReport::figures_data()
{
    QTest::addColumn<QString>("alarms");
    QTest::addColumn<int>("nowMinute");
    QTest::addColumn<QString>("figures");
    QTest::addColumn<QString>("histogram");

    const int later = 24 * 60;
    QTest::newRow("two types overlapping on one signal count once")
        << "B3 1 600 620; B3 2 610 630" << later << "BNC 3|2|00:30:00.000|00:20:00.000|95.83%"
        << "10:2";
    QTest::newRow("open alarm counts to the end of the period")
        << "B1 4 660 open" << later << "BNC 1|1|01:00:00.000|01:00:00.000|91.66%"
        << "11:1";
    QTest::newRow("open alarm counts to now, the period measured to now")
        << "B1 4 660 open" << 690 << "BNC 1|1|00:30:00.000|00:30:00.000|95.65%"
        << "11:1";
    QTest::newRow("alarms crossing the edges count inside only")
        << "B2 4 -30 30; B2 2 705 750; B5 4 -60 800" << later
        << "BNC 5|0|12:00:00.000|12:00:00.000|0.00%;BNC 2|1|00:45:00.000|00:30:00.000|93.75%"
        << "11:1";
    QTest::newRow("zero-length alarm") << "B4 1 300 300" << later << "BNC 4|1|00:00:00.000|00:00:00.000|100.00%"
                                       << "5:1";
    QTest::newRow("no alarm in the period") << "B4 1 -120 -60; B4 1 800 810" << later << ""
                                            << "";
    QTest::newRow("tracks and device alarms have rows of their own")
        << "A1/2 8 100 110; A1/1 8 100 120; C 32 0 10" << later
        << "AES/EBU 1 CH1|1|00:20:00.000|00:20:00.000|97.22%;--|1|00:10:00.000|00:10:00.000|98.61%;"
           "AES/EBU 1 CH2|1|00:10:00.000|00:10:00.000|98.61%"
        << "0:1,1:2";
}

void TestAlarmReport::figures()
{
    QFETCH(QString, alarms);
    QFETCH(int, nowMinute);
    Log(alarms);
    AlarmReport report;
    QVERIFY2(report.Build(*m_database, Minute(0), Minute(720), QString(), Minute(nowMinute)),
             qPrintable(report.ErrorString()));
    QTEST(Figures(report), "figures");
    QTEST(Histogram(report), "histogram");
    QCOMPARE(report.Histogram().size(), 12);
}

void TestAlarmReport::deviceChoiceAndCsv()
{
    Log("B3 4 60 90; B3 2 70 75", QStringLiteral("10.0.0.7"), QStringLiteral("Studio \"A\", left"));
    Log("B1 4 60 61", QStringLiteral("10.0.0.8"), QStringLiteral("Other"));
    AlarmReport report;
    QVERIFY(report.Build(*m_database, Minute(0), Minute(720), QStringLiteral("10.0.0.7"), Minute(720)));
    QCOMPARE(report.Csv(), QByteArray("Device Name,IP Address,Signal Name,Port,Alarms,Time in Alarm,Longest Alarm,"
                                      "Availability\r\n"
                                      "\"Studio \"\"A\"\", left\",10.0.0.7,Feed B3,BNC 3,2,00:30:00.000,"
                                      "00:30:00.000,95.83%\r\n"));
    QVERIFY(report.Build(*m_database, Minute(0), Minute(720), QString(), Minute(720)));
    QCOMPARE(report.Signals().size(), 2);
}

void TestAlarmReport::periodThatDoesNotEndAfterItBeginsIsRefused()
{
    Log("B3 4 60 90");
    AlarmReport report;
    QVERIFY(!report.Build(*m_database, Minute(720), Minute(720), QString(), Minute(720)));
    QVERIFY(!report.ErrorString().isEmpty());
    QVERIFY(report.Signals().isEmpty());
}

QTEST_GUILESS_MAIN(TestAlarmReport)
#include "TestAlarmReport.moc"
