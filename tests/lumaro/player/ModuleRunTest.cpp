// Whole module runs, question after question, the way the question player
// drives the model: start, answer, score, record, close, and unload at the end.

#include "RealEngine.h"
#include "lumaro/ModuleRunFixture.h"

#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"

#include "exerva/controls/KavBO.h"
#include "exerva/frmCT.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::days;

// The module's "EXERVA" components run on the real engine, its windows in the
// Qt window system.
class ModuleRunOnEngineTest : protected lumaro_test::RealEngine, public lumaro_test::ModuleRunTest {
protected:
    ModuleRunOnEngineTest() { playOnRealEngine(context); }

    // What the question player records for the outcome of a scoring.
    void record(long index, const Dll& dll)
    {
        const auto result = module->ResultQuestions(index);
        if (dll.PointErreurGenerale()) {
            result->TypeReponse(ErreurGenerale);
            result->LettreReponse(dll.PointCauseErreur());
        } else if (dll.PointBravo()) {
            result->TypeReponse(Bravo);
            result->LettreReponse("");
        } else {
            result->TypeReponse(ErreurParticuliere);
            result->LettreReponse(dll.PointCauseErreur());
            result->MessageEcranAffiche(result->Question()->GetReponse(dll.PointCauseErreur())->MessageEcran());
        }
    }

    exerva::KavBO& choice() const
    {
        auto* window = exerva::frmCT::fromWindowId(appli->HandleApplicationInteractive());
        EXPECT_NE(window, nullptr);
        auto* control = qobject_cast<exerva::KavBO*>(window ? window->control("Choix") : nullptr);
        EXPECT_NE(control, nullptr);
        return *control;
    }
};

TEST_F(ModuleRunOnEngineTest, AModuleOnTheExerciseEngine)
{
    const auto q1 = addQuestion(120001, 1, 1, "Exerva");
    const auto q2 = addQuestion(120002, 2, 1, "Exerva");
    const auto q3 = addQuestion(12001, 1, 1, "Exerva");
    const auto q4 = addQuestion(120003, 3, 1, "Exerva");
    q2->AddReponse("C");
    q2->GetReponse("C")->IdReponse(22);
    q2->GetReponse("C")->MessageEcran("Le gras, pas l'italique.");
    const auto dll = appli->Dll(1);
    for (const char* letter : {"#A", "B"}) {
        dll->AddReponse(letter);
        dll->GetReponse(letter)->IdReponse(letter[0] == '#' ? 91 : 92);
    }
    for (const long id : {120001, 120002, 12001, 120003})
        module->AddResultQuestion(id);
    module->StartModule();
    const double start = localSerial() + days(45 * 60);
    EXPECT_NEAR(module->DebutModule().serial(), start, 1e-9);

    // 1: the right option.
    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    const long handle = appli->HandleApplicationInteractive();
    ASSERT_TRUE(choice().chooseOption(0));
    clock.advanceSeconds(90);
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_TRUE(dll->PointBravo());
    record(1, *dll);
    q1->Fermer();
    ASSERT_EQ(context.takeStateEnCours(), 1);
    module->MajResultQuest(1);

    // 2: the wrong option, with its letter and message.
    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    ASSERT_TRUE(choice().chooseOption(1));
    clock.advanceSeconds(200);
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_FALSE(dll->PointBravo());
    EXPECT_FALSE(dll->PointErreurGenerale());
    EXPECT_EQ(dll->PointCauseErreur(), "C");
    record(2, *dll);
    q2->Fermer();
    module->MajResultQuest(2);

    // 3: a bis question whose file has no answer zone: the engine reports a failure.
    ASSERT_TRUE(module->InitInterractif(3, "/cours/"));
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_EQ(dll->PointCauseErreur(), "#A");
    EXPECT_TRUE(dll->PointErreurGenerale());
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Exerva_Manager_TestePoint_ErreurInconnue);
    record(3, *dll);
    // The engine goes away while the question is open.
    dll->DllExerva(nullptr);
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_EQ(dll->PointCauseErreur(), "B");
    EXPECT_FALSE(dll->Chargee());
    q3->Fermer();
    module->MajResultQuest(3);
    EXPECT_EQ(exerva::frmCT::fromWindowId(handle), nullptr);

    // 4: a new engine is loaded and prepared for the next question.
    ASSERT_TRUE(module->InitInterractif(4, "/cours/"));
    EXPECT_TRUE(dll->Chargee());
    ASSERT_TRUE(choice().chooseOption(0));
    clock.advanceSeconds(30);
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_TRUE(dll->PointBravo());
    record(4, *dll);
    q4->Fermer();
    module->MajResultQuest(4);
    EXPECT_EQ(context.takeStateEnCours(), 1);

    const struct {
        long type;
        const char* letter;
        long idReponse;
        const char* duree;
    } expected[] = {
        {Bravo, "", -1, "0000:02"},
        {ErreurParticuliere, "C", 22, "0000:04"},
        {ErreurGenerale, "#A", 91, "0000:01"},
        {Bravo, "", -1, "0000:01"},
    };
    for (long i = 1; i <= 4; ++i) {
        const auto& e = expected[i - 1];
        const auto result = module->ResultQuestions(i);
        EXPECT_EQ(result->TypeAffichage(), e.type) << i;
        EXPECT_EQ(result->LettreReponse(), e.letter) << i;
        EXPECT_EQ(result->IdReponse(), e.idReponse) << i;
        EXPECT_EQ(result->Duree(), e.duree) << i;
    }
    EXPECT_EQ(module->ResultQuestions(2)->MessageEcranAffiche(), "Le gras, pas l'italique.");
    EXPECT_NEAR(module->ResultQuestions(1)->DatePremierAcces().serial(), start, 1e-9);
    EXPECT_NEAR(module->ResultQuestions(2)->DatePremierAcces().serial(), start + days(90), 1e-9);
    EXPECT_EQ(module->NbQuestReussi(), 2);
    EXPECT_EQ(module->TempsPasseModule(), "0000:06");

    const long lastHandle = appli->HandleApplicationInteractive();
    ASSERT_NE(exerva::frmCT::fromWindowId(lastHandle), nullptr);
    EXPECT_TRUE(root->Destroy());
    EXPECT_EQ(exerva::frmCT::fromWindowId(lastHandle), nullptr);
    EXPECT_FALSE(dll->Chargee());
    EXPECT_EQ(dll->DllExerva(), nullptr);
    EXPECT_EQ(root->ModuleEnCours(), nullptr);
    EXPECT_EQ(root->Appli(12), nullptr);
}

}  // namespace
