#include "PainterSurface.h"

#include "config/ColorValue.h"

#include <QFontMetricsF>
#include <QGuiApplication>
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
    fontChanged();
}

// A point is 20 twips. The font is sized in twips so that the painter's scale sizes it once;
// a size below one point draws at one point.
void PainterSurface::setFontSize(double points)
{
    m_font.setPixelSize(std::max(20, qRound(points * 20)));
    fontChanged();
}

void PainterSurface::setFontBold(bool on)
{
    m_font.setBold(on);
    fontChanged();
}

void PainterSurface::setFontItalic(bool on)
{
    m_font.setItalic(on);
    fontChanged();
}

void PainterSurface::setFontUnderline(bool on)
{
    m_font.setUnderline(on);
    fontChanged();
}

void PainterSurface::setTextColor(quint32 color)
{
    m_color = DrawingColor(qint32(color), QGuiApplication::palette());
    m_rgba = m_color.rgba();
}

void PainterSurface::fontChanged()
{
    m_metrics.reset();
    m_widths.clear();
    m_lastMeasured = QString();
    m_laidOut.clear();
    m_lastDrawn.clear();
}

const QFontMetricsF &PainterSurface::metrics() const
{
    if (!m_metrics) {
        m_metrics.emplace(m_font, &m_device);
        m_lineHeight = m_metrics->height();
        m_ascent = m_metrics->ascent();
    }
    return *m_metrics;
}

double PainterSurface::ascent() const
{
    metrics();
    return m_ascent;
}

double PainterSurface::textWidth(const QString &text) const
{
    if (!m_lastMeasured.isNull() && text == m_lastMeasured) {
        return m_lastWidth;
    }
    m_lastMeasured = text;
    m_lastWidth = measuredWidth(text);
    return m_lastWidth;
}

double PainterSurface::measuredWidth(const QString &text) const
{
    const auto known = m_widths.constFind(text);
    if (known != m_widths.cend()) {
        return *known;
    }
    return *m_widths.insert(text, metrics().horizontalAdvance(text));
}

double PainterSurface::textHeight(const QString &) const
{
    return lineHeight();
}

void PainterSurface::printLine(const QString &text)
{
    const double height = lineHeight();
    if (!m_drawable) {
        m_drawable.emplace(drawableWidth(), drawableHeight());
    }
    // A line that starts beyond the drawable area would be clipped away whole; on a preview
    // whose columns are used up that is the rest of the list, so it is not drawn at all.
    const bool visible = m_x < m_drawable->width() && m_y < m_drawable->height();
    // Nor is a repeated text where drawing it again changes nothing: on a preview whose
    // columns are used up, the "more" mark comes again for every row left.
    if (!text.isEmpty() && visible && !saturatedHere(text)) {
        QPainter &p = painter();
        p.setFont(m_font);
        p.setPen(m_color);
        auto laidOut = m_laidOut.find(text);
        if (laidOut == m_laidOut.end() && text == m_lastDrawn) {
            laidOut = m_laidOut.insert(text, QStaticText(text));
            laidOut->setTextFormat(Qt::PlainText);
            laidOut->prepare(p.transform(), m_font);
        }
        if (laidOut != m_laidOut.end()) {
            drawRepeated(p, *laidOut, text);
        } else {
            const QPointF at(m_x, m_y);
            if (image() != nullptr) {
                forgetSaturated(p.transform()
                                    .mapRect(QRectF(at, QSizeF(textWidth(text), height)))
                                    .toAlignedRect()
                                    .adjusted(-2, -2, 2, 2));
            }
            p.drawText(QPointF(m_x, m_y + ascent()), text);
            m_lastDrawn = text;
        }
    }
    m_x = 0;
    m_y += height;
}

// What drawRepeated would skip: only a text it would be handed, one already laid out or the
// one drawn last.
bool PainterSurface::saturatedHere(const QString &text) const
{
    const QPointF at(m_x, m_y);
    const bool found =
        std::any_of(m_saturated.cbegin(), m_saturated.cend(), [&](const Saturated &saturated) {
            return saturated.at == at && saturated.text == text && saturated.color == m_rgba &&
                   saturated.font == m_font;
        });
    return found && (text == m_lastDrawn || m_laidOut.contains(text));
}

void PainterSurface::drawRepeated(QPainter &p, const QStaticText &text, const QString &line)
{
    const QPointF at(m_x, m_y);
    const QImage *drawnOn = image();
    if (drawnOn == nullptr) {
        p.drawStaticText(at, text);
        return;
    }
    const QRect place = p.transform()
                            .mapRect(QRectF(at, QSizeF(textWidth(line), lineHeight())))
                            .toAlignedRect()
                            .adjusted(-2, -2, 2, 2)
                            .intersected(drawnOn->rect());
    forgetSaturated(place);
    const QImage before = drawnOn->copy(place);
    p.drawStaticText(at, text);
    if (drawnOn->copy(place) == before) {
        m_saturated.append({line, at, m_rgba, m_font, place});
    }
}

void PainterSurface::forgetSaturated(const QRect &place)
{
    m_saturated.removeIf(
        [&place](const Saturated &saturated) { return saturated.place.intersects(place); });
}

void PainterSurface::resetPen()
{
    m_x = 0;
    m_y = 0;
}
