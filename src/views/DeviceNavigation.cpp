#include "views/DeviceNavigation.h"

#include "views/DeviceWidget.h"

#include <QAccessible>
#include <QEvent>
#include <QLayout>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace {
constexpr int TileRowHeight = 100;
}

DeviceNavigation::DeviceNavigation(QTableWidget* table) : m_table(table)
{
    m_table->viewport()->installEventFilter(this);
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, &DeviceNavigation::PlaceTiles);
}

DeviceNavigation::~DeviceNavigation() = default;

void DeviceNavigation::Append(DeviceWidget* tile)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setRowHeight(row, TileRowHeight);
    tile->setParent(m_table->viewport());
    // Hidden by hand, or showing the table would show every tile appended before it.
    tile->hide();
    // What a tile costs once, at its first showing, is paid now: its style, its layout and what it tells assistive
    // tools. Paid when a storm's sorting first brings the tile into view, it would land among the storm's memory and
    // keep pages of it from going back to the system.
    tile->ensurePolished();
    tile->layout()->activate();
    QAccessible::queryAccessibleInterface(tile);
    for (QWidget* child : tile->findChildren<QWidget*>())
        QAccessible::queryAccessibleInterface(child);
    m_tiles.append(tile);
    m_rankOf.insert(tile, ++m_bottomRank);
    m_tilesOfIp[tile->GetIp()].append(tile);
    PlaceTiles();
}

void DeviceNavigation::Clear()
{
    qDeleteAll(m_tiles);
    m_table->setRowCount(0);
    m_tiles.clear();
    m_placed.clear();
    m_inView.clear();
    m_tilesOfIp.clear();
    m_rankOf.clear();
    m_topRank = 0;
    m_bottomRank = -1;
    m_unsettled = false;
    m_orderChanged = false;
}

void DeviceNavigation::Raise(DeviceWidget* tile)
{
    qint64& rank = m_rankOf[tile];
    if (rank == m_topRank)
        return;
    rank = --m_topRank;
    m_unsettled = true;
}

void DeviceNavigation::Lower(DeviceWidget* tile)
{
    qint64& rank = m_rankOf[tile];
    if (rank == m_bottomRank)
        return;
    rank = ++m_bottomRank;
    m_unsettled = true;
}

void DeviceNavigation::Settle()
{
    if (!m_unsettled)
        return;
    m_unsettled = false;
    std::sort(m_tiles.begin(), m_tiles.end(),
              [this](DeviceWidget* a, DeviceWidget* b) { return m_rankOf.value(a) < m_rankOf.value(b); });
    m_orderChanged = true;
}

const QList<DeviceWidget*>& DeviceNavigation::Tiles()
{
    Settle();
    return m_tiles;
}

void DeviceNavigation::ShowOrder()
{
    Settle();
    if (!m_orderChanged)
        return;
    m_orderChanged = false;
    PlaceTiles();
}

void DeviceNavigation::PlaceTiles()
{
    m_placed = m_tiles;
    QList<DeviceWidget*> inView;
    const QWidget* viewport = m_table->viewport();
    const int first = viewport->height() > 0 ? m_table->rowAt(0) : -1;
    if (first >= 0) {
        const int below = m_table->rowAt(viewport->height() - 1);
        const int last = below >= 0 ? below : m_tiles.size() - 1;
        for (int row = first; row <= last; ++row) {
            DeviceWidget* tile = m_tiles[row];
            const QRect rect(0, m_table->rowViewportPosition(row), viewport->width(), TileRowHeight);
            if (tile->geometry() != rect)
                tile->setGeometry(rect);
            tile->show();
            inView.append(tile);
        }
    }
    for (DeviceWidget* tile : qAsConst(m_inView)) {
        if (!inView.contains(tile))
            tile->hide();
    }
    m_inView = inView;
}

bool DeviceNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        PlaceTiles();
    return QObject::eventFilter(watched, event);
}

void DeviceNavigation::SortByAgeText()
{
    Settle();
    for (int i = m_tiles.size() - 1; i >= 0;) {
        const QString age = m_tiles[i]->GetAgeText();
        int j = 0;
        while (j < i && !(m_tiles[j]->GetAgeText() < age))
            ++j;
        if (j < i) {
            m_tiles.move(i, j);
            m_orderChanged = true;
            i -= 2;
        } else {
            --i;
        }
    }
    for (int row = 0; row < m_tiles.size(); ++row)
        m_rankOf[m_tiles[row]] = row;
    m_topRank = 0;
    m_bottomRank = m_tiles.size() - 1;
    ShowOrder();
}

DeviceWidget* DeviceNavigation::FirstTileOf(const QString& ip) const
{
    const QList<DeviceWidget*> tiles = m_tilesOfIp.value(ip);
    if (tiles.size() < 2)
        return tiles.value(0);
    return *std::min_element(tiles.cbegin(), tiles.cend(), [this](DeviceWidget* a, DeviceWidget* b) {
        return m_rankOf.value(a) < m_rankOf.value(b);
    });
}

DeviceWidget* DeviceNavigation::ShownAt(int row) const
{
    return m_placed.value(row);
}
