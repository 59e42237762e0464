#include "PreviewSurface.h"

#include "PrintoutWindow.h"
#include "common/Twips.h"

PreviewSurface::PreviewSurface(PrintoutWindow &window)
    : PainterSurface(window), m_window(window), m_image(window.startDrawing()),
      m_width(m_image.width() * TwipsPerPixelX()), m_height(m_image.height() * TwipsPerPixelY())
{}

PreviewSurface::~PreviewSurface()
{
    if (m_painter.isActive()) {
        m_painter.end();
    }
    m_window.update();
}

QPainter &PreviewSurface::painter()
{
    if (!m_painter.isActive()) {
        if (!m_painter.begin(&m_image)) {
            throw PrintFailure(QStringLiteral("The preview window cannot be drawn on."));
        }
        m_painter.setRenderHint(QPainter::TextAntialiasing);
        m_painter.scale(1 / TwipsPerPixelX(), 1 / TwipsPerPixelY());
    }
    return m_painter;
}
