#include "support/WindowSession.h"

#include <QDir>
#include <QTest>

// New List, Open and Save List, from the menu with the file dialog answered.
class TestFileCommands : public QObject
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

    void saveNewOpen()
    {
        ShoppingWindow *window = m_session->window.get();
        appendRows(m_session->list(), {u"2|Milk|Dairy"_qs, u"1|Pears|Fruit and Veg"_qs});
        m_session->platform.answerFileName(m_session->folder.filePath(u"week.shp"_qs));
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);

        m_session->tick(8, true);
        m_session->platform.messageAnswers = {MessageAnswer::Discard};
        QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(!m_session->catalogue().node(8).ticked);
        QCOMPARE(m_session->panel(2), u"  Total Quantity = 0  "_qs); // the totals updated

        m_session->platform.answerFileName(m_session->folder.filePath(u"week.shp"_qs));
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_session->panel(2), u"  Total Quantity = 3  "_qs);
        QCOMPARE(m_session->panel(3), u"  2 unique items "_qs);

        // Another file replaces the list opened; its items are ticked.
        m_session->folder.write(u"in.shp"_qs,
                                "2,Milk,Fruit and Veg,\r\n" // the Milk under Fruit and Veg
                                "1,Apples,Dairy,\r\n"       // not under that category
                                "5,Milk,Fruit and Veg,\r\n" // a duplicate row stays a row
                                "1,Bread,,\r\n");           // not in the catalogue
        m_session->open(u"in.shp"_qs);
        QCOMPARE(rows(m_session->list()), QStringList({"2|Milk|Fruit and Veg", "1|Apples|Dairy",
                                                       "5|Milk|Fruit and Veg", "1|Bread|"}));
        const Catalogue &catalogue = m_session->catalogue();
        const QTreeView &tree = m_session->tree();
        auto expanded = [&](int heading) {
            return tree.isExpanded(tree.model()->index(heading, 0, tree.model()->index(0, 0)));
        };
        QVERIFY(expanded(1));
        QVERIFY(!expanded(0));
        QVERIFY(tree.isVisible());
        QCOMPARE(m_session->panel(2), u"  Total Quantity = 9  "_qs);
        QCOMPARE(m_session->platform.messages.size(), 1); // only New's unsaved list question

        // A heading after one without items is expanded too.
        m_session->folder.write(u"Dairy.txt"_qs, ";Dairy\r\n");
        m_session->open(u"in.shp"_qs);
        QVERIFY(expanded(1));
        QVERIFY(catalogue.node(6).ticked);

        // A zero-byte file gives an empty list and a fresh catalogue.
        m_session->folder.write(u"empty.shp"_qs, QByteArray());
        m_session->open(u"empty.shp"_qs);
        QCOMPARE(m_session->list().count(), 0);
        QVERIFY(!catalogue.node(6).ticked);
    }

    // The dialogs are set up afresh each time; a cancel, or a confirmed "*.SHP", changes nothing.
    void cancelOrNoFileChangesNothing()
    {
        ScriptedPlatform &platform = m_session->platform;
        appendRows(m_session->list(), {u"1|Milk|Dairy"_qs});
        m_session->tick(6, true);
        m_session->list().setUnchanged(); // saved: Open asks nothing
        for (const QString &command : {u"mnuFile(1)"_qs, u"mnuFile(2)"_qs}) {
            platform.commonDialog().flags = 259; // left by a font dialog
            platform.cancelNextDialog();
            m_session->trigger(command);
            platform.answerFileName(u"*.SHP"_qs);
            m_session->trigger(command);
        }
        QCOMPARE(platform.dialogs.size(), 4);
        QCOMPARE(platform.dialogs[0].kind, ScriptedPlatform::DialogKind::Open);
        QCOMPARE(platform.dialogs[0].properties.dialogTitle, u"Choose a shopping list to open"_qs);
        QCOMPARE(platform.dialogs[2].kind, ScriptedPlatform::DialogKind::Save);
        QCOMPARE(platform.dialogs[2].properties.dialogTitle, u"Saving Shopping List"_qs);
        for (const auto &shown : std::as_const(platform.dialogs)) {
            const CommonDialog &dialog = shown.properties;
            QVERIFY(dialog.cancelError);
            QCOMPARE(
                QStringList({dialog.filter, dialog.defaultExt, dialog.fileName, dialog.initDir}),
                QStringList({"*.shp", "shp", "*.SHP", m_session->folder.path()}));
        }
        QVERIFY(platform.messages.isEmpty());
        // "*.shp" is a name like any other, here of a file that is not there.
        m_session->open(u"*.shp"_qs);
        QCOMPARE(platform.messages.size(), 1);
        const QString path = QDir::toNativeSeparators(m_session->folder.filePath(u"*.shp"_qs));
        QVERIFY(platform.messages[0].text.startsWith(u"The shopping list "_qs + path));
        QCOMPARE(rows(m_session->list()), QStringList{"2|Milk|Dairy"});
        QVERIFY(m_session->catalogue().node(6).ticked);
        QCOMPARE(QDir(m_session->folder.path()).entryList({u"*.shp"_qs}), QStringList());
    }

    // A file named on the command line opens as Open opens it; one that cannot be read is told
    // of, and the list stays empty.
    void openNamedFile()
    {
        m_session->folder.write(u"week.shp"_qs, "2,Milk,Dairy,\r\n");
        m_session->window->OpenListFile(m_session->folder.filePath(u"week.shp"_qs));
        QCOMPARE(rows(m_session->list()), QStringList{"2|Milk|Dairy"});
        QVERIFY(m_session->catalogue().node(4).ticked);
        WindowSession fresh;
        fresh.start();
        fresh.window->OpenListFile(fresh.folder.filePath(u"gone.shp"_qs));
        QCOMPARE(fresh.platform.messages.size(), 1);
        QVERIFY(fresh.platform.messages[0].text.startsWith(u"The shopping list "_qs));
        QCOMPARE(fresh.list().count(), 0);
    }

private:
    std::unique_ptr<WindowSession> m_session;
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
