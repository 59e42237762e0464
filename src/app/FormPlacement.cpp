#include "FormPlacement.h"

#include "common/Twips.h"

#include <QEvent>
#include <QWidget>

#include <cmath>
#include <optional>

namespace {

std::optional<int> toPixels(double twips, double twipsPerPixel)
{
    const double pixels = std::nearbyint(twips / twipsPerPixel);
    if (!(std::abs(pixels) <= QWIDGETSIZE_MAX)) {
        return std::nullopt;
    }
    return static_cast<int>(pixels);
}

} // namespace

FormPlacement::FormPlacement(QWidget &window) : m_window(window)
{
    m_window.installEventFilter(this);
}

void FormPlacement::RestoreFormPlacement(const QString &file, const QSizeF &screenTwips,
                                         const Log &log)
{
    const PlacementTwips placement = ReadPlacement(file, m_window.objectName(), screenTwips, log);
    const std::optional<int> height = toPixels(placement.height, TwipsPerPixelY());
    const std::optional<int> width = toPixels(placement.width, TwipsPerPixelX());
    const std::optional<int> left = toPixels(placement.left, TwipsPerPixelX());
    const std::optional<int> top = toPixels(placement.top, TwipsPerPixelY());
    // A window system refuses a size beyond 16-bit coordinates (X11 does), and a window that
    // large cannot even be painted, so that move is refused like a negative size.
    constexpr int largestSize = 32767;
    if (!height || !width || !left || !top || *height <= 0 || *width <= 0 ||
        *height > largestSize || *width > largestSize) {
        return; // a move the window refuses
    }
    m_outer = QRect(*left, *top, *width, *height);
    m_height = {placement.height, *height};
    m_width = {placement.width, *width};
    m_left = {placement.left, *left};
    m_top = {placement.top, *top};
    m_corrected = false;
    // Before the window is shown it has no frame: move() places the frame, resize() the
    // inner area, so both take the outer values here.
    m_window.move(m_outer.topLeft());
    m_window.resize(m_outer.size());
}

void FormPlacement::SaveFormPlacement(const QString &file) const
{
    const QRect outer = m_window.frameGeometry();
    WritePlacement(file, m_window.objectName(), m_height.twipsFor(outer.height(), TwipsPerPixelY()),
                   m_width.twipsFor(outer.width(), TwipsPerPixelX()),
                   m_left.twipsFor(outer.x(), TwipsPerPixelX()),
                   m_top.twipsFor(outer.y(), TwipsPerPixelY()));
}

bool FormPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_corrected && watched == &m_window &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
         event->type() == QEvent::Show)) {
        correctForFrame();
    }
    return false;
}

void FormPlacement::correctForFrame()
{
    const QSize frame = m_window.frameGeometry().size() - m_window.geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) {
        return; // no frame known yet
    }
    m_corrected = true;
    if (m_window.isMaximized() || m_window.isMinimized() || m_window.isFullScreen()) {
        return;
    }
    m_window.resize(m_outer.size() - frame);
    if (m_window.frameGeometry().topLeft() != m_outer.topLeft()) {
        m_window.move(m_outer.topLeft());
    }
}
