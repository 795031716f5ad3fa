#include "ModelFixture.h"

#include "lumaro/model/ExoApp.h"

#include "exerva/Manager.h"
#include "exerva/frmCT.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::FakeComponent;
using lumaro_test::ModelTest;

// A module of application 12 being played in simplified mode, its exercise
// files under the fixtures' root.
class ModuleStartTest : public ModelTest {
protected:
    ModuleStartTest()
    {
        auto& contexte = simplifiedRoot();
        contexte.AddAppli(12);
        appli = contexte.Appli(12);
        appli->Logiciel("Tableur");
        appli->Version("2003");
        contexte.CreateModule();
        module = contexte.ModuleEnCours();
        module->Appli(appli);
        context.xmlCheminServeur = lumaro_test::fixturesRoot();
        language->messages.insert("FRMbarre_errObject", "Composant absent.%1Logiciel %2 version %3");
    }

    // A question of the module on the component of that identifier and name.
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
        module->AddResultQuestion(id);
        return question;
    }

    QString trace() const { return QString::fromUtf8(readFile("Lumaro.htm")); }

    std::shared_ptr<Appli> appli;
    std::shared_ptr<Module> module;
};

TEST_F(ModuleStartTest, ExerciseFileNamesCarryApplicationKindAndInstance)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    const auto base = addQuestion(120003, 3, 1, "Exerva");
    const auto bis = addQuestion(12003, 3, 1, "Exerva");

    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    base->Fermer();
    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    bis->Fermer();

    const QString lines = trace();
    EXPECT_TRUE(lines.contains("DllExerva.InitQuestion(X1213.xml, 3)"));
    EXPECT_TRUE(lines.contains("DllExerva.InitQuestion(X1223.xml, 3)"));
    EXPECT_TRUE(lines.contains("Initialisation du débogage de Exerva"));
    EXPECT_TRUE(lines.contains("Fin Public Function InitInterractif"));
    EXPECT_EQ(context.takeStateEnCours(), 1);
}

TEST_F(ModuleStartTest, AnUnregisteredComponentIsReportedAsTheApplicationsFailure)
{
    addQuestion(120001, 1, 1, "Absent");
    EXPECT_FALSE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurAppli);
    EXPECT_EQ(context.lastError.takeNumber(), 0);
    EXPECT_EQ(context.lastError.takeText(), "Composant absent.\r\nLogiciel Tableur version 2003");
    EXPECT_EQ(module->ResultQuestions(1)->DatePremierAcces().serial(), 0.0);
}

TEST_F(ModuleStartTest, FailuresOfTheComponentOrOfTheDataMapToTheirStates)
{
    struct Case {
        const char* name;
        std::function<void(FakeComponent&, Question&)> arrange;
        long index;
        long state;
        long number;
        const char* text;
    };
    const long appliState = basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurAppli;
    const long inconnue = basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurInconnue;
    const char* message = "Composant absent.\r\nLogiciel Tableur version 2003";
    const Case cases[] = {
        {"missing start slot", [](FakeComponent& c, Question&) { c.missing = {5}; }, 1, appliState, 0, message},
        {"question without component", [](FakeComponent&, Question& q) { q.Dll(nullptr); }, 1, appliState, 0,
         message},
        {"no such result", [](FakeComponent&, Question&) {}, 2, inconnue, platform::SubscriptOutOfRange,
         "Subscript out of range"},
        {"no result at 0", [](FakeComponent&, Question&) {}, 0, inconnue, platform::SubscriptOutOfRange,
         "Subscript out of range"},
        {"failing start slot", [](FakeComponent& c, Question&) { c.broken = {5}; }, 1, inconnue, platform::AutomationError,
         "component failure"},
    };
    long id = 120001;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto component = registerFake(QStringLiteral("Tableur%1").arg(id));
        module->Destroy();
        module->Appli(appli);
        const auto question = addQuestion(id, 1, id, QStringLiteral("Tableur%1").arg(id));
        ++id;
        c.arrange(*component, *question);

        EXPECT_FALSE(module->InitInterractif(c.index, "/cours/"));
        EXPECT_EQ(context.takeStateEnCours(), c.state);
        EXPECT_EQ(context.lastError.takeNumber(), c.number);
        const QString text = context.lastError.takeText();
        if (c.state == appliState)
            EXPECT_EQ(text, c.text);
        else
            EXPECT_TRUE(text.contains(c.text)) << text.toStdString();
    }
}

TEST_F(ModuleStartTest, AFailedPrepareUnloadsTheEngineSoThatTheNextStartTriesAgain)
{
    addQuestion(120001, 1, 1, "Exerva");
    const auto dll = appli->Dll(1);
    context.xmlCheminServeur = "x";

    EXPECT_FALSE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Exerva_modGlobal_puCheckSyntax_ErreurShortString);
    EXPECT_FALSE(dll->Chargee());
    EXPECT_EQ(dll->TypeDll(), 0);
    EXPECT_EQ(dll->DllExerva(), nullptr);

    context.xmlCheminServeur = lumaro_test::fixturesRoot();
    EXPECT_TRUE(module->InitInterractif(1, "/cours/"));
    EXPECT_TRUE(dll->Chargee());
    EXPECT_NE(appli->HandleApplicationInteractive(), -1);
    EXPECT_EQ(appli->HandleApplicationInteractive(), dll->DllExerva()->HandlefrmCT());
}

TEST_F(ModuleStartTest, AnExerciseFileThatDoesNotLoadKeepsTheEnginesCode)
{
    addQuestion(120001, 9, 1, "Exerva");
    EXPECT_FALSE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing);
    EXPECT_TRUE(appli->Dll(1)->Chargee());
    EXPECT_EQ(module->ResultQuestions(1)->DatePremierAcces().serial(), 0.0);
}

TEST_F(ModuleStartTest, ALoadedEngineIsReusedAndItsWindowRestored)
{
    addQuestion(120001, 1, 1, "Exerva");
    const auto second = addQuestion(120002, 2, 1, "Exerva");
    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    const auto engine = appli->Dll(1)->DllExerva();
    appli->Question(120001)->Fermer();
    auto* window = exerva::frmCT::fromWindowId(appli->HandleApplicationInteractive());
    ASSERT_NE(window, nullptr);
    window->showMinimized();

    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    EXPECT_EQ(appli->Dll(1)->DllExerva(), engine);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->windowTitle(), "Mise en forme");
}

TEST_F(ModuleStartTest, InteractiveQuestionsShareTheLiveApplication)
{
    const auto component = registerFake();
    addQuestion(120001, 1, 1, "Tableur");
    addQuestion(120002, 2, 1, "Tableur");

    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    const auto application = appli->ApplicationInteractive();
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(appli->HandleApplicationInteractive(), 77);
    EXPECT_NE(module->ResultQuestions(1)->DatePremierAcces().serial(), 0.0);

    component->handleGiven = 78;
    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    EXPECT_EQ(component->calls, (QStringList{"5 1 /cours/ -1 0", "5 2 /cours/ 77 0"}));
    EXPECT_EQ(appli->ApplicationInteractive(), application);
    EXPECT_EQ(appli->HandleApplicationInteractive(), 78);
    EXPECT_EQ(context.pulStateEnCours, 1);
}

TEST_F(ModuleStartTest, ExerciseApplicationStartsInTheLearnersFolder)
{
    const auto component = registerFake();
    module->CreateExoApp(3);
    appli->AddDll(4);
    appli->Dll(4)->Nom("Tableur");
    module->ExoApp()->Dll(appli->Dll(4));
    module->ExoApp()->Instance(6);

    ASSERT_TRUE(module->InitExoApp("/home/apprenant/"));
    EXPECT_EQ(component->calls, QStringList{"5 6 /home/apprenant/ -1 0"});
    EXPECT_EQ(appli->HandleApplicationInteractive(), 77);
    EXPECT_NE(appli->ApplicationInteractive(), nullptr);

    component->broken = {5};
    EXPECT_FALSE(module->InitExoApp("/home/apprenant/"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Module_InitExoApp_ErreurInconnue);
    EXPECT_EQ(context.lastError.takeNumber(), platform::AutomationError);
}

TEST_F(ModuleStartTest, ExerciseApplicationFailuresKeepTheErrorNumber)
{
    EXPECT_FALSE(module->InitExoApp("/home/apprenant/"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Module_InitExoApp_ErreurAppli);
    EXPECT_EQ(context.lastError.takeNumber(), platform::ObjectNotSet);
    EXPECT_EQ(context.lastError.takeText(), "Composant absent.\r\nLogiciel Tableur version 2003");

    // A component that cannot be loaded keeps the state and error of its loading.
    module->CreateExoApp(3);
    appli->AddDll(4);
    appli->Dll(4)->Nom("Absent");
    module->ExoApp()->Dll(appli->Dll(4));
    EXPECT_FALSE(module->InitExoApp("/home/apprenant/"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Dll_ChargeDll_ErreurInconnue);
    EXPECT_EQ(context.lastError.takeNumber(), platform::CannotCreateObject);
    EXPECT_TRUE(context.lastError.takeText().contains("Absent.Module"));
}

class FailingLanguage final : public LanguageReader {
public:
    QString GetMessage(const QString&) override { throw platform::RuntimeError(platform::FileNotFound); }
};

TEST_F(ModuleStartTest, WithoutAWorkingLanguageReaderTheMessageIsEmpty)
{
    addQuestion(120001, 1, 1, "Absent");
    const std::shared_ptr<LanguageReader> readers[] = {nullptr, std::make_shared<FailingLanguage>()};
    for (const auto& reader : readers) {
        context.langue = reader;
        EXPECT_FALSE(module->InitInterractif(1, "/cours/"));
        EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurAppli);
        EXPECT_EQ(context.lastError.takeText(), QString());
    }
}

}  // namespace
