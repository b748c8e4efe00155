#include "views/DeviceNavigation.h"

#include "views/DeviceWidget.h"

#include <QEvent>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace
{
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
    m_tiles.append(tile);
    m_tilesOfIp[tile->GetIp()].append(tile);
    PlaceTiles();
    tile->show();
}

void DeviceNavigation::Clear()
{
    qDeleteAll(m_tiles);
    m_table->setRowCount(0);
    m_tiles.clear();
    m_tilesOfIp.clear();
    m_orderChanged = false;
}

void DeviceNavigation::Move(int from, int to)
{
    m_tiles.move(from, to <= from ? to : to - 1);
    m_orderChanged = true;
}

void DeviceNavigation::ShowOrder()
{
    if (!m_orderChanged)
        return;
    m_orderChanged = false;
    PlaceTiles();
}

void DeviceNavigation::PlaceTiles()
{
    const int width = m_table->viewport()->width();
    for (int row = 0; row < m_tiles.size(); ++row) {
        const QRect rect(0, m_table->rowViewportPosition(row), width, TileRowHeight);
        if (m_tiles[row]->geometry() != rect)
            m_tiles[row]->setGeometry(rect);
    }
}

bool DeviceNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        PlaceTiles();
    return QObject::eventFilter(watched, event);
}

void DeviceNavigation::SortByAgeText()
{
    for (int i = m_tiles.size() - 1; i >= 0;) {
        const QString age = m_tiles[i]->GetAgeText();
        int j = 0;
        while (j < i && !(m_tiles[j]->GetAgeText() < age))
            ++j;
        if (j < i) {
            Move(i, j);
            i -= 2;
        } else {
            --i;
        }
    }
    ShowOrder();
}

DeviceWidget* DeviceNavigation::FirstTileOf(const QString& ip) const
{
    const QList<DeviceWidget*> tiles = m_tilesOfIp.value(ip);
    if (tiles.size() < 2)
        return tiles.value(0);
    return *std::min_element(tiles.cbegin(), tiles.cend(),
                             [this](DeviceWidget* a, DeviceWidget* b) { return RowOf(a) < RowOf(b); });
}

DeviceWidget* DeviceNavigation::ShownAt(int row) const
{
    if (row < 0 || row >= m_table->rowCount())
        return nullptr;
    const int top = m_table->rowViewportPosition(row);
    for (DeviceWidget* tile : m_tiles) {
        if (tile->geometry().top() == top)
            return tile;
    }
    return nullptr;
}
