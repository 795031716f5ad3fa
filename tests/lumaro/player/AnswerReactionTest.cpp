// What the session does with a scored answer: the reaction to each outcome,
// the feedback pane, the complements of a feedback message, moving on with the
// passed questions skipped, the end of the module, and the evaluation's
// countdown around all of these.

#include "AnswerFixture.h"

#include "lumaro/player/Complements.h"
#include "lumaro/player/usrTimeBar.h"

#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"
#include "support/ModuleLearner.h"
#include "support/Screenshot.h"
#include "toolkit/uctButton.h"

#include <QLabel>
#include <QRegularExpression>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::AnswerTest;

constexpr long ok = basalo::enuFunctionReturnState_General_Traitement_OK;

struct ReactionCase {
    const char* name;
    const char* letter;
    bool generale;
    bool nuance;
    // The box the learner sees first, "" for none.
    const char* box;
    long typeReponse;
    const char* lettreReponse;
    const char* onDisplay;
    // Exercise starts, that of question 1 included.
    qsizetype starts;
    bool feedback;
    long state;
};

class ReactionTest : public AnswerTest, public ::testing::WithParamInterface<ReactionCase> { };

TEST_P(ReactionTest, EachOutcomeIsRecordedAndAnswered)
{
    const ReactionCase& c = GetParam();
    startInteractive();
    particularAnswer(*questions[0], "B", "Faux");
    score(c.letter, c.generale, c.nuance);
    ASSERT_TRUE(window().kavBtnPoursuivre()->isVisible());
    window().kavBtnPoursuivre()->click();

    if (*c.box) {
        ASSERT_FALSE(boxes.texts().isEmpty());
        EXPECT_TRUE(boxes.texts()[0].startsWith(c.box)) << boxes.texts()[0].toStdString();
        EXPECT_EQ(boxes.texts().size(), 1);
    } else {
        EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(" | ").toStdString();
    }
    EXPECT_EQ(result(1).TypeReponse(), c.typeReponse);
    EXPECT_EQ(result(1).LettreReponse(), c.lettreReponse);
    EXPECT_EQ(onDisplay(), c.onDisplay);
    EXPECT_EQ(starts(), c.starts);
    EXPECT_EQ(feedbackShown(), c.feedback);
    EXPECT_TRUE(events.raised.isEmpty());
    EXPECT_TRUE(window().isEnabled());
    EXPECT_EQ(manager->StateEnCours(), c.state);
}

constexpr long gereReponseFailed = basalo::enuFunctionReturnState_Lumaro_Manager_piGereReponse_ErreurInconnue;

INSTANTIATE_TEST_SUITE_P(Outcomes, ReactionTest,
    ::testing::Values(
        ReactionCase {"GeneralErrorWithHashGoesOn", "#S", true, false, "Suite", ErreurGenerale, "#S", "2/2", 2,
            false, ok},
        ReactionCase {"GeneralErrorWithBothMarksGoesOn", "%#", true, false, "Mixte", ErreurGenerale, "%#", "2/2", 2,
            false, ok},
        ReactionCase {"GeneralErrorWithPercentStaysOpen", "%R", true, false, "Retour", PasDeResultat, "", "1/2", 1,
            false, ok},
        ReactionCase {"OtherGeneralErrorStartsAgain", "G", true, false, "Encore", PasDeResultat, "", "1/2", 2, false,
            ok},
        ReactionCase {"GeneralErrorWithoutGeneralAnswer", "#Z", true, false, "Erreur n°22527 : ", PasDeResultat, "",
            "1/2", 1, false, gereReponseFailed},
        ReactionCase {"NuancedBravoShowsItsPage", "", false, true, "", BravoNuance, "", "1/2", 1, true, ok},
        ReactionCase {"BravoShowsTheBravoText", "", false, false, "", Bravo, "", "1/2", 1, true, ok},
        ReactionCase {"ParticularErrorShowsItsMessage", "B", false, false, "", ErreurParticuliere, "B", "1/2", 1,
            true, ok},
        ReactionCase {"ParticularErrorWithoutAnswerKeepsWhatWasRecorded", "Q", false, false, "Erreur n°22527 : ",
            ErreurParticuliere, "Q", "1/2", 1, false, gereReponseFailed}),
    [](const ::testing::TestParamInfo<ReactionCase>& info) { return std::string(info.param.name); });

TEST_F(AnswerTest, TheFeedbackReplacesTheQuestionLayoutByComponentKind)
{
    struct Case {
        const char* name;
        const char* screenshot;
        bool interactive;
        const char* background;
        int height;
        int pictureTop;
        bool topmostAgain;
    };
    for (const Case& c : {Case {"engine", "feedback-engine", false, "Exerva_R", 213, 93, true},
             Case {"interactive component", "feedback-interactive", true, "Interactif_R", 367, 245, false}}) {
        SCOPED_TRACE(c.name);
        freshModule();
        if (c.interactive) {
            startInteractive();
            score("B");
        } else {
            startExerva();
        }
        // Nothing chosen in the exercise: the engine's letter "N".
        particularAnswer(*questions[0], c.interactive ? "B" : "N", "Choisissez une réponse.   ");
        questions[0]->HasVideoCorrige(true);
        questions[0]->HasVideoLecon(true);
        window().kavBtnPoursuivre()->click();

        EXPECT_EQ(window().background(), c.background);
        EXPECT_EQ(window().height(), c.height);
        EXPECT_EQ(window().lblReponse()->text(), "Choisissez une réponse.");
        EXPECT_EQ(window().lblReponse()->y(), c.pictureTop + 2);
        for (QWidget* part : {static_cast<QWidget*>(window().lblFond()), static_cast<QWidget*>(window().ImageCloud()),
                 static_cast<QWidget*>(window().ImageVictory()), static_cast<QWidget*>(window().WebBrowserReponse())})
            EXPECT_EQ(part->y(), c.pictureTop) << part->objectName().toStdString();
        EXPECT_TRUE(window().ImageCloud()->isVisible());
        EXPECT_FALSE(window().ImageVictory()->isVisible());
        EXPECT_TRUE(window().lblFond()->isVisible());
        EXPECT_FALSE(window().WebBrowserReponse()->isVisible());
        EXPECT_TRUE(window().kavBtnCorrige()->isVisible());
        EXPECT_FALSE(window().kavbtnLecon()->isVisible());
        EXPECT_EQ(windows.calls.contains("topmost barre"), c.topmostAgain);
        EXPECT_EQ(window().kavBtnPoursuivre()->toolTip(), "Question suivante");
        EXPECT_FALSE(testsupport::saveScreenshot(window(), c.screenshot).isEmpty());

        // The next Poursuivre goes on, with the question layout back.
        window().kavBtnPoursuivre()->click();
        EXPECT_EQ(onDisplay(), "2/2");
        EXPECT_FALSE(feedbackShown());
        EXPECT_EQ(result(1).TypeAffichage(), ErreurParticuliere);
        EXPECT_TRUE(result(1).Valide());
        EXPECT_EQ(boxes.texts(), QStringList());
        EXPECT_TRUE(events.raised.isEmpty());
    }
}

TEST_F(AnswerTest, BravoOnTheEngineShowsTheSuccessPicture)
{
    startExerva();
    testsupport::ModuleLearner learner(*manager, context);
    ASSERT_NE(learner.exercise(), nullptr);
    ASSERT_TRUE(learner.choose("Choix", 0));
    ASSERT_TRUE(learner.poursuivre());
    EXPECT_EQ(result(1).TypeReponse(), Bravo);
    EXPECT_EQ(window().lblReponse()->text(), "Bravo !");
    EXPECT_TRUE(window().ImageVictory()->isVisible());
    EXPECT_FALSE(window().ImageCloud()->isVisible());
    EXPECT_FALSE(window().WebBrowserReponse()->isVisible());
}

TEST_F(AnswerTest, TheNuancedBravoPageOfABisQuestionIsReadFromTheBisFolderFirst)
{
    writeFile("html/bravo.htm", "<p>base</p>");
    writeFile("htmlbis/bravo.htm", "<p>bis</p>");
    writeFile("html/commun.htm", "<p>commun</p>");
    writeFile("htmlbis/question.htm", "<p>Question bis</p>");
    component = registerFake();
    addInteractive(120001, 1);
    addInteractive(12001, 1);
    addInteractive(12002, 2);
    questions[0]->HtmlBravo("bravo.htm");
    questions[1]->HtmlBravo("bravo.htm");
    // A page the bis folder lacks: the base folder's.
    questions[2]->HtmlBravo("commun.htm");
    startModule();
    for (const char* page : {"html/bravo.htm", "htmlbis/bravo.htm", "html/commun.htm"}) {
        SCOPED_TRACE(page);
        score("", false, true);
        window().kavBtnPoursuivre()->click();
        ASSERT_TRUE(window().WebBrowserReponse()->isVisible());
        EXPECT_EQ(window().WebBrowserReponse()->url().toLocalFile(), dir() + page);
        EXPECT_FALSE(window().lblReponse()->isVisible());
        EXPECT_TRUE(window().ImageVictory()->isVisible());
        window().kavBtnPoursuivre()->click();
    }
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
}

TEST_F(AnswerTest, AFeedbackThatCannotBeShownIsReportedAndTheLearnerGoesOn)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    component = registerFake();
    addInteractive(120001, 1);
    addInteractive(120002, 2);
    // A page name that would leave the application's folder.
    questions[0]->HtmlBravo("../bravo.htm");
    startModule();
    score("", false, true);
    window().kavBtnPoursuivre()->click();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Erreur n°22529 : ")) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(trace().contains("piAfficheReponse retourne false"));
    EXPECT_FALSE(window().WebBrowserReponse()->isVisible());
    EXPECT_TRUE(window().isEnabled());
    EXPECT_EQ(result(1).TypeReponse(), BravoNuance);

    score("");
    window().kavBtnPoursuivre()->click();
    EXPECT_EQ(onDisplay(), "2/2");
}

// The complements an interactive component gives with its letter.
class Complements final : public ModuleComplement {
public:
    explicit Complements(QStringList texts) : texts_(std::move(texts)) { }
    long Count() override { return long(texts_.size()); }
    QString Item(long index) override
    {
        ++asked;
        return texts_.value(index - 1);
    }
    int asked = 0;

private:
    QStringList texts_;
};

TEST(ComplementsTest, EachPlaceholderIsReplacedOnceByItsTrimmedComplement)
{
    const QStringList ten {" un ", "deux", "#2", "4", "5", "6", "7", "8", "9", "dix\t"};
    struct Case {
        const char* name;
        const char* message;
        QStringList complements;
        const char* expected;
    };
    const Case cases[] = {
        {"two placeholders", "Cliquez sur #1 puis sur #2.", {" Fichier ", "Enregistrer  "},
            "Cliquez sur Fichier puis sur Enregistrer."},
        {"the same placeholder twice", "#1 et encore #1", {"ici"}, "ici et encore ici"},
        {"ten and more read whole", "#10 puis #1", ten, "dix\t puis un"},
        {"a complement is not read again", "#3 et #1", ten, "#2 et un"},
        {"no such complement", "#10 ou #3", {"a", "b"}, "#10 ou #3"},
        {"no digits", "# et ## et #x", {"a"}, "# et ## et #x"},
        {"leading zeros name nothing", "#0 #01", {"a"}, "#0 #01"},
        {"digits run on", "#12345678901234567890", {"a"}, "#12345678901234567890"},
        {"no complements", "#1 reste", {}, "#1 reste"},
        {"placeholder at the end", "fin #2", {"a", "b"}, "fin b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Complements complements(c.complements);
        EXPECT_EQ(piRemplaceComplements(c.message, complements), c.expected);
    }
    Complements once({"x"});
    piRemplaceComplements("#1 #1 #1", once);
    EXPECT_EQ(once.asked, 1);
}

TEST_F(AnswerTest, PoursuivreLeadsToTheNextQuestionOnlyOnceTheFeedbackShows)
{
    struct Case {
        const char* name;
        const char* letter;
        bool generale;
        bool next;
    };
    const Case cases[] = {
        {"answer again", "%R", true, false},
        {"reference error", "#Z", true, false},
        {"start again", "G", true, false},
        {"feedback", "", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshModule();
        startInteractive();
        score(c.letter, c.generale);
        window().kavBtnPoursuivre()->click();
        EXPECT_EQ(onDisplay(), "1/2");
        toolkit::uctButton& button = *window().kavBtnPoursuivre();
        EXPECT_EQ(button.toolTip(), c.next ? "Question suivante" : "Vérifier la réponse");
        const auto& looks = c.next ? window().imgBtnPoursuivre1() : window().imgBtnPoursuivre2();
        EXPECT_EQ(button.PictureUP().toImage(), looks.value("Up").toImage());
        EXPECT_EQ(button.PictureDOWN().toImage(), looks.value("Down").toImage());
    }
}

TEST_F(AnswerTest, AParticularErrorOfAnInteractiveComponentGetsItsComplements)
{
    startInteractive();
    particularAnswer(*questions[0], "B", "Cliquez sur #1 puis #2 (#10).");
    component->complements = QStringList {" Fichier ", "Enregistrer"};
    score("B");
    window().kavBtnPoursuivre()->click();
    EXPECT_EQ(result(1).MessageEcranAffiche(), "Cliquez sur Fichier puis Enregistrer (#10).");
    EXPECT_EQ(window().lblReponse()->text(), "Cliquez sur Fichier puis Enregistrer (#10).");
}

TEST_F(AnswerTest, PassedQuestionsOfATrainingModuleAreSkipped)
{
    struct Case {
        const char* name;
        long passed2, passed3, passed4;
        const char* onDisplay;
        QStringList raised;
    };
    const Case cases[] = {
        {"to the first one not passed", BravoNuance, Bravo, PasDeResultat, "4/4", {}},
        {"a wrong one is not skipped", ErreurParticuliere, Bravo, PasDeResultat, "2/4", {}},
        {"all passed ends the module", Bravo, BravoNuance, Bravo, "1/4", {"FinModule"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshModule();
        // Passed in earlier sessions, as the plug-in loads the results.
        startShown({PasDeResultat, c.passed2, c.passed3, c.passed4});
        score("#S", true);
        window().kavBtnPoursuivre()->click();
        EXPECT_EQ(onDisplay(), c.onDisplay);
        EXPECT_EQ(events.raised, c.raised);
    }
}

TEST_F(AnswerTest, AWrongLastAnswerOfAnEvaluationEndsTheModuleWithoutFeedback)
{
    evaluation(1);
    startInteractive(2);
    particularAnswer(*questions[0], "B", "Faux");
    particularAnswer(*questions[1], "B", "Faux");
    score("");
    window().kavBtnPoursuivre()->click();
    EXPECT_EQ(onDisplay(), "2/2");
    EXPECT_FALSE(feedbackShown());
    score("B");
    window().kavBtnPoursuivre()->click();
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(feedbackShown());
    EXPECT_EQ(result(1).TypeAffichage(), Bravo);
    EXPECT_EQ(result(2).TypeAffichage(), ErreurParticuliere);
    EXPECT_EQ(module->NbQuestReussi(), 1);
}

TEST_F(AnswerTest, ARestartAfterAWrongAnswerReopensTheQuestionAndKeepsItsResult)
{
    startInteractive();
    particularAnswer(*questions[0], "B", "Faux");
    score("B");
    window().kavBtnPoursuivre()->click();
    ASSERT_TRUE(feedbackShown());
    window().kavbtnRecom()->click();
    EXPECT_EQ(starts(), 2);
    EXPECT_FALSE(feedbackShown());
    EXPECT_EQ(onDisplay(), "1/2");
    EXPECT_EQ(window().kavBtnPoursuivre()->toolTip(), "Vérifier la réponse");
    EXPECT_EQ(result(1).TypeReponse(), ErreurParticuliere);
    EXPECT_EQ(result(1).LettreReponse(), "B");

    // The next check overwrites it.
    score("");
    window().kavBtnPoursuivre()->click();
    EXPECT_EQ(result(1).TypeReponse(), Bravo);
    EXPECT_EQ(result(1).LettreReponse(), "");
}

TEST_F(AnswerTest, TheLessonOpensByItselfOnlyForAQuestionWithALessonOutsideEvaluations)
{
    struct Case {
        const char* name;
        bool evaluation;
        bool secondHasLesson;
        QStringList raised;
    };
    const Case cases[] = {
        {"with a lesson", false, true, {"VisuVideo 120002 2 Formation - Question 120002"}},
        {"without a lesson", false, false, {}},
        {"in an evaluation", true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshModule();
        module->TypeModule(c.evaluation ? TYPEevaluation : TYPEformation);
        manager->AutoMediaPoint(1);
        if (c.evaluation)
            evaluation(1);
        component = registerFake();
        addInteractive(120001, 1);
        addInteractive(120002, 2);
        questions[1]->HasVideoLecon(c.secondHasLesson);
        questions[1]->Intitule("Question 120002");
        generalAnswer("#S", "Suite");
        startModule();
        // The first question has no lesson: nothing opened at the start.
        EXPECT_TRUE(events.raised.isEmpty());
        score("#S", true);
        window().kavBtnPoursuivre()->click();
        EXPECT_EQ(events.raised, c.raised);
        // Past the last question there is no lesson to open.
        window().kavBtnPoursuivre()->click();
        EXPECT_EQ(events.raised, c.raised + QStringList {"FinModule"});
    }
}

TEST_F(AnswerTest, TheEvaluationCountdownRunsOnWhileTheQuestionStaysOpen)
{
    struct Case {
        const char* name;
        const char* letter;
    };
    for (const Case& c : {Case {"answer again", "%R"}, Case {"reference error", "#Z"}}) {
        SCOPED_TRACE(c.name);
        startTimedEvaluation();
        score(c.letter, true);
        window().kavBtnPoursuivre()->click();
        EXPECT_EQ(onDisplay(), "1/2");
        EXPECT_TRUE(window().timeBar()->isCounting());
        clock.advanceSeconds(40);
        EXPECT_EQ(events.raised, QStringList {"FinModule"});
        EXPECT_EQ(result(1).LettreReponse(), "TP");
        EXPECT_EQ(result(2).LettreReponse(), "TP");
    }
}

TEST_F(AnswerTest, ATimeOutWithoutAGeneralAnswerStillEndsTheModule)
{
    evaluation(2, "0:01");
    startInteractive(3);
    clock.advanceSeconds(62);
    EXPECT_EQ(boxes.texts(), QStringList {"Temps imparti dépassé."});
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
    for (long i : {1, 2, 3}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(result(i).TypeReponse(), ErreurGenerale);
        EXPECT_EQ(result(i).LettreReponse(), "TP");
        EXPECT_EQ(result(i).IdReponse(), -1);
    }
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(window().timeBar()->isCounting());
    EXPECT_EQ(manager->StateEnCours(), ok);
    EXPECT_EQ(manager->LastErrorNumber(), 0);
}

TEST_F(AnswerTest, ATimeOutMarksTheAnswerTPOfEachQuestion)
{
    evaluation(2, "0:01");
    startInteractive(2);
    appli->Dll(2)->AddReponse("TP");
    appli->Dll(2)->GetReponse("TP")->IdReponse(31);
    appli->Dll(2)->GetReponse("TP")->Message("Temps écoulé");
    clock.advanceSeconds(62);
    EXPECT_EQ(boxes.texts(), QStringList {"Temps écoulé"});
    EXPECT_EQ(result(1).IdReponse(), 31);
    EXPECT_EQ(result(2).IdReponse(), 31);
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
}

TEST_F(AnswerTest, TheCountdownStandsStillWhileTheLearnerDecidesToQuit)
{
    struct Case {
        const char* name;
        int answer;
        // Seconds on the clock after the answer.
        int after;
        QStringList raised;
        bool resultsCleared;
    };
    const Case cases[] = {
        {"OK quits once", platform::MessageBoxes::Ok, 0, {"BoutonQuitter"}, true},
        {"Cancel lets the time run on", platform::MessageBoxes::Cancel, 40, {"FinModule"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startTimedEvaluation();
        // The learner thinks it over for two minutes, far beyond the time left.
        boxes.onShow([this](const platform::ScriptedMessageBoxes::Shown&) { clock.advanceSeconds(120); });
        boxes.answer(c.answer);
        window().kavbtnQuitter()->click();
        boxes.onShow(nullptr);
        EXPECT_EQ(boxes.texts().size(), 1);
        clock.advanceSeconds(c.after);
        EXPECT_EQ(events.raised, c.raised);
        EXPECT_EQ(result(1).LettreReponse() == "TP", !c.resultsCleared);
        EXPECT_EQ(result(1).TypeAffichage() == PasDeResultat, c.resultsCleared);
        EXPECT_FALSE(window().isVisible());
        clock.advanceSeconds(600);
        EXPECT_EQ(events.ends(), 1);
    }
}

} // namespace
