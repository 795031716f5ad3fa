// The picture button: looks by position, push and toggle behaviour, the
// events of mouse presses, releases and clicks, the disabled position, the
// caption and the size taken from the picture.

#include "toolkit/uctButton.h"
#include "toolkit/usrButton.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using toolkit::uctButton;
using toolkit::usrButton;

QPixmap solid(QSize size, const QColor& colour)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return pixmap;
}

// Each picture its own size and colour, so that the look on display can be told.
const QColor upColour(0x20, 0x60, 0xA0);
const QColor downColour(0x10, 0x30, 0x50);
const QColor disabledColour(0x90, 0x90, 0x90);

void dress(usrButton& button)
{
    button.PictureUP(solid(QSize(30, 26), upColour));
    button.PictureDOWN(solid(QSize(30, 26), downColour));
    button.PictureDISABLED(solid(QSize(30, 26), disabledColour));
}

QColor shown(const usrButton& button) { return button.Picture().toImage().pixelColor(0, 0); }

// Records the button's events in the order they come.
struct EventLog {
    explicit EventLog(usrButton& button)
    {
        QObject::connect(&button, &usrButton::MouseDown, [this] { events.append(QStringLiteral("MouseDown")); });
        QObject::connect(&button, &usrButton::MouseUP, [this] { events.append(QStringLiteral("MouseUP")); });
        QObject::connect(&button, &usrButton::Click, [this] { events.append(QStringLiteral("Click")); });
    }
    QStringList events;
};

const QStringList pressReleaseClick = {QStringLiteral("MouseDown"), QStringLiteral("MouseUP"), QStringLiteral("Click")};

TEST(PictureButtonTest, StartsUpAsAPushButtonWithTheOriginalDefaults)
{
    uctButton button;
    EXPECT_TRUE(button.AutoSize());
    EXPECT_EQ(button.ButtonPosition(), 1);
    EXPECT_EQ(button.ButtonState(), 1);
    EXPECT_EQ(button.Appearance(), 1);
    EXPECT_EQ(button.BackStyle(), 0);
    EXPECT_EQ(button.BorderStyle(), 0);
    EXPECT_EQ(button.MaskColor(), QColor(Qt::white));
    EXPECT_EQ(button.Caption(), QString());
}

TEST(PictureButtonTest, ShowsThePictureOfEachPosition)
{
    usrButton button;
    dress(button);
    struct Case {
        long position;
        QColor colour;
    };
    // 4 is not a position: the previous picture stays.
    const Case cases[] = {{1, upColour}, {2, downColour}, {3, disabledColour}, {4, disabledColour}, {1, upColour}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        button.ButtonPosition(c.position);
        EXPECT_EQ(button.ButtonPosition(), c.position);
        EXPECT_EQ(shown(button), c.colour);
    }
}

TEST(PictureButtonTest, PushButtonShowsDownWhilePressedAndRaisesItsEventsInOrder)
{
    usrButton button;
    dress(button);
    button.show();
    EventLog log(button);

    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_EQ(shown(button), downColour);
    EXPECT_EQ(button.ButtonPosition(), 1) << "a push button keeps its position";
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(shown(button), upColour);
    EXPECT_EQ(button.ButtonPosition(), 1);
    EXPECT_EQ(log.events, pressReleaseClick);
}

TEST(PictureButtonTest, ReleaseOutsideTheButtonIsNoClick)
{
    usrButton button;
    dress(button);
    button.show();
    EventLog log(button);
    QTest::mousePress(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("MouseDown"), QStringLiteral("MouseUP")}));
    EXPECT_EQ(shown(button), upColour);
}

TEST(PictureButtonTest, ToggleButtonSwitchesOnEachPressAndReleaseChangesNothing)
{
    usrButton button;
    dress(button);
    button.ButtonState(usrButton::ToggleButton);
    button.show();
    EventLog log(button);

    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_EQ(button.ButtonPosition(), 2);
    EXPECT_EQ(shown(button), downColour);
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(button.ButtonPosition(), 2);
    EXPECT_EQ(shown(button), downColour);

    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(button.ButtonPosition(), 1);
    EXPECT_EQ(shown(button), upColour);
    EXPECT_EQ(log.events, pressReleaseClick + pressReleaseClick);
}

TEST(PictureButtonTest, DisabledButtonRaisesNothingAndKeepsItsLook)
{
    for (const long state : {long(usrButton::PushButton), long(usrButton::ToggleButton)}) {
        SCOPED_TRACE(state);
        usrButton button;
        dress(button);
        button.ButtonState(state);
        button.ButtonPosition(usrButton::PositionDisabled);
        button.show();
        EventLog log(button);
        QTest::mousePress(&button, Qt::LeftButton);
        EXPECT_EQ(shown(button), disabledColour);
        QTest::mouseRelease(&button, Qt::LeftButton);
        button.click();
        EXPECT_EQ(log.events, QStringList());
        EXPECT_EQ(shown(button), disabledColour);
        EXPECT_EQ(button.ButtonPosition(), 3);
    }
}

TEST(PictureButtonTest, OtherMouseButtonsDoNothing)
{
    usrButton button;
    dress(button);
    button.show();
    EventLog log(button);
    QTest::mouseClick(&button, Qt::RightButton);
    EXPECT_EQ(log.events, QStringList());
    EXPECT_EQ(shown(button), upColour);
}

TEST(PictureButtonTest, AHandlerMayDestroyTheButtonOnRelease)
{
    auto* button = new usrButton;
    dress(*button);
    button->show();
    QPointer<usrButton> watched(button);
    QObject::connect(button, &usrButton::MouseUP, button, [button] { delete button; });
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_TRUE(watched.isNull());
}

TEST(PictureButtonTest, TakesTheSizeOfThePictureOnDisplay)
{
    usrButton button;
    dress(button);
    EXPECT_EQ(button.size(), QSize(30, 26));

    button.PictureUP(solid(QSize(25, 29), upColour));
    EXPECT_EQ(button.size(), QSize(25, 29)) << "a new up picture at position 1";

    button.ButtonPosition(2);
    EXPECT_EQ(button.size(), QSize(30, 26));
    button.PictureUP(solid(QSize(40, 40), upColour));
    EXPECT_EQ(button.size(), QSize(30, 26)) << "the down picture is on display";

    button.show();
    button.resize(100, 100);
    EXPECT_EQ(button.size(), QSize(30, 26)) << "a resize keeps the picture's size";

    button.AutoSize(false);
    button.resize(100, 50);
    EXPECT_EQ(button.size(), QSize(100, 50));
    button.ButtonPosition(1);
    EXPECT_EQ(button.size(), QSize(100, 50));
}

TEST(PictureButtonTest, MaskColourLetsTheBackgroundThroughWhenTheBackIsTransparent)
{
    QWidget owner;
    owner.resize(60, 40);
    QPalette palette = owner.palette();
    palette.setColor(QPalette::Window, QColor(Qt::red));
    owner.setPalette(palette);
    owner.setAutoFillBackground(true);
    usrButton button(&owner);
    QPixmap picture = solid(QSize(20, 20), upColour);
    {
        QPainter painter(&picture);
        painter.fillRect(0, 0, 10, 20, Qt::white);
    }
    button.PictureUP(picture);

    const QImage transparent = owner.grab().toImage();
    EXPECT_EQ(transparent.pixelColor(2, 2), QColor(Qt::red)) << "white is the mask colour";
    EXPECT_EQ(transparent.pixelColor(15, 2), upColour);

    button.BackStyle(1);
    EXPECT_EQ(owner.grab().toImage().pixelColor(2, 2), QColor(Qt::white)) << "an opaque back draws every pixel";

    button.BackStyle(0);
    button.MaskColor(upColour);
    const QImage masked = owner.grab().toImage();
    EXPECT_EQ(masked.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(masked.pixelColor(15, 2), QColor(Qt::red));
}

TEST(PictureButtonTest, CaptionIsTrimmedAndShownOnlyWhenNotEmpty)
{
    struct Case {
        QString given;
        QString caption;
        bool visible;
    };
    const Case cases[] = {
        {QStringLiteral("  OK  "), QStringLiteral("OK"), true},
        {QStringLiteral("   "), QString(), false},
        {QString(), QString(), false},
        {QStringLiteral("\tAnnuler "), QStringLiteral("\tAnnuler"), true},
    };
    uctButton button;
    button.setPictures(toolkit::buttonPictures(toolkit::ButtonGlyph::None, QSize(109, 31)));
    button.show();
    auto* label = button.findChild<QLabel*>(QStringLiteral("lblText"));
    ASSERT_NE(label, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given.toStdString());
        button.Caption(c.given);
        EXPECT_EQ(button.Caption(), c.caption);
        EXPECT_EQ(label->isVisible(), c.visible);
        EXPECT_EQ(label->text(), c.caption);
    }
    button.Caption(QStringLiteral("OK"));
    EXPECT_EQ(label->x(), 0);
    EXPECT_EQ(label->width(), 109);
    EXPECT_EQ(label->y(), (31 - label->height()) / 2) << "centred vertically";
}

TEST(PictureButtonTest, PressOnTheCaptionIsThePressOfTheButton)
{
    uctButton button;
    button.setPictures(toolkit::buttonPictures(toolkit::ButtonGlyph::None, QSize(109, 31)));
    button.Caption(QStringLiteral("Annuler"));
    button.show();
    EventLog log(button);
    auto* label = button.findChild<QLabel*>(QStringLiteral("lblText"));
    ASSERT_NE(label, nullptr);
    const QPoint onCaption = label->geometry().center();
    ASSERT_EQ(button.childAt(onCaption), nullptr) << "the caption lets the mouse through";
    QTest::mouseClick(&button, Qt::LeftButton, {}, onCaption);
    EXPECT_EQ(log.events, pressReleaseClick);
}

TEST(PictureButtonTest, FontAndForeColourDressTheCaption)
{
    uctButton button;
    QFont font(QStringLiteral("Arial"), 11);
    font.setBold(true);
    button.Font(font);
    button.ForeColor(QColor(0x80, 0, 0));
    button.Caption(QStringLiteral("OK"));
    EXPECT_EQ(button.Font(), font);
    EXPECT_EQ(button.ForeColor(), QColor(0x80, 0, 0));
    auto* label = button.findChild<QLabel*>(QStringLiteral("lblText"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->font().bold());
}

TEST(PictureButtonTest, ToolTipTextIsTheWidgetsToolTip)
{
    usrButton button;
    button.ToolTipText(QStringLiteral("Lecture"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Lecture"));
    EXPECT_EQ(button.ToolTipText(), QStringLiteral("Lecture"));
}

}  // namespace
