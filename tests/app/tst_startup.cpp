#include "app/ShoppingWindow.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

namespace {

const QString ini = QStringLiteral("shopping.ini");

// What a first shut-down writes: the window at three quarters of a 15360 x 11520 twips screen,
// the designed columns, font and colours.
const QByteArray firstShutDown = "[frmShopping]\r\n"
                                 "Height= 8640\r\n"
                                 "Width= 11520\r\n"
                                 "Left= 0\r\n"
                                 "Top= 0\r\n"
                                 "[display]\r\n"
                                 "listCol1= 900\r\n"
                                 "listCol2= 2200\r\n"
                                 "listCol3= 1340\r\n"
                                 "[font]\r\n"
                                 "bold=0\r\n"
                                 "italic=0\r\n"
                                 "name=MS Sans Serif\r\n"
                                 "forecolor=-2147483640\r\n"
                                 "size=9.75\r\n"
                                 "backcolor=16777215\r\n";

// A file as the program itself writes it, with nothing at a default.
const QByteArray chosen = "; kept as it is\n"
                          "[frmShopping]\n"
                          "Height= 6000\n"
                          "Width= 7001\n"
                          "Left= 1500\n"
                          "Top= 300\n"
                          "\n"
                          "[display]\r\n"
                          "listCol1= 1201\r\n"
                          "listCol2= 3000\r\n"
                          "listCol3= 1340\r\n"
                          "[font]\r\n"
                          "bold=-1\r\n"
                          "italic=0\r\n"
                          "name=Arial\r\n"
                          "forecolor=255\r\n"
                          "size=12\r\n"
                          "backcolor=-2147483633\r\n"
                          "[PrinterFont]\r\n"
                          "name=Comic Sans MS\r\n";

struct Started
{
    TestFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<ShoppingWindow> window;

    explicit Started(const QByteArray &settings)
    {
        folder.write(QStringLiteral("headings.txt"), "Dairy\r\n");
        folder.write(QStringLiteral("Dairy.txt"), "Milk\r\n");
        if (!settings.isNull()) {
            folder.write(ini, settings);
        }
        window = std::make_unique<ShoppingWindow>(folder.path(), platform);
        window->Form_Load();
    }

    QTreeView *list() const { return window->findChild<QTreeView *>(QStringLiteral("lvList")); }
    QTreeView *tree() const { return window->findChild<QTreeView *>(QStringLiteral("tvShopping")); }
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
    QCOMPARE(list->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(list->font().pointSizeF(), 9.75);
    QVERIFY(!list->font().bold());
    QVERIFY(!list->font().italic());
    QCOMPARE(list->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(list->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
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
    QCOMPARE(list->font().family(), QStringLiteral("Arial"));
    QCOMPARE(list->font().pointSizeF(), 12.0);
    QVERIFY(list->font().bold());
    QVERIFY(!list->font().italic());
    QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(list->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Button));
    // The tree keeps its own look.
    QCOMPARE(started.tree()->font().family(), QStringLiteral("MS Sans Serif"));
    QVERIFY(!started.tree()->font().bold());
    QCOMPARE(started.tree()->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Text));
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
    QTest::newRow("blank first") << QByteArray(" 3000") << 200 << QByteArray(" 3000");
    QTest::newRow("fraction") << QByteArray("1200.6") << 80 << QByteArray(" 1201");
    QTest::newRow("letters after") << QByteArray("12abc") << 1 << QByteArray(" 12");
    QTest::newRow("zero") << QByteArray("0") << 147 << QByteArray(" 2200");
    QTest::newRow("empty") << QByteArray() << 147 << QByteArray(" 2200");
    QTest::newRow("no number") << QByteArray("wide") << 147 << QByteArray(" 2200");
    QTest::newRow("negative") << QByteArray("-300") << 147 << QByteArray(" 2200");
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
    QCOMPARE(list->columnWidth(0), 60);
    QCOMPARE(list->columnWidth(2), 89);
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
    QTest::newRow("no keys") << QByteArray();
    QTest::newRow("bold 0, italic empty") << QByteArray("bold=0\r\nitalic=\r\n");
    QTest::newRow("size not a number") << QByteArray("size=big\r\n");
    QTest::newRow("size zero") << QByteArray("size=0\r\n");
    QTest::newRow("size negative") << QByteArray("size=-4\r\n");
    QTest::newRow("size too large") << QByteArray("size=1e9\r\n");
    QTest::newRow("colours not numbers") << QByteArray("forecolor=red\r\nbackcolor=12abc\r\n");
    QTest::newRow("colours out of range")
        << QByteArray("forecolor=4294967296\r\nbackcolor=-2147483000\r\n");
    QTest::newRow("colour bits above 24") << QByteArray("backcolor=16777216\r\n");
    QTest::newRow("empty name") << QByteArray("name=\r\n");
}

void TestStartup::unusableValuesKeepDesign()
{
    QFETCH(QByteArray, font);
    Started started("[font]\r\n" + font);
    QTreeView *list = started.list();
    QCOMPARE(list->font().family(), QStringLiteral("MS Sans Serif"));
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
    QTest::newRow("absurd place") << QByteArray("Left= 1e300\r\n") << QRect();
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
        dialog.fontName = QStringLiteral("Arial");
        dialog.fontSize = 12;
        dialog.fontBold = true;
        dialog.fontUnderline = true;
        dialog.fontStrikethru = true;
        dialog.color = 0x0000FF;
        return true;
    });
    QTest::keyClick(started.window.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(started.platform.dialogs.size(), 1);
    const auto &shown = started.platform.dialogs.constFirst();
    QCOMPARE(shown.kind, ScriptedPlatform::DialogKind::Font);
    QCOMPARE(shown.properties.flags, 259);
    QVERIFY(shown.properties.cancelError);

    QTreeView *list = started.list();
    QCOMPARE(list->font().family(), QStringLiteral("Arial"));
    QCOMPARE(list->font().pointSizeF(), 12.0);
    QVERIFY(list->font().bold());
    QVERIFY(!list->font().underline());
    QVERIFY(!list->font().strikeOut());
    QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(started.tree()->font().family(), QStringLiteral("MS Sans Serif"));

    const QByteArray written = started.closeAndRead();
    QVERIFY(written.endsWith("[font]\r\nbold=-1\r\nitalic=0\r\nname=Arial\r\nforecolor=255\r\n"
                             "size=12\r\nbackcolor=16777215\r\n"));
    Started again(written);
    QCOMPARE(again.list()->font().family(), QStringLiteral("Arial"));
    QCOMPARE(again.list()->font().pointSizeF(), 12.0);
    QVERIFY(again.list()->font().bold());
    QCOMPARE(again.list()->palette().color(QPalette::Text), QColor(Qt::red));
}

void TestStartup::screenFontCancelled()
{
    Started started(chosen);
    // What an earlier use left in the shared dialog must not reach the list on a cancel.
    started.platform.commonDialog().fontItalic = true;
    started.platform.commonDialog().color = 0x00FF00;
    started.platform.cancelNextDialog();
    started.window->mnuOptionFont_Click();
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
        QCOMPARE(shown.kind, ScriptedPlatform::DialogKind::Color);
        QCOMPARE(shown.properties.color, 16777215u);
        QCOMPARE(shown.properties.dialogTitle,
                 QStringLiteral("Choose Background Colour for the List"));
        QVERIFY(shown.properties.cancelError);
    }
    QCOMPARE(started.list()->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(started.tree()->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
    QVERIFY(started.closeAndRead().endsWith("size=9.75\r\nbackcolor=65535\r\n"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
