#pragma once

class Catalogue;
class ShoppingList;

// Adds every item below the node at position: the items among its children in order, and the
// items of any heading among them. The walk of one node's children stops at the first child
// whose text is empty. Added items are not ticked.
void AddChildItems(const Catalogue &catalogue, int position, ShoppingList &list);
