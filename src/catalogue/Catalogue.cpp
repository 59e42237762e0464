#include "Catalogue.h"

#include <algorithm>

Catalogue::Catalogue(QObject *parent) : QObject(parent) {}

Catalogue::Rebuild::Rebuild(Catalogue &catalogue, Kind kind) : m_catalogue(catalogue)
{
    if (m_catalogue.m_rebuilding++ == 0) {
        emit m_catalogue.aboutToRebuild();
    }
    if (kind == ClearFirst) {
        m_catalogue.m_nodes.clear();
        m_catalogue.m_topLevel.clear();
        m_catalogue.m_chains.clear();
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

int Catalogue::addNode(int parent, const QString &key, const QString &text, NodeImage image)
{
    if (count() >= MaxNodes) {
        return 0;
    }
    const int position = count() + 1;
    if (m_rebuilding == 0) {
        emit aboutToAddNode(parent,
                            int(parent == 0 ? m_topLevel.size() : node(parent).children.size()));
    }
    if (m_nodes.capacity() == m_nodes.size()) {
        m_nodes.reserve(std::max<size_t>(64, m_nodes.size() * 2));
    }
    CatalogueNode node;
    node.text = text;
    node.image = image;
    if (!key.isEmpty()) {
        m_keys.insert(position, key);
    }
    node.parent = parent;
    std::vector<int> &siblings = parent == 0 ? m_topLevel : m_nodes[size_t(parent - 1)].children;
    node.row = int(siblings.size());
    siblings.push_back(position);
    m_nodes.push_back(std::move(node));
    indexText(position);
    ++m_textRevision;
    if (m_rebuilding == 0) {
        emit nodeAdded(position);
    }
    return position;
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

int Catalogue::findFirst(const QString &text) const
{
    const auto found = m_chains.constFind(text);
    return found == m_chains.cend() ? 0 : found->first;
}

void Catalogue::indexText(int position)
{
    CatalogueNode &n = m_nodes[size_t(position - 1)];
    Chain &chain = m_chains[n.text];
    if (chain.first == 0) {
        chain = {position, position};
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
    const auto found = m_chains.find(n.text);
    Chain &chain = *found;
    const int previous = n.previousWithSameText;
    const int next = n.nextWithSameText;
    (previous == 0 ? chain.first : m_nodes[size_t(previous - 1)].nextWithSameText) = next;
    (next == 0 ? chain.last : m_nodes[size_t(next - 1)].previousWithSameText) = previous;
    n.previousWithSameText = n.nextWithSameText = 0;
    if (chain.first == 0) {
        m_chains.erase(found);
    }
}
