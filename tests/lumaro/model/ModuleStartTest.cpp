#include "FakeExerciseEngine.h"
#include "lumaro/ModuleStartFixture.h"

#include "lumaro/model/ExoApp.h"

#include "platform/RecordingWindowSystem.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::FakeComponent;
using lumaro_test::FakeEngines;
using lumaro_test::ModuleStartTest;

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

// The same module whose "EXERVA" components run on fake engines, in windows
// of the recording window system.
class ModuleOnFakeEngineTest : public ModuleStartTest {
protected:
    ModuleOnFakeEngineTest()
    {
        engines.install(context);
        context.windows = windows;
    }

    FakeEngines engines;
    std::shared_ptr<platform::RecordingWindowSystem> windows = std::make_shared<platform::RecordingWindowSystem>();
};

TEST_F(ModuleOnFakeEngineTest, TheEngineIsPreparedOnceThenItsWindowIsRestoredForEachQuestion)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    const platform::WindowId exercise = windows->addWindow("Mise en forme");
    engines.arrange = [exercise](lumaro_test::FakeExerciseEngine& engine) { engine.windowId = exercise; };
    const auto first = addQuestion(120001, 1, 1, "Exerva");
    addQuestion(12002, 2, 1, "Exerva");

    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(appli->HandleApplicationInteractive(), exercise);
    EXPECT_TRUE(windows->calls().isEmpty());
    first->Fermer();
    windows->minimise(exercise);
    windows->clearCalls();

    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    ASSERT_EQ(engines.made.size(), 1u);
    EXPECT_EQ(engines.last().calls,
              (QStringList{"LevelTracelage 1", "PathTracel " + context.traceFolder(),
                           "Prepare " + lumaro_test::fixturesRoot() + " False 12", "InitQuestion X1211.xml 1 1",
                           "FermePoint", "InitQuestion X1222.xml 2 2"}));
    EXPECT_EQ(windows->calls(), QStringList{"showNormal " + QString::number(exercise)});
    EXPECT_FALSE(windows->window(exercise)->minimised);
    EXPECT_EQ(context.takeStateEnCours(), 1);
}

TEST_F(ModuleOnFakeEngineTest, AnEngineFailureKeepsItsCodeAndError)
{
    using Engine = lumaro_test::FakeExerciseEngine;
    const long notLoaded = basalo::enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML;
    const long shortRoot = basalo::enuFunctionReturnState_Exerva_modGlobal_puCheckSyntax_ErreurShortString;
    // Each case has a component, and so an engine, of its own.
    const struct {
        const char* name;
        std::function<void(Engine&)> arrange;
        long state;
        long number;
    } cases[] = {
        {"refused root", [&](Engine& e) { e.prepareCode = shortRoot; }, shortRoot, 0},
        {"file not loaded",
         [&](Engine& e) {
             e.initQuestionCode = notLoaded;
             e.errorNumber = platform::FileNotFound;
             e.errorText = "X1211.xml";
         },
         notLoaded, platform::FileNotFound},
        {"engine throws", [](Engine& e) { e.broken = "Prepare"; },
         basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurInconnue, platform::AutomationError},
    };
    long id = 120001;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engines.arrange = c.arrange;
        addQuestion(id, 1, id, "Exerva");
        ++id;
        const long index = module->NbQuest();

        EXPECT_FALSE(module->InitInterractif(index, "/cours/"));
        EXPECT_EQ(context.takeStateEnCours(), c.state);
        EXPECT_EQ(context.lastError.takeNumber(), c.number);
        EXPECT_EQ(module->ResultQuestions(index)->DatePremierAcces().serial(), 0.0);
    }
}

}  // namespace
