#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <span>
#include <vector>

// The image a node shows; it is also how the program tells items ("doc") from headings.
enum class NodeImage : quint8 { Closed, Doc };

struct CatalogueNode
{
    QString text;
    int parent = 0;               // position of the parent, 0 for the root
    int row = 0;                  // place among the parent's children, from 0
    int nextWithSameText = 0;     // the next position with this text, 0 for the last
    int previousWithSameText = 0; // the one before, 0 for the first
    int children = 0;             // where its children are listed, 0 when it has none
    NodeImage image = NodeImage::Closed;
    bool ticked = false;
    bool expanded = false;
};

// The catalogue tree: a root, category headings below it and items below them. Nodes have
// 1-based positions in insertion order over the whole tree, which never change while the tree
// lives; the tree only ever grows or is cleared as a whole. It holds at most MaxNodes nodes.
//
// Finding a node by its text is indexed, with the same answer as a scan in position order.
class Catalogue final : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxNodes = 32767;

    explicit Catalogue(QObject *parent = nullptr);

    int count() const { return int(m_nodes.size()); }
    const CatalogueNode &node(int position) const { return m_nodes[size_t(position - 1)]; }
    bool isItem(int position) const { return node(position).image == NodeImage::Doc; }
    // The positions of a node's children in insertion order; of the nodes without a parent
    // for 0. Valid until the next node is added.
    std::span<const int> children(int position) const
    {
        const Children &list =
            position == 0 ? m_topLevel : m_childLists[size_t(node(position).children)];
        return {m_childPositions.data() + list.start, size_t(list.count)};
    }
    int childCount(int position) const { return int(children(position).size()); }
    // Makes room for this many nodes in all, so that a load of a known size grows the tree's
    // storage once.
    void reserve(int nodes);

    // Clears and rebuilds the tree, or (KeepNodes) makes many changes to it: views see one
    // reset when the outermost Rebuild ends instead of a change per node.
    class Rebuild final
    {
    public:
        enum Kind { ClearFirst, KeepNodes };
        explicit Rebuild(Catalogue &catalogue, Kind kind = ClearFirst);
        ~Rebuild();
        Q_DISABLE_COPY_MOVE(Rebuild)

    private:
        Catalogue &m_catalogue;
    };

    // Appends a node as the last child of parent (0: a top-level node). Returns its position,
    // or 0 when the tree is full. Outside a Rebuild views hear of the one node.
    int addNode(int parent, const QString &key, const QString &text, NodeImage image);

    void setText(int position, const QString &text);
    // A tick set here is the program's own: it raises no tick event.
    void setTicked(int position, bool ticked);
    void setExpanded(int position, bool expanded);

    // The first position whose text equals text exactly, 0 when none.
    int findFirst(const QString &text) const;
    // The next position after position with the same text, 0 when none; with findFirst, a
    // walk over every node of one text in position order.
    int findNext(int position) const { return node(position).nextWithSameText; }
    // The key a node was added with; only the root has one.
    QString key(int position) const { return m_keys.value(position); }
    // The name of the file a heading's items were read from, as "headings.txt" gives it.
    QString fileName(int position) const { return m_fileNames.value(position); }
    void setFileName(int position, const QString &name) { m_fileNames.insert(position, name); }
    // Grows with every change of the tree's texts or shape, so that what is made from them can
    // tell when it is out of date.
    quint64 textRevision() const { return m_textRevision; }

signals:
    void aboutToRebuild();
    void rebuilt();
    void nodeChanged(int position);
    // A tick changed outside a Rebuild, after nodeChanged.
    void tickChanged(int position);
    void nodeExpanded(int position);
    // A node added outside a Rebuild, as the last child (at row) of parent.
    void aboutToAddNode(int parent, int row);
    void nodeAdded(int position);

private:
    // A node's children: count positions from start in m_childPositions, with room for
    // capacity. A list that is full and not the last one moves to the end with twice the room.
    struct Children
    {
        int start = 0;
        int count = 0;
        int capacity = 0;
    };
    // The first and last position of one text, ends of a chain through the nodes; first is
    // 0 in a free slot.
    struct Chain
    {
        quint32 hash = 0;
        int first = 0;
        int last = 0;
    };

    void appendChild(Children &list, int position);
    void indexText(int position);
    void unindexText(int position);
    static quint32 hashOf(const QString &text);
    size_t slotOf(const QString &text, quint32 hash) const;
    void growIndex(size_t size);

    std::vector<CatalogueNode> m_nodes;
    std::vector<int> m_childPositions;
    // Entry 0 is the empty list of every node without children.
    std::vector<Children> m_childLists{Children()};
    Children m_topLevel;
    // Open addressing with linear probing over a power-of-two number of slots, at most half
    // of them used.
    std::vector<Chain> m_chains;
    size_t m_chainsUsed = 0;
    QHash<int, QString> m_keys;
    QHash<int, QString> m_fileNames;
    quint64 m_textRevision = 0;
    int m_rebuilding = 0; // depth of open Rebuilds
};
