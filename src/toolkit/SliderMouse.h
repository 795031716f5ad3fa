#pragma once

#include <functional>

class QSlider;

namespace toolkit {

// Calls press and release for every press and release of a mouse button on
// the slider, on its handle or beside it. A click on the groove beside the
// handle moves the slider a page without pressing the handle, which the
// slider's own sliderPressed and sliderReleased signals miss. Both run before
// the slider itself handles the event; they live as long as the slider.
void onSliderMouse(QSlider& slider, std::function<void()> press, std::function<void()> release);

}  // namespace toolkit
