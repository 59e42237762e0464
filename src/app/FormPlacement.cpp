#include "FormPlacement.h"

#include "common/Twips.h"
#include "config/ViewSettings.h"

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

// Remembers what the restore read and applied, and takes the window manager's frame off the
// inner size once it is known. A child of the window, so the save finds it.
class PlacementKeeper final : public QObject
{
    Q_OBJECT

public:
    PlacementKeeper(QWidget &window, const QRect &outer) : QObject(&window), m_outer(outer)
    {
        setObjectName(QStringLiteral("placementKeeper"));
        window.installEventFilter(this);
    }

    KeptLength height;
    KeptLength width;
    KeptLength left;
    KeptLength top;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (window != nullptr && !m_corrected && window == parent() &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
             event->type() == QEvent::Show)) {
            correctForFrame(*window);
        }
        return false;
    }

private:
    void correctForFrame(QWidget &window)
    {
        const QSize frame = window.frameGeometry().size() - window.geometry().size();
        if (frame.width() <= 0 && frame.height() <= 0) {
            return; // no frame known yet
        }
        m_corrected = true;
        if (window.isMaximized() || window.isMinimized() || window.isFullScreen()) {
            return;
        }
        window.resize(m_outer.size() - frame);
        if (window.frameGeometry().topLeft() != m_outer.topLeft()) {
            window.move(m_outer.topLeft());
        }
    }

    QRect m_outer;
    bool m_corrected = false;
};

} // namespace

void RestoreFormPlacement(QWidget &window, const QString &file, const QSizeF &screenTwips,
                          const Log &log)
{
    const PlacementTwips placement = ReadPlacement(file, window.objectName(), screenTwips, log);
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
    const QRect outer(*left, *top, *width, *height);
    auto *keeper = new PlacementKeeper(window, outer);
    keeper->height = {placement.height, *height};
    keeper->width = {placement.width, *width};
    keeper->left = {placement.left, *left};
    keeper->top = {placement.top, *top};
    // Before the window is shown it has no frame: move() places the frame, resize() the
    // inner area, so both take the outer values here.
    window.move(outer.topLeft());
    window.resize(outer.size());
}

void SaveFormPlacement(const QWidget &window, const QString &file)
{
    const QRect outer = window.frameGeometry();
    auto *keeper = window.findChild<PlacementKeeper *>(QStringLiteral("placementKeeper"),
                                                       Qt::FindDirectChildrenOnly);
    const KeptLength unknown{0, -1};
    auto kept = [&](const KeptLength PlacementKeeper::*member) {
        return keeper != nullptr ? keeper->*member : unknown;
    };
    WritePlacement(file, window.objectName(),
                   kept(&PlacementKeeper::height).twipsFor(outer.height(), TwipsPerPixelY()),
                   kept(&PlacementKeeper::width).twipsFor(outer.width(), TwipsPerPixelX()),
                   kept(&PlacementKeeper::left).twipsFor(outer.x(), TwipsPerPixelX()),
                   kept(&PlacementKeeper::top).twipsFor(outer.y(), TwipsPerPixelY()));
}

#include "FormPlacement.moc"
