#include "common/Twips.h"
#include "list/ShoppingList.h"
#include "print/ChecklistText.h"
#include "print/PreviewSurface.h"
#include "print/PrintCommands.h"
#include "print/PrintLayout.h"
#include "print/PrintoutWindow.h"
#include "support/RecordingSurface.h"
#include "support/WindowSession.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QPointer>
#include <QTest>

#include <algorithm>

// The recording surface measures every character as size x 10 twips wide and every line as
// size x 24 twips high; the positions below follow from that. That the layout ends, fails only
// before the first row, draws every row in section order and keeps face and colour on random
// lists, sizes and settings is the layout fuzz target's.

using Font = RecordingSurface::Font;
using Kind = DrawingSurface::Kind;
using Settings = PrinterFontSettings;
Q_DECLARE_METATYPE(PrinterFontSettings)

namespace {

std::optional<QString> print(RecordingSurface &surface, const QStringList &rows,
                             const Settings &settings = {})
{
    ShoppingList list;
    appendRows(list, rows);
    return PrintShoppingList(surface, list, settings);
}

// Rows from a pattern: %1 is the row's number, %2 that number modulo 200.
QStringList numbered(const QString &pattern, int count)
{
    QStringList rows;
    for (int i = 1; i <= count; ++i) {
        rows.append(pattern.contains(u"%2") ? pattern.arg(i).arg(i % 200) : pattern.arg(i));
    }
    return rows;
}

QList<PrintoutWindow *> previews()
{
    QList<PrintoutWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        found << qobject_cast<PrintoutWindow *>(widget);
    }
    found.removeAll(nullptr);
    return found;
}

// Whether any pixel in the area passes the test.
bool any(const QImage &image, const QRect &area, bool (*test)(QRgb))
{
    const QImage copy = image.copy(area).convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(copy.constBits());
    return std::any_of(pixels, pixels + copy.width() * copy.height(), test);
}

const auto ink = [](QRgb pixel) { return pixel != qRgb(255, 255, 255); };
const auto red = [](QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
};

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    // The lines after the title, split by "/"; none when the layout fails. "failing" names the
    // surface call that fails from its nth time on.
    void lines_data()
    {
        QTest::addColumn<QString>("rows"); // split by ";"
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("nth");
        QTest::addColumn<QString>("expected");
        const Settings plain;
        QTest::newRow("empty list: a blank line and the empty heading")
            << QString() << plain << QString() << 0 << u"/"_qs;
        QTest::newRow("sections by first occurrence, case counts, rows without category last")
            << u"1|Bread|;2|Milk|Dairy;1|Cream|dairy;1|Eggs|Dairy"_qs << plain << QString() << 0
            << u"/Dairy/Milk ( x2 )/Eggs//dairy/Cream///Bread"_qs;
        QTest::newRow("a text longer than its column is cut where the next column starts")
            << u"1|An item with a very long name|A heading that is too long"_qs << plain
            << QString() << 0 << u"/A heading that i/An item with a ver//"_qs;
        // Before the first row a failure ends the layout; after it the failing step is skipped.
        const QString milk = u"2|Milk|Dairy;1|Eggs|Dairy"_qs;
        const QString two = u"1|Milk|Dairy;1|Bread|Bakery"_qs;
        QTest::newRow("drawable width") << milk << plain << u"width"_qs << 1 << QString();
        QTest::newRow("first heading") << milk << plain << u"line Dairy"_qs << 1 << QString();
        QTest::newRow("colour not a number")
            << milk << Settings{{}, {}, u"red"_qs, {}, {}} << QString() << 0 << QString();
        QTest::newRow("size beyond 16 bits")
            << milk << Settings{{}, u"40000"_qs, {}, {}, {}} << QString() << 0 << QString();
        QTest::newRow("title size beyond 16 bits")
            << milk << Settings{{}, u"32766"_qs, {}, {}, {}} << QString() << 0 << QString();
        QTest::newRow("a row line is skipped")
            << milk << plain << u"line Milk ( x2 )"_qs << 1 << u"/Dairy/Eggs//"_qs;
        QTest::newRow("a later heading is skipped")
            << two << plain << u"line Bakery"_qs << 1 << u"/Dairy/Milk//Bread//"_qs;
        QTest::newRow("the pen's place unknown after the first heading: no column break")
            << two << plain << u"pen y"_qs << 2 << u"/Dairy/Milk//Bakery/Bread//"_qs;
    }

    void lines()
    {
        QFETCH(QString, rows);
        QFETCH(Settings, settings);
        QFETCH(QString, failing);
        QFETCH(int, nth);
        QFETCH(QString, expected);
        RecordingSurface surface(Kind::Printer, 11000, 15000);
        int calls = 0;
        surface.fails = [&](const QString &call) {
            return nth > 0 && call.startsWith(failing) && ++calls >= nth;
        };
        const auto failure = print(surface, rows.split(u';', Qt::SkipEmptyParts), settings);
        QCOMPARE(failure.has_value(), expected.isEmpty());
        QVERIFY(!failure.value_or(u"x"_qs).isEmpty());
        QCOMPARE(failure ? QString() : surface.texts.mid(1).join(u'/'), expected);
        QCOMPARE(surface.pages, 1);
        for (const RecordingSurface::Line &line : surface.lines) {
            QCOMPARE(line.x, 750.0); // five blanks of the 15 pt title font in, all in one column
        }
    }

    // The checklist's lines after the title and its blank line, split by "/": the printout's
    // sections and row texts, a section without rows left out.
    void checklist_data()
    {
        QTest::addColumn<QString>("rows"); // split by ";"
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty list") << QString() << QString();
        QTest::newRow("sections as printed, rows without category last")
            << u"1|Bread|;2|Milk|Dairy;1|Cream|dairy; 1 |Eggs|Dairy;|Salt|"_qs
            << u"Dairy/- [ ] Milk ( x2 )/- [ ] Eggs//dairy/- [ ] Cream//- [ ] Bread/- [ ] Salt ( x )"_qs;
        QTest::newRow("no row without category")
            << u"01|Cheese|Dairy"_qs << u"Dairy/- [ ] Cheese ( x01 )"_qs;
    }

    void checklist()
    {
        QFETCH(QString, rows);
        QFETCH(QString, expected);
        ShoppingList list;
        appendRows(list, rows.split(u';', Qt::SkipEmptyParts));
        const QDate date(2026, 12, 7);
        const QString text = ListAsChecklist(list, date);
        const QString title =
            u"Shopping List for "_qs + QLocale::system().toString(date, QLocale::ShortFormat);
        QCOMPARE(text, title + u'\n' +
                           (expected.isEmpty() ? QString()
                                               : u'\n' + expected.replace(u'/', u'\n') + u'\n'));
    }

    void pageSize_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QPageSize::PageSizeId>("size");
        QTest::newRow("United States") << "en_US" << QPageSize::Letter;
        QTest::newRow("Canada, French") << "fr_CA" << QPageSize::Letter;
        QTest::newRow("Mexico") << "es_MX" << QPageSize::Letter;
        QTest::newRow("Philippines") << "fil_PH" << QPageSize::Letter;
        QTest::newRow("United Kingdom") << "en_GB" << QPageSize::A4;
        QTest::newRow("Germany") << "de_DE" << QPageSize::A4;
        QTest::newRow("Spain") << "es_ES" << QPageSize::A4;
        QTest::newRow("C") << "C" << QPageSize::A4;
    }

    void pageSize()
    {
        QFETCH(QString, locale);
        QFETCH(QPageSize::PageSizeId, size);
        QCOMPARE(PageSizeOfLocale(QLocale(locale)).id(), size);
    }

    // Rows are in the stored font but never bold or underlined; the title is 3 points larger,
    // bold as stored, underlined; headings, and the blank line above them, 1 point larger,
    // bold and underlined.
    void fonts_data()
    {
        QTest::addColumn<Settings>("settings"); // name, size, forecolor, bold, italic
        QTest::addColumn<Font>("stored");
        QTest::newRow("nothing but flags stored: any text but 0 is on")
            << Settings{{}, {}, {}, u"no"_qs, u"00"_qs} << Font{u"Arial"_qs, 12, true, true};
        QTest::newRow("as the font command stores Liberation Serif 9 bold")
            << Settings{u"Liberation Serif"_qs, u"9"_qs, {}, u"-1"_qs, u"0"_qs}
            << Font{u"Liberation Serif"_qs, 9, true};
    }

    void fonts()
    {
        QFETCH(Settings, settings);
        QFETCH(Font, stored);
        RecordingSurface surface(Kind::Preview, 11000, 15000);
        QCOMPARE(print(surface, {u"2|Milk|Dairy"_qs}, settings), std::nullopt);
        const Font title{stored.name, stored.size + 3, stored.bold, stored.italic, true};
        const Font heading{stored.name, stored.size + 1, true, stored.italic, true};
        const Font row{stored.name, stored.size, false, stored.italic, false};
        const QList<Font> expected{title, heading, heading, row};
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(surface.lines[i].font, expected[i]);
        }
    }

    // On 10000 x 3000 twips columns are 2000 apart; a heading is begun while the pen is at
    // most 2500 down, a row while it is at most 2800. A new column begins at the top with two
    // blank lines before a row, one before a heading; a new page two blanks in.
    void columnBreaks_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("probes"); // "text|x|y|page|font size" of the first such
        const QStringList oneSection = numbered(u"1|Item%1|Dairy"_qs, 80);
        QTest::newRow("printer, rows")
            << Kind::Printer << oneSection << 3
            << QStringList{u"Item7|750|2712|1|12"_qs, u"Item8|2750|576|1|12"_qs,
                           u"Item39|8750|2592|1|12"_qs, u"Item40|240|576|2|12"_qs,
                           u"Item80|240|576|3|12"_qs};
        QStringList pairs = numbered(u"1|Item%1a|Cat%1"_qs, 3) + numbered(u"1|Item%1b|Cat%1"_qs, 3);
        std::sort(pairs.begin(), pairs.end());
        QTest::newRow("printer, a heading in the lowest sixth")
            << Kind::Printer << pairs << 1
            << QStringList{u"Item2b|750|2472|1|12"_qs, u"Cat3|2750|312|1|13"_qs};
        QTest::newRow("preview, rows: marked in the bottom right corner, the rest below")
            << Kind::Preview << oneSection << 1
            << QStringList{u"Item39|8750|2592|1|12"_qs, u"... more ...|8560|2712|1|12"_qs,
                           u"Item80|8560|3576|1|12"_qs};
        QTest::newRow("preview, a heading: marked in the top left corner, the rest to the right")
            << Kind::Preview << numbered(u"1|Item%1|Cat%1"_qs, 30) << 1
            << QStringList{u"...more...|0|0|1|13"_qs, u"Cat15|10750|624|1|13"_qs};
        QTest::newRow("preview, columns beyond 16 bits")
            << Kind::Preview << numbered(u"1|Item%1|Cat%2"_qs, 40000) << 1 << QStringList();
    }

    // On the printer every line lands on a page; on a preview, once a mark is drawn nothing
    // more of the list lands inside.
    void columnBreaks()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, rows);
        QFETCH(int, pages);
        QFETCH(QStringList, probes);
        RecordingSurface surface(kind, 10000, 3000);
        QCOMPARE(print(surface, rows), std::nullopt);
        QCOMPARE(surface.pages, pages);
        for (const QString &probe : probes) {
            const auto line = surface.lines.value(surface.texts.indexOf(probe.section(u'|', 0, 0)));
            QCOMPARE(u"%1|%2|%3|%4|%5"_qs.arg(line.text).arg(line.x).arg(line.y).arg(line.page).arg(
                         line.font.size),
                     probe);
        }
        bool marked = false;
        for (const RecordingSurface::Line &line : surface.lines) {
            const bool inside = line.x >= 0 && line.x < 10000 && line.y >= 0 && line.y < 3000;
            const bool mark = line.text.contains(u"more");
            QVERIFY2(kind == Kind::Printer ? inside
                                           : !inside || !marked || mark || line.text.isEmpty(),
                     qPrintable(line.text));
            marked = marked || mark;
        }
    }

    void cleanup() { qDeleteAll(previews()); }
    void previewWindows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QByteArray>("settings");
        // Text of the one message shown, if any: then nothing is drawn.
        QTest::addColumn<QString>("message");
        QTest::newRow("one row") << 1 << QByteArray() << QString();
        QTest::newRow("columns used up: marked") << 300 << QByteArray() << QString();
        QTest::newRow("a colour that is no number: reported, the window stays")
            << 1 << QByteArray("[PrinterFont]\r\nforecolor=red\r\n") << u"\"red\""_qs;
    }

    void previewWindows()
    {
        QFETCH(int, rows);
        QFETCH(QByteArray, settings);
        QFETCH(QString, message);
        WindowSession session;
        session.folder.write(u"shopping.ini"_qs, settings);
        session.start();
        for (int i = 1; i <= rows; ++i) {
            session.list().append({u"1"_qs, u"Item%1"_qs.arg(i), u"Dairy"_qs});
        }
        session.trigger(u"mnuFile(4)"_qs);
        session.trigger(u"mnuFile(4)"_qs);

        const QList<PrintoutWindow *> open = previews();
        QCOMPARE(open.size(), 2);
        QCOMPARE(session.platform.messages.size(), message.isEmpty() ? 0 : 2);
        QVERIFY(message.isEmpty() || session.platform.messages[0].text.contains(message));
        // As wide as a page, a third of the screen high, in the top left corner.
        const QSize outer(TwipsToPixelsX(DefaultPageWidthTwips()), TwipsToPixelsY(11520.0 / 3));
        for (PrintoutWindow *preview : open) {
            QVERIFY(preview->isVisible() && !preview->isModal());
            QCOMPARE(preview->frameGeometry(), QRect(QPoint(0, 0), outer));
            const QImage &drawing = preview->drawing();
            QCOMPARE(drawing.size(), preview->size());
            const QRect corner(drawing.width() - 40, drawing.height() - 16, 40, 16);
            QCOMPARE(any(drawing, QRect(0, 0, drawing.width(), 30), ink), message.isEmpty());
            QCOMPARE(any(drawing, corner, ink), rows > 1); // "... more ..." in the corner
        }

        // The user may make it larger; the new area is white.
        const QSize larger = open[1]->size() + QSize(50, 50);
        open[1]->resize(larger);
        QCoreApplication::processEvents();
        QCOMPARE(open[1]->size(), larger);
        const QImage shown = open[1]->grab().toImage();
        QVERIFY(!any(shown, QRect(shown.width() - 50, 0, 50, shown.height()), ink));

        // A click closes that window only; the others close with the program.
        QPointer<PrintoutWindow> clicked = open[0];
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(20, 20));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(clicked.isNull());
        QCOMPARE(previews(), QList<PrintoutWindow *>{open[1]});
        QVERIFY(session.window->isVisible());
        session.platform.messageAnswers = {MessageAnswer::Discard};
        session.window->close();
        QVERIFY(previews().isEmpty());
    }

    // Cancel changes nothing; OK stores the choice and shows it in a preview.
    void printerFont()
    {
        WindowSession session;
        session.start();
        session.list().append({u"1"_qs, u"Milk"_qs, u"Dairy"_qs});
        for (const bool confirm : {false, true}) {
            session.platform.dialogAnswers.append([confirm](CommonDialog &dialog) {
                dialog.fontName = u"Liberation Serif"_qs;
                dialog.fontSize = 10.5;
                dialog.fontItalic = true;
                dialog.fontUnderline = true; // never stored
                dialog.color = 0x0000FF;     // red
                return confirm;
            });
            session.trigger(u"mnuOptionFontPrinter"_qs);
            QCOMPARE(session.platform.dialogs.last().kind, ScriptedPlatform::DialogKind::Font);
            QCOMPARE(previews().size(), confirm ? 1 : 0);
            QCOMPARE(session.folder.exists(u"shopping.ini"_qs), confirm);
        }
        const QByteArray stored = session.folder.read(u"shopping.ini"_qs);
        for (const char *line : {"bold=0\r\n", "italic=-1\r\n", "name=Liberation Serif\r\n",
                                 "forecolor=255\r\n", "size=10.5\r\n"}) {
            QVERIFY2(stored.contains(line), stored.constData());
        }
        QVERIFY(!stored.contains("underline"));
        const QImage &drawing = previews()[0]->drawing();
        QVERIFY(any(drawing, drawing.rect(), red));
    }

    // A preview draws a text that comes again from a layout made once, and stops drawing it where
    // drawing it again changes nothing. Neither may change the picture, and what is kept of a
    // font's measures goes with the font.
    void textDrawnAgain()
    {
        PrintoutWindow window;
        window.resize(600, 60);
        {
            PreviewSurface surface(window);
            const double width = surface.textWidth(u"Milk and Eggs"_qs);
            const double height = surface.textHeight(u"Milk and Eggs"_qs);
            surface.setFontSize(24);
            QVERIFY(surface.textWidth(u"Milk and Eggs"_qs) > width * 1.5);
            QVERIFY(surface.textHeight(u"Milk and Eggs"_qs) > height * 1.5);
            surface.setFontSize(12);
            // Enough times at each place for the edges of the letters to reach their darkest.
            for (int time = 0; time < 120; ++time) {
                surface.setPenX(300 * (time / 60) * TwipsPerPixelX());
                surface.setPenY(0);
                surface.printLine(u"Milk and Eggs"_qs);
            }
        }
        const QImage first = window.drawing().copy(0, 0, 300, 60);
        QVERIFY(any(first, first.rect(), ink));
        QCOMPARE(window.drawing().copy(300, 0, 300, 60), first);
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
