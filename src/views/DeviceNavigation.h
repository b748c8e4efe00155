#pragma once

#include <QHash>
#include <QList>
#include <QString>

class DeviceWidget;
class QTableWidget;

// The order of the device tiles in the navigation table. Tiles change places in the order at once; the table's
// rows follow when ShowOrder is called, once for many moves, because moving a row of the table moves every tile
// widget below it.
class DeviceNavigation
{
public:
    explicit DeviceNavigation(QTableWidget* table);

    void Append(DeviceWidget* tile);
    void Clear();
    // A new row at the target holds the tile, then its old row goes.
    void Move(int from, int to);
    void ShowOrder();
    // The one pass of the selector's "Auto Sort": from the bottom, a tile moves above the first tile whose age
    // text sorts before its own.
    void SortByAgeText();

    // A device listed twice has two tiles; the upper one shows its alarms.
    DeviceWidget* FirstTileOf(const QString& ip) const;
    int RowOf(DeviceWidget* tile) const { return m_tiles.indexOf(tile); }
    const QList<DeviceWidget*>& Tiles() const { return m_tiles; }
    // The tile the table shows in the row.
    DeviceWidget* ShownAt(int row) const;

private:
    QTableWidget* m_table;
    QList<DeviceWidget*> m_tiles;
    QHash<QString, QList<DeviceWidget*>> m_tilesOfIp;
    bool m_orderChanged = false;
};
