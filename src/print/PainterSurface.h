#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QFont>

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
    void resetPen();

private:
    QPaintDevice &m_device;
    QFont m_font;
    QColor m_color = Qt::black;
    double m_x = 0;
    double m_y = 0;
};
