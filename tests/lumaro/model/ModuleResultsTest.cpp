#include "lumaro/ModelFixture.h"

#include "lumaro/model/ExoApp.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::ModelTest;
using lumaro_test::days;

class ModuleResultsTest : public ModelTest {
protected:
    ModuleResultsTest()
    {
        appli->AddQuestion(101);
        appli->AddQuestion(102);
        appli->AddQuestion(103);
        module->Appli(appli);
    }

    std::shared_ptr<Appli> appli = std::make_shared<Appli>(context);
    std::shared_ptr<Module> module = std::make_shared<Module>(context);

    void at(int hour, int minute) { clock.set(QDateTime(clock.now().date(), QTime(hour, minute))); }
    double serialAt(int hour, int minute) const
    {
        return platform::OleDate::fromDateTime(QDateTime(clock.now().date(), QTime(hour, minute)))->serial();
    }
};

TEST_F(ModuleResultsTest, OneResultPerQuestionInTheOrderAdded)
{
    EXPECT_EQ(module->AddResultQuestion(102), 1);
    EXPECT_EQ(module->AddResultQuestion(101), 2);
    EXPECT_EQ(module->AddResultQuestion(102), 1);
    EXPECT_EQ(module->AddResultQuestion(999), 3);
    EXPECT_EQ(module->NbQuest(), 3);
    EXPECT_EQ(module->ResultQuestions(1)->Question(), appli->Question(102));
    EXPECT_EQ(module->ResultQuestions(3)->Question(), nullptr);
    EXPECT_EQ(module->ResultQuestions(0), nullptr);
    EXPECT_EQ(module->ResultQuestions(4), nullptr);

    EXPECT_EQ(std::make_shared<Module>(context)->AddResultQuestion(101), -1);
}

TEST_F(ModuleResultsTest, LinksToQuestionsAddedLater)
{
    module->AddResultQuestion(104);
    module->AddResultQuestion(101);
    const auto linked = module->ResultQuestions(2)->Question();
    appli->AddQuestion(104);
    module->MajLienVersQuestion();
    EXPECT_EQ(module->ResultQuestions(1)->Question(), appli->Question(104));
    EXPECT_EQ(module->ResultQuestions(2)->Question(), linked);
}

TEST_F(ModuleResultsTest, PassedQuestionsAreThoseShownAsBravo)
{
    const long shown[] = {Bravo, BravoNuance, ErreurGenerale};
    for (long i = 0; i < 3; ++i) {
        module->AddResultQuestion(101 + i);
        module->ResultQuestions(i + 1)->TypeReponse(shown[i]);
        module->MajResultQuest(i + 1);
    }
    EXPECT_EQ(module->NbQuestReussi(), 2);
    EXPECT_EQ(module->ResultQuestions(3)->TypeAffichage(), ErreurGenerale);
    EXPECT_EQ(context.pulStateEnCours, 1);

    module->MajResultQuest(4);
    EXPECT_EQ(context.pulStateEnCours, basalo::enuFunctionReturnState_Lumaro_Module_MajResultQuest_ErreurInconnue);
    EXPECT_EQ(context.lastError.number(), platform::SubscriptOutOfRange);
    EXPECT_EQ(module->NbQuestReussi(), 2);
}

TEST_F(ModuleResultsTest, AResultLoadedWithoutAnOutcomeKeepsTheOneShownWhenValidated)
{
    // As the plug-ins load the results: shown as earlier sessions left them, no outcome yet.
    const long shown[] = {Bravo, BravoNuance, ErreurGenerale, PasDeResultat};
    for (long i = 0; i < 4; ++i) {
        module->AddResultQuestion(101 + i);
        module->ResultQuestions(i + 1)->TypeAffichage(shown[i]);
        module->ResultQuestions(i + 1)->TypeReponse(PasDeResultat);
    }
    module->MajResultQuest(4);
    module->MajResultQuest(1);
    for (long i = 0; i < 4; ++i)
        EXPECT_EQ(module->ResultQuestions(i + 1)->TypeAffichage(), shown[i]) << i + 1;
    EXPECT_TRUE(module->ResultQuestions(1)->Valide());
    EXPECT_EQ(module->NbQuestReussi(), 2);

    // An outcome of this session replaces it.
    module->ResultQuestions(1)->TypeReponse(ErreurParticuliere);
    module->MajResultQuest(1);
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), ErreurParticuliere);
    EXPECT_EQ(module->NbQuestReussi(), 1);
}

TEST_F(ModuleResultsTest, FinishingClearsResultsAndHidesThemInAnEvaluation)
{
    for (const ETypeParcoursModule type : {TYPEevaluation, TYPEformation}) {
        auto played = std::make_shared<Module>(context);
        played->Appli(appli);
        played->TypeModule(type);
        played->AddResultQuestion(101);
        const auto result = played->ResultQuestions(1);
        result->Initialiser();
        result->TypeReponse(Bravo);
        played->MajResultQuest(1);

        played->Finir();
        EXPECT_EQ(result->TypeAffichage(), type == TYPEevaluation ? PasDeResultat : Bravo);
        EXPECT_EQ(result->TypeReponse(), Bravo);
        EXPECT_EQ(result->DatePremierAcces().serial(), 0.0);
        EXPECT_EQ(result->Duree(), "0000:01");
    }
}

TEST_F(ModuleResultsTest, TimeSpentAddsEachAttemptOnce)
{
    context.pudteDiffDateServeur = days(1800);
    module->AddResultQuestion(101);
    const auto result = module->ResultQuestions(1);
    EXPECT_EQ(result->Duree(), "0000:01");
    result->Valider();
    EXPECT_EQ(result->Duree(), "0000:01");

    at(10, 0);
    result->Initialiser();
    at(10, 5);
    result->Valider();
    at(10, 7);
    result->Valider();
    at(10, 10);
    result->Initialiser();
    at(10, 12);
    result->Valider();

    EXPECT_EQ(result->Duree(), "0000:08");
    EXPECT_NEAR(result->DatePremierAcces().serial(), serialAt(10, 0) - days(1800), 1e-9);
}

TEST_F(ModuleResultsTest, ModuleTimeRunsOnTheModelClock)
{
    context.pudteDiffDateServeur = days(3600);
    at(9, 0);
    module->StartModule();
    EXPECT_NEAR(module->DebutModule().serial(), serialAt(8, 0), 1e-9);
    at(9, 30);
    EXPECT_EQ(module->TempsPasseModule(), "0000:31");
    at(8, 59);
    EXPECT_EQ(module->TempsPasseModule(), "0000:01");
}

TEST_F(ModuleResultsTest, AnswerLetterDesignatesTheAnswerOfItsKind)
{
    const auto question = appli->Question(101);
    question->AddReponse("C");
    question->GetReponse("C")->IdReponse(31);
    auto dll = std::make_shared<Dll>(context);
    dll->AddReponse("#X");
    dll->GetReponse("#X")->IdReponse(41);
    question->Dll(dll);
    module->AddResultQuestion(101);
    const auto result = module->ResultQuestions(1);

    struct Case {
        long type;
        const char* letter;
        long idReponse;
    };
    const Case cases[] = {
        {ErreurParticuliere, "c", 31}, {NonInitialise, "Z", 31}, {ErreurGenerale, "#X", 41},
        {Bravo, "", -1},               {ErreurGenerale, "#X", 41}, {BravoNuance, "", -1},
    };
    for (const Case& c : cases) {
        result->TypeReponse(c.type);
        result->LettreReponse(c.letter);
        EXPECT_EQ(result->LettreReponse(), c.letter);
        EXPECT_EQ(result->IdReponse(), c.idReponse) << c.type << c.letter;
    }
    EXPECT_EQ(context.lastError.number(), 0);
}

TEST_F(ModuleResultsTest, AnAnswerLetterWithoutAnswerIsRecordedAsAnError)
{
    module->AddResultQuestion(101);
    module->AddResultQuestion(999);
    for (long item : {1, 2}) {
        const auto result = module->ResultQuestions(item);
        result->TypeReponse(ErreurParticuliere);
        result->LettreReponse("Q");
        EXPECT_EQ(result->LettreReponse(), "Q");
        EXPECT_EQ(result->IdReponse(), 0);
        EXPECT_EQ(context.lastError.takeNumber(), platform::ObjectNotSet);
        result->TypeReponse(ErreurGenerale);
        result->LettreReponse("Q");
        EXPECT_EQ(context.lastError.takeNumber(), platform::ObjectNotSet);
    }
}

TEST_F(ModuleResultsTest, ExerciseApplicationIsCreatedOnce)
{
    EXPECT_EQ(module->ExoApp(), nullptr);
    module->CreateExoApp(7);
    const auto exoApp = module->ExoApp();
    module->CreateExoApp(8);
    EXPECT_EQ(module->ExoApp(), exoApp);
    EXPECT_EQ(exoApp->IdExoApp(), 7);
}

TEST_F(ModuleResultsTest, ResultModuleIdentifierIsAlwaysZero)
{
    module->IdResModule(12);
    EXPECT_EQ(module->IdResModule(), 0);
}

TEST_F(ModuleResultsTest, DestroyReleasesEverything)
{
    module->AddResultQuestion(101);
    module->CreateExoApp(1);
    module->Destroy();
    EXPECT_EQ(module->Appli(), nullptr);
    EXPECT_EQ(module->ExoApp(), nullptr);
    EXPECT_EQ(module->NbQuest(), 0);
    EXPECT_EQ(module->ResultQuestions(1), nullptr);
}

}  // namespace
