#include "AlarmRecords.h"
#include "AppDirTest.h"
#include "RecordingPrompts.h"
#include "StationFiles.h"
#include "TableText.h"
#include "alarm/SoundAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/SystemConfigFile.h"
#include "log/LogManager.h"
#include "views/AlarmHandlingController.h"
#include "views/DeviceAlarmListForm.h"
#include "views/DeviceWidget.h"
#include "views/MainAlarmDisplayWidget.h"
#include "views/ShelvedAlarmsDialog.h"

#include <QInputDialog>
#include <QMenu>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include <algorithm>

// The operator's handling of one alarm through a real display, speech queue and alarm log: what the tables, the
// tile, the queue and the log file hold after each step.
class TestAlarmHandling : public AppDirTest
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void oneAlarmThroughItsStates_data();
    void oneAlarmThroughItsStates();
    void restartKeepsAcknowledgementShelfAndLatchOfTheirOccurrence();
    void acknowledgeAllTakesWhatWasThereWhenAsked();

private:
    void StartStation(bool latch = false);
    void StopStation();
    // As the handler routes a record: log (which names the row the record belongs to), view, speech.
    void Deal(int port, int level, int secondsLater = 0, int alarmType = AlarmTypeVideoBlack);
    void Do(const QString& step);
    void ChooseFromMenu(const QString& text);
    QString Describe();
    // The table as it is on screen once the changes so far are shown.
    QTableView* Table() const
    {
        m_display->AllDeviceForm()->Publish();
        return m_display->AllDeviceForm()->SignalAlarmTable();
    }
    QString Db(const char* statement) const
    {
        return QueryValue(m_appDir->filePath("log/alarm.db"), QLatin1String(statement)).toString();
    }

    std::unique_ptr<LogManager> m_log;
    std::unique_ptr<SoundAlarmManager> m_speech;
    std::unique_ptr<MainAlarmDisplayWidget> m_display;
    QDateTime m_now;
    qint64 m_steadyMs = 0;
    RecordingPrompts m_prompts;
};

void TestAlarmHandling::init()
{
    AppDirTest::init();
    m_now = QDateTime::currentDateTime();
    m_prompts = RecordingPrompts();
    m_prompts.dialogAnswer = [](QDialog& dialog) {
        qobject_cast<QInputDialog*>(&dialog)->setTextValue("feed checked");
        return int(QDialog::Accepted);
    };
    StartStation();
}

void TestAlarmHandling::cleanup()
{
    StopStation();
    AppDirTest::cleanup();
    QVERIFY2(m_prompts.said.isEmpty(), qPrintable(m_prompts.said.join('\n')));
}

void TestAlarmHandling::StartStation(bool latch)
{
    m_log = std::make_unique<LogManager>();
    m_log->BeginRun();
    m_speech = std::make_unique<SoundAlarmManager>([] { return std::make_unique<HeldVoice>(); }, true);
    // An ended alarm leaves the queue whether or not it was said, and its end is not said: what is queued is then
    // the same whenever the speech thread gets its turn.
    SystemConfigFile speechConfig;
    speechConfig.SetSayOutdatedAlarm(false);
    speechConfig.SetSayAlarmNormal(false);
    m_speech->SetSystemConfig(speechConfig);
    m_display = std::make_unique<MainAlarmDisplayWidget>();
    DeviceConfigFile config;
    config.AddDevice(DeviceConfigNode("10.19.0.1", "Studio"));
    m_display->SetDeviceConfig(config);
    m_display->AddDevice("10.19.0.1", "Studio");
    m_display->SetSoundAlarmManager(m_speech.get());
    AlarmHandlingController* handling = m_display->Handling();
    handling->SetHandlingLog(m_log.get());
    handling->SetClock([this] { return m_now; });
    handling->SetSteadyClock([this] { return m_steadyMs; });
    handling->SetPrompts(m_prompts.Answer<DialogPrompts>());
    m_display->SetLatchEndedAlarms(latch);
    handling->Restore();
    m_display->SetConfirm(m_prompts.Answer<DialogPrompts>().confirm);
    m_display->SetMonitoring(true);
}

void TestAlarmHandling::StopStation()
{
    m_display.reset();
    m_speech.reset();
    m_log.reset();
}

void TestAlarmHandling::Deal(int port, int level, int secondsLater, int alarmType)
{
    AlarmRecord record = MakeAlarm("10.19.0.1", PortTypeBnc, port, -1, alarmType, level);
    record.time = m_now.addSecs(secondsLater);
    const QDateTime rowStart = m_log->AddAlarm(&record);
    if (rowStart.isValid() && level != LevelNormal)
        record.time = rowStart;
    m_display->DealAlarm(&record);
    m_speech->AppendAlarm(&record);
    QCoreApplication::sendPostedEvents(m_display.get(), QEvent::MetaCall);
}

void TestAlarmHandling::ChooseFromMenu(const QString& text)
{
    m_display->AllDeviceForm()->SetMenuRunner([text](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            const QList<QAction*> choices = action->menu() ? action->menu()->actions() : QList<QAction*>{action};
            for (QAction* choice : choices) {
                if (choice->text() == text)
                    return choice->trigger();
            }
        }
        QFAIL(qPrintable("no menu entry " + text));
    });
    Table()->selectAll();
    m_display->AllDeviceForm()->OnSignalAlarmMenuRequested();
}

void TestAlarmHandling::Do(const QString& step)
{
    if (step == "raise") {
        Deal(3, LevelError);
    } else if (step == "end") {
        m_now = m_now.addSecs(2);
        Deal(3, LevelNormal);
    } else if (step == "ack") {
        m_now = m_now.addSecs(60);
        ChooseFromMenu("Acknowledge with Note...");
    } else if (step == "ack, replaced meanwhile") {
        // While the note is typed, black ends and lost starts on the port: the row's key stays.
        const auto answer = m_prompts.dialogAnswer;
        m_prompts.dialogAnswer = [this, answer](QDialog& dialog) {
            Deal(3, LevelNormal, 1);
            Deal(3, LevelError, 1, AlarmTypeVideoLost);
            return answer(dialog);
        };
        ChooseFromMenu("Acknowledge with Note...");
        m_prompts.dialogAnswer = answer;
    } else if (step == "mute" || step == "unmute") {
        m_speech->EnableDeviceSound("10.19.0.1", step == "unmute");
    } else if (step == "delete") {
        ChooseFromMenu("Delete");
        // The tile is counted once the store has let go.
        QCoreApplication::sendPostedEvents(m_display->Handling(), QEvent::MetaCall);
    } else if (step == "latch off") {
        m_display->SetLatchEndedAlarms(false);
    } else if (step == "shelve") {
        ChooseFromMenu("1 hour");
    } else if (step == "expire") {
        // Shelves run out by the steady clock, whatever the wall clock does.
        m_now = m_now.addSecs(-3600);
        m_steadyMs += 3601000;
        QTRY_VERIFY_WITH_TIMEOUT(!m_display->Handling()->State().HasShelves(), 5000);
    } else if (step == "unshelve") {
        m_display->Handling()->ShowShelvedAlarms();
        auto* window = m_display->findChild<ShelvedAlarmsDialog*>();
        QCOMPARE(window->Table()->rowCount(), 1);
        window->Table()->selectAll();
        window->OnUnshelveClicked();
        QCOMPARE(window->Table()->rowCount(), 0);
    }
}

QString TestAlarmHandling::Describe()
{
    QStringList shown;
    const QTableView* table = Table();
    for (int row = 0; row < RowCount(table); ++row) {
        const bool returned = CellColour(table, row, 5) == QColor(190, 190, 190).name();
        shown << QString("%1%2").arg(CellText(table, row, 8).isEmpty() ? "unacked" : "acked",
                                     returned ? " returned" : "");
    }
    QList<AlarmRecord> queued;
    m_speech->GetQueuedAlarms(queued);
    const auto spoken =
        std::count_if(queued.cbegin(), queued.cend(), [](const AlarmRecord& r) { return r.level != LevelNormal; });
    m_log->Flush();
    return QString("rows [%1] badge %2 spoken %3 history %4 | acks %5 shelves %6 unshelved %7")
        .arg(shown.join(", "))
        .arg(m_display->TileAt(0)->GetUnacknowledged())
        .arg(spoken)
        .arg(RowCount(m_display->AllDeviceForm()->SignalHistoryTable()))
        .arg(Db("select count(*) from alarm_ack"), Db("select count(*) from alarm_shelf"),
             Db("select count(*) from alarm_shelf where unshelved_time is not null"));
}

void TestAlarmHandling::oneAlarmThroughItsStates_data()
{
    QTest::addColumn<bool>("latch");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("after");
    const QString raised = "rows [unacked] badge 1 spoken 1 history 0 | acks 0 shelves 0 unshelved 0";
    QTest::newRow("acknowledged, then ended") << false << QStringList{"raise", "ack", "end"}
                                              << QStringList{raised,
                                                             "rows [acked] badge 0 spoken 0 history 0 | acks 1 "
                                                             "shelves 0 unshelved 0",
                                                             "rows [] badge 0 spoken 0 history 1 | acks 1 shelves 0 "
                                                             "unshelved 0"};
    const QString acked = "rows [acked] badge 0 spoken 0 history 0 | acks 1 shelves 0 unshelved 0";
    const QString ended = "rows [] badge 0 spoken 0 history 1 | acks 1 shelves 0 unshelved 0";
    const QString raisedAgain = "rows [unacked] badge 1 spoken 1 history 1 | acks 1 shelves 0 unshelved 0";
    QTest::newRow("a note added, ended, raised again and said")
        << false << QStringList{"raise", "ack", "ack", "end", "raise"}
        << QStringList{raised, acked, "rows [acked] badge 0 spoken 0 history 0 | acks 2 shelves 0 unshelved 0",
                       "rows [] badge 0 spoken 0 history 1 | acks 2 shelves 0 unshelved 0",
                       "rows [unacked] badge 1 spoken 1 history 1 | acks 2 shelves 0 unshelved 0"};
    QTest::newRow("ended while muted, said when raised again")
        << false << QStringList{"raise", "ack", "mute", "end", "unmute", "raise"}
        << QStringList{raised, acked, acked, ended, ended, raisedAgain};
    QTest::newRow("replaced while the note is typed: the new alarm stays unseen")
        << false << QStringList{"raise", "ack, replaced meanwhile"} << QStringList{raised, raisedAgain};
    QTest::newRow("kept ended alarm deleted")
        << true << QStringList{"raise", "end", "delete"}
        << QStringList{raised, "rows [unacked returned] badge 1 spoken 0 history 1 | acks 0 shelves 0 unshelved 0",
                       "rows [] badge 0 spoken 0 history 1 | acks 0 shelves 0 unshelved 0"};
    QTest::newRow("kept ended alarm let go when latching is turned off")
        << true << QStringList{"raise", "end", "latch off"}
        << QStringList{raised, "rows [unacked returned] badge 1 spoken 0 history 1 | acks 0 shelves 0 unshelved 0",
                       "rows [] badge 0 spoken 0 history 1 | acks 0 shelves 0 unshelved 0"};
    QTest::newRow("ended unseen, latch off") << false << QStringList{"raise", "end"}
                                             << QStringList{raised, "rows [] badge 0 spoken 0 history 1 | acks 0 "
                                                                    "shelves 0 unshelved 0"};
    QTest::newRow("ended unseen, kept until acknowledged")
        << true << QStringList{"raise", "end", "ack"}
        << QStringList{raised, "rows [unacked returned] badge 1 spoken 0 history 1 | acks 0 shelves 0 unshelved 0",
                       "rows [] badge 0 spoken 0 history 1 | acks 1 shelves 0 unshelved 0"};
    QTest::newRow("shelf runs out while still active")
        << false << QStringList{"raise", "shelve", "raise", "expire"}
        << QStringList{raised, "rows [] badge 0 spoken 0 history 0 | acks 0 shelves 1 unshelved 0",
                       "rows [] badge 0 spoken 0 history 0 | acks 0 shelves 1 unshelved 0",
                       "rows [unacked] badge 1 spoken 1 history 0 | acks 0 shelves 1 unshelved 0"};
    QTest::newRow("unshelved early comes back unacknowledged")
        << true << QStringList{"raise", "ack", "shelve", "unshelve"}
        << QStringList{raised, "rows [acked] badge 0 spoken 0 history 0 | acks 1 shelves 0 unshelved 0",
                       "rows [] badge 0 spoken 0 history 0 | acks 1 shelves 1 unshelved 0",
                       "rows [unacked] badge 1 spoken 1 history 0 | acks 1 shelves 1 unshelved 1"};
}

void TestAlarmHandling::oneAlarmThroughItsStates()
{
    QFETCH(bool, latch);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, after);
    m_display->SetLatchEndedAlarms(latch);
    for (int i = 0; i < steps.size(); ++i) {
        Do(steps[i]);
        QCOMPARE(Describe(), after[i]);
    }
}

void TestAlarmHandling::restartKeepsAcknowledgementShelfAndLatchOfTheirOccurrence()
{
    m_display->SetLatchEndedAlarms(true);
    Deal(1, LevelError);
    Deal(2, LevelError);
    Deal(4, LevelError);
    Deal(4, LevelNormal, 1);
    m_display->Handling()->Acknowledge({AlarmViewKey(MakeAlarm("10.19.0.1", PortTypeBnc, 1, -1, 1, 3))}, true);
    m_display->Handling()->Shelve({AlarmViewKey(MakeAlarm("10.19.0.1", PortTypeBnc, 2, -1, 1, 3))}, 60);
    QCOMPARE(Describe(), QString("rows [unacked returned, acked] badge 1 spoken 0 history 1 | acks 1 shelves 1 "
                                 "unshelved 0"));

    StopStation();
    m_now = m_now.addSecs(600);
    StartStation(true);
    // The ended alarm nobody acknowledged is kept from the start; the devices then report what is still wrong, and
    // the log names its rows.
    QCOMPARE(Describe(), QString("rows [unacked returned] badge 1 spoken 0 history 0 | acks 1 shelves 1 "
                                 "unshelved 0"));
    Deal(1, LevelError);
    Deal(2, LevelError);
    QCOMPARE(Describe(), QString("rows [acked, unacked returned] badge 1 spoken 0 history 0 | acks 1 shelves 1 "
                                 "unshelved 0"));
    // A new occurrence is news, whatever was acknowledged before.
    Deal(1, LevelNormal, 1);
    Deal(1, LevelError, 2);
    QCOMPARE(Describe(), QString("rows [unacked, unacked returned] badge 2 spoken 1 history 1 | acks 1 shelves 1 "
                                 "unshelved 0"));
}

void TestAlarmHandling::acknowledgeAllTakesWhatWasThereWhenAsked()
{
    m_display->SetLatchEndedAlarms(true);
    Deal(1, LevelError);
    Deal(2, LevelWarn);
    Deal(2, LevelNormal);
    // Reported after the question was answered: the operator has not seen it.
    Deal(3, LevelError, 1);
    QSignalSpy done(m_display->Handling(), &AlarmHandlingController::Sig_AcknowledgeAllDone);
    m_prompts.confirmAnswer = false;
    m_display->Handling()->AcknowledgeAll();
    QCOMPARE(Describe(), QString("rows [unacked, unacked returned, unacked] badge 3 spoken 2 history 1 | acks 0 "
                                 "shelves 0 unshelved 0"));
    m_prompts.confirmAnswer = true;
    m_display->Handling()->AcknowledgeAll();
    QTRY_COMPARE(done.size(), 1);
    QCOMPARE(Describe(), QString("rows [unacked, acked] badge 1 spoken 1 history 1 | acks 2 shelves 0 unshelved 0"));
    QCOMPARE(m_display->Handling()->UnacknowledgedCount(), 1);
    QCOMPARE(m_prompts.asked.size(), 2);
}

QTEST_MAIN(TestAlarmHandling)
#include "TestAlarmHandling.moc"
