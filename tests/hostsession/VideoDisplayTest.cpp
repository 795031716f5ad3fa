// The video display that the plug-in and the launcher share: sound settings,
// the video's address or file, the player's launch and its end.

#include "hostsession/ModuleSession.h"
#include "hostsession/VideoDisplay.h"
#include "toolkit/KavReg.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Video.h"
#include "platform/RuntimeError.h"
#include "support/CaseName.h"
#include "support/FakeMediaPlayer.h"
#include "support/FakeTimers.h"
#include "support/FakeVideoPlayers.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "toolkit/usrButton.h"
#include "vidora/CAsfVideoKav.h"
#include "vidora/VidoraContext.h"
#include "vidora/frmVideo.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

using hostsession::VideoOrigin;

const QString soundKey = QStringLiteral("Quelvoro Inet\\IHM Client");

class RecordingWindow : public hostsession::QuestionWindow {
public:
    void CacherBarrePourVideo() override { calls << QStringLiteral("hide"); }
    long AfficheMessageBoxBarre(const QString& isMessage, long iMsgBoxStyle) override
    {
        calls << QStringLiteral("box %1 %2").arg(iMsgBoxStyle).arg(isMessage);
        if (onBox)
            onBox();
        return 1;
    }
    void RetourAfficherVideoManager() override { calls << QStringLiteral("back"); }

    QStringList calls;
    std::function<void()> onBox;
};

class VideoDisplayTest : public testsupport::TempDirTest {
protected:
    VideoDisplayTest()
    {
        testsupport::useFakeVideoPlayers(vidoraContext, timers, mediaPlayer,
                                         path(QStringLiteral("tmp")), QSize(800, 600));
        registry = std::make_shared<toolkit::KavReg>(
            toolkit::KavReg::Files{path(QStringLiteral("user.ini")), path(QStringLiteral("machine.ini"))});
        session.PathMediaAppli(path(QStringLiteral("Medias/")));
        session.ExtensionFichierVideo(QStringLiteral(".avi"));

        video.FichierVideo(QStringLiteral("lecon12"));
        // Times as the server gives them: "mm:ss:cc".
        video.DureeVideo(QStringLiteral("00:30:00"));
        video.addSeq(QStringLiteral("00:00:00-00:10:00"), QStringLiteral("<p>un</p>"), 311);
        video.addSeq(QStringLiteral("00:10:00-00:30:00"), QStringLiteral("<p>deux</p>"), 312);
    }

    ~VideoDisplayTest() override
    {
        display.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void makeDisplay(hostsession::VideoDisplaySettings settings = netrovaSettings())
    {
        hostsession::VideoDisplayServices services;
        services.vidora = &vidoraContext;
        services.message = [](const QString& key) {
            if (key == QStringLiteral("ERR_VIDEO_NOT_FOUND_UNC"))
                return QStringLiteral("Vidéo absente du partage : %1");
            if (key == QStringLiteral("ERR_VIDEO_NOT_FOUND"))
                return QStringLiteral("Vidéo absente du CD-ROM : %1");
            if (key == QStringLiteral("ERR_CONNUE"))
                return QStringLiteral("Erreur connue ");
            if (key == QStringLiteral("ERR_INCONNUE"))
                return QStringLiteral("Erreur inconnue ");
            if (key == QStringLiteral("VIDEOASF_Playtooltiptext"))
                return QStringLiteral("Lecture");
            return QString();
        };
        services.registry = [this] { return registry; };
        services.traceLevel = [] { return 0L; };
        display = std::make_unique<hostsession::VideoDisplay>(session, state, std::move(settings), std::move(services));
        QObject::connect(display.get(), &hostsession::VideoDisplay::ExitVideo,
                         [this](VideoOrigin origin) { exits.push_back(origin); });
    }

    static hostsession::VideoDisplaySettings netrovaSettings()
    {
        hostsession::VideoDisplaySettings settings;
        settings.codeBadCDRomVideo = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_BadCDRomVideo;
        settings.codeBadUNCVideo = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_BadUNCVideo;
        settings.codeShowFrmVideo =
            basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_ErreurShowFrmVideo;
        settings.codeLanceVideo = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_ErreurLanceVideo;
        settings.codeCreatePlayer = basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurVVidora;
        settings.codeInitSon = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piInitSon_ErreurInconnue;
        return settings;
    }

    QString stored(const QString& name) const
    {
        return registry->GetValue(toolkit::KavReg::CurrentUser, soundKey, name, 0);
    }
    void store(const QString& name, const QString& value)
    {
        registry->SetValue(toolkit::KavReg::CurrentUser, soundKey, name, value, 0);
    }

    bool play(VideoOrigin origin = VideoOrigin::Question)
    {
        if (!display->createPlayer())
            return false;
        display->applySound(video);
        return display->piAfficheVideo(video, QStringLiteral("Leçon"), QStringLiteral("00:00:00"), 0, origin);
    }

    testsupport::ManualClock clock;
    testsupport::FakeTimers timers{clock};
    vidora::VidoraContext vidoraContext;
    QPointer<testsupport::FakeMediaPlayer> mediaPlayer;
    toolkit::SessionState state;
    hostsession::ModuleSession session{state};
    std::shared_ptr<toolkit::KavReg> registry;
    lumaro::Video video;
    std::unique_ptr<hostsession::VideoDisplay> display;
    std::vector<VideoOrigin> exits;
};

struct SoundCase {
    const char* name;
    QString avecSon;
    QString volume;
    bool expectedSound;
    long expectedVolume;
    // What the registry holds afterwards.
    QString storedSound;
    QString storedVolume;
};

class SoundSettingsTest : public VideoDisplayTest, public ::testing::WithParamInterface<SoundCase> {};

TEST_P(SoundSettingsTest, ReadsTheStoredSettingsAndMendsWhatCannotBeRead)
{
    const SoundCase& c = GetParam();
    if (!c.avecSon.isNull())
        store(QStringLiteral("InitAvecSon"), c.avecSon);
    if (!c.volume.isNull())
        store(QStringLiteral("InitVolSon"), c.volume);
    makeDisplay();
    ASSERT_TRUE(display->piInitSon());
    ASSERT_TRUE(display->createPlayer());
    display->applySound(video);
    EXPECT_EQ(display->player()->AvecSon(), c.expectedSound);
    EXPECT_EQ(display->player()->VolumeInitial(), c.expectedVolume);
    EXPECT_EQ(stored(QStringLiteral("InitAvecSon")), c.storedSound);
    EXPECT_EQ(stored(QStringLiteral("InitVolSon")), c.storedVolume);
    EXPECT_EQ(state.pulStateEnCours, basalo::enuFunctionReturnState_General_Traitement_OK);

    // Read again: the mended values hold.
    ASSERT_TRUE(display->piInitSon());
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SoundSettingsTest,
    ::testing::Values(
        SoundCase{"FirstStartWritesTheDefaults", {}, {}, true, -1, "True", "-1"},
        SoundCase{"StoredTextModeAndVolume", "False", "32000", false, 32000, "False", "32000"},
        SoundCase{"HalfRoundsUpToEven", "True", "35.5", true, 36, "True", "35.5"},
        SoundCase{"HalfRoundsDownToEven", "True", "34.5", true, 34, "True", "34.5"},
        SoundCase{"CorruptSwitchBecomesTheDefault", "peut-être", "100", true, 100, "True", "100"},
        SoundCase{"CorruptVolumeBecomesTheDefault", "False", "fort", false, -1, "False", "-1"},
        SoundCase{"VolumeBeyondTheRangeBecomesTheDefault", "0", "1e12", false, -1, "0", "-1"}),
    [](const auto& info) { return testsupport::caseName(QString::fromLatin1(info.param.name)); });

TEST_F(VideoDisplayTest, AVideoWithoutSilentVersionPlaysWithSound)
{
    store(QStringLiteral("InitAvecSon"), QStringLiteral("False"));
    makeDisplay();
    ASSERT_TRUE(display->piInitSon());
    ASSERT_TRUE(display->createPlayer());
    video.PasSansSon(true);
    display->applySound(video);
    EXPECT_TRUE(display->player()->AvecSon());
    EXPECT_EQ(display->questionVideoStart(video), QStringLiteral("00:00:00"));

    video.PasSansSon(false);
    display->applySound(video);
    EXPECT_FALSE(display->player()->AvecSon());
    EXPECT_EQ(display->questionVideoStart(video), video.DebutDUneSeq(0)) << "text mode starts at the first sequence";
}

TEST_F(VideoDisplayTest, TheNewPlayerGetsItsTextsInTheCourseLanguage)
{
    makeDisplay();
    ASSERT_TRUE(display->createPlayer());
    const vidora::CAsfVideoKav* first = display->player();
    EXPECT_EQ(first->window()->kavbtnPlay()->toolTip(), QStringLiteral("Lecture"));
    ASSERT_TRUE(display->createPlayer());
    EXPECT_EQ(display->player(), first) << "the player is made once and kept";
}

TEST_F(VideoDisplayTest, PlaysALocalVideoFoundWithoutRegardToCase)
{
    writeFile(QStringLiteral("Medias/LECON12.AVI"), "clip");
    makeDisplay();
    ASSERT_TRUE(play());
    EXPECT_EQ(state.pulStateEnCours, basalo::enuFunctionReturnState_General_Traitement_OK);
    EXPECT_EQ(display->player()->TypeServeurDiffusion(), vidora::UNCSansServeur);
    EXPECT_TRUE(display->player()->window()->isVisible());
    ASSERT_TRUE(mediaPlayer);
    EXPECT_TRUE(mediaPlayer->address().toLocalFile().endsWith(QStringLiteral("Medias/LECON12.AVI")));
}

struct MissingCase {
    const char* name;
    bool cdRom;
    long code;
    QString message;
};

class MissingVideoTest : public VideoDisplayTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingVideoTest, NamesTheMissingFileAndShowsNothing)
{
    const MissingCase& c = GetParam();
    session.MediaOnCDRom(c.cdRom);
    makeDisplay();
    EXPECT_FALSE(play());
    EXPECT_EQ(state.pulStateEnCours, c.code);
    EXPECT_EQ(state.pusErrorDescription, c.message.arg(path(QStringLiteral("Medias/lecon12.avi"))));
    EXPECT_FALSE(display->player()->window()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, MissingVideoTest,
    ::testing::Values(MissingCase{"Share", false,
                                  basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_BadUNCVideo,
                                  QStringLiteral("Vidéo absente du partage : %1")},
                      MissingCase{"CdRom", true,
                                  basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_BadCDRomVideo,
                                  QStringLiteral("Vidéo absente du CD-ROM : %1")}),
    [](const auto& info) { return testsupport::caseName(QString::fromLatin1(info.param.name)); });

TEST_F(VideoDisplayTest, TheLauncherLooksForItsOwnExtensionLocally)
{
    session.ExtensionFichierVideo(QStringLiteral(".mp4"));
    writeFile(QStringLiteral("Medias/lecon12.avi"), "clip");
    hostsession::VideoDisplaySettings settings = netrovaSettings();
    settings.localExtension = QStringLiteral(".avi");
    makeDisplay(settings);
    EXPECT_TRUE(play());
}

TEST_F(VideoDisplayTest, AWebVideoIsStreamedFromItsEncodedAddress)
{
    session.ModeMediaInet(true);
    session.URLMediaAppli(QStringLiteral("http://127.0.0.1:1/Media/"));
    video.FichierVideo(QStringLiteral("leçon 12"));
    makeDisplay();
    ASSERT_TRUE(play());
    EXPECT_EQ(display->player()->TypeServeurDiffusion(), vidora::MMSServeurMicrosoftMedia);
    ASSERT_TRUE(mediaPlayer);
    EXPECT_EQ(mediaPlayer->address().toString(QUrl::FullyEncoded),
              QStringLiteral("http://127.0.0.1:1/Media/le%C3%A7on%2012.avi"));
}

TEST_F(VideoDisplayTest, RefusesAVideoNameThatLeavesItsFolder)
{
    writeFile(QStringLiteral("secret.avi"), "clip");
    for (const bool web : {false, true}) {
        session.ModeMediaInet(web);
        session.URLMediaAppli(QStringLiteral("http://127.0.0.1:1/Media/"));
        for (const QString& name : {QStringLiteral("../secret"), QStringLiteral("a/b"), QStringLiteral("..")}) {
            SCOPED_TRACE(name.toStdString());
            video.FichierVideo(name);
            makeDisplay();
            EXPECT_FALSE(play());
            EXPECT_EQ(state.pulStateEnCours,
                      basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_BadUNCVideo);
            EXPECT_EQ(state.pulErrorNumber, platform::BadFileName);
            EXPECT_FALSE(display->player()->window()->isVisible());
        }
    }
}

TEST_F(VideoDisplayTest, APlayerFailureLeavesItsErrorWithTheDisplaysCodeOrItsOwn)
{
    writeFile(QStringLiteral("Medias/lecon12.avi"), "clip");
    for (const bool keepPlayerCode : {false, true}) {
        hostsession::VideoDisplaySettings settings = netrovaSettings();
        settings.keepPlayerStepCode = keepPlayerCode;
        makeDisplay(settings);
        ASSERT_TRUE(display->createPlayer());
        display->applySound(video);
        // The video has two sequences: the fifth cannot start.
        EXPECT_FALSE(display->piAfficheVideo(video, QStringLiteral("Leçon"), QStringLiteral("00:00:00"), 5,
                                             VideoOrigin::Question));
        EXPECT_EQ(state.pulStateEnCours,
                  keepPlayerCode ? basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_PositionVideo
                                 : basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_ErreurLanceVideo);
        EXPECT_NE(state.pulErrorNumber, 0);
        EXPECT_FALSE(state.pusErrorDescription.isEmpty());
        EXPECT_EQ(display->player()->StateErrorEnCours(), 0) << "the player's error is taken, and cleared there";
    }
}

TEST_F(VideoDisplayTest, AnOwnerEndedWhileTheVideoOpensIsNotTouchedAgain)
{
    writeFile(QStringLiteral("Medias/lecon12.avi"), "clip");
    makeDisplay();
    ASSERT_TRUE(display->createPlayer());
    display->applySound(video);
    ASSERT_TRUE(mediaPlayer);
    mediaPlayer->setOpenAtOnce(false);
    auto ending = timers.create(platform::Timer::Kind::SingleShot, [this] { display.reset(); });
    ending->start(std::chrono::milliseconds(100));
    hostsession::VideoDisplay* raw = display.get();
    EXPECT_FALSE(raw->piAfficheVideo(video, QStringLiteral("Leçon"), QStringLiteral("00:00:00"), 0,
                                     VideoOrigin::Question));
    EXPECT_EQ(display, nullptr);
}

TEST_F(VideoDisplayTest, QuestionVideoHidesTheWindowAndItsEndKeepsTheSoundSettings)
{
    writeFile(QStringLiteral("Medias/lecon12.avi"), "clip");
    makeDisplay();
    RecordingWindow bar;
    display->VisuVideo(std::make_shared<lumaro::Video>(video), QStringLiteral("Leçon"), bar);
    EXPECT_EQ(bar.calls, QStringList{QStringLiteral("hide")});
    ASSERT_NE(display->player(), nullptr);

    // The learner turns the sound off, then leaves.
    display->player()->AvecSon(false);
    display->player()->window()->kavbtnQuitter_Click();
    ASSERT_EQ(exits.size(), 1U);
    EXPECT_EQ(exits.front(), VideoOrigin::Question);
    EXPECT_EQ(stored(QStringLiteral("InitAvecSon")), QStringLiteral("False"));
    EXPECT_EQ(stored(QStringLiteral("InitVolSon")), QString::number(display->player()->VolumeInitial()));
    EXPECT_NE(stored(QStringLiteral("InitVolSon")), QStringLiteral("-1")) << "the learner's volume is kept";
}

TEST_F(VideoDisplayTest, EachPlaybackKeepsItsOwnOrigin)
{
    writeFile(QStringLiteral("Medias/lecon12.avi"), "clip");
    makeDisplay();
    ASSERT_TRUE(play(VideoOrigin::Index));
    display->player()->window()->kavbtnQuitter_Click();
    ASSERT_TRUE(play(VideoOrigin::Question));
    display->player()->window()->kavbtnQuitter_Click();
    EXPECT_EQ(exits, (std::vector<VideoOrigin>{VideoOrigin::Index, VideoOrigin::Question}));
}

TEST_F(VideoDisplayTest, AMissingQuestionVideoIsToldAndTheWindowGivenBack)
{
    makeDisplay();
    RecordingWindow bar;
    display->VisuVideo(nullptr, QStringLiteral("Leçon"), bar);
    ASSERT_EQ(bar.calls.size(), 2);
    EXPECT_EQ(bar.calls.at(0), QStringLiteral("box 9 Erreur inconnue 91 : ")
                                   + platform::runtimeErrorText(platform::ObjectNotSet));
    EXPECT_EQ(bar.calls.at(1), QStringLiteral("back"));
}

TEST_F(VideoDisplayTest, AMissingFileIsToldWithItsStepCode)
{
    makeDisplay();
    RecordingWindow bar;
    display->VisuVideo(std::make_shared<lumaro::Video>(video), QStringLiteral("Leçon"), bar);
    ASSERT_EQ(bar.calls.size(), 2);
    EXPECT_EQ(bar.calls.at(0), QStringLiteral("box 9 Erreur connue 21020 : Vidéo absente du partage : ")
                                   + path(QStringLiteral("Medias/lecon12.avi")));
    EXPECT_EQ(bar.calls.at(1), QStringLiteral("back"));
}

TEST_F(VideoDisplayTest, AnOwnerEndedWhileTheBoxIsUpIsNotTouchedAgain)
{
    makeDisplay();
    RecordingWindow bar;
    bar.onBox = [this] { display.reset(); };
    display->VisuVideo(nullptr, QStringLiteral("Leçon"), bar);
    EXPECT_EQ(bar.calls.size(), 1) << "no way back asked of a display that has gone";
}

TEST_F(VideoDisplayTest, ReleasingThePlayerClosesItsWindowFirst)
{
    writeFile(QStringLiteral("Medias/lecon12.avi"), "clip");
    makeDisplay();
    ASSERT_TRUE(play());
    ASSERT_TRUE(mediaPlayer);
    EXPECT_EQ(mediaPlayer->state(), testsupport::FakeMediaPlayer::State::Playing);
    QPointer<vidora::frmVideo> window = display->player()->window();
    display->releasePlayer();
    EXPECT_EQ(display->player(), nullptr);
    EXPECT_TRUE(!window || !window->isVisible());
    EXPECT_TRUE(exits.empty()) << "releasing is no exit of the learner";
}

TEST_F(VideoDisplayTest, ThePlayerMayBeReleasedInsideItsOwnExit)
{
    writeFile(QStringLiteral("Medias/lecon12.avi"), "clip");
    makeDisplay();
    ASSERT_TRUE(play());
    QObject::connect(display.get(), &hostsession::VideoDisplay::ExitVideo, [this] { display->releasePlayer(); });
    display->player()->window()->kavbtnQuitter_Click();
    EXPECT_EQ(display->player(), nullptr);
    EXPECT_EQ(exits.size(), 1U);
}

}  // namespace
