#include "views/MainAlarmDisplayWidget.h"

#include "alarm/SoundAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "views/AlarmHandlingController.h"
#include "views/CurrentDeviceBox.h"
#include "views/DeviceAlarmListForm.h"
#include "views/DeviceNavigation.h"
#include "views/DevicePicMonitorForm.h"
#include "views/DeviceStatusForm.h"
#include "views/DeviceWidget.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

MainAlarmDisplayWidget::MainAlarmDisplayWidget(QWidget* parent)
    : QWidget(parent), m_statusWindow(std::make_unique<DevicePicMonitorForm>()),
      m_arrivals(
          this, [this](const AlarmRecord& record) { ApplyRecord(record); }, [this](bool more) { FinishBatch(more); })
{
    BuildLayout();
    m_touchedTimer.setSingleShot(true);
    m_touchedTimer.setInterval(0);
    connect(&m_touchedTimer, &QTimer::timeout, this, [this] { RefreshTouchedDevices(false); });
    connect(this, &MainAlarmDisplayWidget::Signal_DealAlarm, this, &MainAlarmDisplayWidget::OnDealAlarm);
    connect(m_currentDeviceForm, &DeviceAlarmListForm::Sig_DeleteSignalAlarm, this,
            &MainAlarmDisplayWidget::OnDeleteCurSignalAlarm);
    connect(m_currentDeviceForm, &DeviceAlarmListForm::Sig_DeleteSystemAlarm, this,
            &MainAlarmDisplayWidget::OnDeleteCurSystemAlarm);
    connect(m_allDeviceForm, &DeviceAlarmListForm::Sig_DeleteSignalAlarm, this,
            &MainAlarmDisplayWidget::OnDeleteSignalAlarm);
    connect(m_allDeviceForm, &DeviceAlarmListForm::Sig_DeleteSystemAlarm, this,
            &MainAlarmDisplayWidget::OnDeleteSystemAlarm);
    connect(m_sortSelector, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainAlarmDisplayWidget::AutoSort);
    m_handling = std::make_unique<AlarmHandlingController>(
        m_store, QList<DeviceAlarmListForm*>{m_allDeviceForm, m_currentDeviceForm},
        [this](const QString& ip) { return FormsFor(ip); },
        [this](const QString& ip) { return m_navigation->FirstTileOf(ip); }, this);
    m_listActions = std::make_unique<AlarmListActions>(
        m_store, m_allDeviceForm, m_currentDeviceForm, *m_handling,
        [this](const QString& ip) { RefreshDevicePorts(ip); }, this);
    m_statusWindow->SetOwner(this);
    RetranslateUi();
}

MainAlarmDisplayWidget::~MainAlarmDisplayWidget() = default;

void MainAlarmDisplayWidget::BuildLayout()
{
    m_sortSelector = new QComboBox;
    m_sortSelector->addItems({QString(), QString()});
    m_sortSelector->setMaximumWidth(150);
    m_navigationTable = new QTableWidget(0, 1);
    m_navigationTable->setFixedWidth(150);
    m_navigationTable->horizontalHeader()->hide();
    m_navigationTable->verticalHeader()->hide();
    m_navigationTable->horizontalHeader()->setStretchLastSection(true);
    m_navigationTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_navigationTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_navigation = std::make_unique<DeviceNavigation>(m_navigationTable);
    m_navigationColumn = new QWidget;
    m_navigationColumn->setFixedWidth(160);
    m_navigationColumn->setContentsMargins(0, 0, 0, 0);
    auto* navigationLayout = new QVBoxLayout(m_navigationColumn);
    navigationLayout->setContentsMargins(0, 0, 0, 0);
    navigationLayout->addWidget(m_sortSelector);
    navigationLayout->addWidget(m_navigationTable);

    m_currentDeviceBox = new CurrentDeviceBox;

    m_allDeviceForm = new DeviceAlarmListForm;
    m_allDeviceForm->SetMaxHistory(m_maxHistory);
    m_currentDeviceForm = new DeviceAlarmListForm;
    m_tabWidget = new QTabWidget;
    m_tabWidget->addTab(m_allDeviceForm, QString());
    m_tabWidget->addTab(m_currentDeviceForm, QString());

    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(m_currentDeviceBox);
    rightColumn->addWidget(m_tabWidget);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_navigationColumn);
    layout->addLayout(rightColumn);
}

void MainAlarmDisplayWidget::DealAlarm(const AlarmRecord* record)
{
    if (!m_monitoring || !record)
        return;
    // One wake-up per batch: the GUI thread takes everything queued until it gets round to it.
    if (AlarmRecord* woken = m_arrivals.Push(*record))
        emit Signal_DealAlarm(woken);
}

void MainAlarmDisplayWidget::OnDealAlarm(void* pArg)
{
    if (pArg)
        m_arrivals.Wake();
}

void MainAlarmDisplayWidget::ApplyRecord(const AlarmRecord& record)
{
    if (IsSignalAlarm(record.alarmType))
        DealSignalAlarm(record);
    else
        DealSystemAlarm(record);
    UpdateDeviceTile(record);
    m_touchedIps.insert(record.ip);
    emit Signal_AlarmApplied(record);
}

// The current-device form takes part only for the current device, and not while it waits for a rebuild: the
// rebuild shows what the store holds then, which is what the record's changes would have left.
QList<DeviceAlarmListForm*> MainAlarmDisplayWidget::FormsFor(const QString& ip) const
{
    if (m_currentTile && m_currentTile->GetIp() == ip && !m_currentFormStale)
        return {m_allDeviceForm, m_currentDeviceForm};
    return {m_allDeviceForm};
}

void MainAlarmDisplayWidget::DealSignalAlarm(const AlarmRecord& record)
{
    AlarmRecord superseded;
    bool supersededFlag = false;
    m_store.ApplySignalRecord(record, superseded, supersededFlag);
    const QList<DeviceAlarmListForm*> forms = FormsFor(record.ip);
    for (DeviceAlarmListForm* form : forms) {
        if (supersededFlag) {
            form->AddSignalHistory(superseded);
            // An audio alarm of the other kind on the same track has a row of its own, which has now ended too.
            if (AlarmViewKey(superseded) != AlarmViewKey(record))
                form->RemoveSignalAlarm(superseded);
        }
        form->RemoveSignalAlarm(record);
    }
    if (supersededFlag)
        m_handling->AlarmEnded(superseded, record.level == LevelNormal, forms);
    if (record.level == LevelNormal || !m_handling->Shows(record))
        return;
    AlarmRecord merged;
    const bool hasMerged = IsAudioTrackAlarm(record.alarmType) && m_store.MergeTrackAlarms(record, merged);
    for (DeviceAlarmListForm* form : forms) {
        form->AddSignalAlarm(record);
        if (hasMerged)
            form->UpdateSignalAlarm(merged);
    }
    m_handling->RowShown(record, forms);
}

void MainAlarmDisplayWidget::DealSystemAlarm(const AlarmRecord& record)
{
    AlarmRecord superseded;
    bool supersededFlag = false;
    m_store.ApplySystemRecord(record, superseded, supersededFlag);
    const QList<DeviceAlarmListForm*> forms = FormsFor(record.ip);
    const bool shown = record.level != LevelNormal && m_handling->Shows(record);
    for (DeviceAlarmListForm* form : forms) {
        if (supersededFlag)
            form->AddSystemHistory(superseded);
        form->RemoveSystemAlarm(record);
        if (shown)
            form->AddSystemAlarm(record);
    }
    if (supersededFlag)
        m_handling->AlarmEnded(superseded, record.level == LevelNormal, forms);
    if (shown)
        m_handling->RowShown(record, forms);
}

DeviceWidget* MainAlarmDisplayWidget::TileAt(int row) const
{
    return m_navigation->ShownAt(row);
}

void MainAlarmDisplayWidget::UpdateDeviceTile(const AlarmRecord& record)
{
    DeviceWidget* tile = m_navigation->FirstTileOf(record.ip);
    if (!tile)
        return;
    const int state = record.level == LevelError ? LevelError : m_store.GetDeviceLevel(record.ip);
    tile->SetAlarmTime(record.time);
    tile->SetState(state);
    if (!m_autoSort)
        return;
    if (state == LevelNormal) {
        m_navigation->Lower(tile);
        return;
    }
    m_navigation->Raise(tile);
    MakeCurrent(tile);
}

// The form's rebuild and the pictures wait for the end of the round; the texts are cheap and change now.
void MainAlarmDisplayWidget::MakeCurrent(DeviceWidget* tile)
{
    if (m_currentTile && m_currentTile != tile)
        m_currentTile->SetFocused(false);
    tile->SetFocused(true);
    m_currentTile = tile;
    UpdateCurrentTexts();
    m_currentFormStale = true;
}

void MainAlarmDisplayWidget::FinishBatch(bool more)
{
    // In a storm the tiles' order is shown a few times a second: placing the tiles that come into view, and hiding
    // those that leave it, cost a round's time again when done every round.
    if (!more || !m_orderShown.isValid() || m_orderShown.hasExpired(StormOrderIntervalMs)) {
        m_navigation->ShowOrder();
        m_orderShown.start();
    }
    if (m_currentFormStale && m_currentTile) {
        ShowDeviceAlarms(m_currentTile->GetIp());
        RefreshCurrentPorts();
        m_soundMarksStale = true;
    }
    m_currentFormStale = false;
    if (m_soundMarksStale)
        SyncSoundMarks(!more);
    // In a storm every round touches most devices: their pictures and badges follow a few times a second.
    if (more)
        m_touchedTimer.stop();
    if (!more || !m_touchedShown.isValid() || m_touchedShown.hasExpired(TouchedDevicesIntervalMs))
        RefreshTouchedDevices(more);
    if (m_currentTile)
        UpdateCurrentTexts();
    // In a storm the tables follow ten times a second: painted every round, they took a fifth of the window's time.
    for (DeviceAlarmListForm* form : {m_allDeviceForm, m_currentDeviceForm}) {
        form->SetPublishDelay(more ? int(StormTablesIntervalMs) : 0);
        if (!more)
            form->Publish();
    }
}

void MainAlarmDisplayWidget::RefreshTouchedDevices(bool more)
{
    QElapsedTimer spent;
    spent.start();
    for (auto it = m_touchedIps.begin(); it != m_touchedIps.end() && spent.elapsed() < TouchedDevicesBudgetMs;) {
        RefreshDevicePorts(*it);
        m_handling->UpdateTile(*it);
        it = m_touchedIps.erase(it);
    }
    if (m_touchedIps.isEmpty())
        m_touchedShown.start();
    else if (!more)
        m_touchedTimer.start();
}

void MainAlarmDisplayWidget::UpdateCurrentTexts()
{
    m_currentDeviceBox->ShowTexts(*m_currentTile);
}

QStringList MainAlarmDisplayWidget::CurrentDeviceTexts() const
{
    return m_currentDeviceBox->Texts();
}

DeviceStatusForm* MainAlarmDisplayWidget::StatusForm() const
{
    return m_currentDeviceBox->StatusForm();
}

void MainAlarmDisplayWidget::GetDevicePortStates(const QString& ip, int& lan, int& aes, int& analog, int* bnc)
{
    m_store.GetPortStates(ip, lan, aes, analog, bnc, DeviceStatusForm::BncCount);
    m_portSettings.Disable(ip, aes, analog, bnc);
}

void MainAlarmDisplayWidget::RefreshCurrentPorts()
{
    if (!m_currentTile)
        return;
    int lan, aes, analog;
    int bnc[DeviceStatusForm::BncCount];
    GetDevicePortStates(m_currentTile->GetIp(), lan, aes, analog, bnc);
    StatusForm()->SetStates(lan, aes, analog, bnc, DeviceStatusForm::BncCount);
}

void MainAlarmDisplayWidget::RefreshDevicePorts(const QString& ip)
{
    int lan, aes, analog;
    int bnc[DeviceStatusForm::BncCount];
    GetDevicePortStates(ip, lan, aes, analog, bnc);
    m_statusWindow->SetStates(ip, lan, aes, analog, bnc, DeviceStatusForm::BncCount);
    if (m_currentTile && m_currentTile->GetIp() == ip)
        StatusForm()->SetStates(lan, aes, analog, bnc, DeviceStatusForm::BncCount);
}

void MainAlarmDisplayWidget::ShowDeviceAlarms(const QString& ip)
{
    QString analog, aes;
    QStringList bnc;
    if (m_portSettings.Captions(ip, analog, aes, bnc))
        StatusForm()->SetCaptions(analog, aes, bnc);
    m_currentDeviceForm->ClearAll();

    QList<AlarmRecord> signalAlarms, signalHistory, systemAlarms, systemHistory;
    m_store.CopySignalAlarms(ip, signalAlarms);
    m_store.CopySignalHistory(ip, signalHistory);
    m_store.CopySystemAlarms(ip, systemAlarms);
    m_store.CopySystemHistory(ip, systemHistory);

    // The first current track of a port's audio alarm stands for all of its tracks.
    QSet<QString> audioKeys;
    for (const AlarmRecord& record : qAsConst(signalAlarms)) {
        if (!m_handling->Shows(record))
            continue;
        if (!IsAudioTrackAlarm(record.alarmType)) {
            m_currentDeviceForm->AddSignalAlarm(record);
            continue;
        }
        const QString key = AlarmViewKey(record);
        if (audioKeys.contains(key))
            continue;
        audioKeys.insert(key);
        m_currentDeviceForm->AddSignalAlarm(record);
        AlarmRecord merged;
        if (m_store.MergeTrackAlarms(record, merged))
            m_currentDeviceForm->UpdateSignalAlarm(merged);
    }
    // The store keeps its histories newest first; added from the oldest, the newest ends up on top, as in the
    // form that was filled as the alarms ended.
    for (auto it = signalHistory.crbegin(); it != signalHistory.crend(); ++it)
        m_currentDeviceForm->AddSignalHistory(*it);
    for (const AlarmRecord& record : qAsConst(systemAlarms)) {
        if (m_handling->Shows(record))
            m_currentDeviceForm->AddSystemAlarm(record);
    }
    for (auto it = systemHistory.crbegin(); it != systemHistory.crend(); ++it)
        m_currentDeviceForm->AddSystemHistory(*it);
    m_handling->FormRebuilt(m_currentDeviceForm, ip);
}

// The current device's rows lose the marks of alarms the speech queue no longer holds. In a storm the speech thread
// and the handler keep the queue busy, and the window does not wait for it: the marks follow at a later round.
void MainAlarmDisplayWidget::SyncSoundMarks(bool wait)
{
    QList<AlarmRecord> queued;
    SoundAlarmManager* speech = m_listActions->SoundManager();
    if (m_currentTile && speech && !speech->GetQueuedAlarms(queued, m_currentTile->GetIp(), wait))
        return;
    m_currentDeviceForm->SyncSoundMarks(queued);
    m_soundMarksStale = false;
}

void MainAlarmDisplayWidget::ClearAlarms()
{
    m_arrivals.Discard();
    // A storm cut short here has no last round to show its order.
    m_navigation->ShowOrder();
    if (SoundAlarmManager* speech = m_listActions->SoundManager())
        speech->Clear();
    m_store.Clear();
    m_allDeviceForm->ClearAll();
    m_currentDeviceForm->ClearAll();
    m_handling->ClearAlarms();
}

// Records still queued stay queued: applied after the new tiles are added, they reach the devices that remain.
void MainAlarmDisplayWidget::ClearDevices()
{
    m_currentTile = nullptr;
    m_navigation->Clear();
    m_statusWindow->Clear();
    m_statusWindow->hide();
    m_currentDeviceBox->Clear();
}

void MainAlarmDisplayWidget::AddDevice(const QString& ip, const QString& deviceName)
{
    auto* tile = new DeviceWidget;
    tile->SetIp(ip);
    tile->SetName(deviceName);
    tile->SetState(1);
    connect(tile, &DeviceWidget::WidgetFocus, this, &MainAlarmDisplayWidget::OnDeviceFocus);
    connect(tile, &DeviceWidget::EnableSound, m_listActions.get(), &AlarmListActions::OnEnableSound);
    m_navigation->Append(tile);

    const QString title =
        !deviceName.isEmpty() && deviceName != ip ? QStringLiteral("%1 (%2)").arg(deviceName, ip) : ip;
    m_statusWindow->AddDevice(ip, title);
    QString analog, aes;
    QStringList bnc;
    m_portSettings.Captions(ip, analog, aes, bnc);
    m_statusWindow->SetCaptions(ip, analog, aes, bnc);

    if (!m_currentTile) {
        MakeCurrent(tile);
        FinishBatch();
    }
    m_handling->DeviceAdded(ip);
}

void MainAlarmDisplayWidget::SetDeviceConfig(const DeviceConfigFile& config)
{
    m_portSettings.Read(config);
    m_currentDeviceForm->ClearSoundOffList();
    m_allDeviceForm->ClearSoundOffList();
}

void MainAlarmDisplayWidget::SetSoundAlarmManager(SoundAlarmManager* manager)
{
    m_listActions->SetSoundAlarmManager(manager);
    m_handling->SetSoundAlarmManager(manager);
}

void MainAlarmDisplayWidget::SetLatchEndedAlarms(bool latch)
{
    m_handling->SetLatchEnabled(latch);
}

void MainAlarmDisplayWidget::SetMaxHistory(int maxHistory)
{
    m_maxHistory = maxHistory;
    m_allDeviceForm->SetMaxHistory(maxHistory);
}

void MainAlarmDisplayWidget::ShowNavigation(bool show)
{
    m_navigationColumn->setVisible(show);
}

void MainAlarmDisplayWidget::ShowCurrentDevice(bool show)
{
    m_currentDeviceBox->setVisible(show);
}

void MainAlarmDisplayWidget::ShowStatusWindow()
{
    m_statusWindow->RefreshAll();
    // Without a window manager "maximized" means nothing; the window still covers the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        m_statusWindow->setGeometry(screen->availableGeometry());
    m_statusWindow->showMaximized();
}

void MainAlarmDisplayWidget::RetranslateUi()
{
    m_handling->RetranslateUi();
    m_sortSelector->setItemText(0, tr("Auto Sort"));
    m_sortSelector->setItemText(1, tr("Fixed"));
    m_tabWidget->setTabText(0, tr("All Device"));
    m_tabWidget->setTabText(1, tr("Current Device"));
    m_currentDeviceBox->RetranslateUi();
    m_statusWindow->RetranslateUi();
    for (DeviceWidget* tile : m_navigation->Tiles()) {
        if (tile->GetState() != 1)
            tile->RefreshAge();
    }
    m_allDeviceForm->RetranslateUi();
    m_currentDeviceForm->RetranslateUi();
    if (m_currentTile)
        m_currentDeviceBox->SetAgeText(m_currentTile->GetAgeText());
}

void MainAlarmDisplayWidget::AutoSort(int index)
{
    m_autoSort = index == 0;
    if (!m_autoSort)
        return;
    const QList<DeviceWidget*>& tiles = m_navigation->Tiles();
    if (!tiles.isEmpty())
        SortDeviceTable();
    if (!tiles.isEmpty() && tiles.first() != m_currentTile)
        MakeCurrent(tiles.first());
    FinishBatch();
}

void MainAlarmDisplayWidget::SortDeviceTable()
{
    m_navigation->SortByAgeText();
}

void MainAlarmDisplayWidget::OnDeviceFocus(bool)
{
    if (m_autoSort)
        return;
    auto* tile = qobject_cast<DeviceWidget*>(sender());
    if (!tile)
        return;
    MakeCurrent(tile);
    FinishBatch();
}

void MainAlarmDisplayWidget::OnDeleteCurSignalAlarm()
{
    m_listActions->DeleteSelected(m_currentDeviceForm, false);
}

void MainAlarmDisplayWidget::OnDeleteCurSystemAlarm()
{
    m_listActions->DeleteSelected(m_currentDeviceForm, true);
}

void MainAlarmDisplayWidget::OnDeleteSignalAlarm()
{
    m_listActions->DeleteSelected(m_allDeviceForm, false);
}

void MainAlarmDisplayWidget::OnDeleteSystemAlarm()
{
    m_listActions->DeleteSelected(m_allDeviceForm, true);
}
