#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QTest>

using Files = QList<QPair<QString, QByteArray>>;
Q_DECLARE_METATYPE(Files)

namespace {

// The tree as text: one node a line, indented by depth, items marked with "-", headings "+".
QString dump(const Catalogue &tree)
{
    QStringList lines;
    std::function<void(int, int)> walk = [&](int position, int depth) {
        const CatalogueNode &node = tree.node(position);
        lines << QString(depth, u' ') + (tree.isItem(position) ? u'-' : u'+') + u'[' + node.text +
                     u']';
        for (const int child : node.children) {
            walk(child, depth + 1);
        }
    };
    for (const int top : tree.topLevel()) {
        walk(top, 0);
    }
    return lines.join(u'\n');
}

QStringList logLines(const TestFolder &folder)
{
    const QString text = QString::fromUtf8(folder.read(QStringLiteral("shopping.log")));
    QStringList lines;
    for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        lines << line.section(u',', 4); // the message, after date, time, login and computer
    }
    return lines;
}

} // namespace

class TestCatalogueLoader : public QObject
{
    Q_OBJECT

private slots:
    void init() { LogLevel = 3; }
    void cleanup() { LogLevel = 0; }
    void shapes_data();
    void shapes();
    void positionsFollowInsertionOrder();
    void missingHeadingsFile();
    void missingCategoryFileIsLogged();
    void unsafeHeadingNamesStayInTheFolder_data();
    void unsafeHeadingNamesStayInTheFolder();
    void loadingTwiceGivesTheSameTree();
    void treeStopsAtItsLimit();
    void windows1252File();
};

void TestCatalogueLoader::shapes_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("tree");

    QTest::newRow("caption renames heading")
        << Files{{"headings.txt", "Dairy\r\n"},
                 {"Dairy.txt", ";Dairy and Eggs\r\nMilk\r\nButter\r\n"}}
        << "+[List]\n +[Dairy and Eggs]\n  -[Milk]\n  -[Butter]";
    QTest::newRow("only captions and empty lines")
        << Files{{"headings.txt", ";comment\r\n\r\n;another\r\n"}} << "+[List]";
    QTest::newRow("no caption leaves heading empty")
        << Files{{"headings.txt", "Fruit\r\n"}, {"Fruit.txt", "Apples\r\nPears"}}
        << "+[List]\n +[]\n  -[Apples]\n  -[Pears]";
    QTest::newRow("last caption wins")
        << Files{{"headings.txt", "Fruit\r\n"},
                 {"Fruit.txt", ";Fruit\r\nApples\r\n;Fruit and Vegetables\r\n"}}
        << "+[List]\n +[Fruit and Vegetables]\n  -[Apples]";
    QTest::newRow("lone semicolon is an empty caption")
        << Files{{"headings.txt", "A\r\n"}, {"A.txt", ";x\r\n;\r\n x\r\n ;x\r\n"}}
        << "+[List]\n +[]\n  -[ x]\n  -[ ;x]";
    QTest::newRow("blanks kept") << Files{{"headings.txt", "A\r\n"},
                                          {"A.txt", ";A\r\n  Milk  \r\n   \r\n"}}
                                 << "+[List]\n +[A]\n  -[  Milk  ]\n  -[   ]";
    QTest::newRow("duplicate headings fill the first")
        << Files{{"headings.txt", "Dairy\r\nDairy\r\n"}, {"Dairy.txt", ";Dairy\r\nMilk\r\n"}}
        << "+[List]\n +[Dairy]\n  -[Milk]\n  -[Milk]\n +[Dairy]";
    QTest::newRow("heading named List fills the root")
        << Files{{"headings.txt", "List\r\n"}, {"List.txt", ";Misc\r\nString\r\n"}}
        << "+[List]\n +[Misc]\n -[String]";
    QTest::newRow("duplicate items")
        << Files{{"headings.txt", "A\r\n"}, {"A.txt", ";A\r\nMilk\r\nMilk\r\n"}}
        << "+[List]\n +[A]\n  -[Milk]\n  -[Milk]";
    QTest::newRow("CR only line ends")
        << Files{{"headings.txt", "A\rB\r"}, {"A.txt", ";A\rx\ry"}, {"B.txt", ";B\rz\r"}}
        << "+[List]\n +[A]\n  -[x]\n  -[y]\n +[B]\n  -[z]";
    QTest::newRow("LF only line ends")
        << Files{{"headings.txt", "A\nB\n"}, {"A.txt", ";A\nx\n\ny\n"}, {"B.txt", ";B\nz"}}
        << "+[List]\n +[A]\n  -[x]\n  -[y]\n +[B]\n  -[z]";
    QTest::newRow("mixed line ends")
        << Files{{"headings.txt", "A\r\n"}, {"A.txt", ";A\r\nx\ny\rz\r\n"}}
        << "+[List]\n +[A]\n  -[x]\n  -[y]\n  -[z]";
    QTest::newRow("file names ignore case")
        << Files{{"HEADINGS.TXT", "Dairy\r\n"}, {"dairy.TXT", ";Dairy\r\nMilk\r\n"}}
        << "+[List]\n +[Dairy]\n  -[Milk]";
    QTest::newRow("first of two names that differ in case")
        << Files{{"headings.txt", "Dairy\r\n"},
                 {"dairy.txt", ";lower\r\nl\r\n"},
                 {"DAIRY.txt", ";upper\r\nu\r\n"}}
        << "+[List]\n +[upper]\n  -[u]";
    QTest::newRow("letter case beyond ASCII")
        << Files{{"headings.txt", "Cr\xC3\xA8me\r\n"}, {"CR\xC3\x88ME.TXT", ";C\r\nx\r\n"}}
        << "+[List]\n +[C]\n  -[x]";
    QTest::newRow("missing file keeps later headings")
        << Files{{"headings.txt", "Gone\r\nB\r\n"}, {"B.txt", ";B\r\nz\r\n"}}
        << "+[List]\n +[]\n +[B]\n  -[z]";
    QTest::newRow("UTF-8 byte order mark dropped")
        << Files{{"headings.txt", "\xEF\xBB\xBF"
                                  "Caf\xC3\xA9\r\n"},
                 {"Caf\xC3\xA9.txt", ";Caf\xC3\xA9\r\nCr\xC3\xA8me\r\n"}}
        << QString::fromUtf8("+[List]\n +[Café]\n  -[Crème]");
}

void TestCatalogueLoader::shapes()
{
    QFETCH(Files, files);
    QFETCH(QString, tree);
    TestFolder folder;
    for (const auto &[name, bytes] : files) {
        folder.write(name, bytes);
    }
    Catalogue catalogue;
    const Log log(folder.path(), QStringLiteral("shopping"));
    QVERIFY(LoadCatalogue(catalogue, folder.path(), log));
    QCOMPARE(dump(catalogue), tree);
    QVERIFY(catalogue.node(1).expanded);
    QCOMPARE(catalogue.node(1).key, QStringLiteral("r"));
    for (int position = 2; position <= catalogue.count(); ++position) {
        QVERIFY(!catalogue.node(position).ticked);
        QVERIFY(!catalogue.node(position).expanded);
    }
}

void TestCatalogueLoader::positionsFollowInsertionOrder()
{
    TestFolder folder;
    folder.write(QStringLiteral("headings.txt"), "A\r\nB\r\n");
    folder.write(QStringLiteral("A.txt"), ";A\r\na1\r\na2\r\n");
    folder.write(QStringLiteral("B.txt"), ";B\r\nb1\r\n");
    Catalogue catalogue;
    QVERIFY(
        LoadCatalogue(catalogue, folder.path(), Log(folder.path(), QStringLiteral("shopping"))));
    QStringList texts;
    for (int position = 1; position <= catalogue.count(); ++position) {
        texts << catalogue.node(position).text;
    }
    QCOMPARE(texts, QStringList({"List", "A", "B", "a1", "a2", "b1"}));
    QCOMPARE(catalogue.findFirst(QStringLiteral("b1")), 6);
    QCOMPARE(catalogue.findFirst(QStringLiteral("missing")), 0);
}

void TestCatalogueLoader::missingHeadingsFile()
{
    TestFolder folder;
    folder.write(QStringLiteral("Dairy.txt"), "Milk\r\n");
    Catalogue catalogue;
    QVERIFY(
        !LoadCatalogue(catalogue, folder.path(), Log(folder.path(), QStringLiteral("shopping"))));
    QCOMPARE(dump(catalogue), QStringLiteral("+[List]"));
    QCOMPARE(MissingHeadingsText(QStringLiteral("/opt/shop")),
             QStringLiteral("Warning - cant find headings.txt in /opt/shop   This program needs "
                            "this file to run - you need to run setup again"));
    QCOMPARE(MissingHeadingsTitle(), QStringLiteral("Torvy Software's Vendrel"));

    // A folder of that name is not the file.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("headings.txt")));
    QVERIFY(
        !LoadCatalogue(catalogue, folder.path(), Log(folder.path(), QStringLiteral("shopping"))));
}

void TestCatalogueLoader::missingCategoryFileIsLogged()
{
    TestFolder folder;
    folder.write(QStringLiteral("headings.txt"), "Gone\r\n");
    Catalogue catalogue;
    QVERIFY(
        LoadCatalogue(catalogue, folder.path(), Log(folder.path(), QStringLiteral("shopping"))));
    QCOMPARE(logLines(folder),
             QStringList(QStringLiteral("Error # 2'No such file or directory' while loading "
                                        "txt:'' from ") +
                         folder.filePath(QStringLiteral("Gone.txt"))));

    // Nothing is written while the threshold stays at its initial 0.
    LogLevel = 0;
    QFile::remove(folder.filePath(QStringLiteral("shopping.log")));
    QVERIFY(
        LoadCatalogue(catalogue, folder.path(), Log(folder.path(), QStringLiteral("shopping"))));
    QVERIFY(!folder.exists(QStringLiteral("shopping.log")));
}

void TestCatalogueLoader::unsafeHeadingNamesStayInTheFolder_data()
{
    QTest::addColumn<QString>("heading");
    QTest::newRow("question mark") << "What?";
    QTest::newRow("parent folder") << "../outside";
    QTest::newRow("absolute") << "/tmp/outside";
    QTest::newRow("backslash") << "..\\outside";
    QTest::newRow("colon") << "a:b";
    QTest::newRow("star") << "*";
    QTest::newRow("control character") << "a\tb";
}

void TestCatalogueLoader::unsafeHeadingNamesStayInTheFolder()
{
    QFETCH(QString, heading);
    TestFolder outer;
    QDir(outer.path()).mkdir(QStringLiteral("program"));
    const QString program = outer.filePath(QStringLiteral("program"));
    outer.write(QStringLiteral("outside.txt"), ";Stolen\r\nsecret\r\n");
    QFile headings(QDir(program).filePath(QStringLiteral("headings.txt")));
    QVERIFY(headings.open(QIODevice::WriteOnly));
    headings.write(heading.toUtf8() + "\r\n");
    headings.close();

    Catalogue catalogue;
    QVERIFY(LoadCatalogue(catalogue, program, Log(program, QStringLiteral("shopping"))));
    QCOMPARE(dump(catalogue), QStringLiteral("+[List]\n +[]"));
    QFile log(QDir(program).filePath(QStringLiteral("shopping.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    QVERIFY2(logged.contains(QStringLiteral("Error # 2'No such file or directory'")),
             qPrintable(logged));
    QVERIFY(!logged.contains(QStringLiteral("secret")));
}

void TestCatalogueLoader::loadingTwiceGivesTheSameTree()
{
    TestFolder folder;
    folder.write(QStringLiteral("headings.txt"), "A\r\n");
    folder.write(QStringLiteral("A.txt"), ";A\r\nx\r\n");
    Catalogue catalogue;
    const Log log(folder.path(), QStringLiteral("shopping"));
    QVERIFY(LoadCatalogue(catalogue, folder.path(), log));
    catalogue.setTicked(3, true);
    const QString first = dump(catalogue);
    QVERIFY(LoadCatalogue(catalogue, folder.path(), log));
    QCOMPARE(dump(catalogue), first);
    QCOMPARE(catalogue.count(), 3);
    QVERIFY(!catalogue.node(3).ticked);
}

void TestCatalogueLoader::treeStopsAtItsLimit()
{
    TestFolder folder;
    folder.write(QStringLiteral("headings.txt"), "A\r\nB\r\n");
    QByteArray items = ";A\r\n";
    for (int i = 0; i < 40000; ++i) {
        items += "item " + QByteArray::number(i) + "\r\n";
    }
    folder.write(QStringLiteral("A.txt"), items);
    folder.write(QStringLiteral("B.txt"), ";B\r\nb\r\n");
    Catalogue catalogue;
    QVERIFY(
        LoadCatalogue(catalogue, folder.path(), Log(folder.path(), QStringLiteral("shopping"))));
    QCOMPARE(catalogue.count(), Catalogue::MaxNodes);
    // Root and two headings, then as many items of A as fit; B keeps the caption read before
    // its first item failed.
    QCOMPARE(catalogue.node(2).text, QStringLiteral("A"));
    QCOMPARE(int(catalogue.node(2).children.size()), Catalogue::MaxNodes - 3);
    QCOMPARE(catalogue.node(3).text, QStringLiteral("B"));
    QVERIFY(catalogue.node(3).children.empty());
    const QStringList logged = logLines(folder);
    QCOMPARE(logged.size(), 2);
    QVERIFY(logged[0].startsWith(QStringLiteral("Error # 75'")));
    QVERIFY(logged[0].contains(QStringLiteral("while loading txt:'item 32764' from ")));
}

void TestCatalogueLoader::windows1252File()
{
    TestFolder folder;
    folder.write(QStringLiteral("headings.txt"), "Fruit\r\n");
    folder.write(QStringLiteral("Fruit.txt"), ";Fr\xFC"
                                              "chte\r\nCr\xE8"
                                              "me \x80\r\n");
    Catalogue catalogue;
    QVERIFY(
        LoadCatalogue(catalogue, folder.path(), Log(folder.path(), QStringLiteral("shopping"))));
    QCOMPARE(catalogue.node(2).text, QString::fromUtf8("Früchte"));
    QCOMPARE(catalogue.node(3).text, QString::fromUtf8("Crème €"));
}

QTEST_GUILESS_MAIN(TestCatalogueLoader)
#include "tst_catalogueloader.moc"
