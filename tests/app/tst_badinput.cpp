// Whatever lies in the program folder or in a list file, the program starts, shows what it
// can, and goes on: one table per kind of file.
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueView.h"
#include "config/IniFile.h"
#include "list/ListFile.h"
#include "list/ListView.h"
#include "list/ShoppingList.h"
#include "support/WindowSession.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray binary(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(20240601);
    for (char &byte : bytes) {
        byte = char(random.bounded(256));
    }
    return bytes;
}

QByteArray manyLines(const char *before, int lines, const char *after)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        bytes += before + QByteArray::number(i) + after;
    }
    return bytes;
}

// Writes name into the folder; a file of size NUL bytes (sparse) when size is not 0.
void lay(const TestFolder &folder, const QString &name, const QByteArray &bytes, qint64 size)
{
    folder.write(name, bytes);
    if (size > 0) {
        QVERIFY(QFile(folder.filePath(name)).resize(size));
    }
}

const int any = -1;
const QString unchecked;

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void catalogueFiles_data();
    void catalogueFiles();
    void manyHeadingsInAFullFolder();
    void listFiles_data();
    void listFiles();
    void settingsFiles_data();
    void settingsFiles();
};

void TestBadInput::catalogueFiles_data()
{
    QTest::addColumn<QString>("name"); // the file replaced
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("nodes");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("firstItem");

    const QString d = u"Dairy.txt"_qs;
    QTest::newRow("binary category file")
        << d << binary(65536) << 0ll << any << unchecked << unchecked;
    QTest::newRow("one million lines")
        << d << QByteArray(";Dairy\r\n") + manyLines("Item ", 1000000, "\r\n") << 0ll
        << Catalogue::MaxNodes << "Dairy"
        << "Item 0";
    QTest::newRow("one-megabyte line") << d << QByteArray(";Dairy\r\n") + QByteArray(1 << 20, 'x')
                                       << 0ll << 7 << "Dairy" << QString(1 << 20, u'x');
    QTest::newRow("NUL bytes") << d << QByteArrayLiteral(";Da\0iry\r\nMi\0lk\r\n\0\r\n") << 0ll << 8
                               << QString::fromUtf16(u"Da\0iry", 6)
                               << QString::fromUtf16(u"Mi\0lk", 5);
    QTest::newRow("category file too large")
        << d << QByteArray() << MaximumCatalogueFileSize + 1 << 6 << "" << unchecked;
    QTest::newRow("index file too large")
        << u"headings.txt"_qs << QByteArray() << MaximumCatalogueFileSize + 1 << 1 << unchecked
        << unchecked;
}

void TestBadInput::catalogueFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(int, nodes);
    QFETCH(QString, heading);
    QFETCH(QString, firstItem);

    WindowSession fixture;
    lay(fixture.folder, name, bytes, size);
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    const Catalogue &catalogue = window.catalogue();
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(catalogue.node(1).text, QStringLiteral("List"));
    QVERIFY(catalogue.count() >= 1 && catalogue.count() <= Catalogue::MaxNodes);
    if (nodes != any) {
        QCOMPARE(catalogue.count(), nodes);
    }
    if (!heading.isNull()) {
        QCOMPARE(catalogue.node(2).text, heading);
    }
    if (!firstItem.isNull()) {
        QCOMPARE(catalogue.node(catalogue.node(2).children.at(0)).text, firstItem);
    }
    // The tree shows the root with every heading under it.
    const QAbstractItemModel *tree = fixture.tree().model();
    QCOMPARE(tree->rowCount(), 1);
    QCOMPARE(tree->rowCount(tree->index(0, 0)), int(catalogue.node(1).children.size()));
    QCOMPARE(fixture.panel(3), QStringLiteral("  0 unique items "));
}

void TestBadInput::manyHeadingsInAFullFolder()
{
    // Looking for each missing file under another letter case must not list the folder anew.
    WindowSession fixture(WindowSession::WithoutCatalogue);
    fixture.folder.write(QStringLiteral("headings.txt"), manyLines("Heading ", 40000, "\r\n"));
    for (int i = 0; i < 2000; ++i) {
        fixture.folder.write(QStringLiteral("other %1.dat").arg(i), QByteArray());
    }
    fixture.folder.write(QStringLiteral("HEADING 9.TXT"), ";Nine\r\nx\r\n");
    fixture.start();
    const Catalogue &catalogue = fixture.window->catalogue();
    QCOMPARE(catalogue.count(), Catalogue::MaxNodes);
    QCOMPARE(catalogue.node(11).text, QStringLiteral("Nine"));
    QCOMPARE(catalogue.node(12).text, QString());
}

void TestBadInput::listFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("rows"); // 0: refused as too large, the old list kept
    QTest::addColumn<QString>("firstItem");
    QTest::addColumn<QString>("total");

    QTest::newRow("binary data") << binary(65536) << 0ll << any << unchecked << unchecked;
    QTest::newRow("one million lines")
        << manyLines("1,Item ", 1000000, ",Dairy,\r\n") << 0ll << 1000000 << "Item 0"
        << "1000000";
    QTest::newRow("one-megabyte line") << QByteArray("2,") + QByteArray(1 << 20, 'x') + ",D,\r\n"
                                       << 0ll << 1 << QString(1 << 20, u'x') << "2";
    QTest::newRow("NUL bytes") << QByteArrayLiteral("1,Mi\0lk,Dairy,\r\n\0,\0,\0,\r\n") << 0ll << 2
                               << QString::fromUtf16(u"Mi\0lk", 5) << "1";
    QTest::newRow("huge quantities")
        << QByteArray("1e308,Milk,Dairy,\r\n1e308,Butter,Dairy,\r\n-1e308,Eggs,,\r\n") << 0ll << 3
        << "Milk" << unchecked;
    QTest::newRow("too large") << QByteArray() << MaximumListFileSize + 1 << 0 << unchecked
                               << unchecked;
    QTest::newRow("too many empty lines")
        << QByteArray(MaximumListFileRows + 1, '\n') << 0ll << 0 << unchecked << unchecked;
}

void TestBadInput::listFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, size);
    QFETCH(int, rows);
    QFETCH(QString, firstItem);
    QFETCH(QString, total);

    WindowSession fixture;
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    window.list().append({QStringLiteral("1"), QStringLiteral("Old"), QString()});
    lay(fixture.folder, QStringLiteral("bad.shp"), file, size);
    fixture.platform.answerFileName(fixture.folder.filePath(QStringLiteral("bad.shp")));
    fixture.trigger(u"mnuFile(1)"_qs);

    const ShoppingList &list = window.list();
    if (rows == 0) {
        QCOMPARE(fixture.platform.messages.size(), 1);
        QVERIFY(fixture.platform.messages[0].text.contains(QStringLiteral("File too large")));
        QCOMPARE(list.row(1).item, QStringLiteral("Old"));
        return;
    }
    QVERIFY(fixture.platform.messages.isEmpty());
    if (rows != any) {
        QCOMPARE(list.count(), rows);
    }
    if (!firstItem.isNull()) {
        QCOMPARE(list.row(1).item, firstItem);
    }
    QCOMPARE(fixture.listView().model()->rowCount(), list.count());
    QCOMPARE(fixture.panel(3), QStringLiteral("  %1 unique items ").arg(list.count()));
    if (!total.isNull()) {
        QCOMPARE(fixture.panel(2), QStringLiteral("  Total Quantity = %1  ").arg(total));
    }
}

void TestBadInput::settingsFiles_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QSize>("frame");       // the window's size when the file decides it
    QTest::addColumn<bool>("printRefused"); // a preview is refused with a message

    const QSize any;
    const QSize designed(768, 576);
    QTest::newRow("huge numbers")
        << QByteArray("[frmShopping]\r\nHeight= 1E+300\r\nWidth= 99999999999999\r\n"
                      "Left=-1E+308\r\nTop= 1E+20\r\n[display]\r\nlistCol1= 1E+300\r\n"
                      "[font]\r\nsize= 1E+308\r\nforecolor= 99999999999\r\n"
                      "[PrinterFont]\r\nsize= 1E+308\r\n")
        << 0ll << any << true;
    QTest::newRow("negative sizes")
        << QByteArray("[frmShopping]\r\nHeight=-8000\r\nWidth=-1\r\n[display]\r\n"
                      "listCol1=-900\r\nlistCol2=-32768\r\n[font]\r\nsize=-12\r\n"
                      "[PrinterFont]\r\nsize=-50\r\n")
        << 0ll << any << false;
    QTest::newRow("non-numbers")
        << QByteArray("[frmShopping]\r\nHeight=tall\r\nWidth=NaN\r\nLeft=inf\r\n[display]\r\n"
                      "listCol1=abc\r\n[font]\r\nsize=big\r\nforecolor=red\r\nbold=maybe\r\n"
                      "[PrinterFont]\r\nforecolor=red\r\n")
        << 0ll << designed << true;
    QTest::newRow("100 KB values")
        << QByteArray("[frmShopping]\r\nHeight=") + QByteArray(100000, '9') +
               "\r\n[font]\r\nname=" + QByteArray(100000, 'A') +
               "\r\n[PrinterFont]\r\nname=" + QByteArray(100000, 'A') + "\r\n"
        << 0ll << any << false;
    QTest::newRow("binary data") << binary(65536) << 0ll << designed << false;
    QTest::newRow("NUL bytes") << QByteArrayLiteral("[frmShopping]\r\nHeight= 6000\0junk\r\n"
                                                    "Width= 7500\r\n[PrinterFont]\r\nname=A\0l\r\n")
                               << 0ll << QSize(500, 400) << false;
    QTest::newRow("too large") << QByteArray() << IniFile::MaximumFileSize + 1 << designed << false;
}

void TestBadInput::settingsFiles()
{
    QFETCH(QByteArray, ini);
    QFETCH(qint64, size);
    QFETCH(QSize, frame);
    QFETCH(bool, printRefused);

    WindowSession fixture;
    lay(fixture.folder, QStringLiteral("shopping.ini"), ini, size);
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(window.catalogue().count(), 9);
    const QSize shown = window.frameGeometry().size();
    if (frame.isValid()) {
        QCOMPARE(shown, frame);
    }
    // Never larger than a window system can make a window.
    QVERIFY(shown.width() > 0 && shown.width() <= 32767);
    QVERIFY(shown.height() > 0 && shown.height() <= 32767);
    QTreeView &list = fixture.listView();
    for (int column = 0; column < 3; ++column) {
        QVERIFY(list.columnWidth(column) > 0 && list.columnWidth(column) <= 32767);
    }
    QVERIFY(list.font().pointSizeF() > 0 && list.font().pointSizeF() <= 2160);

    window.list().append({QStringLiteral("2"), QStringLiteral("Milk"), QStringLiteral("Dairy")});
    fixture.trigger(u"mnuFile(4)"_qs);
    QCOMPARE(fixture.platform.messages.size(), printRefused ? 1 : 0);

    window.close();
    if (size > 0) { // neither read nor overwritten
        QCOMPARE(QFileInfo(fixture.folder.filePath(QStringLiteral("shopping.ini"))).size(), size);
        return;
    }
    // The program leaves a file it can read again.
    WindowSession again;
    again.folder.write(QStringLiteral("shopping.ini"),
                       fixture.folder.read(QStringLiteral("shopping.ini")));
    again.start();
    QCOMPARE(again.window->frameGeometry().size(), shown);
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
