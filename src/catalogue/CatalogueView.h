#pragma once

#include <QTreeView>

class Catalogue;
class CatalogueModel;

// tvShopping, the catalogue tree's view: every node with its tick box, headings expanded as
// the catalogue says. A mouse press selects the node under the pointer before anything else
// sees the press, so a drag or a double click always works on that node. Drags carry an icon
// of their own, the item's page image, instead of a picture of the row.
class CatalogueView final : public QTreeView
{
    Q_OBJECT

public:
    CatalogueView(Catalogue &catalogue, QWidget *parent = nullptr);

    // The position of the selected node, 0 when none.
    int selectedNode() const;
    // Selects the node, opening the headings above it, and scrolls it into view.
    void showNode(int position);

signals:
    // The user ticked or unticked the node at position.
    void nodeCheck(int position);
    // A double click anywhere in the tree.
    void dblClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    void expandAsCatalogue();

    Catalogue &m_catalogue;
    CatalogueModel *m_model = nullptr;
};
