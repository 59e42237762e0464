#include "CatalogueSearch.h"

#include "Catalogue.h"
#include "common/TextFolding.h"

#include <algorithm>

void CatalogueSearch::prepare()
{
    if (m_revision == m_catalogue.textRevision()) {
        return;
    }
    m_revision = m_catalogue.textRevision();
    m_keys.clear();
    m_starts.clear();
    m_order.clear();
    m_place.assign(size_t(m_catalogue.count()), 0);
    // Depth first, as the tree shows its nodes.
    const std::span<const int> topLevel = m_catalogue.children(0);
    std::vector<int> pending(topLevel.rbegin(), topLevel.rend());
    while (!pending.empty()) {
        const int position = pending.back();
        pending.pop_back();
        const CatalogueNode &node = m_catalogue.node(position);
        m_place[size_t(position - 1)] = int(m_order.size());
        m_order.push_back(position);
        m_keys += u'\n';
        m_starts.push_back(m_keys.size());
        // A line break inside a text would look like the start of the next node.
        m_keys += FoldForSearch(node.text).replace(u'\n', u' ');
        const std::span<const int> children = m_catalogue.children(position);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
}

int CatalogueSearch::nodeAtOffset(qsizetype offset) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
    return m_order[size_t(after - m_starts.begin() - 1)];
}

int CatalogueSearch::indexOf(const QString &folded, qsizetype from) const
{
    const qsizetype found = m_keys.indexOf(folded, from);
    return found < 0 ? 0 : nodeAtOffset(found);
}

int CatalogueSearch::first(const QString &text)
{
    return next(text, 0);
}

int CatalogueSearch::next(const QString &text, int position)
{
    prepare();
    const QString folded = FoldForSearch(text);
    if (folded.isEmpty() || folded.contains(u'\n')) {
        return 0;
    }
    if (position > 0 && position <= m_catalogue.count()) {
        const size_t place = size_t(m_place[size_t(position - 1)]);
        const qsizetype after = place + 1 < m_starts.size() ? m_starts[place + 1] : m_keys.size();
        if (const int found = indexOf(folded, after)) {
            return found;
        }
    }
    return indexOf(folded, 0);
}

int CatalogueSearch::previous(const QString &text, int position)
{
    prepare();
    const QString folded = FoldForSearch(text);
    if (folded.isEmpty() || folded.contains(u'\n') || m_keys.isEmpty()) {
        return 0;
    }
    qsizetype found = -1;
    if (position > 0 && position <= m_catalogue.count()) {
        // Ends before the line feed in front of the node: a match there lies in an earlier one.
        const qsizetype before = m_starts[size_t(m_place[size_t(position - 1)])] - 2;
        if (before >= 0) {
            found = m_keys.lastIndexOf(folded, before);
        }
    }
    if (found < 0) {
        found = m_keys.lastIndexOf(folded);
    }
    return found < 0 ? 0 : nodeAtOffset(found);
}
