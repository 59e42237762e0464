#pragma once

#include <QString>

#include <vector>

class Catalogue;

// Finds catalogue nodes by a part of their text, ignoring letter case and accents
// (FoldForSearch), in the order the tree shows them: the root, then each heading followed by
// its items. Every node's text is folded once, into one index that a search runs through
// in a single pass; the index is made again only after the tree's texts changed.
class CatalogueSearch final
{
public:
    explicit CatalogueSearch(const Catalogue &catalogue) : m_catalogue(catalogue) {}

    // Brings the index up to date now, so that the next search does not have to.
    void prepare();

    // The first node in tree order whose text contains text; 0 when none or text is empty.
    int first(const QString &text);
    // The next node after position (the previous one before it) that contains text, going on
    // from the other end of the tree; position itself when it is the only one, 0 when none.
    int next(const QString &text, int position);
    int previous(const QString &text, int position);

private:
    int nodeAtOffset(qsizetype offset) const;
    int indexOf(const QString &folded, qsizetype from) const;

    const Catalogue &m_catalogue;
    quint64 m_revision = ~quint64(0);
    QString m_keys;                  // a line feed, then each node's folded text, in tree order
    std::vector<qsizetype> m_starts; // where each node's folded text starts in m_keys
    std::vector<int> m_order;        // the positions in tree order
    std::vector<int> m_place;        // index into m_order of each position - 1
};
