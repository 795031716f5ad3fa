// The player object and the launch of a video: defaults, server types, sound
// and text mode, the pages, and every input the launch refuses.

#include "PlayerFixture.h"

#include "vidora/SequencePages.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QWebEngineView>

namespace vidoratest {
namespace {

using testsupport::FakeMediaPlayer;
using vidora::frmVideo;

TEST_F(PlayerTest, NewPlayerIsIdleWithItsDefaults)
{
    EXPECT_EQ(video->StateErrorEnCours(), 1);
    EXPECT_EQ(video->LastErrorNumber(), 0);
    EXPECT_EQ(video->LastError(), QString());
    EXPECT_EQ(video->TypeServeurDiffusion(), vidora::UNCSansServeur);
    EXPECT_EQ(video->TypeDeVideo(), QStringLiteral(".avi"));
    EXPECT_FALSE(video->ErreurModal());
    EXPECT_TRUE(video->AvecSon());
    EXPECT_EQ(video->VolumeInitial(), -1);
    ASSERT_NE(video->window(), nullptr);
    EXPECT_FALSE(window().isVisible());

    audioOutput = false;
    vidora::VidoraContext silent;
    silent.timers = &timers;
    silent.createPlayer = context.createPlayer;
    silent.hasAudioOutput = [] { return false; };
    vidora::CAsfVideoKav withoutSound(silent);
    EXPECT_FALSE(withoutSound.AvecSon()) << "sound mode exactly when there is an audio output";
}

TEST_F(PlayerTest, APlayerThatCannotBeMadeLeavesAnInertObject)
{
    context.createPlayer = [] { return std::unique_ptr<platform::MediaPlayer>(); };
    makePlayer();
    EXPECT_EQ(video->StateErrorEnCours(),
              basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_Initialize_ErreurInconnue);
    EXPECT_EQ(video->window(), nullptr);
    video->TitreFenetreVideo(QStringLiteral("sans fenêtre"));
    EXPECT_EQ(video->TitreFenetreVideo(), QString());
    EXPECT_EQ(launch(true), 0);
    EXPECT_EQ(video->LastErrorNumber(), platform::ObjectNotSet);
    EXPECT_FALSE(video->HideFrmVideo());
}

TEST_F(PlayerTest, ClearErrorLeavesTheHandlersInertUntilTheNextLaunch)
{
    ASSERT_EQ(launch(true), -1);
    video->ClearError();
    EXPECT_EQ(video->StateErrorEnCours(), 0);
    window().kavbtnQuitter_Click();
    window().kavbtnPause_MouseDown();
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(player->state(), testsupport::FakeMediaPlayer::State::Playing);

    ASSERT_EQ(launch(true), -1);
    window().kavbtnPause_MouseDown();
    EXPECT_EQ(player->state(), testsupport::FakeMediaPlayer::State::Paused) << "the refused pause was not kept as done";
}

TEST_F(PlayerTest, TextsGoToTheWindow)
{
    video->TitreFenetreVideo(QStringLiteral("Leçon 12"));
    video->lblAide(0, QStringLiteral("Lisez"));
    video->lblAide(1, QStringLiteral("Cliquez"));
    video->LblNoSeqToolTipText(QStringLiteral("Quitter la vidéo"));
    video->PlayToolTipText(QStringLiteral("Lecture"));
    video->Copyright(QStringLiteral("(c) quelqu'un"));
    EXPECT_EQ(video->TitreFenetreVideo(), QStringLiteral("Leçon 12"));
    EXPECT_EQ(window().lblAide(0)->text(), QStringLiteral("Lisez"));
    EXPECT_EQ(window().lblAide(1)->text(), QStringLiteral("Cliquez"));
    EXPECT_EQ(window().lblAide(2)->text(), QStringLiteral("- 1 -"));
    EXPECT_EQ(window().kavbtnQuitter()->toolTip(), QStringLiteral("Quitter la vidéo"));
    EXPECT_EQ(window().lblNoSeq()->toolTip(), QString()) << "the counter's tooltip never changes";
    EXPECT_EQ(window().kavbtnPlay()->toolTip(), QStringLiteral("Lecture"));

    video->lblAide(7, QStringLiteral("nulle part"));
    EXPECT_EQ(video->LastErrorNumber(), platform::SubscriptOutOfRange);
    EXPECT_EQ(video->StateErrorEnCours(), 1) << "a property's failure leaves the step code";
}

TEST_F(PlayerTest, EachServerTypeOpensItsSource)
{
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("Partage/Videos")));
    QFile clip(temp.filePath(QStringLiteral("Partage/Videos/lecon.avi")));
    ASSERT_TRUE(clip.open(QIODevice::WriteOnly));
    clip.close();
    QString share = temp.filePath(QStringLiteral("partage\\videos\\LECON.AVI"));

    struct Case {
        vidora::eTypeServeurDiffusion type;
        QString source;
        QUrl opened;
    };
    const Case cases[] = {
        {vidora::UNCSansServeur, share, QUrl::fromLocalFile(clip.fileName())},
        {vidora::MMSServeurMicrosoftMedia, QStringLiteral("mms://medias.example/lecon.asf"),
         QUrl(QStringLiteral("mms://medias.example/lecon.asf"))},
        {vidora::HTTPSansServeur, QStringLiteral("http://127.0.0.1:8080/videos/lecon.avi"),
         QUrl(QStringLiteral("http://127.0.0.1:8080/videos/lecon.avi"))},
        {vidora::UNCSansServeur, QString(), QUrl::fromLocalFile(QStringLiteral("kav"))},
    };
    for (const Case& c : cases) {
        video->TypeServeurDiffusion(c.type);
        video->AvecSon(true);
        EXPECT_EQ(video->LanceVideo(c.source, range, times, texts, 3, 0), -1) << c.source.toStdString();
        EXPECT_EQ(player->address(), c.opened) << c.source.toStdString();
        EXPECT_EQ(player->state(), FakeMediaPlayer::State::Playing);
    }
}

TEST_F(PlayerTest, SoundModeLaunchPlaysTheRangeAndShowsTheWindow)
{
    video->VolumeInitial(40000);
    ASSERT_EQ(launch(true), -1);
    EXPECT_EQ(video->StateErrorEnCours(), 1);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(context.hourglassShown);
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Playing);
    EXPECT_EQ(player->volume(), 40000);
    EXPECT_EQ(window().kavbtnPlay()->ButtonPosition(), Down);
    EXPECT_EQ(window().kavbtnPause()->ButtonPosition(), Up);
    EXPECT_EQ(window().kavbtnStop()->ButtonPosition(), Up);
    EXPECT_EQ(window().kavbtnSon()->ButtonPosition(), Down);
    EXPECT_EQ(window().kavbtnPrecedent()->ButtonPosition(), Disabled);
    EXPECT_EQ(window().kavbtnSuivant()->ButtonPosition(), Disabled);
    EXPECT_FALSE(window().WbTexteVideo()->isVisible());
    EXPECT_FALSE(window().fraAide()->isVisible());
    EXPECT_EQ(window().panelPicture(), QStringLiteral("Son"));
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("1/1"));
    EXPECT_EQ(window().sldVolume()->value(), 40000);
    EXPECT_TRUE(window().sldVolume()->isEnabled());
    EXPECT_EQ(window().lblVolume()->text(), QStringLiteral(" 61%"));
    EXPECT_TRUE(window().sequenceTimerRuns());
    EXPECT_TRUE(window().volumePollRuns());
}

TEST_F(PlayerTest, TextModeLaunchShowsTheStartSequenceAndWaitsForPlay)
{
    ASSERT_EQ(launch(false, 2), -1);
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Stopped) << "the learner reads first";
    EXPECT_EQ(player->position(), 20);
    EXPECT_TRUE(window().shownPage().endsWith(QStringLiteral("/HTM2.htm")));
    EXPECT_TRUE(window().WbTexteVideo()->isVisible());
    EXPECT_TRUE(window().fraAide()->isVisible());
    EXPECT_EQ(window().panelPicture(), QStringLiteral("Texte"));
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("3/3"));
    EXPECT_EQ(window().kavbtnSon()->ButtonPosition(), Up);
    EXPECT_EQ(window().kavbtnPrecedent()->ButtonPosition(), Up);
    EXPECT_EQ(window().kavbtnSuivant()->ButtonPosition(), Up);
    EXPECT_FALSE(window().sldVolume()->isEnabled());
    EXPECT_TRUE(window().timLunette());

    window().kavbtnPlay_MouseDown();
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Playing);
    EXPECT_EQ(player->volume(), 0) << "text mode is silent";
    EXPECT_FALSE(window().timLunette());
}

TEST_F(PlayerTest, NoSilentVersionForcesSoundModeWithoutPages)
{
    video->PasSansSon(true);
    ASSERT_EQ(launch(false), -1);
    EXPECT_TRUE(video->AvecSon());
    EXPECT_EQ(window().kavbtnSon()->ButtonPosition(), Disabled);
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("1/1"));
    EXPECT_TRUE(pageFiles().isEmpty());
    EXPECT_EQ(player->state(), FakeMediaPlayer::State::Playing);
}

TEST_F(PlayerTest, PagesLiveInAPrivateFolderUntilTheLearnerLeaves)
{
    ASSERT_EQ(launch(false), -1);
    const QString folder = window().pages().folder();
    EXPECT_TRUE(folder.startsWith(temp.path()));
    EXPECT_EQ(QFile::permissions(folder) & 0x0077, 0) << "the folder is the learner's alone";
    EXPECT_EQ(pageFiles(), (QStringList{QStringLiteral("HTM0.htm"), QStringLiteral("HTM1.htm"),
                                        QStringLiteral("HTM2.htm")}));
    QFile page(window().pages().pagePath(0));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(page.readAll()), texts.at(0)) << "the text exactly, nothing around it";
    EXPECT_EQ(page.permissions() & 0x0077, 0);

    vidora::CAsfVideoKav other(context);
    EXPECT_NE(other.window()->pages().pagePath(0), window().pages().pagePath(0));

    window().kavbtnQuitter_Click();
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(pageFiles().isEmpty());
    video.reset();
    EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(PlayerTest, ALaterVideoDropsTheSequencesOfTheEarlierOne)
{
    ASSERT_EQ(launch(false), -1);
    window().kavbtnQuitter_Click();
    times = {QStringLiteral("00:40:00-00:50:00")};
    texts = {QStringLiteral("<p>Seule</p>")};
    range = QStringLiteral("00:40:00#00:51:00");
    ASSERT_EQ(launch(false), -1);
    EXPECT_EQ(pageFiles(), QStringList{QStringLiteral("HTM0.htm")});
    EXPECT_EQ(context.puaadTimeOfSequences[1][1], 0);
    EXPECT_EQ(window().lblNoSeq()->text(), QStringLiteral("1/1"));
}

TEST_F(PlayerTest, RefusedLaunchesReportTheStepAndHideTheWindow)
{
    QStringList twentyOne;
    for (int i = 0; i < 21; ++i)
        twentyOne.append(QStringLiteral("00:%1:00-00:%2:00").arg(i, 2, 10, QLatin1Char('0')).arg(i + 1, 2, 10, QLatin1Char('0')));
    struct Case {
        const char* what;
        QString range;
        QStringList times;
        short count;
        long start;
        long step;
    };
    const Case cases[] = {
        {"a range too short", QStringLiteral("00:00:00#00:31"), times, 3, 0,
         basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionTiming},
        {"a range of letters", QStringLiteral("aa:bb:cc#dd:ee:ff"), times, 3, 0,
         basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionTiming},
        {"a range backwards", QStringLiteral("00:31:00#00:00:00"), times, 3, 0,
         basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionTiming},
        {"a range of one second", QStringLiteral("00:10:00#00:11:00"), times, 3, 0,
         basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionTiming},
        {"21 sequences", range, twentyOne, 21, 0,
         basalo::enuFunctionReturnState_VVidora_Fonctions_puMiseEnFormeDesTiming_ErreurInconnue},
        {"a sequence backwards", range, {QStringLiteral("00:20:00-00:10:00")}, 1, 0,
         basalo::enuFunctionReturnState_VVidora_Fonctions_puMiseEnFormeDesTiming_ErreurInconnue},
        {"a start sequence past the last", range, times, 3, 3,
         basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_PositionVideo},
        {"a start sequence below 0", range, times, 3, -1,
         basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_PositionVideo},
    };
    for (const bool withSound : {false, true}) {
        for (const Case& c : cases) {
            video->ClearError();
            video->AvecSon(withSound);
            video->ShowFrmVideo();
            EXPECT_EQ(video->LanceVideo(QStringLiteral("lecon.avi"), c.range, c.times, texts, c.count, c.start), 0)
                << c.what;
            EXPECT_EQ(video->StateErrorEnCours(), c.step) << c.what;
            EXPECT_NE(video->LastErrorNumber(), 0) << c.what;
            EXPECT_FALSE(video->LastError().isEmpty()) << c.what;
            EXPECT_FALSE(window().isVisible()) << c.what;
            EXPECT_FALSE(window().sequenceTimerRuns()) << c.what;
            EXPECT_FALSE(context.hourglassShown) << c.what;
            EXPECT_EQ(exits, 0) << c.what;
        }
    }
    ASSERT_EQ(launch(true), -1) << "a good launch after the refused ones";
    EXPECT_TRUE(window().isVisible());
}

TEST_F(PlayerTest, AnAddressThePlayerCannotOpenEndsTheLaunchWithItsReason)
{
    video->TypeServeurDiffusion(vidora::MMSServeurMicrosoftMedia);
    video->ShowFrmVideo();
    player->setOpenAtOnce(false);
    auto failing = timers.create(platform::Timer::Kind::SingleShot, [this] {
        player->failOpening(FakeMediaPlayer::Error::Resource, QStringLiteral("protocole mms non pris en charge"));
    });
    failing->start(std::chrono::milliseconds(300));
    EXPECT_EQ(video->LanceVideo(QStringLiteral("mms://medias.example/lecon.asf"), range, times, texts, 3, 0), 0);
    EXPECT_EQ(video->StateErrorEnCours(), basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_SetFile);
    EXPECT_EQ(video->LastError(), QStringLiteral("protocole mms non pris en charge"));
    EXPECT_FALSE(window().isVisible());
}

TEST_F(PlayerTest, APlaybackThatFailsToStartEndsTheLaunch)
{
    QObject::connect(player, &FakeMediaPlayer::stateChanged, [this](FakeMediaPlayer::State state) {
        if (state == FakeMediaPlayer::State::Playing)
            player->failOpening(FakeMediaPlayer::Error::Format, QStringLiteral("décodeur absent"));
    });
    EXPECT_EQ(launch(true), 0);
    EXPECT_EQ(video->StateErrorEnCours(),
              basalo::enuFunctionReturnState_VVidora_frmVideo_optTelecommandeClick_ErreurInconnue);
    EXPECT_EQ(video->LastError(), QStringLiteral("décodeur absent"));
    EXPECT_FALSE(window().isVisible());
}

TEST_F(PlayerTest, AnAddressThatNeverAnswersEndsTheLaunchAfterTheTimeOut)
{
    video->TypeServeurDiffusion(vidora::HTTPSansServeur);
    player->setOpenAtOnce(false);
    const auto before = clock.elapsed();
    EXPECT_EQ(video->LanceVideo(QStringLiteral("http://10.255.255.1/lecon.avi"), range, times, texts, 3, 0), 0);
    EXPECT_EQ(clock.elapsed() - before, context.openTimeout);
    EXPECT_EQ(video->StateErrorEnCours(), basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_SetFile);
    EXPECT_TRUE(video->LastError().contains(QStringLiteral("10.255.255.1")));
    EXPECT_EQ(player->openState(), FakeMediaPlayer::OpenState::Closed);
}

TEST_F(PlayerTest, AHostThatDropsThePlayerWhileTheVideoOpensGetsAFailure)
{
    player->setOpenAtOnce(false);
    auto dropping = timers.create(platform::Timer::Kind::SingleShot, [this] { video.reset(); });
    dropping->start(std::chrono::milliseconds(100));
    vidora::CAsfVideoKav* raw = video.get();
    EXPECT_EQ(raw->LanceVideo(QStringLiteral("lecon.avi"), range, times, texts, 3, 0), 0);
    EXPECT_EQ(video, nullptr);
    EXPECT_FALSE(context.hourglassShown);
}

TEST_F(PlayerTest, LaysTheWindowOutForLargerScreens)
{
    context.screenSize = [] { return QSize(800, 600); };
    ASSERT_EQ(launch(true), -1);
    const QRect designPlayer = window().videoOutput()->geometry();
    const QRect designPanel = window().picTelecommande()->geometry();
    EXPECT_EQ(designPlayer.left() - designPanel.right() - 1, 21);

    context.screenSize = [] { return QSize(1024, 768); };
    ASSERT_EQ(launch(true), -1);
    const QRect player = window().videoOutput()->geometry();
    const QRect panel = window().picTelecommande()->geometry();
    const QRect pane = window().WbTexteVideo()->geometry();
    EXPECT_EQ(player.left() - panel.right() - 1, 27) << "1024 × 21 / 800 = 26.88";
    EXPECT_EQ(panel.top(), player.top());
    EXPECT_EQ(pane.top(), player.bottom() + 1);
    EXPECT_EQ(pane.left(), player.left());
    EXPECT_EQ(player.top(), (768 - (frmVideo::playerHeight + frmVideo::paneHeight)) / 2);
    EXPECT_EQ(panel.left(), (1024 - (frmVideo::playerWidth + frmVideo::panelWidth + 27)) / 2);
}

}  // namespace
}  // namespace vidoratest
