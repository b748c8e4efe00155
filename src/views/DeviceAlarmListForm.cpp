#include "views/DeviceAlarmListForm.h"

#include "alarm/AlarmRecord.h"
#include "ui_DeviceAlarmListForm.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QSet>
#include <QSplitter>
#include <QTableView>
#include <QVector>

namespace {
using Column = AlarmTableModel::Column;

// The system tables' columns without a width of their own.
constexpr int SystemWidth = 130;
// A history keeps this many rows until told otherwise.
constexpr int DefaultMaxHistory = 100;

// Shelving times offered in the menu.
struct ShelfTime
{
    int minutes;
    const char* text;
};
constexpr ShelfTime ShelfTimes[] = {
    {15, QT_TRANSLATE_NOOP("DeviceAlarmListForm", "15 minutes")},
    {60, QT_TRANSLATE_NOOP("DeviceAlarmListForm", "1 hour")},
    {240, QT_TRANSLATE_NOOP("DeviceAlarmListForm", "4 hours")},
    {480, QT_TRANSLATE_NOOP("DeviceAlarmListForm", "8 hours")},
};

// Track texts are made once and shared by every row: a storm would otherwise leave the history's last rows with a text
// each, scattered among the memory it used.
QString TrackText(int trackID)
{
    constexpr int SharedTexts = 17;
    static const QVector<QString> texts = [] {
        QVector<QString> made;
        for (int track = 0; track < SharedTexts; ++track)
            made.append(QStringLiteral("CH%1").arg(track));
        return made;
    }();
    return trackID >= 0 && trackID < SharedTexts ? texts[trackID] : QStringLiteral("CH%1").arg(trackID);
}

QString SignalDetail(const AlarmRecord& record)
{
    return IsAudioTrackAlarm(record.alarmType) ? TrackText(record.trackID) : record.note;
}

bool IsSystemKey(const QString& key)
{
    return key.count(QLatin1Char(':')) == 1;
}

AlarmTableModel::Row RowOf(const AlarmRecord& record, const QString& detail)
{
    AlarmTableModel::Row row;
    row.start = record.time;
    row.end = record.end_time;
    row.deviceName = record.deviceName;
    row.ip = record.ip;
    row.signalName = record.signalName;
    row.detail = detail;
    row.portType = record.portType;
    row.portID = record.portID;
    row.alarmType = record.alarmType;
    row.level = record.level;
    return row;
}
} // namespace

DeviceAlarmListForm::DeviceAlarmListForm(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::DeviceAlarmListForm>()), m_checkMark(tr("\u221A"))
{
    m_ui->setupUi(this);
    m_ui->splitter->setStretchFactor(0, 7);
    m_ui->splitter->setStretchFactor(1, 3);

    m_signalAlarms = {m_ui->SignalAlarmTableView, nullptr, m_ui->label_SignalAlarm};
    m_signalHistory = {m_ui->SignalHistoryTableView, nullptr, m_ui->label_SignalHistory};
    m_systemAlarms = {m_ui->SystemAlarmTableView, nullptr, m_ui->label_SystemAlarm};
    m_systemHistory = {m_ui->SystemHistoryTableView, nullptr, m_ui->label_SystemHistory};
    // "Video Black" needs 100 pixels in the coloured Alarm Type cell.
    SetupTable(m_signalAlarms,
               {Column::Start, Column::Device, Column::Ip, Column::Signal, Column::Port, Column::Type, Column::Sound,
                Column::Detail, Column::Ack},
               true, {160, -1, -1, -1, 80, 100, 50, 140, 70});
    // Start and end times need 160 pixels to be read whole.
    SetupTable(m_signalHistory,
               {Column::Start, Column::End, Column::Duration, Column::Device, Column::Ip, Column::Signal, Column::Port,
                Column::Type, Column::Detail},
               false, {160, 160, 100, -1, -1, 80, 80, -1, -1});
    SetupTable(m_systemAlarms,
               {Column::Start, Column::Device, Column::Ip, Column::Type, Column::Sound, Column::Detail, Column::Ack},
               true, {160, SystemWidth, SystemWidth, SystemWidth, SystemWidth, SystemWidth, SystemWidth});
    SetupTable(m_systemHistory, {Column::Start, Column::End, Column::Device, Column::Ip, Column::Type, Column::Detail},
               false, {160, 160, SystemWidth, SystemWidth, SystemWidth, SystemWidth});
    SetMaxHistory(DefaultMaxHistory);
    // The current alarms, with their Sound and Ack columns, get the larger share of the width: at 1600 pixels the
    // Ack column is in view.
    for (QSplitter* splitter : {m_ui->splitter_signal, m_ui->splitter_system}) {
        splitter->setStretchFactor(0, 7);
        splitter->setStretchFactor(1, 3);
    }

    m_signalMenu = new QMenu(this);
    m_signalDeleteAction = m_signalMenu->addAction(QString());
    m_systemMenu = new QMenu(this);
    m_systemDeleteAction = m_systemMenu->addAction(QString());
    m_signalHandling = AddHandlingActions(m_signalMenu, m_signalAlarms);
    m_systemHandling = AddHandlingActions(m_systemMenu, m_systemAlarms);
    // Ctrl+K acknowledges what is selected in either table of this form.
    m_acknowledgeShortcut = new QAction(this);
    m_acknowledgeShortcut->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_K));
    m_acknowledgeShortcut->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_acknowledgeShortcut);
    connect(m_acknowledgeShortcut, &QAction::triggered, this, [this] {
        QStringList keys;
        GetSelectedSignalKeys(keys);
        GetSelectedSystemKeys(keys);
        if (!keys.isEmpty())
            emit Sig_Acknowledge(keys, false);
    });
    m_runMenu = [](QMenu& menu) { menu.exec(QCursor::pos()); };

    for (QTableView* view : {m_signalAlarms.view, m_systemAlarms.view})
        view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_signalAlarms.view, &QTableView::clicked, this,
            [this](const QModelIndex& index) { OnSignalAlarmCellClicked(index.row(), index.column()); });
    connect(m_systemAlarms.view, &QTableView::clicked, this,
            [this](const QModelIndex& index) { OnSystemAlarmCellClicked(index.row(), index.column()); });
    connect(m_signalAlarms.view, &QWidget::customContextMenuRequested, this,
            &DeviceAlarmListForm::OnSignalAlarmMenuRequested);
    connect(m_systemAlarms.view, &QWidget::customContextMenuRequested, this,
            &DeviceAlarmListForm::OnSystemAlarmMenuRequested);
    connect(m_signalDeleteAction, &QAction::triggered, this, &DeviceAlarmListForm::Sig_DeleteSignalAlarm);
    connect(m_systemDeleteAction, &QAction::triggered, this, &DeviceAlarmListForm::Sig_DeleteSystemAlarm);

    RetranslateUi();
}

DeviceAlarmListForm::~DeviceAlarmListForm() = default;

// A width of -1 keeps the header's default; the last column fills the table. Rows are one line high and every
// row the same height, so that the view never measures a storm's worth of rows.
void DeviceAlarmListForm::SetupTable(Table& table, const QVector<AlarmTableModel::Column>& columns, bool current,
                                     const QList<int>& widths)
{
    table.rows = new AlarmTableModel(columns, current, this);
    table.rows->SetCheckMark(m_checkMark);
    table.view->setModel(table.rows);
    for (int column = 0; column < widths.size(); ++column) {
        if (widths[column] > 0)
            table.view->setColumnWidth(column, widths[column]);
    }
    table.view->horizontalHeader()->setStretchLastSection(true);
    table.view->horizontalHeader()->setHighlightSections(false);
    table.view->verticalHeader()->hide();
    table.view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.view->setWordWrap(false);
    table.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    table.view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The caption counts the rows the view shows.
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(table.rows, signal, this, &DeviceAlarmListForm::UpdateLabels);
    connect(table.rows, &QAbstractItemModel::modelReset, this, &DeviceAlarmListForm::UpdateLabels);
}

void DeviceAlarmListForm::SetHeaders()
{
    m_signalAlarms.rows->SetHeaders({tr("Start Time"), tr("Device Name"), tr("IP Address"), tr("Signal Name"),
                                     tr("Port"), tr("Alarm Type"), tr("Sound"), tr("Detail"), tr("Ack")});
    m_signalHistory.rows->SetHeaders({tr("Start Time"), tr("End Time"), tr("Duration"), tr("Device Name"),
                                      tr("IP Address"), tr("Signal Name"), tr("Port"), tr("Alarm Type"), tr("Detail")});
    m_systemAlarms.rows->SetHeaders({tr("Start Time"), tr("Device Name"), tr("IP Address"), tr("Alarm Type"),
                                     tr("Sound"), tr("Detail"), tr("Ack")});
    m_systemHistory.rows->SetHeaders(
        {tr("Start Time"), tr("End Time"), tr("Device Name"), tr("IP Address"), tr("Alarm Type"), tr("Detail")});
}

void DeviceAlarmListForm::SetMenuRunner(std::function<void(QMenu&)> runner)
{
    m_runMenu = std::move(runner);
}

QTableView* DeviceAlarmListForm::SignalAlarmTable() const
{
    return m_signalAlarms.view;
}

QTableView* DeviceAlarmListForm::SystemAlarmTable() const
{
    return m_systemAlarms.view;
}

QTableView* DeviceAlarmListForm::SignalHistoryTable() const
{
    return m_signalHistory.view;
}

QTableView* DeviceAlarmListForm::SystemHistoryTable() const
{
    return m_systemHistory.view;
}

bool DeviceAlarmListForm::SoundOn(const QString& ip) const
{
    return !m_soundOffList.contains(ip);
}

const DeviceAlarmListForm::Table& DeviceAlarmListForm::CurrentTableOf(const QString& key) const
{
    return IsSystemKey(key) ? m_systemAlarms : m_signalAlarms;
}

void DeviceAlarmListForm::AddCurrent(Table& current, const AlarmRecord& record, const QString& detail)
{
    AlarmTableModel::Row row = RowOf(record, detail);
    row.key = AlarmViewKey(record);
    row.sound = SoundOn(record.ip);
    current.rows->InsertTop(row);
}

void DeviceAlarmListForm::AddHistory(Table& history, const AlarmRecord& record, const QString& detail)
{
    history.rows->InsertTop(RowOf(record, detail));
}

void DeviceAlarmListForm::AddSignalAlarm(const AlarmRecord& record)
{
    AddCurrent(m_signalAlarms, record, SignalDetail(record));
}

void DeviceAlarmListForm::AddSystemAlarm(const AlarmRecord& record)
{
    AddCurrent(m_systemAlarms, record, record.note);
}

void DeviceAlarmListForm::AddSignalHistory(const AlarmRecord& record)
{
    AddHistory(m_signalHistory, record, SignalDetail(record));
}

void DeviceAlarmListForm::AddSystemHistory(const AlarmRecord& record)
{
    AddHistory(m_systemHistory, record, record.note);
}

void DeviceAlarmListForm::RemoveSignalAlarm(const AlarmRecord& record)
{
    m_signalAlarms.rows->RemoveTop(AlarmViewKey(record));
}

void DeviceAlarmListForm::RemoveSystemAlarm(const AlarmRecord& record)
{
    m_systemAlarms.rows->RemoveTop(AlarmViewKey(record));
}

void DeviceAlarmListForm::UpdateSignalAlarm(const AlarmRecord& record)
{
    AlarmTableModel::Row* row = m_signalAlarms.rows->TopRow(AlarmViewKey(record));
    if (!row)
        return;
    row->start = record.time;
    row->level = record.level;
    row->detail = record.note;
    m_signalAlarms.rows->Changed();
}

// A deleted alarm goes to the history as it was shown, without an end.
void DeviceAlarmListForm::MoveToHistory(Table& current, Table& history, const QString& key)
{
    const AlarmTableModel::Row* row = current.rows->TopRow(key);
    if (!row)
        return;
    AlarmTableModel::Row moved = *row;
    moved.key.clear();
    moved.ack.clear();
    moved.returned = false;
    history.rows->InsertTop(moved);
    current.rows->RemoveTop(key);
}

void DeviceAlarmListForm::MoveSignalAlarmToHistory(const QString& key)
{
    MoveToHistory(m_signalAlarms, m_signalHistory, key);
}

void DeviceAlarmListForm::MoveSystemAlarmToHistory(const QString& key)
{
    MoveToHistory(m_systemAlarms, m_systemHistory, key);
}

QStringList DeviceAlarmListForm::SelectedKeys(const Table& table) const
{
    QStringList keys;
    for (const QModelIndex& index : table.view->selectionModel()->selectedRows()) {
        const AlarmTableModel::Row* row = table.rows->ShownRow(index.row());
        if (row && !row->removed)
            keys.append(row->key);
    }
    return keys;
}

void DeviceAlarmListForm::GetSelectedSignalKeys(QStringList& keys) const
{
    keys.append(SelectedKeys(m_signalAlarms));
}

void DeviceAlarmListForm::GetSelectedSystemKeys(QStringList& keys) const
{
    keys.append(SelectedKeys(m_systemAlarms));
}

void DeviceAlarmListForm::SetSoundMark(const QString& key)
{
    const Table& current = CurrentTableOf(key);
    if (AlarmTableModel::Row* row = current.rows->TopRow(key)) {
        row->sound = true;
        current.rows->Changed();
    }
}

void DeviceAlarmListForm::ClearSoundMark(const QString& key)
{
    const Table& current = CurrentTableOf(key);
    if (AlarmTableModel::Row* row = current.rows->TopRow(key)) {
        row->sound = false;
        current.rows->Changed();
    }
}

void DeviceAlarmListForm::SetDeviceSound(const QString& ip, bool enable)
{
    for (const Table* current : {&m_signalAlarms, &m_systemAlarms}) {
        current->rows->ForEachRow([&](AlarmTableModel::Row& row) {
            if (row.ip == ip)
                row.sound = enable;
        });
    }
    if (enable)
        m_soundOffList.removeOne(ip);
    else
        m_soundOffList.append(ip);
}

void DeviceAlarmListForm::ClearSoundOffList()
{
    m_soundOffList.clear();
}

void DeviceAlarmListForm::SyncSoundMarks(const QList<AlarmRecord>& records)
{
    QSet<QString> queuedKeys;
    for (const AlarmRecord& record : records)
        queuedKeys.insert(AlarmViewKey(record));
    for (const Table* current : {&m_signalAlarms, &m_systemAlarms}) {
        current->rows->ForEachRow([&](AlarmTableModel::Row& row) {
            if (!queuedKeys.contains(row.key))
                row.sound = false;
        });
    }
}

void DeviceAlarmListForm::SetMaxHistory(int maxHistory)
{
    if (maxHistory < 1)
        return;
    m_signalHistory.rows->SetRowLimit(maxHistory);
    m_systemHistory.rows->SetRowLimit(maxHistory);
}

void DeviceAlarmListForm::ClearAll()
{
    for (const Table* table : {&m_signalAlarms, &m_signalHistory, &m_systemAlarms, &m_systemHistory})
        table->rows->Clear();
}

void DeviceAlarmListForm::Publish()
{
    for (const Table* table : {&m_signalAlarms, &m_signalHistory, &m_systemAlarms, &m_systemHistory})
        table->rows->Publish();
}

void DeviceAlarmListForm::SetPublishDelay(int delayMs)
{
    for (const Table* table : {&m_signalAlarms, &m_signalHistory, &m_systemAlarms, &m_systemHistory})
        table->rows->SetPublishDelay(delayMs);
}

void DeviceAlarmListForm::UpdateLabels()
{
    m_signalAlarms.label->setText(tr("Signal Alarm [ %1 ]").arg(m_signalAlarms.rows->rowCount()));
    m_systemAlarms.label->setText(tr("System Alarm [ %1 ]").arg(m_systemAlarms.rows->rowCount()));
    m_signalHistory.label->setText(tr("Signal Alarm History [ %1 ]").arg(m_signalHistory.rows->rowCount()));
    m_systemHistory.label->setText(tr("System Alarm History [ %1 ]").arg(m_systemHistory.rows->rowCount()));
}

void DeviceAlarmListForm::RetranslateUi()
{
    UpdateLabels();
    SetHeaders();
    for (const Table* table : {&m_signalAlarms, &m_signalHistory, &m_systemAlarms, &m_systemHistory})
        table->rows->Retranslate();
    m_signalDeleteAction->setText(tr("Delete"));
    m_systemDeleteAction->setText(tr("Delete"));
    for (HandlingActions* handling : {&m_signalHandling, &m_systemHandling}) {
        handling->acknowledge->setText(tr("Acknowledge"));
        handling->acknowledgeWithNote->setText(tr("Acknowledge with Note..."));
        handling->shelve->setTitle(tr("Shelve"));
        const QList<QAction*> shelves = handling->shelve->actions();
        for (int i = 0; i < shelves.size(); ++i)
            shelves[i]->setText(tr(ShelfTimes[i].text));
    }
    m_acknowledgeShortcut->setText(tr("Acknowledge"));
}

DeviceAlarmListForm::HandlingActions DeviceAlarmListForm::AddHandlingActions(QMenu* menu, const Table& table)
{
    HandlingActions handling;
    const auto selectedKeys = [this, &table] { return SelectedKeys(table); };
    handling.acknowledge = menu->addAction(QString());
    connect(handling.acknowledge, &QAction::triggered, this,
            [this, selectedKeys] { emit Sig_Acknowledge(selectedKeys(), false); });
    handling.acknowledgeWithNote = menu->addAction(QString());
    connect(handling.acknowledgeWithNote, &QAction::triggered, this,
            [this, selectedKeys] { emit Sig_Acknowledge(selectedKeys(), true); });
    handling.shelve = menu->addMenu(QString());
    for (const auto& shelfTime : ShelfTimes) {
        const int minutes = shelfTime.minutes;
        QAction* action = handling.shelve->addAction(QString());
        connect(action, &QAction::triggered, this,
                [this, selectedKeys, minutes] { emit Sig_Shelve(selectedKeys(), minutes); });
    }
    return handling;
}

void DeviceAlarmListForm::SetAckText(const QString& key, const QString& text)
{
    const Table& current = CurrentTableOf(key);
    if (AlarmTableModel::Row* row = current.rows->TopRow(key)) {
        row->ack = text;
        current.rows->Changed();
    }
}

void DeviceAlarmListForm::ShowReturned(const AlarmRecord& ended)
{
    const QString key = AlarmViewKey(ended);
    const Table& current = CurrentTableOf(key);
    AlarmTableModel::Row* row = current.rows->TopRow(key);
    if (!row)
        return;
    row->returned = true;
    // The date is the start's, in the first column.
    const QString endedText = tr("Ended %1").arg(ended.end_time.toString(QStringLiteral("hh:mm:ss")));
    row->detail = row->detail.isEmpty() ? endedText : QStringLiteral("%1; %2").arg(row->detail, endedText);
    current.rows->Changed();
}

bool DeviceAlarmListForm::HasCurrentRow(const QString& key) const
{
    return CurrentTableOf(key).rows->TopRow(key) != nullptr;
}

void DeviceAlarmListForm::RemoveCurrentRows(const QString& key)
{
    CurrentTableOf(key).rows->RemoveAll(key);
}

void DeviceAlarmListForm::OnSoundCellClicked(Table& current, int row, int column)
{
    const AlarmTableModel::Row* shown = current.rows->ShownRow(row);
    if (!shown || shown->removed || current.rows->ColumnAt(column) != Column::Sound)
        return;
    const QString key = shown->key;
    AlarmTableModel::Row* top = current.rows->TopRow(key);
    top->sound = !top->sound;
    current.rows->Changed();
    if (top->sound)
        emit Sig_AppendSoundAlarm(key);
    else
        emit Sig_RemoveSoundAlarm(key);
}

void DeviceAlarmListForm::OnSignalAlarmCellClicked(int row, int column)
{
    OnSoundCellClicked(m_signalAlarms, row, column);
}

void DeviceAlarmListForm::OnSystemAlarmCellClicked(int row, int column)
{
    OnSoundCellClicked(m_systemAlarms, row, column);
}

void DeviceAlarmListForm::ShowMenu(const Table& table, QMenu* menu)
{
    const QStringList keys = SelectedKeys(table);
    if (keys.isEmpty())
        return;
    emit Sig_HandlingMenuOpening(keys);
    m_runMenu(*menu);
    emit Sig_HandlingMenuClosed();
}

void DeviceAlarmListForm::OnSignalAlarmMenuRequested()
{
    ShowMenu(m_signalAlarms, m_signalMenu);
}

void DeviceAlarmListForm::OnSystemAlarmMenuRequested()
{
    ShowMenu(m_systemAlarms, m_systemMenu);
}
