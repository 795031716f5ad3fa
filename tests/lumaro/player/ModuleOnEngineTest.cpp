// Module starts on the real exercise engine: the files it loads, its codes,
// and its window restored through the Qt window system.

#include "RealEngine.h"
#include "lumaro/ModuleStartFixture.h"

#include "exerva/frmCT.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;

class ModuleOnEngineTest : protected lumaro_test::RealEngine, public lumaro_test::ModuleStartTest {
protected:
    ModuleOnEngineTest() { playOnRealEngine(context); }
};

TEST_F(ModuleOnEngineTest, ExerciseFileNamesCarryApplicationKindAndInstance)
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

TEST_F(ModuleOnEngineTest, AFailedPrepareUnloadsTheEngineSoThatTheNextStartTriesAgain)
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

TEST_F(ModuleOnEngineTest, AnExerciseFileThatDoesNotLoadKeepsTheEnginesCode)
{
    addQuestion(120001, 9, 1, "Exerva");
    EXPECT_FALSE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing);
    EXPECT_TRUE(appli->Dll(1)->Chargee());
    EXPECT_EQ(module->ResultQuestions(1)->DatePremierAcces().serial(), 0.0);
}

TEST_F(ModuleOnEngineTest, ALoadedEngineIsReusedAndItsWindowRestored)
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

TEST_F(ModuleOnEngineTest, AnEngineUsedAgainAfterAnotherOneTakesBackTheApplicationsWindow)
{
    addQuestion(120001, 1, 1, "Exerva");
    addQuestion(12003, 3, 2, "Exerva")->BaseBis(QuestionBis);
    addQuestion(120002, 2, 1, "Exerva");
    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    const long baseWindow = appli->HandleApplicationInteractive();
    appli->Question(120001)->Fermer();
    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    const long bisWindow = appli->HandleApplicationInteractive();
    EXPECT_NE(bisWindow, baseWindow);
    appli->Question(12003)->Fermer();
    exerva::frmCT::fromWindowId(baseWindow)->showMinimized();

    ASSERT_TRUE(module->InitInterractif(3, "/cours/"));
    EXPECT_EQ(appli->HandleApplicationInteractive(), baseWindow);
    auto* window = exerva::frmCT::fromWindowId(baseWindow);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->windowTitle(), "Mise en forme");
}

}  // namespace
