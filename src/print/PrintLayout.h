#pragma once

#include "config/PrinterFontSettings.h"
#include "list/ShoppingList.h"

#include <QString>
#include <QStringList>

#include <optional>

class DrawingSurface;

// Empties table, then stores each distinct non-empty text of the column (quantity, item or
// category), in list order of first occurrence, and returns how many it stored. The table
// always ends with one empty entry after the stored ones.
int GetUniqueColumnValues(const ShoppingList &list, ShoppingList::Column column,
                          QStringList &table);

// Lays the whole list out on the surface: a title line with today's date, then one section
// per category in order of first occurrence, the last one (under an empty heading) holding
// the rows without a category. Columns are a fifth of the drawable width; on the printer a
// sixth column starts a new page, on a preview the overflow is only marked.
//
// Neither starts nor ends a print job. Once the first row has been looked at, a failing step
// is skipped and the layout goes on; a failure before that ends the layout, and its message
// is returned.
std::optional<QString> PrintShoppingList(DrawingSurface &surface, const ShoppingList &list,
                                         const PrinterFontSettings &settings);
