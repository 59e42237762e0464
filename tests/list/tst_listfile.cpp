#include "list/ListFile.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QTest>

class TestListFile : public QObject
{
    Q_OBJECT

private slots:
    void cutLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("category");
        QTest::newRow("as written") << u"2,Milk,Dairy,"_qs << u"2"_qs << u"Milk"_qs << u"Dairy"_qs;
        QTest::newRow("typed without last comma")
            << u"2,Milk,Dairy"_qs << u"2"_qs << u"Milk"_qs << u"Dair"_qs;
        QTest::newRow("one letter category") << u"1,Tea,x,"_qs << u"1"_qs << u"Tea"_qs << u"x"_qs;
        QTest::newRow("nothing after second comma")
            << u"1,Bread,"_qs << u"1"_qs << u"Bread"_qs << u""_qs;
        QTest::newRow("comma in category survives")
            << u"1,Tea,Drinks, hot,"_qs << u"1"_qs << u"Tea"_qs << u"Drinks, hot"_qs;
        QTest::newRow("comma in item cuts")
            << u"1,Salt, fine,Dry,"_qs << u"1"_qs << u"Salt"_qs << u" fine,Dry"_qs;
        QTest::newRow("blanks kept")
            << u" 2 , Milk , Dairy ,"_qs << u" 2 "_qs << u" Milk "_qs << u" Dairy "_qs;
        QTest::newRow("empty fields") << u",,x,"_qs << u""_qs << u""_qs << u"x"_qs;
        QTest::newRow("one comma") << u"3,Eggs"_qs << u"3"_qs << u"Eggs"_qs << u""_qs;
        QTest::newRow("no comma") << u"just a line"_qs << u"just a line"_qs << u""_qs << u""_qs;
    }

    void cutLine()
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

    void savedAndReadBack()
    {
        TestFolder folder;
        const Log log(folder.path(), u"shopping"_qs);
        const QString file = folder.filePath(u"list.shp"_qs);
        ShoppingList list;
        QString reason;
        QVERIFY(SaveListboxToFile(list, file, log, reason));
        QCOMPARE(folder.read(u"list.shp"_qs), QByteArray());
        list.append({u"12"_qs, u"Milk"_qs, u"Dairy"_qs});
        list.append({u"1"_qs, u"Crème"_qs, QString()});
        list.append({u"0"_qs, u"Eggs"_qs, QString()});
        // The save is logged before the file is written.
        LogLevel = 3;
        QVERIFY(SaveListboxToFile(list, file, log, reason));
        LogLevel = 0;
        QCOMPARE(folder.read(u"list.shp"_qs),
                 QByteArray("12,Milk,Dairy,\r\n1,Cr\xC3\xA8me,,\r\n0,Eggs,,\r\n"));
        QVERIFY(folder.read(u"shopping.log"_qs)
                    .endsWith(",Saving List to file :" + file.toUtf8() + "\r\n"));

        QList<ListRow> rows;
        FileError error;
        folder.write(u"list.shp"_qs, "1,A,x,\r22,B,y,\n3,C,y,\r\n9,D,w");
        QVERIFY(ReadListFile(file, rows, error));
        QStringList read;
        for (const ListRow &row : std::as_const(rows)) {
            read << row.quantity + u'|' + row.item + u'|' + row.category;
        }
        QCOMPARE(read, (QStringList{"1|A|x", "22|B|y", "3|C|y", "9|D|"}));
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
