#include "common/FileAccess.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <unistd.h>
#include <utility>

namespace {

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

// A window started over a settings file (none for a null one).
std::unique_ptr<WindowSession> started(const QByteArray &settings)
{
    auto session = std::make_unique<WindowSession>();
    if (!settings.isNull()) {
        session->folder.write(u"shopping.ini"_qs, settings);
    }
    session->start();
    return session;
}

} // namespace

// Start-up and shut-down with the settings file, and the commands that change the list's look.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The file written is read back to the same file: nothing drifts from start to start. A
    // shut-down replaces the file once, and clears away the temporary files of a killed one.
    void firstStartAndShutDown()
    {
        const auto session = started(QByteArray());
        const ListView &list = session->listView();
        QCOMPARE(list.columnWidth(0), 60);
        QCOMPARE(list.columnWidth(1), 147);
        QCOMPARE(list.columnWidth(2), 89);
        session->folder.write(u".shopping.ini-a1B2c3"_qs, "left by a killed write");
        session->folder.write(u".shopping.ini-mine"_qs, "the user's own");
        static int replaces = 0;
        const FileReplaceCalls usual = std::exchange(
            TheFileReplaceCalls,
            {[](char *name, int flags) { return ++replaces, ::mkostemp(name, flags); }, ::fdatasync,
             ::close});
        const QByteArray written = session->closeAndRead();
        TheFileReplaceCalls = usual;
        QCOMPARE(written, firstShutDown);
        QCOMPARE(replaces, 1);
        QCOMPARE(QDir(session->folder.path())
                     .entryList({u"*shopping.ini*"_qs}, QDir::Files | QDir::Hidden),
                 QStringList({u".shopping.ini-mine"_qs, u"shopping.ini"_qs}));
        QCOMPARE(started(firstShutDown)->closeAndRead(), firstShutDown);
    }

    // The settings shown; a cancelled font dialog changes nothing, whatever an earlier use left
    // in the shared dialog, and the file is written back byte for byte.
    void storedSettingsApplied()
    {
        const auto session = started(chosen);
        const ListView &list = session->listView();
        QCOMPARE(session->window->frameGeometry(), QRect(100, 20, 467, 400));
        QCOMPARE(list.columnWidth(0), 80);
        QCOMPARE(list.columnWidth(1), 200);
        QCOMPARE(list.font().family(), u"Arial"_qs);
        QCOMPARE(list.font().pointSizeF(), 12.0);
        QVERIFY(list.font().bold());
        QCOMPARE(list.palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(list.palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Button));
        QCOMPARE(session->tree().font().family(), u"MS Sans Serif"_qs); // the tree keeps its look
        const QSize designed = session->window->size();
        session->window->resize(300, 200); // the user's own size stays
        QCOMPARE(session->window->size(), QSize(300, 200));
        session->window->resize(designed);
        session->platform.commonDialog().fontItalic = true;
        session->platform.commonDialog().color = 0x00FF00;
        session->platform.cancelNextDialog();
        session->trigger(u"mnuOptionFont"_qs);
        QCOMPARE(session->platform.dialogs.size(), 1);
        QCOMPARE(session->closeAndRead(), chosen);
    }

    // Values the list cannot take leave the designed look, which is then written back.
    void unusableValuesKeepDesign()
    {
        const auto session =
            started("[font]\r\nsize=1e9\r\nname= \r\nforecolor=red\r\nbackcolor=12abc\r\n");
        const ListView &list = session->listView();
        QCOMPARE(list.font().family(), u"MS Sans Serif"_qs);
        QCOMPARE(list.font().pointSizeF(), 9.75);
        QCOMPARE(list.palette().color(QPalette::Base), QColor(Qt::white));
        QVERIFY(session->closeAndRead().startsWith(
            "[font]\r\nsize=9.75\r\nname=MS Sans Serif\r\nforecolor=-2147483640\r\n"
            "backcolor=16777215\r\nbold=0\r\nitalic=0\r\n"));
    }

    void placement_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QRect>("outer");
        QTest::newRow("none: three quarters of the screen")
            << QByteArray() << QRect(0, 0, 768, 576);
        QTest::newRow("height 0, width 7000")
            << QByteArray("Height= 0\r\nWidth= 7000\r\n") << QRect(0, 0, 467, 576);
        QTest::newRow("top beyond 16 bits")
            << QByteArray("Top= 40000\r\nLeft= 1500\r\n") << QRect(100, 0, 768, 576);
        QTest::newRow("off the screen: moved onto it") // 800 x 800 pixels here
            << QByteArray("Left= 30000\r\nTop= 30000\r\n") << QRect(32, 224, 768, 576);
        // A move the window refuses leaves it at its designed size: 9420 twips wide.
        QTest::newRow("negative width") << QByteArray("Width=-500\r\nLeft= 1500\r\n") << QRect();
        QTest::newRow("zero height, no width") << QByteArray("Height=0.1\r\n") << QRect();
        QTest::newRow("beyond what a window can be")
            << QByteArray("Height= 1E+300\r\nWidth= 99999999999999\r\nTop= 1E+20\r\n") << QRect();
        QTest::newRow("not numbers")
            << QByteArray("Height=tall\r\nWidth=NaN\r\nLeft=inf\r\n") << QRect(0, 0, 768, 576);
    }

    void placement()
    {
        QFETCH(QByteArray, section);
        QFETCH(QRect, outer);
        const auto session = started("[frmShopping]\r\n" + section);
        if (outer.isNull()) {
            QCOMPARE(session->window->width(), 628);
        } else {
            QCOMPARE(session->window->frameGeometry(), outer);
        }
    }

    // The font and background commands change the list alone, each dialog starting from the
    // list's own values, not from what the other left behind.
    void listLookCommands()
    {
        const auto session = started(QByteArray());
        session->platform.dialogAnswers.append([](CommonDialog &dialog) {
            dialog.fontName = u"Arial"_qs;
            dialog.fontSize = 12;
            dialog.fontBold = true;
            dialog.fontUnderline = true;
            dialog.fontStrikethru = true;
            dialog.color = 0x0000FF;
            return true;
        });
        QTest::keyClick(session->window.get(), Qt::Key_F, Qt::ControlModifier);
        session->listView().setColumnWidth(1, 250); // the user widens a column
        QCOMPARE(session->platform.dialogs.value(0).properties.flags, 259);
        QVERIFY(session->platform.dialogs.value(0).properties.cancelError);
        const ListView &list = session->listView();
        QCOMPARE(list.font().pointSizeF(), 12.0);
        QVERIFY(!list.font().underline());
        QVERIFY(!list.font().strikeOut());

        session->platform.cancelNextDialog();
        QTest::keyClick(session->window.get(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(list.palette().color(QPalette::Base), QColor(Qt::white));
        session->platform.dialogAnswers.append([](CommonDialog &dialog) {
            dialog.color = 0x00FFFF;
            return true;
        });
        QTest::keyClick(session->window.get(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(session->platform.dialogs.size(), 3);
        const CommonDialog &shown = session->platform.dialogs.constLast().properties;
        QCOMPARE(shown.color, 16777215u); // the list's own colour
        QCOMPARE(shown.dialogTitle, u"Choose Background Colour for the List"_qs);
        QCOMPARE(list.palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(list.palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(session->tree().palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
        const QByteArray written = session->closeAndRead();
        QVERIFY(written.contains("\r\nlistCol2= 3750\r\n"));
        QVERIFY(written.endsWith("[font]\r\nbold=-1\r\nitalic=0\r\nname=Arial\r\nforecolor=255\r\n"
                                 "size=12\r\nbackcolor=65535\r\n"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
