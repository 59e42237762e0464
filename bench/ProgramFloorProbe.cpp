// The honest floor for start-up: an empty main window made of the program's own widgets — its
// menus, captions, catalogue tree, find field, list view and status panels, in the same fonts —
// shown, its first events run, then the process ends. It reads no settings and no catalogue:
// what the program's start-up costs beyond this is its own work.
#include "ReportReady.h"
#include "app/FormLayout.h"
#include "app/MainMenu.h"
#include "app/StatusPanels.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueView.h"
#include "list/ListView.h"
#include "list/ShoppingList.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    Catalogue catalogue;
    ShoppingList list;
    QMainWindow window;
    window.setWindowIcon(QIcon(QStringLiteral(":/icons/shopping.png")));
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    for (const auto &[caption, x] :
         {std::pair{" Pick from this List of Items", 2}, std::pair{" Todays Shopping List", 284}}) {
        auto *label = new QLabel(QString::fromLatin1(caption), client);
        label->setFont(DesignFont(QStringLiteral("Comic Sans MS"), 14.25));
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setGeometry(x, 2, 275, 25);
    }
    const QFont listFont = DesignFont(QStringLiteral("MS Sans Serif"), 9.75);
    auto *tree = new CatalogueView(catalogue, client);
    tree->setFont(listFont);
    tree->setGeometry(2, 32, 275, 281);
    auto *find = new QLineEdit(client);
    find->setFont(listFont);
    find->hide();
    auto *listView = new ListView(list, client);
    listView->setFont(listFont);
    listView->setGeometry(284, 32, 289, 281);
    CreateMainMenus(window, {});
    new StatusPanels(*window.statusBar(), 315);
    window.resize(628, 380);
    window.show();
    QCoreApplication::processEvents();
    reportReadyAndEnd();
}
