#include "PainterSurface.h"

#include "PrintColor.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

PainterSurface::PainterSurface(QPaintDevice &device) : m_device(device)
{
    m_font.setFamily(QStringLiteral("Arial"));
    setFontSize(12);
    // Hinting at the size in twips would not match the scaled-down glyphs.
    m_font.setHintingPreference(QFont::PreferNoHinting);
}

PainterSurface::~PainterSurface() = default;

void PainterSurface::setFontName(const QString &name)
{
    m_font.setFamily(name);
}

// A point is 20 twips. The font is sized in twips so that the painter's scale sizes it once;
// a size below one point draws at one point.
void PainterSurface::setFontSize(double points)
{
    m_font.setPixelSize(std::max(20, qRound(points * 20)));
}

void PainterSurface::setFontBold(bool on)
{
    m_font.setBold(on);
}

void PainterSurface::setFontItalic(bool on)
{
    m_font.setItalic(on);
}

void PainterSurface::setFontUnderline(bool on)
{
    m_font.setUnderline(on);
}

void PainterSurface::setTextColor(quint32 color)
{
    m_color = PrintColor(color);
}

double PainterSurface::textWidth(const QString &text) const
{
    return QFontMetricsF(m_font, &m_device).horizontalAdvance(text);
}

double PainterSurface::textHeight(const QString &) const
{
    return QFontMetricsF(m_font, &m_device).height();
}

void PainterSurface::printLine(const QString &text)
{
    const QFontMetricsF metrics(m_font, &m_device);
    if (!text.isEmpty()) {
        QPainter &p = painter();
        p.setFont(m_font);
        p.setPen(m_color);
        p.drawText(QPointF(m_x, m_y + metrics.ascent()), text);
    }
    m_x = 0;
    m_y += metrics.height();
}

void PainterSurface::resetPen()
{
    m_x = 0;
    m_y = 0;
}
