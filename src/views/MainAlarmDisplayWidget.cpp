#include "views/MainAlarmDisplayWidget.h"

#include "alarm/AlarmRecordPool.h"
#include "alarm/SoundAlarmManager.h"
#include "app/AppPaths.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "views/AlarmHandlingController.h"
#include "views/DeviceAlarmListForm.h"
#include "views/DeviceNavigation.h"
#include "views/DevicePicMonitorForm.h"
#include "views/DeviceStatusForm.h"
#include "views/DeviceWidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
// A round of queued alarms gives the event loop back after this long, so the window keeps painting in a storm.
constexpr qint64 RoundBudgetMs = 20;

QLabel* CaptionLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    // Wide enough for "Device Name" at 16 pixels beside the picture's edge; 104 clips it.
    label->setFixedSize(128, 28);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setBrush(QPalette::Window, QBrush(QPixmap(GetIconDir() + "/back.png")));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}
} // namespace

MainAlarmDisplayWidget::MainAlarmDisplayWidget(QWidget* parent)
    : QWidget(parent), m_statusWindow(std::make_unique<DevicePicMonitorForm>())
{
    BuildLayout();
    m_confirm = [](QWidget* dialogParent, const QString& title, const QString& text) {
        return QMessageBox::question(dialogParent, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Ok;
    };

    connect(this, &MainAlarmDisplayWidget::Signal_DealAlarm, this, &MainAlarmDisplayWidget::OnDealAlarm);
    for (DeviceAlarmListForm* form : {m_currentDeviceForm, m_allDeviceForm}) {
        connect(form, &DeviceAlarmListForm::Sig_RemoveSoundAlarm, this, &MainAlarmDisplayWidget::OnRemoveSoundAlarm);
        connect(form, &DeviceAlarmListForm::Sig_AppendSoundAlarm, this, &MainAlarmDisplayWidget::OnAppendSoundAlarm);
    }
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
    m_statusWindow->SetOwner(this);
    RetranslateUi();
}

MainAlarmDisplayWidget::~MainAlarmDisplayWidget()
{
    DiscardArrived();
}

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

    m_nameCaption = CaptionLabel(this);
    m_addressCaption = CaptionLabel(this);
    m_ageCaption = CaptionLabel(this);
    m_nameValue = new QLabel;
    m_addressValue = new QLabel;
    m_ageValue = new QLabel;
    QFont font = m_nameValue->font();
    font.setPixelSize(16);
    for (QLabel* label : {m_nameCaption, m_addressCaption, m_ageCaption, m_nameValue, m_addressValue, m_ageValue})
        label->setFont(font);
    m_nameValue->setMinimumWidth(300);
    auto* texts = new QFormLayout;
    texts->addRow(m_addressCaption, m_addressValue);
    texts->addRow(m_nameCaption, m_nameValue);
    texts->addRow(m_ageCaption, m_ageValue);
    auto* textColumn = new QVBoxLayout;
    textColumn->addSpacing(10);
    textColumn->addLayout(texts);
    textColumn->addStretch();
    m_statusForm = new DeviceStatusForm;
    m_statusForm->setMinimumWidth(700);
    m_currentDeviceBox = new QGroupBox;
    m_currentDeviceBox->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Maximum);
    m_currentDeviceBox->setContentsMargins(0, 8, 0, 0);
    auto* boxLayout = new QHBoxLayout(m_currentDeviceBox);
    boxLayout->addSpacing(15);
    boxLayout->addLayout(textColumn);
    boxLayout->addWidget(m_statusForm);
    boxLayout->addStretch();

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
    AlarmRecord* copy = AlarmRecordPool::Instance()->Acquire();
    *copy = *record;
    bool wake = false;
    {
        QMutexLocker arrivedLocker(&m_arrivedLock);
        m_arrived.append(copy);
        wake = !m_wakePending;
        m_wakePending = true;
    }
    // One wake-up per batch: the GUI thread takes everything queued until it gets round to it.
    if (wake)
        emit Signal_DealAlarm(copy);
}

void MainAlarmDisplayWidget::OnDealAlarm(void* pArg)
{
    if (pArg)
        ApplyArrived(RoundBudgetMs);
}

// Applies queued records in arrival order for at most budgetMs (no limit when negative); what is left waits for a
// later round, so that timers and painting get their turn in between.
void MainAlarmDisplayWidget::ApplyArrived(qint64 budgetMs)
{
    {
        QMutexLocker arrivedLocker(&m_arrivedLock);
        m_toApply.append(m_arrived);
        m_arrived.clear();
        m_wakePending = false;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    while (!m_toApply.isEmpty() && (budgetMs < 0 || elapsed.elapsed() < budgetMs)) {
        AlarmRecord* record = m_toApply.takeFirst();
        ApplyRecord(*record);
        pool->Release(record);
    }
    FinishBatch();
    if (!m_toApply.isEmpty() && !m_roundScheduled) {
        m_roundScheduled = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_roundScheduled = false;
                ApplyArrived(RoundBudgetMs);
            },
            Qt::QueuedConnection);
    }
}

// Clearing the alarms makes whatever is still queued moot: applying a storm's backlog first would freeze the window.
void MainAlarmDisplayWidget::DiscardArrived()
{
    AlarmRecordPool* pool = AlarmRecordPool::Instance();
    QMutexLocker arrivedLocker(&m_arrivedLock);
    for (AlarmRecord* record : qAsConst(m_arrived) + qAsConst(m_toApply))
        pool->Release(record);
    m_arrived.clear();
    m_toApply.clear();
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
    const int row = m_navigation->RowOf(tile);
    const int count = m_navigation->Tiles().size();
    if (state == LevelNormal) {
        if (row != count - 1)
            m_navigation->Move(row, count);
        return;
    }
    if (row != 0)
        m_navigation->Move(row, 0);
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

void MainAlarmDisplayWidget::FinishBatch()
{
    m_navigation->ShowOrder();
    if (m_currentFormStale && m_currentTile) {
        ShowDeviceAlarms(m_currentTile->GetIp());
        RefreshCurrentPorts();
    }
    m_currentFormStale = false;
    for (const QString& ip : qAsConst(m_touchedIps)) {
        RefreshDevicePorts(ip);
        m_handling->UpdateTile(ip);
    }
    m_touchedIps.clear();
    if (m_currentTile)
        UpdateCurrentTexts();
}

void MainAlarmDisplayWidget::UpdateCurrentTexts()
{
    m_nameValue->setText(m_currentTile->GetName());
    m_addressValue->setText(m_currentTile->GetIp());
    m_ageValue->setText(m_currentTile->GetAgeText());
}

QStringList MainAlarmDisplayWidget::CurrentDeviceTexts() const
{
    return {m_nameValue->text(), m_addressValue->text(), m_ageValue->text()};
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
    m_statusForm->SetStates(lan, aes, analog, bnc, DeviceStatusForm::BncCount);
}

void MainAlarmDisplayWidget::RefreshDevicePorts(const QString& ip)
{
    int lan, aes, analog;
    int bnc[DeviceStatusForm::BncCount];
    GetDevicePortStates(ip, lan, aes, analog, bnc);
    m_statusWindow->SetStates(ip, lan, aes, analog, bnc, DeviceStatusForm::BncCount);
    if (m_currentTile && m_currentTile->GetIp() == ip)
        m_statusForm->SetStates(lan, aes, analog, bnc, DeviceStatusForm::BncCount);
}

void MainAlarmDisplayWidget::ShowDeviceAlarms(const QString& ip)
{
    QString analog, aes;
    QStringList bnc;
    if (m_portSettings.Captions(ip, analog, aes, bnc))
        m_statusForm->SetCaptions(analog, aes, bnc);
    m_currentDeviceForm->ClearAll();

    QList<AlarmRecord> signalAlarms, signalHistory, systemAlarms, systemHistory, queued;
    m_store.CopySignalAlarms(ip, signalAlarms);
    m_store.CopySignalHistory(ip, signalHistory);
    m_store.CopySystemAlarms(ip, systemAlarms);
    m_store.CopySystemHistory(ip, systemHistory);
    if (m_soundAlarmManager)
        m_soundAlarmManager->GetQueuedAlarms(queued);

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
    m_currentDeviceForm->SyncSoundMarks(queued);
    m_handling->FormRebuilt(m_currentDeviceForm, ip);
}

void MainAlarmDisplayWidget::ClearAlarms()
{
    DiscardArrived();
    if (m_soundAlarmManager)
        m_soundAlarmManager->Clear();
    m_store.Clear();
    m_handling->ClearAlarms();
    m_allDeviceForm->ClearAll();
    m_currentDeviceForm->ClearAll();
}

// Records still queued stay queued: applied after the new tiles are added, they reach the devices that remain.
void MainAlarmDisplayWidget::ClearDevices()
{
    m_currentTile = nullptr;
    m_navigation->Clear();
    m_statusWindow->Clear();
    m_statusWindow->hide();
    m_nameValue->clear();
    m_addressValue->clear();
    m_ageValue->clear();
    int bnc[DeviceStatusForm::BncCount];
    std::fill(std::begin(bnc), std::end(bnc), 1);
    m_statusForm->SetStates(1, 1, 1, bnc, DeviceStatusForm::BncCount);
}

void MainAlarmDisplayWidget::AddDevice(const QString& ip, const QString& deviceName)
{
    auto* tile = new DeviceWidget;
    tile->SetIp(ip);
    tile->SetName(deviceName);
    tile->SetState(1);
    connect(tile, &DeviceWidget::WidgetFocus, this, &MainAlarmDisplayWidget::OnDeviceFocus);
    connect(tile, &DeviceWidget::EnableSound, this, &MainAlarmDisplayWidget::OnEnableSound);
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
}

void MainAlarmDisplayWidget::SetDeviceConfig(const DeviceConfigFile& config)
{
    m_portSettings.Read(config);
    m_currentDeviceForm->ClearSoundOffList();
    m_allDeviceForm->ClearSoundOffList();
}

void MainAlarmDisplayWidget::SetSoundAlarmManager(SoundAlarmManager* manager)
{
    m_soundAlarmManager = manager;
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
    m_nameCaption->setText(tr("Device Name"));
    m_addressCaption->setText(tr("Device IP"));
    m_ageCaption->setText(tr("Alarm Time"));
    m_tabWidget->setTabText(0, tr("All Device"));
    m_tabWidget->setTabText(1, tr("Current Device"));
    m_currentDeviceBox->setTitle(tr("Current Device"));
    m_statusWindow->RetranslateUi();
    for (DeviceWidget* tile : m_navigation->Tiles()) {
        if (tile->GetState() != 1)
            tile->RefreshAge();
    }
    m_allDeviceForm->RetranslateUi();
    m_currentDeviceForm->RetranslateUi();
    if (m_currentTile)
        m_ageValue->setText(m_currentTile->GetAgeText());
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

void MainAlarmDisplayWidget::OnEnableSound(QString ip, bool enable)
{
    if (ip.isEmpty())
        return;
    if (m_soundAlarmManager) {
        m_soundAlarmManager->EnableDeviceSound(ip, enable);
        if (enable) {
            QList<AlarmRecord> alarms;
            m_store.CopySystemAlarms(ip, alarms);
            m_store.CopySignalAlarms(ip, alarms);
            for (const AlarmRecord& alarm : qAsConst(alarms))
                m_soundAlarmManager->AppendAlarm(&alarm);
        }
    }
    m_currentDeviceForm->SetDeviceSound(ip, enable);
    m_allDeviceForm->SetDeviceSound(ip, enable);
}

void MainAlarmDisplayWidget::OnAppendSoundAlarm(QString sKey)
{
    SetKeySound(sKey, true);
}

void MainAlarmDisplayWidget::OnRemoveSoundAlarm(QString sKey)
{
    SetKeySound(sKey, false);
}

// Both forms show the same tick, and the key's current alarms join or leave the speech queue.
void MainAlarmDisplayWidget::SetKeySound(const QString& key, bool on)
{
    if (!m_soundAlarmManager)
        return;
    for (DeviceAlarmListForm* form : {m_currentDeviceForm, m_allDeviceForm}) {
        if (on)
            form->SetSoundMark(key);
        else
            form->ClearSoundMark(key);
    }
    QList<AlarmRecord> alarms;
    m_store.CollectByKey(key, alarms);
    for (const AlarmRecord& alarm : qAsConst(alarms)) {
        if (on)
            m_soundAlarmManager->AppendAlarm(&alarm);
        else
            m_soundAlarmManager->RemoveAlarm(alarm);
    }
}

void MainAlarmDisplayWidget::DeleteSelected(DeviceAlarmListForm* form, bool system)
{
    // Read before asking: an alarm arriving meanwhile may rebuild the form and clear its selection.
    QStringList keys;
    if (system)
        form->GetSelectedSystemKeys(keys);
    else
        form->GetSelectedSignalKeys(keys);
    if (!m_confirm(this, tr("Delete"), tr("Are you sure to delete alarms?")))
        return;
    QStringList ips;
    for (const QString& key : qAsConst(keys)) {
        for (DeviceAlarmListForm* shown : {m_currentDeviceForm, m_allDeviceForm}) {
            if (system)
                shown->MoveSystemAlarmToHistory(key);
            else
                shown->MoveSignalAlarmToHistory(key);
        }
        m_handling->AlarmDeleted(key);
        m_store.RemoveByKey(key);
        const QStringList parts = key.split(QLatin1Char(':'));
        if (m_soundAlarmManager) {
            if (parts.size() == 2)
                m_soundAlarmManager->RemoveDeviceAlarm(parts[0], parts[1].toInt());
            else if (parts.size() == 4 && parts[3] == QLatin1String("video"))
                m_soundAlarmManager->RemoveVideoAlarms(parts[0], parts[1].toInt(), parts[2].toInt());
            else if (parts.size() == 4)
                m_soundAlarmManager->RemovePortAlarm(parts[0], parts[1].toInt(), parts[2].toInt(),
                                                     parts[3].toInt());
        }
        if (!ips.contains(parts[0]))
            ips.append(parts[0]);
    }
    for (const QString& ip : qAsConst(ips))
        RefreshDevicePorts(ip);
}

void MainAlarmDisplayWidget::OnDeleteCurSignalAlarm()
{
    DeleteSelected(m_currentDeviceForm, false);
}

void MainAlarmDisplayWidget::OnDeleteCurSystemAlarm()
{
    DeleteSelected(m_currentDeviceForm, true);
}

void MainAlarmDisplayWidget::OnDeleteSignalAlarm()
{
    DeleteSelected(m_allDeviceForm, false);
}

void MainAlarmDisplayWidget::OnDeleteSystemAlarm()
{
    DeleteSelected(m_allDeviceForm, true);
}
