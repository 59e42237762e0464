#include "list/ShoppingList.h"
#include "print/PrintLayout.h"
#include "print/RecordingSurface.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QTest>

// The recording surface measures every character as size x 10 twips wide and every line as
// size x 24 twips high; the expected positions below follow from that.

using Settings = QHash<QString, QString>;
using Font = RecordingSurface::Font;

namespace {

// Rows written as "quantity|item|category".
void fill(ShoppingList &list, const QStringList &rows)
{
    for (const QString &row : rows) {
        const QStringList cells = row.split(u'|');
        list.append({cells.value(0), cells.value(1), cells.value(2)});
    }
}

PrinterFontReader reader(const Settings &settings)
{
    return [settings](const QString &key) { return settings.value(key); };
}

QString title()
{
    return QStringLiteral("Shopping List for ") +
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

Font font(const char *name, double size, bool bold, bool italic, bool underline)
{
    return {QString::fromLatin1(name), size, bold, italic, underline};
}

const Settings plain = {{QStringLiteral("bold"), QStringLiteral("0")},
                        {QStringLiteral("italic"), QStringLiteral("0")}};

} // namespace

Q_DECLARE_METATYPE(RecordingSurface::Font)

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void uniqueValues_data();
    void uniqueValues();
    void sections_data();
    void sections();
    void fonts_data();
    void fonts();
    void titleAndColumnStart();
    void printerColumnsAndPages();
    void headingNeverStartsInLowestSixth();
    void previewMarkAtRow();
    void previewMarkAtHeading();
    void failures_data();
    void failures();
    void manyCategories();
    void beyond16BitRows_data();
    void beyond16BitRows();
};

void TestPrintLayout::uniqueValues_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty list") << QStringList() << 2 << QStringList();
    QTest::newRow("first occurrence order")
        << QStringList{u"1|Milk|Dairy"_qs, u"1|Bread|Bakery"_qs, u"1|Cheese|Dairy"_qs} << 2
        << QStringList{u"Dairy"_qs, u"Bakery"_qs};
    QTest::newRow("letter case and blanks count")
        << QStringList{u"1|a|Dairy"_qs, u"1|b|dairy"_qs, u"1|c|Dairy "_qs, u"1|d|Dairy"_qs} << 2
        << QStringList{u"Dairy"_qs, u"dairy"_qs, u"Dairy "_qs};
    QTest::newRow("empty categories are not stored")
        << QStringList{u"1|a|"_qs, u"1|b|Fruit"_qs, u"1|c|"_qs} << 2 << QStringList{u"Fruit"_qs};
    QTest::newRow("item column") << QStringList{u"1|Milk|Dairy"_qs, u"2|Milk|Dairy"_qs,
                                                u"1|Eggs|Dairy"_qs}
                                 << 1 << QStringList{u"Milk"_qs, u"Eggs"_qs};
}

void TestPrintLayout::uniqueValues()
{
    QFETCH(QStringList, rows);
    QFETCH(int, column);
    QFETCH(QStringList, expected);

    ShoppingList list;
    fill(list, rows);
    QStringList table{u"left over"_qs, u"from before"_qs, u"x"_qs, u"y"_qs};
    const int count = GetUniqueColumnValues(list, ShoppingList::Column(column), table);
    QCOMPARE(count, expected.size());
    QCOMPARE(table, expected + QStringList{QString()});
}

void TestPrintLayout::sections_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expected"); // every line after the title

    QTest::newRow("empty list: one blank line and an empty heading")
        << QStringList() << QStringList{QString(), QString()};
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

    ShoppingList list;
    fill(list, rows);
    RecordingSurface surface(DrawingSurface::Kind::Printer, 11000, 15000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);
    QCOMPARE(texts(surface), QStringList{title()} + expected);
    QCOMPARE(surface.pages, 1);
}

void TestPrintLayout::fonts_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<Font>("titleFont");
    QTest::addColumn<Font>("headingFont");
    QTest::addColumn<Font>("rowFont");
    QTest::addColumn<quint32>("color");

    QTest::newRow("bold and italic off, nothing else stored")
        << plain << font("Arial", 15, false, false, true) << font("Arial", 13, true, false, true)
        << font("Arial", 12, false, false, false) << 0u;
    QTest::newRow("nothing stored: bold and italic stay off")
        << Settings() << font("Arial", 15, false, false, true)
        << font("Arial", 13, true, false, true) << font("Arial", 12, false, false, false) << 0u;
    QTest::newRow("empty values keep the defaults")
        << Settings{{u"name"_qs, u""_qs}, {u"size"_qs, u""_qs}, {u"forecolor"_qs, u""_qs}}
        << font("Arial", 15, false, false, true) << font("Arial", 13, true, false, true)
        << font("Arial", 12, false, false, false) << 0u;
    QTest::newRow("10.5 rounds to 10")
        << Settings{{u"size"_qs, u"10.5"_qs}} << font("Arial", 13, false, false, true)
        << font("Arial", 11, true, false, true) << font("Arial", 10, false, false, false) << 0u;
    QTest::newRow("11.5 rounds to 12")
        << Settings{{u"size"_qs, u"11.5"_qs}} << font("Arial", 15, false, false, true)
        << font("Arial", 13, true, false, true) << font("Arial", 12, false, false, false) << 0u;
    QTest::newRow("size read by its leading number")
        << Settings{{u"size"_qs, u" 9pt"_qs}} << font("Arial", 12, false, false, true)
        << font("Arial", 10, true, false, true) << font("Arial", 9, false, false, false) << 0u;
    QTest::newRow("bold changes the title only")
        << Settings{{u"bold"_qs, u"-1"_qs}, {u"italic"_qs, u"0"_qs}}
        << font("Arial", 15, true, false, true) << font("Arial", 13, true, false, true)
        << font("Arial", 12, false, false, false) << 0u;
    QTest::newRow("italic changes every line")
        << Settings{{u"bold"_qs, u"0"_qs}, {u"italic"_qs, u"-1"_qs}}
        << font("Arial", 15, false, true, true) << font("Arial", 13, true, true, true)
        << font("Arial", 12, false, true, false) << 0u;
    QTest::newRow("any text but 0 is on")
        << Settings{{u"bold"_qs, u"no"_qs}, {u"italic"_qs, u"00"_qs}}
        << font("Arial", 15, true, true, true) << font("Arial", 13, true, true, true)
        << font("Arial", 12, false, true, false) << 0u;
    QTest::newRow("as the font command stores Arial 10 bold red")
        << Settings{{u"bold"_qs, u"-1"_qs},
                    {u"italic"_qs, u"0"_qs},
                    {u"name"_qs, u"Arial"_qs},
                    {u"forecolor"_qs, u"255"_qs},
                    {u"size"_qs, u"10"_qs}}
        << font("Arial", 13, true, false, true) << font("Arial", 11, true, false, true)
        << font("Arial", 10, false, false, false) << 255u;
    QTest::newRow("face name and system colour")
        << Settings{{u"name"_qs, u"Liberation Serif"_qs}, {u"forecolor"_qs, u"-2147483640"_qs}}
        << font("Liberation Serif", 15, false, false, true)
        << font("Liberation Serif", 13, true, false, true)
        << font("Liberation Serif", 12, false, false, false) << 0x80000008u;
}

void TestPrintLayout::fonts()
{
    QFETCH(Settings, settings);
    QFETCH(Font, titleFont);
    QFETCH(Font, headingFont);
    QFETCH(Font, rowFont);
    QFETCH(quint32, color);

    ShoppingList list;
    fill(list, {u"2|Milk|Dairy"_qs});
    RecordingSurface surface(DrawingSurface::Kind::Preview, 11000, 15000);
    QCOMPARE(PrintShoppingList(surface, list, reader(settings)), std::nullopt);
    QCOMPARE(texts(surface).mid(1, 3), (QStringList{u""_qs, u"Dairy"_qs, u"Milk ( x2 )"_qs}));
    QCOMPARE(surface.lines[0].font, titleFont);
    QCOMPARE(surface.lines[1].font, headingFont);
    QCOMPARE(surface.lines[2].font, headingFont);
    QCOMPARE(surface.lines[3].font, rowFont);
    for (const RecordingSurface::Line &line : surface.lines) {
        QCOMPARE(line.color, color);
    }
    // The surface is left in the row font.
    QCOMPARE(surface.font(), rowFont);
}

void TestPrintLayout::titleAndColumnStart()
{
    ShoppingList list;
    fill(list, {u"1|Milk|Dairy"_qs});
    RecordingSurface surface(DrawingSurface::Kind::Printer, 11000, 15000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);
    // Five blanks of the 15 pt title font.
    for (const RecordingSurface::Line &line : surface.lines) {
        QCOMPARE(line.x, 750.0);
    }
    QCOMPARE(surface.lines[0].y, 0.0);
    QCOMPARE(surface.lines[1].y, 15 * 24.0);
    QCOMPARE(surface.lines[2].y, 15 * 24.0 + 13 * 24.0);
}

// Rows of 12 pt are 288 twips high. On a drawable area of 10000 x 3000 a row is begun while
// the pen is at most 2800: 7 rows below the title and heading, then 8 in each new column
// (after its two blank lines), so 39 rows on the first page.
void TestPrintLayout::printerColumnsAndPages()
{
    ShoppingList list;
    QStringList rows;
    for (int i = 1; i <= 60; ++i) {
        rows.append(u"1|Item%1|Dairy"_qs.arg(i));
    }
    fill(list, rows);
    RecordingSurface surface(DrawingSurface::Kind::Printer, 10000, 3000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);

    QCOMPARE(surface.pages, 2);
    QCOMPARE(surface.operations.count(u"new page"_qs), 1);
    QMap<int, QSet<double>> columnsOnPage;
    for (const RecordingSurface::Line &line : surface.lines) {
        columnsOnPage[line.page].insert(line.x);
        QVERIFY2(line.y <= 2800 + 13 * 24, qPrintable(line.text));
    }
    QCOMPARE(columnsOnPage[1], (QSet<double>{750, 2750, 4750, 6750, 8750}));
    // Later pages start at two blanks of the row font.
    QCOMPARE(columnsOnPage[2], (QSet<double>{240, 2240, 4240}));

    // Each new column begins with two blank lines in the row font, and the heading is not
    // repeated.
    const QStringList all = texts(surface);
    QCOMPARE(all.count(u"Dairy"_qs), 1);
    for (qsizetype i = 1; i < surface.lines.size(); ++i) {
        const RecordingSurface::Line &line = surface.lines[i];
        if (line.y == 0) {
            QCOMPARE(line.text, QString());
            QCOMPARE(surface.lines[i + 1].text, QString());
            QCOMPARE(surface.lines[i + 1].y, 288.0);
            QCOMPARE(line.font.size, 12.0);
            QVERIFY(surface.lines[i + 2].text.startsWith(u"Item"));
        }
    }
    const qsizetype pageStart = all.indexOf(u"Item40"_qs) - 2;
    QCOMPARE(surface.lines[pageStart].page, 2);
    QCOMPARE(surface.lines[pageStart].x, 240.0);
    QCOMPARE(surface.lines[pageStart - 1].text, u"Item39"_qs);
    QCOMPARE(surface.lines[pageStart - 1].page, 1);
    QCOMPARE(all.mid(all.size() - 2), (QStringList{u""_qs, u""_qs}));
}

void TestPrintLayout::headingNeverStartsInLowestSixth()
{
    // Title 360, then sections of a blank line and a heading (312 each) and two rows (288).
    ShoppingList list;
    QStringList rows;
    for (int i = 1; i <= 3; ++i) {
        rows.append(u"1|Item%1a|Cat%1"_qs.arg(i));
        rows.append(u"1|Item%1b|Cat%1"_qs.arg(i));
    }
    fill(list, rows);
    RecordingSurface surface(DrawingSurface::Kind::Printer, 10000, 3000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);

    // Section 2 ends at 360 + 2 x 1200 = 2760: a row could still begin there (up to 2800),
    // a heading cannot (beyond 2500), so section 3 begins the next column with one blank line.
    const QStringList all = texts(surface);
    QCOMPARE(surface.lines[all.indexOf(u"Item2b"_qs)].y, 2472.0);
    const qsizetype heading3 = all.indexOf(u"Cat3"_qs);
    QCOMPARE(surface.lines[heading3 - 1].text, QString());
    QCOMPARE(surface.lines[heading3 - 1].y, 0.0);
    QCOMPARE(surface.lines[heading3 - 1].x, 2750.0);
    QCOMPARE(surface.lines[heading3 - 1].font.size, 13.0);
    QCOMPARE(surface.lines[heading3].y, 312.0);
    QCOMPARE(surface.lines[heading3].x, 2750.0);
}

void TestPrintLayout::previewMarkAtRow()
{
    ShoppingList list;
    QStringList rows;
    for (int i = 1; i <= 80; ++i) {
        rows.append(u"1|Item%1|Dairy"_qs.arg(i));
    }
    fill(list, rows);
    RecordingSurface surface(DrawingSurface::Kind::Preview, 10000, 3000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);

    QCOMPARE(surface.pages, 1);
    QVERIFY(!surface.operations.contains(u"new page"_qs));
    const QStringList all = texts(surface);
    const qsizetype first = all.indexOf(u"... more ..."_qs);
    QVERIFY(first > 0);
    QCOMPARE(surface.lines[first - 1].text, u"Item39"_qs);
    // Right-aligned on the last line: 12 characters of the row font, one 12 pt line high.
    for (qsizetype i = first; i < all.size(); ++i) {
        const RecordingSurface::Line &line = surface.lines[i];
        if (line.text == u"... more ...") {
            QCOMPARE(line.x, 10000.0 - 1440);
            QCOMPARE(line.y, 3000.0 - 288);
            QCOMPARE(line.font.size, 12.0);
        } else if (line.text == u"...more...") {
            // The empty last section's heading overflows too, marked in the corner.
            QCOMPARE(line.x, 0.0);
            QCOMPARE(line.y, 0.0);
        } else if (!line.text.isEmpty()) {
            // Nothing else of the rest of the list lands inside the drawable area.
            QVERIFY2(line.y >= 3000 || line.x >= 10000, qPrintable(line.text));
        }
    }
    QVERIFY(all.count(u"... more ..."_qs) > 1);
}

void TestPrintLayout::previewMarkAtHeading()
{
    // One row per category: the columns fill at headings first.
    ShoppingList list;
    QStringList rows;
    for (int i = 1; i <= 30; ++i) {
        rows.append(u"1|Item%1|Cat%1"_qs.arg(i));
    }
    fill(list, rows);
    RecordingSurface surface(DrawingSurface::Kind::Preview, 10000, 3000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);

    const QStringList all = texts(surface);
    const qsizetype first = all.indexOf(u"...more..."_qs);
    QVERIFY(first > 0);
    const RecordingSurface::Line &mark = surface.lines[first];
    QCOMPARE(mark.x, 0.0);
    QCOMPARE(mark.y, 0.0);
    QCOMPARE(mark.font.size, 13.0);
    QVERIFY(mark.font.bold);
    QVERIFY(mark.font.underline);
    QVERIFY(!all.contains(u"... more ..."_qs));
    for (qsizetype i = first + 1; i < all.size(); ++i) {
        const RecordingSurface::Line &line = surface.lines[i];
        if (line.text == u"...more...") {
            QCOMPARE(line.x, 0.0);
            QCOMPARE(line.y, 0.0);
        } else if (!line.text.isEmpty()) {
            QVERIFY2(line.x > 10000, qPrintable(line.text));
        }
    }
    QCOMPARE(surface.pages, 1);
}

void TestPrintLayout::failures_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("failingOperation"); // "name" or "name argument"
    QTest::addColumn<bool>("reachesCaller");
    QTest::addColumn<QStringList>("expected"); // the lines after the title, when laid out

    const QStringList milk{u"2|Milk|Dairy"_qs, u"1|Eggs|Dairy"_qs};
    const QStringList none;
    QTest::newRow("drawable width") << milk << plain << u"width"_qs << true << none;
    QTest::newRow("forecolor not a number")
        << milk << Settings{{u"forecolor"_qs, u"red"_qs}} << QString() << true << none;
    QTest::newRow("forecolor beyond 32 bits")
        << milk << Settings{{u"forecolor"_qs, u"4294967295"_qs}} << QString() << true << none;
    QTest::newRow("size beyond 16 bits")
        << milk << Settings{{u"size"_qs, u"40000"_qs}} << QString() << true << none;
    QTest::newRow("title size beyond 16 bits")
        << milk << Settings{{u"size"_qs, u"32766"_qs}} << QString() << true << none;
    QTest::newRow("the colour") << milk << plain << u"color 0"_qs << true << none;
    QTest::newRow("title line") << milk << plain << u"line "_qs + title() << true << none;
    QTest::newRow("first heading") << milk << plain << u"line Dairy"_qs << true << none;
    QTest::newRow("empty list, blank line") << none << plain << u"line "_qs << true << none;
    QTest::newRow("a row line is skipped")
        << milk << plain << u"line Milk ( x2 )"_qs << false
        << QStringList{u""_qs, u"Dairy"_qs, u"Eggs"_qs, u""_qs, u""_qs};
    QTest::newRow("a later heading is skipped")
        << QStringList{u"1|Milk|Dairy"_qs, u"1|Bread|Bakery"_qs} << plain << u"line Bakery"_qs
        << false
        << QStringList{u""_qs, u"Dairy"_qs, u"Milk"_qs, u""_qs, u"Bread"_qs, u""_qs, u""_qs};
}

void TestPrintLayout::failures()
{
    QFETCH(QStringList, rows);
    QFETCH(Settings, settings);
    QFETCH(QString, failingOperation);
    QFETCH(bool, reachesCaller);
    QFETCH(QStringList, expected);

    ShoppingList list;
    fill(list, rows);
    RecordingSurface surface(DrawingSurface::Kind::Printer, 11000, 15000);
    surface.fails = [&](const QString &operation, const QString &argument) {
        return (argument.isNull() ? operation : operation + u' ' + argument) == failingOperation;
    };
    const std::optional<QString> failure = PrintShoppingList(surface, list, reader(settings));
    QCOMPARE(failure.has_value(), reachesCaller);
    if (reachesCaller) {
        QVERIFY(!failure->isEmpty());
    } else {
        QCOMPARE(texts(surface), QStringList{title()} + expected);
    }
}

void TestPrintLayout::manyCategories()
{
    // More categories than a fixed table would hold are laid out like the others.
    ShoppingList list;
    QStringList rows;
    for (int i = 1; i <= 150; ++i) {
        rows.append(u"1|Item%1|Cat%1"_qs.arg(i));
    }
    fill(list, rows);
    RecordingSurface surface(DrawingSurface::Kind::Printer, 11000, 15000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);
    const QStringList all = texts(surface);
    QVERIFY(all.contains(u"Cat150"_qs));
    QVERIFY(all.contains(u"Item150"_qs));
    QCOMPARE(all.count(QString()), 152);
}

void TestPrintLayout::beyond16BitRows_data()
{
    QTest::addColumn<DrawingSurface::Kind>("kind");
    QTest::newRow("printer") << DrawingSurface::Kind::Printer;
    QTest::newRow("preview") << DrawingSurface::Kind::Preview;
}

void TestPrintLayout::beyond16BitRows()
{
    // Row positions past 32767 are laid out like the others: every row on the printer, on
    // pages of their own, and a preview stays one page with its overflow mark.
    QFETCH(DrawingSurface::Kind, kind);
    ShoppingList list;
    for (int i = 1; i <= 40000; ++i) {
        list.append({QStringLiteral("1"), u"Item%1"_qs.arg(i), u"Cat%1"_qs.arg(i % 3)});
    }
    RecordingSurface surface(kind, 11000, 15000);
    QCOMPARE(PrintShoppingList(surface, list, reader(plain)), std::nullopt);
    const QStringList all = texts(surface);
    QVERIFY(all.contains(u"Item40000"_qs));
    if (kind == DrawingSurface::Kind::Printer) {
        QCOMPARE(all.size() - all.count(QString()), 1 + 3 + 40000);
        QVERIFY(surface.pages > 100);
        for (const RecordingSurface::Line &line : std::as_const(surface.lines)) {
            QVERIFY(line.y >= 0 && line.y <= 15000);
        }
    } else {
        // Past the last column only the marks are inside the drawable area.
        QCOMPARE(surface.pages, 1);
        QVERIFY(all.contains(u"... more ..."_qs));
    }
}

QTEST_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
