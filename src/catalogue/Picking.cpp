#include "Picking.h"

#include "Catalogue.h"
#include "list/ListOperations.h"

namespace {

// The position of the node ticked for one row, 0 when none.
int tickCatalogueItem(Catalogue &catalogue, const QString &category, const QString &item)
{
    for (int position = catalogue.findFirst(item); position != 0;
         position = catalogue.findNext(position)) {
        const int parent = catalogue.node(position).parent;
        if (parent != 0 && catalogue.node(parent).text == category) {
            catalogue.setTicked(position, true);
            catalogue.setExpanded(parent, true);
            return position;
        }
    }
    return 0;
}

} // namespace

void AddItemToList(const Catalogue &catalogue, int position, ShoppingList &list)
{
    const CatalogueNode &node = catalogue.node(position);
    const int row = FindListItem(node.text, list);
    if (row < 1) {
        const QString category = node.parent == 0 ? QString() : catalogue.node(node.parent).text;
        list.append({QStringLiteral("1"), node.text, category});
        return;
    }
    ChangeQuantityBy(list, row, 1);
}

void AddChildItems(const Catalogue &catalogue, int position, ShoppingList &list)
{
    for (const int child : catalogue.children(position)) {
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

void TickListedItems(Catalogue &catalogue, QList<ListRow> &rows)
{
    for (ListRow &row : rows) {
        const int node = tickCatalogueItem(catalogue, row.category, row.item);
        if (node != 0) {
            row.item = catalogue.node(node).text; // the same text, shared
        }
    }
}
