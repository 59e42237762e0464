#pragma once

#include <QAbstractTableModel>

class ShoppingList;

// Shows the shopping list in a report view: Quantity, Item and Category. Row r of the model
// is the list's position r + 1.
class ShoppingListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ShoppingListModel(ShoppingList &list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    ShoppingList &m_list;
    // The rows announced to views so far: rows are appended to the list before the model
    // hears of them, so views must not see them earlier.
    int m_rows = 0;
};
