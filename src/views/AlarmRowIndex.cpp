#include "views/AlarmRowIndex.h"

#include <algorithm>

void AlarmRowIndex::InsertTop(const QString& key)
{
    if (m_keyOfSlot.size() + 1 >= m_tree.size())
        Compact();
    const int slot = int(m_keyOfSlot.size());
    m_keyOfSlot.push_back(key);
    m_present.push_back(1);
    AddToTree(slot, 1);
    ++m_live;
    m_slotsOfKey[key].push_back(slot);
}

void AlarmRowIndex::RemoveRow(int row)
{
    if (row < 0 || row >= m_live)
        return;
    const int slot = SlotOfRow(row);
    auto it = m_slotsOfKey.find(m_keyOfSlot[slot]);
    std::vector<int>& slots = it.value();
    slots.erase(std::lower_bound(slots.begin(), slots.end(), slot));
    if (slots.empty())
        m_slotsOfKey.erase(it);
    m_keyOfSlot[slot].clear();
    m_present[slot] = 0;
    AddToTree(slot, -1);
    --m_live;
}

int AlarmRowIndex::TopRowOf(const QString& key) const
{
    const auto it = m_slotsOfKey.constFind(key);
    return it == m_slotsOfKey.constEnd() ? -1 : RowOfSlot(it.value().back());
}

void AlarmRowIndex::Clear()
{
    m_keyOfSlot.clear();
    m_present.clear();
    m_tree.clear();
    m_slotsOfKey.clear();
    m_live = 0;
}

int AlarmRowIndex::RowOfSlot(int slot) const
{
    int presentUpToSlot = 0;
    for (int i = slot + 1; i > 0; i -= i & -i)
        presentUpToSlot += m_tree[i];
    return m_live - presentUpToSlot;
}

int AlarmRowIndex::SlotOfRow(int row) const
{
    // The row is the k-th present slot counted from the oldest.
    int remaining = m_live - row;
    int position = 0;
    int step = 1;
    while (step * 2 < int(m_tree.size()))
        step *= 2;
    for (; step > 0; step /= 2) {
        const int next = position + step;
        if (next < int(m_tree.size()) && m_tree[next] < remaining) {
            position = next;
            remaining -= m_tree[next];
        }
    }
    // The slot's 1-based tree index is position + 1.
    return position;
}

void AlarmRowIndex::AddToTree(int slot, int delta)
{
    for (int i = slot + 1; i < int(m_tree.size()); i += i & -i)
        m_tree[i] += delta;
}

void AlarmRowIndex::Compact()
{
    std::vector<QString> keys;
    keys.reserve(m_live);
    for (size_t slot = 0; slot < m_keyOfSlot.size(); ++slot) {
        if (m_present[slot])
            keys.push_back(std::move(m_keyOfSlot[slot]));
    }
    m_keyOfSlot = std::move(keys);
    m_present.assign(m_keyOfSlot.size(), 1);
    m_slotsOfKey.clear();
    for (int slot = 0; slot < int(m_keyOfSlot.size()); ++slot)
        m_slotsOfKey[m_keyOfSlot[slot]].push_back(slot);

    const int capacity = std::max<int>(64, 2 * int(m_keyOfSlot.size()) + 2);
    m_tree.assign(capacity + 1, 0);
    for (int i = 1; i <= int(m_keyOfSlot.size()); ++i)
        m_tree[i] = 1;
    for (int i = 1; i <= capacity; ++i) {
        const int parent = i + (i & -i);
        if (parent <= capacity)
            m_tree[parent] += m_tree[i];
    }
}
