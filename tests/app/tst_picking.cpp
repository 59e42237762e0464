#include "support/WindowSession.h"

#include <QHeaderView>
#include <QTest>

// Picking from the tree into the list, and the Item menu, as the user does them. What rows a
// pick makes is the picking rules' own test; here what the window adds: which node, which
// gesture, the question, the ticks and the totals.
class TestPicking : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_session = std::make_unique<WindowSession>();
        m_session->start();
        m_session->tree().expandAll();
    }

    void cleanup()
    {
        QCOMPARE(m_session->platform.unanswered, 0);
        m_session.reset();
    }

    // A gesture on a node, with the list holding one Butter row before; the question a ticked
    // heading asks, if it must be asked, is answered yes or no.
    void pick_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("node");
        QTest::addColumn<std::optional<bool>>("yes");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("ticked");
        const std::optional<bool> none;
        const QStringList butter{"1|Butter|Dairy"};
        const QStringList raised{"2|Butter|Dairy"};
        const QStringList dairy{"2|Butter|Dairy", "2|Milk|Dairy"};
        QTest::newRow("double click, item") << "double click" << 5 << none << raised << true;
        QTest::newRow("double click, heading") << "double click" << 2 << none << butter << false;
        QTest::newRow("drop, item") << "drop" << 5 << none << raised << false;
        QTest::newRow("drop, heading") << "drop" << 3 << none << butter << false;
        QTest::newRow("add command, item")
            << "add" << 9 << none << QStringList{"1|Butter|Dairy", "1|Milk|Fruit and Veg"} << false;
        QTest::newRow("add command, heading: no question") << "add" << 2 << none << dairy << false;
        QTest::newRow("add command, root") << "add" << 1 << none << butter << false;
        QTest::newRow("tick, item")
            << "tick" << 7 << none << QStringList{"1|Butter|Dairy", "1|Apples|Fruit and Veg"}
            << true;
        QTest::newRow("tick, heading, yes") << "tick" << 2 << std::optional(true) << dairy << true;
        QTest::newRow("tick, heading, no") << "tick" << 2 << std::optional(false) << butter << true;
        QTest::newRow("tick, root: no question") << "tick" << 1 << none << butter << true;
        QTest::newRow("untick, item: its row goes, whatever its quantity")
            << "untick" << 5 << none << QStringList() << false;
    }

    void pick()
    {
        QFETCH(QString, gesture);
        QFETCH(int, node);
        QFETCH(std::optional<bool>, yes);
        QFETCH(QStringList, after);
        QFETCH(bool, ticked);
        appendRows(m_session->list(), {u"1|Butter|Dairy"_qs});
        if (yes) {
            m_session->platform.messageAnswers << (*yes ? MessageAnswer::Yes : MessageAnswer::No);
        }
        if (gesture.endsWith(u"tick")) {
            m_session->tick(node, true);
            if (gesture == u"untick") {
                m_session->tick(node, false);
            }
        } else {
            m_session->clickNode(node, gesture == u"double click");
        }
        if (gesture == u"drop") {
            QVERIFY(m_session->dropOnList(u"any text"_qs));
        } else if (gesture == u"add") {
            QTest::keyClick(m_session->window.get(), Qt::Key_Insert, Qt::ControlModifier);
        }
        QCOMPARE(listed(), after);
        QCOMPARE(this->ticked(node), ticked);
        QCOMPARE(m_session->panel(3), u"  %1 unique items "_qs.arg(after.size()));
        QCOMPARE(m_session->platform.messages.size(), yes ? 1 : 0);
        if (yes) {
            const MessageBoxRequest &asked = m_session->platform.messages.constFirst();
            QCOMPARE(asked.title + u'|' + asked.text,
                     u"Add Multiple Items|Adding all items in Dairy to List ?"_qs);
            QCOMPARE(asked.buttons, MessageButtons::YesNo);
            QCOMPARE(asked.defaultAnswer, MessageAnswer::Yes);
            QVERIFY(!this->ticked(5)); // items added with the heading are not ticked
        }
    }

    void changeQuantity_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("total");
        QTest::newRow("with unit") << std::optional(u"5 kg"_qs) << u"5 kg"_qs << u"5"_qs;
        QTest::newRow("cancel") << std::optional<QString>() << u"2"_qs << u"2"_qs;
        QTest::newRow("empty") << std::optional(QString()) << u"2"_qs << u"2"_qs;
        QTest::newRow("not a number") << std::optional(u"lots"_qs) << u"lots"_qs << u"0"_qs;
    }

    void changeQuantity()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, quantity);
        QFETCH(QString, total);
        appendRows(m_session->list(), {u"2|Bread|"_qs});
        m_session->clickRow(1);
        m_session->platform.inputAnswers << answer;
        QTest::keyClick(m_session->window.get(), Qt::Key_F2);
        const ScriptedPlatform::InputRequest &asked = m_session->platform.inputs.value(0);
        QCOMPARE(QStringList({asked.prompt, asked.title, asked.defaultText}),
                 QStringList({"Enter new Quantity for Bread", "Changing Quantity", "2"}));
        QCOMPARE(m_session->list().row(1).quantity, quantity);
        QCOMPARE(m_session->panel(2), u"  Total Quantity = %1  "_qs.arg(total));
    }

    // Del and F2 need a selected row with a quantity; Del works wherever the focus is.
    void removeItemCommand()
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
        m_session->tree().setFocus();
        QTest::keyClick(window, Qt::Key_Delete);
        QTest::keyClick(window, Qt::Key_Delete); // nothing is selected any more
        QCOMPARE(listed(), QStringList({"1|Butter|Dairy", "|Apples|", "1|Pears|"}));
        QVERIFY(ticked(4)); // the node keeps its tick
        QCOMPARE(m_session->panel(3), u"  3 unique items "_qs);
    }

    void headerClicksFlipTheDirection()
    {
        appendRows(m_session->list(), {u"10|banana|"_qs, u"2|Apple|"_qs, u"1|cherry|"_qs});
        QHeaderView *header = m_session->listView().header();
        auto sortBy = [&](int section) {
            const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            return listed();
        };
        QCOMPARE(sortBy(1), QStringList({"1|cherry|", "10|banana|", "2|Apple|"}));
        QCOMPARE(sortBy(1), QStringList({"2|Apple|", "10|banana|", "1|cherry|"}));
        // As text, descending at the first click on another column.
        QCOMPARE(sortBy(0), QStringList({"2|Apple|", "10|banana|", "1|cherry|"}));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    }

private:
    QStringList listed() const { return rows(m_session->list()); }
    bool ticked(int position) const { return m_session->catalogue().node(position).ticked; }

    std::unique_ptr<WindowSession> m_session;
};

QTEST_MAIN(TestPicking)
#include "tst_picking.moc"
