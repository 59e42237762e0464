#include "Catalogue.h"

#include <algorithm>

Catalogue::Catalogue(QObject *parent) : QObject(parent) {}

Catalogue::Rebuild::Rebuild(Catalogue &catalogue) : m_catalogue(catalogue)
{
    emit m_catalogue.aboutToRebuild();
    m_catalogue.m_rebuilding = true;
    m_catalogue.m_nodes.clear();
    m_catalogue.m_topLevel.clear();
    m_catalogue.m_positionsByText.clear();
}

Catalogue::Rebuild::~Rebuild()
{
    m_catalogue.m_rebuilding = false;
    emit m_catalogue.rebuilt();
}

int Catalogue::addNode(int parent, const QString &key, const QString &text, NodeImage image)
{
    Q_ASSERT(m_rebuilding);
    if (count() >= MaxNodes) {
        return 0;
    }
    const int position = count() + 1;
    CatalogueNode node;
    node.text = text;
    node.key = key;
    node.image = image;
    node.parent = parent;
    std::vector<int> &siblings = parent == 0 ? m_topLevel : m_nodes[size_t(parent - 1)].children;
    node.row = int(siblings.size());
    siblings.push_back(position);
    m_nodes.push_back(std::move(node));
    indexText(position);
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
    }
}

void Catalogue::setExpanded(int position, bool expanded)
{
    m_nodes[size_t(position - 1)].expanded = expanded;
    if (expanded && !m_rebuilding) {
        emit nodeExpanded(position);
    }
}

int Catalogue::findFirst(const QString &text) const
{
    const auto found = m_positionsByText.constFind(text);
    return found == m_positionsByText.cend() ? 0 : found->constFirst();
}

QList<int> Catalogue::findAll(const QString &text) const
{
    return m_positionsByText.value(text);
}

void Catalogue::indexText(int position)
{
    // Positions mostly arrive in ascending order; a renamed heading is sorted in.
    QList<int> &positions = m_positionsByText[node(position).text];
    if (positions.isEmpty() || positions.constLast() < position) {
        positions.append(position);
    } else {
        positions.insert(std::lower_bound(positions.begin(), positions.end(), position), position);
    }
}

void Catalogue::unindexText(int position)
{
    const auto found = m_positionsByText.find(node(position).text);
    if (found == m_positionsByText.end()) {
        return;
    }
    QList<int> &positions = *found;
    const auto at = std::lower_bound(positions.begin(), positions.end(), position);
    if (at != positions.end() && *at == position) {
        positions.erase(at);
    }
    if (positions.isEmpty()) {
        m_positionsByText.erase(found);
    }
}
