#include "catalogue/CatalogueModel.h"
#include "print/ChecklistText.h"
#include "support/WindowSession.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(OtherItem)

// The Edit menu's commands, Save as PDF and what the status bar says after a command, through
// the real window.
class TestEditCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_session = std::make_unique<WindowSession>();
        m_session->start();
    }

    void cleanup()
    {
        QCOMPARE(m_session->platform.unanswered, 0);
        m_session.reset();
    }

    void find()
    {
        WindowSession &s = *m_session;
        auto *field = s.window->findChild<QLineEdit *>(u"txtFind"_qs);
        const QRect tree = s.tree().geometry();
        QTest::keyClick(s.window.get(), Qt::Key_K, Qt::ControlModifier);
        QVERIFY(field->isVisible() && field->hasFocus() && field->isClearButtonEnabled());
        QCOMPARE(field->geometry().top(), tree.top());
        QCOMPARE(s.tree().geometry().top(), field->geometry().bottom() + 1);

        const auto model = static_cast<const CatalogueModel *>(s.tree().model());
        QTest::keyClicks(field, u"PÉA"_qs);
        QCOMPARE(s.tree().selectedNode(), 8);
        QVERIFY(s.tree().isExpanded(model->indexOf(3)));
        field->clear();
        QTest::keyClicks(field, u"milk"_qs);
        QList<int> found{s.tree().selectedNode()};
        for (const auto &[key, modifiers] :
             {std::pair(Qt::Key_Return, Qt::NoModifier), std::pair(Qt::Key_F3, Qt::NoModifier),
              std::pair(Qt::Key_F3, Qt::ShiftModifier)}) {
            QTest::keyClick(field, key, modifiers);
            found << s.tree().selectedNode();
        }
        QCOMPARE(found, QList<int>({4, 6, 9, 6})); // the tree's order, and back
        QTest::keyClick(field, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(rows(s.list()), QStringList{"1|Milk|Dairy"});
        QVERIFY(s.catalogue().node(6).ticked);
        QCOMPARE(s.panel(3), u"  1 unique items "_qs);

        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible() && s.tree().hasFocus());
        QCOMPARE(s.tree().geometry(), tree);
    }

    // Answers to the dialog, one after the other, for one command each; the rows, the
    // catalogue files and the tree after them.
    void addOtherItem()
    {
        WindowSession &s = *m_session;
        s.tick(7, true); // Apples
        s.clickNode(7);
        s.platform.otherItemAnswers << OtherItem{"2", "Kiwi, gold", "Fruit and Veg", true}
                                    << OtherItem{"2", "Kiwi", "Fruit and Veg", true};
        QTest::keyClick(s.window.get(), Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.platform.otherItemRequests.size(), 2);
        const auto &first = s.platform.otherItemRequests[0];
        QCOMPARE(first.proposed.quantity, u"1"_qs);
        QCOMPARE(first.proposed.category, u"Fruit and Veg"_qs);
        QCOMPARE(first.categories, QStringList({"Dairy", "Fruit and Veg"}));
        QCOMPARE(s.platform.otherItemRequests[1].proposed.item, u"Kiwi, gold"_qs); // asked again
        QVERIFY(s.platform.messages.last().text.contains(u"comma"));
        QCOMPARE(s.folder.read(u"Fruit.txt"_qs),
                 QByteArray(";Fruit and Veg\r\nApples\r\nPears\r\nMilk\r\nKiwi\r\n"));
        QCOMPARE(s.tree().selectedNode(), 10);
        QCOMPARE(s.catalogue().node(10).parent, 3);

        s.platform.otherItemAnswers << OtherItem{"3", "Kiwi", "Fruit and Veg", true}
                                    << OtherItem{"1", "Crisps", "Snacks", true}
                                    << OtherItem{"1", "Salt", "", false};
        for (int i = 0; i < 3; ++i) {
            s.trigger(u"mnuEditAddOther"_qs);
        }
        QCOMPARE(rows(s.list()), QStringList({"1|Apples|Fruit and Veg", "5|Kiwi|Fruit and Veg",
                                              "1|Crisps|Snacks", "1|Salt|"}));
        QCOMPARE(s.folder.read(u"Fruit.txt"_qs).count("Kiwi"), 1);
        QCOMPARE(s.folder.read(u"headings.txt"_qs), QByteArray("Dairy\r\nFruit\r\nSnacks\r\n"));
        QCOMPARE(s.folder.read(u"Snacks.txt"_qs), QByteArray(";Snacks\r\nCrisps\r\n"));
        QVERIFY(s.catalogue().node(7).ticked);
        QCOMPARE(s.panel(2), u"  Total Quantity = 8  "_qs);
        s.platform.otherItemAnswers << std::nullopt; // cancelled
        s.trigger(u"mnuEditAddOther"_qs);
        QCOMPARE(s.list().count(), 4);
    }

    void copyListAsText()
    {
        appendRows(m_session->list(), {"2|Milk|Dairy", "1|Cheese|Dairy"});
        QTest::keyClick(m_session->window.get(), Qt::Key_C,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 ListAsChecklist(m_session->list(), QDate::currentDate()));
        QVERIFY(QGuiApplication::clipboard()->text().endsWith(
            u"\n\nDairy\n- [ ] Milk ( x2 )\n- [ ] Cheese\n"_qs));
    }

    // Each command tells what it did in the first panel until the timer greets again; a
    // command that did nothing says nothing.
    void statusMessages()
    {
        WindowSession &s = *m_session;
        auto *greet = s.window->findChild<QTimer *>(u"greetAgain"_qs);
        appendRows(s.list(), {"2|Milk|Dairy", "1|Cheese|Dairy"});
        s.save(u"week.shp"_qs);
        QCOMPARE(s.panel(1), u"Saved week.shp"_qs);
        QVERIFY(greet->isActive() && greet->interval() == 5000);
        QVERIFY(QMetaObject::invokeMethod(greet, "timeout"));
        QCOMPARE(s.panel(1), u"Welcome to the Shopping List"_qs);

        s.open(u"week.shp"_qs);
        QCOMPARE(s.panel(1), u"Opened week.shp: 2 items"_qs);
        s.fileCommand(u"mnuFilePdf"_qs, u"week.pdf"_qs);
        QCOMPARE(s.panel(1), u"Saved week.pdf"_qs);
        QVERIFY(s.folder.read(u"week.pdf"_qs).startsWith("%PDF"));
        QCOMPARE(s.platform.dialogs.last().properties.filter, u"*.pdf"_qs);

        QVERIFY(QMetaObject::invokeMethod(greet, "timeout"));
        s.platform.cancelNextDialog();
        s.trigger(u"mnuFilePdf"_qs);
        QCOMPARE(s.panel(1), u"Welcome to the Shopping List"_qs);
    }

private:
    std::unique_ptr<WindowSession> m_session;
};

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
