// Whatever lies in the program folder or in a list file, the program starts, shows what it
// can, and goes on: one table per kind of file, each row a file and what the window shows.
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "config/IniFile.h"
#include "list/ListFile.h"
#include "list/ShoppingList.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

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
    bytes.reserve(qsizetype(lines) * 24);
    for (int i = 0; i < lines; ++i) {
        bytes += before + QByteArray::number(i) + after;
    }
    return bytes;
}

QString panel(ShoppingWindow &window, int n)
{
    return window.statusBar()->findChild<QLabel *>(QStringLiteral("panel%1").arg(n))->text();
}

QTreeView &view(ShoppingWindow &window, const char *name)
{
    return *window.findChild<QTreeView *>(QString::fromLatin1(name));
}

const int anyCount = -1;

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void catalogueFiles_data();
    void catalogueFiles();
    void manyHeadingsInAFullFolder();
    void catalogueNamesStayInTheFolder_data();
    void catalogueNamesStayInTheFolder();
    void listFiles_data();
    void listFiles();
    void settingsFiles_data();
    void settingsFiles();
    void printerFontSettings_data();
    void printerFontSettings();
    void oversizedFiles_data();
    void oversizedFiles();
};

void TestBadInput::catalogueFiles_data()
{
    QTest::addColumn<QByteArray>("headings");
    QTest::addColumn<QByteArray>("dairy");
    QTest::addColumn<int>("nodes");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("firstItem");

    const QString unchecked;
    QTest::newRow("binary index") << binary(65536) << QByteArray() << anyCount << unchecked
                                  << unchecked;
    QTest::newRow("binary category file")
        << QByteArray("Dairy\r\n") << binary(65536) << anyCount << unchecked << unchecked;
    QTest::newRow("one million lines")
        << QByteArray("Dairy\r\n") << QByteArray(";Dairy\r\n") + manyLines("Item ", 1000000, "\r\n")
        << Catalogue::MaxNodes << "Dairy"
        << "Item 0";
    QTest::newRow("one million index lines")
        << manyLines("Heading ", 1000000, "\r\n") << QByteArray() << Catalogue::MaxNodes << ""
        << unchecked;
    QTest::newRow("one-megabyte line")
        << QByteArray("Dairy\r\n") << QByteArray(";Dairy\r\n") + QByteArray(1 << 20, 'x') << 3
        << "Dairy" << QString(1 << 20, u'x');
    QTest::newRow("NUL bytes") << QByteArray("Dairy\r\n")
                               << QByteArrayLiteral(";Da\0iry\r\nMi\0lk\r\n\0\r\n") << 4
                               << QString::fromUtf16(u"Da\0iry", 6)
                               << QString::fromUtf16(u"Mi\0lk", 5);
    QTest::newRow("invalid UTF-8")
        << QByteArray("Dairy\r\n") << QByteArray(";Caf\xe9\r\nCr\xe8me\r\n") << 3 << "Café"
        << "Crème";
    QTest::newRow("CR only") << QByteArray("Dairy\r") << QByteArray(";Dairy\rMilk\rButter") << 4
                             << "Dairy"
                             << "Milk";
    QTest::newRow("UTF-16") << QByteArray("Dairy\r\n")
                            << QByteArrayLiteral("\xff\xfe;\0D\0\r\0\n\0M\0\r\0\n\0") << anyCount
                            << unchecked << unchecked;
}

void TestBadInput::catalogueFiles()
{
    QFETCH(QByteArray, headings);
    QFETCH(QByteArray, dairy);
    QFETCH(int, nodes);
    QFETCH(QString, heading);
    QFETCH(QString, firstItem);

    WindowFixture fixture(false);
    fixture.folder.write(QStringLiteral("headings.txt"), headings);
    fixture.folder.write(QStringLiteral("Dairy.txt"), dairy);
    fixture.start();
    ShoppingWindow &window = *fixture.window;

    const Catalogue &catalogue = window.catalogue();
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(catalogue.node(1).text, QStringLiteral("List"));
    QVERIFY(catalogue.count() >= 1 && catalogue.count() <= Catalogue::MaxNodes);
    if (nodes != anyCount) {
        QCOMPARE(catalogue.count(), nodes);
    }
    if (!heading.isNull()) {
        QCOMPARE(catalogue.node(2).text, heading);
    }
    if (!firstItem.isNull()) {
        const std::vector<int> &items = catalogue.node(2).children;
        QVERIFY(!items.empty());
        QCOMPARE(catalogue.node(items.front()).text, firstItem);
    }
    // The tree shows the root with every heading under it.
    QTreeView &tree = view(window, "tvShopping");
    QCOMPARE(tree.model()->rowCount(), 1);
    QCOMPARE(tree.model()->rowCount(tree.model()->index(0, 0)),
             int(catalogue.node(1).children.size()));
    QCOMPARE(panel(window, 2), QStringLiteral("  Total Quantity = 0  "));
    QCOMPARE(panel(window, 3), QStringLiteral("  0 unique items "));
}

void TestBadInput::manyHeadingsInAFullFolder()
{
    // Each heading whose file is missing looks for it under another letter case; listing a
    // folder of thousands of files once per heading would take minutes.
    WindowFixture fixture(false);
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
    QVERIFY(fixture.platform.messages.isEmpty());
}

void TestBadInput::catalogueNamesStayInTheFolder_data()
{
    QTest::addColumn<QByteArray>("headingLine");
    QTest::newRow("into a subfolder") << QByteArray("inner/Dairy");
    QTest::newRow("up and back in") << QByteArray("../program/inner/Dairy");
    QTest::newRow("absolute path") << QByteArray("/etc/hostname");
    QTest::newRow("backslash") << QByteArray("inner\\Dairy");
    QTest::newRow("parent folder") << QByteArray("..");
}

void TestBadInput::catalogueNamesStayInTheFolder()
{
    QFETCH(QByteArray, headingLine);
    // The program folder is "program" inside the test folder; catalogue files lie beside it
    // and below it, and none of them may be read.
    TestFolder outer;
    QDir(outer.path()).mkpath(QStringLiteral("program/inner"));
    const QString program = outer.filePath(QStringLiteral("program"));
    const QByteArray leaked = ";Leaked\r\nSecret\r\n";
    outer.write(QStringLiteral("program/inner/Dairy.txt"), leaked);
    outer.write(QStringLiteral("Dairy.txt"), leaked);
    outer.write(QStringLiteral("program/headings.txt"), headingLine + "\r\n");

    ScriptedPlatform platform;
    ShoppingWindow window(program, platform);
    window.Form_Load();
    QCOMPARE(window.catalogue().count(), 2);
    QCOMPARE(window.catalogue().node(2).text, QString());
    QVERIFY(platform.messages.isEmpty());
}

void TestBadInput::listFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("firstItem");
    QTest::addColumn<QString>("total");

    const QString unchecked;
    QTest::newRow("binary data") << binary(65536) << anyCount << unchecked << unchecked;
    QTest::newRow("one million lines")
        << manyLines("1,Item ", 1000000, ",Dairy,\r\n") << 1000000 << "Item 0"
        << "1000000";
    QTest::newRow("one-megabyte line")
        << QByteArray("2,") + QByteArray(1 << 20, 'x') + ",Dairy,\r\n"
        << 1 << QString(1 << 20, u'x') << "2";
    QTest::newRow("NUL bytes") << QByteArrayLiteral("1,Mi\0lk,Dairy,\r\n\0,\0,\0,\r\n") << 2
                               << QString::fromUtf16(u"Mi\0lk", 5) << "1";
    QTest::newRow("invalid UTF-8") << QByteArray("3,Cr\xe8me,Dairy,\r\n") << 1 << "Crème"
                                   << "3";
    QTest::newRow("CR only") << QByteArray("1,Milk,Dairy,\r2,Butter,Dairy,") << 2 << "Milk"
                             << "3";
    QTest::newRow("huge quantities")
        << QByteArray("1e308,Milk,Dairy,\r\n1e308,Butter,Dairy,\r\n-1e308,Eggs,,\r\n") << 3
        << "Milk" << unchecked;
}

void TestBadInput::listFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(int, rows);
    QFETCH(QString, firstItem);
    QFETCH(QString, total);

    WindowFixture fixture;
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    window.list().append({QStringLiteral("1"), QStringLiteral("Old"), QString()});
    fixture.folder.write(QStringLiteral("bad.shp"), file);
    fixture.platform.answerFileName(fixture.folder.filePath(QStringLiteral("bad.shp")));
    window.mnuFile_Click(1);

    QVERIFY(fixture.platform.messages.isEmpty());
    const ShoppingList &list = window.list();
    if (rows != anyCount) {
        QCOMPARE(list.count(), rows);
    }
    if (!firstItem.isNull()) {
        QCOMPARE(list.row(1).item, firstItem);
    }
    QCOMPARE(view(window, "lvList").model()->rowCount(), list.count());
    QCOMPARE(panel(window, 3), QStringLiteral("  %1 unique items ").arg(list.count()));
    if (!total.isNull()) {
        QCOMPARE(panel(window, 2), QStringLiteral("  Total Quantity = %1  ").arg(total));
    }
    QVERIFY(panel(window, 2).startsWith(QStringLiteral("  Total Quantity = ")));
}

void TestBadInput::settingsFiles_data()
{
    QTest::addColumn<QByteArray>("ini");
    // The window's inner size in pixels when the file decides it; empty when it cannot.
    QTest::addColumn<QSize>("size");

    const QSize designed;
    QTest::newRow("huge numbers")
        << QByteArray("[frmShopping]\r\nHeight= 1E+300\r\nWidth= 99999999999999\r\n"
                      "Left=-1E+308\r\nTop= 1E+20\r\n[display]\r\nlistCol1= 1E+300\r\n"
                      "listCol2= 99999\r\n[font]\r\nsize= 1E+308\r\nforecolor= 99999999999\r\n"
                      "backcolor=-99999999999\r\nname=Arial\r\n")
        << designed;
    QTest::newRow("window larger than any screen")
        << QByteArray("[frmShopping]\r\nHeight= 200000000\r\nWidth= 200000000\r\n") << designed;
    QTest::newRow("negative sizes")
        << QByteArray("[frmShopping]\r\nHeight=-8000\r\nWidth=-1\r\n[display]\r\n"
                      "listCol1=-900\r\nlistCol2=-32768\r\n[font]\r\nsize=-12\r\n")
        << designed;
    QTest::newRow("non-numbers")
        << QByteArray("[frmShopping]\r\nHeight=tall\r\nWidth=NaN\r\nLeft=inf\r\nTop=--\r\n"
                      "[display]\r\nlistCol1=abc\r\n[font]\r\nsize=big\r\nforecolor=red\r\n"
                      "bold=maybe\r\nbackcolor=0x\r\n")
        << QSize(768, 576);
    QTest::newRow("duplicate sections")
        << QByteArray("[frmShopping]\r\nHeight= 6000\r\nWidth= 7500\r\n[frmShopping]\r\n"
                      "Height= 1\r\nWidth= 1\r\n[FRMSHOPPING]\r\nHeight=99\r\n")
        << QSize(500, 400);
    QTest::newRow("keys without equals sign")
        << QByteArray("[frmShopping]\r\nHeight 6000\r\nWidth\r\n= 7500\r\n[display\r\n"
                      "listCol1\r\n")
        << QSize(768, 576);
    QTest::newRow("100 KB values")
        << QByteArray("[frmShopping]\r\nHeight=") + QByteArray(100000, '9') + "\r\nWidth= 1" +
               QByteArray(100000, '0') + "\r\n[font]\r\nname=" + QByteArray(100000, 'A') +
               "\r\n[display]\r\nlistCol1=" + QByteArray(100000, ' ') + "\r\n"
        << designed;
    QTest::newRow("binary data") << binary(65536) << QSize(768, 576);
    QTest::newRow("NUL bytes") << QByteArrayLiteral("[frmShopping]\r\nHeight= 6000\0junk\r\nWidth= "
                                                    "7500\r\n[font]\r\nname=Ar\0ial\r\n")
                               << QSize(500, 400);
    QTest::newRow("CR only") << QByteArray("[frmShopping]\rHeight= 6000\rWidth= 7500\r")
                             << QSize(500, 400);
    QTest::newRow("invalid UTF-8")
        << QByteArray("[frmShopping]\r\nHeight= 6000\xff\r\nWidth= 7500\r\n[font]\r\n"
                      "name=Caf\xe9\r\n")
        << QSize(500, 400);
}

void TestBadInput::settingsFiles()
{
    QFETCH(QByteArray, ini);
    QFETCH(QSize, size);

    WindowFixture fixture;
    fixture.folder.write(QStringLiteral("shopping.ini"), ini);
    fixture.start();
    ShoppingWindow &window = *fixture.window;

    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(window.catalogue().count(), 9);
    const QRect frame = window.frameGeometry();
    if (size.isValid()) {
        QCOMPARE(frame.size(), size);
    }
    // Never larger than a window system can make a window.
    QVERIFY(frame.width() > 0 && frame.width() <= 32767);
    QVERIFY(frame.height() > 0 && frame.height() <= 32767);
    QTreeView &list = view(window, "lvList");
    for (int column = 0; column < 3; ++column) {
        QVERIFY(list.columnWidth(column) > 0 && list.columnWidth(column) <= 32767);
    }
    QVERIFY(list.font().pointSizeF() > 0 && list.font().pointSizeF() <= 2160);
    QCOMPARE(panel(window, 3), QStringLiteral("  0 unique items "));

    // The program closes normally and leaves a file it can read again.
    window.close();
    QVERIFY(fixture.folder.exists(QStringLiteral("shopping.ini")));
    WindowFixture again;
    again.folder.write(QStringLiteral("shopping.ini"),
                       fixture.folder.read(QStringLiteral("shopping.ini")));
    again.start();
    QCOMPARE(again.window->frameGeometry().size(), frame.size());
}

void TestBadInput::printerFontSettings_data()
{
    QTest::addColumn<QByteArray>("ini");
    // Whether the preview is refused with a message; otherwise it is drawn.
    QTest::addColumn<bool>("refused");
    QTest::newRow("size beyond 16 bits") << QByteArray("[PrinterFont]\r\nsize= 1E+308\r\n") << true;
    QTest::newRow("largest size") << QByteArray("[PrinterFont]\r\nsize= 32764\r\n") << false;
    QTest::newRow("negative size") << QByteArray("[PrinterFont]\r\nsize=-50\r\n") << false;
    QTest::newRow("colour not a number")
        << QByteArray("[PrinterFont]\r\nforecolor=red\r\n") << true;
    QTest::newRow("colour beyond 32 bits")
        << QByteArray("[PrinterFont]\r\nforecolor=99999999999\r\n") << true;
    QTest::newRow("long face name")
        << QByteArray("[PrinterFont]\r\nname=") + QByteArray(100000, 'A') + "\r\n"
        << false;
    QTest::newRow("NUL in face name")
        << QByteArrayLiteral("[PrinterFont]\r\nname=Ar\0ial\r\n") << false;
}

void TestBadInput::printerFontSettings()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, refused);
    WindowFixture fixture;
    fixture.folder.write(QStringLiteral("shopping.ini"), ini);
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    window.list().append({QStringLiteral("2"), QStringLiteral("Milk"), QStringLiteral("Dairy")});
    window.cmdPrint_Click(0);
    QCOMPARE(fixture.platform.messages.size(), refused ? 1 : 0);
    QVERIFY(window.isVisible());
    QCOMPARE(window.list().count(), 1);
}

void TestBadInput::oversizedFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size"); // a file of that many NUL bytes, when not 0
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("category file") << "Dairy.txt" << MaximumCatalogueFileSize + 1 << QByteArray();
    QTest::newRow("index file") << "headings.txt" << MaximumCatalogueFileSize + 1 << QByteArray();
    QTest::newRow("list file") << "week.shp" << MaximumListFileSize + 1 << QByteArray();
    QTest::newRow("list file of empty lines")
        << "week.shp" << qint64(0) << QByteArray(MaximumListFileRows + 1, '\n');
    QTest::newRow("settings file")
        << "shopping.ini" << IniFile::MaximumFileSize + 1 << QByteArray();
}

void TestBadInput::oversizedFiles()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(QByteArray, bytes);

    WindowFixture fixture;
    fixture.folder.write(name, bytes);
    if (size > 0) {
        QVERIFY(QFile(fixture.folder.filePath(name)).resize(size)); // sparse: no disk used
    }
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    const Catalogue &catalogue = window.catalogue();
    if (name == u"Dairy.txt") {
        QCOMPARE(catalogue.node(2).text, QString());
        QVERIFY(catalogue.node(2).children.empty());
        QCOMPARE(catalogue.node(3).text, QStringLiteral("Fruit and Veg"));
    } else if (name == u"headings.txt") {
        QCOMPARE(catalogue.count(), 1);
    } else if (name == u"week.shp") {
        window.list().append({QStringLiteral("1"), QStringLiteral("Old"), QString()});
        fixture.platform.answerFileName(fixture.folder.filePath(name));
        window.mnuFile_Click(1);
        QCOMPARE(fixture.platform.messages.size(), 1);
        QVERIFY(fixture.platform.messages[0].text.contains(QStringLiteral("File too large")));
        QCOMPARE(window.list().count(), 1);
        return;
    } else {
        // Neither read nor overwritten.
        QCOMPARE(window.frameGeometry().size(), QSize(768, 576));
        window.close();
        QCOMPARE(QFileInfo(fixture.folder.filePath(name)).size(), size);
    }
    QVERIFY(fixture.platform.messages.isEmpty());
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
