#pragma once

#include "ScriptedPlatform.h"
#include "TestFolder.h"
#include "app/ShoppingWindow.h"
#include "catalogue/CatalogueView.h"
#include "list/ListView.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

// The main window over a temporary program folder, driven as a user drives it: commands by
// their menu actions, ticks, clicks and drops as the views get them, dialogs answered by the
// scripted platform. The small catalogue it lays out unless told not to:
//   Dairy (caption "Dairy"): Milk, Butter, Milk
//   Fruit (caption "Fruit and Veg"): Apples, Pears, Milk
// Positions: 1 List, 2 Dairy, 3 Fruit and Veg, 4 Milk, 5 Butter, 6 Milk, 7 Apples, 8 Pears,
// 9 Milk.
struct WindowSession
{
    enum CatalogueFiles { WithCatalogue, WithoutCatalogue };
    explicit WindowSession(CatalogueFiles files = WithCatalogue);

    // Shows the window, makes it active (shortcuts need that) and runs the start-up.
    void start();

    // Runs the action of that object name ("mnuFile(1)", "optColorBack"), as its menu entry does.
    void trigger(const QString &action);
    // Open and Save List with the file dialog answered by the file of that name in the folder.
    void open(const QString &name) { fileCommand(u"mnuFile(1)"_qs, name); }
    void save(const QString &name) { fileCommand(u"mnuFile(2)"_qs, name); }
    void fileCommand(const QString &action, const QString &name);
    // Closes the window as the user does, so that the settings are written, and reads a file of
    // the folder (the settings file unless told otherwise).
    QByteArray closeAndRead(const QString &name = QStringLiteral("shopping.ini"));

    CatalogueView &tree() const { return *window->findChild<CatalogueView *>(u"tvShopping"_qs); }
    ListView &listView() const { return *window->findChild<ListView *>(u"lvList"_qs); }
    Catalogue &catalogue() const { return window->catalogue(); }
    ShoppingList &list() const { return window->list(); }
    // The text of status bar panel n (1 to 3).
    QString panel(int n) const;

    // The user's own tick or untick of the node's box.
    void tick(int position, bool ticked);
    // A click on the node (a double click when twice), and a click on the list's row.
    void clickNode(int position, bool twice = false);
    void clickRow(int row);
    // A drag of some text entering the list and dropped there; true when the list took it.
    bool dropOnList(const QString &text);

    TestFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<ShoppingWindow> window;
};

// Appends rows written as "quantity|item|category".
void appendRows(ShoppingList &list, const QStringList &rows);
// The list's rows as "quantity|item|category", in display order.
QStringList rows(const ShoppingList &list);
