#include "LogTestSupport.h"
#include "log/LogDatabase.h"
#include "log/LogExport.h"

#include <QtTest>

#include <ctime>

class TestLogExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void logLayoutIsByteExact();
    void csvQuotesWhatNeedsIt();
    void durationAcrossDaylightSavingChange_data();
    void durationAcrossDaylightSavingChange();
};

void TestLogExport::initTestCase()
{
    // A zone with daylight saving time, whatever the machine's.
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

namespace {
// An ended video alarm of more than a day, and an open silence alarm of track 2.
QList<AlarmRecord> Records()
{
    AlarmRecord video = MakeAlarm(3, LevelError, At("2024-03-03 05:00:00.000"));
    video.deviceName = "Studio A";
    video.signalName = "News";
    video.note = "unused";
    video.end_time = At("2024-03-05 08:04:05.678");
    AlarmRecord silence = MakeAlarm(1, LevelWarn, At("2024-03-05 07:00:00.001"));
    silence.portType = PortTypeAes;
    silence.alarmType = AlarmTypeSilence;
    silence.trackID = 2;
    return {video, silence};
}
} // namespace

void TestLogExport::logLayoutIsByteExact()
{
    const QList<AlarmRecord> records = Records();
    QByteArray expected =
        "ID        Starting Time          \tEnd Time               \t\tDuration               \t"
        "IP Address     \tDevice Name     \tAlarm Type      \tPort      \tSignal Name     \tNote\t\r\n"
        "\r\n" +
        QByteArray(180, '-') + "\r\n";
    QCOMPARE(LogExport::Header(LogExport::Format::Log), expected);
    QCOMPARE(LogExport::Line(LogExport::Format::Log, 1, records[0]),
             QByteArray("1         2024-03-03 05:00:00.000\t2024-03-05 08:04:05.678\t\t2 day 03:04:05.678     \t"
                        "10.0.0.7       \tStudio A        \t\tVideo Lost      \tBNC 3     \tNews            \t"
                        "unused\r\n"));
    QCOMPARE(LogExport::Line(LogExport::Format::Log, 450, records[1]),
             QByteArray("450       2024-03-05 07:00:00.001\t                       \t\t                       \t"
                        "10.0.0.7       \t                \t\tSlience         \tAES/EBU 1 \t                \t"
                        "CH2\r\n"));
    QCOMPARE(LogExport::DurationText(At("2024-03-05 07:00:00.000"), At("2024-03-05 07:00:01.500")),
             QString("00:00:01.500"));
}

void TestLogExport::csvQuotesWhatNeedsIt()
{
    AlarmRecord record = Records()[0];
    record.deviceName = "Studio \"A\", left";
    record.signalName = "Line\nbreak";
    record.note = "Überlauf";
    QCOMPARE(
        LogExport::Header(LogExport::Format::Csv),
        QByteArray("ID,Starting Time,End Time,Duration,IP Address,Device Name,Alarm Type,Port,Signal Name,Note,"
                   "Acknowledged,Acknowledgement Note\r\n"));
    QCOMPARE(LogExport::Line(LogExport::Format::Csv, 7, record, "2024-03-05 08:00:00.000", "seen, \"ok\""),
             QString("7,2024-03-03 05:00:00.000,2024-03-05 08:04:05.678,2 day 03:04:05.678,10.0.0.7,"
                     "\"Studio \"\"A\"\", left\",Video Lost,BNC 3,\"Line\nbreak\",Überlauf,2024-03-05 08:00:00.000,"
                     "\"seen, \"\"ok\"\"\"\r\n")
                 .toUtf8());
}

void TestLogExport::durationAcrossDaylightSavingChange_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("duration");
    QTest::newRow("forward") << "2024-03-31 01:30:00.000"
                             << "2024-03-31 03:30:00.000"
                             << "01:00:00.000";
    QTest::newRow("back") << "2024-10-27 01:30:00.000"
                          << "2024-10-27 03:30:00.000"
                          << "03:00:00.000";
    QTest::newRow("a day across") << "2024-03-30 12:00:00.000"
                                  << "2024-03-31 12:00:00.000"
                                  << "23:00:00.000";
}

// Stored as the station's local clock showed them, and read back from the file as the browser and the export do.
void TestLogExport::durationAcrossDaylightSavingChange()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QTemporaryDir dir;
    LogDatabase database;
    QVERIFY(database.Open(dir.filePath("alarm.db")));
    const AlarmRecord started = MakeAlarm(1, LevelError, At(start));
    QVERIFY(database.Insert(started));
    QVERIFY(database.UpdateEndTime(AlarmHelpKey(started), end));
    AlarmRecord read;
    QCOMPARE(database.Select(LogClause{"where id > ?", {0}}, {&read}), 1);
    QTEST(LogExport::DurationText(read.time, read.end_time), "duration");
}

QTEST_GUILESS_MAIN(TestLogExport)
#include "TestLogExport.moc"
