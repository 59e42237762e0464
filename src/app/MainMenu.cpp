#include "MainMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

namespace {

struct MenuEntry
{
    const char *name; // the object name; entries of a menu array carry their index
    int index;        // -1 for an entry that is not part of an array
    const char *caption;
    QKeySequence shortcut;
    std::function<void()> MenuCommands::*single = nullptr; // the command of an entry on its own
    QKeySequence alternative = {};
    const char *control = nullptr; // the shortcut works only while this control has the focus
};

struct Menu
{
    const char *name;
    const char *caption;
    QList<MenuEntry> entries;
    std::function<void(int)> MenuCommands::*array = nullptr; // the click handler of the array
};

QList<Menu> menuTable()
{
    const QKeySequence none;
    return {
        {"mnuFileMain",
         "&File",
         {{"mnuFile", FileMenu::NewList, "&New List", QKeySequence(Qt::CTRL | Qt::Key_N)},
          {"mnuFile", FileMenu::Open, "&Open", QKeySequence(Qt::CTRL | Qt::Key_O)},
          {"mnuFile", FileMenu::SaveList, "&Save List", QKeySequence(Qt::CTRL | Qt::Key_S)},
          {"mnuFile", 3, "-", none},
          {"mnuFile", FileMenu::PrintPreview, "Print Preview", QKeySequence(Qt::CTRL | Qt::Key_V)},
          {"mnuFile", FileMenu::Print, "Print", QKeySequence(Qt::CTRL | Qt::Key_P)},
          {"mnuFilePdf", -1, "Save as P&DF...", none, &MenuCommands::savePdf},
          {"mnuFile", 6, "-", none},
          {"mnuFile", FileMenu::Exit, "E&xit", none}},
         &MenuCommands::file},
        {"mnuEditMain",
         "&Edit",
         {{"mnuEditUndo", -1, "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), &MenuCommands::undo},
          {"mnuEditRedo", -1, "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y), &MenuCommands::redo,
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
          {"mnuEditDummy", -1, "-", none},
          {"mnuEditRaise", -1, "Raise Quantity by One", QKeySequence(Qt::Key_Plus),
           &MenuCommands::raiseQuantity, none, "lvList"},
          {"mnuEditLower", -1, "Lower Quantity by One", QKeySequence(Qt::Key_Minus),
           &MenuCommands::lowerQuantity, none, "lvList"},
          {"mnuEditDummy2", -1, "-", none},
          {"mnuEditFind", -1, "&Find in Catalogue", QKeySequence(Qt::CTRL | Qt::Key_K),
           &MenuCommands::findInCatalogue},
          {"mnuEditAddOther", -1, "Add &Other Item...",
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert), &MenuCommands::addOtherItem},
          {"mnuEditCopyText", -1, "&Copy List as Text",
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &MenuCommands::copyListAsText}}},
        {"mnuItemMain",
         "&Item",
         {{"mnuItem", ItemMenu::AddNewItem, "Add New item ",
           QKeySequence(Qt::CTRL | Qt::Key_Insert)},
          {"mnuItem", ItemMenu::ChangeQuantity, "Change Quantity of item in list",
           QKeySequence(Qt::Key_F2)},
          {"mnuItem", ItemMenu::RemoveItem, "Remove Item from List", QKeySequence(Qt::Key_Delete)},
          {"mnuItem", 3, "-", none},
          {"mnuItem", ItemMenu::ShowTotals, "Show Totals", none}},
         &MenuCommands::item},
        {"mnuOptionsMain",
         "&Options",
         {{"mnuOptionFont", -1, "Choose Screen &Font ...", QKeySequence(Qt::CTRL | Qt::Key_F),
           &MenuCommands::optionFont},
          {"mnuOptionFontPrinter", -1, "Choose Printer F&ont...",
           QKeySequence(Qt::CTRL | Qt::Key_G), &MenuCommands::optionFontPrinter},
          {"mnuOptionDummy", -1, "-", none},
          {"optColorBack", -1, "Choose Background Colour for List...",
           QKeySequence(Qt::CTRL | Qt::Key_B), &MenuCommands::colorBack}}},
        {"mnuHelpMain",
         "&Help",
         {{"mnuHelp", HelpMenu::HowToUse, "How to use this program", QKeySequence(Qt::Key_F1)},
          {"mnuHelp", 1, "-", none},
          {"mnuHelp", HelpMenu::About, "&About", QKeySequence(Qt::SHIFT | Qt::Key_F1)},
          {"mnuDum4", -1, "-", none},
          {"mnuHelpCatalog", -1, "Other Products from Torvy Software...", none,
           &MenuCommands::helpCatalog}},
         &MenuCommands::help},
    };
}

} // namespace

void CreateMainMenus(QMainWindow &window, const MenuCommands &commands)
{
    for (const Menu &menu : menuTable()) {
        QMenu *qmenu = window.menuBar()->addMenu(QString::fromLatin1(menu.caption));
        qmenu->setObjectName(QString::fromLatin1(menu.name));
        for (const MenuEntry &entry : menu.entries) {
            const QString caption = QString::fromLatin1(entry.caption);
            QString name = QString::fromLatin1(entry.name);
            if (entry.index >= 0) {
                name += u'(' + QString::number(entry.index) + u')';
            }
            QAction *action = caption == u"-" ? qmenu->addSeparator() : qmenu->addAction(caption);
            action->setObjectName(name);
            action->setShortcut(entry.shortcut);
            if (!entry.alternative.isEmpty()) {
                action->setShortcuts({entry.shortcut, entry.alternative});
            }
            if (entry.control != nullptr) {
                action->setShortcutContext(Qt::WidgetShortcut);
                window.findChild<QWidget *>(QString::fromLatin1(entry.control))->addAction(action);
            } else {
                action->setShortcutContext(Qt::WindowShortcut);
                window.addAction(action); // shortcuts work wherever the focus is in the window
            }
            if (entry.index >= 0 && menu.array != nullptr) {
                const auto handler = commands.*menu.array;
                const int index = entry.index;
                QObject::connect(action, &QAction::triggered, &window,
                                 [handler, index] { handler(index); });
            } else if (entry.single != nullptr) {
                QObject::connect(action, &QAction::triggered, &window, commands.*entry.single);
            }
        }
    }
    // The Item menu's separator and "Show Totals" are switched off in the design.
    for (const char *name : {"mnuItem(3)", "mnuItem(4)"}) {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
        action->setVisible(false);
        action->setEnabled(false);
    }
}

void ShowUndoRedo(QMainWindow &window, const QString &undoName, const QString &redoName)
{
    auto show = [&window](const char *name, const QString &caption, QString step) {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
        action->setEnabled(!step.isEmpty());
        action->setText(step.isEmpty() ? caption
                                       : caption + u' ' + step.replace(u"&"_qs, u"&&"_qs));
    };
    show("mnuEditUndo", QStringLiteral("&Undo"), undoName);
    show("mnuEditRedo", QStringLiteral("&Redo"), redoName);
}
