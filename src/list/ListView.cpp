#include "ListView.h"

#include "ShoppingList.h"
#include "ShoppingListModel.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

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
    // The indicator shows only while the rows are in its order.
    auto hideIndicator = [this] { header()->setSortIndicatorShown(false); };
    connect(&list, &ShoppingList::rowsAppended, this, hideIndicator);
    connect(&list, &ShoppingList::rowsInserted, this, hideIndicator);
    connect(&list, &ShoppingList::rowsChanged, this, hideIndicator);
    connect(&list, &ShoppingList::cleared, this, hideIndicator);
}

void ListView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                           const QList<int> &roles)
{
    const int firstShown = std::max(indexAt(QPoint(0, 0)).row(), 0);
    const int lastShown = indexAt(QPoint(0, viewport()->height() - 1)).row();
    const int first = std::max(topLeft.row(), firstShown);
    const int last = lastShown < 0 ? bottomRight.row() : std::min(bottomRight.row(), lastShown);
    if (topLeft.row() == bottomRight.row() || first > last) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    QTreeView::dataChanged(topLeft.siblingAtRow(first), bottomRight.siblingAtRow(last), roles);
}

void ListView::selectCurrentRow()
{
    QModelIndex current = currentIndex();
    if (!current.isValid()) {
        current = model()->index(0, 0);
    }
    if (current.isValid()) {
        setCurrentIndex(current);
        selectionModel()->select(current,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void ListView::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    const bool byKey =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byKey && selectedRow() == 0) {
        selectCurrentRow();
    }
}

void ListView::keyPressEvent(QKeyEvent *event)
{
    QTreeView::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // The row the key lands on is selected, also when it was the current one already.
        if (event->modifiers() == Qt::NoModifier) {
            selectCurrentRow();
        }
        break;
    default:
        break;
    }
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
