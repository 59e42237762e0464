#pragma once

#include "list/ShoppingList.h"

#include <optional>

class Catalogue;
class Platform;

// Add Other Item, up to the row the main window adds: asks for an item that is not in the
// catalogue, proposing quantity 1 and the category of the tree's selected node, and, when the
// user ticks it, keeps the item in the catalogue (KeepItemInCatalogue). What cannot be taken,
// a failed write included, is told (nothing has changed) and asked again with the user's
// answer. The row to add, nothing when the user cancelled; keptNode gets the item's node when
// it was kept, else 0.
std::optional<ListRow> AskOtherItem(Platform &platform, Catalogue &catalogue,
                                    const QString &catalogueFolder, int selectedNode,
                                    int &keptNode);
