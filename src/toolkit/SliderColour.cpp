#include "SliderColour.h"

#include <QPalette>
#include <QSlider>

namespace toolkit {

void paintSliderBackground(QSlider& slider, const QColor& colour)
{
    QPalette palette = slider.palette();
    palette.setColor(QPalette::Window, colour);
    slider.setPalette(palette);
    slider.setBackgroundRole(QPalette::Window);
    slider.setAutoFillBackground(true);
}

}  // namespace toolkit
