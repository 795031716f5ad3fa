// The pictures of the buttons: every pictogram is compiled in and drawn in its
// three looks at the size its window uses; screenshots show them side by side.

#include "toolkit/ButtonPictures.h"
#include "toolkit/uctButton.h"

#include "support/Screenshot.h"

#include <QFile>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using toolkit::ButtonGlyph;

struct GlyphCase {
    ButtonGlyph glyph;
    QSize size;  // as the window that shows it lays it out
};

// Question window: 30 x 26 beside the countdown, 25 x 29 for quit and help;
// the media window and the video player: 28 x 28.
const GlyphCase glyphCases[] = {
    {ButtonGlyph::Help, {25, 29}},     {ButtonGlyph::Quit, {25, 29}},     {ButtonGlyph::Lesson, {30, 26}},
    {ButtonGlyph::Solution, {30, 26}}, {ButtonGlyph::Check, {30, 26}},    {ButtonGlyph::Continue, {30, 26}},
    {ButtonGlyph::Restart, {30, 26}},  {ButtonGlyph::Play, {28, 28}},     {ButtonGlyph::Pause, {28, 28}},
    {ButtonGlyph::Stop, {28, 28}},     {ButtonGlyph::Previous, {28, 28}}, {ButtonGlyph::Next, {28, 28}},
    {ButtonGlyph::Sound, {28, 28}},    {ButtonGlyph::Video, {28, 28}},    {ButtonGlyph::Book, {28, 28}},
};

class ButtonPicturesTest : public ::testing::TestWithParam<GlyphCase> {};

bool hasPureWhite(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                return true;
    return false;
}

// The share of pixels that differ between two pictures of one size.
double difference(const QPixmap& a, const QPixmap& b)
{
    const QImage left = a.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.toImage().convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x)
            differing += left.pixel(x, y) != right.pixel(x, y);
    return double(differing) / (left.width() * left.height());
}

TEST_P(ButtonPicturesTest, DrawsThreeDistinctLooksAtTheWindowsSize)
{
    const GlyphCase c = GetParam();
    const QString resource = QStringLiteral(":/toolkit/buttons/%1.svg").arg(toolkit::glyphName(c.glyph));
    ASSERT_TRUE(QFile::exists(resource)) << resource.toStdString();
    EXPECT_TRUE(QSvgRenderer(resource).isValid());

    const toolkit::ButtonPictures pictures = toolkit::buttonPictures(c.glyph, c.size);
    const toolkit::ButtonPictures plain = toolkit::buttonPictures(ButtonGlyph::None, c.size);
    for (const QPixmap* look : {&pictures.up, &pictures.down, &pictures.disabled}) {
        ASSERT_FALSE(look->isNull());
        EXPECT_EQ(look->deviceIndependentSize().toSize(), c.size);
        EXPECT_FALSE(hasPureWhite(*look)) << "white is the buttons' mask colour";
    }
    EXPECT_GT(difference(pictures.up, pictures.down), 0.2);
    EXPECT_GT(difference(pictures.up, pictures.disabled), 0.2);
    EXPECT_GT(difference(pictures.up, plain.up), 0.05) << "the pictogram is drawn";
}

INSTANTIATE_TEST_SUITE_P(EveryGlyph, ButtonPicturesTest, ::testing::ValuesIn(glyphCases),
                         [](const ::testing::TestParamInfo<GlyphCase>& info) {
                             return toolkit::glyphName(info.param.glyph).toStdString();
                         });

TEST(ButtonPicturesSheetTest, EmptySizeGivesNoPictures)
{
    const toolkit::ButtonPictures pictures = toolkit::buttonPictures(ButtonGlyph::Play, QSize(0, 10));
    EXPECT_TRUE(pictures.up.isNull());
    EXPECT_TRUE(pictures.down.isNull());
    EXPECT_TRUE(pictures.disabled.isNull());
}

// One sheet per look, every button of the family on it, and the captioned
// buttons of the message box; each button is a real button widget.
TEST(ButtonPicturesSheetTest, WritesScreenshotsOfEveryLook)
{
    const std::pair<long, const char*> looks[] = {{1, "up"}, {2, "down"}, {3, "disabled"}};
    for (const auto& [position, name] : looks) {
        QWidget sheet;
        sheet.setAutoFillBackground(true);
        QPalette palette = sheet.palette();
        palette.setColor(QPalette::Window, QColor(0xEC, 0xEF, 0xF3));
        sheet.setPalette(palette);
        auto* rows = new QVBoxLayout(&sheet);
        auto* grid = new QGridLayout;
        rows->addLayout(grid);
        int column = 0;
        for (const GlyphCase& c : glyphCases) {
            auto* label = new QLabel(toolkit::glyphName(c.glyph), &sheet);
            label->setFont(QFont(QStringLiteral("Arial"), 7));
            grid->addWidget(label, 0, column, Qt::AlignCenter);
            auto* button = new toolkit::uctButton(&sheet);
            button->setPictures(toolkit::buttonPictures(c.glyph, c.size));
            button->ButtonPosition(position);
            grid->addWidget(button, 1, column++, Qt::AlignCenter);
        }
        auto* captioned = new QHBoxLayout;
        rows->addLayout(captioned);
        for (const char* caption : {"OK", "Annuler"}) {
            auto* button = new toolkit::uctButton(&sheet);
            button->setPictures(toolkit::buttonPictures(ButtonGlyph::None, QSize(109, 31)));
            button->Caption(QString::fromLatin1(caption));
            button->ButtonPosition(position);
            captioned->addWidget(button);
        }
        captioned->addStretch();
        sheet.adjustSize();
        sheet.show();
        EXPECT_FALSE(testsupport::saveScreenshot(sheet, QStringLiteral("buttons-%1").arg(QLatin1String(name))).isEmpty());
    }
}

}  // namespace
