#include "app/FormLayout.h"
#include "app/HelpText.h"
#include "catalogue/CatalogueView.h"
#include "list/ListView.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void resizeRule_data();
    void resizeRule();
    void startUpShowsTheListLast();
    void missingHeadingsIsToldAndTheProgramGoesOn();
    void helpShortcutWorksWhereverTheFocusIs();
    void exitEndsTheProgram();
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

void TestMainWindow::startUpShowsTheListLast()
{
    WindowSession session;
    QVERIFY(session.listView().isHidden());
    session.start();
    QVERIFY(session.listView().isVisible());
    QCOMPARE(session.catalogue().count(), 9);
    QVERIFY(session.tree().isExpanded(session.tree().model()->index(0, 0)));
    QCOMPARE(session.panel(2), u"  Total Quantity = 0  "_qs);
    QCOMPARE(session.panel(3), u"  0 unique items "_qs);
}

void TestMainWindow::missingHeadingsIsToldAndTheProgramGoesOn()
{
    WindowSession session(WindowSession::WithoutCatalogue);
    session.start();
    QCOMPARE(session.platform.messages.size(), 1);
    const MessageBoxRequest &shown = session.platform.messages.constFirst();
    QCOMPARE(shown.icon, MessageIcon::Critical);
    QCOMPARE(shown.title, u"Torvy Software's Vendrel"_qs);
    QVERIFY(shown.text.contains(session.folder.path()));
    QCOMPARE(session.catalogue().count(), 1);
    QVERIFY(session.window->isVisible());
}

void TestMainWindow::helpShortcutWorksWhereverTheFocusIs()
{
    WindowSession session;
    session.start();
    // Tab order: the list, then the tree.
    session.listView().setFocus();
    QTest::keyClick(&session.listView(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &session.tree());
    QTest::keyClick(session.window.get(), Qt::Key_F1);
    session.listView().setFocus();
    QTest::keyClick(session.window.get(), Qt::Key_F1);
    QCOMPARE(session.platform.messages.size(), 2);
    QCOMPARE(session.platform.messages[1].text, HowToUseText());
    QCOMPARE(session.platform.messages[1].title, u"shopping"_qs);
}

void TestMainWindow::exitEndsTheProgram()
{
    WindowSession session;
    session.start();
    QSignalSpy ended(session.window.get(), &ShoppingWindow::programEnded);
    session.trigger(u"mnuFile(7)"_qs);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!session.window->isVisible());
    QVERIFY(session.folder.exists(u"shopping.ini"_qs));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
