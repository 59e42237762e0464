#include "app/HelpText.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueView.h"
#include "list/ListView.h"
#include "list/ShoppingList.h"
#include "support/WindowSession.h"

#include <QHeaderView>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>

class TestPicking : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void doubleClickTwiceGivesQuantityTwoAndATick();
    void tickingAListedItemRaisesIt();
    void untickRemovesTheRowWhateverItsQuantity();
    void tickingAHeadingAsks_data();
    void tickingAHeadingAsks();
    void untickingAHeadingRemovesARowOfItsName();
    void dropAddsTheSelectedItemWhateverWasDropped();
    void addNewItemCommand();
    void changeQuantity_data();
    void changeQuantity();
    void deleteKeyRemovesTheListRowWhereverTheFocusIs();
    void nothingSelectedDoesNothing();
    void headerClicksFlipTheDirection();
    void doubleClickInTheListShowsHelp();

private:
    ShoppingWindow &window() { return *m_fixture->window; }
    QTreeView *tree() { return &m_fixture->tree(); }
    ListView *listView() { return &m_fixture->listView(); }
    void selectNode(int position)
    {
        m_fixture->clickNode(position);
        QCOMPARE(m_fixture->tree().selectedNode(), position);
    }
    void userTick(int position, bool ticked) { m_fixture->tick(position, ticked); }
    QString panel(int n) { return m_fixture->panel(n); }

    std::unique_ptr<WindowSession> m_fixture;
};

void TestPicking::init()
{
    m_fixture = std::make_unique<WindowSession>();
    m_fixture->start();
    tree()->expandAll();
}

void TestPicking::cleanup()
{
    QCOMPARE(m_fixture->platform.unanswered, 0);
    m_fixture.reset();
}

void TestPicking::doubleClickTwiceGivesQuantityTwoAndATick()
{
    m_fixture->doubleClickNode(5); // Butter
    m_fixture->doubleClickNode(5);
    QCOMPARE(rows(window().list()), QStringList{"2|Butter|Dairy"});
    QVERIFY(window().catalogue().node(5).ticked);
    QCOMPARE(panel(2), u"  Total Quantity = 2  "_qs);
    QCOMPARE(panel(3), u"  1 unique items "_qs);

    // A double click on a heading adds nothing.
    m_fixture->doubleClickNode(2);
    QCOMPARE(window().list().count(), 1);
}

void TestPicking::tickingAListedItemRaisesIt()
{
    selectNode(7); // Apples
    QVERIFY(m_fixture->dropOnList(u"Apples"_qs));
    QVERIFY(!window().catalogue().node(7).ticked);
    userTick(7, true);
    QCOMPARE(rows(window().list()), QStringList{"2|Apples|Fruit and Veg"});
}

void TestPicking::untickRemovesTheRowWhateverItsQuantity()
{
    userTick(7, true);
    window().list().setQuantity(1, u"5"_qs);
    userTick(8, true);
    userTick(7, false);
    QCOMPARE(rows(window().list()), QStringList{"1|Pears|Fruit and Veg"});
    QCOMPARE(panel(3), u"  1 unique items "_qs);
}

void TestPicking::tickingAHeadingAsks_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("yes") << true << QStringList{"3|Milk|Dairy", "1|Butter|Dairy"};
    QTest::newRow("no") << false << QStringList{"1|Milk|Dairy"};
}

void TestPicking::tickingAHeadingAsks()
{
    QFETCH(bool, yes);
    QFETCH(QStringList, expected);
    userTick(4, true); // Milk, already listed once
    m_fixture->platform.messageAnswers << (yes ? MessageAnswer::Yes : MessageAnswer::No);
    userTick(2, true);
    QCOMPARE(m_fixture->platform.messages.constLast().buttons, MessageButtons::YesNo);
    QCOMPARE(rows(window().list()), expected);
    QVERIFY(window().catalogue().node(2).ticked);
    QVERIFY(!window().catalogue().node(5).ticked); // items added with the heading are not ticked
}

void TestPicking::untickingAHeadingRemovesARowOfItsName()
{
    window().list().append({u"1"_qs, u"Dairy"_qs, QString()});
    userTick(4, true);
    m_fixture->platform.messageAnswers << MessageAnswer::No;
    userTick(2, true);
    userTick(2, false);
    QCOMPARE(rows(window().list()), QStringList{"1|Milk|Dairy"});
    QVERIFY(window().catalogue().node(4).ticked);
}

void TestPicking::dropAddsTheSelectedItemWhateverWasDropped()
{
    selectNode(8); // Pears
    QVERIFY(m_fixture->dropOnList(u"text from another program"_qs));
    QCOMPARE(rows(window().list()), QStringList{"1|Pears|Fruit and Veg"});
    QVERIFY(!window().catalogue().node(8).ticked);

    // A heading dropped adds nothing.
    selectNode(3);
    QVERIFY(m_fixture->dropOnList(u"Fruit and Veg"_qs));
    QCOMPARE(window().list().count(), 1);
}

void TestPicking::addNewItemCommand()
{
    selectNode(9); // the Milk under Fruit and Veg
    QTest::keyClick(&window(), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(rows(window().list()), QStringList{"1|Milk|Fruit and Veg"});
    QVERIFY(!window().catalogue().node(9).ticked);
    QTest::keyClick(&window(), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(rows(window().list()), QStringList{"2|Milk|Fruit and Veg"});

    selectNode(2); // a heading: all its items, without asking
    QTest::keyClick(&window(), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(rows(window().list()), QStringList({"4|Milk|Fruit and Veg", "1|Butter|Dairy"}));
    QVERIFY(m_fixture->platform.messages.isEmpty());

    selectNode(1); // the root: nothing, whether added or ticked
    QTest::keyClick(&window(), Qt::Key_Insert, Qt::ControlModifier);
    userTick(1, true);
    QCOMPARE(window().list().count(), 2);
    QCOMPARE(panel(2), u"  Total Quantity = 5  "_qs);
}

void TestPicking::changeQuantity_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("total");
    QTest::newRow("with unit") << std::optional<QString>(u"5 kg"_qs) << u"5 kg"_qs
                               << u"  Total Quantity = 5  "_qs;
    QTest::newRow("cancel") << std::optional<QString>() << u"2"_qs << u"  Total Quantity = 2  "_qs;
    QTest::newRow("empty") << std::optional<QString>(QString()) << u"2"_qs
                           << u"  Total Quantity = 2  "_qs;
    QTest::newRow("not a number") << std::optional<QString>(u"lots"_qs) << u"lots"_qs
                                  << u"  Total Quantity = 0  "_qs;
}

void TestPicking::changeQuantity()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, quantity);
    QFETCH(QString, total);
    window().list().append({u"2"_qs, u"Bread"_qs, QString()});
    listView()->selectionModel()->select(listView()->model()->index(0, 0),
                                         QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
    m_fixture->platform.inputAnswers << answer;
    QTest::keyClick(&window(), Qt::Key_F2);
    QCOMPARE(m_fixture->platform.inputs.value(0).defaultText, u"2"_qs);
    QCOMPARE(window().list().row(1).quantity, quantity);
    QCOMPARE(panel(2), total);
}

void TestPicking::deleteKeyRemovesTheListRowWhereverTheFocusIs()
{
    userTick(5, true);
    userTick(7, true);
    userTick(8, true);
    const QRect rect = listView()->visualRect(listView()->model()->index(1, 1));
    QTest::mouseClick(listView()->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(listView()->selectedRow(), 2);
    tree()->setFocus();
    QTest::keyClick(&window(), Qt::Key_Delete);
    QCOMPARE(rows(window().list()), QStringList({"1|Butter|Dairy", "1|Pears|Fruit and Veg"}));
    QVERIFY(window().catalogue().node(7).ticked); // the node keeps its tick
    QCOMPARE(listView()->selectedRow(), 0);       // so a second Del removes nothing more
    QTest::keyClick(&window(), Qt::Key_Delete);
    QCOMPARE(window().list().count(), 2);
    QCOMPARE(panel(3), u"  2 unique items "_qs);
}

void TestPicking::nothingSelectedDoesNothing()
{
    window().list().append({QString(), u"Bread"_qs, QString()});
    QTest::keyClick(&window(), Qt::Key_Delete);
    QTest::keyClick(&window(), Qt::Key_F2);
    QCOMPARE(window().list().count(), 1);
    // A selected row with an empty quantity counts as no selection.
    listView()->selectionModel()->select(listView()->model()->index(0, 0),
                                         QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
    QTest::keyClick(&window(), Qt::Key_Delete);
    QTest::keyClick(&window(), Qt::Key_F2);
    QCOMPARE(window().list().count(), 1);
    QVERIFY(m_fixture->platform.inputs.isEmpty());
    QCOMPARE(panel(3), u"  1 unique items "_qs);
}

void TestPicking::headerClicksFlipTheDirection()
{
    ShoppingList &list = window().list();
    list.append({u"10"_qs, u"banana"_qs, u"b"_qs});
    list.append({u"2"_qs, u"Apple"_qs, u"a"_qs});
    list.append({u"1"_qs, u"cherry"_qs, u"c"_qs});
    QHeaderView *header = listView()->header();
    auto clickHeader = [&](int section) {
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    const QRegularExpression notItem(u"^[^|]*\\||\\|.*$"_qs);
    auto items = [&] { return rows(list).replaceInStrings(notItem, {}); };
    clickHeader(1);
    QCOMPARE(items(), QStringList({"cherry", "banana", "Apple"}));
    clickHeader(1);
    QCOMPARE(items(), QStringList({"Apple", "banana", "cherry"}));
    clickHeader(0); // quantities sort as text, descending now
    QCOMPARE(items(), QStringList({"Apple", "banana", "cherry"}));
    QCOMPARE(list.row(1).quantity, u"2"_qs);
    QCOMPARE(list.find(u"cherry"_qs), 3);
}

void TestPicking::doubleClickInTheListShowsHelp()
{
    window().list().append({u"1"_qs, u"Bread"_qs, QString()});
    const QRect rect = listView()->visualRect(listView()->model()->index(0, 1));
    QTest::mouseDClick(listView()->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(m_fixture->platform.messages.value(0).text, HowToUseText());
    QCOMPARE(window().list().count(), 1);
}

QTEST_MAIN(TestPicking)
#include "tst_picking.moc"
