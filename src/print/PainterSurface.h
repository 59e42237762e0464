#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSizeF>
#include <QStaticText>

#include <optional>

class QPaintDevice;
class QPainter;

// What the printer and a preview window share: a painter scaled so that one unit is one
// twip, fonts sized in twips under that scale, and text measured in the same units.
class PainterSurface : public DrawingSurface
{
public:
    double penX() const override { return m_x; }
    double penY() const override { return m_y; }
    void setPenX(double x) override { m_x = x; }
    void setPenY(double y) override { m_y = y; }
    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setFontBold(bool on) override;
    void setFontItalic(bool on) override;
    void setFontUnderline(bool on) override;
    void setTextColor(quint32 color) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void printLine(const QString &text) override;

protected:
    // device is what text is measured for.
    explicit PainterSurface(QPaintDevice &device);
    ~PainterSurface() override;

    // The painter, begun on first use; throws PrintFailure when it cannot be begun.
    virtual QPainter &painter() = 0;
    // The image drawn on, when the surface draws on one.
    virtual const QImage *image() const { return nullptr; }
    void resetPen();

private:
    const QFontMetricsF &metrics() const;
    // Asked of the metrics every time, a line's height costs more than the rest of a line
    // that is not drawn.
    double lineHeight() const
    {
        if (!m_metrics) {
            metrics();
        }
        return m_lineHeight;
    }
    double measuredWidth(const QString &text) const;
    double ascent() const;
    void fontChanged();

    QPaintDevice &m_device;
    QFont m_font;
    mutable std::optional<QFontMetricsF> m_metrics; // of m_font, measured once per font
    mutable double m_lineHeight = 0;
    mutable double m_ascent = 0;
    mutable std::optional<QSizeF> m_drawable;
    // Texts drawn or measured more than once in one font: the "more" marks, drawn again at every
    // column break once the columns are used up. Laid out once per font.
    mutable QHash<QString, double> m_widths;
    // The text measured last, asked again at every column break of a preview whose columns
    // are used up.
    mutable QString m_lastMeasured;
    mutable double m_lastWidth = 0;
    QHash<QString, QStaticText> m_laidOut;
    QString m_lastDrawn;
    // On an image, a text drawn again where it already stands changes fewer pixels each time
    // until it changes none; from then on drawing it there again is skipped. Each entry is
    // forgotten as soon as anything else is drawn over its place.
    struct Saturated
    {
        QString text;
        QPointF at;
        QRgb color;
        QFont font;
        QRect place;
    };
    QList<Saturated> m_saturated;
    bool saturatedHere(const QString &text) const;
    void drawRepeated(QPainter &p, const QStaticText &text, const QString &key);
    void forgetSaturated(const QRect &place);
    QColor m_color = Qt::black;
    QRgb m_rgba = QColor(Qt::black).rgba();
    double m_x = 0;
    double m_y = 0;
};
