#pragma once

#include <QRect>

class QWidget;

namespace exerva {

// The question-type controls keep the original's places and sizes in twips;
// the widgets get them in pixels through the screen's twips per pixel.

// Places the widget at a rectangle given in twips (left, top, width, height).
void placeInTwips(QWidget& widget, const QRect& twips);

// A size or place of the exercise file, in pixels, as twips. Throws
// platform::RuntimeError 380 (invalid property value) below `minimumPixels` or
// beyond 32767 pixels, sizes the window system would refuse.
int twipsFromPixels(long pixels, int twipsPerPixel, long minimumPixels);

// Twips back to whole pixels, rounded down.
long pixelsFromTwipsRoundedDown(long twips, int twipsPerPixel);

}  // namespace exerva
