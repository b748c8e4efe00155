#include "views/AlarmTableModel.h"

#include "alarm/AlarmRecord.h"
#include "views/AlarmDurationText.h"

#include <QBrush>
#include <QColor>
#include <QTimerEvent>

#include <algorithm>

namespace {
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

// The rows shown are those not removed; a removed row waits for Publish, which deletes it.
bool Shown(const AlarmTableModel::Row* row)
{
    return !row->removed;
}
} // namespace

AlarmTableModel::AlarmTableModel(const QVector<Column>& columns, bool levelColours, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns), m_levelColours(levelColours)
{
}

AlarmTableModel::~AlarmTableModel()
{
    qDeleteAll(m_shown);
    qDeleteAll(m_fresh);
}

void AlarmTableModel::SetHeaders(const QStringList& headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void AlarmTableModel::SetRowLimit(int limit)
{
    m_rowLimit = qMax(0, limit);
    SchedulePublish();
}

void AlarmTableModel::InsertTop(const Row& row)
{
    auto* fresh = new Row(row);
    fresh->removed = false;
    m_fresh.push_back(fresh);
    if (!fresh->key.isEmpty())
        m_rowsOfKey[fresh->key].push_back(fresh);
    ++m_count;
    SchedulePublish();
}

AlarmTableModel::Row* AlarmTableModel::TopRow(const QString& key)
{
    const auto rows = m_rowsOfKey.constFind(key);
    return rows == m_rowsOfKey.cend() ? nullptr : rows->back();
}

void AlarmTableModel::Changed()
{
    m_changed = true;
    SchedulePublish();
}

bool AlarmTableModel::RemoveTop(const QString& key)
{
    Row* row = TopRow(key);
    if (row)
        Remove(row);
    return row != nullptr;
}

void AlarmTableModel::RemoveAll(const QString& key)
{
    while (RemoveTop(key)) {
    }
}

void AlarmTableModel::Remove(Row* row)
{
    row->removed = true;
    --m_count;
    SchedulePublish();
    if (row->key.isEmpty())
        return;
    const auto rows = m_rowsOfKey.find(row->key);
    // Removed rows are the topmost of their key, or the oldest of all when a history is trimmed.
    if (rows->back() == row)
        rows->pop_back();
    else
        rows->erase(std::find(rows->begin(), rows->end(), row));
    if (rows->empty())
        m_rowsOfKey.erase(rows);
}

void AlarmTableModel::ForEachRow(const std::function<void(Row&)>& change)
{
    for (const std::vector<Row*>* rows : {&m_shown, &m_fresh}) {
        for (Row* row : *rows) {
            if (Shown(row))
                change(*row);
        }
    }
    Changed();
}

void AlarmTableModel::Clear()
{
    beginResetModel();
    qDeleteAll(m_shown);
    qDeleteAll(m_fresh);
    m_shown.clear();
    m_fresh.clear();
    m_rowsOfKey.clear();
    m_count = 0;
    m_changed = false;
    endResetModel();
}

const AlarmTableModel::Row* AlarmTableModel::ShownRow(int row) const
{
    return row >= 0 && row < int(m_shown.size()) ? m_shown[size_t(row)] : nullptr;
}

void AlarmTableModel::SchedulePublish()
{
    if (m_publishQueued)
        return;
    m_publishQueued = true;
    if (m_publishDelayMs > 0)
        m_publishTimer.start(m_publishDelayMs, this);
    else
        QMetaObject::invokeMethod(
            this, [this] { Publish(); }, Qt::QueuedConnection);
}

void AlarmTableModel::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_publishTimer.timerId())
        Publish();
    else
        QAbstractTableModel::timerEvent(event);
}

// The oldest rows are at the bottom of the published ones, then at the front of the fresh ones.
void AlarmTableModel::TrimToLimit()
{
    int excess = m_rowLimit > 0 ? m_count - m_rowLimit : 0;
    for (auto it = m_shown.rbegin(); excess > 0 && it != m_shown.rend(); ++it) {
        if (Shown(*it)) {
            Remove(*it);
            --excess;
        }
    }
    for (auto it = m_fresh.begin(); excess > 0 && it != m_fresh.end(); ++it) {
        if (Shown(*it)) {
            Remove(*it);
            --excess;
        }
    }
}

// One layout change moves every removed row below the kept ones, whatever their number, so that one removal of
// the bottom rows takes them out; selections and the current row follow their rows.
void AlarmTableModel::MoveRemovedToBottom(int kept)
{
    const int count = int(m_shown.size());
    if (std::all_of(m_shown.begin() + kept, m_shown.end(), [](const Row* row) { return row->removed; }))
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(size_t(count), 0);
    std::vector<Row*> reordered(size_t(count), nullptr);
    int keptAt = 0;
    int removedAt = kept;
    for (int row = 0; row < count; ++row) {
        Row* shown = m_shown[size_t(row)];
        newRowOf[size_t(row)] = shown->removed ? removedAt++ : keptAt++;
        reordered[size_t(newRowOf[size_t(row)])] = shown;
    }
    m_shown.swap(reordered);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(this->index(newRowOf[size_t(index.row())], index.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void AlarmTableModel::Publish()
{
    m_publishQueued = false;
    m_publishTimer.stop();
    TrimToLimit();
    const int shownBefore = int(m_shown.size());
    const int kept =
        shownBefore - int(std::count_if(m_shown.begin(), m_shown.end(), [](const Row* row) { return row->removed; }));
    if (kept < shownBefore) {
        MoveRemovedToBottom(kept);
        beginRemoveRows(QModelIndex(), kept, shownBefore - 1);
        std::for_each(m_shown.begin() + kept, m_shown.end(), [](Row* row) { delete row; });
        m_shown.resize(size_t(kept));
        endRemoveRows();
    }
    std::vector<Row*> fresh;
    for (auto it = m_fresh.rbegin(); it != m_fresh.rend(); ++it) {
        if (Shown(*it))
            fresh.push_back(*it);
        else
            delete *it;
    }
    m_fresh.clear();
    if (!fresh.empty()) {
        beginInsertRows(QModelIndex(), 0, int(fresh.size()) - 1);
        m_shown.insert(m_shown.begin(), fresh.begin(), fresh.end());
        endInsertRows();
    }
    if (m_changed && !m_shown.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    m_changed = false;
}

void AlarmTableModel::Retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (!m_shown.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int AlarmTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int AlarmTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns.size();
}

QString AlarmTableModel::Text(const Row& row, Column column) const
{
    switch (column) {
    case Start:
        return TimeText(row.start);
    case End:
        return row.end.isValid() ? TimeText(row.end) : QString();
    case Duration:
        return AlarmDurationText(row.start, row.end);
    case Device:
        return row.deviceName;
    case Ip:
        return row.ip;
    case Signal:
        return row.signalName;
    case Port:
        return PortDisplayName(row.portType, row.portID);
    case Type:
        return AlarmTypeWord(row.alarmType);
    case Sound:
        return row.sound ? m_checkMark : QString();
    case Detail:
        return row.detail;
    case Ack:
        return row.ack;
    }
    return QString();
}

QVariant AlarmTableModel::data(const QModelIndex& index, int role) const
{
    const Row* row = ShownRow(index.row());
    if (!row || index.column() < 0 || index.column() >= m_columns.size())
        return QVariant();
    const Column column = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return Text(*row, column);
    case Qt::TextAlignmentRole:
        if (column == Sound || column == Ack || column == Duration)
            return int(Qt::AlignCenter);
        return QVariant();
    // White on red and green, black on yellow, so that the word stays readable on every level; an alarm kept after
    // its end is neither the error nor the normal colour, so that it reads as over but unseen.
    case Qt::BackgroundRole:
        if (!m_levelColours || column != Type)
            return QVariant();
        return QBrush(row->returned ? QColor(190, 190, 190) : LevelColor(row->level));
    case Qt::ForegroundRole:
        if (!m_levelColours || column != Type)
            return QVariant();
        return QBrush(row->returned || row->level == LevelWarn ? QColor(Qt::black) : QColor(Qt::white));
    default:
        return QVariant();
    }
}

QVariant AlarmTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
