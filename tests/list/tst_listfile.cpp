#include "catalogue/Catalogue.h"
#include "list/ListFile.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QTest>

class TestListFile : public QObject
{
    Q_OBJECT

private slots:
    void cutLine_data();
    void cutLine();
    void savedBytes();
    void lineEndsWhenReading();
};

void TestListFile::cutLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("category");
    QTest::newRow("as written") << u"2,Milk,Dairy,"_qs << u"2"_qs << u"Milk"_qs << u"Dairy"_qs;
    QTest::newRow("typed without last comma")
        << u"2,Milk,Dairy"_qs << u"2"_qs << u"Milk"_qs << u"Dair"_qs;
    QTest::newRow("empty category") << u"1,Bread,,"_qs << u"1"_qs << u"Bread"_qs << u""_qs;
    QTest::newRow("nothing after second comma")
        << u"1,Bread,"_qs << u"1"_qs << u"Bread"_qs << u""_qs;
    QTest::newRow("comma in category survives")
        << u"1,Tea,Drinks, hot,"_qs << u"1"_qs << u"Tea"_qs << u"Drinks, hot"_qs;
    QTest::newRow("comma in item cuts")
        << u"1,Salt, fine,Dry,"_qs << u"1"_qs << u"Salt"_qs << u" fine,Dry"_qs;
    QTest::newRow("comma in quantity cuts")
        << u"1,5,Flour,Dry,"_qs << u"1"_qs << u"5"_qs << u"Flour,Dry"_qs;
    QTest::newRow("blanks kept") << u" 2 , Milk , Dairy ,"_qs << u" 2 "_qs << u" Milk "_qs
                                 << u" Dairy "_qs;
    QTest::newRow("one comma") << u"3,Eggs"_qs << u"3"_qs << u"Eggs"_qs << u""_qs;
    QTest::newRow("no comma") << u"just a line"_qs << u"just a line"_qs << u""_qs << u""_qs;
    QTest::newRow("empty line") << u""_qs << u""_qs << u""_qs << u""_qs;
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
    const Log log(folder.path(), u"shopping"_qs);
    ShoppingList list;
    QString reason;
    const QString file = folder.filePath(u"empty.shp"_qs);
    QVERIFY(SaveListboxToFile(list, file, log, reason));
    QCOMPARE(folder.read(u"empty.shp"_qs), QByteArray());

    list.append({u"2"_qs, u"Milk"_qs, u"Dairy"_qs});
    list.append({u" 1 "_qs, QString::fromUtf8("Crème"), QString()});
    QVERIFY(SaveListboxToFile(list, file, log, reason));
    QCOMPARE(folder.read(u"empty.shp"_qs), QByteArray("2,Milk,Dairy,\r\n 1 ,Cr\xC3\xA8me,,\r\n"));

    // The save is logged before the file is written.
    LogLevel = 3;
    QVERIFY(SaveListboxToFile(list, file, log, reason));
    LogLevel = 0;
    QVERIFY(folder.read(u"shopping.log"_qs)
                .endsWith(",Saving List to file :" + file.toUtf8() + "\r\n"));
}

void TestListFile::lineEndsWhenReading()
{
    TestFolder folder;
    folder.write(u"a.shp"_qs, "1,A,x,\r2,B,y,\n3,C,z,\r\n4,D,w,");
    QList<ListRow> rows;
    FileError error;
    QVERIFY(ReadListFile(folder.filePath(u"a.shp"_qs), rows, error));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[3].item, u"D"_qs);
    QCOMPARE(rows[3].category, u"w"_qs);
    // Windows-1252 from older files.
    folder.write(u"b.shp"_qs, "1,Cr\xE8me,Dairy,\r\n");
    QVERIFY(ReadListFile(folder.filePath(u"b.shp"_qs), rows, error));
    QCOMPARE(rows[0].item, QString::fromUtf8("Crème"));
    QVERIFY(!ReadListFile(folder.filePath(u"gone.shp"_qs), rows, error));
    QCOMPARE(error.number, ENOENT);
}

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
