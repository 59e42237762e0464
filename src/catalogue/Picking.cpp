#include "Picking.h"

#include "Catalogue.h"
#include "list/ListOperations.h"
#include "list/ShoppingList.h"

void AddChildItems(const Catalogue &catalogue, int position, ShoppingList &list)
{
    for (const int child : catalogue.node(position).children) {
        if (catalogue.node(child).text.isEmpty()) {
            return;
        }
        if (catalogue.isItem(child)) {
            AddItemToList(catalogue, child, list);
        } else {
            AddChildItems(catalogue, child, list);
        }
    }
}
