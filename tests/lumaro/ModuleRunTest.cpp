// Whole module runs, question after question, the way the question player
// drives the model: start, answer, score, record, close, and unload at the end.

#include "ModelFixture.h"

#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"

#include "exerva/Manager.h"
#include "exerva/controls/KavBO.h"
#include "exerva/frmCT.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::ModelTest;
using lumaro_test::days;

class ModuleRunTest : public ModelTest {
protected:
    ModuleRunTest()
    {
        // The host's clock runs 45 minutes ahead of the local one.
        root = std::make_unique<ContexteManager>(context);
        root->CreateManager(TypeSimplifie, platform::OleDate(localSerial() + days(45 * 60)));
        root->AddAppli(12);
        appli = root->Appli(12);
        root->CreateModule();
        module = root->ModuleEnCours();
        module->Appli(appli);
        context.xmlCheminServeur = lumaro_test::fixturesRoot();
    }

    std::shared_ptr<Question> addQuestion(long id, long instance, long dllId, const QString& nom)
    {
        if (!appli->Dll(dllId)) {
            appli->AddDll(dllId);
            appli->Dll(dllId)->Nom(nom);
        }
        appli->AddQuestion(id);
        const auto question = appli->Question(id);
        question->Instance(instance);
        question->Dll(appli->Dll(dllId));
        return question;
    }

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

    std::shared_ptr<Appli> appli;
    std::shared_ptr<Module> module;
};

TEST_F(ModuleRunTest, AModuleOnTheExerciseEngine)
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

// The real component plug-in, found in the component folder by its name.
class PluginRunTest : public ModuleRunTest {
protected:
    PluginRunTest() { context.components.setFolders({path("empty"), lumaro_test::componentsFolder()}); }
    ~PluginRunTest() override
    {
        for (const char* name :
             {"LumaroTestComponent.calls", "LumaroTestComponent.letter", "LumaroTestComponent.missingSlot"})
            QCoreApplication::instance()->setProperty(name, QVariant());
    }

    static QStringList calls()
    {
        return QCoreApplication::instance()->property("LumaroTestComponent.calls").toStringList();
    }
};

TEST_F(PluginRunTest, AModuleOnAnInteractiveComponentPlugIn)
{
    const auto q1 = addQuestion(120001, 1, 1, "lumarotest");
    const auto q2 = addQuestion(120002, 2, 1, "lumarotest");
    q2->AddReponse("C");
    q2->GetReponse("C")->MessageEcran("Voir #1 en #2");
    module->AddResultQuestion(120001);
    module->AddResultQuestion(120002);
    const auto dll = appli->Dll(1);

    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(dll->TypeDll(), 1);
    EXPECT_EQ(appli->HandleApplicationInteractive(), 4242);
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_TRUE(dll->PointBravo());
    q1->Fermer();

    QCoreApplication::instance()->setProperty("LumaroTestComponent.letter", "C");
    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_EQ(dll->PointCauseErreur(), "C");
    const auto complement = dll->DllInterractive()->Complement();
    ASSERT_EQ(complement->Count(), 2);
    EXPECT_EQ(complement->Item(1).trimmed(), "cellule A1");
    q2->Fermer();
    EXPECT_TRUE(root->Destroy());

    EXPECT_EQ(calls(), (QStringList{"5 1 /cours/", "7", "2", "3", "0", "4", "5 2 /cours/", "7", "2", "3", "0", "1",
                                    "4", "6 TaughtApplication True"}));
    EXPECT_FALSE(dll->Chargee());
}

TEST_F(PluginRunTest, APlugInWithoutTheStartSlotIsTheApplicationsFailure)
{
    QCoreApplication::instance()->setProperty("LumaroTestComponent.missingSlot", 5);
    addQuestion(120001, 1, 1, "LumaroTest");
    module->AddResultQuestion(120001);
    EXPECT_FALSE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(root->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurAppli);
    EXPECT_EQ(root->LastErrorNumber(), 0);
    EXPECT_EQ(calls(), QStringList{"5 1 /cours/"});
}

}  // namespace
