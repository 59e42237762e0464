#pragma once

#include <QTreeView>

class ShoppingList;

// lvList, the shopping list's report view: Quantity, Item and Category, whole rows selected,
// column headers to click. It takes drops from the catalogue tree, and a double click anywhere
// in it is its own event. When the selected row is removed nothing is selected afterwards: the
// view would select a neighbour, and a second Del would remove a row the user never chose.
class ListView final : public QTreeView
{
    Q_OBJECT

public:
    ListView(ShoppingList &list, QWidget *parent = nullptr);

    // The position of the selected row, 0 when none.
    int selectedRow() const;
    // A click on a column header: the other direction than the last click's, whatever column
    // that was, shown on the header until rows are added or changed. Starts descending.
    Qt::SortOrder flipSortIndicator(int column);

signals:
    // Something was dropped on the list; what it was does not matter.
    void oleDragDrop();
    void dblClick();

protected:
    // Rows changed out of sight are drawn when they come into view: only those on the screen
    // are drawn again now. (A heading's thousands of items raised at once would otherwise have
    // the view work out the area of every one of them.)
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Moving the focus onto a row by the keyboard selects it: Tab into the list, and Home, End,
    // the arrows and the page keys.
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void selectCurrentRow();

    bool m_selectionRemoved = false;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
