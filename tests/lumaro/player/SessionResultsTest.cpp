// The results a session leaves in the course model on every road a module can
// end by, with the results loaded as the plug-ins load them: no outcome of
// this session yet (TypeReponse PasDeResultat) and the outcome shown after
// earlier sessions (TypeAffichage).

#include "AnswerFixture.h"

#include "lumaro/player/usrTimeBar.h"

#include "toolkit/uctButton.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::AnswerTest;

class SessionResultsTest : public AnswerTest {
protected:
    // The count of passed questions as the host reads it in its handler of
    // the end of the module.
    void readCountAtTheEnd()
    {
        events.inside = [this] { countAtTheEnd = module->NbQuestReussi(); };
    }

    void showPassedCount(bool shown)
    {
        tGlobPropModEval props = module->GlobPropModEval();
        props.bGPEVisuNote = shown;
        module->GlobPropModEval(props);
    }

    void poursuivre() { window().kavBtnPoursuivre()->click(); }
    QString passedCount() const { return window().lblRepOk()->text(); }

    long countAtTheEnd = -1;
};

TEST_F(SessionResultsTest, ATrainingModuleStartsWithTheOutcomesOfEarlierSessions)
{
    module->NbQuestReussi(2);
    startShown({PasDeResultat, Bravo, BravoNuance});
    EXPECT_EQ(result(3).TypeAffichage(), BravoNuance);
    EXPECT_EQ(module->NbQuestReussi(), 2);

    // Question 1 passed now: 2 and 3 were passed before, so the module is done.
    readCountAtTheEnd();
    score("");
    poursuivre();
    poursuivre();
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
    EXPECT_EQ(countAtTheEnd, 3);
    EXPECT_EQ(result(1).TypeAffichage(), Bravo);
    EXPECT_EQ(result(2).TypeAffichage(), Bravo);
    EXPECT_EQ(result(3).TypeAffichage(), BravoNuance);
}

TEST_F(SessionResultsTest, AnEvaluationCountsOnlyWhatThisAttemptPassed)
{
    evaluation(1);
    showPassedCount(true);
    // An earlier attempt passed the first two questions.
    module->NbQuestReussi(2);
    startShown({Bravo, Bravo, PasDeResultat});
    EXPECT_EQ(passedCount(), "Réussies : 0");
    EXPECT_EQ(module->NbQuestReussi(), 0);

    readCountAtTheEnd();
    score("B");
    poursuivre();
    EXPECT_EQ(onDisplay(), "2/3");
    EXPECT_EQ(passedCount(), "Réussies : 0");
    score("");
    poursuivre();
    EXPECT_EQ(passedCount(), "Réussies : 1");
    score("");
    poursuivre();
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
    EXPECT_EQ(countAtTheEnd, 2);
    EXPECT_EQ(result(1).TypeAffichage(), ErreurParticuliere);
}

TEST_F(SessionResultsTest, AnEvaluationLeftHalfWayGivesBackWhatTheEarlierAttemptLeft)
{
    evaluation(1);
    module->NbQuestReussi(2);
    startShown({Bravo, Bravo, PasDeResultat});
    score("");
    poursuivre();
    window().kavbtnQuitter()->click();
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_EQ(module->NbQuestReussi(), 2);
    for (long i : {1, 2, 3})
        EXPECT_EQ(result(i).TypeAffichage(), PasDeResultat) << i;
}

TEST_F(SessionResultsTest, AModuleTimeOutKeepsTheTimeSpentAndCountsOnlyThisAttempt)
{
    evaluation(2, "0:02");
    // A retaken evaluation: the earlier attempt passed questions 2 and 3.
    module->NbQuestReussi(2);
    startShown({PasDeResultat, Bravo, Bravo});
    readCountAtTheEnd();
    clock.advanceSeconds(30);
    score("");
    poursuivre();
    ASSERT_EQ(onDisplay(), "2/3");
    clock.advanceSeconds(95);

    EXPECT_EQ(boxes.texts(), QStringList {"Temps écoulé"});
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
    EXPECT_EQ(countAtTheEnd, 1);
    EXPECT_EQ(result(1).Duree(), "0000:01");
    // A minute and a half on question 2.
    EXPECT_EQ(result(2).Duree(), "0000:02");
    EXPECT_EQ(result(3).Duree(), "0000:01");
    for (long i : {2, 3}) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(result(i).Valide());
        EXPECT_EQ(result(i).TypeReponse(), ErreurGenerale);
        EXPECT_EQ(result(i).TypeAffichage(), ErreurGenerale);
        EXPECT_EQ(result(i).LettreReponse(), "TP");
    }
    EXPECT_EQ(result(1).TypeAffichage(), Bravo);
}

TEST_F(SessionResultsTest, QuittingATrainingModuleRecordsTheAnswerOnlyOnceItShows)
{
    struct Case {
        const char* name;
        bool checked;
        long shownAfter;
        const char* duree;
    };
    const Case cases[] = {
        {"feedback on display", true, ErreurParticuliere, "0000:02"},
        // What the earlier session showed stays.
        {"question still open", false, Bravo, "0000:01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshModule();
        startShown({Bravo, BravoNuance});
        clock.advanceSeconds(90);
        if (c.checked) {
            score("B");
            poursuivre();
            ASSERT_TRUE(feedbackShown());
        }
        window().kavbtnQuitter()->click();
        EXPECT_TRUE(boxes.texts().isEmpty());
        EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
        EXPECT_EQ(result(1).TypeAffichage(), c.shownAfter);
        EXPECT_EQ(result(1).Duree(), c.duree);
        EXPECT_EQ(result(2).TypeAffichage(), BravoNuance);
        EXPECT_EQ(module->NbQuestReussi(), c.checked ? 1 : 2);
    }
}

TEST_F(SessionResultsTest, QuittingAnEvaluationOrTrainingModuleKeepsItsResultsAsTrainingDoes)
{
    module->TypeModule(TYPEevalOuForm);
    module->NbQuestReussi(1);
    startShown({PasDeResultat, Bravo});
    score("");
    poursuivre();
    // Its questions show their feedback, as those of a training module do.
    ASSERT_TRUE(feedbackShown());
    window().kavbtnQuitter()->click();
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(" / ").toStdString();
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    EXPECT_EQ(result(1).TypeAffichage(), Bravo);
    EXPECT_TRUE(result(1).Valide());
    EXPECT_EQ(result(2).TypeAffichage(), Bravo);
    EXPECT_EQ(module->NbQuestReussi(), 2);
}

TEST_F(SessionResultsTest, AnEvaluationWhoseNextQuestionCannotStartIsAbandoned)
{
    evaluation(1);
    module->NbQuestReussi(3);
    questions.push_back(addExervaQuestion(120001, 1, Bravo));
    // No exercise file for instance 9.
    questions.push_back(addExervaQuestion(120002, 9, Bravo));
    particularAnswer(*questions[0], "N", "Choisissez une réponse.");
    startModule();
    poursuivre();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Erreur n°23")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(events.raised, QStringList {"BoutonQuitter"});
    for (long i : {1, 2}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(result(i).TypeAffichage(), PasDeResultat);
        EXPECT_FALSE(result(i).Valide());
    }
    EXPECT_EQ(module->NbQuestReussi(), 3);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(host.isVisible());
}

TEST_F(SessionResultsTest, TheModuleCountdownGoesOnFromOneQuestionToTheNext)
{
    evaluation(2, "0:01");
    startShown({PasDeResultat, PasDeResultat});
    clock.advanceSeconds(40);
    score("");
    poursuivre();
    ASSERT_EQ(onDisplay(), "2/2");
    EXPECT_TRUE(window().timeBar()->isCounting());
    // The minute was 40 seconds gone when question 2 started: it ends 22 seconds later, with the last tick.
    clock.advanceSeconds(21);
    EXPECT_TRUE(events.raised.isEmpty());
    clock.advanceSeconds(1);
    EXPECT_EQ(events.raised, QStringList {"FinModule"});
}

TEST_F(SessionResultsTest, WithoutThePassedCountOptionItsLabelIsLeftAlone)
{
    evaluation(1);
    showPassedCount(false);
    startShown({PasDeResultat, PasDeResultat});
    score("");
    poursuivre();
    ASSERT_EQ(onDisplay(), "2/2");
    EXPECT_EQ(module->NbQuestReussi(), 1);
    EXPECT_EQ(passedCount(), "");
}

} // namespace
