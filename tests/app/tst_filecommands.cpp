#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueView.h"
#include "list/ShoppingList.h"
#include "support/WindowSession.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveNewOpen();
    void dialogsAreSetUpAfresh();
    void cancelChangesNothing();
    void onlyCapitalStarDotShpMeansNoFile();
    void openReplacesTheListAndTicksItsItems();
    void exitEndsTheProgram();

private:
    ShoppingWindow &window() { return *m_fixture->window; }
    QString panel(int n) { return m_fixture->panel(n); }
    std::unique_ptr<WindowSession> m_fixture;
};

void TestFileCommands::init()
{
    m_fixture = std::make_unique<WindowSession>();
    m_fixture->start();
}

void TestFileCommands::cleanup()
{
    QCOMPARE(m_fixture->platform.unanswered, 0);
    m_fixture.reset();
}

void TestFileCommands::saveNewOpen()
{
    ShoppingList &list = window().list();
    list.append({u"2"_qs, u"Milk"_qs, u"Dairy"_qs});
    list.append({u"1"_qs, u"Pears"_qs, u"Fruit and Veg"_qs});
    const QString file = m_fixture->folder.filePath(u"week.shp"_qs);
    m_fixture->platform.answerFileName(file);
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_fixture->folder.read(u"week.shp"_qs),
             QByteArray("2,Milk,Dairy,\r\n1,Pears,Fruit and Veg,\r\n"));

    window().catalogue().setTicked(8, true);
    QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(list.count(), 0);
    QVERIFY(!window().catalogue().node(8).ticked);
    QCOMPARE(panel(2), u"  Total Quantity = 0  "_qs);
    QCOMPARE(panel(3), u"  0 unique items "_qs);

    m_fixture->platform.answerFileName(file);
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(rows(list), QStringList({"2|Milk|Dairy", "1|Pears|Fruit and Veg"}));
    QCOMPARE(panel(2), u"  Total Quantity = 3  "_qs);
    QCOMPARE(panel(3), u"  2 unique items "_qs);
}

void TestFileCommands::dialogsAreSetUpAfresh()
{
    CommonDialog &dialog = m_fixture->platform.commonDialog();
    dialog.flags = 259; // left by a font dialog
    m_fixture->platform.cancelNextDialog();
    m_fixture->trigger(u"mnuFile(1)"_qs);
    m_fixture->platform.cancelNextDialog();
    m_fixture->trigger(u"mnuFile(2)"_qs);
    QCOMPARE(m_fixture->platform.dialogs.size(), 2);
    QCOMPARE(m_fixture->platform.dialogs[0].kind, ScriptedPlatform::DialogKind::Open);
    QCOMPARE(m_fixture->platform.dialogs[1].kind, ScriptedPlatform::DialogKind::Save);
    for (const auto &shown : m_fixture->platform.dialogs) {
        QVERIFY(shown.properties.cancelError);
        QCOMPARE(shown.properties.filter, u"*.shp"_qs);
        QCOMPARE(shown.properties.defaultExt, u"shp"_qs);
        QCOMPARE(shown.properties.fileName, u"*.SHP"_qs);
        QCOMPARE(shown.properties.initDir, m_fixture->folder.path());
    }
}

void TestFileCommands::cancelChangesNothing()
{
    window().list().append({u"1"_qs, u"Milk"_qs, u"Dairy"_qs});
    window().catalogue().setTicked(4, true);
    m_fixture->platform.cancelNextDialog();
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    m_fixture->platform.cancelNextDialog();
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(rows(window().list()), QStringList{"1|Milk|Dairy"});
    QVERIFY(window().catalogue().node(4).ticked);
    QCOMPARE(QDir(m_fixture->folder.path()).entryList({u"*.shp"_qs}, QDir::Files), QStringList());
    QVERIFY(m_fixture->platform.messages.isEmpty());
}

void TestFileCommands::onlyCapitalStarDotShpMeansNoFile()
{
    window().list().append({u"1"_qs, u"Milk"_qs, u"Dairy"_qs});
    // A confirmed "*.SHP" is taken as no choice at all; "*.shp" is a name like any other,
    // here of a file that is not there.
    m_fixture->platform.answerFileName(u"*.SHP"_qs);
    m_fixture->trigger(u"mnuFile(1)"_qs);
    QVERIFY(m_fixture->platform.messages.isEmpty());
    m_fixture->platform.answerFileName(m_fixture->folder.filePath(u"*.shp"_qs));
    m_fixture->trigger(u"mnuFile(1)"_qs);
    QCOMPARE(m_fixture->platform.messages.size(), 1);
    QCOMPARE(window().list().count(), 1);
}

void TestFileCommands::openReplacesTheListAndTicksItsItems()
{
    m_fixture->folder.write(u"in.shp"_qs,
                            "2,Milk,Fruit and Veg,\r\n" // the Milk under Fruit and Veg
                            "1,Apples,Dairy,\r\n"       // not under that category
                            "5,Milk,Fruit and Veg,\r\n" // a duplicate row stays a row
                            "1,Bread,,\r\n");           // not in the catalogue
    window().list().append({u"9"_qs, u"Old"_qs, QString()});
    m_fixture->platform.answerFileName(m_fixture->folder.filePath(u"in.shp"_qs));
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(rows(window().list()), QStringList({"2|Milk|Fruit and Veg", "1|Apples|Dairy",
                                                 "5|Milk|Fruit and Veg", "1|Bread|"}));
    const Catalogue &catalogue = window().catalogue();
    QVERIFY(catalogue.node(9).ticked);
    QVERIFY(!catalogue.node(4).ticked);
    QVERIFY(!catalogue.node(7).ticked);
    QVERIFY(catalogue.node(3).expanded);
    QTreeView *tree = &m_fixture->tree();
    QVERIFY(tree->isExpanded(tree->model()->index(1, 0, tree->model()->index(0, 0))));
    QVERIFY(!tree->isExpanded(tree->model()->index(0, 0, tree->model()->index(0, 0))));
    QCOMPARE(panel(2), u"  Total Quantity = 9  "_qs);
    QVERIFY(m_fixture->platform.messages.isEmpty());

    // A zero-byte file gives an empty list and a fresh catalogue.
    m_fixture->folder.write(u"empty.shp"_qs, QByteArray());
    m_fixture->platform.answerFileName(m_fixture->folder.filePath(u"empty.shp"_qs));
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(window().list().count(), 0);
    QVERIFY(!catalogue.node(9).ticked);
    QCOMPARE(panel(3), u"  0 unique items "_qs);
}

void TestFileCommands::exitEndsTheProgram()
{
    QSignalSpy ended(&window(), &ShoppingWindow::programEnded);
    window().findChild<QAction *>(u"mnuFile(7)"_qs)->trigger();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!window().isVisible());
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
