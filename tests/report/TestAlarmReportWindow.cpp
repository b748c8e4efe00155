#include "AlarmRecords.h"
#include "AppDirTest.h"
#include "FileText.h"
#include "RecordingPrompts.h"
#include "log/LogDatabase.h"
#include "log/LogStateTables.h"
#include "report/AlarmReport.h"
#include "report/AlarmReportWindow.h"
#include "report/AlarmTimelineWidget.h"

#include <QDateTimeEdit>
#include <QProcess>
#include <QSysInfo>
#include <QTableView>
#include <QtTest>

// The alarm report on a real log file: its figures against answers known by hand, and the window that reads it on
// its own thread, its file dialogs and boxes answered by the test.
class TestAlarmReportWindow : public AppDirTest
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void figures_data();
    void figures();
    void deviceChoiceAndCsv();
    void lastDayShowsFiguresAndTellsTheHoveredAlarm();
    void pdfCarriesTheFigures();
    void periodEndingBeforeItBeginsIsTold();

private:
    // Every period of the figures is 2024-03-05 00:00 to 12:00; alarm times are minutes from its start.
    // "B3 4 600 620": BNC 3, video lost, from minute 600 to 620; "A1/2 8 100 open": AES/EBU 1 track 2, silence,
    // still open; "C 32 0 10": the device's connection. Several alarms separated by ";".
    void Log(const QString& alarms, const QString& ip = QStringLiteral("10.0.0.7"),
             const QString& deviceName = QStringLiteral("Studio"));
    // An hour of video lost on BNC 3 two hours ago and silence on BNC 1 still open, in the window.
    void OpenWindow();
    void ShowAndWait();
    QString Cell(int row, int column) const;

    std::unique_ptr<LogDatabase> m_database;
    std::unique_ptr<AlarmReportWindow> m_window;
    RecordingPrompts m_prompts;
    QString m_savePath;
};

namespace {
QDateTime Minute(int minute)
{
    return At("2024-03-05 00:00:00.000").addSecs(60 * minute);
}

// Port, alarms, time in alarm, longest alarm and availability of every row; ";" between rows. The histogram
// follows after " @ ".
QString Figures(const AlarmReport& report)
{
    QStringList rows;
    for (const AlarmReport::Signal& signal : report.Signals())
        rows.append(report.FigureTexts(signal).mid(3, 5).join(QLatin1Char('|')));
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

void TestAlarmReportWindow::init()
{
    AppDirTest::init();
    m_database = std::make_unique<LogDatabase>();
    QVERIFY(m_database->Open(m_appDir->filePath("log/alarm.db")));
    m_prompts = RecordingPrompts();
}

void TestAlarmReportWindow::cleanup()
{
    m_window.reset();
    m_database.reset();
    AppDirTest::cleanup();
}

void TestAlarmReportWindow::Log(const QString& alarms, const QString& ip, const QString& deviceName)
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

void TestAlarmReportWindow::OpenWindow()
{
    const QDateTime now = QDateTime::currentDateTime();
    AlarmRecord lost = MakeAlarm(3, LevelError, now.addSecs(-7200));
    lost.deviceName = "Studio";
    QVERIFY(m_database->Insert(lost));
    QVERIFY(m_database->UpdateEndTime(AlarmHelpKey(lost), now.addSecs(-3600).toString(LogDatabase::TimeFormat)));
    AlarmRecord silence = MakeAlarm(1, LevelError, now.addSecs(-1800));
    silence.alarmType = AlarmTypeSilence;
    silence.trackID = 2;
    QVERIFY(m_database->Insert(silence));

    LogBrowserPrompts prompts = m_prompts.Answer<LogBrowserPrompts>();
    prompts.saveFileName = [this](QWidget*, const QString&, const QString&, const QString&, QString*) {
        return m_savePath;
    };
    m_window = std::make_unique<AlarmReportWindow>(prompts, m_appDir->filePath("log/alarm.db"));
    m_window->resize(1280, 860);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAlarmReportWindow::ShowAndWait()
{
    QSignalSpy done(m_window.get(), &AlarmReportWindow::Signal_ReportDone);
    m_window->ShowReport();
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
    QVERIFY(!m_window->IsReading());
}

QString TestAlarmReportWindow::Cell(int row, int column) const
{
    const QAbstractItemModel* model = m_window->findChild<QTableView*>("tableView_Figures")->model();
    return model->index(row, column).data().toString();
}

void TestAlarmReportWindow::figures_data()
{
    QTest::addColumn<QString>("alarms");
    QTest::addColumn<int>("nowMinute");
    QTest::addColumn<QString>("figures");
    // Monitoring runs recorded as "start lastAlive stop" minutes, stop "-" for a station that was killed; ";"
    // between runs. None recorded: a log from before runs were kept, all of it monitored.
    QTest::addColumn<QString>("runs");
    const int later = 24 * 60;
    QTest::newRow("two types overlapping on one signal count once")
        << "B3 1 600 620; B3 2 610 630" << later << "BNC 3|2|00:30:00.000|00:20:00.000|95.83% @ 10:2" << QString();
    QTest::newRow("open alarm counts to the end of the period")
        << "B1 4 660 open" << later << "BNC 1|1|01:00:00.000|01:00:00.000|91.66% @ 11:1" << QString();
    QTest::newRow("open alarm counts to now, the period measured to now")
        << "B1 4 660 open" << 690 << "BNC 1|1|00:30:00.000|00:30:00.000|95.65% @ 11:1" << QString();
    QTest::newRow("alarms crossing the edges count inside only")
        << "B2 4 -30 30; B2 2 705 750; B5 4 -60 800" << later
        << "BNC 5|0|12:00:00.000|12:00:00.000|0.00%;BNC 2|1|00:45:00.000|00:30:00.000|93.75% @ 11:1" << QString();
    QTest::newRow("zero-length alarm") << "B4 1 300 300" << later << "BNC 4|1|00:00:00.000|00:00:00.000|100.00% @ 5:1"
                                       << QString();
    QTest::newRow("no alarm in the period") << "B4 1 -120 -60; B4 1 800 810" << later << " @ " << QString();
    QTest::newRow("tracks and device alarms have rows of their own")
        << "A1/2 8 100 110; A1/1 8 100 120; C 32 0 10" << later
        << "AES/EBU 1 CH1|1|00:20:00.000|00:20:00.000|97.22%;--|1|00:10:00.000|00:10:00.000|98.61%;"
           "AES/EBU 1 CH2|1|00:10:00.000|00:10:00.000|98.61% @ 0:1,1:2"
        << QString();
    QTest::newRow("the station down from 05:00 to 08:00 counts neither way")
        << "B1 4 200 500" << later << "BNC 1|1|02:00:00.000|02:00:00.000|77.77% @ 3:1"
        << "-60 300 -; 480 720 720";
}

void TestAlarmReportWindow::figures()
{
    QFETCH(QString, alarms);
    QFETCH(int, nowMinute);
    QFETCH(QString, runs);
    Log(alarms);
    for (const QString& run : runs.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList minutes = run.simplified().split(QLatin1Char(' '));
        qint64 id = 0;
        QVERIFY(m_database->Run([&](QSqlDatabase& connection, QString& error) {
            return LogStateTables::StartRun(connection, Minute(minutes[0].toInt()), id, error) &&
                   LogStateTables::MarkAlive(connection, id, Minute(minutes[1].toInt()), error) &&
                   (minutes[2] == QLatin1String("-") ||
                    LogStateTables::StopRun(connection, id, Minute(minutes[2].toInt()), error));
        }));
    }
    AlarmReport report;
    QVERIFY2(report.Build(*m_database, Minute(0), Minute(720), QString(), Minute(nowMinute)),
             qPrintable(report.ErrorString()));
    QTEST(Figures(report) + " @ " + Histogram(report), "figures");
    QCOMPARE(report.Histogram().size(), 12);
}

void TestAlarmReportWindow::deviceChoiceAndCsv()
{
    Log("B3 4 60 90; B3 2 70 75", QStringLiteral("10.0.0.7"), QStringLiteral("Studio \"A\", left"));
    Log("B1 4 60 61", QStringLiteral("10.0.0.8"), QStringLiteral("Other"));
    AlarmReport report;
    QVERIFY(report.Build(*m_database, Minute(0), Minute(720), QStringLiteral("10.0.0.7"), Minute(720)));
    QCOMPARE(report.Csv().split('\n').value(1),
             "\"Studio \"\"A\"\", left\",10.0.0.7,Feed B3,BNC 3,2,00:30:00.000,00:30:00.000,95.83%\r");
    QVERIFY(report.Build(*m_database, Minute(0), Minute(720), QString(), Minute(720)));
    QCOMPARE(report.Signals().size(), 2);
}

void TestAlarmReportWindow::lastDayShowsFiguresAndTellsTheHoveredAlarm()
{
    OpenWindow();
    ShowAndWait();
    QCOMPARE(m_prompts.said, QStringList());
    QCOMPARE(m_window->findChild<QTableView*>("tableView_Figures")->model()->rowCount(), 2);
    // Sorted by time in alarm: the hour first, then the half hour still open.
    QCOMPARE(QStringList({Cell(0, 0), Cell(0, 3), Cell(0, 4), Cell(0, 5), Cell(0, 7)}),
             QStringList({"Studio", "BNC 3", "1", "01:00:00.000", "95.83%"}));
    QCOMPARE(Cell(1, 3), QString("BNC 1 CH2"));

    // Somewhere in the first lane the pointer meets the hour-long bar.
    auto* timeline = m_window->findChild<AlarmTimelineWidget*>("widget_Timeline");
    QString hovered;
    for (int y = 0; y < 120 && hovered.isEmpty(); y += 2)
        for (int x = 0; x < timeline->viewport()->width() && hovered.isEmpty(); x += 3)
            hovered = timeline->BarText(QPoint(x, y));
    QVERIFY2(hovered.startsWith("Video Lost\nStart: "), qPrintable(hovered));
    QVERIFY2(hovered.endsWith("\nDuration: 01:00:00.000"), qPrintable(hovered));
}

void TestAlarmReportWindow::pdfCarriesTheFigures()
{
    OpenWindow();
    ShowAndWait();
    m_savePath = m_appDir->filePath("report.pdf");
    Click(*m_window, "pushButton_SavePdf");
    QCOMPARE(m_prompts.said.size(), 1);
    const QString text = m_appDir->filePath("report.txt");
    QCOMPARE(QProcess::execute("pdftotext", {"-layout", m_savePath, text}), 0);
    const QString read = QString::fromUtf8(ReadFile(text));
    const QString from =
        m_window->findChild<QDateTimeEdit*>("dateTimeEdit_From")->dateTime().toString("yyyy-MM-dd hh:mm:ss");
    for (const QString& expected :
         {from, QSysInfo::machineHostName(), QString("BNC 3"), QString("01:00:00.000"), QString("95.83%")})
        QVERIFY2(read.contains(expected), qPrintable(expected));
}

void TestAlarmReportWindow::periodEndingBeforeItBeginsIsTold()
{
    OpenWindow();
    auto* from = m_window->findChild<QDateTimeEdit*>("dateTimeEdit_From");
    auto* to = m_window->findChild<QDateTimeEdit*>("dateTimeEdit_To");
    from->setDateTime(to->dateTime().addSecs(60));
    ShowAndWait();
    QCOMPARE(m_prompts.said.size(), 1);
    QVERIFY2(m_prompts.said[0].startsWith("Warn: "), qPrintable(m_prompts.said[0]));
    QVERIFY(!m_window->findChild<QPushButton*>("pushButton_SavePdf")->isEnabled());
}

QTEST_MAIN(TestAlarmReportWindow)
#include "TestAlarmReportWindow.moc"
