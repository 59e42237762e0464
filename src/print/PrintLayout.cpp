#include "PrintLayout.h"

#include "DrawingSurface.h"
#include "common/Blanks.h"
#include "common/NumberText.h"
#include "common/WaitCursor.h"
#include "config/ViewSettings.h"

#include <QDate>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <vector>

namespace {

const QString &cell(const ListRow &row, ShoppingList::Column column)
{
    switch (column) {
    case ShoppingList::QuantityColumn:
        return row.quantity;
    case ShoppingList::ItemColumn:
        return row.item;
    case ShoppingList::CategoryColumn:
        break;
    }
    return row.category;
}

qint16 wholeNumber(double value, const char *what)
{
    const std::optional<qint16> whole = ToInt16(value);
    if (!whole) {
        throw PrintFailure(QStringLiteral("The %1 (%2) is out of range.")
                               .arg(QString::fromLatin1(what), ShortestDecimal(value)));
    }
    return *whole;
}

// A stored colour is a signed 32-bit decimal number; anything else cannot be drawn in.
quint32 colorValue(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    const std::optional<qint32> whole = ok ? ToInt32(value) : std::nullopt;
    if (!whole) {
        throw PrintFailure(
            QStringLiteral("The printer font colour \"%1\" is not a colour number.").arg(text));
    }
    return quint32(*whole);
}

struct PrinterFont
{
    QString name;
    qint16 size;
    quint32 color;
    bool bold;
    bool italic;
};

// An empty value takes the printout's default; a bold or italic text other than "0" is on.
PrinterFont readPrinterFont(const PrinterFontSettings &stored)
{
    const PrinterFontSettings settings = WithPrinterDefaults(stored);
    return {settings.name, wholeNumber(LeadingNumberValue(settings.size), "printer font size"),
            colorValue(settings.forecolor), FlagSwitchesOn(settings.bold),
            FlagSwitchesOn(settings.italic)};
}

struct FontStyle
{
    qint16 size;
    bool bold;
    bool underline;
};

class Layout
{
public:
    Layout(DrawingSurface &surface, const ShoppingList &list, const PrinterFontSettings &settings)
        : m_surface(surface), m_list(list), m_settings(settings)
    {}

    void run();

private:
    enum class At { Heading, Row };

    // Runs one step. Before the first row has been looked at, a failure ends the layout;
    // after that the failing step is skipped.
    template<typename Step> void step(Step &&action)
    {
        if (!m_rowExamined) {
            action();
            return;
        }
        try {
            action();
        } catch (const PrintFailure &) {
        }
    }

    void switchFont(const FontStyle &style);
    // Prints at the column's x, cut where the column ends: nothing runs into the next one.
    void printAtColumn(const QString &text);
    QString fitColumn(const QString &text) const;
    bool belowBottomEdge() const;
    void columnBreak(At at);

    DrawingSurface &m_surface;
    const ShoppingList &m_list;
    const PrinterFontSettings &m_settings;
    PrinterFont m_font;
    qint16 m_width = 0;
    qint16 m_height = 0;
    qint16 m_x = 0;
    bool m_rowExamined = false;
};

void Layout::run()
{
    m_width = wholeNumber(m_surface.drawableWidth(), "drawable width");
    m_height = wholeNumber(m_surface.drawableHeight(), "drawable height");

    const PrintoutSections sections = GroupByCategory(m_list);
    const QStringList &table = sections.headings;
    const int count = int(table.size()) - 1;

    m_font = readPrinterFont(m_settings);
    m_surface.setTextColor(m_font.color);

    const FontStyle title{wholeNumber(m_font.size + 3.0, "title font size"), m_font.bold, true};
    const FontStyle heading{wholeNumber(m_font.size + 1.0, "heading font size"), true, true};
    const FontStyle rowStyle{m_font.size, false, false};

    switchFont(title);
    m_x = wholeNumber(m_surface.textWidth(QStringLiteral("     ")), "column position");
    m_surface.setPenX(m_x);
    m_surface.printLine(PrintoutTitle(QDate::currentDate()));

    const double headingLimit = m_height - m_height / 6.0;
    const double rowLimit = m_height - m_height / 15.0;
    for (int k = 0; k <= count; ++k) {
        step([&] { switchFont(heading); });
        bool full = false;
        step([&] { full = m_surface.penY() > headingLimit; });
        if (full) {
            columnBreak(At::Heading);
        }
        step([&] { printAtColumn(QString()); });
        step([&] { printAtColumn(table[k]); });
        step([&] { switchFont(rowStyle); });
        if (m_list.count() > 0) {
            m_rowExamined = true;
        }
        for (const int position : sections.rows[size_t(k)]) {
            const QString line = PrintoutRowLine(m_list.row(position));
            full = false;
            step([&] { full = m_surface.penY() > rowLimit; });
            if (full) {
                columnBreak(At::Row);
                step([&] { printAtColumn(QString()); });
                step([&] { printAtColumn(QString()); });
            }
            step([&] { printAtColumn(line); });
        }
    }
}

void Layout::switchFont(const FontStyle &style)
{
    m_surface.setFontName(m_font.name);
    m_surface.setFontSize(style.size);
    m_surface.setFontBold(style.bold);
    m_surface.setFontItalic(m_font.italic);
    m_surface.setFontUnderline(style.underline);
}

void Layout::printAtColumn(const QString &text)
{
    m_surface.setPenX(m_x);
    m_surface.printLine(fitColumn(text));
}

QString Layout::fitColumn(const QString &text) const
{
    // The column ends where the next one starts, or at the right edge.
    const double room = std::min(m_x + m_width / 5.0, double(m_width)) - m_x;
    // Beyond the right or the bottom edge nothing shows anyway, and a long list on a preview
    // runs far below it: such a line is not measured.
    if (room <= 0 || belowBottomEdge() || m_surface.textWidth(text) <= room) {
        return text;
    }
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (m_surface.textWidth(text.first(middle)) <= room) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    // At least the first character, whole: a column too narrow for it is the last one, and
    // what runs over its edge runs off the page.
    if (fits == 0) {
        fits = text.size() > 1 && text[0].isHighSurrogate() ? 2 : 1;
    } else if (text[fits - 1].isHighSurrogate()) {
        --fits; // never half a character
    }
    return text.first(fits);
}

bool Layout::belowBottomEdge() const
{
    // Only a shortcut: a surface that cannot tell where its pen is is taken to be drawing.
    try {
        return m_surface.penY() >= m_height;
    } catch (const PrintFailure &) {
        return false;
    }
}

void Layout::columnBreak(At at)
{
    step([&] { m_surface.setPenY(0); });
    // Once x no longer fits, this step fails and x stays where it was.
    step([&] { m_x = wholeNumber(m_x + m_width / 5.0, "column position"); });
    if (m_x <= m_width) {
        return;
    }
    if (m_surface.kind() == DrawingSurface::Kind::Printer) {
        step([&] { m_surface.newPage(); });
        step([&] {
            m_x = wholeNumber(m_surface.textWidth(QStringLiteral("  ")), "column position");
        });
    } else if (at == At::Heading) {
        // A preview has no second page. The pen still stands at x = 0 from the last line, so
        // the mark lands in the top-left corner, and x stays beyond the right edge.
        step([&] { m_surface.printLine(QStringLiteral("...more...")); });
    } else {
        const QString more = QStringLiteral("... more ...");
        step([&] { m_surface.setPenY(m_height - m_surface.textHeight(QStringLiteral("L"))); });
        step([&] { m_surface.setPenX(m_width - m_surface.textWidth(more)); });
        step([&] { m_x = wholeNumber(m_surface.penX(), "column position"); });
        step([&] { m_surface.printLine(more); });
    }
}

} // namespace

int GetUniqueColumnValues(const ShoppingList &list, ShoppingList::Column column, QStringList &table)
{
    table.clear();
    QHash<QString, bool> seen;
    for (int position = 1; position <= list.count(); ++position) {
        const QString &value = cell(list.row(position), column);
        if (!value.isEmpty() && !seen.contains(value)) {
            seen.insert(value, true);
            table.append(value);
        }
    }
    const int count = int(table.size());
    table.append(QString());
    return count;
}

PrintoutSections GroupByCategory(const ShoppingList &list)
{
    // The headings as GetUniqueColumnValues finds them, gathered with their rows in the same
    // pass. Rows of one category mostly come together, so a row is first compared with the
    // category of the row before it, and only a new one is looked up.
    PrintoutSections sections;
    QHash<QString, int> section;
    std::vector<int> withoutCategory;
    const QString *previous = nullptr;
    size_t current = 0;
    for (int position = 1; position <= list.count(); ++position) {
        const QString &category = list.row(position).category;
        if (category.isEmpty()) {
            withoutCategory.push_back(position);
            continue;
        }
        if (previous == nullptr || category != *previous) {
            const auto found = section.constFind(category);
            int k = 0;
            if (found == section.cend()) {
                k = int(sections.headings.size());
                section.insert(category, k);
                sections.headings.append(category);
                sections.rows.emplace_back();
            } else {
                k = *found;
            }
            previous = &category;
            current = size_t(k);
        }
        sections.rows[current].push_back(position);
    }
    sections.headings.append(QString());
    sections.rows.push_back(std::move(withoutCategory));
    return sections;
}

QString PrintoutTitle(const QDate &date)
{
    return QStringLiteral("Shopping List for ") +
           QLocale::system().toString(date, QLocale::ShortFormat);
}

QString PrintoutRowLine(const ListRow &row)
{
    const QString quantity = TrimBlanks(row.quantity);
    if (quantity == u"1") {
        return row.item;
    }
    // Built in one piece: a long list makes a line per row.
    constexpr QStringView before = u" ( x";
    constexpr QStringView after = u" )";
    QString line(row.item.size() + before.size() + quantity.size() + after.size(),
                 Qt::Uninitialized);
    QChar *end = std::copy(row.item.cbegin(), row.item.cend(), line.data());
    end = std::copy(before.cbegin(), before.cend(), end);
    end = std::copy(quantity.cbegin(), quantity.cend(), end);
    std::copy(after.cbegin(), after.cend(), end);
    return line;
}

std::optional<QString> PrintShoppingList(DrawingSurface &surface, const ShoppingList &list,
                                         const PrinterFontSettings &settings)
{
    const WaitCursor wait;
    try {
        Layout(surface, list, settings).run();
    } catch (const PrintFailure &failure) {
        return failure.message();
    }
    return std::nullopt;
}
