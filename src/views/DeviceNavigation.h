#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class DeviceWidget;
class QTableWidget;

// The order of the device tiles in the navigation table. The table keeps one empty row of tile height per device;
// the tiles lie over the rows on its viewport and are placed by ShowOrder, so that a storm of moves costs one
// placement rather than a row insertion and removal that shifts every tile below it. Only the tiles over the
// viewport are placed and shown: each shown tile weighs on every repaint of the column, so placing and painting
// cost what is on screen, not the number of devices.
class DeviceNavigation : public QObject
{
public:
    explicit DeviceNavigation(QTableWidget* table);
    ~DeviceNavigation() override;

    void Append(DeviceWidget* tile);
    void Clear();
    // A new row at the target holds the tile, then its old row goes.
    void Move(int from, int to);
    void ShowOrder();
    // Tiles follow the rows when the table scrolls or resizes.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The one pass of the selector's "Auto Sort": from the bottom, a tile moves above the first tile whose age
    // text sorts before its own.
    void SortByAgeText();

    // A device listed twice has two tiles; the upper one shows its alarms.
    DeviceWidget* FirstTileOf(const QString& ip) const;
    int RowOf(DeviceWidget* tile) const { return m_tiles.indexOf(tile); }
    const QList<DeviceWidget*>& Tiles() const { return m_tiles; }
    // The tile shown over the row.
    DeviceWidget* ShownAt(int row) const;

private:
    void PlaceTiles();

    QTableWidget* m_table;
    QList<DeviceWidget*> m_tiles;
    // The order as last placed, which ShownAt answers from; moves wait for ShowOrder.
    QList<DeviceWidget*> m_placed;
    QList<DeviceWidget*> m_inView;
    QHash<QString, QList<DeviceWidget*>> m_tilesOfIp;
    bool m_orderChanged = false;
};
