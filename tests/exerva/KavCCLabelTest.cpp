// An item of the check-box control as the learner sees it: its box level with
// the first line of its label, whatever the item's height, the label's
// wrapping or the font size, and a click on the label ticking its box.

#include "KavTestSupport.h"

#include "exerva/controls/KavCC.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using exerva::KavCC;

constexpr long stateOk = 1;

// One item at top 30; in the true/false grid its false box is at left 60.
QString questionXml(const char* mode, int height, int width, const char* caption)
{
    return QStringLiteral("<QUESTION><HEADER><MODE>%1</MODE>"
                          "<COLUMN><H>20</H><W>40</W><T>0</T><L>10</L><C>Vrai</C></COLUMN>"
                          "<COLUMN><H>20</H><W>40</W><T>0</T><L>60</L><C>Faux</C></COLUMN></HEADER>"
                          "<ITEMS><ITEM><ID>a</ID><H>%2</H><W>%3</W><T>30</T><L>110</L><C>%4</C></ITEM></ITEMS>"
                          "</QUESTION>")
        .arg(QString::fromLatin1(mode))
        .arg(height)
        .arg(width)
        .arg(QString::fromUtf8(caption));
}

// The first run of rows of `area` where something is drawn on the background.
struct Rows {
    int first;
    int last;
    double middle() const { return (first + last) / 2.0; }
};

std::optional<Rows> firstDrawnRows(const QImage& image, const QRect& area, QRgb background)
{
    std::optional<Rows> rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool drawn = false;
        for (int x = area.left(); x <= area.right() && !drawn; ++x) {
            const QRgb pixel = image.pixel(x, y);
            drawn = std::abs(qGray(pixel) - qGray(background)) > 60;
        }
        if (drawn && !rows)
            rows = Rows{y, y};
        else if (drawn && rows->last == y - 1)
            rows->last = y;
        else if (!drawn && rows)
            break;
    }
    return rows;
}

// Builds the one item shown, on a grey background.
void build(KavCC& control, QDomDocument& document, const char* mode, int height, int width, long fontSize = 0)
{
    document = kavtest::xmlDocument(questionXml(mode, height, width, "Rome est en Italie"));
    control.BackColor(0xC0C0C0);
    if (fontSize > 0)
        control.FontSize(fontSize);
    control.ModeVisible(1);
    ASSERT_EQ(control.InitXMLQuestion(document.documentElement()), stateOk);
    control.resize(320, 120);
    control.show();
}

class KavCCLabelTest : public ::testing::Test {
protected:
    kavtest::TracedContext traced;
    KavCC control{traced.context};
    QDomDocument document;
};

TEST_F(KavCCLabelTest, TheBoxStandsLevelWithTheFirstLineOfItsLabel)
{
    struct Case {
        const char* label;
        const char* mode;
        int height;
        int width;
        long fontSize;
    };
    const Case cases[] = {
        {"an item as high as a line", "CC", 18, 200, 0},
        {"a tall item", "CC", 40, 200, 0},
        {"a label wrapped on three lines", "VF", 60, 60, 0},
        {"a large font", "VF", 40, 200, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        KavCC control{traced.context};
        build(control, document, c.mode, c.height, c.width, c.fontSize);
        const QImage image = control.grab().toImage();
        const QRgb background = image.pixel(control.width() - 1, control.height() - 1);

        const QLabel& label = *control.itemLabel(0);
        const auto text = firstDrawnRows(image, label.geometry(), background);
        ASSERT_TRUE(text);
        std::vector<const QCheckBox*> boxes{control.trueBox(0)};
        if (control.isTrueFalse())
            boxes.push_back(control.falseBox(0));
        for (const QCheckBox* box : boxes) {
            const auto drawn = firstDrawnRows(image, box->geometry(), background);
            ASSERT_TRUE(drawn);
            EXPECT_NEAR(drawn->middle(), text->middle(), 2.0)
                << "box rows " << drawn->first << "-" << drawn->last << ", text rows " << text->first << "-"
                << text->last;
        }
    }
}

TEST_F(KavCCLabelTest, AClickOnTheLabelIsAClickOnItsBox)
{
    build(control, document, "VF", 40, 200);
    QLabel* label = control.itemLabel(0);
    QCheckBox& trueBox = *control.trueBox(0);
    QCheckBox& falseBox = *control.falseBox(0);
    ASSERT_TRUE(control.clickFalseBox(0));

    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    EXPECT_TRUE(trueBox.isChecked());
    EXPECT_FALSE(falseBox.isChecked()) << "the true/false exclusivity ran";

    QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
    EXPECT_TRUE(trueBox.isChecked()) << "only the left button clicks";
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(trueBox.isChecked()) << "a second click unticks, as on the box";

    // A press that leaves the label before it is let go clicks nothing.
    QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-5, label->height() + 5));
    EXPECT_FALSE(trueBox.isChecked());
}

TEST_F(KavCCLabelTest, AHiddenLabelClicksNothing)
{
    document = kavtest::xmlDocument(questionXml("CC", 20, 200, "Rome est en Italie"));
    ASSERT_EQ(control.InitXMLQuestion(document.documentElement()), stateOk);
    control.show();
    EXPECT_FALSE(control.clickLabel(0)) << "still behind the reveal button";
    EXPECT_FALSE(control.clickLabel(7)) << "no such label";
    ASSERT_TRUE(control.pressReveal());
    EXPECT_TRUE(control.clickLabel(0));
    EXPECT_TRUE(control.trueBox(0)->isChecked());
}

}  // namespace
