#pragma once

#include "list/ShoppingList.h"

#include <QStringList>

// The list's rows as "quantity|item|category", in display order, for comparing in tests.
inline QStringList rows(const ShoppingList &list)
{
    QStringList out;
    for (int p = 1; p <= list.count(); ++p) {
        out << list.row(p).quantity + u'|' + list.row(p).item + u'|' + list.row(p).category;
    }
    return out;
}
