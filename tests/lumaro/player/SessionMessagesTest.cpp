// The messages of a question session: the host's message box, which the
// question window makes way for, and the session's own texts.

#include "SessionFixture.h"

#include "lumaro/player/kavMsgBoxStyle.h"
#include "lumaro/player/usrTimeBar.h"

#include "lumaro/model/Question.h"
#include "lumaro/model/ReponseGenerale.h"
#include "support/SampleCourseHost.h"
#include "toolkit/uctButton.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::SessionTest;

constexpr long ok = basalo::enuFunctionReturnState_General_Traitement_OK;

class SessionMessagesTest : public SessionTest {
protected:
    void start()
    {
        addExervaQuestion(120001, 1)->DureePrevue("0:01");
        addExervaQuestion(120002, 2);
        ASSERT_TRUE(create(WithoutFrm));
        ASSERT_TRUE(manager->InitManager(1));
        windows.calls.clear();
    }

    bool topmost() const { return window().windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
};

TEST_F(SessionMessagesTest, TheHostsBoxHidesTheQuestionWindowWhileItIsUpAndGivesItBackTopmost)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    start();
    // A step code an earlier failure left is not the box's.
    context.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_GereCopiesLocales_ErreurInconnue;
    bool visibleWhileUp = true;
    QStringList callsWhileUp;
    boxes.onShow([&](const platform::ScriptedMessageBoxes::Shown&) {
        visibleWhileUp = window().isVisible();
        callsWhileUp = windows.calls;
    });
    boxes.answer(platform::MessageBoxes::Cancel);

    EXPECT_EQ(manager->AfficheMessageBoxBarre("Insérez le CD-ROM du cours.", kavOk + kavAnnuler),
        platform::MessageBoxes::Cancel);
    EXPECT_FALSE(visibleWhileUp);
    EXPECT_EQ(callsWhileUp, (QStringList {"notopmost barre", "hide barre"}));
    EXPECT_EQ(windows.calls, (QStringList {"notopmost barre", "hide barre", "show barre", "topmost barre"}));
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(topmost());
    EXPECT_EQ(boxes.texts(), QStringList {"Insérez le CD-ROM du cours."});
    EXPECT_EQ(manager->StateEnCours(), ok);
    const QString trace = QString::fromUtf8(readFile("Lumaro.htm"));
    EXPECT_TRUE(trace.contains("Public Function AfficheMessageBoxBarre"));
    EXPECT_TRUE(trace.contains("Fin Public Function AfficheMessageBoxBarre"));
}

TEST_F(SessionMessagesTest, TheHostsBoxLeavesAHiddenQuestionWindowHidden)
{
    // No session yet.
    EXPECT_EQ(manager->AfficheMessageBoxBarre("Avant le module", kavOk), platform::MessageBoxes::Ok);
    start();
    // The question window already made way for a video.
    manager->CacherBarrePourVideo();
    windows.calls.clear();
    EXPECT_EQ(manager->AfficheMessageBoxBarre("La vidéo est introuvable.", kavOk), platform::MessageBoxes::Ok);
    EXPECT_TRUE(windows.calls.isEmpty()) << windows.calls.join(", ").toStdString();
    EXPECT_FALSE(window().isVisible());
}

TEST_F(SessionMessagesTest, AModuleThatEndsWhileTheHostsBoxIsUpStaysHidden)
{
    evaluation(2, "0:01");
    start();
    boxes.onShow([this](const platform::ScriptedMessageBoxes::Shown& shown) {
        // The module's time runs out behind the host's box.
        if (shown.text == "Résultat refusé")
            clock.advanceSeconds(62);
    });
    manager->AfficheMessageBoxBarre("Résultat refusé", kavOk + kavAlert);
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(topmost());
}

TEST_F(SessionMessagesTest, TheSessionsOwnMessagesShowBesideTheQuestionWindow)
{
    evaluation(3);
    start();
    bool visibleWhileUp = false;
    boxes.onShow([&](const platform::ScriptedMessageBoxes::Shown&) { visibleWhileUp = window().isVisible(); });
    boxes.answer(platform::MessageBoxes::Cancel);
    window().kavbtnQuitter()->click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(visibleWhileUp);
    EXPECT_TRUE(windows.calls.isEmpty()) << windows.calls.join(", ").toStdString();
}

TEST(SampleSessionMessagesTest, ATimeOutWithoutAnAnswerTPSaysSoInTheLanguageFile)
{
    testsupport::SampleCourseHost host(TYPEevaluation);
    tGlobPropModEval props;
    props.lGPETypeChrono = 3;
    host.module->GlobPropModEval(props);
    host.addQuestion(1)->DureePrevue("0:01");
    ASSERT_TRUE(host.start());
    host.clock.advanceSeconds(62);
    EXPECT_EQ(host.boxes.texts(), QStringList {"Le temps prévu est écoulé."});
    EXPECT_EQ(host.events.raised, QStringList {"FinModule"});
}

} // namespace
