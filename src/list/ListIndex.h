#pragma once

#include <QList>
#include <QStringView>

#include <vector>

struct ListRow;

// The first position of each item text among a list's rows, kept beside them. A table of
// positions placed by the hash of their text; each row's hash is kept, so that a reorder or a
// removal places the positions again without hashing any text, and a removal moves only the
// positions it touches.
class ListIndex final
{
public:
    // The first position whose item text equals item, 0 when none.
    int find(QStringView item, const QList<ListRow> &rows) const;

    void clear();
    // The rows from index first on were appended.
    void appended(const QList<ListRow> &rows, qsizetype first);
    // count rows were inserted at index first.
    void inserted(const QList<ListRow> &rows, qsizetype first, qsizetype count);
    // count rows were removed at index first; rows is what is left.
    void removed(const QList<ListRow> &rows, qsizetype first, qsizetype count);
    // The rows were moved, each to newPosition[its old position - 1].
    void reordered(const QList<ListRow> &rows, const QList<int> &newPosition);

private:
    struct Slot
    {
        quint32 hash = 0;
        int position = 0; // 0: empty
    };

    static quint32 hashOf(QStringView item);
    size_t slotOf(quint32 hash, int position) const;
    // Places the row at index unless its text has a position already; true when placed.
    bool place(const QList<ListRow> &rows, qsizetype index);
    void erase(size_t slot);
    void reserve(qsizetype entries);
    void placeAll(const QList<ListRow> &rows);

    std::vector<quint32> m_hashes; // of each row's item text
    std::vector<Slot> m_slots;     // a power of two of them, at most half in use
    qsizetype m_entries = 0;
};
