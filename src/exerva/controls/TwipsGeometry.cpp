#include "TwipsGeometry.h"

#include "PropertyArgument.h"

#include "platform/Twips.h"

#include <QWidget>

#include <cmath>

namespace exerva {

namespace {

constexpr long maxPixels = 32767;

int pixelsFromTwips(long twips, int twipsPerPixel) { return int(std::lround(double(twips) / twipsPerPixel)); }

}  // namespace

void placeInTwips(QWidget& widget, const QRect& twips)
{
    const int x = platform::twipsPerPixelX();
    const int y = platform::twipsPerPixelY();
    widget.setGeometry(pixelsFromTwips(twips.x(), x), pixelsFromTwips(twips.y(), y), pixelsFromTwips(twips.width(), x),
                       pixelsFromTwips(twips.height(), y));
}

int twipsFromPixels(long pixels, int twipsPerPixel, long minimumPixels)
{
    if (pixels < minimumPixels || pixels > maxPixels)
        throwInvalidPropertyValue();
    return int(pixels * twipsPerPixel);
}

long pixelsFromTwipsRoundedDown(long twips, int twipsPerPixel)
{
    return long(std::floor(double(twips) / twipsPerPixel));
}

}  // namespace exerva
