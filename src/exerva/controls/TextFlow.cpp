#include "TextFlow.h"

#include "ControlLook.h"

#include "platform/Twips.h"

#include <QLabel>

namespace exerva {

TextFlow::TextFlow(const QWidget& control, long rowPitchPixels, long elementHeightTwips)
    : twipsPerPixelX_(platform::twipsPerPixelX()),
      twipsPerPixelY_(platform::twipsPerPixelY()),
      controlWidth_(long(control.width()) * twipsPerPixelX_),
      rowPitch_(rowPitchPixels),
      elementHeight_(elementHeightTwips),
      startLeft_(10 * twipsPerPixelX_),
      left_(startLeft_)
{
}

void TextFlow::place(QWidget& element, long widthTwips)
{
    if (left_ + widthTwips > controlWidth_)
        newRow();
    element.setGeometry(int(left_ / twipsPerPixelX_), int(rowPitch_ * row_ + 10), int(widthTwips / twipsPerPixelX_),
                        int(elementHeight_ / twipsPerPixelY_));
    element.show();
    left_ += widthTwips + 5 * twipsPerPixelX_;
}

void TextFlow::placeSizedToText(QLabel& label) { place(label, long(autoSizedWidth(label)) * twipsPerPixelX_); }

void TextFlow::newRow(long rows)
{
    row_ += rows;
    left_ = startLeft_;
}

}  // namespace exerva
