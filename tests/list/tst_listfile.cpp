#include "catalogue/Catalogue.h"
#include "list/ListFile.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TestListFile : public QObject
{
    Q_OBJECT

private slots:
    void cutLine_data();
    void cutLine();
    void savedBytes();
    void roundTrip_data();
    void roundTrip();
    void lineEndsWhenReading();
    void failedSaveKeepsTheOldFile();
    void saveOntoAFolderFails();
    void tickFindsItemUnderItsCategory();
};

void TestListFile::cutLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("category");
    QTest::newRow("as written") << "2,Milk,Dairy,"
                                << "2"
                                << "Milk"
                                << "Dairy";
    QTest::newRow("typed without last comma") << "2,Milk,Dairy"
                                              << "2"
                                              << "Milk"
                                              << "Dair";
    QTest::newRow("empty category") << "1,Bread,,"
                                    << "1"
                                    << "Bread"
                                    << "";
    QTest::newRow("nothing after second comma") << "1,Bread,"
                                                << "1"
                                                << "Bread"
                                                << "";
    QTest::newRow("comma in category survives") << "1,Tea,Drinks, hot,"
                                                << "1"
                                                << "Tea"
                                                << "Drinks, hot";
    QTest::newRow("comma in item cuts") << "1,Salt, fine,Dry,"
                                        << "1"
                                        << "Salt"
                                        << " fine,Dry";
    QTest::newRow("comma in quantity cuts") << "1,5,Flour,Dry,"
                                            << "1"
                                            << "5"
                                            << "Flour,Dry";
    QTest::newRow("blanks kept") << " 2 , Milk , Dairy ,"
                                 << " 2 "
                                 << " Milk "
                                 << " Dairy ";
    QTest::newRow("one comma") << "3,Eggs"
                               << "3"
                               << "Eggs"
                               << "";
    QTest::newRow("no comma") << "just a line"
                              << "just a line"
                              << ""
                              << "";
    QTest::newRow("empty line") << ""
                                << ""
                                << ""
                                << "";
}

void TestListFile::cutLine()
{
    QFETCH(QString, line);
    QFETCH(QString, quantity);
    QFETCH(QString, item);
    QFETCH(QString, category);
    const ListRow row = CutListLine(line);
    QCOMPARE(row.quantity, quantity);
    QCOMPARE(row.item, item);
    QCOMPARE(row.category, category);
}

void TestListFile::savedBytes()
{
    TestFolder folder;
    const Log log(folder.path(), QStringLiteral("shopping"));
    ShoppingList list;
    QString reason;
    const QString file = folder.filePath(QStringLiteral("empty.shp"));
    QVERIFY(SaveListboxToFile(list, file, log, reason));
    QCOMPARE(folder.read(QStringLiteral("empty.shp")), QByteArray());

    list.append({QStringLiteral("2"), QStringLiteral("Milk"), QStringLiteral("Dairy")});
    list.append({QStringLiteral(" 1 "), QString::fromUtf8("Crème"), QString()});
    QVERIFY(SaveListboxToFile(list, file, log, reason));
    QCOMPARE(folder.read(QStringLiteral("empty.shp")),
             QByteArray("2,Milk,Dairy,\r\n 1 ,Cr\xC3\xA8me,,\r\n"));

    // The save is logged before the file is written.
    LogLevel = 3;
    QVERIFY(SaveListboxToFile(list, file, log, reason));
    LogLevel = 0;
    QVERIFY(folder.read(QStringLiteral("shopping.log"))
                .endsWith(",Saving List to file :" + file.toUtf8() + "\r\n"));
}

void TestListFile::roundTrip_data()
{
    QTest::addColumn<QList<ListRow>>("rows");
    QTest::newRow("blanks around fields") << QList<ListRow>{
        {QStringLiteral(" 2"), QStringLiteral(" Milk "), QStringLiteral("Dairy ")}};
    QTest::newRow("empty fields") << QList<ListRow>{{QString(), QString(), QString()}};
    QTest::newRow("duplicates stay apart")
        << QList<ListRow>{{QStringLiteral("1"), QStringLiteral("Tea"), QStringLiteral("Drinks")},
                          {QStringLiteral("3"), QStringLiteral("Tea"), QStringLiteral("Drinks")}};
    QTest::newRow("non-ASCII") << QList<ListRow>{{QStringLiteral("½"),
                                                  QString::fromUtf8("Crème brûlée"),
                                                  QString::fromUtf8("Pâtisserie €")}};
    QTest::newRow("comma in category")
        << QList<ListRow>{{QStringLiteral("1"), QStringLiteral("Tea"), QStringLiteral("a,b,")}};
}

void TestListFile::roundTrip()
{
    QFETCH(QList<ListRow>, rows);
    TestFolder folder;
    ShoppingList list;
    for (const ListRow &row : rows) {
        list.append(row);
    }
    QString reason;
    const QString file = folder.filePath(QStringLiteral("week.shp"));
    QVERIFY(SaveListboxToFile(list, file, Log(folder.path(), QStringLiteral("shopping")), reason));
    QList<ListRow> read;
    FileError error;
    QVERIFY(ReadListFile(file, read, error));
    QCOMPARE(read.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QCOMPARE(read[i].quantity, rows[i].quantity);
        QCOMPARE(read[i].item, rows[i].item);
        QCOMPARE(read[i].category, rows[i].category);
    }
}

void TestListFile::lineEndsWhenReading()
{
    TestFolder folder;
    folder.write(QStringLiteral("a.shp"), "1,A,x,\r2,B,y,\n3,C,z,\r\n4,D,w,");
    QList<ListRow> rows;
    FileError error;
    QVERIFY(ReadListFile(folder.filePath(QStringLiteral("a.shp")), rows, error));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[3].item, QStringLiteral("D"));
    QCOMPARE(rows[3].category, QStringLiteral("w"));
    // Windows-1252 from older files.
    folder.write(QStringLiteral("b.shp"), "1,Cr\xE8me,Dairy,\r\n");
    QVERIFY(ReadListFile(folder.filePath(QStringLiteral("b.shp")), rows, error));
    QCOMPARE(rows[0].item, QString::fromUtf8("Crème"));
    QVERIFY(!ReadListFile(folder.filePath(QStringLiteral("gone.shp")), rows, error));
    QCOMPARE(error.number, ENOENT);
}

void TestListFile::failedSaveKeepsTheOldFile()
{
    // A file size limit makes the write fail for real, even for root, as a full disk would.
    TestFolder folder;
    folder.write(QStringLiteral("week.shp"), "1,Old,Row,\r\n");
    ShoppingList list;
    for (int i = 0; i < 2000; ++i) {
        list.append({QStringLiteral("1"), QStringLiteral("Item %1").arg(i), QStringLiteral("C")});
    }
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString reason;
    const bool saved = SaveListboxToFile(list, folder.filePath(QStringLiteral("week.shp")),
                                         Log(folder.path(), QStringLiteral("shopping")), reason);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!saved);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(folder.read(QStringLiteral("week.shp")), QByteArray("1,Old,Row,\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList(QStringLiteral("week.shp")));
}

void TestListFile::saveOntoAFolderFails()
{
    TestFolder folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("week.shp")));
    folder.write(QStringLiteral("week.shp/inside"), "kept");
    ShoppingList list;
    list.append({QStringLiteral("1"), QStringLiteral("Milk"), QString()});
    QString reason;
    QVERIFY(!SaveListboxToFile(list, folder.filePath(QStringLiteral("week.shp")),
                               Log(folder.path(), QStringLiteral("shopping")), reason));
    QCOMPARE(folder.read(QStringLiteral("week.shp/inside")), QByteArray("kept"));
}

void TestListFile::tickFindsItemUnderItsCategory()
{
    Catalogue catalogue;
    {
        const Catalogue::Rebuild rebuild(catalogue);
        const int root =
            catalogue.addNode(0, QStringLiteral("r"), QStringLiteral("List"), NodeImage::Closed);
        const int dairy = catalogue.addNode(root, {}, QStringLiteral("Dairy"), NodeImage::Closed);
        const int fruit = catalogue.addNode(root, {}, QStringLiteral("Fruit"), NodeImage::Closed);
        catalogue.addNode(dairy, {}, QStringLiteral("Milk"), NodeImage::Doc); // 4
        catalogue.addNode(fruit, {}, QStringLiteral("Milk"), NodeImage::Doc); // 5
        catalogue.addNode(fruit, {}, QStringLiteral("Milk"), NodeImage::Doc); // 6
    }
    TickCatalogueItem(catalogue, QStringLiteral("Fruit"), QStringLiteral("Milk"));
    QVERIFY(!catalogue.node(4).ticked);
    QVERIFY(catalogue.node(5).ticked);
    QVERIFY(!catalogue.node(6).ticked);
    QVERIFY(catalogue.node(3).expanded);
    QVERIFY(!catalogue.node(2).expanded);
    // Another category, or a heading's own text, ticks nothing.
    TickCatalogueItem(catalogue, QStringLiteral("Bakery"), QStringLiteral("Milk"));
    TickCatalogueItem(catalogue, QString(), QStringLiteral("List"));
    QVERIFY(!catalogue.node(4).ticked);
    QVERIFY(!catalogue.node(1).ticked);
    TickCatalogueItem(catalogue, QStringLiteral("List"), QStringLiteral("Dairy"));
    QVERIFY(catalogue.node(2).ticked); // a heading under the root matches like any node
}

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
