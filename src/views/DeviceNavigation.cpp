#include "views/DeviceNavigation.h"

#include "views/DeviceWidget.h"

#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int TileRowHeight = 100;
}

DeviceNavigation::DeviceNavigation(QTableWidget* table) : m_table(table)
{
}

// Each row keeps a holder widget for life; tiles move between holders.
void DeviceNavigation::Append(DeviceWidget* tile)
{
    auto* holder = new QWidget;
    auto* holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->addWidget(tile);
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setRowHeight(row, TileRowHeight);
    m_table->setCellWidget(row, 0, holder);
    m_tiles.append(tile);
    m_tilesOfIp[tile->GetIp()].append(tile);
}

void DeviceNavigation::Clear()
{
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
    for (int row = 0; row < m_tiles.size(); ++row) {
        QWidget* holder = m_table->cellWidget(row, 0);
        DeviceWidget* tile = m_tiles[row];
        if (tile->parentWidget() == holder)
            continue;
        tile->setParent(holder);
        holder->layout()->addWidget(tile);
        tile->show();
    }
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
    QWidget* holder = m_table->cellWidget(row, 0);
    return holder ? holder->findChild<DeviceWidget*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}
