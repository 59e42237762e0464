#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

double dpi(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return 96.0;
    }
    const double value = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return value > 0 ? value : 96.0;
}

} // namespace

double TwipsPerPixelX()
{
    return 1440.0 / dpi(true);
}

double TwipsPerPixelY()
{
    return 1440.0 / dpi(false);
}

int TwipsToPixelsX(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}

int TwipsToPixelsY(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}
