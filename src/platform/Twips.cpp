#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace platform {

namespace {

int twipsPerPixel(bool horizontal)
{
    constexpr int ordinary = 15;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return ordinary;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    if (!(dpi > 0.0))
        return ordinary;
    const int twips = int(std::lround(1440.0 / dpi));
    return twips > 0 ? twips : ordinary;
}

}  // namespace

int twipsPerPixelX() { return twipsPerPixel(true); }
int twipsPerPixelY() { return twipsPerPixel(false); }

}  // namespace platform
