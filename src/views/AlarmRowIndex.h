#pragma once

#include <QHash>
#include <QString>

#include <vector>

// Finds the row of an alarm view key in a table whose rows are only ever inserted at the top and removed anywhere,
// without walking the table: the rows' order is the reverse of their insertion order, so a row's index is the
// number of younger rows still present, counted in a Fenwick tree over insertion numbers.
class AlarmRowIndex
{
public:
    void InsertTop(const QString& key);
    void RemoveRow(int row);
    // The topmost row holding the key, or -1.
    int TopRowOf(const QString& key) const;
    int Count() const { return m_live; }
    void Clear();

private:
    int RowOfSlot(int slot) const;
    int SlotOfRow(int row) const;
    void AddToTree(int slot, int delta);
    // Renumbers the rows still present from 0 and leaves room for as many again.
    void Compact();

    std::vector<QString> m_keyOfSlot;
    std::vector<char> m_present;
    // 1-based Fenwick tree over the slots.
    std::vector<int> m_tree;
    // Each key's slots in ascending order; the last is its topmost row.
    QHash<QString, std::vector<int>> m_slotsOfKey;
    int m_live = 0;
};
