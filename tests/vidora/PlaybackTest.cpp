// The window after the launch: playing, pausing, sequences, the switch, the
// position slider and every way out.

#include "PlayerFixture.h"

#include "vidora/SequencePages.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QSlider>
#include <QTest>
#include <QWebEngineView>

namespace vidoratest {
namespace {

using testsupport::FakeMediaPlayer;
using vidora::frmVideo;

TEST_F(PlayerTest, TextModePausesOnEachNextSequenceAndLeavesAfterTheLast)
{
    ASSERT_EQ(launch(false), -1);
    for (int sequence = 1; sequence < 3; ++sequence) {
        window().kavbtnPlay_MouseDown();
        playFor(10.1);
        EXPECT_EQ(player->state(), FakeMediaPlayer::State::Paused) << sequence;
        EXPECT_EQ(player->position(), sequence * 10) << sequence;
        EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("%1/3").arg(sequence + 1));
        EXPECT_TRUE(window().shownPage().endsWith(QStringLiteral("/HTM%1.htm").arg(sequence)));
        EXPECT_EQ(window().kavbtnPause()->ButtonPosition(), Down);
        EXPECT_EQ(window().kavbtnPlay()->ButtonPosition(), Up);
        EXPECT_TRUE(window().timLunette());
        EXPECT_EQ(exits, 0);
    }
    window().kavbtnPlay_MouseDown();
    playFor(5);
    EXPECT_EQ(window().sldTelecommande()->value(), 50) << "half of the third sequence";
    playFor(5.1);
    EXPECT_EQ(exits, 1) << "the end of the last sequence closes the window";
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(pageFiles().isEmpty());
    EXPECT_FALSE(window().sequenceTimerRuns());
    playFor(1);
    EXPECT_EQ(exits, 1);
}

TEST_F(PlayerTest, ASequenceOfNoLengthIsATextThatWaitsForPlay)
{
    times = {QStringLiteral("00:00:00-00:10:00"), QStringLiteral("00:10:00-00:10:00"),
             QStringLiteral("00:10:00-00:20:00")};
    ASSERT_EQ(launch(false), -1);
    window().kavbtnPlay_MouseDown();
    playFor(10.1);
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("2/3"));
    EXPECT_TRUE(window().shownPage().endsWith(QStringLiteral("/HTM1.htm")));
    playFor(2);
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("2/3")) << "its text waits for the learner";
    EXPECT_EQ(window().sldTelecommande()->value(), 0);

    window().kavbtnPlay_MouseDown();
    playFor(0.1);
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("3/3"));
    EXPECT_TRUE(window().shownPage().endsWith(QStringLiteral("/HTM2.htm")));
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Paused);
    EXPECT_EQ(player->position(), 10);
    EXPECT_EQ(exits, 0);
}

TEST_F(PlayerTest, SoundModePlaysTheRangeAndLeavesOneSecondBeforeItsEnd)
{
    ASSERT_EQ(launch(true), -1);
    playFor(15);
    EXPECT_EQ(window().sldTelecommande()->value(), 50);
    EXPECT_TRUE(window().lblTime()->text().startsWith(QStringLiteral(" 0:15:")));
    EXPECT_EQ(exits, 0);
    playFor(15.1);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(PlayerTest, AVideoShorterThanItsRangeEndsInSoundModeAndKeepsItsTextsInTextMode)
{
    player->setMediaDuration(12);
    ASSERT_EQ(launch(true), -1);
    playFor(13);
    EXPECT_EQ(exits, 1);

    // The document stops in the middle of the second sequence: the third
    // one's text is still shown, and the window waits for the learner.
    player->setMediaDuration(15);
    ASSERT_EQ(launch(false), -1);
    window().kavbtnPlay_MouseDown();
    playFor(10.1);
    window().kavbtnPlay_MouseDown();
    playFor(6);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("3/3"));
    EXPECT_TRUE(window().shownPage().endsWith(QStringLiteral("/HTM2.htm")));
    EXPECT_EQ(window().kavbtnPause()->ButtonPosition(), Down);
    playFor(3);
    EXPECT_EQ(exits, 1) << "the text waits as long as the learner reads";

    // Play on a sequence past the document's end: it has played, and it was the last.
    window().kavbtnPlay_MouseDown();
    playFor(0.1);
    EXPECT_EQ(exits, 2);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(PlayerTest, NextAndPreviousMoveBetweenSequencesInTextModeOnly)
{
    ASSERT_EQ(launch(false), -1);
    window().kavbtnPrecedent_Click();
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("1/3"));
    EXPECT_TRUE(window().timLunette());

    window().kavbtnPlay_MouseDown();
    window().kavbtnSuivant_Click();
    EXPECT_EQ(player->position(), 10);
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Paused);
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("2/3"));
    EXPECT_TRUE(window().shownPage().endsWith(QStringLiteral("/HTM1.htm")));
    window().kavbtnSuivant_Click();
    window().setTimLunette(false);
    window().kavbtnSuivant_Click();
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("3/3")) << "no sequence after the last";
    EXPECT_TRUE(window().timLunette()) << "the reading flag is set even without a move";
    window().kavbtnPrecedent_Click();
    EXPECT_EQ(player->position(), 10);

    ASSERT_EQ(launch(true), -1);
    window().kavbtnSuivant_Click();
    window().cmdTelecommande_Click(frmVideo::tcSequenceAvant);
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Playing) << "no sequences in sound mode";
}

TEST_F(PlayerTest, PauseAndStopMirrorTheirStateOnTheButtons)
{
    ASSERT_EQ(launch(true), -1);
    playFor(4);
    window().kavbtnPause_MouseDown();
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Paused);
    EXPECT_EQ(window().kavbtnPlay()->ButtonPosition(), Up);
    EXPECT_EQ(window().kavbtnPause()->ButtonPosition(), Down);
    window().kavbtnPause_MouseDown();
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Paused) << "a selected option does nothing";

    window().kavbtnStop_MouseDown();
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Stopped);
    EXPECT_EQ(player->position(), 0);
    EXPECT_EQ(window().kavbtnStop()->ButtonPosition(), Down);
    EXPECT_EQ(window().kavbtnPause()->ButtonPosition(), Up);
    EXPECT_EQ(window().sldTelecommande()->value(), 0);
    EXPECT_FALSE(window().sequenceTimerRuns());

    window().kavbtnPlay()->press();
    window().kavbtnPlay()->release();
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Playing);
    EXPECT_EQ(window().kavbtnPlay()->ButtonPosition(), Down);
    EXPECT_EQ(window().kavbtnPlay()->Picture().toImage(), window().kavbtnPlay()->PictureDOWN().toImage())
        << "the button keeps its look after the release";
}

TEST_F(PlayerTest, TheSwitchStopsAndRewindsAndTextModeStaysSilent)
{
    video->VolumeInitial(30000);
    ASSERT_EQ(launch(true), -1);
    playFor(4);
    window().kavbtnSon_Click();
    EXPECT_FALSE(video->AvecSon());
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Stopped);
    EXPECT_EQ(player->position(), 0);
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("1/3"));
    EXPECT_TRUE(window().shownPage().endsWith(QStringLiteral("/HTM0.htm")));
    EXPECT_EQ(window().panelPicture(), QStringLiteral("Texte"));
    EXPECT_FALSE(window().sldVolume()->isVisibleTo(&window()));
    EXPECT_EQ(window().kavbtnSon()->ButtonPosition(), Up);
    EXPECT_EQ(window().kavbtnStop()->ButtonPosition(), Down);
    window().kavbtnPlay_MouseDown();
    playFor(1);
    EXPECT_EQ(player->volume(), 0);

    window().kavbtnSon_Click();
    EXPECT_TRUE(video->AvecSon());
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Stopped);
    EXPECT_EQ(player->volume(), 30000);
    EXPECT_EQ(window().kavbtnSon()->ButtonPosition(), Down);
    EXPECT_EQ(window().kavbtnPrecedent()->ButtonPosition(), Disabled);
    EXPECT_TRUE(window().sldVolume()->isVisibleTo(&window()));
}

TEST_F(PlayerTest, ThePositionSliderSeeksWithinTheRangeOrTheSequence)
{
    ASSERT_EQ(launch(true), -1);
    window().sldTelecommande_MouseDown();
    EXPECT_FALSE(window().sequenceTimerRuns());
    window().sldTelecommande()->setValue(50);
    window().sldTelecommande_MouseUp();
    EXPECT_EQ(player->position(), 15);
    EXPECT_TRUE(window().sequenceTimerRuns());

    ASSERT_EQ(launch(false, 1), -1);
    window().sldTelecommande()->setValue(50);
    window().sldTelecommande_MouseUp();
    EXPECT_EQ(player->position(), 15);
}

TEST_F(PlayerTest, AClickBesideTheSlidersHandleSeeksThere)
{
    ASSERT_EQ(launch(true), -1);
    playFor(3);
    QSlider& slider = *window().sldTelecommande();
    // On the right half of the groove: the slider moves a page on, and the
    // video follows when the button is let go.
    const QPoint right(slider.width() - 5, slider.height() / 2);
    QTest::mousePress(&slider, Qt::LeftButton, {}, right);
    EXPECT_FALSE(window().sequenceTimerRuns());
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, right);
    ASSERT_GT(slider.value(), 10);
    EXPECT_EQ(player->position(), 30.0 * slider.value() / slider.maximum());
    EXPECT_TRUE(window().sequenceTimerRuns());
    playFor(0.1);
    EXPECT_GE(slider.value(), 20) << "the next tick keeps the place clicked";
}

TEST_F(PlayerTest, EveryWayOutRaisesExitVideoOnce)
{
    struct Way {
        const char* what;
        std::function<void()> leave;
    };
    const Way ways[] = {
        {"quit button", [this] { window().kavbtnQuitter()->click(); }},
        {"close box", [this] { window().close(); }},
        {"close box after ClearError",
         [this] {
             video->ClearError();
             window().close();
         }},
        {"end of the video", [this] { playFor(31); }},
    };
    for (const bool hostDropsPlayer : {false, true}) {
        for (const Way& way : ways) {
            makePlayer();
            exits = 0;
            QPointer<frmVideo> shown = video->window();
            if (hostDropsPlayer)
                QObject::connect(video.get(), &vidora::CAsfVideoKav::ExitVideo, [this] { video.reset(); });
            ASSERT_EQ(launch(true), -1) << way.what;
            way.leave();
            EXPECT_EQ(exits, 1) << way.what;
            EXPECT_TRUE(shown.isNull() || !shown->isVisible()) << way.what;
            EXPECT_TRUE(pageFiles().isEmpty()) << way.what;
            if (hostDropsPlayer) {
                EXPECT_EQ(video, nullptr) << way.what;
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                EXPECT_TRUE(shown.isNull()) << way.what << ": the window went once its handler returned";
                continue;
            }
            window().kavbtnQuitter_Click();
            window().close();
            playFor(1);
            EXPECT_EQ(exits, 1) << way.what << ": nothing more once out";
        }
    }
}

TEST_F(PlayerTest, APageThatCannotBeDeletedDoesNotStopTheExit)
{
    video->VolumeInitial(20000);
    ASSERT_EQ(launch(false), -1);
    // A folder in the page's place: no one, not even root, deletes it as a file.
    const QString page = window().pages().pagePath(1);
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(QDir().mkpath(page + QStringLiteral("/inside")));
    window().kavbtnQuitter_Click();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(video->VolumeInitial(), 20000);
    EXPECT_EQ(player->volume(), 65535);
    video.reset();
    EXPECT_FALSE(QFileInfo::exists(page)) << "the folder goes with the player";
}

TEST_F(PlayerTest, HideFrmVideoStopsTheVideoForGood)
{
    ASSERT_EQ(launch(true), -1);
    EXPECT_TRUE(video->HideFrmVideo());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Stopped);
    playFor(40);
    EXPECT_EQ(exits, 0);
    ASSERT_EQ(launch(true), -1) << "the next video plays again";
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Playing);
}

TEST_F(PlayerTest, ThePlayerGoingWithItsWindowOpenLeavesNothingBehind)
{
    video->VolumeInitial(20000);
    ASSERT_EQ(launch(false), -1);
    window().kavbtnPlay_MouseDown();
    const QString folder = window().pages().folder();
    window().shutDown();
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Stopped);
    EXPECT_EQ(player->volume(), 65535) << "the volume found at launch";
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_FALSE(window().isVisible());
    playFor(40);
    EXPECT_EQ(exits, 0);

    makePlayer();
    ASSERT_EQ(launch(true), -1);
    const QString second = window().pages().folder();
    video.reset();
    EXPECT_FALSE(QDir(second).exists());
    EXPECT_EQ(exits, 0);
}

}  // namespace
}  // namespace vidoratest
