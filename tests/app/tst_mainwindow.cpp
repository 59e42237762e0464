#include "app/CommandLine.h"
#include "app/FormLayout.h"
#include "app/HelpText.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    // The inner height and width, and the tree's and list's height and the list's width that
    // the rule gives them. Design sizes: tree and list 4215 high, list and its label 4335 wide.
    void resizeRule_data()
    {
        QTest::addColumn<QList<float>>("sizes");
        QTest::newRow("design inner area") << QList<float>{5280, 9420, 4465, 5010};
        QTest::newRow("minimised") << QList<float>{0, 0, 4215, 4335};
        QTest::newRow("height 3000 keeps") << QList<float>{3000, 9420, 4215, 5010};
        QTest::newRow("height 3001 sets") << QList<float>{3001, 9420, 2186, 5010};
        QTest::newRow("width 5160 keeps") << QList<float>{5280, 5160, 4465, 4335};
        QTest::newRow("width 5161 sets") << QList<float>{5280, 5161, 4465, 751};
    }

    void resizeRule()
    {
        QFETCH(QList<float>, sizes);
        FormLayout layout;
        ApplyResizeRule(layout, sizes[0], sizes[1]);
        QCOMPARE(layout.tvShopping.height, sizes[2]);
        QCOMPARE(layout.lvList.height, sizes[2]);
        QCOMPARE(layout.lvList.width, sizes[3]);
        QCOMPARE(layout.lblListView.width, sizes[3]);
        QCOMPARE(layout.tvShopping.width, 4125.f); // never changed by the rule
    }

    // The list is shown last at start-up. F1 shows how to use the program wherever the focus
    // is; so does a double click on the list. Exit ends the program.
    void startHelpAndExit()
    {
        WindowSession session;
        QVERIFY(session.listView().isHidden());
        session.start();
        QVERIFY(session.listView().isVisible());
        QVERIFY(session.tree().isExpanded(session.tree().model()->index(0, 0)));
        QCOMPARE(session.panel(2), u"  Total Quantity = 0  "_qs);
        QCOMPARE(session.panel(3), u"  0 unique items "_qs);
        session.listView().setFocus(); // tab order: the list, then the tree
        QTest::keyClick(&session.listView(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &session.tree());
        QTest::keyClick(session.window.get(), Qt::Key_F1);
        session.listView().setFocus();
        QTest::keyClick(session.window.get(), Qt::Key_F1);
        appendRows(session.list(), {u"1|Bread|"_qs});
        ListView &view = session.listView();
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {},
                           view.visualRect(view.model()->index(0, 1)).center());
        QCOMPARE(session.platform.messages.size(), 3);
        QVERIFY(session.platform.messages[0].text.contains(u"directory,\r\n   "_qs +
                                                           session.folder.path() + u"\r\n"_qs));
        for (const MessageBoxRequest &shown : std::as_const(session.platform.messages)) {
            QCOMPARE(shown.text,
                     HowToUseText(ProgramFolders::inProgramFolder(session.folder.path())));
            QCOMPARE(shown.title, u"shopping"_qs);
        }
        QSignalSpy ended(session.window.get(), &ShoppingWindow::programEnded);
        session.platform.messageAnswers = {MessageAnswer::Discard};
        session.trigger(u"mnuFile(7)"_qs);
        QCOMPARE(ended.count(), 1);
    }

    // A missing index file is told of, and the program goes on with only the root.
    void missingHeadingsIsToldAndTheProgramGoesOn()
    {
        WindowSession session(WindowSession::WithoutCatalogue);
        session.start();
        QCOMPARE(session.platform.messages.size(), 1);
        const MessageBoxRequest &shown = session.platform.messages.constFirst();
        QCOMPARE(shown.icon, MessageIcon::Critical);
        QCOMPARE(shown.title, u"Torvy Software's Vendrel"_qs);
        QVERIFY(shown.text.startsWith(u"Warning - cant find headings.txt"));
        QVERIFY(shown.text.contains(session.folder.path()));
        QCOMPARE(session.catalogue().count(), 1);
        QVERIFY(session.window->isVisible());
    }

    // The list file to open, or the exit code and the first words printed.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode"); // -1: the program runs
        QTest::addColumn<QString>("output");
        QTest::newRow("nothing") << QStringList() << -1 << QString();
        QTest::newRow("a file") << QStringList{"week.shp"} << -1
                                << QDir::current().filePath("week.shp");
        QTest::newRow("a file like an option")
            << QStringList{"--", "-x.shp"} << -1 << QDir::current().filePath("-x.shp");
        QTest::newRow("two files") << QStringList{"a.shp", "b.shp"} << 2 << "Only one list file";
        QTest::newRow("unknown option")
            << QStringList{"--print", "a.shp"} << 2 << "Unknown option 'print'. Usage: shopping ";
        QTest::newRow("help") << QStringList{"-h"} << 0
                              << "Usage: shopping [--help] [--version] [FILE.shp]\n\n";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "shopping 1.2.";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        const CommandLine command = CommandLine::parse(QStringList{"shopping"} + arguments);
        QCOMPARE(command.exitCode.value_or(-1), exitCode);
        QCOMPARE(exitCode < 0 ? command.file : command.output.left(output.size()), output);
        if (exitCode == 2) {
            QCOMPARE(command.output.count(u'\n'), 1); // a mistake is told on one line
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
