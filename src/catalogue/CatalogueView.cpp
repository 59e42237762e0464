#include "CatalogueView.h"

#include "Catalogue.h"
#include "CatalogueModel.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

CatalogueView::CatalogueView(Catalogue &catalogue, QWidget *parent)
    : QTreeView(parent), m_catalogue(catalogue), m_model(new CatalogueModel(catalogue, this))
{
    setObjectName(QStringLiteral("tvShopping"));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setModel(m_model);

    connect(m_model, &CatalogueModel::nodeCheck, this, &CatalogueView::nodeCheck);
    connect(&m_catalogue, &Catalogue::nodeExpanded, this,
            [this](int position) { expand(m_model->indexOf(position)); });
    connect(&m_catalogue, &Catalogue::rebuilt, this, &CatalogueView::expandAsCatalogue);
}

int CatalogueView::selectedNode() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? 0 : m_model->positionOf(selected.constFirst());
}

void CatalogueView::showNode(int position)
{
    const QModelIndex index = m_model->indexOf(position);
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
        expand(above);
    }
    setCurrentIndex(index);
    scrollTo(index);
}

void CatalogueView::expandAsCatalogue()
{
    // Only the root and headings have children to show, and they all come before the first item.
    for (int position = 1; position <= m_catalogue.count(); ++position) {
        const CatalogueNode &node = m_catalogue.node(position);
        if (node.children == 0 && node.parent > 1) {
            break;
        }
        if (node.expanded) {
            expand(m_model->indexOf(position));
        }
    }
}

void CatalogueView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        // The empty space below the nodes keeps the selected node, for a double click there
        // and for Ctrl+Insert.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    setCurrentIndex(index);
    QTreeView::mousePressEvent(event);
}

void CatalogueView::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit dblClick();
    QTreeView::mouseDoubleClickEvent(event);
}

void CatalogueView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndexList dragged = selectedIndexes();
    if (dragged.isEmpty()) {
        return;
    }
    auto *drag = new QDrag(this);
    drag->setMimeData(m_model->mimeData(dragged));
    drag->setPixmap(TreeImages::doc().pixmap(32, 32));
    drag->setHotSpot(QPoint(8, 8));
    drag->exec(supportedActions, Qt::CopyAction);
}
