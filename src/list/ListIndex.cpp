#include "ListIndex.h"

#include "ShoppingList.h"

#include <QHashFunctions>

#include <algorithm>

quint32 ListIndex::hashOf(QStringView item)
{
    // Seeded per process: no file can be made whose texts all land on one slot.
    return quint32(qHash(item, QHashSeed::globalSeed()));
}

int ListIndex::find(QStringView item, const QList<ListRow> &rows) const
{
    if (m_slots.empty()) {
        return 0;
    }
    const quint32 hash = hashOf(item);
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask; m_slots[i].position != 0; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (slot.hash == hash && rows[slot.position - 1].item == item) {
            return slot.position;
        }
    }
    return 0;
}

void ListIndex::clear()
{
    m_hashes = {};
    m_slots = {};
    m_entries = 0;
}

void ListIndex::appended(const QList<ListRow> &rows, qsizetype first)
{
    reserve(m_entries + rows.size() - first);
    // Room for a whole list at once; later rows grow it the way push_back does, not one by one.
    if (m_hashes.empty()) {
        m_hashes.reserve(size_t(rows.size()));
    }
    for (qsizetype index = first; index < rows.size(); ++index) {
        m_hashes.push_back(hashOf(rows[index].item));
        place(rows, index);
    }
}

void ListIndex::inserted(const QList<ListRow> &rows, qsizetype first, qsizetype count)
{
    std::vector<quint32> hashes;
    hashes.reserve(size_t(count));
    for (qsizetype index = first; index < first + count; ++index) {
        hashes.push_back(hashOf(rows[index].item));
    }
    m_hashes.insert(m_hashes.begin() + first, hashes.begin(), hashes.end());
    placeAll(rows);
}

void ListIndex::removed(const QList<ListRow> &rows, qsizetype first, qsizetype count)
{
    // The texts whose first row went lose their slot, to be given their next row, if any.
    std::vector<quint32> orphans;
    for (qsizetype index = first; index < first + count; ++index) {
        const size_t slot = slotOf(m_hashes[size_t(index)], int(index) + 1);
        if (slot != m_slots.size()) {
            orphans.push_back(m_hashes[size_t(index)]);
            erase(slot);
        }
    }
    m_hashes.erase(m_hashes.begin() + first, m_hashes.begin() + first + count);
    const qsizetype last = first + count;
    for (Slot &slot : m_slots) {
        if (slot.position > last) {
            slot.position -= int(count);
        }
    }
    // Every row below the removed ones whose text has no position is the next of an orphan.
    const bool few = orphans.size() <= 8;
    size_t left = orphans.size();
    for (qsizetype index = first; left > 0 && index < rows.size(); ++index) {
        const quint32 hash = m_hashes[size_t(index)];
        if ((!few || std::find(orphans.cbegin(), orphans.cend(), hash) != orphans.cend()) &&
            place(rows, index)) {
            --left;
        }
    }
}

void ListIndex::reordered(const QList<ListRow> &rows, const QList<int> &newPosition)
{
    std::vector<quint32> hashes(m_hashes.size());
    for (size_t old = 0; old < m_hashes.size(); ++old) {
        hashes[size_t(newPosition[qsizetype(old)] - 1)] = m_hashes[old];
    }
    m_hashes = std::move(hashes);
    placeAll(rows);
}

size_t ListIndex::slotOf(quint32 hash, int position) const
{
    if (!m_slots.empty()) {
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask; m_slots[i].position != 0; i = (i + 1) & mask) {
            if (m_slots[i].position == position) {
                return i;
            }
        }
    }
    return m_slots.size();
}

bool ListIndex::place(const QList<ListRow> &rows, qsizetype index)
{
    const quint32 hash = m_hashes[size_t(index)];
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    for (; m_slots[i].position != 0; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (slot.hash == hash && rows[slot.position - 1].item == rows[index].item) {
            return false;
        }
    }
    m_slots[i] = {hash, int(index) + 1};
    ++m_entries;
    return true;
}

void ListIndex::erase(size_t slot)
{
    // Later slots of the same run move up, so that every lookup still reaches them.
    const size_t mask = m_slots.size() - 1;
    size_t hole = slot;
    for (size_t i = (slot + 1) & mask; m_slots[i].position != 0; i = (i + 1) & mask) {
        const size_t home = m_slots[i].hash & mask;
        const bool reachable = hole <= i ? (hole < home && home <= i) : (hole < home || home <= i);
        if (!reachable) {
            m_slots[hole] = m_slots[i];
            hole = i;
        }
    }
    m_slots[hole] = {};
    --m_entries;
}

void ListIndex::reserve(qsizetype entries)
{
    size_t size = std::max<size_t>(m_slots.size(), 16);
    while (size < size_t(entries) * 2) {
        size *= 2;
    }
    if (size == m_slots.size()) {
        return;
    }
    std::vector<Slot> table(size);
    const size_t mask = size - 1;
    for (const Slot &slot : m_slots) {
        if (slot.position != 0) {
            size_t i = slot.hash & mask;
            while (table[i].position != 0) {
                i = (i + 1) & mask;
            }
            table[i] = slot;
        }
    }
    m_slots = std::move(table);
}

void ListIndex::placeAll(const QList<ListRow> &rows)
{
    std::fill(m_slots.begin(), m_slots.end(), Slot());
    m_entries = 0;
    reserve(rows.size());
    for (qsizetype index = 0; index < rows.size(); ++index) {
        place(rows, index);
    }
}
