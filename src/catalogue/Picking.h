#pragma once

#include "list/ShoppingList.h"

#include <QList>

class Catalogue;

// Where the catalogue meets the shopping list: picking items into the list, and ticking the
// items of a list that was read back.

// Adds the catalogue item at position to the list: a new row with quantity "1" and the item's
// heading as category, or, when a row with that item text is there already, that row's
// quantity raised by 1 (its item and category stay as they are).
void AddItemToList(const Catalogue &catalogue, int position, ShoppingList &list);

// Adds every item below the node at position: the items among its children in order, and the
// items of any heading among them. The walk of one node's children stops at the first child
// whose text is empty. Added items are not ticked.
void AddChildItems(const Catalogue &catalogue, int position, ShoppingList &list);

// For each row, ticks the first catalogue node, in position order, whose text is the row's item
// and whose parent's text is its category, and expands that parent. The program's own ticks:
// they add nothing to the list. A row whose item is ticked shares the node's text.
void TickListedItems(Catalogue &catalogue, QList<ListRow> &rows);
