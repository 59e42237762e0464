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

void ListAppearance::WriteColumnWidths(const QString &file) const
{
    for (int column = 0; column < 3; ++column) {
        const qint64 twips =
            m_columns[std::size_t(column)].twipsFor(m_list.columnWidth(column), TwipsPerPixelX());
        WriteIniValue(displaySection, columnKey(column), LengthText(twips), file);
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

void ListAppearance::WriteFont(const QString &file) const
{
    const QFont font = m_list.font();
    auto write = [&](const char *key, const QString &value) {
        WriteIniValue(fontSection, QString::fromLatin1(key), value, file);
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

bool ListAppearance::setColor(int role, qint32 value)
{
    const std::optional<QColor> color = ColorFromValue(value, QApplication::palette(&m_list));
    if (!color) {
        return false;
    }
    QPalette palette = m_list.palette();
    palette.setColor(QPalette::ColorRole(role), *color);
    m_list.setPalette(palette);
    return true;
}

void ListAppearance::setForeColor(qint32 value)
{
    if (setColor(QPalette::Text, value)) {
        m_foreColor = value;
    }
}

void ListAppearance::setBackColor(qint32 value)
{
    if (setColor(QPalette::Base, value)) {
        m_backColor = value;
    }
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
