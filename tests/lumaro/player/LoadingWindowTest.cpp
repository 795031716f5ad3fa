// The loading window: its layout, the percentage bar, the drag, the refused
// close, and the player's four operations on it with and without a window.

#include "lumaro/model/LumaroContext.h"
#include "lumaro/player/LoadingWindowHost.h"
#include "lumaro/player/frmLoading.h"

#include "platform/Twips.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"
#include "support/WidgetPart.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using testsupport::part;
using lumaro::frmLoading;

// Twips of the design to the screen's pixels.
QRect pixels(int left, int top, int width, int height)
{
    const int x = platform::twipsPerPixelX();
    const int y = platform::twipsPerPixelY();
    return QRect(left / x, top / y, width / x, height / y);
}

TEST(LoadingWindowTest, IsATopmostWindowWithoutTitleBarLaidOutAsDesigned)
{
    frmLoading window;
    window.Prepare(QStringLiteral("F"));
    window.show();
    EXPECT_EQ(window.size(), pixels(0, 0, 5595, 1485).size());
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(part(window, "lblMessage")->geometry(), pixels(1260, 240, 3975, 675));
    EXPECT_EQ(part(window, "imgAnime")->geometry(), pixels(360, 240, 750, 810));
    EXPECT_EQ(part(window, "lblPourcent")->geometry(), pixels(240, 1140, 975, 195));
    EXPECT_EQ(part(window, "Shape1")->geometry(), pixels(1320, 1140, 4000, 195));
    EXPECT_FALSE(part(window, "imgAvancement")->isVisible());
}

TEST(LoadingWindowTest, PercentageIsHeldWithinTheFrame)
{
    struct Case {
        long percent;
        const char* text;
        bool bar;
        int widthTwips;
    };
    const Case cases[] = {
        {-5, "", false, 0},        {0, "", false, 0},           {1, "1%", true, 40},
        {50, "50%", true, 2000},   {100, "100%", true, 4000},   {250, "100%", true, 4000},
        {2147483647, "100%", true, 4000},
    };
    frmLoading window;
    window.show();
    const QRect frame = part(window, "Shape1")->geometry();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        window.SetPourcentLoading(c.percent);
        EXPECT_EQ(part<QLabel>(window, "lblPourcent")->text(), QString::fromLatin1(c.text));
        QWidget* bar = part(window, "imgAvancement");
        EXPECT_EQ(bar->isVisible(), c.bar);
        if (c.bar) {
            EXPECT_EQ(bar->geometry(), QRect(frame.topLeft(), QSize(frame.width() * c.widthTwips / 4000, frame.height())));
        }
    }
}

TEST(LoadingWindowTest, LearnerDragsItButCannotCloseIt)
{
    frmLoading window;
    window.Prepare(QStringLiteral("F"));
    window.show();
    window.close();
    EXPECT_TRUE(window.isVisible()) << "the close is refused";

    window.beginDrag(QPoint(100, 100));
    EXPECT_EQ(window.cursor().shape(), Qt::SizeAllCursor);
    window.dragTo(QPoint(150, 130));
    EXPECT_EQ(window.pos(), QPoint(50, 30));
    window.endDrag();
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    window.dragTo(QPoint(300, 300));
    EXPECT_EQ(window.pos(), QPoint(50, 30)) << "no drag once released";

    // A press on the message label drags the window too.
    QWidget* label = part(window, "lblMessage");
    QTest::mousePress(&window, Qt::LeftButton, {}, label->geometry().center());
    EXPECT_EQ(window.cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, label->geometry().center());
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST(LoadingWindowTest, WritesScreenshotsOfTheTrainingAndEvaluationLooks)
{
    const std::pair<const char*, const char*> looks[] = {{"F", "frmLoading-training"}, {"E", "frmLoading-evaluation"}};
    for (const auto& [kind, name] : looks) {
        frmLoading window;
        window.Prepare(QString::fromLatin1(kind));
        window.setMessage(QStringLiteral("Chargement du module en cours.\r\nVeuillez patienter..."));
        window.SetPourcentLoading(50);
        window.show();
        EXPECT_FALSE(testsupport::saveScreenshot(window, QString::fromLatin1(name)).isEmpty());
    }
}

class LoadingWindowHostTest : public testsupport::TempDirTest {
protected:
    QString trace() const { return QString::fromUtf8(readFile("Lumaro.htm")); }
    lumaro::LumaroContext context;
};

TEST_F(LoadingWindowHostTest, SettersWithoutAWindowOnlyTraceAndTerminateIsHarmless)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    lumaro::LoadingWindowHost host(context.trace);
    host.SetMessageLoading(QStringLiteral("Chargement"));
    host.SetPourcentLoading(40);
    host.TerminateFrmLoading();
    host.TerminateFrmLoading();
    EXPECT_EQ(host.window(), nullptr);
    context.levelTracelage(0);
    const QString text = trace();
    EXPECT_TRUE(text.contains(QStringLiteral("SetMessageLoading : pas de fenêtre de chargement")));
    EXPECT_TRUE(text.contains(QStringLiteral("SetPourcentLoading : pas de fenêtre de chargement")));
}

TEST_F(LoadingWindowHostTest, EachPrepareOpensAFreshWindowThatTerminateEnds)
{
    lumaro::LoadingWindowHost host(context.trace);
    host.PrepareFrmLoading(QStringLiteral("E"));
    QPointer<frmLoading> first = host.window();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    host.SetMessageLoading(QStringLiteral("Téléchargement : 1 sur 2"));
    host.SetPourcentLoading(250);
    EXPECT_EQ(first->message(), QStringLiteral("Téléchargement : 1 sur 2"));
    EXPECT_EQ(part<QLabel>(*first, "lblPourcent")->text(), QStringLiteral("100%"));

    host.PrepareFrmLoading(QStringLiteral("F"));
    EXPECT_TRUE(first.isNull()) << "the earlier window goes";
    ASSERT_NE(host.window(), nullptr);
    EXPECT_EQ(host.window()->message(), QString());

    QPointer<frmLoading> second = host.window();
    host.TerminateFrmLoading();
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(host.window(), nullptr);
}

}  // namespace
