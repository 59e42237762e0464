#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

using Files = QList<QPair<QString, QByteArray>>;

namespace {

// The tree as text: a heading as "text(children)", an item as its text, siblings split by "|".
QString dump(const Catalogue &tree, int position = 1)
{
    QStringList children;
    for (const int child : tree.node(position).children) {
        children << dump(tree, child);
    }
    const QString &text = tree.node(position).text;
    return tree.isItem(position) ? text : text + u'(' + children.join(u'|') + u')';
}

// The messages of a log, after date, time, login and computer.
QStringList messages(const QByteArray &log)
{
    QStringList lines = QString::fromUtf8(log).split(u"\r\n"_qs, Qt::SkipEmptyParts);
    for (QString &line : lines) {
        line = line.section(u',', 4);
    }
    return lines;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void init() { LogLevel = 3; }
    void cleanup() { LogLevel = 0; }

    // Finding nodes by text is indexed; it must give what a scan in position order gives, also
    // after nodes are renamed.
    void indexMatchesAScan()
    {
        QRandomGenerator random(7);
        const QStringList texts = {"List", "Dairy", "Milk", "milk", "", " Milk", "Fruit"};
        for (int round = 0; round < 30; ++round) {
            Catalogue catalogue;
            const Catalogue::Rebuild rebuild(catalogue);
            catalogue.addNode(0, u"r"_qs, u"List"_qs, NodeImage::Closed);
            for (int step = 0; step < 300; ++step) {
                const int position = int(random.bounded(catalogue.count())) + 1;
                const QString &text = texts[random.bounded(texts.size())];
                if (random.bounded(4) == 0) {
                    catalogue.setText(position, text);
                } else {
                    catalogue.addNode(position, {}, text, NodeImage::Doc);
                }
                for (const QString &wanted : texts) {
                    QList<int> scanned;
                    QList<int> indexed;
                    for (int p = 1; p <= catalogue.count(); ++p) {
                        scanned << (catalogue.node(p).text == wanted ? QList<int>{p}
                                                                     : QList<int>{});
                    }
                    for (int p = catalogue.findFirst(wanted); p != 0; p = catalogue.findNext(p)) {
                        indexed << p;
                    }
                    QCOMPARE(indexed, scanned);
                }
            }
        }
    }

    // Headings come from headings.txt, each heading's items and caption from its own file.
    // An empty tree in a row means that the load fails for want of headings.txt.
    void load_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("tree");
        QTest::newRow("caption renames heading")
            << Files{{"headings.txt", "Dairy"},
                     {"Dairy.txt", ";Dairy and Eggs\r\nMilk\r\nEggs\r\n"}}
            << u"List(Dairy and Eggs(Milk|Eggs))"_qs;
        QTest::newRow("only captions and empty lines")
            << Files{{"headings.txt", ";comment\n\n;another\n"}} << u"List()"_qs;
        QTest::newRow("no caption leaves heading empty")
            << Files{{"headings.txt", "Fruit\n"}, {"Fruit.txt", "Apples\n"}}
            << u"List((Apples))"_qs;
        QTest::newRow("last caption wins, lone semicolon an empty one")
            << Files{{"headings.txt", "A"}, {"A.txt", ";x\n;\n x\n ;x\n"}} << u"List(( x| ;x))"_qs;
        QTest::newRow("duplicate headings fill the first")
            << Files{{"headings.txt", "Dairy\nDairy\n"}, {"Dairy.txt", ";Dairy\nMilk\n"}}
            << u"List(Dairy(Milk|Milk)|Dairy())"_qs;
        QTest::newRow("heading named List fills the root")
            << Files{{"headings.txt", "List"}, {"List.txt", ";Misc\nString"}}
            << u"List(Misc()|String)"_qs;
        QTest::newRow("first of two names that differ in case")
            << Files{{"HEADINGS.TXT", "Dairy"}, {"dairy.txt", ";lower"}, {"DAIRY.txt", ";up"}}
            << u"List(up())"_qs;
        QTest::newRow("letter case beyond ASCII")
            << Files{{"headings.txt", "Cr\xC3\xA8me"}, {"CR\xC3\x88ME.TXT", ";C\nx"}}
            << u"List(C(x))"_qs;
        QTest::newRow("missing file keeps later headings")
            << Files{{"headings.txt", "Gone\nB\n"}, {"B.txt", ";B\nz\n"}} << u"List(()|B(z))"_qs;
        QTest::newRow("Windows-1252")
            << Files{{"headings.txt", "A"}, {"A.txt", ";Fr\xFC\nCr\xE8me"}}
            << u"List(Frü(Crème))"_qs;
        QTest::newRow("no headings file") << Files{{"Dairy.txt", "Milk\n"}} << QString();
        QTest::newRow("a folder named like it") << Files{{"headings.txt/", ""}} << QString();
    }

    void load()
    {
        QFETCH(Files, files);
        QFETCH(QString, tree);
        TestFolder folder;
        for (const auto &[name, bytes] : files) {
            if (name.endsWith(u'/')) {
                QVERIFY(QDir(folder.path()).mkdir(name));
            } else {
                folder.write(name, bytes);
            }
        }
        Catalogue catalogue;
        QCOMPARE(LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs)),
                 !tree.isEmpty());
        QCOMPARE(dump(catalogue), tree.isEmpty() ? u"List()"_qs : tree);
        QVERIFY(catalogue.node(1).expanded);
        for (int position = 2; position <= catalogue.count(); ++position) {
            QVERIFY(!catalogue.node(position).ticked && !catalogue.node(position).expanded);
        }
    }

    // A heading whose file is missing, or that cannot name a file in the program folder, loads
    // as an empty heading, and the log says so.
    void headingWithoutFile_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::newRow("missing") << u"Gone"_qs;
        QTest::newRow("question mark") << u"What?"_qs;
        QTest::newRow("parent folder") << u"../outside"_qs;
        QTest::newRow("into a subfolder") << u"inner/outside"_qs;
        QTest::newRow("absolute") << u"/tmp/outside"_qs;
        QTest::newRow("backslash") << u"..\\outside"_qs;
        QTest::newRow("control character") << u"a\tb"_qs;
    }

    void headingWithoutFile()
    {
        QFETCH(QString, heading);
        TestFolder outer;
        QDir(outer.path()).mkpath(u"program/inner"_qs);
        outer.write(u"outside.txt"_qs, ";Stolen\r\nsecret\r\n");
        outer.write(u"program/inner/outside.txt"_qs, ";Stolen\r\nsecret\r\n");
        outer.write(u"program/headings.txt"_qs, heading.toUtf8() + "\r\n");
        const QString program = outer.filePath(u"program"_qs);
        Catalogue catalogue;
        QVERIFY(LoadCatalogue(catalogue, program, Log(program, u"shopping"_qs)));
        QCOMPARE(dump(catalogue), u"List(())"_qs);
        QCOMPARE(messages(outer.read(u"program/shopping.log"_qs)),
                 QStringList(u"Error # 2'No such file or directory' while loading txt:'' from "_qs +
                             QDir(program).filePath(heading + u".txt"_qs)));
    }

    void treeStopsAtItsLimit()
    {
        TestFolder folder;
        folder.write(u"headings.txt"_qs, "A\r\nB\r\n");
        QByteArray items = ";A\r\n";
        for (int i = 0; i < 40000; ++i) {
            items += "item " + QByteArray::number(i) + "\r\n";
        }
        folder.write(u"A.txt"_qs, items);
        folder.write(u"B.txt"_qs, ";B\r\nb\r\n");
        Catalogue catalogue;
        QVERIFY(LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs)));
        QCOMPARE(catalogue.count(), Catalogue::MaxNodes);
        // Root and two headings, then as many items of A as fit; B keeps the caption read
        // before its first item failed.
        QCOMPARE(int(catalogue.node(2).children.size()), Catalogue::MaxNodes - 3);
        QCOMPARE(catalogue.node(3).text, u"B"_qs);
        const QStringList lines = messages(folder.read(u"shopping.log"_qs));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(u"Error # 75'"_qs));
        QVERIFY(lines[0].contains(u"while loading txt:'item 32764' from "_qs));
        QVERIFY(lines[1].contains(u"while loading txt:'b' from "_qs));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
