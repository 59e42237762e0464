#include "ListView.h"

#include "ShoppingList.h"
#include "ShoppingListModel.h"

#include <QDropEvent>
#include <QHeaderView>

ListView::ListView(ShoppingList &list, QWidget *parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("lvList"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // Connected before the model is made, so that the selection is seen before the view moves it.
    connect(&list, &ShoppingList::rowsAboutToBeRemoved, this, [this](int first, int last) {
        const int row = selectedRow();
        m_selectionRemoved = row >= first && row <= last;
    });
    connect(&list, &ShoppingList::rowsRemoved, this, [this] {
        if (m_selectionRemoved) {
            selectionModel()->clearSelection();
        }
    });
    setModel(new ShoppingListModel(list, this));
}

int ListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? 0 : selected.constFirst().row() + 1;
}

Qt::SortOrder ListView::flipSortIndicator(int column)
{
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, m_sortOrder);
    return m_sortOrder;
}

void ListView::dragEnterEvent(QDragEnterEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void ListView::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void ListView::dropEvent(QDropEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit oleDragDrop();
}

void ListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit dblClick();
}
