#pragma once

#include <functional>

class QMainWindow;
class QString;

// The Index of each entry of the menu arrays, as their click handlers receive it; the gaps are
// separators.
namespace FileMenu {
enum Index { NewList = 0, Open = 1, SaveList = 2, PrintPreview = 4, Print = 5, Exit = 7 };
}
namespace ItemMenu {
enum Index { AddNewItem = 0, ChangeQuantity = 1, RemoveItem = 2, ShowTotals = 4 };
}
namespace HelpMenu {
enum Index { HowToUse = 0, About = 2 };
}
// The hidden print buttons, cmdPrint(0) and cmdPrint(1).
namespace PrintButton {
enum Index { Preview = 0, Printer = 1 };
}

// What the menus run: each array's click handler receives the entry's Index.
struct MenuCommands
{
    std::function<void(int)> file;
    std::function<void(int)> item;
    std::function<void(int)> help;
    std::function<void()> optionFont;
    std::function<void()> optionFontPrinter;
    std::function<void()> colorBack;
    std::function<void()> helpCatalog;
    std::function<void()> undo;
    std::function<void()> redo;
    std::function<void()> raiseQuantity;
    std::function<void()> lowerQuantity;
    std::function<void()> savePdf;
    std::function<void()> findInCatalogue;
    std::function<void()> addOtherItem;
    std::function<void()> copyListAsText;
};

// Builds the main window's menus: File, Edit, Item, Options and Help. Every entry is an action
// named as in the design ("mnuFile(1)" for an entry of an array, "mnuOptionFont" for one on its
// own), whose shortcut works wherever the focus is in the window, unless the entry names the
// control it works in.
void CreateMainMenus(QMainWindow &window, const MenuCommands &commands);

// Edit > Undo and Redo say what they would take back or make again; with nothing to, they are
// off.
void ShowUndoRedo(QMainWindow &window, const QString &undoName, const QString &redoName);
