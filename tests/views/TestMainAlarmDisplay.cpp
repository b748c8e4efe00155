#include "AlarmRecords.h"
#include "AppDirTest.h"
#include "TableText.h"
#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/SoundAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "views/DeviceAlarmListForm.h"
#include "views/DevicePicMonitorForm.h"
#include "views/DeviceStatusForm.h"
#include "views/DeviceWidget.h"
#include "views/MainAlarmDisplayWidget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRandomGenerator>
#include <QTableView>
#include <QtTest>

#include <thread>

namespace {
AlarmRecord Lost(const QString& ip, int port, int level)
{
    return MakeAlarm(ip, PortTypeBnc, port, -1, AlarmTypeVideoLost, level);
}

QString Ip(int i)
{
    return QStringLiteral("10.0.0.%1").arg(i);
}

// The tables show what changed once the posted publish has run.
int Rows(const QTableView* table)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    return RowCount(table);
}

QStringList Column(const QTableView* table, int column)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    return ColumnTexts(table, column);
}

// Everything an operator sees of the display, as text.
QStringList Snapshot(const MainAlarmDisplayWidget& display)
{
    QStringList shown;
    for (const DeviceAlarmListForm* form : {display.AllDeviceForm(), display.CurrentDeviceForm()}) {
        for (const QTableView* table : {form->SignalAlarmTable(), form->SignalHistoryTable(), form->SystemAlarmTable(),
                                        form->SystemHistoryTable()}) {
            for (int row = 0; row < Rows(table); ++row) {
                QStringList cells;
                for (int column = 0; column < table->model()->columnCount(); ++column)
                    cells.append(CellText(table, row, column) + "/" + CellColour(table, row, column));
                shown.append(cells.join('|'));
            }
            shown.append("--");
        }
    }
    for (int row = 0; display.TileAt(row); ++row)
        shown.append(display.TileAt(row)->GetIp() + " " + QString::number(display.TileAt(row)->GetState()) + " " +
                     QString::number(display.TileAt(row)->IsFocused()) + " " +
                     QString::number(display.TileAt(row)->GetUnacknowledged()));
    shown.append(display.CurrentDeviceTexts());
    for (int state : display.StatusForm()->States())
        shown.append(QString::number(state));
    return shown;
}
} // namespace

class TestMainAlarmDisplay : public AppDirTest
{
    Q_OBJECT

private slots:
    void cleanup();
    void monitoringOffTakesNothingFromThePool();
    void tracksShareOneRowUntilOneEnds();
    void autoSortMovesTilesFixedKeepsThem();
    void switchingToAutoSortSortsByAgeText();
    void soundCellTickedInOneFormTicksTheOtherAndQueuesSpeech();
    void deletingTwoRowsAsksOnce();
    void picturesOfUnmonitoredPortsAndTheirCaptions();
    void batchedRecordsLeaveWhatOneAtATimeLeaves_data();
    void batchedRecordsLeaveWhatOneAtATimeLeaves();
    void backlogIsDroppedByClearingAndReachesNewTiles();
    void deleteRemovesWhatWasSelectedWhenAlarmsArriveMeanwhile();

private:
    std::unique_ptr<MainAlarmDisplayWidget> MakeDisplay(int devices);
    // Hands the record over as the handler thread does and lets the GUI thread apply it.
    void Deal(const AlarmRecord& record, bool applyNow = true);

    std::unique_ptr<MainAlarmDisplayWidget> m_display;
    int m_confirmations = 0;
};

void TestMainAlarmDisplay::cleanup()
{
    m_display.reset();
    m_confirmations = 0;
    AppDirTest::cleanup();
}

std::unique_ptr<MainAlarmDisplayWidget> TestMainAlarmDisplay::MakeDisplay(int devices)
{
    auto display = std::make_unique<MainAlarmDisplayWidget>();
    DeviceConfigFile config;
    for (int i = 1; i <= devices; ++i) {
        config.AddDevice(DeviceConfigNode(Ip(i), QStringLiteral("Studio %1").arg(i)));
    }
    display->SetDeviceConfig(config);
    for (const DeviceConfigNode* device : config.Devices())
        display->AddDevice(device->ip(), device->dev_name());
    display->SetConfirm([this](QWidget*, const QString&, const QString&) {
        ++m_confirmations;
        return true;
    });
    display->SetMonitoring(true);
    return display;
}

void TestMainAlarmDisplay::Deal(const AlarmRecord& record, bool applyNow)
{
    m_display->DealAlarm(&record);
    if (applyNow)
        QCoreApplication::sendPostedEvents(m_display.get(), QEvent::MetaCall);
}

void TestMainAlarmDisplay::monitoringOffTakesNothingFromThePool()
{
    m_display = MakeDisplay(1);
    m_display->SetMonitoring(false);
    QSignalSpy dealt(m_display.get(), &MainAlarmDisplayWidget::Signal_DealAlarm);
    const int spares = AlarmRecordPool::Instance()->FreeCount();
    Deal(Lost(Ip(1), 1, LevelError));
    QCOMPARE(AlarmRecordPool::Instance()->FreeCount(), spares);
    QCOMPARE(dealt.size(), 0);
    QCOMPARE(Rows(m_display->AllDeviceForm()->SignalAlarmTable()), 0);
}

void TestMainAlarmDisplay::tracksShareOneRowUntilOneEnds()
{
    m_display = MakeDisplay(1);
    Deal(MakeAlarm(Ip(1), PortTypeAnalog, 1, 1, AlarmTypeSilence, LevelError));
    Deal(MakeAlarm(Ip(1), PortTypeAnalog, 1, 3, AlarmTypeSilence, LevelError));
    for (DeviceAlarmListForm* form : {m_display->AllDeviceForm(), m_display->CurrentDeviceForm()}) {
        QCOMPARE(Rows(form->SignalAlarmTable()), 1);
        QCOMPARE(CellText(form->SignalAlarmTable(), 0, 7), QStringLiteral("CH1; CH3"));
    }
    Deal(MakeAlarm(Ip(1), PortTypeAnalog, 1, 3, AlarmTypeSilence, LevelNormal));
    QCOMPARE(Rows(m_display->AllDeviceForm()->SignalAlarmTable()), 0);
    QCOMPARE(Rows(m_display->AllDeviceForm()->SignalHistoryTable()), 1);
}

void TestMainAlarmDisplay::autoSortMovesTilesFixedKeepsThem()
{
    m_display = MakeDisplay(4);
    QCOMPARE(m_display->CurrentTile(), m_display->TileAt(0));
    Deal(Lost(Ip(4), 2, LevelError));
    QCOMPARE(m_display->TileAt(0)->GetIp(), Ip(4));
    QCOMPARE(m_display->CurrentTile()->GetIp(), Ip(4));
    QVERIFY(m_display->CurrentTile()->IsFocused() && !m_display->TileAt(1)->IsFocused());
    QCOMPARE(m_display->CurrentDeviceTexts(), (QStringList{"Studio 4", Ip(4), "within 1 minute"}));
    QCOMPARE(Rows(m_display->CurrentDeviceForm()->SignalAlarmTable()), 1);

    Deal(Lost(Ip(4), 2, LevelNormal));
    QCOMPARE(m_display->TileAt(3)->GetIp(), Ip(4));
    QCOMPARE(m_display->TileAt(3)->GetAgeText(), QStringLiteral("- - -"));
    QCOMPARE(m_display->CurrentTile()->GetIp(), Ip(4));

    m_display->SortSelector()->setCurrentIndex(1);
    Deal(Lost(Ip(2), 1, LevelError));
    QCOMPARE(m_display->TileAt(1)->GetIp(), Ip(2));
    QCOMPARE(m_display->CurrentTile()->GetIp(), Ip(4));
    QCOMPARE(Rows(m_display->CurrentDeviceForm()->SignalAlarmTable()), 0);
    QTest::mouseClick(m_display->TileAt(1), Qt::LeftButton, {}, QPoint(60, 40));
    QCOMPARE(m_display->CurrentTile()->GetIp(), Ip(2));
    QCOMPARE(Rows(m_display->CurrentDeviceForm()->SignalAlarmTable()), 1);
}

void TestMainAlarmDisplay::switchingToAutoSortSortsByAgeText()
{
    m_display = MakeDisplay(3);
    m_display->SortSelector()->setCurrentIndex(1);
    AlarmRecord older = Lost(Ip(2), 1, LevelError);
    older.time = older.time.addSecs(-5 * 60);
    Deal(older);
    Deal(Lost(Ip(3), 1, LevelError));
    QCOMPARE(m_display->TileAt(1)->GetAgeText(), QStringLiteral("5 minutes ago"));

    m_display->SortSelector()->setCurrentIndex(0);
    QCOMPARE(m_display->TileAt(0)->GetIp(), Ip(3));
    QCOMPARE(m_display->CurrentTile()->GetIp(), Ip(3));
    m_display->RetranslateUi();
    QCOMPARE(m_display->TileAt(1)->GetAgeText(), QStringLiteral("- - -"));
}

void TestMainAlarmDisplay::soundCellTickedInOneFormTicksTheOtherAndQueuesSpeech()
{
    SoundAlarmManager speech([] { return std::make_unique<HeldVoice>(); }, true);
    m_display = MakeDisplay(1);
    m_display->SetSoundAlarmManager(&speech);
    Deal(Lost(Ip(1), 5, LevelError));
    QTableView* all = m_display->AllDeviceForm()->SignalAlarmTable();
    QTableView* current = m_display->CurrentDeviceForm()->SignalAlarmTable();

    m_display->AllDeviceForm()->OnSignalAlarmCellClicked(0, 6);
    QCOMPARE(CellText(current, 0, 6), QString());
    m_display->AllDeviceForm()->OnSignalAlarmCellClicked(0, 6);
    QCOMPARE(CellText(current, 0, 6), CellText(all, 0, 6));
    QVERIFY(!CellText(current, 0, 6).isEmpty());
    QList<AlarmRecord> queued;
    speech.GetQueuedAlarms(queued);
    QVERIFY(std::any_of(queued.cbegin(), queued.cend(),
                        [](const AlarmRecord& r) { return AlarmViewKey(r) == "10.0.0.1:1:5:video"; }));
    m_display->SetSoundAlarmManager(nullptr);
}

void TestMainAlarmDisplay::deletingTwoRowsAsksOnce()
{
    m_display = MakeDisplay(1);
    Deal(Lost(Ip(1), 1, LevelError));
    Deal(Lost(Ip(1), 2, LevelError));
    QTableView* table = m_display->AllDeviceForm()->SignalAlarmTable();
    table->selectAll();
    m_display->OnDeleteSignalAlarm();
    QCOMPARE(m_confirmations, 1);
    for (DeviceAlarmListForm* form : {m_display->AllDeviceForm(), m_display->CurrentDeviceForm()}) {
        QCOMPARE(Rows(form->SignalAlarmTable()), 0);
        QCOMPARE(Column(form->SignalHistoryTable(), 1), (QStringList{"", ""}));
    }
    // The deleted alarms no longer colour the pictures.
    QCOMPARE(m_display->StatusForm()->States().mid(3, 2), (QVector<int>{1, 1}));
}

// A port without a signal name keeps its own name under its picture, and a device added again gets no second box.
void TestMainAlarmDisplay::picturesOfUnmonitoredPortsAndTheirCaptions()
{
    auto display = std::make_unique<MainAlarmDisplayWidget>();
    DeviceConfigFile config;
    DeviceConfigNode device(Ip(1), QString());
    PortConfigNode analog;
    analog.SetAlarm(false);
    device.SetAnalogPort(0, analog);
    PortConfigNode camera;
    camera.SetSignalName("CAM 1");
    device.SetBncPort(0, camera);
    device.SetBncPort(1, PortConfigNode());
    config.AddDevice(device);
    display->SetDeviceConfig(config);
    display->AddDevice(Ip(1), QString());
    display->AddDevice(Ip(1), QString());
    m_display = std::move(display);

    QCOMPARE(m_display->StatusForm()->States()[2], 0);
    QCOMPARE(m_display->StatusForm()->States()[1], 1);
    QCOMPARE(m_display->StatusForm()->Captions().mid(0, 4), (QStringList{"ANA Audio", "AES Audio", "CAM 1", "BNC 2"}));
    QCOMPARE(m_display->StatusWindow()->findChildren<QGroupBox*>().size(), 1);
}

void TestMainAlarmDisplay::batchedRecordsLeaveWhatOneAtATimeLeaves_data()
{
    QTest::addColumn<bool>("autoSort");
    QTest::addColumn<bool>("latch");
    QTest::newRow("auto sort") << true << false;
    QTest::newRow("fixed") << false << false;
    QTest::newRow("fixed, ended alarms kept until acknowledged") << false << true;
}

// A storm applied in rounds must leave every table, tile, text and picture as applying each record on its
// arrival does.
void TestMainAlarmDisplay::batchedRecordsLeaveWhatOneAtATimeLeaves()
{
    QFETCH(bool, autoSort);
    QFETCH(bool, latch);
    QList<AlarmRecord> records;
    QRandomGenerator random(7);
    const QDateTime start = QDateTime::currentDateTime().addSecs(-3600);
    for (int i = 0; i < 1500; ++i) {
        const int kind = random.bounded(5);
        AlarmRecord record =
            kind < 2   ? Lost(Ip(1 + random.bounded(5)), 1 + random.bounded(4), 1 + random.bounded(3))
            : kind < 4 ? MakeAlarm(Ip(1 + random.bounded(5)), PortTypeBnc, 1 + random.bounded(3), 1 + random.bounded(3),
                                   random.bounded(2) ? AlarmTypeSilence : AlarmTypeAudioOverload, 1 + random.bounded(3))
                       : MakeAlarm(Ip(1 + random.bounded(5)), PortTypeNone, -1, -1, AlarmTypeConnection,
                                   1 + random.bounded(3));
        if (kind < 2 && random.bounded(2))
            record.alarmType = AlarmTypeVideoBlack;
        record.time = start.addSecs(i);
        records.append(record);
    }

    QList<QStringList> shown;
    for (bool batched : {false, true}) {
        m_display = MakeDisplay(5);
        m_display->SortSelector()->setCurrentIndex(autoSort ? 0 : 1);
        m_display->SetLatchEndedAlarms(latch);
        for (const AlarmRecord& record : qAsConst(records))
            Deal(record, !batched);
        // Rounds that ran out of time leave the rest to the next turns of the event loop.
        for (int round = 0; round < 100; ++round)
            QCoreApplication::processEvents();
        shown.append(Snapshot(*m_display));
    }
    QCOMPARE(shown[1], shown[0]);
}

// Queued on the handler's thread and not applied yet: a storm's backlog when Stop or the device dialog comes.
void TestMainAlarmDisplay::backlogIsDroppedByClearingAndReachesNewTiles()
{
    const auto queueFromHandlerThread = [this](int records) {
        std::thread handler([this, records] {
            for (int i = 0; i < records; ++i) {
                const AlarmRecord record = Lost(Ip(2), 1 + i % 16, LevelError);
                m_display->DealAlarm(&record);
            }
        });
        handler.join();
    };
    // Stop clears the alarms: nothing of the backlog is applied first.
    m_display = MakeDisplay(2);
    queueFromHandlerThread(5000);
    m_display->ClearAlarms();
    QCoreApplication::sendPostedEvents();
    for (int row : {0, 1})
        QCOMPARE(m_display->TileAt(row)->GetState(), 1);
    QCOMPARE(Rows(m_display->AllDeviceForm()->SignalAlarmTable()), 0);

    // The device dialog's OK replaces the tiles as the display router does: the device that remains gets its
    // queued alarm on its new tile, which auto sort moves to the top.
    queueFromHandlerThread(1);
    DeviceConfigFile config;
    config.AddDevice(DeviceConfigNode(Ip(3), QString()));
    config.AddDevice(DeviceConfigNode(Ip(2), QString()));
    m_display->SetDeviceConfig(config);
    m_display->ClearDevices();
    for (const DeviceConfigNode* device : config.Devices())
        m_display->AddDevice(device->ip(), QString());
    QTRY_COMPARE(m_display->TileAt(0)->GetIp(), Ip(2));
    QCOMPARE(m_display->TileAt(0)->GetState(), int(LevelError));
}

// Under auto sort another device's error makes it current, which rebuilds the current-device form and clears its
// selection while the question is open.
void TestMainAlarmDisplay::deleteRemovesWhatWasSelectedWhenAlarmsArriveMeanwhile()
{
    m_display = MakeDisplay(2);
    Deal(Lost(Ip(1), 1, LevelError));
    QCOMPARE(m_display->CurrentTile()->GetIp(), Ip(1));
    m_display->CurrentDeviceForm()->SignalAlarmTable()->selectAll();
    m_display->SetConfirm([this](QWidget*, const QString&, const QString&) {
        Deal(Lost(Ip(2), 4, LevelError));
        return true;
    });
    m_display->OnDeleteCurSignalAlarm();
    QCOMPARE(m_display->CurrentTile()->GetIp(), Ip(2));
    DeviceAlarmListForm* all = m_display->AllDeviceForm();
    QCOMPARE(Column(all->SignalAlarmTable(), 2), QStringList{Ip(2)});
    QCOMPARE(Column(all->SignalHistoryTable(), 4), QStringList{Ip(1)});
}

QTEST_MAIN(TestMainAlarmDisplay)
#include "TestMainAlarmDisplay.moc"
