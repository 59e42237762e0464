// The print layout over a list and printer font settings made from the input, on a recording
// printer or preview of any size. What must hold whatever the input:
// - it ends, and fails only before the first row is drawn; with a sane size and font it never
//   fails at all;
// - every line it draws is, in order, the title, a heading or a row line of the list, with only
//   blank lines and the preview's overflow marks between them; on the printer every row is
//   drawn, in section order;
// - a preview never gets a second page;
// - every line is in the settings' face and colour, the title in the title size;
// - with a positive font size, no line is drawn above the top, more than a few lines below the
//   bottom, or (on the printer) left of the edge.
#include "FuzzCheck.h"
#include "common/Blanks.h"
#include "common/NumberText.h"
#include "list/ShoppingList.h"
#include "print/PrintLayout.h"
#include "support/RecordingSurface.h"

#include <QGuiApplication>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString text(FuzzedDataProvider &input, size_t longest)
{
    return QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRandomLengthString(longest)));
}

// A setting as it may stand in the file: missing, a number, or any text.
QString setting(FuzzedDataProvider &input, int lowest, int highest)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return {};
    case 1:
        return QString::number(input.ConsumeIntegralInRange(lowest, highest));
    case 2:
        return QStringLiteral(" ") + QString::number(input.ConsumeIntegralInRange(1, 72));
    default:
        return text(input, 16);
    }
}

double drawableSize(FuzzedDataProvider &input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return input.ConsumeIntegralInRange(1, 32767);
    case 1:
        return input.ConsumeIntegralInRange(-100, 2000);
    case 2:
        return input.ConsumeFloatingPointInRange(-1e6, 1e6);
    default:
        return input.ConsumeIntegralInRange(8000, 20000);
    }
}

QString rowLine(const ListRow &row)
{
    const QString quantity = TrimBlanks(row.quantity);
    return quantity == u"1" ? row.item
                            : row.item + QStringLiteral(" ( x") + quantity + QStringLiteral(" )");
}

} // namespace

// The layout shows the wait cursor, which needs the application object.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool printer = input.ConsumeBool();
    const double width = drawableSize(input);
    const double height = drawableSize(input);
    PrinterFontSettings settings;
    settings.name = input.ConsumeBool() ? QString() : text(input, 32);
    settings.size = setting(input, -40000, 40000);
    settings.forecolor = setting(input, INT32_MIN, INT32_MAX);
    settings.bold = setting(input, -1, 0);
    settings.italic = setting(input, -1, 0);

    QStringList categories;
    const int categoryCount = input.ConsumeIntegralInRange(0, 120);
    for (int i = 0; i < categoryCount; ++i) {
        categories.append(input.ConsumeBool() ? QString() : text(input, 12));
    }
    ShoppingList list;
    const int rowCount = input.ConsumeIntegralInRange(0, 400);
    for (int i = 0; i < rowCount && input.remaining_bytes() > 0; ++i) {
        const QString quantity = input.ConsumeBool() ? QStringLiteral("1") : text(input, 6);
        const QString item = text(input, 24);
        const QString category =
            categories.isEmpty()
                ? QString()
                : categories[input.ConsumeIntegralInRange<qsizetype>(0, categories.size() - 1)];
        list.append({quantity, item, category});
    }

    RecordingSurface surface(
        printer ? DrawingSurface::Kind::Printer : DrawingSurface::Kind::Preview, width, height);
    const std::optional<QString> failure = PrintShoppingList(surface, list, settings);

    check(printer || surface.pages == 1);

    const double sizeValue = settings.size.isEmpty() ? 12 : LeadingNumberValue(settings.size);
    const QString colorText = settings.forecolor;
    bool colorIsNumber = true;
    const double colorNumber =
        colorText.isEmpty() ? 0 : colorText.trimmed().toDouble(&colorIsNumber);
    const bool sane = std::fabs(width) <= 32767 && std::fabs(height) <= 32767 &&
                      std::fabs(sizeValue) <= 500 && colorIsNumber &&
                      ToInt32(colorNumber).has_value();
    if (failure) {
        check(!sane);
        check(!failure->isEmpty());
        // The layout stops before any row is drawn.
        check(surface.lines.size() <= 3);
        return 0;
    }

    const double base = RoundHalfEven(sizeValue);
    const QString face = settings.name.isEmpty() ? QStringLiteral("Arial") : settings.name;
    const quint32 color = quint32(*ToInt32(colorNumber));
    check(!surface.lines.isEmpty());
    check(surface.lines.front().text.startsWith(QStringLiteral("Shopping List for ")));
    check(surface.lines.front().font.size == base + 3 && surface.lines.front().font.underline);
    for (const RecordingSurface::Line &line : std::as_const(surface.lines)) {
        check(line.font.name == face && line.color == color);
    }

    // The lines the list asks for, blanks left out: headings in order of first occurrence, each
    // followed by its rows in list order, the rows without a category last.
    QStringList table;
    const int count = GetUniqueColumnValues(list, ShoppingList::CategoryColumn, table);
    QStringList expected{surface.lines.front().text};
    for (int k = 0; k <= count; ++k) {
        expected.append(table[k]);
        for (int position = 1; position <= list.count(); ++position) {
            if (list.row(position).category == table[k]) {
                expected.append(rowLine(list.row(position)));
            }
        }
    }
    expected.removeAll(QString());
    // A text longer than its column is cut where the column ends (the next column's start or
    // the right edge): what is printed is the start of the text, at least its first character,
    // and fits unless it is that one character.
    const double columnWidth = std::round(width) / 5.0;
    qsizetype next = 0;
    for (const RecordingSurface::Line &line : std::as_const(surface.lines)) {
        if (line.text.isEmpty()) {
            continue;
        }
        if (next < expected.size() && expected[next].startsWith(line.text)) {
            const double room = std::min(line.x + columnWidth, std::round(width)) - line.x;
            const bool oneCharacter =
                line.text.size() == 1 || (line.text.size() == 2 && line.text[0].isHighSurrogate());
            check(line.text == expected[next] || oneCharacter ||
                  line.font.size * 10 * double(line.text.size()) <= room);
            ++next;
            continue;
        }
        check(!printer && (line.text == u"...more..." || line.text == u"... more ..."));
    }
    check(next == expected.size());

    if (base >= 1 && height > 0) {
        const double tallest = (base + 3) * 24;
        const double lowest = printer ? 0 : std::min(0.0, std::round(height) - tallest);
        for (const RecordingSurface::Line &line : std::as_const(surface.lines)) {
            check(line.y >= lowest && line.y <= std::round(height) + 4 * tallest);
            if (printer && width > 0) {
                check(line.x >= 0);
            }
        }
    }
    return 0;
}
