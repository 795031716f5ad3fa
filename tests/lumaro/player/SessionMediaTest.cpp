// The session's media window: the lesson and help buttons of the question
// window, the media a host opens from its index, and the ways back.

#include "SessionFixture.h"

#include "lumaro/player/frmMedia.h"
#include "lumaro/player/usrTimeBar.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/Video.h"
#include "toolkit/uctButton.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::SessionTest;

constexpr long ok = basalo::enuFunctionReturnState_General_Traitement_OK;

QString videoDescription(const QString& file)
{
    return QStringLiteral("<VIDEO><FILE FileName=\"%1\" Duree=\"00:02:00\"/></VIDEO>").arg(file);
}

class SessionMediaTest : public SessionTest {
protected:
    void start(const QString& lesson = videoDescription("lecon12"))
    {
        if (module->TypeModule() != TYPEevaluation)
            module->TypeModule(TYPEformation);
        q1 = addExervaQuestion(120001, 1);
        q1->DureePrevue("0:10");
        q1->HasVideoLecon(true);
        appli->PathVideo(dir());
        writeFile(QStringLiteral("lecon12.avi"), "clip");
        writeFile(QStringLiteral("index7.avi"), "clip");
        appli->addVideo(120001, QStringLiteral("Y"));
        appli->VideoByType(120001, QStringLiteral("Y"))->addSeq(QStringLiteral("00:00:00"), lesson, 1);
        manager->URLServerHelpFile(QStringLiteral("http://127.0.0.1:9/aide?session=4"));
        manager->ExtensionVideo(QStringLiteral(".avi"));
        ASSERT_TRUE(create());
        ASSERT_TRUE(manager->InitManager(1));
        windows.calls.clear();
    }

    // A media of the index: one video.
    static std::shared_ptr<Video> indexMedia()
    {
        auto media = std::make_shared<Video>();
        media->addSeq(QStringLiteral("00:00:00"), videoDescription("index7"), 1);
        return media;
    }

    // The learner closes the media window with its quit button.
    void closeMedia() { manager->mediaWindow()->imgQuitter_Click(); }

    std::shared_ptr<Question> q1;
};

TEST_F(SessionMediaTest, TheLessonOpensTheMediaWindowAndClosingItGivesTheQuestionWindowBack)
{
    start();
    window().kavbtnLecon()->click();
    frmMedia* media = manager->mediaWindow();
    ASSERT_NE(media, nullptr);
    EXPECT_TRUE(media->isVisible());
    EXPECT_EQ(media->windowTitle(), "Système média");
    EXPECT_FALSE(media->MediaOpenedForHelpViewer());
    ASSERT_NE(mediaPlayer, nullptr);
    EXPECT_EQ(mediaPlayer->address(), QUrl::fromLocalFile(dir() + "lecon12.avi"));
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(window().isEnabled());
    EXPECT_EQ(windows.calls, (QStringList {"notopmost barre", "hide barre"}));
    EXPECT_EQ(manager->StateEnCours(), ok);

    windows.calls.clear();
    closeMedia();
    EXPECT_FALSE(media->isVisible());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(windows.calls, (QStringList {"show barre", "topmost barre", "bringToTop app"}));
    EXPECT_EQ(media->viewerAddress(), QUrl("about:blank"));
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_EQ(manager->StateEnCours(), ok);
}

TEST_F(SessionMediaTest, TheSolutionOpensOnceTheAnswerWasCheckedAndTheFeedbackStaysOnReturn)
{
    start();
    writeFile(QStringLiteral("corrige12.avi"), "clip");
    appli->addVideo(120001, QStringLiteral("Z"));
    appli->VideoByType(120001, QStringLiteral("Z"))->addSeq(QStringLiteral("00:00:00"), videoDescription("corrige12"), 1);
    q1->HasVideoCorrige(true);
    // Nothing chosen: the engine's letter "N".
    q1->AddReponse("N");
    q1->GetReponse("N")->MessageEcran("Choisissez une réponse.");
    window().kavBtnPoursuivre()->click();
    ASSERT_TRUE(window().kavBtnCorrige()->isVisible());

    window().kavBtnCorrige()->click();
    frmMedia* media = manager->mediaWindow();
    ASSERT_NE(media, nullptr);
    EXPECT_TRUE(media->isVisible());
    ASSERT_NE(mediaPlayer, nullptr);
    EXPECT_EQ(mediaPlayer->address(), QUrl::fromLocalFile(dir() + "corrige12.avi"));
    EXPECT_FALSE(window().isVisible());

    closeMedia();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().lblReponse()->text(), "Choisissez une réponse.");
    EXPECT_TRUE(window().lblReponse()->isVisible());
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_EQ(manager->StateEnCours(), ok);
}

TEST_F(SessionMediaTest, ALessonThatCannotBeShownSaysSoAndKeepsTheQuestionWindow)
{
    // No FILE in the description.
    start(QStringLiteral("<VIDEO><TITRE/></VIDEO>"));
    window().kavbtnLecon()->click();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Erreur n°")) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isEnabled());
    EXPECT_FALSE(manager->mediaWindow()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SessionMediaTest, HelpInAnEvaluationStopsTheCountdownUntilTheHelpPageIsLeft)
{
    evaluation(3);
    start();
    usrTimeBar& countdown = *window().timeBar();
    ASSERT_TRUE(countdown.isCounting());
    window().kavbtnAide()->click();
    frmMedia* media = manager->mediaWindow();
    ASSERT_NE(media, nullptr);
    EXPECT_FALSE(countdown.isCounting());
    EXPECT_TRUE(media->isVisible());
    EXPECT_TRUE(media->MediaOpenedForHelpViewer());
    EXPECT_EQ(media->viewerAddress(), QUrl("http://127.0.0.1:9/aide?session=4&plug_hlp=1"));
    EXPECT_EQ(windows.calls, QStringList {"notopmost barre"});

    windows.calls.clear();
    closeMedia();
    EXPECT_TRUE(countdown.isCounting());
    EXPECT_FALSE(media->isVisible());
    EXPECT_EQ(windows.calls, QStringList {"topmost barre"});
    EXPECT_EQ(media->viewerAddress(), QUrl("about:blank"));
    EXPECT_EQ(manager->StateEnCours(), ok);
}

TEST_F(SessionMediaTest, AMediaOfTheIndexRaisesFinVideoOnceAndLeavesTheQuestionWindowAlone)
{
    start();
    ASSERT_TRUE(manager->LanceNewMedia(indexMedia(), 0, dir(), ".avi"));
    EXPECT_EQ(mediaPlayer->address(), QUrl::fromLocalFile(dir() + "index7.avi"));
    EXPECT_EQ(manager->mediaWindow()->URLHelp(), "http://127.0.0.1:9/aide?session=4&plug_hlp=2");
    EXPECT_TRUE(window().isVisible());
    closeMedia();
    EXPECT_EQ(events.raised, QStringList {"FinVideo"});
    EXPECT_TRUE(windows.calls.isEmpty()) << windows.calls.join(", ").toStdString();
    EXPECT_EQ(manager->mediaWindow()->viewerAddress(), QUrl("about:blank"));

    // The host's own video played afterwards brings the question window back.
    EXPECT_TRUE(manager->RetourAfficherVideoManager());
    EXPECT_EQ(events.raised, QStringList {"FinVideo"});
    EXPECT_EQ(windows.calls, (QStringList {"show barre", "topmost barre", "bringToTop app"}));

    // So does a lesson opened and closed by the learner.
    ASSERT_TRUE(manager->LanceNewMedia(indexMedia(), 0, dir(), ".avi"));
    window().kavbtnLecon()->click();
    closeMedia();
    EXPECT_EQ(events.raised, QStringList {"FinVideo"});
    EXPECT_TRUE(window().isVisible());
}

TEST_F(SessionMediaTest, AMediaOfTheIndexThatCannotBeShownIsNotTheIndexsOnClosing)
{
    start();
    EXPECT_FALSE(manager->LanceNewMedia(indexMedia(), 3, dir(), ".avi"));
    EXPECT_EQ(manager->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_frmMedia_Affiche_ErreurNbSeq);
    EXPECT_TRUE(manager->RetourAfficherVideoManager());
    EXPECT_TRUE(events.raised.isEmpty());
}

TEST_F(SessionMediaTest, AHostMayEndTheSessionInsideFinVideo)
{
    start();
    ASSERT_TRUE(manager->LanceNewMedia(indexMedia(), 0, dir(), ".avi"));
    QPointer<frmMedia> media = manager->mediaWindow();
    events.inside = [this] {
        manager.reset();
        windows.calls.clear();
    };
    media->imgQuitter_Click();
    EXPECT_EQ(manager, nullptr);
    EXPECT_EQ(events.raised, QStringList {"FinVideo"});
    EXPECT_TRUE(windows.calls.isEmpty());
    // The window whose quit button started it all goes once the event loop is back.
    ASSERT_FALSE(media.isNull());
    EXPECT_FALSE(media->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(media.isNull());
}

TEST_F(SessionMediaTest, TheWaysBackWithoutMediaWindowOrQuestionWindowSucceed)
{
    // Before CreateManager: neither window exists.
    EXPECT_TRUE(manager->RetourAfficherVideoManager());
    EXPECT_TRUE(manager->RetourAfficherAideManager());
    manager->CacherBarrePourVideo();
    EXPECT_EQ(manager->StateEnCours(), ok);
    EXPECT_EQ(manager->mediaWindow(), nullptr);
    EXPECT_TRUE(windows.calls.isEmpty());

    // setUrlMedias makes the window without showing it; Destroy lets it go.
    manager->ModeMediaInet(true);
    manager->setUrlMedias("http://serveur/livres/", "http://serveur/videos/");
    QPointer<frmMedia> media = manager->mediaWindow();
    ASSERT_FALSE(media.isNull());
    EXPECT_FALSE(media->isVisible());
    EXPECT_TRUE(media->MediaInet());
    EXPECT_EQ(media->URLMediaLivre(), "http://serveur/livres/");
    EXPECT_EQ(media->URLMediaVideo(), "http://serveur/videos/");
    manager->Destroy();
    EXPECT_TRUE(media.isNull());
}

} // namespace
