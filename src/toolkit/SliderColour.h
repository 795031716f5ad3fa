#pragma once

#include <QColor>

class QSlider;

namespace toolkit {

// Paints the slider's background in one solid colour, for that slider only:
// the media window and the video player colour their sliders this way. Calling
// it again replaces the colour.
void paintSliderBackground(QSlider& slider, const QColor& colour);

}  // namespace toolkit
