// A learner plays the sample module in the question window, from its first
// question to its end, on the real exercise engine and the sample course's
// exercise files.

#include "lumaro/player/frmClient.h"

#include "exerva/controls/KavESP.h"
#include "exerva/frmCT.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/OleDate.h"
#include "support/SampleCourseHost.h"
#include "support/Screenshot.h"

#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

using namespace lumaro;

// The date that many seconds after the start, as the model records it.
double serialAfter(const QDateTime& start, int seconds)
{
    return platform::OleDate::fromDateTime(start.addSecs(seconds))->serial();
}

TEST(SampleModulePlayTest, ALearnerPlaysTheWholeModule)
{
    testsupport::SampleCourseHost host;
    const auto dragAndDrop = host.addQuestion(1);
    const auto typed = host.addQuestion(2);
    const auto choice = host.addQuestion(3);
    dragAndDrop->AddReponse("B");
    dragAndDrop->GetReponse("B")->MessageEcran(
        "Couper retire le texte de sa place : pour le dupliquer, il faut le copier.");
    choice->AddReponse("B");
    choice->GetReponse("B")->MessageEcran("« Enregistrer sous » est dans le menu Fichier.");
    const QDateTime start = host.clock.now();
    ASSERT_TRUE(host.start());
    testsupport::ModuleLearner& learner = *host.learner;
    lumaro::frmClient& window = *learner.questionWindow();
    EXPECT_EQ(window.lblNumQuestion()->text(), "1/3");

    // Question 1: "couper" where "copier" belongs.
    ASSERT_TRUE(learner.dropWord("Texte", 2, 0));
    ASSERT_TRUE(learner.dropWord("Texte", 1, 1));
    ASSERT_TRUE(learner.dropWord("Texte", 0, 2));
    host.clock.advanceSeconds(40);
    ASSERT_TRUE(learner.poursuivre());
    EXPECT_EQ(host.module->ResultQuestions(1)->LettreReponse(), "B");
    EXPECT_EQ(window.lblReponse()->text(),
        "Couper retire le texte de sa place : pour le dupliquer, il faut le copier.");
    EXPECT_TRUE(window.ImageCloud()->isVisible());
    ASSERT_NE(learner.exercise(), nullptr);
    EXPECT_FALSE(testsupport::saveSideBySide(*learner.exercise(), window, "feedback-beside-exercise").isEmpty());

    // Once more from a fresh exercise, right this time.
    host.clock.advanceSeconds(5);
    ASSERT_TRUE(learner.restart());
    auto* gaps = dynamic_cast<exerva::KavESP*>(learner.exercise()->control("Texte"));
    ASSERT_NE(gaps, nullptr);
    EXPECT_EQ(gaps->asTagCibleSource().join(","), ",,");
    for (int word : {0, 1, 2})
        ASSERT_TRUE(learner.dropWord("Texte", word, word));
    host.clock.advanceSeconds(30);
    ASSERT_TRUE(learner.poursuivre());
    EXPECT_EQ(window.lblReponse()->text(), "Bravo ! Votre réponse est juste.");
    EXPECT_TRUE(window.ImageVictory()->isVisible());
    host.clock.advanceSeconds(10);
    ASSERT_TRUE(learner.poursuivre());

    // Question 2: both shortcuts typed right.
    EXPECT_EQ(window.lblNumQuestion()->text(), "2/3");
    ASSERT_TRUE(learner.type("Saisie", 0, "enregistrer"));
    ASSERT_TRUE(learner.type("Saisie", 1, "impression"));
    host.clock.advanceSeconds(125);
    ASSERT_TRUE(learner.poursuivre());
    EXPECT_EQ(host.module->ResultQuestions(2)->TypeReponse(), Bravo);
    host.clock.advanceSeconds(5);
    ASSERT_TRUE(learner.poursuivre());

    // Question 3: the wrong menu.
    EXPECT_EQ(window.lblNumQuestion()->text(), "3/3");
    ASSERT_TRUE(learner.choose("Choix", 1));
    host.clock.advanceSeconds(20);
    ASSERT_TRUE(learner.poursuivre());
    EXPECT_EQ(window.lblReponse()->text(), "« Enregistrer sous » est dans le menu Fichier.");
    host.clock.advanceSeconds(5);
    ASSERT_TRUE(learner.poursuivre());

    EXPECT_EQ(host.events.raised, QStringList {"FinModule"});
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(host.boxes.texts().isEmpty()) << host.boxes.texts().join(" / ").toStdString();
    struct Expected {
        long typeAffichage;
        const char* lettre;
        int firstAccess;
        const char* duree;
    };
    // The restart started the first question's time again: only the attempt
    // that was validated counts.
    const Expected expected[] = {
        {Bravo, "", 0, "0000:01"},
        {Bravo, "", 85, "0000:03"},
        {ErreurParticuliere, "B", 215, "0000:01"},
    };
    for (long i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const auto result = host.module->ResultQuestions(i);
        EXPECT_EQ(result->TypeAffichage(), expected[i - 1].typeAffichage);
        EXPECT_EQ(result->LettreReponse(), expected[i - 1].lettre);
        EXPECT_TRUE(result->Valide());
        EXPECT_NEAR(result->DatePremierAcces().serial(), serialAfter(start, expected[i - 1].firstAccess),
            1e-6);
        EXPECT_EQ(result->Duree(), expected[i - 1].duree);
    }
    EXPECT_EQ(host.module->NbQuestReussi(), 2);
}

TEST(SampleModulePlayTest, OnlyTheExerciseWindowOfTheQuestionOnDisplayIsOnScreen)
{
    testsupport::SampleCourseHost host(TYPEevaluation);
    tGlobPropModEval props;
    props.lGPETypeChrono = 1;
    host.module->GlobPropModEval(props);
    // The second question is of the second set, on an engine of its own.
    for (const auto& question :
        {host.addQuestion(1), host.addQuestion(1, QuestionBis), host.addQuestion(2)}) {
        question->AddReponse("N");
        question->GetReponse("N")->MessageEcran("Rien n'est fait.");
    }
    ASSERT_TRUE(host.start());
    testsupport::ModuleLearner& learner = *host.learner;
    const QPointer<exerva::frmCT> base = learner.exercise();
    ASSERT_FALSE(base.isNull());

    ASSERT_TRUE(learner.poursuivre());
    const QPointer<exerva::frmCT> bis = learner.exercise();
    ASSERT_FALSE(bis.isNull());
    EXPECT_NE(bis, base);
    EXPECT_FALSE(base->isVisible());
    EXPECT_EQ(bis->windowTitle(), "Question 1 bis - Les touches du clavier");

    // Back on the first set: its engine's window again, with the new exercise.
    ASSERT_TRUE(learner.poursuivre());
    EXPECT_EQ(learner.exercise(), base);
    EXPECT_FALSE(bis->isVisible());
    EXPECT_NE(base->control("Saisie"), nullptr);
    EXPECT_FALSE(testsupport::saveSideBySide(*base, *learner.questionWindow(), "evaluation-second-set-left").isEmpty());

    ASSERT_TRUE(learner.poursuivre());
    EXPECT_EQ(host.events.raised, QStringList {"FinModule"});
    EXPECT_TRUE(host.boxes.texts().isEmpty()) << host.boxes.texts().join(" / ").toStdString();
}

} // namespace
