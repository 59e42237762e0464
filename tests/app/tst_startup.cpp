#include "app/ShoppingWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

namespace {

const QString ini = u"shopping.ini"_qs;

// What a first shut-down writes: three quarters of the screen, the designed look.
const QByteArray firstShutDown =
    "[frmShopping]\r\nHeight= 8640\r\nWidth= 11520\r\nLeft= 0\r\nTop= 0\r\n"
    "[display]\r\nlistCol1= 900\r\nlistCol2= 2200\r\nlistCol3= 1340\r\n"
    "[font]\r\nbold=0\r\nitalic=0\r\nname=MS Sans "
    "Serif\r\nforecolor=-2147483640\r\nsize=9.75\r\nbackcolor=16777215\r\n";

// A file as the program itself writes it, with nothing at a default.
const QByteArray chosen = "; kept as it is\n"
                          "[frmShopping]\nHeight= 6000\nWidth= 7001\nLeft= 1500\nTop= 300\n\n"
                          "[display]\r\nlistCol1= 1201\r\nlistCol2= 3000\r\nlistCol3= 1340\r\n"
                          "[font]\r\nbold=-1\r\nitalic=0\r\nname=Arial\r\nforecolor=255\r\nsize="
                          "12\r\nbackcolor=-2147483633\r\n"
                          "[PrinterFont]\r\nname=Comic Sans MS\r\n";

struct Started
{
    TestFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<ShoppingWindow> window;

    explicit Started(const QByteArray &settings)
    {
        folder.write(u"headings.txt"_qs, "Dairy\r\n");
        folder.write(u"Dairy.txt"_qs, "Milk\r\n");
        if (!settings.isNull()) {
            folder.write(ini, settings);
        }
        window = std::make_unique<ShoppingWindow>(folder.path(), platform);
        window->Form_Load();
    }

    QTreeView *list() const { return window->findChild<QTreeView *>(u"lvList"_qs); }
    QTreeView *tree() const { return window->findChild<QTreeView *>(u"tvShopping"_qs); }
    QByteArray closeAndRead()
    {
        window->close();
        return folder.read(ini);
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstStartAndShutDown();
    void storedSettingsApplied();
    void unchangedStartAndCloseKeepsFile_data();
    void unchangedStartAndCloseKeepsFile();
    void columnWidths_data();
    void columnWidths();
    void unusableValuesKeepDesign_data();
    void unusableValuesKeepDesign();
    void placementEdges_data();
    void placementEdges();
    void screenFont();
    void screenFontCancelled();
    void backgroundColour();
};

void TestStartup::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestStartup::firstStartAndShutDown()
{
    Started started{QByteArray()};
    QTreeView *list = started.list();
    QVERIFY(list->isVisible());
    QCOMPARE(list->columnWidth(0), 60);
    QCOMPARE(list->columnWidth(1), 147);
    QCOMPARE(list->columnWidth(2), 89);
    QCOMPARE(started.window->frameGeometry(), QRect(0, 0, 768, 576));
    QVERIFY(!started.folder.exists(ini));
    QCOMPARE(started.closeAndRead(), firstShutDown);
}

void TestStartup::storedSettingsApplied()
{
    Started started(chosen);
    QTreeView *list = started.list();
    QCOMPARE(started.window->frameGeometry(), QRect(100, 20, 467, 400));
    QCOMPARE(list->columnWidth(0), 80);
    QCOMPARE(list->columnWidth(1), 200);
    QCOMPARE(list->font().family(), u"Arial"_qs);
    QCOMPARE(list->font().pointSizeF(), 12.0);
    QVERIFY(list->font().bold());
    QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(list->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Button));
    QCOMPARE(started.tree()->font().family(), u"MS Sans Serif"_qs); // the tree keeps its look
}

void TestStartup::unchangedStartAndCloseKeepsFile_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("first shut-down's file") << firstShutDown;
    QTest::newRow("chosen values, mixed line ends") << chosen;
}

void TestStartup::unchangedStartAndCloseKeepsFile()
{
    QFETCH(QByteArray, settings);
    Started started(settings);
    QCOMPARE(started.closeAndRead(), settings);
}

void TestStartup::columnWidths_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("fraction") << QByteArray("1200.6") << 80 << QByteArray(" 1201");
    QTest::newRow("beyond 16 bits") << QByteArray("40000") << 147 << QByteArray(" 2200");
}

void TestStartup::columnWidths()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, pixels);
    QFETCH(QByteArray, written);
    Started started("[display]\r\nlistCol2=" + stored + "\r\n");
    QTreeView *list = started.list();
    // A header never goes below its minimum section size; the width asked for is kept.
    QCOMPARE(list->columnWidth(1), qMax(pixels, list->header()->minimumSectionSize()));
    QVERIFY(started.closeAndRead().contains("\r\nlistCol2=" + written + "\r\n"));

    // The user widens the column; the next start shows the new width.
    Started again(started.folder.read(ini));
    again.list()->setColumnWidth(1, 250);
    const QByteArray widened = again.closeAndRead();
    QVERIFY(widened.contains("\r\nlistCol2= 3750\r\n"));
    Started third(widened);
    QCOMPARE(third.list()->columnWidth(1), 250);
}

void TestStartup::unusableValuesKeepDesign_data()
{
    QTest::addColumn<QByteArray>("font");
    QTest::newRow("size too large, empty name") << QByteArray("size=1e9\r\nname=\r\n");
    QTest::newRow("colours not numbers") << QByteArray("forecolor=red\r\nbackcolor=12abc\r\n");
}

void TestStartup::unusableValuesKeepDesign()
{
    QFETCH(QByteArray, font);
    Started started("[font]\r\n" + font);
    QTreeView *list = started.list();
    QCOMPARE(list->font().family(), u"MS Sans Serif"_qs);
    QCOMPARE(list->font().pointSizeF(), 9.75);
    QVERIFY(!list->font().bold());
    QVERIFY(!list->font().italic());
    QCOMPARE(list->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(list->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
    const QByteArray after = started.closeAndRead();
    for (const char *line :
         {"\nbold=0\r\n", "\nitalic=0\r\n", "\nname=MS Sans Serif\r\n",
          "\nforecolor=-2147483640\r\n", "\nsize=9.75\r\n", "\nbackcolor=16777215\r\n"}) {
        QVERIFY2(after.contains(line), line);
    }
}

void TestStartup::placementEdges_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QRect>("outer");
    QTest::newRow("height 0, width 7000")
        << QByteArray("Height= 0\r\nWidth= 7000\r\n") << QRect(0, 0, 467, 576);
    QTest::newRow("top beyond 16 bits")
        << QByteArray("Top= 40000\r\nLeft= 1500\r\n") << QRect(100, 0, 768, 576);
    QTest::newRow("off the screen")
        << QByteArray("Left= 30000\r\nTop= 30000\r\n") << QRect(2000, 2000, 768, 576);
    // A move the window refuses leaves it at its designed size.
    QTest::newRow("negative width") << QByteArray("Width=-500\r\nLeft= 1500\r\n") << QRect();
}

void TestStartup::placementEdges()
{
    QFETCH(QByteArray, section);
    QFETCH(QRect, outer);
    Started started("[frmShopping]\r\n" + section);
    if (outer.isNull()) {
        QCOMPARE(started.window->width(), 628);
        QVERIFY(started.window->height() > 352);
        QVERIFY(started.window->height() < 576);
    } else {
        QCOMPARE(started.window->frameGeometry(), outer);
    }
}

void TestStartup::screenFont()
{
    Started started{QByteArray()};
    started.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(started.window.get()));
    started.platform.dialogAnswers.append([](CommonDialog &dialog) {
        dialog.fontName = u"Arial"_qs;
        dialog.fontSize = 12;
        dialog.fontBold = true;
        dialog.fontUnderline = true;
        dialog.fontStrikethru = true;
        dialog.color = 0x0000FF;
        return true;
    });
    QTest::keyClick(started.window.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(started.platform.dialogs.size(), 1);
    QTreeView *list = started.list();
    QCOMPARE(list->font().family(), u"Arial"_qs);
    QCOMPARE(list->font().pointSizeF(), 12.0);
    QVERIFY(list->font().bold());
    QVERIFY(!list->font().underline());
    QVERIFY(!list->font().strikeOut());
    QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::red));
    const QByteArray written = started.closeAndRead();
    QVERIFY(written.endsWith("[font]\r\nbold=-1\r\nitalic=0\r\nname=Arial\r\nforecolor=255\r\n"
                             "size=12\r\nbackcolor=16777215\r\n"));
    Started again(written);
    QCOMPARE(again.list()->font().family(), u"Arial"_qs);
    QCOMPARE(again.list()->palette().color(QPalette::Text), QColor(Qt::red));
}

void TestStartup::screenFontCancelled()
{
    Started started(chosen);
    // What an earlier use left in the shared dialog must not reach the list on a cancel.
    started.platform.commonDialog().fontItalic = true;
    started.platform.commonDialog().color = 0x00FF00;
    started.platform.cancelNextDialog();
    started.window->findChild<QAction *>(u"mnuOptionFont"_qs)->trigger();
    QCOMPARE(started.platform.dialogs.size(), 1);
    QCOMPARE(started.closeAndRead(), chosen);
}

void TestStartup::backgroundColour()
{
    Started started{QByteArray()};
    started.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(started.window.get()));
    started.platform.cancelNextDialog();
    QTest::keyClick(started.window.get(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(started.list()->palette().color(QPalette::Base), QColor(Qt::white));

    started.platform.dialogAnswers.append([](CommonDialog &dialog) {
        dialog.color = 0x00FFFF;
        return true;
    });
    QTest::keyClick(started.window.get(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(started.platform.dialogs.size(), 2);
    for (const auto &shown : std::as_const(started.platform.dialogs)) {
        QCOMPARE(shown.properties.color, 16777215u);
    }
    QCOMPARE(started.list()->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(started.tree()->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
    QVERIFY(started.closeAndRead().endsWith("size=9.75\r\nbackcolor=65535\r\n"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
