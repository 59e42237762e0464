#include "app/FormLayout.h"
#include "app/HelpText.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueView.h"
#include "list/ListView.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QTest>
#include <QTreeView>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void resizeRule_data();
    void resizeRule();
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
    QCOMPARE(layout.tvShopping.width, 4125.f); // never changed by the rule
}

void TestMainWindow::helpShortcutWorksWhereverTheFocusIs()
{
    WindowSession fixture;
    fixture.start();
    // Tab order: the list, then the tree.
    QTreeView *list = &fixture.listView();
    QTreeView *tree = &fixture.tree();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), tree);
    QTest::keyClick(fixture.window.get(), Qt::Key_F1);
    list->setFocus();
    QTest::keyClick(fixture.window.get(), Qt::Key_F1);
    QCOMPARE(fixture.platform.messages.size(), 2);
    const MessageBoxRequest &shown = fixture.platform.messages.constFirst();
    QCOMPARE(shown.text, HowToUseText());
    QCOMPARE(shown.buttons, MessageButtons::Ok);
}

void TestMainWindow::missingHeadingsIsToldAndTheProgramGoesOn()
{
    WindowSession fixture(WindowSession::WithoutCatalogue);
    fixture.start();
    QCOMPARE(fixture.platform.messages.size(), 1);
    const MessageBoxRequest &shown = fixture.platform.messages.constFirst();
    QCOMPARE(shown.icon, MessageIcon::Critical);
    QVERIFY(shown.text.contains(fixture.folder.path()));
    QCOMPARE(fixture.window->catalogue().count(), 1);
    QVERIFY(fixture.window->isVisible());
}

void TestMainWindow::listIsHiddenUntilStartUpEnds()
{
    WindowSession fixture;
    QTreeView *list = &fixture.listView();
    QTreeView *tree = &fixture.tree();
    QVERIFY(list->isHidden());
    fixture.start();
    QVERIFY(list->isVisible());
    QCOMPARE(fixture.window->catalogue().count(), 9);
    QVERIFY(tree->isExpanded(tree->model()->index(0, 0)));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
