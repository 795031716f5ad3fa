#include "RevealButton.h"

#include "ControlArray.h"
#include "ControlLook.h"
#include "TwipsGeometry.h"

#include "platform/Twips.h"

namespace exerva {

namespace {

constexpr long maxPixels = 32767;

}  // namespace

RevealButton::RevealButton(const QRect& twips, long backColor, QWidget* parent) : QPushButton(parent), twips_(twips)
{
    QFont font = controlArrayFont();
    font.setBold(true);
    setFont(font);
    place();
    setBackColor(backColor);
}

void RevealButton::setBackColor(long color)
{
    backColor_ = color;
    applyColor(*this, QPalette::Button, color);
}

long RevealButton::heightPixels() const { return pixelsFromTwipsRoundedDown(twips_.height(), platform::twipsPerPixelY()); }

void RevealButton::setHeightPixels(long pixels)
{
    twips_.setHeight(twipsFromPixels(pixels, platform::twipsPerPixelY(), 0));
    place();
}

long RevealButton::widthPixels() const { return pixelsFromTwipsRoundedDown(twips_.width(), platform::twipsPerPixelX()); }

void RevealButton::setWidthPixels(long pixels)
{
    twips_.setWidth(twipsFromPixels(pixels, platform::twipsPerPixelX(), 0));
    place();
}

long RevealButton::topPixels() const { return pixelsFromTwipsRoundedDown(twips_.y(), platform::twipsPerPixelY()); }

void RevealButton::setTopPixels(long pixels)
{
    twips_.moveTop(twipsFromPixels(pixels, platform::twipsPerPixelY(), -maxPixels));
    place();
}

long RevealButton::leftPixels() const { return pixelsFromTwipsRoundedDown(twips_.x(), platform::twipsPerPixelX()); }

void RevealButton::setLeftPixels(long pixels)
{
    twips_.moveLeft(twipsFromPixels(pixels, platform::twipsPerPixelX(), -maxPixels));
    place();
}

bool RevealButton::press() { return clickAsLearner(this); }

void RevealButton::place() { placeInTwips(*this, twips_); }

}  // namespace exerva
