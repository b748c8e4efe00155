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
// cost what is on screen, not the number of devices. A tile raised to the top or lowered to the bottom takes a rank
// beyond every other and the list is sorted by rank when next read, so that a storm's moves cost nothing each.
class DeviceNavigation : public QObject
{
public:
    explicit DeviceNavigation(QTableWidget* table);
    ~DeviceNavigation() override;

    void Append(DeviceWidget* tile);
    void Clear();
    // Above or below every other tile.
    void Raise(DeviceWidget* tile);
    void Lower(DeviceWidget* tile);
    void ShowOrder();
    // Tiles follow the rows when the table scrolls or resizes.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The one pass of the selector's "Auto Sort": from the bottom, a tile moves above the first tile whose age
    // text sorts before its own.
    void SortByAgeText();

    // A device listed twice has two tiles; the upper one shows its alarms.
    DeviceWidget* FirstTileOf(const QString& ip) const;
    const QList<DeviceWidget*>& Tiles();
    // The tile shown over the row.
    DeviceWidget* ShownAt(int row) const;

private:
    void Settle();
    void PlaceTiles();

    QTableWidget* m_table;
    // In rank order once settled.
    QList<DeviceWidget*> m_tiles;
    // Lower ranks are higher up; made for each tile as it is appended.
    QHash<DeviceWidget*, qint64> m_rankOf;
    qint64 m_topRank = 0;
    qint64 m_bottomRank = -1;
    // Ranks changed since the list was last sorted.
    bool m_unsettled = false;
    // The order as last placed, which ShownAt answers from; moves wait for ShowOrder.
    QList<DeviceWidget*> m_placed;
    QList<DeviceWidget*> m_inView;
    QHash<QString, QList<DeviceWidget*>> m_tilesOfIp;
    bool m_orderChanged = false;
};
