#pragma once

#include "ScriptedPlatform.h"
#include "TestFolder.h"
#include "app/ShoppingWindow.h"

#include <QByteArray>
#include <QTreeView>

#include <memory>

// A main window over a temporary program folder with a small catalogue:
//   Dairy (caption "Dairy"): Milk, Butter, Milk
//   Fruit (caption "Fruit and Veg"): Apples, Pears, Milk
// Positions: 1 List, 2 Dairy, 3 Fruit and Veg, 4 Milk, 5 Butter, 6 Milk, 7 Apples, 8 Pears,
// 9 Milk.
struct WindowFixture
{
    explicit WindowFixture(bool withCatalogue = true);

    // Shows the window, makes it active (shortcuts need that) and runs the start-up.
    void start();

    TestFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<ShoppingWindow> window;
};

// The text of status bar panel n (1 to 3).
QString panel(const ShoppingWindow &window, int n);
// The window's catalogue tree ("tvShopping") or list ("lvList").
QTreeView *view(const ShoppingWindow &window, const char *name);
