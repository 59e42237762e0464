#include "FormPlacement.h"

#include "common/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
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

QRect ReachablePlace(const QRect &outer, const QList<QRect> &screens)
{
    // Enough of the title bar to take hold of with the pointer.
    constexpr int titleHeight = 24;
    constexpr int holdWidth = 64;
    const QRect titleBar(outer.left(), outer.top(), outer.width(), titleHeight);
    const QRect *nearest = nullptr;
    qint64 nearestDistance = 0;
    for (const QRect &screen : screens) {
        const QRect onScreen = titleBar.intersected(screen);
        if (onScreen.width() >= std::min(holdWidth, outer.width()) &&
            onScreen.height() >= titleHeight / 2) {
            return outer;
        }
        const qint64 dx = std::max({qint64(screen.left()) - outer.right(),
                                    qint64(outer.left()) - screen.right(), qint64(0)});
        const qint64 dy = std::max({qint64(screen.top()) - outer.bottom(),
                                    qint64(outer.top()) - screen.bottom(), qint64(0)});
        const qint64 distance = dx * dx + dy * dy;
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = &screen;
            nearestDistance = distance;
        }
    }
    if (nearest == nullptr) {
        return outer;
    }
    const QSize size = outer.size().boundedTo(nearest->size());
    const int left = std::clamp(outer.left(), nearest->left(), nearest->right() + 1 - size.width());
    const int top = std::clamp(outer.top(), nearest->top(), nearest->bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

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
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    m_outer = ReachablePlace(QRect(*left, *top, *width, *height), screens);
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

void FormPlacement::SaveFormPlacement(SettingsWrites &writes) const
{
    const QRect outer = m_window.frameGeometry();
    WritePlacement(
        writes, m_window.objectName(), m_height.twipsFor(outer.height(), TwipsPerPixelY()),
        m_width.twipsFor(outer.width(), TwipsPerPixelX()),
        m_left.twipsFor(outer.x(), TwipsPerPixelX()), m_top.twipsFor(outer.y(), TwipsPerPixelY()));
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
