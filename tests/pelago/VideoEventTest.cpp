// The question player's events while a run plays: lesson and solution videos
// in the video player, quitting and finishing, and those the launcher leaves alone.

#include "LaunchFixture.h"

#include "hostsession/VideoDisplay.h"

#include "support/FakeMediaPlayer.h"
#include "support/FakeVideoPlayers.h"

#include "basalo/enuFunctionReturnState.h"
#include "vidora/CAsfVideoKav.h"
#include "vidora/VidoraContext.h"
#include "vidora/frmVideo.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

using namespace basalo;

class VideoEventTest : public pelagotest::LaunchTest {
protected:
    void SetUp() override
    {
        LaunchTest::SetUp();
        testsupport::useFakeVideoPlayers(vidoraContext_, timers_, mediaPlayer_,
                                         path(QStringLiteral("tmp")), QSize(800, 600));
        data_.vidora = &vidoraContext_;
    }

    void TearDown() override
    {
        LaunchTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A training module of one question playing, the question player's calls
    // forgotten; `prepare` sets the session up before the start.
    void play(const std::function<void()>& prepare = {})
    {
        serveReplies({{QStringLiteral("LMS/InfoQuestDuModule/1201.txt"), "#KAV_OK#|1211^1^0000:02^^^1^Copier^0"},
                      {QStringLiteral("LMS/InfoDll/1.txt"), "#KAV_OK#|EXERVA||A^1^Bravo !"},
                      {QStringLiteral("LMS/InfoQuestion/1211.txt"), "#KAV_OK#||"},
                      {QStringLiteral("LMS/InfoVideo/1211.txt"),
                       "#KAV_OK#|31^lecon12^00:03:00^L|00:00:00-00:01:00¤<p>un</p>¤1^"
                       "00:01:00-00:03:00¤<p>deux</p>¤2|32^corrige-couper^00:03:00^C|NO_SEQ"}});
        launch();
        if (prepare)
            prepare();
        ASSERT_TRUE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")));
        players_->calls.clear();
    }

    void askVideo(long question, lumaro::TypeVideo type)
    {
        long id = question;
        QString title = QStringLiteral("Vidéo");
        ASSERT_NE(players_->events, nullptr);
        players_->events->VisuVideo(id, type, title);
    }

    vidora::VidoraContext vidoraContext_;
    QPointer<testsupport::FakeMediaPlayer> mediaPlayer_;
};

TEST_F(VideoEventTest, LessonPlaysItsAviFileWhileTheQuestionWindowStepsAside)
{
    play();
    barre().ExtensionFichierVideo(QStringLiteral(".wmv"));
    askVideo(1211, lumaro::TypeLecon);
    EXPECT_EQ(players_->calls, QStringList{QStringLiteral("CacherBarrePourVideo")}) << players_->boxes.join(u'\n').toStdString();
    ASSERT_NE(barre().videoDisplay()->player(), nullptr);
    ASSERT_TRUE(mediaPlayer_);
    EXPECT_EQ(mediaPlayer_->address().toLocalFile(), QStringLiteral(SAMPLES_DIR "/media/lecon12.avi"));
    EXPECT_EQ(barre().videoDisplay()->player()->TitreFenetreVideo(), QStringLiteral("Vidéo"));

    barre().videoDisplay()->player()->window()->kavbtnQuitter_Click();
    EXPECT_EQ(players_->calls.last(), QStringLiteral("RetourAfficherVideo"));

    // The second video reuses the player.
    vidora::CAsfVideoKav* player = barre().videoDisplay()->player();
    askVideo(1211, lumaro::TypeLecon);
    EXPECT_EQ(barre().videoDisplay()->player(), player);
}

TEST_F(VideoEventTest, VideoThatCannotBePlayedIsToldAndTheWindowComesBack)
{
    struct Case {
        const char* name;
        long question;
        lumaro::TypeVideo type;
        long code;
        const char* text;
    };
    const Case cases[] = {
        {"solution file missing from the folder", 1211, lumaro::TypeCorrige,
         enuFunctionReturnState_Pelago_clsBarreManager_piAfficheVideo_BadUNCVideo, "corrige-couper.avi"},
        {"question without that video", 1299, lumaro::TypeLecon,
         enuFunctionReturnState_Pelago_clsBarreManager_piInitVVidora_ErreurInconnue, "1299"},
    };
    play();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        players_->calls.clear();
        players_->boxes.clear();
        askVideo(c.question, c.type);
        ASSERT_EQ(players_->boxes.size(), 1);
        const QString box = players_->boxes.front();
        EXPECT_TRUE(box.startsWith(QStringLiteral("Erreur connue : ") + QString::number(c.code) + QStringLiteral(" : ")))
            << box.toStdString();
        EXPECT_TRUE(box.contains(QLatin1String(c.text))) << box.toStdString();
        EXPECT_TRUE(box.endsWith(QStringLiteral(" / 9")));
        EXPECT_EQ(players_->calls, QStringList{QStringLiteral("RetourAfficherVideo")});
        EXPECT_EQ(data_.StateEnCours, pelago::StateBusy) << "the run goes on";
    }
}

TEST_F(VideoEventTest, CdRomVideoPlaysFromTheDiscAndAMissingOneIsNamed)
{
    const QString disc = mountDisc(true);
    play([this] { barre().MediaOnCDRom(true); });
    askVideo(1211, lumaro::TypeLecon);
    EXPECT_EQ(players_->calls, QStringList{QStringLiteral("CacherBarrePourVideo")}) << players_->boxes.join(u'\n').toStdString();
    ASSERT_TRUE(mediaPlayer_);
    EXPECT_EQ(mediaPlayer_->address().toLocalFile(), disc + QStringLiteral("MEDIAS/12F/LECON12.AVI"));
    barre().videoDisplay()->player()->window()->kavbtnQuitter_Click();

    players_->calls.clear();
    askVideo(1211, lumaro::TypeCorrige);
    ASSERT_EQ(players_->boxes.size(), 1);
    EXPECT_EQ(players_->boxes.front(),
              QStringLiteral("Erreur connue : %1 : La vidéo %2 est introuvable sur le CD-ROM. / 9")
                  .arg(enuFunctionReturnState_Pelago_clsBarreManager_piAfficheVideo_BadCDRomVideo)
                  .arg(disc + QStringLiteral("Medias/12F/corrige-couper.avi")));
    EXPECT_EQ(players_->calls, QStringList{QStringLiteral("RetourAfficherVideo")});
}

TEST_F(VideoEventTest, EventsTheLauncherLeavesAloneChangeNothing)
{
    play();
    QString file = QStringLiteral("aide.htm");
    players_->events->AfficherAide(file);
    QString none;
    players_->events->AfficherAide(none);
    players_->events->BoutonQuitterExoApp();
    players_->events->AfficherAideComplementaire();
    players_->events->FinVideo();
    runToEnd();
    EXPECT_TRUE(players_->calls.isEmpty());
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(data_.StateEnCours, pelago::StateBusy);
}

}  // namespace
