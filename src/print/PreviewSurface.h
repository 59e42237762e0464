#pragma once

#include "PainterSurface.h"

#include <QPainter>

class PrintoutWindow;

// A preview window as a drawing surface: its client area, in twips through the screen's
// logical DPI. What is drawn goes onto the window's kept image.
class PreviewSurface final : public PainterSurface
{
public:
    explicit PreviewSurface(PrintoutWindow &window);
    ~PreviewSurface() override;
    Q_DISABLE_COPY_MOVE(PreviewSurface)

    Kind kind() const override { return Kind::Preview; }
    double drawableWidth() const override { return m_width; }
    double drawableHeight() const override { return m_height; }
    // A preview has no second page.
    void newPage() override {}

protected:
    QPainter &painter() override;
    const QImage *image() const override { return &m_image; }

private:
    PrintoutWindow &m_window;
    QImage &m_image;
    QPainter m_painter;
    double m_width;
    double m_height;
};
