#pragma once

#include "config/PrinterFontSettings.h"
#include "list/ShoppingList.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QDate;

class DrawingSurface;

// Empties table, then stores each distinct non-empty text of the column (quantity, item or
// category), in list order of first occurrence, and returns how many it stored. The table
// always ends with one empty entry after the stored ones.
int GetUniqueColumnValues(const ShoppingList &list, ShoppingList::Column column,
                          QStringList &table);

// The printout's sections in the order printed: the distinct non-empty categories in order of
// first occurrence, then an empty heading for the rows without a category. rows[k] holds the
// positions, in list order, of the rows under headings[k].
struct PrintoutSections
{
    QStringList headings;
    std::vector<std::vector<int>> rows;
};
PrintoutSections GroupByCategory(const ShoppingList &list);

// The title line: "Shopping List for " and the date in the system's short format.
QString PrintoutTitle(const QDate &date);
// A row's line: its item alone when the trimmed quantity is "1", otherwise the item and
// " ( x" quantity " )".
QString PrintoutRowLine(const ListRow &row);

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
