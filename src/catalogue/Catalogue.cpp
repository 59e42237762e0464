#include "Catalogue.h"

#include <QHashFunctions>

#include <algorithm>
#include <bit>

Catalogue::Catalogue(QObject *parent) : QObject(parent) {}

Catalogue::Rebuild::Rebuild(Catalogue &catalogue, Kind kind) : m_catalogue(catalogue)
{
    if (m_catalogue.m_rebuilding++ == 0) {
        emit m_catalogue.aboutToRebuild();
    }
    if (kind == ClearFirst) {
        m_catalogue.m_nodes.clear();
        m_catalogue.m_childPositions.clear();
        m_catalogue.m_childLists.resize(1);
        m_catalogue.m_topLevel = {};
        std::fill(m_catalogue.m_chains.begin(), m_catalogue.m_chains.end(), Chain());
        m_catalogue.m_chainsUsed = 0;
        m_catalogue.m_keys.clear();
        m_catalogue.m_fileNames.clear();
        ++m_catalogue.m_textRevision;
    }
}

Catalogue::Rebuild::~Rebuild()
{
    if (--m_catalogue.m_rebuilding == 0) {
        emit m_catalogue.rebuilt();
    }
}

void Catalogue::reserve(int nodes)
{
    // At least doubling, so that loading many files one after the other grows it a few times.
    const size_t wanted = size_t(std::min(nodes, MaxNodes));
    if (wanted > m_nodes.capacity()) {
        m_nodes.reserve(std::clamp<size_t>(m_nodes.capacity() * 2, wanted, MaxNodes));
    }
    if (wanted > m_childPositions.capacity()) {
        m_childPositions.reserve(
            std::clamp<size_t>(m_childPositions.capacity() * 2, wanted, MaxNodes));
    }
    if (wanted * 2 > m_chains.size()) {
        growIndex(std::bit_ceil(wanted * 2));
    }
}

int Catalogue::addNode(int parent, const QString &key, const QString &text, NodeImage image)
{
    if (count() >= MaxNodes) {
        return 0;
    }
    const int position = count() + 1;
    if (m_rebuilding == 0) {
        emit aboutToAddNode(parent, childCount(parent));
    }
    if (m_nodes.capacity() == m_nodes.size()) {
        m_nodes.reserve(std::clamp<size_t>(m_nodes.size() * 2, 64, MaxNodes));
    }
    if (!key.isEmpty()) {
        m_keys.insert(position, key);
    }
    if (parent != 0 && node(parent).children == 0) {
        m_nodes[size_t(parent - 1)].children = int(m_childLists.size());
        m_childLists.push_back({int(m_childPositions.size()), 0, 0});
    }
    Children &siblings = parent == 0 ? m_topLevel : m_childLists[size_t(node(parent).children)];
    CatalogueNode &added = m_nodes.emplace_back();
    added.text = text;
    added.image = image;
    added.parent = parent;
    added.row = siblings.count;
    appendChild(siblings, position);
    indexText(position);
    ++m_textRevision;
    if (m_rebuilding == 0) {
        emit nodeAdded(position);
    }
    return position;
}

void Catalogue::appendChild(Children &list, int position)
{
    const int end = int(m_childPositions.size());
    if (list.count == list.capacity) {
        if (list.start + list.count == end) {
            m_childPositions.push_back(0);
            ++list.capacity;
        } else {
            // Left behind: its old place stays unused, which the doubling keeps to a fraction.
            const int capacity = std::max(4, list.count * 2);
            m_childPositions.resize(size_t(end + capacity));
            std::copy_n(m_childPositions.begin() + list.start, list.count,
                        m_childPositions.begin() + end);
            list.start = end;
            list.capacity = capacity;
        }
    }
    m_childPositions[size_t(list.start + list.count++)] = position;
}

void Catalogue::setText(int position, const QString &text)
{
    if (node(position).text == text) {
        return;
    }
    unindexText(position);
    m_nodes[size_t(position - 1)].text = text;
    indexText(position);
    ++m_textRevision;
    if (!m_rebuilding) {
        emit nodeChanged(position);
    }
}

void Catalogue::setTicked(int position, bool ticked)
{
    CatalogueNode &n = m_nodes[size_t(position - 1)];
    if (n.ticked == ticked) {
        return;
    }
    n.ticked = ticked;
    if (!m_rebuilding) {
        emit nodeChanged(position);
        emit tickChanged(position);
    }
}

void Catalogue::setExpanded(int position, bool expanded)
{
    bool &flag = m_nodes[size_t(position - 1)].expanded;
    if (flag == expanded) {
        return;
    }
    flag = expanded;
    if (expanded && m_rebuilding == 0) {
        emit nodeExpanded(position);
    }
}

quint32 Catalogue::hashOf(const QString &text)
{
    // The low half is enough for a table of at most 2 * MaxNodes slots.
    return quint32(qHash(text, QHashSeed::globalSeed()));
}

int Catalogue::findFirst(const QString &text) const
{
    if (m_chainsUsed == 0) {
        return 0;
    }
    return m_chains[slotOf(text, hashOf(text))].first;
}

size_t Catalogue::slotOf(const QString &text, quint32 hash) const
{
    const size_t mask = m_chains.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Chain &chain = m_chains[slot];
        if (chain.first == 0 || (chain.hash == hash && node(chain.first).text == text)) {
            return slot;
        }
    }
}

void Catalogue::growIndex(size_t size)
{
    std::vector<Chain> old(size);
    old.swap(m_chains);
    const size_t mask = size - 1;
    for (const Chain &chain : old) {
        if (chain.first != 0) {
            size_t slot = chain.hash & mask;
            while (m_chains[slot].first != 0) {
                slot = (slot + 1) & mask;
            }
            m_chains[slot] = chain;
        }
    }
}

void Catalogue::indexText(int position)
{
    if ((m_chainsUsed + 1) * 2 > m_chains.size()) {
        growIndex(std::max<size_t>(64, m_chains.size() * 2));
    }
    CatalogueNode &n = m_nodes[size_t(position - 1)];
    const quint32 hash = hashOf(n.text);
    Chain &chain = m_chains[slotOf(n.text, hash)];
    if (chain.first == 0) {
        chain = {hash, position, position};
        ++m_chainsUsed;
        return;
    }
    // New nodes come last; a renamed heading is sorted into its place.
    int previous = chain.last;
    while (previous != 0 && previous > position) {
        previous = node(previous).previousWithSameText;
    }
    const int next = previous == 0 ? chain.first : node(previous).nextWithSameText;
    n.previousWithSameText = previous;
    n.nextWithSameText = next;
    (previous == 0 ? chain.first : m_nodes[size_t(previous - 1)].nextWithSameText) = position;
    (next == 0 ? chain.last : m_nodes[size_t(next - 1)].previousWithSameText) = position;
}

void Catalogue::unindexText(int position)
{
    CatalogueNode &n = m_nodes[size_t(position - 1)];
    size_t slot = slotOf(n.text, hashOf(n.text));
    Chain &chain = m_chains[slot];
    const int previous = n.previousWithSameText;
    const int next = n.nextWithSameText;
    (previous == 0 ? chain.first : m_nodes[size_t(previous - 1)].nextWithSameText) = next;
    (next == 0 ? chain.last : m_nodes[size_t(next - 1)].previousWithSameText) = previous;
    n.previousWithSameText = n.nextWithSameText = 0;
    if (chain.first != 0) {
        return;
    }
    // The slot is free now: move up each later slot of the run that would no longer be found
    // past the gap.
    --m_chainsUsed;
    const size_t mask = m_chains.size() - 1;
    for (size_t later = (slot + 1) & mask; m_chains[later].first != 0; later = (later + 1) & mask) {
        const size_t home = m_chains[later].hash & mask;
        const bool reachable =
            slot <= later ? (slot < home && home <= later) : (slot < home || home <= later);
        if (!reachable) {
            m_chains[slot] = m_chains[later];
            m_chains[later] = Chain();
            slot = later;
        }
    }
}
