// The question window: its layout and flags, its drag, the events its buttons
// raise through the session's handlers (up to where the answer's reaction
// takes over), a host that ends the session from inside an event, and
// pictures of the window beside an exercise window.

#include "SessionFixture.h"

#include "lumaro/player/LumaroLangue.h"
#include "lumaro/player/usrTimeBar.h"

#include "exerva/frmCT.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"
#include "support/Screenshot.h"
#include "support/WidgetPart.h"
#include "toolkit/uctButton.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QToolTip>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::SessionTest;
using testsupport::part;

constexpr long ok = basalo::enuFunctionReturnState_General_Traitement_OK;

// A question window alone, on fake timers.
class QuestionWindowLayoutTest : public ::testing::Test {
protected:
    testsupport::ManualClock clock;
    testsupport::FakeTimers timers{clock};
    frmClient window{timers, clock};
};

TEST_F(QuestionWindowLayoutTest, ControlsSitAtTheirDesignPlaces)
{
    EXPECT_EQ(window.size(), QSize(334, 367));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.windowTitle(), "");
    struct Case {
        const char* name;
        QRect geometry;
    };
    const Case cases[] = {
        {"usrTimeBar", {174, 200, 16, 28}},
        {"kavbtnLecon", {60, 200, 30, 26}},
        {"kavbtnRecom", {96, 200, 30, 26}},
        {"kavBtnCorrige", {60, 200, 30, 26}},
        {"kavBtnPoursuivre", {132, 200, 30, 26}},
        {"kavbtnQuitter", {268, 214, 25, 29}},
        {"kavbtnAide", {296, 214, 25, 29}},
        {"lblTitle", {36, 4, 151, 15}},
        {"lblNumQuestion", {10, 205, 31, 15}},
        {"lblRefQuestion", {10, 232, 45, 12}},
        {"lblRepOk", {208, 198, 112, 11}},
        {"WebBrowser", {8, 28, 317, 165}},
        {"WebBrowserReponse", {52, 248, 273, 114}},
        {"lblReponse", {56, 248, 266, 108}},
        {"lblFond", {52, 246, 273, 114}},
        {"ImageVictory", {12, 252, 32, 32}},
        {"ImageCloud", {12, 252, 32, 32}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(part(window, c.name), nullptr);
        EXPECT_EQ(part(window, c.name)->geometry(), c.geometry);
    }
    EXPECT_EQ(part<QLabel>(window, "lblRefQuestion")->palette().color(QPalette::WindowText), QColor(0xCA, 0xFF, 0xFF));
    EXPECT_EQ(window.font().family(), "Verdana");
    window.Title("Une question");
    EXPECT_EQ(part<QLabel>(window, "lblTitle")->text(), "Une question");
}

TEST_F(QuestionWindowLayoutTest, TheBackgroundAndTheTitleDragTheWindow)
{
    window.move(100, 100);
    window.show();
    window.beginDrag(QPoint(150, 110));
    window.dragTo(QPoint(250, 160));
    EXPECT_EQ(window.pos(), QPoint(200, 150));
    EXPECT_EQ(window.cursor().shape(), Qt::SizeAllCursor);
    window.endDrag();
    window.dragTo(QPoint(400, 400));
    EXPECT_EQ(window.pos(), QPoint(200, 150));

    // The mouse on the title label does the same.
    auto* title = part(window, "lblTitle");
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(
        QEvent::MouseMove, QPointF(15, 25), title->mapToGlobal(QPointF(15, 25)), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(title, &move);
    EXPECT_EQ(window.pos(), QPoint(210, 170));
    QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(15, 25));
    EXPECT_FALSE(window.isDragging());
}

TEST_F(QuestionWindowLayoutTest, EachButtonRaisesItsWindowEventUnlessDisabled)
{
    QStringList raised;
    QObject::connect(&window, &frmClient::kavBtnAideClick, [&] { raised << "aide"; });
    QObject::connect(
        &window, &frmClient::kavBtnVideoClick, [&](long type) { raised << QString("video %1").arg(type); });
    QObject::connect(&window, &frmClient::kavbtnQuitterClick, [&] { raised << "quitter"; });
    QObject::connect(&window, &frmClient::kavbtnRecomClick, [&] { raised << "recom"; });
    QObject::connect(&window, &frmClient::kavbtnSuivClick, [&] { raised << "suiv"; });
    for (auto* button : {window.kavbtnAide(), window.kavBtnCorrige(), window.kavbtnLecon(), window.kavbtnQuitter(),
             window.kavbtnRecom(), window.kavBtnPoursuivre()})
        button->click();
    EXPECT_EQ(raised, (QStringList {"aide", "video 1", "video 2", "quitter", "recom", "suiv"}));
    window.kavbtnQuitter()->ButtonPosition(toolkit::usrButton::PositionDisabled);
    window.kavbtnQuitter()->click();
    EXPECT_EQ(raised.size(), 6);
}

TEST_F(QuestionWindowLayoutTest, TheReferenceLabelCutsALongReferenceShortWithAnEllipsis)
{
    auto* label = part<QLabel>(window, "lblRefQuestion");
    window.RefQuestion("Réf. 1211");
    EXPECT_EQ(label->text(), "Réf. 1211");

    window.RefQuestion("Question numéro 1211 du module");
    EXPECT_EQ(window.RefQuestion(), "Question numéro 1211 du module");
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
    EXPECT_TRUE(label->text().startsWith("Que")) << label->text().toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
}

TEST_F(QuestionWindowLayoutTest, TheSampleCoursesReferencesFitTheLabelWhole)
{
    const QLabel& label = *part<QLabel>(window, "lblRefQuestion");
    for (const char* file : {"lng/kavplugin.lng", "server/WS/pluginlng/default.lng"}) {
        SCOPED_TRACE(file);
        LumaroLangue langue;
        langue.langue().LangueID("FR");
        langue.langue().LNGFilePath(QStringLiteral(SAMPLES_DIR "/") + file);
        const QString text = langue.GetMessage("FRMbarre_RefQuest");
        ASSERT_TRUE(text.contains("%1"));
        // The sample course's questions, the longest reference first.
        for (const char* id : {"1221", "1211"}) {
            const QString reference = QString(text).replace("%1", id);
            EXPECT_LE(label.fontMetrics().horizontalAdvance(reference), label.width()) << reference.toStdString();
            window.RefQuestion(reference);
            EXPECT_EQ(label.text(), reference);
        }
    }
}

TEST_F(QuestionWindowLayoutTest, ACloseRequestIsTheQuitButtonsClick)
{
    int quits = 0;
    QObject::connect(&window, &frmClient::kavbtnQuitterClick, [&] { ++quits; });
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(window.isVisible());

    // While the session works, the request is dropped.
    window.setEnabled(false);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(window.isVisible());
}

class HandlerTest : public SessionTest {
protected:
    void start(ModeFrmAppelant mode = WithFrm, long first = 1)
    {
        if (module->TypeModule() != TYPEevaluation)
            module->TypeModule(TYPEformation);
        q1 = addExervaQuestion(120001, 1);
        q2 = addExervaQuestion(120002, 2);
        q1->DureePrevue("0:10");
        q2->DureePrevue("0:10");
        ASSERT_TRUE(create(mode));
        ASSERT_TRUE(manager->InitManager(first));
        windows.calls.clear();
    }
    // The general answer "TP" of the engine's component, which a time-out shows.
    void answerTP(const QString& text)
    {
        const auto dll = appli->Dll(1);
        dll->AddReponse("TP");
        dll->GetReponse("TP")->Message(text);
    }

    std::shared_ptr<Question> q1, q2;
};

TEST_F(HandlerTest, QuitInTrainingRaisesBoutonQuitterThenHidesTheWindowAndGivesTheHostBack)
{
    start();
    window().kavbtnQuitter()->click();
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(host.isVisible());
    EXPECT_EQ(windows.calls, (QStringList {"hide barre", "minimise app", "notopmost barre", "show host"}));
    EXPECT_EQ(boxes.texts(), QStringList());
    // Nothing was recorded: the answer had not been shown.
    EXPECT_FALSE(module->ResultQuestions(1)->Valide());
    EXPECT_EQ(manager->StateEnCours(), ok);
}

TEST_F(HandlerTest, QuitInEvaluationAsksFirstAndCancelLeavesEverythingAsItWas)
{
    evaluation(3);
    module->NbQuestReussi(2);
    start();
    module->ResultQuestions(1)->TypeAffichage(Bravo);
    boxes.answer(platform::MessageBoxes::Cancel);
    window().kavbtnQuitter()->click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Quitter l'évaluation ?\r\nVos réponses seront perdues.");
    EXPECT_EQ(boxes.shown()[0].buttons, platform::MessageBoxes::OkButton | platform::MessageBoxes::CancelButton);
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().timeBar()->isCounting());
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), Bravo);

    window().kavbtnQuitter()->click();
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), PasDeResultat);
    EXPECT_EQ(module->ResultQuestions(2)->TypeAffichage(), PasDeResultat);
    EXPECT_EQ(module->NbQuestReussi(), 2);
    EXPECT_FALSE(window().timeBar()->isCounting());
    EXPECT_FALSE(window().isVisible());
}

TEST_F(HandlerTest, AHostThatEndsTheSessionInsideAnEventIsNotTouchedAgain)
{
    start(WithHandleFrm);
    QPointer<frmClient> shown = manager->questionWindow();
    bool windowLivedThroughTheHandler = false;
    events.inside = [&] {
        manager.reset();
        // A host that runs events meanwhile (its own modal box) does not pull
        // the window from under the click being handled.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        windowLivedThroughTheHandler = !shown.isNull() && !shown->isVisible();
    };
    window().kavbtnQuitter()->click();
    EXPECT_EQ(manager, nullptr);
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_TRUE(windowLivedThroughTheHandler);
    // Nothing of the hiding step ran for the ended session.
    EXPECT_TRUE(windows.calls.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull());
}

TEST_F(HandlerTest, AHostMayEndTheSessionInsideEveryEventAndEveryBox)
{
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::function<void()> act;
        bool insideABox;
    };
    const Case cases[] = {
        {"lesson left to the host", [] {}, [this] { window().kavbtnLecon()->click(); }, false},
        {"module time-out", [this] { evaluation(2, "0:01"); },
            [this] {
                answerTP("Temps écoulé");
                clock.advanceSeconds(62);
            },
            false},
        {"time-out message", [this] { evaluation(2, "0:01"); },
            [this] {
                answerTP("Temps écoulé");
                clock.advanceSeconds(62);
            },
            true},
        {"quit confirmation", [this] { evaluation(3); }, [this] { window().kavbtnQuitter()->click(); }, true},
        {"error message of Poursuivre", [] {}, [this] { window().kavBtnPoursuivre()->click(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        module->Destroy();
        appli->Destroy();
        appli = std::make_shared<Appli>(context);
        appli->IdAppli(12);
        module->Appli(appli);
        module->TypeModule(TYPEformation);
        makeManager();
        c.arrange();
        start();
        if (c.insideABox)
            boxes.onShow([this](const platform::ScriptedMessageBoxes::Shown&) {
                manager.reset();
                windows.calls.clear();
            });
        else
            events.inside = [this] {
                manager.reset();
                windows.calls.clear();
            };
        c.act();
        EXPECT_EQ(manager, nullptr);
        // Nothing was asked of the windows once the session had ended.
        EXPECT_TRUE(windows.calls.isEmpty()) << windows.calls.join(", ").toStdString();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        boxes.onShow(nullptr);
        events.inside = nullptr;
        events.raised.clear();
    }
}

TEST_F(HandlerTest, ARestartThatFailsEndsTheSession)
{
    start();
    q1->Instance(9);
    window().kavbtnRecom()->click();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Erreur n°23")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(window().isEnabled());
    EXPECT_TRUE(host.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(HandlerTest, TheSolutionWaitsForTheCheckedAnswer)
{
    start();
    q1->HasVideoCorrige(true);
    window().kavBtnCorrige()->click();
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_TRUE(windows.calls.isEmpty());
    EXPECT_TRUE(window().isEnabled());
}

TEST_F(HandlerTest, ALessonWithoutVideoInTheCourseIsLeftToTheHost)
{
    start();
    window().kavbtnLecon()->click();
    EXPECT_EQ(events.raised, QStringList {"VisuVideo 120001 2 Formation - Question 120001"});
    EXPECT_EQ(windows.calls, QStringList {"notopmost barre"});
    EXPECT_TRUE(window().isEnabled());
}

TEST_F(HandlerTest, AutoMediaPointOpensTheFirstLessonAtTheStart)
{
    manager->AutoMediaPoint(1);
    q1 = addExervaQuestion(120001, 1);
    q1->HasVideoLecon(true);
    module->TypeModule(TYPEformation);
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    EXPECT_EQ(events.raised, QStringList {"VisuVideo 120001 2 Formation - Question 120001"});
}

TEST_F(HandlerTest, RestartOpensTheSameQuestionAgain)
{
    start();
    const auto frm = exerva::frmCT::fromWindowId(appli->HandleApplicationInteractive());
    ASSERT_NE(frm, nullptr);
    window().kavbtnRecom()->click();
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isEnabled());
    EXPECT_EQ(window().Title(), "Question 120001");
    EXPECT_EQ(manager->StateEnCours(), ok);
}

TEST_F(HandlerTest, AModuleTimeOutMarksThisAndEveryFollowingQuestionAndEndsTheModule)
{
    evaluation(2, "0:01");
    start();
    answerTP("Temps écoulé");
    clock.advanceSeconds(62);
    EXPECT_EQ(boxes.texts(), QStringList {"Temps écoulé"});
    for (long i : {1, 2}) {
        EXPECT_EQ(module->ResultQuestions(i)->TypeReponse(), ErreurGenerale);
        EXPECT_EQ(module->ResultQuestions(i)->LettreReponse(), "TP");
    }
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
    EXPECT_FALSE(window().isVisible());
}

TEST_F(HandlerTest, AQuestionTimeOutMarksItAndStartsTheNextQuestion)
{
    evaluation(3);
    q1 = addExervaQuestion(120001, 1);
    q1->DureePrevue("0:01");
    q2 = addExervaQuestion(120002, 2);
    q2->DureePrevue("0:02");
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    answerTP("Temps écoulé");
    clock.advanceSeconds(62);
    EXPECT_EQ(module->ResultQuestions(1)->LettreReponse(), "TP");
    EXPECT_EQ(module->ResultQuestions(2)->LettreReponse(), "");
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_EQ(window().lblNumQuestion()->text(), "2/2");
    EXPECT_TRUE(window().timeBar()->isCounting());
}

TEST_F(HandlerTest, AQuestionTimeOutWithoutAGeneralAnswerStillMovesOn)
{
    evaluation(3);
    q1 = addExervaQuestion(120001, 1);
    q1->DureePrevue("0:01");
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    clock.advanceSeconds(62);
    EXPECT_EQ(boxes.texts(), QStringList {"Temps imparti dépassé."});
    EXPECT_EQ(module->ResultQuestions(1)->LettreReponse(), "TP");
    EXPECT_EQ(module->ResultQuestions(1)->IdReponse(), -1);
    EXPECT_EQ(manager->StateEnCours(), ok);
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
}

TEST_F(HandlerTest, PoursuivreChecksTheAnswerWithTheNextQuestionLook)
{
    start();
    // Nothing chosen: the engine's letter "N".
    q1->AddReponse("N");
    q1->GetReponse("N")->MessageEcran("Choisissez une réponse.");
    window().kavBtnPoursuivre()->click();
    EXPECT_EQ(window().kavBtnPoursuivre()->toolTip(), "Question suivante");
    EXPECT_EQ(window().kavBtnPoursuivre()->PictureUP().toImage(), window().imgBtnPoursuivre1().value("Up").toImage());
    EXPECT_EQ(window().lblReponse()->text(), "Choisissez une réponse.");
    EXPECT_TRUE(window().isEnabled());
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_TRUE(events.raised.isEmpty());
}

TEST_F(HandlerTest, ScreenshotsOfTheTrainingAndEvaluationButtonSets)
{
    q1 = addExervaQuestion(120001, 1);
    q1->HasVideoLecon(true);
    q1->Intitule("La capitale");
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    auto* exercise = exerva::frmCT::fromWindowId(appli->HandleApplicationInteractive());
    ASSERT_NE(exercise, nullptr);
    EXPECT_FALSE(testsupport::saveSideBySide(*exercise, window(), "question-window-training").isEmpty());
    q1->Fermer();

    evaluation(3);
    lumaro::tGlobPropModEval props = module->GlobPropModEval();
    props.bGPEVisuNote = true;
    module->GlobPropModEval(props);
    q1->DureePrevue("0:02");
    makeManager();
    ASSERT_TRUE(create());
    ASSERT_TRUE(manager->InitManager(1));
    clock.advanceSeconds(40);
    EXPECT_FALSE(testsupport::saveSideBySide(*exercise, window(), "question-window-evaluation").isEmpty());
}

TEST_F(HandlerTest, AWindowManagersCloseRequestQuitsAsTheQuitButtonDoes)
{
    start();
    window().close();
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(host.isVisible());
}

TEST_F(HandlerTest, AWindowManagersCloseRequestInAnEvaluationAsksFirst)
{
    evaluation(3);
    start();
    boxes.answer(platform::MessageBoxes::Cancel);
    window().close();
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isEnabled());

    window().close();
    EXPECT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_FALSE(window().isVisible());
}

TEST_F(HandlerTest, ADoubleClickOnPoursuivreLeavesTheFeedbackOnScreen)
{
    start();
    q1->AddReponse("N");
    q1->GetReponse("N")->MessageEcran("Choisissez une réponse.");
    toolkit::uctButton* poursuivre = window().kavBtnPoursuivre();
    // A double click as the window system delivers it.
    QTest::mouseClick(poursuivre, Qt::LeftButton);
    QTest::mouseDClick(poursuivre, Qt::LeftButton);
    QTest::mouseRelease(poursuivre, Qt::LeftButton);
    EXPECT_EQ(window().lblNumQuestion()->text(), "1/2");
    EXPECT_TRUE(window().lblReponse()->isVisible());
    EXPECT_EQ(window().lblReponse()->text(), "Choisissez une réponse.");

    // Pressed again at once, and again a moment later.
    clock.advance(std::chrono::milliseconds(300));
    QTest::mouseClick(poursuivre, Qt::LeftButton);
    EXPECT_EQ(window().lblNumQuestion()->text(), "1/2");
    clock.advance(std::chrono::milliseconds(300));
    QTest::mouseClick(poursuivre, Qt::LeftButton);
    EXPECT_EQ(window().lblNumQuestion()->text(), "2/2");
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(" / ").toStdString();
}

TEST_F(HandlerTest, TooltipsShowOnHoverWhileTheExerciseWindowHasTheFocus)
{
    start();
    auto* exercise = exerva::frmCT::fromWindowId(appli->HandleApplicationInteractive());
    ASSERT_NE(exercise, nullptr);
    exercise->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(exercise));
    ASSERT_FALSE(window().isActiveWindow());
    QToolTip::hideText();
    QTest::mouseMove(window().kavbtnAide(), QPoint(10, 10));
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000));
    EXPECT_EQ(QToolTip::text(), "Aide");
    QToolTip::hideText();
}

} // namespace
