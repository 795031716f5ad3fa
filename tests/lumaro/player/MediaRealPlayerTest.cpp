// The media window on the real player and the real web view, offscreen: the
// sample clip played to its end step, and pictures of the window.

#include "MediaWindowFixture.h"

#include "platform/EventLoopWait.h"
#include "platform/MessageBoxes.h"
#include "platform/QtMediaPlayer.h"
#include "platform/QtTimers.h"
#include "support/Screenshot.h"
#include "support/WidgetPart.h"

#include <QSlider>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

const QString sampleMedia = QStringLiteral(SAMPLES_DIR "/media/");

class MediaRealPlayerTest : public ::testing::Test {
protected:
    MediaRealPlayerTest()
    {
        testsupport::useSampleLanguage(context);
        window = std::make_unique<lumaro::frmMedia>(context, player, timers, boxes);
        window->placeOnScreen(QSize(1024, 768));
        QObject::connect(window.get(), &lumaro::frmMedia::Quitter, [this] { ++quitCount; });
    }

    // The sample clip; with books, a main book and a complement beside it.
    static std::shared_ptr<lumaro::Video> lesson(const QString& duree, bool withBooks)
    {
        auto video = std::make_shared<lumaro::Video>();
        video->addSeq(QStringLiteral("00:00:00"),
                      QStringLiteral("<VIDEO><FILE FileName=\"lecon12\" Duree=\"%1\" Width=\"384\" Height=\"288\"/></VIDEO>")
                          .arg(duree),
                      1);
        if (withBooks) {
            video->addSeq(QStringLiteral("01:00:00"),
                          QStringLiteral("<LIVRE><FILE FileName=\"copier-coller\" Extension=\".htm\"/></LIVRE>"), 2);
            video->addSeq(QStringLiteral("02:00:00"),
                          QStringLiteral("<LIVRE><FILE FileName=\"raccourcis\" Extension=\".htm\" "
                                         "Title=\"Les raccourcis clavier\"/></LIVRE>"),
                          3);
        }
        return video;
    }

    lumaro::LumaroContext context;
    platform::QtMediaPlayer player;
    platform::QtTimers timers;
    platform::ScriptedMessageBoxes boxes;
    std::unique_ptr<lumaro::frmMedia> window;
    int quitCount = 0;
};

TEST_F(MediaRealPlayerTest, SampleClipPlaysToItsEndStepAndTheWindowCloses)
{
    ASSERT_TRUE(window->Affiche(lesson(QStringLiteral("00:00:03"), false), 0, sampleMedia, QStringLiteral(".avi"),
                                lumaro::TypeLecon));
    ASSERT_TRUE(platform::waitUntil([this] { return quitCount > 0; }, 15s))
        << "position " << player.position() << ", error " << player.errorText().toStdString();
    EXPECT_EQ(quitCount, 1);
    EXPECT_EQ(testsupport::part<QSlider>(*window, "sldAvancement")->value(), 100);
    EXPECT_EQ(player.error(), platform::MediaPlayer::Error::None);
    EXPECT_EQ(player.openState(), platform::MediaPlayer::OpenState::Closed);
    EXPECT_FALSE(window->isTimerVideoActive());
}

TEST_F(MediaRealPlayerTest, PicturesOfTheWindowWithAVideoFrameAndWithABook)
{
    ASSERT_TRUE(window->Affiche(lesson(QStringLiteral("00:00:03"), true), 0, sampleMedia, QStringLiteral(".avi"),
                                lumaro::TypeLecon));
    ASSERT_TRUE(platform::waitUntil([this] { return player.position() >= 1.0; }, 10s));
    window->optMediaPlay_Click(1);
    platform::waitUntil([] { return false; }, 200ms);
    EXPECT_FALSE(testsupport::saveScreenshot(*window, QStringLiteral("media-window-video")).isEmpty());

    window->OptChoix_Click(1);
    EXPECT_FALSE(testsupport::saveScreenshot(*window, QStringLiteral("media-window-book")).isEmpty());
}

}  // namespace
