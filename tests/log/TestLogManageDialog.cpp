#include "AlarmRecords.h"
#include "AppDirTest.h"
#include "FileText.h"
#include "RecordingPrompts.h"
#include "StationFiles.h"
#include "log/LogDatabase.h"
#include "log/LogExport.h"
#include "log/LogManageDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

// The log browser driven through its buttons on a real log file, its boxes and file dialog answered by the test.
class TestLogManageDialog : public AppDirTest
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaultSearchIsYesterdayAndTodayNamesAreSearchedAsTyped();
    void resultStaysFixedThroughPagesAndDelete();
    void exportWritesEveryRowCancelKeepsThePartFullDiskWarns();
    void emptyAndFailedStatementsAreTold();
    void acknowledgementsShowInTheirColumnAndTheCsv();

private:
    void Log(const QList<AlarmRecord>& records);
    void Click(const char* name) { ::Click(*m_dialog, name); }
    template <typename Widget> Widget* Find(const char* name) const
    {
        return m_dialog->findChild<Widget*>(QString::fromLatin1(name));
    }
    QStringList Column(int column) const;
    QStringList ExportLines(const QString& filter = QString());

    std::unique_ptr<LogDatabase> m_database;
    std::unique_ptr<LogManageDialog> m_dialog;
    RecordingPrompts m_prompts;
    QString m_savePath;
    QString m_saveFilter;
    int m_cancelAfter = -1;
};

namespace {
QDateTime Today(int minute)
{
    return QDate::currentDate().startOfDay().addSecs(60 * minute);
}
} // namespace

void TestLogManageDialog::init()
{
    AppDirTest::init();
    m_database = std::make_unique<LogDatabase>();
    QVERIFY(m_database->Open(m_appDir->filePath("log/alarm.db")));
    m_prompts = RecordingPrompts();
    m_savePath = m_appDir->filePath("mylog.log");
    m_cancelAfter = -1;

    LogBrowserPrompts prompts = m_prompts.Answer<LogBrowserPrompts>();
    prompts.saveFileName = [this](QWidget*, const QString&, const QString&, const QString&, QString* chosen) {
        *chosen = m_saveFilter;
        return m_savePath;
    };
    prompts.exportCancelled = [this](QProgressDialog&) { return m_cancelAfter >= 0 && m_cancelAfter-- == 0; };
    m_dialog = std::make_unique<LogManageDialog>(prompts);
    m_dialog->SetDatabase(m_database.get());
}

void TestLogManageDialog::cleanup()
{
    m_dialog.reset();
    m_database.reset();
    AppDirTest::cleanup();
}

void TestLogManageDialog::Log(const QList<AlarmRecord>& records)
{
    QVERIFY(m_database->BeginBatch());
    for (const AlarmRecord& record : records)
        QVERIFY(m_database->Insert(record));
    QVERIFY(m_database->CommitBatch());
}

QStringList TestLogManageDialog::Column(int column) const
{
    const QTableWidget* table = Find<QTableWidget>("tableWidget_Log");
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, column)->text();
    return texts;
}

QStringList TestLogManageDialog::ExportLines(const QString& filter)
{
    m_saveFilter = filter;
    Click("pushButton_SaveAs");
    QStringList lines = QString::fromUtf8(ReadFile(m_savePath)).split("\r\n");
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TestLogManageDialog::defaultSearchIsYesterdayAndTodayNamesAreSearchedAsTyped()
{
    const QStringList names{"Before", "Yesterday", "O'Brien Live", "Tomorrow"};
    const QList<QDateTime> times{Today(-24 * 60 - 1), Today(-24 * 60 + 1), Today(12 * 60), Today(24 * 60 + 1)};
    QList<AlarmRecord> records;
    for (int i = 0; i < names.size(); ++i) {
        records << MakeAlarm(i + 1, LevelError, times[i]);
        records.last().signalName = names[i];
    }
    Log(records);

    Click("pushButton_Search");
    QCOMPARE(Column(6), (QStringList{"O'Brien Live", "Yesterday"}));
    QCOMPARE(Column(0), (QStringList{"1", "2"}));

    Find<QLineEdit>("lineEdit_SignalName")->setText("x；O'Brien%;;");
    Click("pushButton_Search");
    QCOMPARE(Column(6), QStringList{"O'Brien Live"});
    QVERIFY(m_prompts.said.isEmpty());
}

void TestLogManageDialog::resultStaysFixedThroughPagesAndDelete()
{
    QList<AlarmRecord> records{MakeAlarm(99, LevelError, Today(-3 * 24 * 60))};
    for (int port = 1; port <= 31; ++port)
        records << MakeAlarm(port, LevelError, Today(port));
    Log(records);

    Click("pushButton_Search");
    QCOMPARE(Column(0).size(), 30);
    QCOMPARE(Column(0).first(), QString("1"));
    QCOMPARE(Column(7).first(), QString("BNC 31"));
    // Logged after the search: no part of this result.
    Log({MakeAlarm(77, LevelError, Today(40))});

    Click("pushButton_PageDown");
    QCOMPARE(Column(0), QStringList{"31"});
    QCOMPARE(Column(7), QStringList{"BNC 1"});
    Click("pushButton_PageUp");
    QCOMPARE(Column(7).first(), QString("BNC 31"));
    Find<QSpinBox>("spinBox_Page")->setValue(2);
    Click("pushButton_GoTo");
    QCOMPARE(Column(0), QStringList{"31"});

    m_prompts.confirmAnswer = false;
    Click("pushButton_Delete");
    QCOMPARE(m_database->GetCount({}), 33u);
    m_prompts.confirmAnswer = true;
    Click("pushButton_Delete");
    QCOMPARE(QueryColumn(m_appDir->filePath("log/alarm.db"), "select portID from alarm2 order by id"),
             (QStringList{"99", "77"}));
    QCOMPARE(Column(0), QStringList());
    QCOMPARE(m_prompts.said, QStringList());
}

void TestLogManageDialog::exportWritesEveryRowCancelKeepsThePartFullDiskWarns()
{
    QList<AlarmRecord> records;
    for (int i = 0; i < 450; ++i)
        records << MakeAlarm(1 + i % 16, LevelError, Today(0).addMSecs(100 * i + 1));
    Log(records);
    Click("pushButton_Search");

    QStringList lines = ExportLines();
    QCOMPARE(lines.size(), 3 + 450);
    QCOMPARE(lines[0].simplified(),
             QString("ID Starting Time End Time Duration IP Address Device Name Alarm Type Port Signal Name Note"));
    QVERIFY(lines.last().startsWith("450       " + records.first().time.toString(LogDatabase::TimeFormat)));

    lines = ExportLines("CSV (*.csv)");
    QCOMPARE(lines.size(), 1 + 450);
    QCOMPARE(lines[0],
             QString("\uFEFFID,Starting Time,End Time,Duration,IP Address,Device Name,Alarm Type,Port,Signal Name,"
                     "Note,Acknowledged,Acknowledgement Note"));
    QVERIFY(lines.last().startsWith("450," + records.first().time.toString(LogDatabase::TimeFormat) + ","));

    m_cancelAfter = 0;
    QCOMPARE(ExportLines().size(), 3 + LogExport::BatchPages * 30);

    m_savePath = "/dev/full";
    ExportLines();
    // Completed twice, cancelled, and the full disk.
    QCOMPARE(m_prompts.said.size(), 4);
    QVERIFY2(m_prompts.said[2].contains("Cancel") && m_prompts.said[3].startsWith("Warn: "),
             qPrintable(m_prompts.said.join('\n')));
}

void TestLogManageDialog::emptyAndFailedStatementsAreTold()
{
    Click("pushButton_Search");
    QCOMPARE(m_prompts.said, QStringList{"Search: No record"});
    QVERIFY(!Find<QPushButton>("pushButton_SaveAs")->isEnabled());

    Log({MakeAlarm(1, LevelError, Today(1))});
    Click("pushButton_Search");
    QCOMPARE(Column(0), QStringList{"1"});
    // The log's table vanishes under the open window.
    QueryValue(m_appDir->filePath("log/alarm.db"), "alter table alarm2 rename to elsewhere");
    m_prompts.said.clear();
    Click("pushButton_Search");
    Click("pushButton_Delete");
    QCOMPARE(m_prompts.said.size(), 2);
    for (const QString& note : m_prompts.said)
        QVERIFY2(note.startsWith("Warn: ") && note.contains("alarm2"), qPrintable(note));
    QCOMPARE(Column(0), QStringList{"1"});
    QVERIFY(Find<QPushButton>("pushButton_Delete")->isEnabled());
}

void TestLogManageDialog::acknowledgementsShowInTheirColumnAndTheCsv()
{
    const QList<AlarmRecord> records{MakeAlarm(1, LevelError, Today(1)), MakeAlarm(2, LevelError, Today(2))};
    Log(records);
    // Acknowledged twice: the later acknowledgement is the one shown.
    QVERIFY(m_database->InsertAcknowledgements(
        {{records[0], Today(3), "first"}, {records[0], Today(4), "feed, \"A\" checked"}}));
    Click("pushButton_Search");
    const QString ackTime = Today(4).toString(LogDatabase::TimeFormat);
    QCOMPARE(Column(10), (QStringList{"", ackTime + "  feed, \"A\" checked"}));

    const QStringList csv = ExportLines("CSV (*.csv)");
    QCOMPARE(csv.size(), 3);
    QVERIFY(csv[1].endsWith(",BNC 2,,,,"));
    QVERIFY2(csv[2].endsWith(",BNC 1,,," + ackTime + ",\"feed, \"\"A\"\" checked\""), qPrintable(csv[2]));
    // The station's own layout has no place for it.
    QVERIFY(!ExportLines().join("\n").contains("checked"));
}

QTEST_MAIN(TestLogManageDialog)
#include "TestLogManageDialog.moc"
