#pragma once

#include <QString>

class ShoppingList;
struct ListRow;

// The position of the first row, in display order, whose item text equals item exactly;
// 0 when there is none.
int FindListItem(const QString &item, const ShoppingList &list);

// Raises the row's quantity by one (by 1) as a repeated pick does, or lowers it by one (by -1),
// written in its shortest form; a row lowered to 0 or below is removed.
void ChangeQuantityBy(ShoppingList &list, int position, int by);

// Adds a row that does not come from a catalogue node, as a pick does: appended, or, when a row
// with that item text is there already, that row's quantity raised by the new row's (its item
// and category stay as they are).
void AddOtherItemToList(const ListRow &row, ShoppingList &list);

// The numbers of the status bar: the total quantity, the exact sum of the rows' leading
// numbers rounded once to a whole number (halves to even), whatever the rows' order; and the
// number of rows.
struct ListTotals
{
    double total = 0;
    int rows = 0;
};
ListTotals ComputeTotals(const ShoppingList &list);

QString TotalQuantityText(double total); // status bar panel 2
QString RowCountText(int rows);          // status bar panel 3
