#pragma once

#include "ListIndex.h"

#include <QList>
#include <QObject>
#include <QString>

#include <vector>

// One row of the shopping list. All three are free text; the item text is the row's identity.
struct ListRow
{
    QString quantity;
    QString item;
    QString category;
};
Q_DECLARE_TYPEINFO(ListRow, Q_RELOCATABLE_TYPE);

// The shopping list: rows with 1-based positions in display order. Finding a row by its item
// text is indexed, with the same answer as a scan from the first row.
//
// Views follow through the signals. Changes made inside a Batch are announced once, when the
// outermost Batch ends: rows appended and rows changed, each as one range. One observer (the
// undo history) hears of every change at once, while what it replaces can still be read.
class ShoppingList final : public QObject
{
    Q_OBJECT

public:
    enum Column { QuantityColumn = 0, ItemColumn = 1, CategoryColumn = 2 };

    class Observer
    {
    public:
        virtual void inserted(int first, int last) = 0;      // the rows are in place
        virtual void aboutToRemove(int first, int last) = 0; // the rows are still there
        virtual void aboutToSetQuantity(int position, const QString &quantity) = 0;
        virtual void reordered(const QList<int> &newPosition) = 0;
        virtual void madeUnchanged() = 0;

    protected:
        ~Observer() = default;
    };

    explicit ShoppingList(QObject *parent = nullptr);
    void setObserver(Observer *observer) { m_observer = observer; }

    int count() const { return int(m_rows.size()); }
    const ListRow &row(int position) const { return m_rows[position - 1]; }
    const QList<ListRow> &rows() const { return m_rows; }
    // The leading-number value of the row's quantity.
    double quantityValue(int position) const { return m_values[size_t(position - 1)]; }

    // Changed: rows or their order changed since the list was last made, opened or saved.
    // An empty list is never changed.
    bool isChanged() const { return m_changed && !m_rows.isEmpty(); }
    void setUnchanged();

    // The first position whose item text equals item exactly, 0 when none.
    int find(const QString &item) const;

    void append(const ListRow &row);
    // Appends many rows at once; taken over whole when the list is empty.
    void append(QList<ListRow> &&rows);
    // Inserts rows before position; count() + 1 appends them.
    void insert(int position, QList<ListRow> rows);
    void remove(int position, int rows = 1);
    void setQuantity(int position, const QString &quantity);
    void clear();
    // Reorders the rows themselves by the text of a column; rows that compare equal keep
    // their order. Letter case is ignored first and decides only ties.
    void sort(Column column, Qt::SortOrder order);
    // Moves each row to newPosition[its position - 1].
    void reorder(const QList<int> &newPosition);

    class Batch final
    {
    public:
        explicit Batch(ShoppingList &list);
        ~Batch();
        Q_DISABLE_COPY_MOVE(Batch)

    private:
        ShoppingList &m_list;
    };

signals:
    void rowsAppended(int first, int last);
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted();
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved();
    void rowsChanged(int first, int last);
    void aboutToClear();
    void cleared();
    void aboutToSort();
    // newPosition[old position - 1] is the row's position after the sort.
    void sorted(const QList<int> &newPosition);

private:
    void flushBatch();

    QList<ListRow> m_rows;
    std::vector<double> m_values;
    ListIndex m_index; // first position of each item text
    Observer *m_observer = nullptr;
    bool m_changed = false;
    int m_batchDepth = 0;
    int m_batchFirstNew = 0;     // first position appended in the batch, 0 when none
    int m_batchChangedFirst = 0; // range of positions changed in the batch, 0 when none
    int m_batchChangedLast = 0;
};
