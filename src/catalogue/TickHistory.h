#pragma once

#include <QObject>

#include <vector>

class Catalogue;
class ListHistory;

// Keeps the catalogue's ticks in the list's undo history, so that undo puts them back with the
// rows: each tick changed while a step is open, and all of them when the tree is rebuilt (New
// List, Open). Ticks are kept by node position; after the catalogue files changed and the tree
// shrank, ticks beyond its end are not put back.
class TickHistory final : public QObject
{
    Q_OBJECT

public:
    TickHistory(Catalogue &catalogue, ListHistory &history, QObject *parent = nullptr);

    // The user's own tick or untick of the node: made before its command's step opened, so
    // the command tells it once the step is open.
    void userTicked(int position);

private:
    void tickChanged(int position);
    std::vector<int> tickedNodes() const;

    Catalogue &m_catalogue;
    ListHistory &m_history;
    std::vector<int> m_tickedBeforeRebuild;
};
