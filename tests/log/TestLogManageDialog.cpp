#include "LogTestSupport.h"
#include "TempAppDir.h"
#include "log/LogDatabase.h"
#include "log/LogExport.h"
#include "log/LogManageDialog.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

// The log browser driven through its buttons on a real log file, its boxes and file dialog answered by the test.
class TestLogManageDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaultSearchIsYesterdayAndTodayNamesAreSearchedAsTyped();
    void allFollowsThePortBoxes();
    void resultStaysFixedThroughPagesExportAndDelete();
    void exportWritesEveryRowCancelKeepsThePartFullDiskWarns();
    void emptyAndFailedStatementsAreTold();
    void acknowledgementsShowInTheirColumnAndTheCsv();

private:
    void Log(const QList<AlarmRecord>& records);
    void Click(const char* name);
    template <typename Widget> Widget* Find(const char* name) const
    {
        return m_dialog->findChild<Widget*>(QString::fromLatin1(name));
    }
    QStringList Column(int column) const;
    QStringList ExportLines(const QString& filter = QString());

    std::unique_ptr<TempAppDir> m_appDir;
    std::unique_ptr<LogDatabase> m_database;
    std::unique_ptr<LogManageDialog> m_dialog;
    QStringList m_notes;
    QString m_savePath;
    QString m_saveFilter;
    bool m_confirm = true;
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
    m_appDir = std::make_unique<TempAppDir>();
    m_database = std::make_unique<LogDatabase>();
    QVERIFY(m_database->Open(m_appDir->filePath("log/alarm.db")));
    m_notes.clear();
    m_savePath = m_appDir->filePath("mylog.log");
    m_saveFilter.clear();
    m_confirm = true;
    m_cancelAfter = -1;

    LogBrowserPrompts prompts;
    prompts.notify = [this](QMessageBox::Icon, QWidget*, const QString& title, const QString& text) {
        m_notes << title + ": " + text;
    };
    prompts.confirm = [this](QWidget*, const QString&, const QString&) { return m_confirm; };
    prompts.saveFileName = [this](QWidget*, const QString& caption, const QString& proposed, const QString& filters,
                                  QString* chosen) {
        if (caption != "Save File" || proposed != "mylog.log" || filters != "log (*.log);;CSV (*.csv)")
            return QString();
        if (!m_saveFilter.isEmpty())
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
    m_appDir.reset();
}

void TestLogManageDialog::Log(const QList<AlarmRecord>& records)
{
    QVERIFY(m_database->BeginBatch());
    for (const AlarmRecord& record : records)
        QVERIFY(m_database->Insert(record));
    QVERIFY(m_database->CommitBatch());
}

void TestLogManageDialog::Click(const char* name)
{
    QPushButton* button = Find<QPushButton>(name);
    QVERIFY2(button->isEnabled(), name);
    button->click();
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
    Find<QPushButton>("pushButton_SaveAs")->click();
    QFile file(m_savePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
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
    QCOMPARE(Find<QLabel>("label_PageInfo")->text(), QString("Current Page: 1   Total Page: 1    Page:"));
    QVERIFY(!Find<QPushButton>("pushButton_GoTo")->isEnabled() &&
            !Find<QPushButton>("pushButton_PageDown")->isEnabled());

    Find<QLineEdit>("lineEdit_SignalName")->setText("x；O'Brien%;;");
    Click("pushButton_Search");
    QCOMPARE(Column(6), QStringList{"O'Brien Live"});
    QVERIFY(m_notes.isEmpty());
}

void TestLogManageDialog::allFollowsThePortBoxes()
{
    QCheckBox* all = Find<QCheckBox>("checkBox_AllPort");
    all->click();
    QVERIFY(!all->isChecked());
    const LogFilter none = m_dialog->CurrentFilter();
    QVERIFY(!none.allPorts && none.bncPorts.isEmpty() && !none.aesEbu && !none.analog);

    QStringList boxes{"checkBox_Analog", "checkBox_AesEbu"};
    for (int n = 1; n <= 16; ++n)
        boxes << QString("checkBox_BNC%1").arg(n);
    for (const QString& name : boxes) {
        QVERIFY(!all->isChecked());
        Find<QCheckBox>(qPrintable(name))->click();
    }
    QVERIFY(all->isChecked());
    Find<QCheckBox>("checkBox_BNC7")->click();
    QVERIFY(!all->isChecked());
    QCOMPARE(m_dialog->CurrentFilter().bncPorts.size(), 15);
}

void TestLogManageDialog::resultStaysFixedThroughPagesExportAndDelete()
{
    QList<AlarmRecord> records{MakeAlarm(99, LevelError, Today(-3 * 24 * 60))};
    for (int port = 1; port <= 31; ++port)
        records << MakeAlarm(port, LevelError, Today(port));
    Log(records);

    Click("pushButton_Search");
    QCOMPARE(Column(0).size(), 30);
    QCOMPARE(Column(0).first(), QString("1"));
    QCOMPARE(Column(7).first(), QString("BNC 31"));
    QVERIFY(!Find<QPushButton>("pushButton_PageUp")->isEnabled());
    // Logged after the search: no part of this result.
    Log({MakeAlarm(77, LevelError, Today(40))});

    Click("pushButton_PageDown");
    QCOMPARE(Column(0), QStringList{"31"});
    QCOMPARE(Column(7), QStringList{"BNC 1"});
    QVERIFY(!Find<QPushButton>("pushButton_PageDown")->isEnabled());
    QCOMPARE(Find<QLabel>("label_PageInfo")->text(), QString("Current Page: 2   Total Page: 2    Page:"));
    Click("pushButton_PageUp");
    QCOMPARE(Column(7).first(), QString("BNC 31"));
    Find<QSpinBox>("spinBox_Page")->setValue(2);
    Click("pushButton_GoTo");
    QCOMPARE(Column(0), QStringList{"31"});

    const QStringList lines = ExportLines();
    QCOMPARE(lines.size(), 3 + 31);
    QVERIFY(lines[3].startsWith("1         ") && lines[3].contains("BNC 31"));
    QVERIFY(!lines.join("").contains("BNC 77"));

    m_confirm = false;
    Click("pushButton_Delete");
    QCOMPARE(m_database->GetCount({}), 33u);
    m_confirm = true;
    Click("pushButton_Delete");
    QCOMPARE(QueryColumn(m_appDir->filePath("log/alarm.db"), "select portID from alarm2 order by id"),
             (QStringList{"99", "77"}));
    QCOMPARE(Column(0), QStringList());
    QCOMPARE(Find<QLabel>("label_PageInfo")->text(), QString("Current Page: 0   Total Page: 0    Page:"));
    QVERIFY(!Find<QPushButton>("pushButton_Delete")->isEnabled() &&
            !Find<QPushButton>("pushButton_SaveAs")->isEnabled());
    QCOMPARE(m_notes, (QStringList{"Save: Save has been completed"}));
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
    QCOMPARE(lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n",
             QString::fromUtf8(LogExport::Header(LogExport::Format::Log)));
    QVERIFY(lines.last().startsWith("450       " + records.first().time.toString(LogDatabase::TimeFormat)));

    lines = ExportLines("CSV (*.csv)");
    QCOMPARE(lines.size(), 1 + 450);
    QVERIFY(lines.last().startsWith("450," + records.first().time.toString(LogDatabase::TimeFormat) + ","));

    m_cancelAfter = 0;
    QCOMPARE(ExportLines().size(), 3 + LogExport::BatchPages * 30);

    m_savePath = "/dev/full";
    ExportLines();
    QCOMPARE(m_notes.size(), 4);
    QVERIFY2(m_notes.last().startsWith("Warn: "), qPrintable(m_notes.last()));
    QCOMPARE(m_notes.mid(0, 3),
             (QStringList{"Save: Save has been completed", "Save: Save has been completed", "Save: Canceled !"}));
}

void TestLogManageDialog::emptyAndFailedStatementsAreTold()
{
    Click("pushButton_Search");
    QCOMPARE(m_notes, QStringList{"Search: No record"});
    QVERIFY(!Find<QPushButton>("pushButton_SaveAs")->isEnabled());

    Log({MakeAlarm(1, LevelError, Today(1))});
    Click("pushButton_Search");
    QCOMPARE(Column(0), QStringList{"1"});
    // The log's table vanishes under the open window.
    QueryValue(m_appDir->filePath("log/alarm.db"), "alter table alarm2 rename to elsewhere");
    m_notes.clear();
    Click("pushButton_Search");
    Click("pushButton_Delete");
    QCOMPARE(m_notes.size(), 2);
    for (const QString& note : m_notes)
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
