// The media window's video controls: play, pause and stop, the position
// slider and tick up to the end step, the sound, help and quit buttons, and
// the session's way back when the window is closed.

#include "MediaWindowFixture.h"

#include "lumaro/player/MediaSession.h"

#include <QCoreApplication>
#include <QFrame>
#include <QSlider>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

using testsupport::MediaWindowFixture;

class MediaPlaybackTest : public MediaWindowFixture {
protected:
    QSlider& slider() const { return *testsupport::part<QSlider>(*window, "sldAvancement"); }
    // The learner drags the slider to that value and lets it go.
    void drag(int value)
    {
        window->sldAvancement_MouseDown();
        slider().setValue(value);
        window->sldAvancement_MouseUp();
    }
};

// The session as the window sees it, recording its ways back.
class RecordingSession final : public lumaro::MediaSession {
public:
    explicit RecordingSession(std::function<void()> onReturn = {}) : onReturn_(std::move(onReturn)) {}
    bool RetourAfficherAideManager() override
    {
        calls << QStringLiteral("aide");
        if (onReturn_)
            onReturn_();
        return true;
    }
    bool RetourAfficherVideoManager() override
    {
        calls << QStringLiteral("video");
        if (onReturn_)
            onReturn_();
        return true;
    }
    QStringList calls;

private:
    std::function<void()> onReturn_;
};

TEST_F(MediaPlaybackTest, PlayPauseAndStopFollowThePlayerStates)
{
    ASSERT_TRUE(show(lesson()));
    player.advance(10);
    player.clearCalls();

    window->optMediaPlay_Click(1);
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Paused);
    EXPECT_EQ(playLooks(), (std::vector<long>{1, 2, 1}));
    EXPECT_FALSE(window->pibMediaIsPlaying());

    // Stop acts only on a playing video; pause only on a playing one too.
    window->optMediaPlay_Click(2);
    window->optMediaPlay_Click(1);
    EXPECT_EQ(player.position(), 10);
    EXPECT_EQ(playLooks(), (std::vector<long>{1, 2, 1}));

    window->optMediaPlay_Click(0);
    EXPECT_EQ(playLooks(), (std::vector<long>{2, 1, 1}));
    window->optMediaPlay_Click(0);
    window->optMediaPlay_Click(2);
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Stopped);
    EXPECT_EQ(player.position(), 0);
    EXPECT_EQ(playLooks(), (std::vector<long>{1, 1, 2}));
    window->optMediaPlay_Click(7);
    EXPECT_EQ(player.calls(), QStringList({"pause", "play", "stop", "seek 0"}));
}

TEST_F(MediaPlaybackTest, PictureButtonsDriveThePlayer)
{
    ASSERT_TRUE(show(lesson()));
    testsupport::part<toolkit::uctButton>(*window, "kavbtnPause")->click();
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Paused);
    testsupport::part<toolkit::uctButton>(*window, "kavbtnPlay")->click();
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Playing);
    testsupport::part<toolkit::uctButton>(*window, "kavbtnStop")->click();
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Stopped);
}

TEST_F(MediaPlaybackTest, TickFollowsThePositionAndTheSliderMovesTheVideo)
{
    ASSERT_TRUE(show(lesson()));  // Duree 00:02:00
    player.advance(30);
    tick();
    EXPECT_EQ(slider().value(), 25);

    player.clearCalls();
    window->sldAvancement_MouseDown();
    EXPECT_FALSE(window->isTimerVideoActive());
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Paused);
    slider().setValue(50);
    window->sldAvancement_MouseUp();
    EXPECT_EQ(player.calls(), QStringList({"pause", "seek 60", "play"}));
    EXPECT_TRUE(window->isTimerVideoActive());
    EXPECT_EQ(playLooks(), (std::vector<long>{2, 1, 1}));

    // A paused video dragged plays again from the new place.
    window->optMediaPlay_Click(1);
    drag(10);
    EXPECT_EQ(player.position(), 12);
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Playing);
}

TEST_F(MediaPlaybackTest, MouseOnTheSliderMovesTheVideo)
{
    ASSERT_TRUE(show(lesson()));
    window->show();
    player.clearCalls();
    // A click beside the handle, on the right half of the groove, moves the
    // slider one page on; the video follows when the button is let go.
    const QPoint right(slider().width() - 5, slider().height() / 2);
    QTest::mousePress(&slider(), Qt::LeftButton, {}, right);
    EXPECT_FALSE(window->isTimerVideoActive());
    QTest::mouseRelease(&slider(), Qt::LeftButton, {}, right);
    ASSERT_GT(slider().value(), 0);
    EXPECT_EQ(player.calls(), QStringList({"pause", "seek " + QString::number(slider().value() / 100.0 * 120), "play"}));
    EXPECT_TRUE(window->isTimerVideoActive());
}

TEST_F(MediaPlaybackTest, EndOfALessonWithBooksPausesOnceAndKeepsTheWindow)
{
    ASSERT_TRUE(show(lesson()));
    player.setMediaDuration(200);
    player.advance(119.9);
    tick();
    EXPECT_EQ(slider().value(), 100);  // 99.9 rounds up, but the end is not reached
    EXPECT_TRUE(window->isTimerVideoActive());

    player.clearCalls();
    player.advance(0.1);
    tick();
    EXPECT_EQ(slider().value(), 100);
    EXPECT_EQ(playLooks(), (std::vector<long>{1, 2, 1}));
    EXPECT_EQ(quitCount, 0);
    EXPECT_FALSE(window->isTimerVideoActive());
    clock.advanceSeconds(5);
    EXPECT_EQ(player.calls(), QStringList({"pause"}));
    EXPECT_EQ(timers.activeCount(), 0);
}

TEST_F(MediaPlaybackTest, PlayAfterTheEndReplaysAndPausesAtTheDurationAgain)
{
    ASSERT_TRUE(show(lesson()));
    player.setMediaDuration(200);
    player.advance(120);
    tick();
    ASSERT_FALSE(window->isTimerVideoActive());

    window->optMediaPlay_Click(0);
    EXPECT_EQ(player.position(), 0) << "the replay starts over";
    EXPECT_TRUE(window->isTimerVideoActive());
    player.advance(60);
    tick();
    EXPECT_EQ(slider().value(), 50);
    player.advance(60);
    tick();
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Paused);
    EXPECT_EQ(player.position(), 120);
    EXPECT_EQ(playLooks(), (std::vector<long>{1, 2, 1}));

    // Stopped on the way and played again, it still pauses at its Duree.
    window->optMediaPlay_Click(0);
    player.advance(30);
    window->optMediaPlay_Click(2);
    window->optMediaPlay_Click(0);
    EXPECT_EQ(player.position(), 0);
    player.advance(120);
    tick();
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Paused);
    EXPECT_EQ(player.position(), 120);
    EXPECT_EQ(quitCount, 0);
}

TEST_F(MediaPlaybackTest, EndOfASolutionOrOfAVideoAloneClosesTheWindow)
{
    struct Case {
        const char* name;
        std::shared_ptr<lumaro::Video> media;
        lumaro::TypeVideo type;
    };
    const Case cases[] = {
        {"solution with a book", videoAndBook(), lumaro::TypeCorrige},
        {"lesson with the video alone", media({{QStringLiteral("00:00:00"), video(QStringLiteral("v"))}}),
         lumaro::TypeLecon},
    };
    for (const auto& c : cases) {
        quitCount = 0;
        ASSERT_TRUE(show(c.media, 0, c.type)) << c.name;
        player.advance(120);
        tick();
        EXPECT_EQ(quitCount, 1) << c.name;
        EXPECT_EQ(player.openState(), platform::MediaPlayer::OpenState::Closed) << c.name;
        EXPECT_FALSE(window->isTimerVideoActive()) << c.name;
    }
}

TEST_F(MediaPlaybackTest, AVideoLongerThanItsDurationEndsAtTheDuration)
{
    ASSERT_TRUE(show(media({{QStringLiteral("00:00:00"), video(QStringLiteral("v"), QStringLiteral("00:00:30"))}})));
    player.setMediaDuration(60);
    player.advance(29.95);
    tick();
    EXPECT_EQ(quitCount, 0);
    player.advance(0.05);
    tick();
    EXPECT_EQ(quitCount, 1);

    // A file shorter than its duration stops at its own end without the end step.
    ASSERT_TRUE(show(media({{QStringLiteral("00:00:00"), video(QStringLiteral("v"), QStringLiteral("00:01:30"))}})));
    player.advance(60);
    clock.advanceSeconds(2);
    EXPECT_EQ(quitCount, 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MediaPlaybackTest, HelpOverAPlayingVideoClosesItAndLeavingItPlaysOnAtTheSameSecond)
{
    window->URLHelp(QStringLiteral("http://127.0.0.1:8080/WS/pluginhelp.aspx?plug_hlp=2"));
    ASSERT_TRUE(show(videoAndBook()));
    player.advance(30.6);
    player.clearCalls();

    window->imgAide_Click();
    EXPECT_TRUE(window->pibAideAffichee());
    EXPECT_EQ(position("kavbtnAide"), 2);
    EXPECT_FALSE(widget("kavbtnVideo")->isVisible());
    EXPECT_FALSE(widget("kavbtnLivre")->isVisible());
    EXPECT_FALSE(window->MoviePlayer()->isVisible());
    EXPECT_FALSE(widget("picMplayerControl")->isVisible());
    EXPECT_TRUE(window->HTMLViewer()->isVisible());
    EXPECT_EQ(window->viewerAddress(), QUrl(window->URLHelp()));
    EXPECT_EQ(player.openState(), platform::MediaPlayer::OpenState::Closed);
    EXPECT_FALSE(window->isTimerVideoActive());
    EXPECT_TRUE(window->isEnabled());

    // The player reads the document again before it can seek in it.
    player.setOpenAtOnce(false);
    player.clearCalls();
    window->imgAide_Click();
    EXPECT_FALSE(window->pibAideAffichee());
    EXPECT_EQ(position("kavbtnAide"), 1);
    EXPECT_TRUE(widget("kavbtnVideo")->isVisible());
    EXPECT_TRUE(widget("kavbtnLivre")->isVisible());
    EXPECT_TRUE(window->MoviePlayer()->isVisible());
    player.finishOpening();
    EXPECT_EQ(player.calls(), QStringList({"open " + local("lecon12.avi").toString(), "play", "seek 31"}));
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Playing);
    EXPECT_TRUE(window->isTimerVideoActive());
}

TEST_F(MediaPlaybackTest, HelpOverABookBringsTheBookBack)
{
    window->URLHelp(QStringLiteral("http://127.0.0.1:8080/aide"));
    ASSERT_TRUE(show(videoAndBook(), 1));
    player.clearCalls();
    window->imgAide_Click();
    EXPECT_EQ(window->viewerAddress(), QUrl(QStringLiteral("http://127.0.0.1:8080/aide")));
    window->imgAide_Click();
    EXPECT_EQ(window->viewerAddress(), local("copier-coller.htm"));
    EXPECT_TRUE(player.calls().isEmpty());
}

TEST_F(MediaPlaybackTest, ClosingTakesTheSessionsWayBackForEachMode)
{
    RecordingSession session;
    lumaro::connectQuitter(*window, session);

    ASSERT_TRUE(show(lesson()));
    window->imgQuitter_Click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(player.openState(), platform::MediaPlayer::OpenState::Closed);
    EXPECT_FALSE(window->isTimerVideoActive());

    window->AfficheHelpForKavBarre();
    window->imgQuitter_Click();
    EXPECT_FALSE(window->isVisible());

    // The end of a video alone closes the window the same way.
    ASSERT_TRUE(show(media({{QStringLiteral("00:00:00"), video(QStringLiteral("v"))}})));
    player.advance(120);
    tick();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session.calls, QStringList({"video", "aide", "video"}));
}

TEST_F(MediaPlaybackTest, ClosingTheWindowFromItsFrameIsTheQuitButton)
{
    RecordingSession session;
    lumaro::connectQuitter(*window, session);
    ASSERT_TRUE(show(lesson()));
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(player.openState(), platform::MediaPlayer::OpenState::Closed);
    EXPECT_EQ(session.calls, QStringList({"video"}));
    EXPECT_FALSE(window->close());
    EXPECT_EQ(session.calls, QStringList({"video"}));
}

TEST_F(MediaPlaybackTest, QuittingWithTheHelpPageShownRestoresTheBarFirst)
{
    bool barRestored = false;
    RecordingSession session([&] {
        barRestored = widget("kavbtnLivre")->isVisibleTo(window.get()) &&
                      widget("kavbtnVideo")->isVisibleTo(window.get()) && position("kavbtnAide") == 1 &&
                      !window->pibAideAffichee();
    });
    lumaro::connectQuitter(*window, session);
    ASSERT_TRUE(show(videoAndBook()));
    window->imgAide_Click();
    window->imgQuitter_Click();
    EXPECT_TRUE(barRestored);
    EXPECT_EQ(session.calls, QStringList({"video"}));
}

TEST_F(MediaPlaybackTest, AVideoThePlayerCannotReadStopsAndSaysSo)
{
    player.setOpenAtOnce(false);
    ASSERT_TRUE(show(lesson()));
    player.failOpening(platform::MediaPlayer::Error::Resource, QStringLiteral("fichier introuvable"));
    EXPECT_FALSE(window->isTimerVideoActive());
    EXPECT_EQ(playLooks(), (std::vector<long>{1, 1, 2}));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts(),
              QStringList({"Une erreur est survenue. Référence de l'erreur : 22561 : fichier introuvable"}));
    EXPECT_EQ(context.lastError.number(), 53);
    EXPECT_EQ(quitCount, 0) << "the books are still there to read";

    // A book on display is not the player's: its errors change nothing there.
    complements().setCurrentIndex(1);
    window->cmbComplements_Click();
    player.open(QUrl(QStringLiteral("file:///autre.avi")));
    player.failOpening(platform::MediaPlayer::Error::Format, QStringLiteral("illisible"));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts().size(), 1);
}

TEST_F(MediaPlaybackTest, AVideoAloneThatCannotBePlayedClosesItsWindowAfterTheMessage)
{
    player.setOpenAtOnce(false);
    ASSERT_TRUE(show(media({{QStringLiteral("00:00:00"), video(QStringLiteral("v"))}})));
    int boxesAtQuit = -1;
    QObject::connect(window.get(), &lumaro::frmMedia::Quitter, [this, &boxesAtQuit] { boxesAtQuit = int(boxes.texts().size()); });
    player.failOpening(platform::MediaPlayer::Error::Format, QStringLiteral("Internal data stream error."));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts(),
              QStringList({"Une erreur est survenue. Référence de l'erreur : 22561 : Internal data stream error."}));
    EXPECT_EQ(quitCount, 1);
    EXPECT_EQ(boxesAtQuit, 1) << "the message comes first";
    EXPECT_EQ(player.openState(), platform::MediaPlayer::OpenState::Closed);
}

TEST_F(MediaPlaybackTest, AVideoWithoutSoundOutputPlaysAndTheTraceSaysSo)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    player.setSoundOutput(false);
    ASSERT_TRUE(show(lesson()));
    context.levelTracelage(0);
    EXPECT_EQ(player.state(), platform::MediaPlayer::State::Playing);
    EXPECT_TRUE(window->isTimerVideoActive());
    EXPECT_TRUE(QString::fromUtf8(readFile(QStringLiteral("Lumaro.htm")))
                    .contains(QStringLiteral("Pas de sortie son sur ce poste : la vidéo est lue sans son")));
}

TEST_F(MediaPlaybackTest, SoundButtonSetsThePlayersOwnVolume)
{
    ASSERT_TRUE(show(lesson()));
    player.setVolume(40000);
    window->kavbtnSon_Click();
    auto* volume = testsupport::part<QFrame>(*window, "frmVolume");
    auto* level = testsupport::part<QSlider>(*window, "sldVolume");
    ASSERT_TRUE(volume->isVisible());
    EXPECT_EQ(level->value(), 40000);
    level->setValue(1000);
    EXPECT_EQ(player.volume(), 1000);
    EXPECT_EQ(level->maximum(), 65535);
}

}  // namespace
