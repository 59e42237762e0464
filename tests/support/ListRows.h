#pragma once

#include "list/ShoppingList.h"

#include <QStringList>

// Appends rows written as "quantity|item|category".
inline void appendRows(ShoppingList &list, const QStringList &rows)
{
    for (const QString &row : rows) {
        const QStringList cells = row.split(u'|');
        list.append({cells.value(0), cells.value(1), cells.value(2)});
    }
}

// The list's rows as "quantity|item|category", in display order, for comparing in tests.
inline QStringList rows(const ShoppingList &list)
{
    QStringList out;
    for (int p = 1; p <= list.count(); ++p) {
        out << list.row(p).quantity + u'|' + list.row(p).item + u'|' + list.row(p).category;
    }
    return out;
}
