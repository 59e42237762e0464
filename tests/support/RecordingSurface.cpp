#include "RecordingSurface.h"

#include "common/NumberText.h"

RecordingSurface::RecordingSurface(Kind kind, double width, double height)
    : m_kind(kind), m_width(width), m_height(height)
{
    m_font.name = QStringLiteral("Arial");
    m_font.size = 12;
}

void RecordingSurface::check(const QString &operation, const QString &argument) const
{
    if (fails && fails(operation, argument)) {
        throw PrintFailure(operation + QStringLiteral(" failed"));
    }
}

void RecordingSurface::record(const QString &operation, const QString &argument)
{
    check(operation, argument);
    operations.append(argument.isNull() ? operation : operation + u' ' + argument);
}

double RecordingSurface::drawableWidth() const
{
    check(QStringLiteral("width"), {});
    return m_width;
}

double RecordingSurface::drawableHeight() const
{
    check(QStringLiteral("height"), {});
    return m_height;
}

double RecordingSurface::penX() const
{
    check(QStringLiteral("get pen x"), {});
    return m_x;
}

double RecordingSurface::penY() const
{
    check(QStringLiteral("get pen y"), {});
    return m_y;
}

void RecordingSurface::setPenX(double x)
{
    record(QStringLiteral("pen x"), ShortestDecimal(x));
    m_x = x;
}

void RecordingSurface::setPenY(double y)
{
    record(QStringLiteral("pen y"), ShortestDecimal(y));
    m_y = y;
}

void RecordingSurface::setFontName(const QString &name)
{
    record(QStringLiteral("font name"), name);
    m_font.name = name;
}

void RecordingSurface::setFontSize(double points)
{
    record(QStringLiteral("font size"), ShortestDecimal(points));
    m_font.size = points;
}

void RecordingSurface::setFontBold(bool on)
{
    record(QStringLiteral("font bold"), on ? QStringLiteral("on") : QStringLiteral("off"));
    m_font.bold = on;
}

void RecordingSurface::setFontItalic(bool on)
{
    record(QStringLiteral("font italic"), on ? QStringLiteral("on") : QStringLiteral("off"));
    m_font.italic = on;
}

void RecordingSurface::setFontUnderline(bool on)
{
    record(QStringLiteral("font underline"), on ? QStringLiteral("on") : QStringLiteral("off"));
    m_font.underline = on;
}

void RecordingSurface::setTextColor(quint32 color)
{
    record(QStringLiteral("color"), QString::number(color));
    m_color = color;
}

double RecordingSurface::textWidth(const QString &text) const
{
    check(QStringLiteral("text width"), text);
    return double(text.size()) * m_font.size * 10;
}

double RecordingSurface::textHeight(const QString &text) const
{
    check(QStringLiteral("text height"), text);
    return m_font.size * 24;
}

void RecordingSurface::printLine(const QString &text)
{
    record(QStringLiteral("line"), text.isNull() ? QLatin1String("") : text);
    lines.append({text, m_x, m_y, m_font, m_color, pages});
    m_x = 0;
    m_y += m_font.size * 24;
}

void RecordingSurface::newPage()
{
    record(QStringLiteral("new page"), {});
    ++pages;
    m_x = 0;
    m_y = 0;
}
