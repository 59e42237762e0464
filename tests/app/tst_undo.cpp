#include "support/WindowSession.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QTest>

using Command = std::function<void()>;
Q_DECLARE_METATYPE(Command)

// The Edit menu through the window: every command that changes the list is one step, named in
// the menu and taken back with the rows, their order and the tree's ticks; "+" and "-" on the
// selected row.
class TestUndo : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowSession> m_session;

    QAction &action(const char *name) const
    {
        return *m_session->window->findChild<QAction *>(QString::fromLatin1(name));
    }
    void key(QKeyCombination key) const
    {
        QTest::keyClick(m_session->window.get(), key.key(), key.keyboardModifiers());
    }
    void quantityKey(int row, Qt::Key key) const
    {
        m_session->clickRow(row);
        m_session->listView().setFocus();
        QTest::keyClick(&m_session->listView(), key);
    }
    void sortBy(int column) const
    {
        QHeaderView *header = m_session->listView().header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          {header->sectionViewportPosition(column) + 4, 4});
    }
    QSet<int> ticked() const
    {
        QSet<int> out;
        for (int p = 1; p <= m_session->catalogue().count(); ++p) {
            if (m_session->catalogue().node(p).ticked) {
                out.insert(p);
            }
        }
        return out;
    }
    std::pair<QStringList, QSet<int>> state() const { return {rows(m_session->list()), ticked()}; }

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
        m_session->list().setUnchanged(); // the session closes without a question
        m_session.reset();
    }

    // Between File and Item, and no key taken twice in the menus.
    void editMenu()
    {
        QStringList menus;
        QList<QKeySequence> keys;
        for (QAction *menu : m_session->window->menuBar()->actions()) {
            for (QAction *entry : menu->menu()->actions()) {
                menus << entry->text() + u' ' + QKeySequence::listToString(entry->shortcuts());
                keys << entry->shortcuts();
            }
        }
        QCOMPARE(QSet<QKeySequence>(keys.begin(), keys.end()).size(), keys.size());
        QCOMPARE(menus.mid(9, 9),
                 QStringList({"&Undo Ctrl+Z", "&Redo Ctrl+Y; Ctrl+Shift+Z", " ",
                              "Raise Quantity by One +", "Lower Quantity by One -", " ",
                              "&Find in Catalogue Ctrl+K", "Add &Other Item... Ctrl+Shift+Ins",
                              "&Copy List as Text Ctrl+Shift+C"}));
        QCOMPARE(menus[18], u"Add New item  Ctrl+Ins"_qs);
        QVERIFY(!action("mnuEditUndo").isEnabled() && !action("mnuEditRedo").isEnabled());
    }

    // Each command after Apples and Butter were double-clicked: the step's name, and the state
    // before and after it that undo and both redo keys give back.
    void namedSteps_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Command>("command");
        auto add = [](const char *name, Command command) {
            QTest::newRow(name) << QString::fromLatin1(name) << command;
        };
        add("Add Pears", [this] { m_session->tick(8, true); });
        add("Remove Butter", [this] { m_session->tick(5, false); });
        add("Add All in Dairy", [this] { m_session->tick(2, true); });
        add("Add Milk", [this] { m_session->clickNode(4, true); });
        add("Add Apples", [this] { m_session->clickNode(7), m_session->dropOnList(u"x"_qs); });
        add("Add All in Fruit and Veg",
            [this] { m_session->clickNode(3), key(Qt::CTRL | Qt::Key_Insert); });
        add("Remove Apples", [this] { m_session->clickRow(1), key(Qt::Key_Delete); });
        add("Change Quantity of Butter", [this] { m_session->clickRow(2), key(Qt::Key_F2); });
        add("Raise Quantity of Butter", [this] { quantityKey(2, Qt::Key_Plus); });
        add("Lower Quantity of Butter", [this] { quantityKey(2, Qt::Key_Minus); });
        add("Sort by Item", [this] { sortBy(1); });
        add("New List", [this] { m_session->trigger(u"mnuFile(0)"_qs); });
        add("Open List", [this] { m_session->open(u"week.shp"_qs); });
        add("Add Tea", [this] {
            m_session->platform.otherItemAnswers << OtherItem{u"2"_qs, u"Tea"_qs, u"Dairy"_qs};
            m_session->trigger(u"mnuEditAddOther"_qs);
        });
    }

    void namedSteps()
    {
        QFETCH(QString, name);
        QFETCH(Command, command);
        WindowSession &session = *m_session;
        session.clickNode(7, true);
        session.clickNode(5, true);
        session.folder.write(u"week.shp"_qs, "2,Milk,Dairy,\r\n");
        session.platform.messageAnswers
            << (name.startsWith(u"Add All") ? MessageAnswer::Yes : MessageAnswer::Discard);
        session.platform.inputAnswers << u"3"_qs;
        const auto before = state();
        command();
        const auto after = state();
        QVERIFY(after != before);
        QCOMPARE(action("mnuEditUndo").text(), u"&Undo "_qs + name);
        key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(state(), before);
        QCOMPARE(action("mnuEditRedo").text(), u"&Redo "_qs + name);
        QCOMPARE(session.panel(3), u"  2 unique items "_qs);
        key(Qt::CTRL | Qt::Key_Y);
        QCOMPARE(state(), after);
        QVERIFY(!action("mnuEditRedo").isEnabled());
        key(Qt::CTRL | Qt::Key_Z);
        key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QCOMPARE(state(), after);
    }

    // "+" and "-" in the list on its selected row; the tree keeps its own keys.
    void quickQuantities_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("2 +") << "2" << int(Qt::Key_Plus) << QStringList{"3|Milk|", "1|Tea|"};
        QTest::newRow("1.5 +") << "1.5" << int(Qt::Key_Plus) << QStringList{"2.5|Milk|", "1|Tea|"};
        QTest::newRow("lots +") << "lots" << int(Qt::Key_Plus) << QStringList{"1|Milk|", "1|Tea|"};
        QTest::newRow("2 kg -") << "2 kg" << int(Qt::Key_Minus) << QStringList{"1|Milk|", "1|Tea|"};
        QTest::newRow("1 -: removed") << "1" << int(Qt::Key_Minus) << QStringList{"1|Tea|"};
        QTest::newRow("0.5 -: removed") << "0.5" << int(Qt::Key_Minus) << QStringList{"1|Tea|"};
    }

    void quickQuantities()
    {
        QFETCH(QString, quantity);
        QFETCH(int, key);
        QFETCH(QStringList, after);
        appendRows(m_session->list(), {quantity + u"|Milk|"_qs, u"1|Tea|"_qs});
        const QStringList before = rows(m_session->list());
        m_session->tree().setFocus();
        QTest::keyClick(&m_session->tree(), Qt::Key(key));
        QCOMPARE(rows(m_session->list()), before);
        quantityKey(1, Qt::Key(key));
        QCOMPARE(rows(m_session->list()), after);
        QCOMPARE(m_session->listView().selectedRow(), after.size() - 1);
        this->key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(rows(m_session->list()), before);
    }

    // Commands, undo and redo at random against a model: the state after each step, the ticks a
    // step changed (ticks changed on their own stay as they are), and whether the list counts as
    // changed, which decides whether New List and Open ask first.
    void randomCommands()
    {
        QRandomGenerator random(20261208);
        WindowSession &session = *m_session;
        session.folder.write(u"a.shp"_qs, "2,Milk,Dairy,\r\n1,Pears,Fruit and Veg,\r\n");
        session.folder.write(u"e.shp"_qs, "");
        struct Step
        {
            QStringList rows; // after the step
            QSet<int> ticksBefore, ticksAfter;
        };
        QList<Step> steps{{rows(session.list()), {}, {}}};
        int done = 0;
        int saved = 0;
        bool changed = false;
        for (int round = 0; round < 400; ++round) {
            const int command = int(random.bounded(13));
            const int node = int(random.bounded(2, 10));
            const int count = session.list().count();
            const int row = count > 0 ? int(random.bounded(count)) + 1 : 0;
            if (row == 0 && command >= 4 && command <= 6) {
                continue;
            }
            if (command >= 11) {
                const bool back = command == 11;
                if (back ? done == 0 : done == steps.size() - 1) {
                    continue;
                }
                const Step &moved = steps[back ? done : done + 1];
                const QSet<int> &from = back ? moved.ticksAfter : moved.ticksBefore;
                const QSet<int> &to = back ? moved.ticksBefore : moved.ticksAfter;
                QSet<int> ticks = ticked();
                ticks.subtract(from - to).unite(to - from);
                key(back        ? Qt::CTRL | Qt::Key_Z
                    : round % 2 ? Qt::CTRL | Qt::Key_Y
                                : Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
                done += back ? -1 : 1;
                QCOMPARE(rows(session.list()), steps[done].rows);
                QCOMPARE(ticked(), ticks);
                changed = done != saved && !steps[done].rows.isEmpty();
                QCOMPARE(session.list().isChanged(), changed);
                QCOMPARE(action("mnuEditUndo").isEnabled(), done > 0);
                QCOMPARE(action("mnuEditRedo").isEnabled(), done < steps.size() - 1);
                continue;
            }
            const QStringList rowsBefore = rows(session.list());
            const QSet<int> ticksBefore = ticked();
            session.platform.messageAnswers
                << (random.bounded(2) ? MessageAnswer::Yes : MessageAnswer::No);
            if (changed && (command == 9 || command == 10)) {
                session.platform.messageAnswers.prepend(MessageAnswer::Discard);
            }
            session.platform.inputAnswers << QString::number(random.bounded(3));
            const bool file = random.bounded(2);
            switch (command) {
            case 0:
                session.tick(node, !session.catalogue().node(node).ticked);
                break;
            case 1:
                session.clickNode(node, true);
                break;
            case 2:
                session.clickNode(node);
                session.dropOnList(u"x"_qs);
                break;
            case 3:
                session.clickNode(node);
                key(Qt::CTRL | Qt::Key_Insert);
                break;
            case 4:
            case 5:
                session.clickRow(row);
                key(command == 4 ? Qt::Key_Delete : Qt::Key_F2);
                break;
            case 6:
                quantityKey(row, node % 2 ? Qt::Key_Plus : Qt::Key_Minus);
                break;
            case 7:
                sortBy(node % 3);
                changed = changed || count > 0;
                break;
            case 8:
                session.save(u"s.shp"_qs);
                saved = done;
                changed = false;
                break;
            default:
                command == 9 ? session.trigger(u"mnuFile(0)"_qs)
                             : session.open(file ? u"a.shp"_qs : u"e.shp"_qs);
                changed = false;
                break;
            }
            session.platform.messageAnswers.clear();
            session.platform.inputAnswers.clear();
            const bool replaces = command >= 9 && (count > 0 || (command == 10 && file));
            if (replaces || rows(session.list()) != rowsBefore) {
                saved = saved > done ? -1 : saved;
                steps.resize(++done);
                steps.append({rows(session.list()), ticksBefore, ticked()});
                changed = command < 9 && session.list().count() > 0;
            }
            saved = command >= 9 ? done : saved;
            QCOMPARE(session.list().isChanged(), changed);
        }
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
