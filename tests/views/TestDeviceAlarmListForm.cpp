#include "AlarmRecords.h"
#include "alarm/AlarmRecord.h"
#include "views/DeviceAlarmListForm.h"

#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

class TestDeviceAlarmListForm : public QObject
{
    Q_OBJECT

private slots:
    void sharedKeyRemovesTheTopmostRowOnly();
    void historyTexts_data();
    void historyTexts();
    void historyKeepsTheNewestRows();
    void deviceSoundTouchesOnlyThatDevice();
    void soundCellClicksTickAndUntick();
    void deleteMenuNeedsASelection();
    void movedAlarmKeepsItsTypeWordAfterALanguageChange();
    void clearAllResetsTablesButNotTheSoundOffList();
};

static AlarmRecord Record(const QString& ip, int portType, int portID, int alarmType, int trackID = -1)
{
    AlarmRecord record = MakeAlarm(ip, portType, portID, trackID, alarmType, LevelError);
    record.time = QDateTime(QDate(2024, 1, 1), QTime(10, 0));
    record.deviceName = QStringLiteral("Studio A");
    record.signalName = QStringLiteral("CAM %1").arg(portID);
    return record;
}

static AlarmRecord Video(const QString& ip, int port, int alarmType = AlarmTypeVideoLost)
{
    return Record(ip, PortTypeBnc, port, alarmType);
}

static QString Text(const QTableWidget* table, int row, int column)
{
    return table->item(row, column)->text();
}

static QLabel* Label(const DeviceAlarmListForm& form, const char* name)
{
    return form.findChild<QLabel*>(QLatin1String(name));
}

void TestDeviceAlarmListForm::sharedKeyRemovesTheTopmostRowOnly()
{
    DeviceAlarmListForm form;
    const QString ip = QStringLiteral("10.0.0.2");
    form.AddSignalAlarm(Video(ip, 1));
    form.AddSignalAlarm(Video(ip, 2, AlarmTypeVideoBlack));
    form.AddSignalAlarm(Video(ip, 2, AlarmTypeVideoFreeze));
    form.AddSignalAlarm(Video(ip, 3));
    QTableWidget* table = form.SignalAlarmTable();
    form.RemoveSignalAlarm(Video(ip, 2, AlarmTypeVideoBlack));
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(Text(table, 1, 5), AlarmTypeWord(AlarmTypeVideoBlack));
    QCOMPARE(Label(form, "label_SignalAlarm")->text(), QStringLiteral("Signal Alarm [ 3 ]"));

    // An audio row shows its track; the key finds the row again after earlier rows went.
    form.AddSignalAlarm(Record(ip, PortTypeAnalog, 1, AlarmTypeSilence, 3));
    QCOMPARE(Text(table, 0, 7), QStringLiteral("CH3"));
    AlarmRecord merged = Record(ip, PortTypeAnalog, 1, AlarmTypeSilence, 1);
    merged.note = QStringLiteral("CH1; CH3");
    merged.level = LevelWarn;
    form.RemoveSignalAlarm(Video(ip, 3));
    form.UpdateSignalAlarm(merged);
    QCOMPARE(Text(table, 0, 7), merged.note);
    QCOMPARE(table->item(0, 5)->background().color(), QColor(255, 204, 0));
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(Text(table, 2, 4), QStringLiteral("BNC 1"));
}

void TestDeviceAlarmListForm::historyTexts_data()
{
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("duration");

    const QDateTime start(QDate(2024, 1, 1), QTime(10, 0));
    QTest::newRow("two days") << QDateTime(QDate(2024, 1, 3), QTime(11, 30, 15)) << "1080i50" << "2 day 01:30:15";
    QTest::newRow("under an hour") << start.addSecs(59 * 60 + 59) << "" << "00:59:59";
    QTest::newRow("not ended") << QDateTime() << "" << "";
}

void TestDeviceAlarmListForm::historyTexts()
{
    QFETCH(QDateTime, end);
    QFETCH(QString, note);
    QFETCH(QString, duration);
    DeviceAlarmListForm form;
    AlarmRecord record = Video(QStringLiteral("10.0.0.2"), 4);
    record.note = note;
    record.end_time = end;
    form.AddSignalHistory(record);
    form.AddSystemHistory(Record(QStringLiteral("10.0.0.2"), PortTypeNone, -1, AlarmTypeConnection));

    const QString endText = end.isValid() ? end.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QString();
    QTableWidget* history = form.SignalHistoryTable();
    QCOMPARE(Text(history, 0, 0), QStringLiteral("2024-01-01 10:00:00"));
    QCOMPARE(Text(history, 0, 1), endText);
    QCOMPARE(Text(history, 0, 2), duration);
    QCOMPARE(Text(history, 0, 8), note);
    QCOMPARE(Text(form.SystemHistoryTable(), 0, 1), QString());
}

void TestDeviceAlarmListForm::historyKeepsTheNewestRows()
{
    DeviceAlarmListForm form;
    form.SetMaxHistory(3);
    for (int port = 1; port <= 4; ++port)
        form.AddSignalHistory(Video(QStringLiteral("10.0.0.2"), port));
    QTableWidget* history = form.SignalHistoryTable();
    QCOMPARE(history->rowCount(), 3);
    QCOMPARE(Text(history, 2, 6), QStringLiteral("BNC 2"));
    QCOMPARE(Label(form, "label_SignalHistory")->text(), QStringLiteral("Signal Alarm History [ 3 ]"));

    form.SetMaxHistory(0);
    form.AddSignalHistory(Video(QStringLiteral("10.0.0.2"), 5));
    QCOMPARE(history->rowCount(), 3);
    form.SetMaxHistory(2);
    QCOMPARE(history->rowCount(), 2);
    QCOMPARE(Text(history, 0, 6), QStringLiteral("BNC 5"));
    QCOMPARE(Text(history, 1, 6), QStringLiteral("BNC 4"));
}

void TestDeviceAlarmListForm::deviceSoundTouchesOnlyThatDevice()
{
    DeviceAlarmListForm form;
    const QString check = QStringLiteral("\u221A");
    form.SetDeviceSound(QStringLiteral("10.0.0.1"), false);
    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.1"), 1));
    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.10"), 1));
    form.AddSystemAlarm(Record(QStringLiteral("10.0.0.1"), PortTypeNone, -1, AlarmTypeConnection));
    QTableWidget* signal = form.SignalAlarmTable();
    QCOMPARE(Text(signal, 0, 6), check);
    QCOMPARE(Text(signal, 1, 6), QString());
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), QString());

    form.SetDeviceSound(QStringLiteral("10.0.0.1"), true);
    QCOMPARE(Text(signal, 1, 6), check);
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), check);
    form.SetDeviceSound(QStringLiteral("10.0.0.1"), false);
    QCOMPARE(Text(signal, 0, 6), check);
    QCOMPARE(Text(signal, 1, 6), QString());

    // Only the rows of queued alarms keep their tick.
    form.SetDeviceSound(QStringLiteral("10.0.0.1"), true);
    form.SyncSoundMarks({Video(QStringLiteral("10.0.0.10"), 1, AlarmTypeVideoBlack)});
    QCOMPARE(Text(signal, 0, 6), check);
    QCOMPARE(Text(signal, 1, 6), QString());
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), QString());
}

void TestDeviceAlarmListForm::soundCellClicksTickAndUntick()
{
    DeviceAlarmListForm form;
    form.AddSystemAlarm(Record(QStringLiteral("10.0.0.3"), PortTypeNone, -1, AlarmTypeConnection));
    QSignalSpy appended(&form, &DeviceAlarmListForm::Sig_AppendSoundAlarm);
    QSignalSpy removed(&form, &DeviceAlarmListForm::Sig_RemoveSoundAlarm);
    QTableWidget* system = form.SystemAlarmTable();

    form.OnSystemAlarmCellClicked(0, 4);
    QCOMPARE(Text(system, 0, 4), QString());
    form.OnSystemAlarmCellClicked(0, 4);
    QCOMPARE(Text(system, 0, 4), QStringLiteral("\u221A"));
    form.OnSystemAlarmCellClicked(0, 3);
    form.OnSystemAlarmCellClicked(1, 4);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(appended.size(), 1);
    QCOMPARE(appended[0][0].toString(), QStringLiteral("10.0.0.3:32"));

    form.ClearSoundMark(QStringLiteral("10.0.0.3:32"));
    QCOMPARE(Text(system, 0, 4), QString());
    form.SetSoundMark(QStringLiteral("10.0.0.3:32"));
    QCOMPARE(Text(system, 0, 4), QStringLiteral("\u221A"));
}

void TestDeviceAlarmListForm::deleteMenuNeedsASelection()
{
    DeviceAlarmListForm form;
    int menusShown = 0;
    form.SetMenuRunner([&menusShown](QMenu& menu) {
        ++menusShown;
        menu.actions().first()->trigger();
    });
    QSignalSpy deleted(&form, &DeviceAlarmListForm::Sig_DeleteSignalAlarm);
    for (int port = 1; port <= 3; ++port)
        form.AddSignalAlarm(Video(QStringLiteral("10.0.0.4"), port));

    form.On_SignalAlarmTableWidget_customContextMenuRequested(QPoint());
    QCOMPARE(menusShown, 0);

    QTableWidget* table = form.SignalAlarmTable();
    table->selectRow(0);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    form.On_SignalAlarmTableWidget_customContextMenuRequested(QPoint());
    QCOMPARE(menusShown, 1);
    QCOMPARE(deleted.size(), 1);
    QStringList keys;
    form.GetSelectedSignalKeys(keys);
    keys.sort();
    QCOMPARE(keys, QStringList({"10.0.0.4:1:1:video", "10.0.0.4:1:3:video"}));
}

void TestDeviceAlarmListForm::movedAlarmKeepsItsTypeWordAfterALanguageChange()
{
    DeviceAlarmListForm form;
    AlarmRecord record = Video(QStringLiteral("10.0.0.5"), 2);
    record.note = QStringLiteral("1080i50");
    form.AddSignalAlarm(record);
    form.MoveSignalAlarmToHistory(AlarmViewKey(record));
    QCOMPARE(form.SignalAlarmTable()->rowCount(), 0);
    QTableWidget* history = form.SignalHistoryTable();
    QCOMPARE(Text(history, 0, 1), QString());
    QCOMPARE(Text(history, 0, 2), QString());
    QCOMPARE(Text(history, 0, 8), record.note);
    QCOMPARE(Label(form, "label_SignalAlarm")->text(), QStringLiteral("Signal Alarm [ 0 ]"));

    QTranslator translator;
    QVERIFY(translator.load(qEnvironmentVariable("VZ_BUILD_DIR") + "/lang/vizavovu_zh_CN.qm"));
    QCoreApplication::installTranslator(&translator);
    form.RetranslateUi();
    const QString word = AlarmTypeWord(AlarmTypeVideoLost);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(word != QStringLiteral("Video Lost"));
    QCOMPARE(Text(history, 0, 7), word);
}

void TestDeviceAlarmListForm::clearAllResetsTablesButNotTheSoundOffList()
{
    DeviceAlarmListForm form;
    form.SetDeviceSound(QStringLiteral("10.0.0.6"), false);
    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.6"), 1));
    form.AddSystemAlarm(Record(QStringLiteral("10.0.0.6"), PortTypeNone, -1, AlarmTypeConnection));
    form.AddSignalHistory(Video(QStringLiteral("10.0.0.6"), 2));
    form.AddSystemHistory(Record(QStringLiteral("10.0.0.6"), PortTypeNone, -1, AlarmTypeConnection));
    form.ClearAll();
    for (QTableWidget* table : {form.SignalAlarmTable(), form.SystemAlarmTable(), form.SignalHistoryTable(),
                                form.SystemHistoryTable()})
        QCOMPARE(table->rowCount(), 0);
    QCOMPARE(Label(form, "label_SignalAlarm")->text(), QStringLiteral("Signal Alarm [ 0 ]"));
    QCOMPARE(Label(form, "label_SystemAlarm")->text(), QStringLiteral("System Alarm [ 0 ]"));
    QCOMPARE(Label(form, "label_SignalHistory")->text(), QStringLiteral("Signal Alarm History [ 0 ]"));
    QCOMPARE(Label(form, "label_SystemHistory")->text(), QStringLiteral("System Alarm History [ 0 ]"));

    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.6"), 1));
    QCOMPARE(Text(form.SignalAlarmTable(), 0, 6), QString());
    QCOMPARE(form.SignalAlarmTable()->rowCount(), 1);
}

QTEST_MAIN(TestDeviceAlarmListForm)
#include "TestDeviceAlarmListForm.moc"
