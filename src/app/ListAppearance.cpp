#include "ListAppearance.h"

#include "common/NumberText.h"
#include "common/Twips.h"
#include "config/ColorValue.h"
#include "config/Settings.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QTreeView>

namespace {

const QString displaySection = QStringLiteral("display");
const QString fontSection = QStringLiteral("font");

QString columnKey(int column)
{
    return QStringLiteral("listCol%1").arg(column + 1);
}

} // namespace

ListAppearance::ListAppearance(QTreeView &list) : m_list(list)
{
    setForeColor(SystemWindowTextColor);
    setBackColor(WhiteColor);
    for (int column = 0; column < 3; ++column) {
        m_columns[std::size_t(column)] = {DefaultColumnWidths[column], -1};
    }
}

void ListAppearance::ReadColumnWidths(const QString &file, const Log &log)
{
    std::array<double, 3> twips{};
    for (int column = 0; column < 3; ++column) {
        twips[std::size_t(column)] =
            ColumnWidthFromText(ReadIniValue(file, displaySection, columnKey(column), log),
                                DefaultColumnWidths[column]);
    }
    for (int column = 0; column < 3; ++column) {
        const double width = twips[std::size_t(column)];
        const int pixels = TwipsToPixelsX(width);
        m_list.setColumnWidth(column, pixels);
        m_columns[std::size_t(column)] = {width, m_list.columnWidth(column)};
    }
}

void ListAppearance::WriteColumnWidths(SettingsWrites &writes) const
{
    for (int column = 0; column < 3; ++column) {
        const qint64 twips =
            m_columns[std::size_t(column)].twipsFor(m_list.columnWidth(column), TwipsPerPixelX());
        writes.write(displaySection, columnKey(column), LengthText(twips));
    }
}

void ListAppearance::ReadFont(const QString &file, const Log &log)
{
    auto read = [&](const char *key) {
        return ReadIniValue(file, fontSection, QString::fromLatin1(key), log);
    };
    if (const QString name = read("name"); !name.isEmpty()) {
        setFontName(name);
    }
    if (const QString size = read("size"); !size.isEmpty()) {
        if (const std::optional<double> points = FontSizeFromText(size, QLocale())) {
            setFontSize(*points);
        }
    }
    if (const std::optional<qint32> color = ColorValueFromText(read("forecolor"))) {
        setForeColor(*color);
    }
    // The settings only ever switch bold and italic on; a missing key leaves the font as it is.
    if (FlagSwitchesOn(read("bold"))) {
        setBold(true);
    }
    if (FlagSwitchesOn(read("italic"))) {
        setItalic(true);
    }
    if (const std::optional<qint32> color = ColorValueFromText(read("backcolor"))) {
        setBackColor(*color);
    }
}

void ListAppearance::WriteFont(SettingsWrites &writes) const
{
    const QFont font = m_list.font();
    auto write = [&](const char *key, const QString &value) {
        writes.write(fontSection, QString::fromLatin1(key), value);
    };
    write("bold", FlagText(font.bold()));
    write("italic", FlagText(font.italic()));
    write("name", font.family());
    write("forecolor", QString::number(m_foreColor));
    write("size", FontSizeText(font.pointSizeF(), QLocale()));
    write("backcolor", QString::number(m_backColor));
}

void ListAppearance::ChooseScreenFont(Platform &platform)
{
    CommonDialog &dialog = platform.commonDialog();
    dialog.cancelError = true;
    dialog.flags = 259; // screen and printer fonts, effects
    // The dialog starts from the list's own font and text colour.
    const QFont font = m_list.font();
    dialog.fontName = font.family();
    dialog.fontSize = font.pointSizeF();
    dialog.fontBold = font.bold();
    dialog.fontItalic = font.italic();
    dialog.fontUnderline = false;
    dialog.fontStrikethru = false;
    dialog.color = quint32(ColorValue(DrawingColor(m_foreColor, QApplication::palette(&m_list))));
    if (!platform.showFont()) {
        return;
    }
    // Underline and strikeout are not used.
    setForeColor(qint32(dialog.color));
    setFontName(dialog.fontName);
    setFontSize(dialog.fontSize);
    setBold(dialog.fontBold);
    setItalic(dialog.fontItalic);
}

void ListAppearance::ChooseBackColor(Platform &platform)
{
    CommonDialog &dialog = platform.commonDialog();
    dialog.cancelError = true;
    dialog.color = quint32(m_backColor);
    dialog.dialogTitle = QStringLiteral("Choose Background Colour for the List");
    if (platform.showColor()) {
        setBackColor(qint32(dialog.color));
    }
}

void ListAppearance::setForeColor(qint32 value)
{
    if (ColorFromValue(value, QApplication::palette(&m_list))) {
        m_foreColor = value;
        applyColors();
    }
}

void ListAppearance::setBackColor(qint32 value)
{
    if (ColorFromValue(value, QApplication::palette(&m_list))) {
        m_backColor = value;
        applyColors();
    }
}

void ListAppearance::applyColors()
{
    // Text that would not read on its background (the system's light text of a dark theme on
    // the designed white, or a text colour chosen like the background) is drawn in the
    // desktop's own colours instead; the chosen values stay as they are.
    const QPalette system = QApplication::palette(&m_list);
    QColor text = DrawingColor(m_foreColor, system);
    QColor base = DrawingColor(m_backColor, system);
    if (ContrastRatio(text, base) < ReadableContrast) {
        text = system.color(QPalette::Text);
        base = system.color(QPalette::Base);
    }
    QPalette palette = m_list.palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, base);
    m_list.setPalette(palette);
}

void ListAppearance::setFontName(const QString &name)
{
    if (!name.trimmed().isEmpty()) {
        QFont font = m_list.font();
        font.setFamily(name);
        m_list.setFont(font);
    }
}

void ListAppearance::setFontSize(double points)
{
    if (points > 0 && points <= 2160) {
        QFont font = m_list.font();
        font.setPointSizeF(points);
        m_list.setFont(font);
    }
}

void ListAppearance::setBold(bool on)
{
    QFont font = m_list.font();
    font.setBold(on);
    m_list.setFont(font);
}

void ListAppearance::setItalic(bool on)
{
    QFont font = m_list.font();
    font.setItalic(on);
    m_list.setFont(font);
}
