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
    const QString text = QString::fromUtf8(folder.read(u"shopping.log"_qs));
    QStringList lines;
    for (const QString &line : text.split(u"\r\n"_qs, Qt::SkipEmptyParts)) {
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
    void missingHeadingsFile();
    void missingCategoryFileIsLogged();
    void unsafeHeadingNamesStayInTheFolder_data();
    void unsafeHeadingNamesStayInTheFolder();
    void treeStopsAtItsLimit();
};

void TestCatalogueLoader::shapes_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("tree");

    QTest::newRow("caption renames heading")
        << Files{{"headings.txt", "Dairy\r\n"},
                 {"Dairy.txt", ";Dairy and Eggs\r\nMilk\r\nButter\r\n"}}
        << u"+[List]\n +[Dairy and Eggs]\n  -[Milk]\n  -[Butter]"_qs;
    QTest::newRow("only captions and empty lines")
        << Files{{"headings.txt", ";comment\r\n\r\n;another\r\n"}} << u"+[List]"_qs;
    QTest::newRow("no caption leaves heading empty")
        << Files{{"headings.txt", "Fruit\r\n"}, {"Fruit.txt", "Apples\r\nPears"}}
        << u"+[List]\n +[]\n  -[Apples]\n  -[Pears]"_qs;
    QTest::newRow("last caption wins")
        << Files{{"headings.txt", "Fruit\r\n"},
                 {"Fruit.txt", ";Fruit\r\nApples\r\n;Fruit and Vegetables\r\n"}}
        << u"+[List]\n +[Fruit and Vegetables]\n  -[Apples]"_qs;
    QTest::newRow("lone semicolon is an empty caption")
        << Files{{"headings.txt", "A\r\n"}, {"A.txt", ";x\r\n;\r\n x\r\n ;x\r\n"}}
        << u"+[List]\n +[]\n  -[ x]\n  -[ ;x]"_qs;
    QTest::newRow("duplicate headings fill the first")
        << Files{{"headings.txt", "Dairy\r\nDairy\r\n"}, {"Dairy.txt", ";Dairy\r\nMilk\r\n"}}
        << u"+[List]\n +[Dairy]\n  -[Milk]\n  -[Milk]\n +[Dairy]"_qs;
    QTest::newRow("heading named List fills the root")
        << Files{{"headings.txt", "List\r\n"}, {"List.txt", ";Misc\r\nString\r\n"}}
        << u"+[List]\n +[Misc]\n -[String]"_qs;
    QTest::newRow("CR only line ends")
        << Files{{"headings.txt", "A\rB\r"}, {"A.txt", ";A\rx\ry"}, {"B.txt", ";B\rz\r"}}
        << u"+[List]\n +[A]\n  -[x]\n  -[y]\n +[B]\n  -[z]"_qs;
    QTest::newRow("LF only line ends")
        << Files{{"headings.txt", "A\nB\n"}, {"A.txt", ";A\nx\n\ny\n"}, {"B.txt", ";B\nz"}}
        << u"+[List]\n +[A]\n  -[x]\n  -[y]\n +[B]\n  -[z]"_qs;
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
        << u"+[List]\n +[]\n +[B]\n  -[z]"_qs;
    QTest::newRow("UTF-8 byte order mark dropped")
        << Files{{"headings.txt", "\xEF\xBB\xBF"
                                  "Caf\xC3\xA9\r\n"},
                 {"Caf\xC3\xA9.txt", ";Caf\xC3\xA9\r\nCr\xC3\xA8me\r\n"}}
        << QString::fromUtf8("+[List]\n +[Café]\n  -[Crème]");
    QTest::newRow("Windows-1252") << Files{{"headings.txt", "Fruit\r\n"},
                                           {"Fruit.txt", ";Fr\xFC"
                                                         "chte\r\nCr\xE8"
                                                         "me \x80\r\n"}}
                                  << QString::fromUtf8("+[List]\n +[Früchte]\n  -[Crème €]");
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
    const Log log(folder.path(), u"shopping"_qs);
    QVERIFY(LoadCatalogue(catalogue, folder.path(), log));
    QCOMPARE(dump(catalogue), tree);
    QVERIFY(catalogue.node(1).expanded);
    for (int position = 2; position <= catalogue.count(); ++position) {
        QVERIFY(!catalogue.node(position).ticked);
        QVERIFY(!catalogue.node(position).expanded);
    }
}

void TestCatalogueLoader::missingHeadingsFile()
{
    TestFolder folder;
    folder.write(u"Dairy.txt"_qs, "Milk\r\n");
    Catalogue catalogue;
    QVERIFY(!LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs)));
    QCOMPARE(dump(catalogue), u"+[List]"_qs);
    // A folder of that name is not the file.
    QVERIFY(QDir(folder.path()).mkdir(u"headings.txt"_qs));
    QVERIFY(!LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs)));
}

void TestCatalogueLoader::missingCategoryFileIsLogged()
{
    TestFolder folder;
    folder.write(u"headings.txt"_qs, "Gone\r\n");
    Catalogue catalogue;
    QVERIFY(LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs)));
    QCOMPARE(logLines(folder), QStringList(u"Error # 2'No such file or directory' while loading "
                                           "txt:'' from "_qs +
                                           folder.filePath(u"Gone.txt"_qs)));

    // Nothing is written while the threshold stays at its initial 0.
    LogLevel = 0;
    QFile::remove(folder.filePath(u"shopping.log"_qs));
    QVERIFY(LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs)));
    QVERIFY(!folder.exists(u"shopping.log"_qs));
}

void TestCatalogueLoader::unsafeHeadingNamesStayInTheFolder_data()
{
    QTest::addColumn<QString>("heading");
    QTest::newRow("question mark") << u"What?"_qs;
    QTest::newRow("parent folder") << u"../outside"_qs;
    QTest::newRow("into a subfolder") << u"inner/outside"_qs;
    QTest::newRow("absolute") << u"/tmp/outside"_qs;
    QTest::newRow("backslash") << u"..\\outside"_qs;
    QTest::newRow("control character") << u"a\tb"_qs;
}

void TestCatalogueLoader::unsafeHeadingNamesStayInTheFolder()
{
    QFETCH(QString, heading);
    TestFolder outer;
    QDir(outer.path()).mkpath(u"program/inner"_qs);
    const QString program = outer.filePath(u"program"_qs);
    outer.write(u"outside.txt"_qs, ";Stolen\r\nsecret\r\n");
    outer.write(u"program/inner/outside.txt"_qs, ";Stolen\r\nsecret\r\n");
    QFile headings(QDir(program).filePath(u"headings.txt"_qs));
    QVERIFY(headings.open(QIODevice::WriteOnly));
    headings.write(heading.toUtf8() + "\r\n");
    headings.close();

    Catalogue catalogue;
    QVERIFY(LoadCatalogue(catalogue, program, Log(program, u"shopping"_qs)));
    QCOMPARE(dump(catalogue), u"+[List]\n +[]"_qs);
    QFile log(QDir(program).filePath(u"shopping.log"_qs));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    QVERIFY2(logged.contains(u"Error # 2'No such file or directory'"_qs), qPrintable(logged));
    QVERIFY(!logged.contains(u"secret"_qs));
}

void TestCatalogueLoader::treeStopsAtItsLimit()
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
    // Root and two headings, then as many items of A as fit; B keeps the caption read before
    // its first item failed.
    QCOMPARE(catalogue.node(2).text, u"A"_qs);
    QCOMPARE(int(catalogue.node(2).children.size()), Catalogue::MaxNodes - 3);
    QCOMPARE(catalogue.node(3).text, u"B"_qs);
    QVERIFY(catalogue.node(3).children.empty());
    const QStringList logged = logLines(folder);
    QCOMPARE(logged.size(), 2);
    QVERIFY(logged[0].startsWith(u"Error # 75'"_qs));
    QVERIFY(logged[0].contains(u"while loading txt:'item 32764' from "_qs));
}

QTEST_GUILESS_MAIN(TestCatalogueLoader)
#include "tst_catalogueloader.moc"
