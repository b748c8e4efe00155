#include "FileText.h"
#include "LogTestSupport.h"
#include "TempAppDir.h"
#include "log/AlarmReport.h"
#include "log/AlarmReportWindow.h"
#include "log/AlarmTimelineWidget.h"
#include "log/LogDatabase.h"

#include <QDateTimeEdit>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTableView>
#include <QtTest>

// The report window on a real log file, read on its own thread; the file dialogs and boxes answered by the test.
class TestAlarmReportWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lastDayShowsFiguresAndTellsTheHoveredAlarm();
    void csvAndPdfCarryTheFigures();
    void periodEndingBeforeItBeginsIsTold();

private:
    void ShowAndWait();
    QString Cell(int row, int column) const;

    std::unique_ptr<TempAppDir> m_appDir;
    std::unique_ptr<AlarmReportWindow> m_window;
    QStringList m_notes;
    QString m_savePath;
};

void TestAlarmReportWindow::init()
{
    m_appDir = std::make_unique<TempAppDir>();
    const QString path = m_appDir->filePath("log/alarm.db");
    {
        // An hour of video lost on BNC 3 two hours ago, and silence on BNC 1 still open.
        LogDatabase database;
        QVERIFY(database.Open(path));
        const QDateTime now = QDateTime::currentDateTime();
        AlarmRecord lost = MakeAlarm(3, LevelError, now.addSecs(-7200));
        lost.deviceName = "Studio";
        QVERIFY(database.Insert(lost));
        QVERIFY(database.UpdateEndTime(AlarmHelpKey(lost), now.addSecs(-3600).toString(LogDatabase::TimeFormat)));
        AlarmRecord silence = MakeAlarm(1, LevelError, now.addSecs(-1800));
        silence.alarmType = AlarmTypeSilence;
        silence.trackID = 2;
        QVERIFY(database.Insert(silence));
    }
    m_notes.clear();
    m_savePath.clear();
    LogBrowserPrompts prompts;
    prompts.notify = [this](QMessageBox::Icon, QWidget*, const QString& title, const QString& text) {
        m_notes << title + ": " + text;
    };
    prompts.saveFileName = [this](QWidget*, const QString&, const QString&, const QString&, QString*) {
        return m_savePath;
    };
    m_window = std::make_unique<AlarmReportWindow>(prompts, path);
    m_window->resize(1280, 860);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAlarmReportWindow::cleanup()
{
    m_window.reset();
    m_appDir.reset();
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

void TestAlarmReportWindow::lastDayShowsFiguresAndTellsTheHoveredAlarm()
{
    ShowAndWait();
    QVERIFY(m_notes.isEmpty());
    const QAbstractItemModel* model = m_window->findChild<QTableView*>("tableView_Figures")->model();
    QCOMPARE(model->rowCount(), 2);
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

void TestAlarmReportWindow::csvAndPdfCarryTheFigures()
{
    ShowAndWait();
    m_savePath = m_appDir->filePath("report.csv");
    m_window->findChild<QPushButton*>("pushButton_SaveCsv")->click();
    const QStringList lines = QString::fromUtf8(ReadFile(m_savePath)).split("\r\n");
    QCOMPARE(lines.size(), 4);
    QVERIFY2(lines[1].startsWith("Studio,10.0.0.7,,BNC 3,1,01:00:00.000,01:00:00.000,95.83%"), qPrintable(lines[1]));

    m_savePath = m_appDir->filePath("report.pdf");
    m_window->findChild<QPushButton*>("pushButton_SavePdf")->click();
    QCOMPARE(m_notes, QStringList({"Save: Save has been completed", "Save: Save has been completed"}));
    const QString text = m_appDir->filePath("report.txt");
    QCOMPARE(QProcess::execute("pdftotext", {"-layout", m_savePath, text}), 0);
    const QString read = QString::fromUtf8(ReadFile(text));
    const QString from =
        m_window->findChild<QDateTimeEdit*>("dateTimeEdit_From")->dateTime().toString("yyyy-MM-dd hh:mm:ss");
    for (const QString& expected : {QString("Alarm Report"), from, QSysInfo::machineHostName(), QString("BNC 3"),
                                    QString("01:00:00.000"), QString("95.83%"), QString("Alarm starts per hour")})
        QVERIFY2(read.contains(expected), qPrintable(expected));
}

void TestAlarmReportWindow::periodEndingBeforeItBeginsIsTold()
{
    auto* from = m_window->findChild<QDateTimeEdit*>("dateTimeEdit_From");
    auto* to = m_window->findChild<QDateTimeEdit*>("dateTimeEdit_To");
    from->setDateTime(to->dateTime().addSecs(60));
    ShowAndWait();
    QCOMPARE(m_notes, QStringList({"Warn: The period must end after it begins."}));
    QVERIFY(!m_window->findChild<QPushButton*>("pushButton_SavePdf")->isEnabled());
}

QTEST_MAIN(TestAlarmReportWindow)
#include "TestAlarmReportWindow.moc"
