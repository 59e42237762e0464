#include "ShoppingListModel.h"

#include "ShoppingList.h"

ShoppingListModel::ShoppingListModel(ShoppingList &list, QObject *parent)
    : QAbstractTableModel(parent), m_list(list), m_rows(list.count())
{
    connect(&m_list, &ShoppingList::rowsAppended, this, [this](int, int last) {
        beginInsertRows({}, m_rows, last - 1);
        m_rows = last;
        endInsertRows();
    });
    connect(&m_list, &ShoppingList::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first - 1, last - 1); });
    connect(&m_list, &ShoppingList::rowsInserted, this, [this] {
        m_rows = m_list.count();
        endInsertRows();
    });
    connect(&m_list, &ShoppingList::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first - 1, last - 1); });
    connect(&m_list, &ShoppingList::rowsRemoved, this, [this] {
        m_rows = m_list.count();
        endRemoveRows();
    });
    connect(&m_list, &ShoppingList::rowsChanged, this, [this](int first, int last) {
        emit dataChanged(index(first - 1, 0), index(last - 1, columnCount() - 1));
    });
    connect(&m_list, &ShoppingList::aboutToClear, this, &ShoppingListModel::beginResetModel);
    connect(&m_list, &ShoppingList::cleared, this, [this] {
        m_rows = 0;
        endResetModel();
    });
    connect(&m_list, &ShoppingList::aboutToSort, this,
            [this] { emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint); });
    connect(&m_list, &ShoppingList::sorted, this, [this](const QList<int> &newPosition) {
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex &old : before) {
            after.append(index(newPosition[old.row()] - 1, old.column()));
        }
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    });
}

int ShoppingListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ShoppingListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant ShoppingListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole) {
        return {};
    }
    const ListRow &row = m_list.row(index.row() + 1);
    switch (index.column()) {
    case ShoppingList::QuantityColumn:
        return row.quantity;
    case ShoppingList::ItemColumn:
        return row.item;
    default:
        return row.category;
    }
}

QVariant ShoppingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case ShoppingList::QuantityColumn:
        return QStringLiteral("Quantity");
    case ShoppingList::ItemColumn:
        return QStringLiteral("Item");
    case ShoppingList::CategoryColumn:
        return QStringLiteral("Category");
    default:
        return {};
    }
}

Qt::ItemFlags ShoppingListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    // A flat list: saying so spares the view a question about children for every row.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled |
           Qt::ItemNeverHasChildren;
}
