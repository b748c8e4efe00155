#include "AlarmRecords.h"
#include "AppDirTest.h"
#include "StationFiles.h"
#include "alarm/AlarmRecord.h"
#include "log/LogDatabase.h"
#include "log/LogExport.h"
#include "log/LogFilter.h"
#include "log/LogText.h"

#include <QtTest>

#include <ctime>

Q_DECLARE_METATYPE(LogFilter)

// The log file itself: rows, purge, bound searches, the browser's filters and the export's formatting.
class TestLogDatabase : public AppDirTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void reopenKeepsRowsSecondOpenRefused();
    void purgeKeepsFromMidnightOfTheCutOffDay_data();
    void purgeKeepsFromMidnightOfTheCutOffDay();
    void purgeTakesAcknowledgementsAndOldShelvesAlong();
    void shelfEndingInTheRepeatedHourKeepsItsInstant();
    void selectFillsAtMostTheListNewestFirst();
    void filtersFindTheirRows_data();
    void filtersFindTheirRows();
    void exportLinesAndCsvQuoting();
    void durationAcrossDaylightSavingChange_data();
    void durationAcrossDaylightSavingChange();

private:
    // The signal names of the rows that match, oldest first.
    QStringList SignalsWhere(const LogClause& where);

    QString m_path;
    std::unique_ptr<LogDatabase> m_database;
};

namespace {
// Every field that the log stores, in one text.
QString LoggedFields(const AlarmRecord& r)
{
    const QString format = LogDatabase::TimeFormat;
    const QStringList texts{r.time.toString(format), r.end_time.toString(format), r.ip, r.deviceName, r.signalName};
    return texts.join('|') +
           QStringLiteral("|%1|%2|%3|%4|").arg(r.portType).arg(r.portID).arg(r.trackID).arg(r.alarmType) + r.note;
}

// Everything checked over two devices, 5 to 6 March.
LogFilter Everything()
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
} // namespace

void TestLogDatabase::initTestCase()
{
    // A zone with daylight saving time, whatever the machine's.
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void TestLogDatabase::init()
{
    AppDirTest::init();
    m_path = m_appDir->filePath("log/alarm.db");
    m_database = std::make_unique<LogDatabase>();
    QVERIFY2(m_database->Open(m_path), qPrintable(m_database->GetErrorString()));
}

void TestLogDatabase::cleanup()
{
    m_database.reset();
    AppDirTest::cleanup();
}

QStringList TestLogDatabase::SignalsWhere(const LogClause& where)
{
    QVector<AlarmRecord> storage(10);
    QList<AlarmRecord*> page;
    for (AlarmRecord& record : storage)
        page.append(&record);
    const int filled = m_database->Select({"where " + where.text + " order by id", where.values}, page);
    QStringList names;
    for (int i = 0; i < filled; ++i)
        names << storage[i].signalName;
    return names;
}

void TestLogDatabase::reopenKeepsRowsSecondOpenRefused()
{
    QVERIFY(m_database->Insert(MakeAlarm(1, LevelError, At("2024-03-05 07:04:09.031"))));
    m_database.reset();

    LogDatabase reopened;
    QVERIFY(reopened.Open(m_path));
    QCOMPARE(reopened.GetCount({}), 1u);
    QVERIFY(!reopened.Open(m_path));
    QCOMPARE(QueryValue(m_path, "select helpkey from alarm2").toString(),
             QString("10.0.0.7.1.1.-1.4.2024-03-05_07:04:09.031"));
}

void TestLogDatabase::purgeKeepsFromMidnightOfTheCutOffDay_data()
{
    QTest::addColumn<unsigned>("days");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("30 days") << 30u
                             << QStringList{"2024-02-04 00:00:00.000", "2024-03-04 23:59:59.999",
                                            "2024-03-05 00:00:00.000"};
    QTest::newRow("0 days") << 0u << QStringList{"2024-03-05 00:00:00.000"};
}

void TestLogDatabase::purgeKeepsFromMidnightOfTheCutOffDay()
{
    QFETCH(unsigned, days);
    const QStringList stamps{"2024-02-03 23:59:59.999", "2024-02-04 00:00:00.000", "2024-03-04 23:59:59.999",
                             "2024-03-05 00:00:00.000"};
    for (const QString& stamp : stamps)
        QVERIFY(m_database->Insert(MakeAlarm(1, LevelError, At(stamp))));

    m_database->DeleteBefore(days, QDate(2024, 3, 5));
    QTEST(QueryColumn(m_path, "select start_time from alarm2 order by id"), "kept");
}

void TestLogDatabase::purgeTakesAcknowledgementsAndOldShelvesAlong()
{
    const AlarmRecord old = MakeAlarm(1, LevelError, At("2024-02-03 23:59:59.999"));
    const AlarmRecord kept = MakeAlarm(2, LevelError, At("2024-02-04 00:00:00.000"));
    QVERIFY(m_database->Insert(old) && m_database->Insert(kept));
    const QDateTime seen = At("2024-02-05 08:00:00.000");
    QVERIFY(m_database->InsertAcknowledgements({{old, seen, "old"}, {kept, seen, "kept"}}));
    QVERIFY(m_database->WriteShelf(
        {"10.0.0.7:1:1", At("2024-02-03 10:00:00.000"), At("2024-02-03 11:00:00.000"), "over", QDateTime()}));
    QVERIFY(m_database->WriteShelf(
        {"10.0.0.7:1:2", At("2024-03-04 23:00:00.000"), At("2024-03-05 01:00:00.000"), "running", QDateTime()}));

    QVERIFY(m_database->DeleteBefore(30, QDate(2024, 3, 5)));
    QCOMPARE(QueryColumn(m_path, "select note from alarm_ack"), QStringList{"kept"});
    QCOMPARE(QueryColumn(m_path, "select note from alarm_shelf"), QStringList{"running"});
}

void TestLogDatabase::shelfEndingInTheRepeatedHourKeepsItsInstant()
{
    // 27 October 2024 in Berlin: 02:00 to 03:00 comes twice. Shelved at 02:40 of the first pass, until 02:30 of the
    // second.
    const QDateTime shelved = QDateTime::fromString("2024-10-27T02:40:00.000+02:00", Qt::ISODateWithMs).toLocalTime();
    const QDateTime until = QDateTime::fromString("2024-10-27T02:30:00.000+01:00", Qt::ISODateWithMs).toLocalTime();
    QVERIFY(m_database->WriteShelf({"10.0.0.7:1:1", shelved, until, "repeated hour", QDateTime()}));
    QList<AlarmAcknowledgement> acknowledgements;
    QList<AlarmShelf> shelves;
    QVERIFY(m_database->LoadHandling(shelved.addSecs(60), acknowledgements, shelves));
    QCOMPARE(shelves.size(), 1);
    QCOMPARE(shelves[0].until.toMSecsSinceEpoch(), until.toMSecsSinceEpoch());
}

void TestLogDatabase::selectFillsAtMostTheListNewestFirst()
{
    AlarmRecord withNote = MakeAlarm(2, LevelError, At("2024-03-05 07:00:00.001"));
    withNote.deviceName = "Studio A";
    withNote.signalName = "News";
    withNote.note = "VSTD: 1080i50";
    QVERIFY(m_database->Insert(withNote));
    QVERIFY(m_database->UpdateEndTime(AlarmHelpKey(withNote), "2024-03-05 07:00:05.500"));
    for (int port = 3; port <= 5; ++port)
        QVERIFY(m_database->Insert(MakeAlarm(port, LevelError, At("2024-03-05 07:00:00.002"))));

    QVector<AlarmRecord> storage(2);
    QList<AlarmRecord*> page{&storage[0], &storage[1]};
    QCOMPARE(m_database->Select({"where id<? order by id desc limit ?,?", {3, 0, 10}}, page), 2);
    QCOMPARE(storage[0].portID, 3);
    QVERIFY(storage[0].end_time.isNull());
    withNote.end_time = At("2024-03-05 07:00:05.500");
    QCOMPARE(LoggedFields(storage[1]), LoggedFields(withNote));

    QCOMPARE(m_database->Select({"where 1=1", {}}, page), 2);
    QCOMPARE(m_database->Select({}, page), 0);
}

void TestLogDatabase::filtersFindTheirRows_data()
{
    QTest::addColumn<LogFilter>("filter");
    QTest::addColumn<QStringList>("found");
    const QStringList inPeriod{"News", "Sport", "O'Brien", "100%", "100 Hits", "Device"};
    QTest::newRow("everything checked: the period only") << Everything() << inPeriod;

    LogFilter none = Everything();
    none.checkedDevices.clear();
    none.allPorts = none.aesEbu = none.analog = false;
    none.bncPorts.clear();
    none.alarmTypes.clear();
    QTest::newRow("nothing checked: no restriction") << none << inPeriod;

    LogFilter some = Everything();
    some.checkedDevices = QStringList{"10.0.0.2"};
    some.allPorts = some.analog = false;
    some.bncPorts = {2};
    some.alarmTypes = {4, 8};
    some.signalNames =
        LogFilter::SplitSignalNames(QStringLiteral("Sport；O'Brien;News;100 Hits;;"), QStringLiteral("；"));
    QTest::newRow("device, AES/EBU + BNC 2, two types, four names") << some << QStringList{"Sport", "O'Brien"};

    LogFilter typed = Everything();
    typed.allPorts = typed.aesEbu = false;
    typed.bncPorts = {1, 2};
    typed.signalNames = QStringList{"100%", "O'Brien"};
    QTest::newRow("analog and two BNC, a typed wildcard") << typed << QStringList{"100%", "100 Hits"};
    LogFilter injected = Everything();
    injected.signalNames = QStringList{"x' or '1'='1"};
    QTest::newRow("a name is data, not SQL") << injected << QStringList{};
}

void TestLogDatabase::filtersFindTheirRows()
{
    QFETCH(LogFilter, filter);
    // Signal name, device, port type and number, alarm type; the last starts when the period ends.
    const struct
    {
        const char* name;
        const char* ip;
        int portType;
        int portID;
        int alarmType;
    } rows[] = {{"News", "10.0.0.1", PortTypeBnc, 2, 4},     {"Sport", "10.0.0.2", PortTypeBnc, 2, 8},
                {"O'Brien", "10.0.0.2", PortTypeAes, 1, 4},  {"100%", "10.0.0.1", PortTypeAnalog, 1, 2},
                {"100 Hits", "10.0.0.2", PortTypeBnc, 2, 1}, {"Device", "10.0.0.1", PortTypeNone, -1, 32},
                {"Late", "10.0.0.2", PortTypeBnc, 5, 4}};
    for (int i = 0; i < 7; ++i) {
        AlarmRecord record = MakeAlarm(rows[i].ip, rows[i].portType, rows[i].portID, -1, rows[i].alarmType, 3);
        record.signalName = rows[i].name;
        record.time = i < 6 ? At("2024-03-05 10:00:00.000").addSecs(i) : At("2024-03-06 00:00:00.000");
        QVERIFY(m_database->Insert(record));
    }
    QTEST(SignalsWhere(filter.Clause()), "found");
}

void TestLogDatabase::exportLinesAndCsvQuoting()
{
    // An ended video alarm of more than a day, and an open silence alarm of track 2.
    AlarmRecord video = MakeAlarm(3, LevelError, At("2024-03-03 05:00:00.000"));
    video.deviceName = "Studio A";
    video.signalName = "News";
    video.note = "unused";
    video.end_time = At("2024-03-05 08:04:05.678");
    AlarmRecord silence = MakeAlarm(1, LevelWarn, At("2024-03-05 07:00:00.001"));
    silence.portType = PortTypeAes;
    silence.alarmType = AlarmTypeSilence;
    silence.trackID = 2;
    QCOMPARE(LogExport::Line(LogExport::Format::Log, 1, video),
             QByteArray("1         2024-03-03 05:00:00.000\t2024-03-05 08:04:05.678\t\t2 day 03:04:05.678     \t"
                        "10.0.0.7       \tStudio A        \t\tVideo Lost      \tBNC 3     \tNews            \t"
                        "unused\r\n"));
    QCOMPARE(LogExport::Line(LogExport::Format::Log, 450, silence),
             QByteArray("450       2024-03-05 07:00:00.001\t                       \t\t                       \t"
                        "10.0.0.7       \t                \t\tSlience         \tAES/EBU 1 \t                \t"
                        "CH2\r\n"));

    video.deviceName = "Studio \"A\", left";
    video.signalName = "Über\nbreak";
    video.note = "=HYPERLINK(\"x\")";
    QCOMPARE(LogExport::Line(LogExport::Format::Csv, 7, video, "2024-03-05 08:00:00.000", "seen, \"ok\""),
             QString("7,2024-03-03 05:00:00.000,2024-03-05 08:04:05.678,2 day 03:04:05.678,10.0.0.7,"
                     "\"Studio \"\"A\"\", left\",Video Lost,BNC 3,\"Über\nbreak\",\"'=HYPERLINK(\"\"x\"\")\","
                     "2024-03-05 08:00:00.000,"
                     "\"seen, \"\"ok\"\"\"\r\n")
                 .toUtf8());
    // The station's own layout keeps a note as typed.
    QVERIFY(LogExport::Line(LogExport::Format::Log, 7, video).endsWith("\t=HYPERLINK(\"x\")\r\n"));
}

void TestLogDatabase::durationAcrossDaylightSavingChange_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<QString>("duration");
    QTest::newRow("forward") << At("2024-03-31 01:30:00.000") << At("2024-03-31 03:30:00.000") << "01:00:00.000";
    QTest::newRow("back") << At("2024-10-27 01:30:00.000") << At("2024-10-27 03:30:00.000") << "03:00:00.000";
    QTest::newRow("a day across") << At("2024-03-30 12:00:00.000") << At("2024-03-31 12:00:00.000") << "23:00:00.000";
}

// Stored as the station's local clock showed them, and read back from the file as the browser and the export do.
void TestLogDatabase::durationAcrossDaylightSavingChange()
{
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    const AlarmRecord started = MakeAlarm(1, LevelError, start);
    QVERIFY(m_database->Insert(started));
    QVERIFY(m_database->UpdateEndTime(AlarmHelpKey(started), end.toString(LogDatabase::TimeFormat)));
    AlarmRecord read;
    QCOMPARE(m_database->Select(LogClause{"where id > ?", {0}}, {&read}), 1);
    QTEST(LogText::DurationText(read.time, read.end_time), "duration");
}

QTEST_GUILESS_MAIN(TestLogDatabase)
#include "TestLogDatabase.moc"
