#include "views/DeviceAlarmListForm.h"

#include "alarm/AlarmRecord.h"
#include "ui_DeviceAlarmListForm.h"
#include "views/AlarmDurationText.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QSet>
#include <QSplitter>
#include <QTableWidget>

namespace
{
// Columns of the four tables.
enum SignalAlarmColumn { SaStart, SaDevice, SaIp, SaSignal, SaPort, SaType, SaSound, SaDetail, SaAck, SaCount };
enum SignalHistoryColumn { ShStart, ShEnd, ShDuration, ShDevice, ShIp, ShSignal, ShPort, ShType, ShDetail, ShCount };
enum SystemAlarmColumn { YaStart, YaDevice, YaIp, YaType, YaSound, YaDetail, YaAck, YaCount };
enum SystemHistoryColumn { YhStart, YhEnd, YhDevice, YhIp, YhType, YhDetail, YhCount };

// The system tables' columns without a width of their own.
constexpr int SystemWidth = 130;

QString TimeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QColor LevelColor(int level)
{
    if (level == LevelNormal)
        return QColor(66, 152, 66);
    if (level == LevelWarn)
        return QColor(255, 204, 0);
    return QColor(220, 0, 0);
}

// White on red and green, black on yellow, so that the word stays readable on every level.
void SetLevelColor(QTableWidgetItem* item, int level)
{
    item->setBackground(LevelColor(level));
    item->setForeground(level == LevelWarn ? QColor(Qt::black) : QColor(Qt::white));
}

// An alarm kept after its end: neither the error nor the normal colour, so that it reads as over but unseen.
void SetReturnedColor(QTableWidgetItem* item)
{
    item->setBackground(QColor(190, 190, 190));
    item->setForeground(QColor(Qt::black));
}

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

QTableWidgetItem* Cell(const QString& text = QString())
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidgetItem* CentredCell(const QString& text)
{
    QTableWidgetItem* item = Cell(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

// The word is made again from the stored code after a language change.
QTableWidgetItem* TypeCell(int alarmType)
{
    QTableWidgetItem* item = Cell(AlarmTypeWord(alarmType));
    item->setData(Qt::UserRole, alarmType);
    return item;
}

QString Detail(const AlarmRecord& record)
{
    return IsAudioTrackAlarm(record.alarmType) ? QStringLiteral("CH%1").arg(record.trackID) : record.note;
}

QString KeyOfRow(const QTableWidget* table, int row)
{
    return table->item(row, 0)->data(Qt::UserRole).toString();
}

bool IsSystemKey(const QString& key)
{
    return key.split(QLatin1Char(':')).size() == 2;
}
} // namespace

DeviceAlarmListForm::DeviceAlarmListForm(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::DeviceAlarmListForm>()), m_checkMark(tr("\u221A"))
{
    m_ui->setupUi(this);
    m_ui->splitter->setStretchFactor(0, 7);
    m_ui->splitter->setStretchFactor(1, 3);

    m_signalAlarms.table = m_ui->SignalAlarmTableWidget;
    m_signalAlarms.label = m_ui->label_SignalAlarm;
    m_signalAlarms.soundColumn = SaSound;
    m_signalAlarms.typeColumn = SaType;
    m_systemAlarms.table = m_ui->SystemAlarmTableWidget;
    m_systemAlarms.label = m_ui->label_SystemAlarm;
    m_systemAlarms.soundColumn = YaSound;
    m_systemAlarms.typeColumn = YaType;
    m_signalHistory = {m_ui->SignalHistoryTableWidget, m_ui->label_SignalHistory, ShType};
    m_systemHistory = {m_ui->SystemHistoryTableWidget, m_ui->label_SystemHistory, YhType};

    // "Video Black" needs 100 pixels in the coloured Alarm Type cell.
    SetupTable(m_signalAlarms.table, {160, -1, -1, -1, 80, 100, 50, 140, 70});
    // Start and end times need 160 pixels to be read whole.
    SetupTable(m_signalHistory.table, {160, 160, 100, -1, -1, 80, 80, -1, -1});
    SetupTable(m_systemAlarms.table,
               {160, SystemWidth, SystemWidth, SystemWidth, SystemWidth, SystemWidth, SystemWidth});
    SetupTable(m_systemHistory.table, {160, 160, SystemWidth, SystemWidth, SystemWidth, SystemWidth});
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
    m_signalHandling = AddHandlingActions(m_signalMenu, m_signalAlarms.table);
    m_systemHandling = AddHandlingActions(m_systemMenu, m_systemAlarms.table);
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

    for (QTableWidget* table : {m_signalAlarms.table, m_systemAlarms.table})
        table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_signalAlarms.table, &QTableWidget::cellClicked, this, &DeviceAlarmListForm::OnSignalAlarmCellClicked);
    connect(m_systemAlarms.table, &QTableWidget::cellClicked, this, &DeviceAlarmListForm::OnSystemAlarmCellClicked);
    connect(m_signalAlarms.table, &QWidget::customContextMenuRequested, this,
            &DeviceAlarmListForm::On_SignalAlarmTableWidget_customContextMenuRequested);
    connect(m_systemAlarms.table, &QWidget::customContextMenuRequested, this,
            &DeviceAlarmListForm::On_SystemAlarmTableWidget_customContextMenuRequested);
    connect(m_signalDeleteAction, &QAction::triggered, this, &DeviceAlarmListForm::Sig_DeleteSignalAlarm);
    connect(m_systemDeleteAction, &QAction::triggered, this, &DeviceAlarmListForm::Sig_DeleteSystemAlarm);

    RetranslateUi();
}

DeviceAlarmListForm::~DeviceAlarmListForm() = default;

// A width of -1 keeps the header's default; the last column fills the table.
void DeviceAlarmListForm::SetupTable(QTableWidget* table, const QList<int>& widths)
{
    table->setColumnCount(widths.size());
    for (int column = 0; column < widths.size(); ++column) {
        if (widths[column] > 0)
            table->setColumnWidth(column, widths[column]);
    }
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DeviceAlarmListForm::SetHeaders()
{
    m_signalAlarms.table->setHorizontalHeaderLabels({tr("Start Time"), tr("Device Name"), tr("IP Address"),
                                                     tr("Signal Name"), tr("Port"), tr("Alarm Type"), tr("Sound"),
                                                     tr("Detail"), tr("Ack")});
    m_signalHistory.table->setHorizontalHeaderLabels({tr("Start Time"), tr("End Time"), tr("Duration"),
                                                      tr("Device Name"), tr("IP Address"), tr("Signal Name"),
                                                      tr("Port"), tr("Alarm Type"), tr("Detail")});
    m_systemAlarms.table->setHorizontalHeaderLabels({tr("Start Time"), tr("Device Name"), tr("IP Address"),
                                                     tr("Alarm Type"), tr("Sound"), tr("Detail"), tr("Ack")});
    m_systemHistory.table->setHorizontalHeaderLabels(
        {tr("Start Time"), tr("End Time"), tr("Device Name"), tr("IP Address"), tr("Alarm Type"), tr("Detail")});
}

void DeviceAlarmListForm::SetMenuRunner(std::function<void(QMenu&)> runner)
{
    m_runMenu = std::move(runner);
}

QTableWidget* DeviceAlarmListForm::SignalAlarmTable() const
{
    return m_signalAlarms.table;
}

QTableWidget* DeviceAlarmListForm::SystemAlarmTable() const
{
    return m_systemAlarms.table;
}

QTableWidget* DeviceAlarmListForm::SignalHistoryTable() const
{
    return m_signalHistory.table;
}

QTableWidget* DeviceAlarmListForm::SystemHistoryTable() const
{
    return m_systemHistory.table;
}

QString DeviceAlarmListForm::SoundText(const QString& ip) const
{
    return m_soundOffList.contains(ip) ? QString() : m_checkMark;
}

void DeviceAlarmListForm::InsertCurrentRow(CurrentTable& current, const AlarmRecord& record,
                                           const QList<QTableWidgetItem*>& cells)
{
    const QString key = AlarmViewKey(record);
    cells[0]->setData(Qt::UserRole, key);
    SetLevelColor(cells[current.typeColumn], record.level);
    current.table->insertRow(0);
    for (int column = 0; column < cells.size(); ++column)
        current.table->setItem(0, column, cells[column]);
    current.rows.InsertTop(key);
    UpdateLabels();
}

void DeviceAlarmListForm::RemoveCurrentRow(CurrentTable& current, int row)
{
    current.table->removeRow(row);
    current.rows.RemoveRow(row);
}

void DeviceAlarmListForm::InsertHistoryRow(HistoryTable& history, const QList<QTableWidgetItem*>& cells)
{
    history.table->insertRow(0);
    for (int column = 0; column < cells.size(); ++column)
        history.table->setItem(0, column, cells[column]);
    TrimHistory(history);
}

void DeviceAlarmListForm::TrimHistory(HistoryTable& history)
{
    if (history.table->rowCount() > m_maxHistory)
        history.table->setRowCount(m_maxHistory);
    UpdateLabels();
}

void DeviceAlarmListForm::AddSignalAlarm(const AlarmRecord& record)
{
    InsertCurrentRow(m_signalAlarms, record,
                     {Cell(TimeText(record.time)), Cell(record.deviceName), Cell(record.ip), Cell(record.signalName),
                      Cell(PortDisplayName(record.portType, record.portID)), TypeCell(record.alarmType),
                      CentredCell(SoundText(record.ip)), Cell(Detail(record)), CentredCell(QString())});
}

void DeviceAlarmListForm::AddSystemAlarm(const AlarmRecord& record)
{
    InsertCurrentRow(m_systemAlarms, record,
                     {Cell(TimeText(record.time)), Cell(record.deviceName), Cell(record.ip), TypeCell(record.alarmType),
                      CentredCell(SoundText(record.ip)), Cell(record.note), CentredCell(QString())});
}

void DeviceAlarmListForm::AddSignalHistory(const AlarmRecord& record)
{
    const bool ended = record.end_time.isValid();
    InsertHistoryRow(m_signalHistory,
                     {Cell(TimeText(record.time)), Cell(ended ? TimeText(record.end_time) : QString()),
                      CentredCell(ended ? AlarmDurationText(record.time, record.end_time) : QString()),
                      Cell(record.deviceName), Cell(record.ip), Cell(record.signalName),
                      Cell(PortDisplayName(record.portType, record.portID)), TypeCell(record.alarmType),
                      Cell(Detail(record))});
}

void DeviceAlarmListForm::AddSystemHistory(const AlarmRecord& record)
{
    InsertHistoryRow(m_systemHistory, {Cell(TimeText(record.time)), Cell(TimeText(record.end_time)),
                                       Cell(record.deviceName), Cell(record.ip), TypeCell(record.alarmType),
                                       Cell(record.note)});
}

void DeviceAlarmListForm::RemoveSignalAlarm(const AlarmRecord& record)
{
    const int row = m_signalAlarms.rows.TopRowOf(AlarmViewKey(record));
    if (row >= 0)
        RemoveCurrentRow(m_signalAlarms, row);
    UpdateLabels();
}

void DeviceAlarmListForm::RemoveSystemAlarm(const AlarmRecord& record)
{
    const int row = m_systemAlarms.rows.TopRowOf(AlarmViewKey(record));
    if (row >= 0)
        RemoveCurrentRow(m_systemAlarms, row);
    UpdateLabels();
}

void DeviceAlarmListForm::UpdateSignalAlarm(const AlarmRecord& record)
{
    const int row = m_signalAlarms.rows.TopRowOf(AlarmViewKey(record));
    if (row < 0)
        return;
    QTableWidget* table = m_signalAlarms.table;
    table->item(row, SaStart)->setText(TimeText(record.time));
    SetLevelColor(table->item(row, SaType), record.level);
    table->item(row, SaDetail)->setText(record.note);
}

// historyColumnOfCurrent gives, for each current column, the history column it moves to (-1: not carried over).
void DeviceAlarmListForm::MoveToHistory(CurrentTable& current, HistoryTable& history, const QString& key,
                                        const QList<int>& historyColumnOfCurrent)
{
    const int row = current.rows.TopRowOf(key);
    if (row < 0)
        return;
    QList<QTableWidgetItem*> cells;
    for (int column = 0; column < history.table->columnCount(); ++column)
        cells.append(Cell());
    for (int column = 0; column < historyColumnOfCurrent.size(); ++column) {
        const int target = historyColumnOfCurrent[column];
        if (target < 0)
            continue;
        const QTableWidgetItem* source = current.table->item(row, column);
        cells[target]->setText(source->text());
        if (column == current.typeColumn)
            cells[target]->setData(Qt::UserRole, source->data(Qt::UserRole));
    }
    InsertHistoryRow(history, cells);
    RemoveCurrentRow(current, row);
    UpdateLabels();
}

void DeviceAlarmListForm::MoveSignalAlarmToHistory(const QString& key)
{
    MoveToHistory(m_signalAlarms, m_signalHistory, key,
                  {ShStart, ShDevice, ShIp, ShSignal, ShPort, ShType, -1, ShDetail, -1});
}

void DeviceAlarmListForm::MoveSystemAlarmToHistory(const QString& key)
{
    MoveToHistory(m_systemAlarms, m_systemHistory, key, {YhStart, YhDevice, YhIp, YhType, -1, YhDetail, -1});
}

void DeviceAlarmListForm::GetSelectedSignalKeys(QStringList& keys) const
{
    for (const QTableWidgetItem* item : m_signalAlarms.table->selectedItems()) {
        if (item->column() == 0)
            keys.append(item->data(Qt::UserRole).toString());
    }
}

void DeviceAlarmListForm::GetSelectedSystemKeys(QStringList& keys) const
{
    for (const QTableWidgetItem* item : m_systemAlarms.table->selectedItems()) {
        if (item->column() == 0)
            keys.append(item->data(Qt::UserRole).toString());
    }
}

void DeviceAlarmListForm::SetSoundText(const QString& key, const QString& text)
{
    const CurrentTable& current = IsSystemKey(key) ? m_systemAlarms : m_signalAlarms;
    const int row = current.rows.TopRowOf(key);
    if (row >= 0)
        current.table->item(row, current.soundColumn)->setText(text);
}

void DeviceAlarmListForm::SetSoundMark(const QString& key)
{
    SetSoundText(key, m_checkMark);
}

void DeviceAlarmListForm::ClearSoundMark(const QString& key)
{
    SetSoundText(key, QString());
}

void DeviceAlarmListForm::SetDeviceSound(const QString& ip, bool enable)
{
    // The colon keeps 10.0.0.1 off the rows of 10.0.0.10.
    const QString prefix = ip + QLatin1Char(':');
    const QString text = enable ? m_checkMark : QString();
    for (const CurrentTable* current : {&m_signalAlarms, &m_systemAlarms}) {
        for (int row = 0; row < current->table->rowCount(); ++row) {
            if (KeyOfRow(current->table, row).startsWith(prefix))
                current->table->item(row, current->soundColumn)->setText(text);
        }
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
    for (const CurrentTable* current : {&m_signalAlarms, &m_systemAlarms}) {
        for (int row = 0; row < current->table->rowCount(); ++row) {
            if (!queuedKeys.contains(KeyOfRow(current->table, row)))
                current->table->item(row, current->soundColumn)->setText(QString());
        }
    }
}

void DeviceAlarmListForm::SetMaxHistory(int maxHistory)
{
    if (maxHistory < 1)
        return;
    m_maxHistory = maxHistory;
    TrimHistory(m_signalHistory);
    TrimHistory(m_systemHistory);
}

void DeviceAlarmListForm::ClearAll()
{
    for (CurrentTable* current : {&m_signalAlarms, &m_systemAlarms}) {
        current->table->setRowCount(0);
        current->rows.Clear();
    }
    m_signalHistory.table->setRowCount(0);
    m_systemHistory.table->setRowCount(0);
    UpdateLabels();
}

void DeviceAlarmListForm::UpdateLabels()
{
    m_signalAlarms.label->setText(tr("Signal Alarm [ %1 ]").arg(m_signalAlarms.table->rowCount()));
    m_systemAlarms.label->setText(tr("System Alarm [ %1 ]").arg(m_systemAlarms.table->rowCount()));
    m_signalHistory.label->setText(tr("Signal Alarm History [ %1 ]").arg(m_signalHistory.table->rowCount()));
    m_systemHistory.label->setText(tr("System Alarm History [ %1 ]").arg(m_systemHistory.table->rowCount()));
}

void DeviceAlarmListForm::RetranslateUi()
{
    UpdateLabels();
    SetHeaders();
    const std::pair<QTableWidget*, int> typeColumns[] = {
        {m_signalAlarms.table, m_signalAlarms.typeColumn},
        {m_signalHistory.table, m_signalHistory.typeColumn},
        {m_systemAlarms.table, m_systemAlarms.typeColumn},
        {m_systemHistory.table, m_systemHistory.typeColumn},
    };
    for (const auto& [table, column] : typeColumns) {
        for (int row = 0; row < table->rowCount(); ++row) {
            QTableWidgetItem* item = table->item(row, column);
            item->setText(AlarmTypeWord(item->data(Qt::UserRole).toInt()));
        }
    }
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

DeviceAlarmListForm::HandlingActions DeviceAlarmListForm::AddHandlingActions(QMenu* menu, QTableWidget* table)
{
    HandlingActions handling;
    const auto selectedKeys = [table] {
        QStringList keys;
        for (const QTableWidgetItem* item : table->selectedItems()) {
            if (item->column() == 0)
                keys.append(item->data(Qt::UserRole).toString());
        }
        return keys;
    };
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
    CurrentTable& current = IsSystemKey(key) ? m_systemAlarms : m_signalAlarms;
    const int row = current.rows.TopRowOf(key);
    if (row >= 0)
        current.table->item(row, current.table->columnCount() - 1)->setText(text);
}

void DeviceAlarmListForm::ShowReturned(const AlarmRecord& ended)
{
    const QString key = AlarmViewKey(ended);
    CurrentTable& current = IsSystemKey(key) ? m_systemAlarms : m_signalAlarms;
    const int row = current.rows.TopRowOf(key);
    if (row < 0)
        return;
    SetReturnedColor(current.table->item(row, current.typeColumn));
    QTableWidgetItem* detail = current.table->item(row, current.table->columnCount() - 2);
    // The date is the start's, in the first column.
    const QString endedText = tr("Ended %1").arg(ended.end_time.toString(QStringLiteral("hh:mm:ss")));
    detail->setText(detail->text().isEmpty() ? endedText : QStringLiteral("%1; %2").arg(detail->text(), endedText));
}

bool DeviceAlarmListForm::HasCurrentRow(const QString& key) const
{
    const CurrentTable& current = IsSystemKey(key) ? m_systemAlarms : m_signalAlarms;
    return current.rows.TopRowOf(key) >= 0;
}

void DeviceAlarmListForm::RemoveCurrentRows(const QString& key)
{
    CurrentTable& current = IsSystemKey(key) ? m_systemAlarms : m_signalAlarms;
    for (int row = current.rows.TopRowOf(key); row >= 0; row = current.rows.TopRowOf(key))
        RemoveCurrentRow(current, row);
    UpdateLabels();
}

void DeviceAlarmListForm::OnSoundCellClicked(CurrentTable& current, int row, int column)
{
    if (column != current.soundColumn || row < 0 || row >= current.table->rowCount())
        return;
    QTableWidgetItem* cell = current.table->item(row, column);
    cell->setText(cell->text().isEmpty() ? m_checkMark : QString());
    const QString key = KeyOfRow(current.table, row);
    if (cell->text() == m_checkMark)
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

void DeviceAlarmListForm::ShowMenu(QTableWidget* table, QMenu* menu)
{
    QStringList keys;
    for (const QTableWidgetItem* item : table->selectedItems()) {
        if (item->column() == 0)
            keys.append(item->data(Qt::UserRole).toString());
    }
    if (keys.isEmpty())
        return;
    emit Sig_HandlingMenuOpening(keys);
    m_runMenu(*menu);
    emit Sig_HandlingMenuClosed();
}

void DeviceAlarmListForm::On_SignalAlarmTableWidget_customContextMenuRequested(const QPoint&)
{
    ShowMenu(m_signalAlarms.table, m_signalMenu);
}

void DeviceAlarmListForm::On_SystemAlarmTableWidget_customContextMenuRequested(const QPoint&)
{
    ShowMenu(m_systemAlarms.table, m_systemMenu);
}
