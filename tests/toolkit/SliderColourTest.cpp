// The slider colouring: the slider's background takes the colour given, and
// only that slider's.

#include "toolkit/SliderColour.h"

#include "support/Screenshot.h"

#include <QSlider>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(SliderColourTest, PaintsTheBackgroundOfThatSliderOnly)
{
    const QColor orange(252, 115, 61);
    QWidget panel;
    auto* layout = new QVBoxLayout(&panel);
    auto* coloured = new QSlider(Qt::Horizontal, &panel);
    auto* plain = new QSlider(Qt::Horizontal, &panel);
    coloured->setRange(0, 100);
    coloured->setValue(30);
    layout->addWidget(coloured);
    layout->addWidget(plain);
    panel.resize(220, 70);
    panel.show();

    toolkit::paintSliderBackground(*coloured, orange);
    EXPECT_EQ(coloured->grab().toImage().pixelColor(1, 1), orange);
    EXPECT_NE(plain->grab().toImage().pixelColor(1, 1), orange);

    const QColor blue(40, 90, 200);
    toolkit::paintSliderBackground(*coloured, blue);
    EXPECT_EQ(coloured->grab().toImage().pixelColor(1, 1), blue) << "a second colour replaces the first";
    toolkit::paintSliderBackground(*coloured, orange);
    EXPECT_FALSE(testsupport::saveScreenshot(panel, QStringLiteral("slider-colour")).isEmpty());
}

}  // namespace
