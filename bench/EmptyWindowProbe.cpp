// The floor for start-up: an empty main window with two views, a status bar and four menus,
// shown, its first events run, then the process ends.
#include "ReportReady.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeView>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    auto *tree = new QTreeView(client);
    tree->setGeometry(2, 32, 275, 281);
    auto *list = new QTreeView(client);
    list->setGeometry(284, 32, 289, 281);
    for (const char *menu : {"&File", "&Item", "&Options", "&Help"}) {
        window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("x"));
    }
    for (int i = 0; i < 5; ++i) {
        window.statusBar()->addWidget(new QLabel(QStringLiteral("panel"), window.statusBar()));
    }
    window.resize(628, 380);
    window.show();
    QCoreApplication::processEvents();
    reportReadyAndEnd();
}
