#include "AlarmRecords.h"
#include "BuildPath.h"
#include "alarm/AlarmRecord.h"
#include "views/DeviceAlarmListForm.h"

#include <QMenu>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

class TestDeviceAlarmListForm : public QObject
{
    Q_OBJECT

private slots:
    void sharedKeyRemovesTheTopmostRowOnly();
    void historyKeepsTheNewestRows();
    void deviceSoundTouchesOnlyThatDevice();
    void strayClickAndEmptySelectionDoNothing();
    void movedAlarmKeepsItsTypeWordAfterALanguageChange();
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

    // An audio row shows its track; the key finds the row again after earlier rows went.
    form.AddSignalAlarm(Record(ip, PortTypeAnalog, 1, AlarmTypeSilence, 3));
    QCOMPARE(Text(table, 0, 7), QStringLiteral("CH3"));
    AlarmRecord merged = Record(ip, PortTypeAnalog, 1, AlarmTypeSilence, 1);
    merged.note = QStringLiteral("CH1; CH3");
    merged.level = LevelWarn;
    form.RemoveSignalAlarm(Video(ip, 3));
    form.UpdateSignalAlarm(merged);
    QCOMPARE(Text(table, 0, 7), merged.note);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(Text(table, 2, 4), QStringLiteral("BNC 1"));
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

    // Clearing the tables keeps the sound-off list.
    form.SetDeviceSound(QStringLiteral("10.0.0.1"), false);
    form.ClearAll();
    QCOMPARE(signal->rowCount(), 0);
    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.1"), 1));
    QCOMPARE(Text(signal, 0, 6), QString());
}

// A click beside the sound column or below the last row, and a context menu without a selected row.
void TestDeviceAlarmListForm::strayClickAndEmptySelectionDoNothing()
{
    DeviceAlarmListForm form;
    form.AddSystemAlarm(Record(QStringLiteral("10.0.0.3"), PortTypeNone, -1, AlarmTypeConnection));
    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.3"), 1));
    QSignalSpy appended(&form, &DeviceAlarmListForm::Sig_AppendSoundAlarm);
    QSignalSpy removed(&form, &DeviceAlarmListForm::Sig_RemoveSoundAlarm);
    form.OnSystemAlarmCellClicked(0, 3);
    form.OnSystemAlarmCellClicked(1, 4);
    QCOMPARE(appended.size() + removed.size(), 0);
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), QStringLiteral("\u221A"));

    int menusShown = 0;
    form.SetMenuRunner([&menusShown](QMenu&) { ++menusShown; });
    form.On_SignalAlarmTableWidget_customContextMenuRequested(QPoint());
    QCOMPARE(menusShown, 0);
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

    QTranslator translator;
    QVERIFY(translator.load(BuildPath("lang/vizavovu_zh_CN.qm")));
    QCoreApplication::installTranslator(&translator);
    form.RetranslateUi();
    const QString word = AlarmTypeWord(AlarmTypeVideoLost);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(word != QStringLiteral("Video Lost"));
    QCOMPARE(Text(history, 0, 7), word);
}

QTEST_MAIN(TestDeviceAlarmListForm)
#include "TestDeviceAlarmListForm.moc"
