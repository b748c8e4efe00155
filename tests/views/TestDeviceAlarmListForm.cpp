#include "AlarmRecords.h"
#include "BuildPath.h"
#include "TableText.h"
#include "alarm/AlarmRecord.h"
#include "views/DeviceAlarmListForm.h"

#include <QItemSelectionModel>
#include <QMenu>
#include <QRandomGenerator>
#include <QTableView>
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
    void tableFollowsAPlainListAcrossRoundsWithItsSelection();
    void pacedTablesShowTheirRowsWithoutBeingAsked();
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

static QString Text(const QTableView* table, int row, int column)
{
    return CellText(table, row, column);
}

void TestDeviceAlarmListForm::sharedKeyRemovesTheTopmostRowOnly()
{
    DeviceAlarmListForm form;
    const QString ip = QStringLiteral("10.0.0.2");
    form.AddSignalAlarm(Video(ip, 1));
    form.AddSignalAlarm(Video(ip, 2, AlarmTypeVideoBlack));
    form.AddSignalAlarm(Video(ip, 2, AlarmTypeVideoFreeze));
    form.AddSignalAlarm(Video(ip, 3));
    QTableView* table = form.SignalAlarmTable();
    form.RemoveSignalAlarm(Video(ip, 2, AlarmTypeVideoBlack));
    form.Publish();
    QCOMPARE(RowCount(table), 3);
    QCOMPARE(Text(table, 1, 5), AlarmTypeWord(AlarmTypeVideoBlack));

    // An audio row shows its track; the key finds the row again after earlier rows went.
    form.AddSignalAlarm(Record(ip, PortTypeAnalog, 1, AlarmTypeSilence, 3));
    form.Publish();
    QCOMPARE(Text(table, 0, 7), QStringLiteral("CH3"));
    AlarmRecord merged = Record(ip, PortTypeAnalog, 1, AlarmTypeSilence, 1);
    merged.note = QStringLiteral("CH1; CH3");
    merged.level = LevelWarn;
    form.RemoveSignalAlarm(Video(ip, 3));
    form.UpdateSignalAlarm(merged);
    form.Publish();
    QCOMPARE(Text(table, 0, 7), merged.note);
    QCOMPARE(RowCount(table), 3);
    QCOMPARE(Text(table, 2, 4), QStringLiteral("BNC 1"));
}

void TestDeviceAlarmListForm::historyKeepsTheNewestRows()
{
    DeviceAlarmListForm form;
    form.SetMaxHistory(3);
    for (int port = 1; port <= 4; ++port)
        form.AddSignalHistory(Video(QStringLiteral("10.0.0.2"), port));
    QTableView* history = form.SignalHistoryTable();
    form.Publish();
    QCOMPARE(RowCount(history), 3);
    QCOMPARE(Text(history, 2, 6), QStringLiteral("BNC 2"));

    form.SetMaxHistory(0);
    form.AddSignalHistory(Video(QStringLiteral("10.0.0.2"), 5));
    form.Publish();
    QCOMPARE(RowCount(history), 3);
    form.SetMaxHistory(2);
    form.Publish();
    QCOMPARE(RowCount(history), 2);
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
    QTableView* signal = form.SignalAlarmTable();
    form.Publish();
    QCOMPARE(Text(signal, 0, 6), check);
    QCOMPARE(Text(signal, 1, 6), QString());
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), QString());

    form.SetDeviceSound(QStringLiteral("10.0.0.1"), true);
    form.Publish();
    QCOMPARE(Text(signal, 1, 6), check);
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), check);
    form.SetDeviceSound(QStringLiteral("10.0.0.1"), false);
    form.Publish();
    QCOMPARE(Text(signal, 0, 6), check);
    QCOMPARE(Text(signal, 1, 6), QString());

    // Only the rows of queued alarms keep their tick.
    form.SetDeviceSound(QStringLiteral("10.0.0.1"), true);
    form.SyncSoundMarks({Video(QStringLiteral("10.0.0.10"), 1, AlarmTypeVideoBlack)});
    form.Publish();
    QCOMPARE(Text(signal, 0, 6), check);
    QCOMPARE(Text(signal, 1, 6), QString());
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), QString());

    // Clearing the tables keeps the sound-off list.
    form.SetDeviceSound(QStringLiteral("10.0.0.1"), false);
    form.ClearAll();
    form.Publish();
    QCOMPARE(RowCount(signal), 0);
    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.1"), 1));
    form.Publish();
    QCOMPARE(Text(signal, 0, 6), QString());
}

// A click beside the sound column or below the last row, and a context menu without a selected row.
void TestDeviceAlarmListForm::strayClickAndEmptySelectionDoNothing()
{
    DeviceAlarmListForm form;
    form.AddSystemAlarm(Record(QStringLiteral("10.0.0.3"), PortTypeNone, -1, AlarmTypeConnection));
    form.AddSignalAlarm(Video(QStringLiteral("10.0.0.3"), 1));
    form.Publish();
    QSignalSpy appended(&form, &DeviceAlarmListForm::Sig_AppendSoundAlarm);
    QSignalSpy removed(&form, &DeviceAlarmListForm::Sig_RemoveSoundAlarm);
    form.OnSystemAlarmCellClicked(0, 3);
    form.OnSystemAlarmCellClicked(1, 4);
    form.Publish();
    QCOMPARE(appended.size() + removed.size(), 0);
    QCOMPARE(Text(form.SystemAlarmTable(), 0, 4), QStringLiteral("\u221A"));

    int menusShown = 0;
    form.SetMenuRunner([&menusShown](QMenu&) { ++menusShown; });
    form.OnSignalAlarmMenuRequested();
    QCOMPARE(menusShown, 0);
}

void TestDeviceAlarmListForm::movedAlarmKeepsItsTypeWordAfterALanguageChange()
{
    DeviceAlarmListForm form;
    AlarmRecord record = Video(QStringLiteral("10.0.0.5"), 2);
    record.note = QStringLiteral("1080i50");
    form.AddSignalAlarm(record);
    form.MoveSignalAlarmToHistory(AlarmViewKey(record));
    form.Publish();
    QCOMPARE(RowCount(form.SignalAlarmTable()), 0);
    QTableView* history = form.SignalHistoryTable();
    QCOMPARE(Text(history, 0, 1), QString());
    QCOMPARE(Text(history, 0, 2), QString());
    QCOMPARE(Text(history, 0, 8), record.note);

    QTranslator translator;
    QVERIFY(translator.load(BuildPath("lang/vizavovu_zh_CN.qm")));
    QCoreApplication::installTranslator(&translator);
    form.RetranslateUi();
    const QString word = AlarmTypeWord(AlarmTypeVideoLost);
    const QString shown = Text(history, 0, 7);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(word != QStringLiteral("Video Lost"));
    QCOMPARE(shown, word);
}

// Against a plain list of what the table should show, top first: rows inserted at the top, a key's topmost row
// removed, the oldest trimmed, told to the view at random moments; the operator's selected row follows its row.
void TestDeviceAlarmListForm::tableFollowsAPlainListAcrossRoundsWithItsSelection()
{
    constexpr int Limit = 300;
    AlarmTableModel model({AlarmTableModel::Detail}, false);
    QItemSelectionModel selection(&model);
    model.SetRowLimit(Limit);
    QRandomGenerator random(20261207);
    // Each row as key and serial; the serial tells rows of one key apart.
    QList<QPair<QString, QString>> expected;
    QString selected;
    for (int step = 0; step < 20000; ++step) {
        const QString key = QString::number(random.bounded(400));
        if (random.bounded(100) < 55) {
            AlarmTableModel::Row row;
            row.key = key;
            row.detail = QString::number(step);
            model.InsertTop(row);
            expected.prepend({key, row.detail});
        } else if (model.RemoveTop(key)) {
            const auto top =
                std::find_if(expected.begin(), expected.end(), [&](const auto& row) { return row.first == key; });
            expected.erase(top);
        }
        if (random.bounded(40) != 0)
            continue;
        model.Publish();
        while (expected.size() > Limit)
            expected.removeLast();
        QCOMPARE(model.rowCount(), expected.size());
        QCOMPARE(model.Count(), expected.size());
        for (int row = 0; row < expected.size(); ++row)
            QCOMPARE(model.index(row, 0).data().toString(), expected[row].second);
        const QModelIndexList rows = selection.selectedRows();
        const bool kept =
            std::any_of(expected.cbegin(), expected.cend(), [&](const auto& row) { return row.second == selected; });
        QCOMPARE(rows.size(), kept ? 1 : 0);
        if (kept)
            QCOMPARE(rows[0].data().toString(), selected);
        if (!kept && !expected.isEmpty()) {
            const int row = random.bounded(expected.size());
            selection.select(model.index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            selected = expected[row].second;
        }
    }
}

// A storm paces the tables; rows that arrive in its last paced moments must not wait for another alarm.
void TestDeviceAlarmListForm::pacedTablesShowTheirRowsWithoutBeingAsked()
{
    DeviceAlarmListForm form;
    form.SetPublishDelay(50);
    const QString ip = QStringLiteral("10.0.0.2");
    form.AddSignalAlarm(Video(ip, 1));
    form.AddSignalAlarm(Video(ip, 2));
    form.MoveSignalAlarmToHistory(AlarmViewKey(Video(ip, 1)));
    QTRY_COMPARE(RowCount(form.SignalAlarmTable()), 1);
    QTRY_COMPARE(RowCount(form.SignalHistoryTable()), 1);
}

QTEST_MAIN(TestDeviceAlarmListForm)
#include "TestDeviceAlarmListForm.moc"
