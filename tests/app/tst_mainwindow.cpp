#include "app/FormLayout.h"
#include "app/HelpText.h"
#include "catalogue/Catalogue.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void resizeRule_data();
    void resizeRule();
    void helpText();
    void menuTable_data();
    void menuTable();
    void menusInOrder();
    void statusBarPanels();
    void controlsAsDesigned();
    void helpShortcutWorksWhereverTheFocusIs();
    void missingHeadingsIsToldAndTheProgramGoesOn();
    void listIsHiddenUntilStartUpEnds();
};

void TestMainWindow::resizeRule_data()
{
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("treeHeight");
    QTest::addColumn<float>("listWidth");
    // Design sizes: tree and list 4215 high, list 4335 wide, its label 4335.
    QTest::newRow("design inner area") << 5280.f << 9420.f << 4465.f << 5010.f;
    QTest::newRow("minimised") << 0.f << 0.f << 4215.f << 4335.f;
    QTest::newRow("height 3000 keeps") << 3000.f << 9420.f << 4215.f << 5010.f;
    QTest::newRow("height 3001 sets") << 3001.f << 9420.f << 2186.f << 5010.f;
    QTest::newRow("width 5160 keeps") << 5280.f << 5160.f << 4465.f << 4335.f;
    QTest::newRow("width 5161 sets") << 5280.f << 5161.f << 4465.f << 751.f;
}

void TestMainWindow::resizeRule()
{
    QFETCH(float, height);
    QFETCH(float, width);
    QFETCH(float, treeHeight);
    QFETCH(float, listWidth);
    FormLayout layout;
    ApplyResizeRule(layout, height, width);
    QCOMPARE(layout.tvShopping.height, treeHeight);
    QCOMPARE(layout.lvList.height, treeHeight);
    QCOMPARE(layout.lvList.width, listWidth);
    QCOMPARE(layout.lblListView.width, listWidth);
    // Never changed by the rule.
    QCOMPARE(layout.tvShopping.width, 4125.f);
    QCOMPARE(layout.lblTreeView.width, 4125.f);
    QCOMPARE(layout.lblListView.height, 495.f);
}

void TestMainWindow::helpText()
{
    const QString text = HowToUseText();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 17); // 16 lines and the empty rest after the final line break
    QCOMPARE(lines[0], QStringLiteral("   To Add To This List"));
    QCOMPARE(lines[1], QStringLiteral("   ") + QString(51, u'-'));
    QCOMPARE(lines[2], QStringLiteral("1. Drag and drop from List of items, or "));
    QCOMPARE(lines[5], QString());
    QCOMPARE(lines[7], QString(54, u'-'));
    QCOMPARE(lines[8], QStringLiteral("1. Select the item and Press the Delete key , or"));
    QCOMPARE(lines[14], QStringLiteral("main file  'HEADINGS.TXT'"));
    QCOMPARE(lines[15], QString());
    QCOMPARE(lines[16], QString());
    QVERIFY(!text.contains(QStringLiteral("\n\n")));
}

void TestMainWindow::menuTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("choosable");
    const QKeySequence none;
    QTest::newRow("new") << "mnuFile(0)"
                         << "&New List" << QKeySequence("Ctrl+N") << true;
    QTest::newRow("open") << "mnuFile(1)"
                          << "&Open" << QKeySequence("Ctrl+O") << true;
    QTest::newRow("save") << "mnuFile(2)"
                          << "&Save List" << QKeySequence("Ctrl+S") << true;
    QTest::newRow("preview") << "mnuFile(4)"
                             << "Print Preview" << QKeySequence("Ctrl+V") << true;
    QTest::newRow("print") << "mnuFile(5)"
                           << "Print" << QKeySequence("Ctrl+P") << true;
    QTest::newRow("exit") << "mnuFile(7)"
                          << "E&xit" << none << true;
    QTest::newRow("add") << "mnuItem(0)"
                         << "Add New item " << QKeySequence("Ctrl+Ins") << true;
    QTest::newRow("quantity") << "mnuItem(1)"
                              << "Change Quantity of item in list" << QKeySequence("F2") << true;
    QTest::newRow("remove") << "mnuItem(2)"
                            << "Remove Item from List" << QKeySequence("Del") << true;
    QTest::newRow("item separator") << "mnuItem(3)"
                                    << "" << none << false;
    QTest::newRow("show totals") << "mnuItem(4)"
                                 << "Show Totals" << none << false;
    QTest::newRow("screen font") << "mnuOptionFont"
                                 << "Choose Screen &Font ..." << QKeySequence("Ctrl+F") << true;
    QTest::newRow("printer font") << "mnuOptionFontPrinter"
                                  << "Choose Printer F&ont..." << QKeySequence("Ctrl+G") << true;
    QTest::newRow("background") << "optColorBack"
                                << "Choose Background Colour for List..." << QKeySequence("Ctrl+B")
                                << true;
    QTest::newRow("how to") << "mnuHelp(0)"
                            << "How to use this program" << QKeySequence("F1") << true;
    QTest::newRow("about") << "mnuHelp(2)"
                           << "&About" << QKeySequence("Shift+F1") << true;
    QTest::newRow("products") << "mnuHelpCatalog"
                              << "Other Products from Torvy Software..." << none << true;
}

void TestMainWindow::menuTable()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, choosable);
    WindowFixture fixture;
    auto *action = fixture.window->findChild<QAction *>(name);
    QVERIFY2(action != nullptr, qPrintable(name));
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(action->isEnabled() && action->isVisible(), choosable);
}

void TestMainWindow::menusInOrder()
{
    WindowFixture fixture;
    QStringList titles;
    for (QAction *action : fixture.window->menuBar()->actions()) {
        titles << action->text();
    }
    QCOMPARE(titles, QStringList({"&File", "&Item", "&Options", "&Help"}));
    auto *file = fixture.window->findChild<QMenu *>(QStringLiteral("mnuFileMain"));
    QStringList names;
    for (QAction *action : file->actions()) {
        names << action->objectName() + (action->isSeparator() ? QStringLiteral(" -") : QString());
    }
    QCOMPARE(names, QStringList({"mnuFile(0)", "mnuFile(1)", "mnuFile(2)", "mnuFile(3) -",
                                 "mnuFile(4)", "mnuFile(5)", "mnuFile(6) -", "mnuFile(7)"}));
}

void TestMainWindow::statusBarPanels()
{
    WindowFixture fixture;
    QStatusBar *bar = fixture.window->statusBar();
    QCOMPARE(bar->objectName(), QStringLiteral("sbStatusBar"));
    auto panel = [bar](int n) {
        return bar->findChild<QLabel *>(QStringLiteral("panel%1").arg(n));
    };
    QCOMPARE(panel(1)->text(), QStringLiteral("Welcome to the Shopping List"));
    QCOMPARE(panel(2)->text(), QStringLiteral("0 items"));
    QCOMPARE(panel(3)->text(), QStringLiteral("0 total"));
    QCOMPARE(panel(2)->toolTip(), QStringLiteral("Number of Unique items"));
    QCOMPARE(panel(3)->toolTip(), QStringLiteral("Total number of things to get"));
    QCOMPARE(panel(4)->width(), 96);
    QCOMPARE(panel(5)->width(), 76);
    QVERIFY(!panel(4)->text().isEmpty());
    fixture.start();
    QCOMPARE(panel(1)->text(), QStringLiteral("Welcome to the Shopping List"));
    QCOMPARE(panel(2)->text(), QStringLiteral("  Total Quantity = 0  "));
    QCOMPARE(panel(3)->text(), QStringLiteral("  0 unique items "));
}

void TestMainWindow::controlsAsDesigned()
{
    WindowFixture fixture;
    ShoppingWindow &w = *fixture.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Torvy Softwares Vendrel"));
    auto *treeLabel = w.findChild<QLabel *>(QStringLiteral("lblTreeView"));
    auto *listLabel = w.findChild<QLabel *>(QStringLiteral("lblListView"));
    QCOMPARE(treeLabel->text(), QStringLiteral(" Pick from this List of Items"));
    QCOMPARE(listLabel->text(), QStringLiteral(" Todays Shopping List"));
    QCOMPARE(treeLabel->font().family(), QStringLiteral("Comic Sans MS"));
    QCOMPARE(treeLabel->font().pointSizeF(), 14.25);
    auto *tree = w.findChild<QTreeView *>(QStringLiteral("tvShopping"));
    auto *list = w.findChild<QTreeView *>(QStringLiteral("lvList"));
    QCOMPARE(tree->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(list->font().pointSizeF(), 9.75);
    // 15 twips a pixel: tree at 30, 480; list at 4260, 480.
    QCOMPARE(tree->pos(), QPoint(2, 32));
    QCOMPARE(list->x(), 284);
    QCOMPARE(tree->width(), 275);
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Quantity"));
    QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Category"));
    QVERIFY(tree->dragEnabled());
    QVERIFY(list->acceptDrops());
}

void TestMainWindow::helpShortcutWorksWhereverTheFocusIs()
{
    WindowFixture fixture;
    fixture.start();
    // Tab order: the list, then the tree.
    auto *list = fixture.window->findChild<QTreeView *>(QStringLiteral("lvList"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(),
             fixture.window->findChild<QWidget *>(QStringLiteral("tvShopping")));

    for (const char *focus : {"tvShopping", "lvList"}) {
        fixture.window->findChild<QWidget *>(QString::fromLatin1(focus))->setFocus();
        QTest::keyClick(fixture.window.get(), Qt::Key_F1);
    }
    QCOMPARE(fixture.platform.messages.size(), 2);
    const MessageBoxRequest &shown = fixture.platform.messages.constFirst();
    QCOMPARE(shown.text, HowToUseText());
    QCOMPARE(shown.title, QStringLiteral("shopping"));
    QCOMPARE(shown.icon, MessageIcon::None);
    QCOMPARE(shown.buttons, MessageButtons::Ok);
}

void TestMainWindow::missingHeadingsIsToldAndTheProgramGoesOn()
{
    WindowFixture fixture(false);
    fixture.platform.messageAnswers << MessageAnswer::Ok;
    fixture.start();
    QCOMPARE(fixture.platform.messages.size(), 1);
    const MessageBoxRequest &shown = fixture.platform.messages.constFirst();
    QCOMPARE(shown.title, QStringLiteral("Torvy Software's Vendrel"));
    QCOMPARE(shown.icon, MessageIcon::Critical);
    QCOMPARE(shown.text, QStringLiteral("Warning - cant find headings.txt in ") +
                             fixture.folder.path() +
                             QStringLiteral("   This program needs this file to run - you need "
                                            "to run setup again"));
    QCOMPARE(fixture.window->catalogue().count(), 1);
    QVERIFY(fixture.window->isVisible());
}

void TestMainWindow::listIsHiddenUntilStartUpEnds()
{
    WindowFixture fixture;
    auto *list = fixture.window->findChild<QTreeView *>(QStringLiteral("lvList"));
    QVERIFY(list->isHidden());
    fixture.start();
    QVERIFY(list->isVisible());
    QCOMPARE(fixture.window->catalogue().count(), 9);
    QVERIFY(fixture.window->findChild<QTreeView *>(QStringLiteral("tvShopping"))
                ->isExpanded(fixture.window->findChild<QTreeView *>(QStringLiteral("tvShopping"))
                                 ->model()
                                 ->index(0, 0)));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
