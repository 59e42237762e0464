#pragma once

#include <QString>

class Catalogue;
class ShoppingList;

// The position of the first row, in display order, whose item text equals item exactly;
// 0 when there is none.
int FindListItem(const QString &item, const ShoppingList &list);

// Adds the catalogue item at position to the list: a new row with quantity "1" and the item's
// heading as category, or, when a row with that item text is there already, that row's
// quantity raised by 1 (its item and category stay as they are).
void AddItemToList(const Catalogue &catalogue, int position, ShoppingList &list);

// The numbers of the status bar: the total quantity, rounded to a whole number after every
// addition (halves to even, so the total depends on the order of the rows), and the rows.
struct ListTotals
{
    double total = 0;
    int rows = 0;
};
ListTotals ComputeTotals(const ShoppingList &list);

QString TotalQuantityText(double total); // status bar panel 2
QString RowCountText(int rows);          // status bar panel 3
