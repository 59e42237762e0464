#include "app/HelpText.h"
#include "catalogue/CatalogueView.h"
#include "list/ListView.h"
#include "support/WindowSession.h"

#include <QHeaderView>
#include <QTest>

// Picking from the tree into the list, and the Item menu, as the user does them.
class TestPicking : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void doubleClickAddsAndTicks();
    void tickAndUntick();
    void tickingAHeadingAsks_data();
    void tickingAHeadingAsks();
    void dropAddsTheSelectedItemWhateverWasDropped();
    void addNewItemCommand();
    void changeQuantity_data();
    void changeQuantity();
    void removeItemCommand();
    void headerClicksFlipTheDirection();
    void doubleClickInTheListShowsHelp();

private:
    QStringList listed() const { return rows(m_session->list()); }
    bool ticked(int position) const { return m_session->catalogue().node(position).ticked; }

    std::unique_ptr<WindowSession> m_session;
};

void TestPicking::init()
{
    m_session = std::make_unique<WindowSession>();
    m_session->start();
    m_session->tree().expandAll();
}

void TestPicking::cleanup()
{
    QCOMPARE(m_session->platform.unanswered, 0);
    m_session.reset();
}

void TestPicking::doubleClickAddsAndTicks()
{
    m_session->doubleClickNode(5); // Butter
    m_session->doubleClickNode(5);
    QCOMPARE(listed(), QStringList{"2|Butter|Dairy"});
    QVERIFY(ticked(5));
    QCOMPARE(m_session->panel(2), u"  Total Quantity = 2  "_qs);
    QCOMPARE(m_session->panel(3), u"  1 unique items "_qs);
    m_session->doubleClickNode(2); // a heading adds nothing
    QCOMPARE(m_session->list().count(), 1);
}

void TestPicking::tickAndUntick()
{
    m_session->tick(7, true); // Apples
    m_session->tick(7, false);
    m_session->tick(7, true);
    m_session->tick(8, true);
    QCOMPARE(listed(), QStringList({"1|Apples|Fruit and Veg", "1|Pears|Fruit and Veg"}));
    m_session->list().setQuantity(1, u"5"_qs);
    m_session->tick(7, false); // whatever its quantity
    QCOMPARE(listed(), QStringList{"1|Pears|Fruit and Veg"});
    QCOMPARE(m_session->panel(3), u"  1 unique items "_qs);

    // A drop of an item already listed raises it; an untick of a heading removes the row
    // that bears its name.
    m_session->clickNode(8);
    QVERIFY(m_session->dropOnList(u"Pears"_qs));
    QCOMPARE(listed(), QStringList{"2|Pears|Fruit and Veg"});
    m_session->list().append({u"1"_qs, u"Dairy"_qs, QString()});
    m_session->platform.messageAnswers << MessageAnswer::No;
    m_session->tick(2, true);
    m_session->tick(2, false);
    QCOMPARE(listed(), QStringList{"2|Pears|Fruit and Veg"});
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
    m_session->tick(4, true); // Milk, listed once already
    m_session->platform.messageAnswers << (yes ? MessageAnswer::Yes : MessageAnswer::No);
    m_session->tick(2, true);
    const MessageBoxRequest &asked = m_session->platform.messages.constLast();
    QCOMPARE(asked.title, u"Add Multiple Items"_qs);
    QCOMPARE(asked.text, u"Adding all items in Dairy to List ?"_qs);
    QCOMPARE(asked.buttons, MessageButtons::YesNo);
    QCOMPARE(asked.defaultAnswer, MessageAnswer::Yes);
    QCOMPARE(listed(), expected);
    QVERIFY(ticked(2));
    QVERIFY(!ticked(5)); // items added with the heading are not ticked
}

void TestPicking::dropAddsTheSelectedItemWhateverWasDropped()
{
    m_session->clickNode(8); // Pears
    QVERIFY(m_session->dropOnList(u"text from another program"_qs));
    QCOMPARE(listed(), QStringList{"1|Pears|Fruit and Veg"});
    QVERIFY(!ticked(8));
    m_session->clickNode(3); // a heading dropped adds nothing
    QVERIFY(m_session->dropOnList(u"Fruit and Veg"_qs));
    QCOMPARE(m_session->list().count(), 1);
}

void TestPicking::addNewItemCommand()
{
    ShoppingWindow *window = m_session->window.get();
    m_session->clickNode(9); // the Milk under Fruit and Veg
    QTest::keyClick(window, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(listed(), QStringList{"2|Milk|Fruit and Veg"});
    QVERIFY(!ticked(9));
    m_session->clickNode(2); // a heading: all its items, without asking
    QTest::keyClick(window, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(listed(), QStringList({"4|Milk|Fruit and Veg", "1|Butter|Dairy"}));
    QVERIFY(m_session->platform.messages.isEmpty());
    m_session->clickNode(1); // the root: nothing, whether added or ticked
    QTest::keyClick(window, Qt::Key_Insert, Qt::ControlModifier);
    m_session->tick(1, true);
    QCOMPARE(m_session->list().count(), 2);
    QCOMPARE(m_session->panel(2), u"  Total Quantity = 5  "_qs);
}

void TestPicking::changeQuantity_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("total");
    QTest::newRow("with unit") << std::optional(u"5 kg"_qs) << u"5 kg"_qs << u"5"_qs;
    QTest::newRow("cancel") << std::optional<QString>() << u"2"_qs << u"2"_qs;
    QTest::newRow("empty") << std::optional(QString()) << u"2"_qs << u"2"_qs;
    QTest::newRow("not a number") << std::optional(u"lots"_qs) << u"lots"_qs << u"0"_qs;
}

void TestPicking::changeQuantity()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, quantity);
    QFETCH(QString, total);
    appendRows(m_session->list(), {u"2|Bread|"_qs});
    m_session->clickRow(1);
    m_session->platform.inputAnswers << answer;
    QTest::keyClick(m_session->window.get(), Qt::Key_F2);
    const ScriptedPlatform::InputRequest &asked = m_session->platform.inputs.value(0);
    QCOMPARE(asked.prompt, u"Enter new Quantity for Bread"_qs);
    QCOMPARE(asked.title, u"Changing Quantity"_qs);
    QCOMPARE(asked.defaultText, u"2"_qs);
    QCOMPARE(m_session->list().row(1).quantity, quantity);
    QCOMPARE(m_session->panel(2), u"  Total Quantity = %1  "_qs.arg(total));
}

void TestPicking::removeItemCommand()
{
    ShoppingWindow *window = m_session->window.get();
    appendRows(m_session->list(), {u"1|Butter|Dairy"_qs, u"|Apples|"_qs, u"1|Pears|"_qs});
    m_session->tick(4, true); // Milk, row 4
    m_session->clickRow(1);
    m_session->tick(4, false); // another row goes: the selection stays
    QCOMPARE(m_session->listView().selectedRow(), 1);
    m_session->tick(4, true);
    m_session->listView().clearSelection();
    QTest::keyClick(window, Qt::Key_Delete); // nothing selected
    m_session->clickRow(2);                  // a row without quantity counts as no selection
    QTest::keyClick(window, Qt::Key_F2);
    QTest::keyClick(window, Qt::Key_Delete);
    QCOMPARE(m_session->list().count(), 4);
    m_session->clickRow(4);
    m_session->tree().setFocus(); // Del works wherever the focus is
    QTest::keyClick(window, Qt::Key_Delete);
    QCOMPARE(listed(), QStringList({"1|Butter|Dairy", "|Apples|", "1|Pears|"}));
    QVERIFY(ticked(4));                               // the node keeps its tick
    QCOMPARE(m_session->listView().selectedRow(), 0); // so a second Del removes nothing more
    QTest::keyClick(window, Qt::Key_Delete);
    QCOMPARE(m_session->panel(3), u"  3 unique items "_qs);
    m_session->tick(4, false); // and its untick finds no row to remove
    QCOMPARE(m_session->list().count(), 3);
    m_session->clickRow(1);
    QTest::keyClick(window, Qt::Key_Delete);
    QCOMPARE(listed(), QStringList({"|Apples|", "1|Pears|"}));
    QVERIFY(m_session->platform.inputs.isEmpty());
}

void TestPicking::headerClicksFlipTheDirection()
{
    appendRows(m_session->list(), {u"10|banana|b"_qs, u"2|Apple|a"_qs, u"1|cherry|c"_qs});
    QHeaderView *header = m_session->listView().header();
    auto sortBy = [&](int section) {
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        QStringList items;
        for (int p = 1; p <= m_session->list().count(); ++p) {
            items << m_session->list().row(p).item;
        }
        return items;
    };
    QCOMPARE(sortBy(1), QStringList({"cherry", "banana", "Apple"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(sortBy(1), QStringList({"Apple", "banana", "cherry"}));
    QCOMPARE(sortBy(0), QStringList({"Apple", "banana", "cherry"})); // as text, descending
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(m_session->list().find(u"cherry"_qs), 3);
}

void TestPicking::doubleClickInTheListShowsHelp()
{
    appendRows(m_session->list(), {u"1|Bread|"_qs});
    ListView &view = m_session->listView();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {},
                       view.visualRect(view.model()->index(0, 1)).center());
    QCOMPARE(m_session->platform.messages.value(0).text, HowToUseText());
    QCOMPARE(m_session->list().count(), 1);
}

QTEST_MAIN(TestPicking)
#include "tst_picking.moc"
