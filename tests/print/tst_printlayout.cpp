#include "list/ShoppingList.h"
#include "print/PrintLayout.h"
#include "support/RecordingSurface.h"
#include "support/WindowSession.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QTest>

// The recording surface measures every character as size x 10 twips wide and every line as
// size x 24 twips high; the expected positions below follow from that.

using Settings = QHash<QString, QString>;
using Font = RecordingSurface::Font;
using Kind = DrawingSurface::Kind;
Q_DECLARE_METATYPE(RecordingSurface::Font)

namespace {

const Settings plain = {{u"bold"_qs, u"0"_qs}, {u"italic"_qs, u"0"_qs}};

std::optional<QString> print(RecordingSurface &surface, const QStringList &rows,
                             const Settings &settings = plain)
{
    ShoppingList list;
    appendRows(list, rows);
    return PrintShoppingList(surface, list,
                             {settings.value(u"name"_qs), settings.value(u"size"_qs),
                              settings.value(u"forecolor"_qs), settings.value(u"bold"_qs),
                              settings.value(u"italic"_qs)});
}

QStringList numbered(const QString &pattern, int count)
{
    QStringList rows;
    for (int i = 1; i <= count; ++i) {
        rows.append(pattern.arg(i));
    }
    return rows;
}

QString title()
{
    return u"Shopping List for "_qs +
           QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

QStringList texts(const RecordingSurface &surface)
{
    QStringList result;
    for (const RecordingSurface::Line &line : surface.lines) {
        result.append(line.text);
    }
    return result;
}

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void sections_data();
    void sections();
    void fonts_data();
    void fonts();
    void printerColumnsAndPages();
    void headingNeverStartsInLowestSixth();
    void previewMarks_data();
    void previewMarks();
    void failures_data();
    void failures();
    void manyCategories();
    void beyond16BitRows_data();
    void beyond16BitRows();
};

void TestPrintLayout::sections_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expected"); // every line after the title

    QTest::newRow("empty list: one blank line and an empty heading")
        << QStringList() << QStringList{u""_qs, u""_qs};
    QTest::newRow("one category, then the empty last section")
        << QStringList{u"2|Milk|Dairy"_qs, u"1|Butter|Dairy"_qs}
        << QStringList{u""_qs, u"Dairy"_qs, u"Milk ( x2 )"_qs, u"Butter"_qs, u""_qs, u""_qs};
    QTest::newRow("rows without category go under the empty heading")
        << QStringList{u"1|Bread|"_qs, u"1|Milk|Dairy"_qs}
        << QStringList{u""_qs, u"Dairy"_qs, u"Milk"_qs, u""_qs, u""_qs, u"Bread"_qs};
    QTest::newRow("categories differing in case are two sections")
        << QStringList{u"1|Milk|Dairy"_qs, u"1|Cream|dairy"_qs, u"1|Eggs|Dairy"_qs}
        << QStringList{u""_qs,      u"Dairy"_qs, u"Milk"_qs, u"Eggs"_qs, u""_qs,
                       u"dairy"_qs, u"Cream"_qs, u""_qs,     u""_qs};
    QTest::newRow("quantities") << QStringList{u" 1 |A|C"_qs, u"01|B|C"_qs,  u"|D|C"_qs,
                                               u"1.0|E|C"_qs, u"\t1|F|C"_qs, u"3 kg|G|C"_qs}
                                << QStringList{u""_qs,           u"C"_qs,
                                               u"A"_qs,          u"B ( x01 )"_qs,
                                               u"D ( x )"_qs,    u"E ( x1.0 )"_qs,
                                               u"F ( x\t1 )"_qs, u"G ( x3 kg )"_qs,
                                               u""_qs,           u""_qs};
}

void TestPrintLayout::sections()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expected);
    RecordingSurface surface(Kind::Printer, 11000, 15000);
    QCOMPARE(print(surface, rows), std::nullopt);
    QCOMPARE(texts(surface), QStringList{title()} + expected);
    QCOMPARE(surface.pages, 1);
    // The title and every line below start five blanks of the 15 pt title font in.
    QCOMPARE(surface.lines[0].y, 0.0);
    QCOMPARE(surface.lines[1].y, 15 * 24.0);
    QCOMPARE(surface.lines[2].y, 15 * 24.0 + 13 * 24.0);
    for (const RecordingSurface::Line &line : surface.lines) {
        QCOMPARE(line.x, 750.0);
    }
}

void TestPrintLayout::fonts_data()
{
    // The title is size + 3, underlined, bold as stored; headings size + 1, bold, underlined;
    // rows the size; italic as stored on every line.
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<quint32>("color");
    const QString arial = u"Arial"_qs;
    QTest::newRow("empty values keep the defaults")
        << Settings{{u"name"_qs, u""_qs}, {u"size"_qs, u""_qs}, {u"forecolor"_qs, u""_qs}} << arial
        << 12.0 << false << false << 0u;
    QTest::newRow("10.5 rounds to 10")
        << Settings{{u"size"_qs, u"10.5"_qs}} << arial << 10.0 << false << false << 0u;
    QTest::newRow("size read by its leading number")
        << Settings{{u"size"_qs, u" 9pt"_qs}} << arial << 9.0 << false << false << 0u;
    QTest::newRow("any text but 0 is on")
        << Settings{{u"bold"_qs, u"no"_qs}, {u"italic"_qs, u"00"_qs}} << arial << 12.0 << true
        << true << 0u;
    QTest::newRow("as the font command stores Arial 10 bold red")
        << Settings{{u"bold"_qs, u"-1"_qs}, {u"forecolor"_qs, u"255"_qs}, {u"size"_qs, u"10"_qs}}
        << arial << 10.0 << true << false << 255u;
    QTest::newRow("face name and system colour")
        << Settings{{u"name"_qs, u"Liberation Serif"_qs}, {u"forecolor"_qs, u"-2147483640"_qs}}
        << u"Liberation Serif"_qs << 12.0 << false << false << 0x80000008u;
}

void TestPrintLayout::fonts()
{
    QFETCH(Settings, settings);
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(quint32, color);
    RecordingSurface surface(Kind::Preview, 11000, 15000);
    QCOMPARE(print(surface, {u"2|Milk|Dairy"_qs}, settings), std::nullopt);
    QCOMPARE(texts(surface).mid(1, 3), (QStringList{u""_qs, u"Dairy"_qs, u"Milk ( x2 )"_qs}));
    const Font heading{face, size + 1, true, italic, true};
    const Font row{face, size, false, italic, false};
    const QList<Font> expected{{face, size + 3, bold, italic, true}, heading, heading, row};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(surface.lines[i].font, expected[i]);
        QCOMPARE(surface.lines[i].color, color);
    }
    QCOMPARE(surface.font(), row); // the surface is left in the row font
}

// Rows of 12 pt are 288 twips high. On a drawable area of 10000 x 3000 a row is begun while
// the pen is at most 2800: 7 rows below the title and heading, then 8 in each new column
// (after its two blank lines), so 39 rows on the first page.
void TestPrintLayout::printerColumnsAndPages()
{
    RecordingSurface surface(Kind::Printer, 10000, 3000);
    QCOMPARE(print(surface, numbered(u"1|Item%1|Dairy"_qs, 60)), std::nullopt);
    QCOMPARE(surface.pages, 2);
    QCOMPARE(surface.operations.count(u"new page"_qs), 1);
    QMap<int, QSet<double>> columnsOnPage;
    for (const RecordingSurface::Line &line : surface.lines) {
        columnsOnPage[line.page].insert(line.x);
        QVERIFY2(line.y <= 2800 + 13 * 24, qPrintable(line.text));
    }
    QCOMPARE(columnsOnPage[1], (QSet<double>{750, 2750, 4750, 6750, 8750}));
    QCOMPARE(columnsOnPage[2], (QSet<double>{240, 2240, 4240})); // two blanks of the row font

    const QStringList all = texts(surface);
    QCOMPARE(all.count(u"Dairy"_qs), 1);
    for (qsizetype i = 1; i < surface.lines.size(); ++i) {
        if (surface.lines[i].y == 0) {
            QCOMPARE(all.mid(i, 2), (QStringList{u""_qs, u""_qs}));
            QCOMPARE(surface.lines[i + 1].y, 288.0);
            QCOMPARE(surface.lines[i].font.size, 12.0);
        }
    }
    const qsizetype pageStart = all.indexOf(u"Item40"_qs) - 2;
    QCOMPARE(surface.lines[pageStart].page, 2);
    QCOMPARE(surface.lines[pageStart - 1].text, u"Item39"_qs);
    QCOMPARE(surface.lines[pageStart - 1].page, 1);
}

void TestPrintLayout::headingNeverStartsInLowestSixth()
{
    // Title 360, then sections of a blank line and a heading (312 each) and two rows (288).
    RecordingSurface surface(Kind::Printer, 10000, 3000);
    QStringList rows = numbered(u"1|Item%1a|Cat%1"_qs, 3) + numbered(u"1|Item%1b|Cat%1"_qs, 3);
    std::sort(rows.begin(), rows.end());
    QCOMPARE(print(surface, rows), std::nullopt);
    // Section 2 ends at 360 + 2 x 1200 = 2760: a row could still begin there (up to 2800),
    // a heading cannot (beyond 2500), so section 3 begins the next column with one blank line.
    const QStringList all = texts(surface);
    QCOMPARE(surface.lines[all.indexOf(u"Item2b"_qs)].y, 2472.0);
    const RecordingSurface::Line &blank = surface.lines[all.indexOf(u"Cat3"_qs) - 1];
    const RecordingSurface::Line &heading = surface.lines[all.indexOf(u"Cat3"_qs)];
    QCOMPARE(blank.text, QString());
    QCOMPARE(blank.font.size, 13.0);
    QCOMPARE(QPointF(blank.x, blank.y), QPointF(2750, 0));
    QCOMPARE(QPointF(heading.x, heading.y), QPointF(2750, 312));
}

void TestPrintLayout::previewMarks_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("rowsFillFirst");
    QTest::newRow("columns used up at a row") << u"1|Item%1|Dairy"_qs << 80 << true;
    QTest::newRow("columns used up at a heading") << u"1|Item%1|Cat%1"_qs << 30 << false;
}

// A preview has one page: the first row that does not fit is marked "... more ..." on the
// last line, right-aligned; a heading that does not fit is marked "...more..." in the corner.
void TestPrintLayout::previewMarks()
{
    QFETCH(QString, pattern);
    QFETCH(int, count);
    QFETCH(bool, rowsFillFirst);
    RecordingSurface surface(Kind::Preview, 10000, 3000);
    QCOMPARE(print(surface, numbered(pattern, count)), std::nullopt);
    QCOMPARE(surface.pages, 1);
    QVERIFY(!surface.operations.contains(u"new page"_qs));
    const QStringList all = texts(surface);
    const qsizetype first = all.indexOf(rowsFillFirst ? u"... more ..."_qs : u"...more..."_qs);
    QVERIFY(first > 0);
    if (rowsFillFirst) {
        QCOMPARE(all[first - 1], u"Item39"_qs);
        QVERIFY(all.count(u"... more ..."_qs) > 1);
    } else {
        QVERIFY(!all.contains(u"... more ..."_qs));
    }
    for (qsizetype i = first; i < all.size(); ++i) {
        const RecordingSurface::Line &line = surface.lines[i];
        if (line.text == u"... more ...") {
            // 12 characters of the row font, one 12 pt line high.
            QCOMPARE(QPointF(line.x, line.y), QPointF(10000 - 1440, 3000 - 288));
            QCOMPARE(line.font.size, 12.0);
        } else if (line.text == u"...more...") {
            QCOMPARE(QPointF(line.x, line.y), QPointF(0, 0));
            QCOMPARE(line.font, (Font{u"Arial"_qs, 13, true, false, true}));
        } else if (!line.text.isEmpty()) {
            // Nothing else of the rest of the list lands inside the drawable area.
            QVERIFY2(line.y >= 3000 || line.x >= 10000, qPrintable(line.text));
        }
    }
}

void TestPrintLayout::failures_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("failingOperation"); // "name" or "name argument"
    QTest::addColumn<QStringList>("expected");     // after the title; empty: failure reaches caller

    const QStringList milk{u"2|Milk|Dairy"_qs, u"1|Eggs|Dairy"_qs};
    const QStringList none;
    QTest::newRow("drawable width") << milk << plain << u"width"_qs << none;
    QTest::newRow("forecolor not a number")
        << milk << Settings{{u"forecolor"_qs, u"red"_qs}} << QString() << none;
    QTest::newRow("size beyond 16 bits")
        << milk << Settings{{u"size"_qs, u"40000"_qs}} << QString() << none;
    QTest::newRow("title size beyond 16 bits")
        << milk << Settings{{u"size"_qs, u"32766"_qs}} << QString() << none;
    QTest::newRow("title line") << milk << plain << u"line "_qs + title() << none;
    QTest::newRow("first heading") << milk << plain << u"line Dairy"_qs << none;
    QTest::newRow("a row line is skipped")
        << milk << plain << u"line Milk ( x2 )"_qs
        << QStringList{u""_qs, u"Dairy"_qs, u"Eggs"_qs, u""_qs, u""_qs};
    QTest::newRow("a later heading is skipped")
        << QStringList{u"1|Milk|Dairy"_qs, u"1|Bread|Bakery"_qs} << plain << u"line Bakery"_qs
        << QStringList{u""_qs, u"Dairy"_qs, u"Milk"_qs, u""_qs, u"Bread"_qs, u""_qs, u""_qs};
}

void TestPrintLayout::failures()
{
    QFETCH(QStringList, rows);
    QFETCH(Settings, settings);
    QFETCH(QString, failingOperation);
    QFETCH(QStringList, expected);
    RecordingSurface surface(Kind::Printer, 11000, 15000);
    surface.fails = [&](const QString &operation, const QString &argument) {
        return (argument.isNull() ? operation : operation + u' ' + argument) == failingOperation;
    };
    const std::optional<QString> failure = print(surface, rows, settings);
    QCOMPARE(failure.has_value(), expected.isEmpty());
    if (failure) {
        QVERIFY(!failure->isEmpty());
    } else {
        QCOMPARE(texts(surface), QStringList{title()} + expected);
    }
}

void TestPrintLayout::manyCategories()
{
    // More categories than a fixed table would hold are laid out like the others.
    RecordingSurface surface(Kind::Printer, 11000, 15000);
    QCOMPARE(print(surface, numbered(u"1|Item%1|Cat%1"_qs, 150)), std::nullopt);
    QVERIFY(texts(surface).contains(u"Item150"_qs));
    QCOMPARE(texts(surface).count(QString()), 152);
}

void TestPrintLayout::beyond16BitRows_data()
{
    QTest::addColumn<DrawingSurface::Kind>("kind");
    QTest::newRow("printer") << DrawingSurface::Kind::Printer;
    QTest::newRow("preview") << DrawingSurface::Kind::Preview;
}

void TestPrintLayout::beyond16BitRows()
{
    QFETCH(DrawingSurface::Kind, kind);
    QStringList rows;
    for (int i = 1; i <= 40000; ++i) {
        rows.append(u"1|Item%1|Cat%2"_qs.arg(i).arg(i % 3));
    }
    RecordingSurface surface(kind, 11000, 15000);
    QCOMPARE(print(surface, rows), std::nullopt);
    const QStringList all = texts(surface);
    QVERIFY(all.contains(u"Item40000"_qs));
    if (kind == DrawingSurface::Kind::Printer) {
        QCOMPARE(all.size() - all.count(QString()), 1 + 3 + 40000);
        QVERIFY(surface.pages > 100);
        for (const RecordingSurface::Line &line : std::as_const(surface.lines)) {
            QVERIFY(line.y >= 0 && line.y <= 15000);
        }
    } else {
        QCOMPARE(surface.pages, 1);
        QVERIFY(all.contains(u"... more ..."_qs));
    }
}

QTEST_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
