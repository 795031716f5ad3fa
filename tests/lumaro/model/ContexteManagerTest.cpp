#include "lumaro/ModelFixture.h"

#include "lumaro/model/Parcours.h"
#include "lumaro/model/User.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace lumaro;
using lumaro_test::ModelTest;
using lumaro_test::days;

using RootTest = ModelTest;

TEST_F(RootTest, ClockOffsetMakesEveryModelDateFollowTheGivenDate)
{
    auto& root = simplifiedRoot(3600.0);
    EXPECT_NEAR(context.pudteDiffDateServeur, days(3600.0), 1e-9);

    ASSERT_TRUE(root.CreateModule());
    clock.advanceSeconds(600);
    root.ModuleEnCours()->StartModule();
    EXPECT_NEAR(root.ModuleEnCours()->DebutModule().serial(), localSerial() - days(3600.0), 1e-9);
}

TEST_F(RootTest, ADateThatIsNoDateIsRefusedAndAnEarlierStateKept)
{
    const double notDates[] = {std::nan(""), HUGE_VAL, platform::OleDate::maxSerial + 1.0};
    for (const double serial : notDates) {
        SCOPED_TRACE(serial);
        ContexteManager root(context);
        EXPECT_FALSE(root.CreateManager(TypeSimplifie, platform::OleDate(serial)));
        EXPECT_EQ(root.StateEnCours(), basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateManager_ErreurInconnue);
        EXPECT_EQ(root.LastErrorNumber(), platform::Overflow);
        EXPECT_EQ(context.pudteDiffDateServeur, 0.0);
        EXPECT_FALSE(root.AddAppli(1));
    }

    ContexteManager root(context);
    const auto error = root.Create(TypeSimplifie, platform::OleDate(std::nan("")));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->number(), platform::Overflow);
    EXPECT_EQ(root.LastErrorNumber(), platform::Overflow);
}

TEST_F(RootTest, CreateModuleDependsOnTheModeAndItsStateIsReadOnce)
{
    struct Case {
        std::optional<TypeManagment> mode;
        bool created;
        long state;
    };
    const Case cases[] = {
        {TypeSimplifie, true, 1},
        {TypeQuelvoro, false, basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurTypeQuelvoro},
        {TypeUndefined, false, basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurTypeElse},
        {std::nullopt, false, basalo::enuFunctionReturnState_Lumaro_ContexteManager_CreateModule_ErreurTypeElse},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode ? int(*c.mode) : 0);
        ContexteManager root(context);
        if (c.mode) {
            ASSERT_TRUE(root.CreateManager(*c.mode, context.localNow()));
        }
        context.puoModuleEnCours = std::make_shared<Module>(context);
        EXPECT_EQ(root.CreateModule(), c.created);
        EXPECT_EQ(root.StateEnCours(), c.state);
        EXPECT_EQ(root.StateEnCours(), 1);
        EXPECT_EQ(context.puoModuleEnCours != nullptr, c.created);
    }
}

TEST_F(RootTest, CreateModuleReplacesTheCurrentModuleWithoutDestroyingIt)
{
    auto& root = simplifiedRoot();
    ASSERT_TRUE(root.CreateModule());
    const auto first = root.ModuleEnCours();
    first->Appli(std::make_shared<Appli>(context));
    ASSERT_TRUE(root.CreateModule());
    EXPECT_NE(root.ModuleEnCours(), first);
    EXPECT_NE(first->Appli(), nullptr);
}

TEST_F(RootTest, AddAppliRefusesAnExistingIdentifier)
{
    auto& root = simplifiedRoot();
    EXPECT_TRUE(root.AddAppli(5));
    const auto first = root.Appli(5);
    EXPECT_FALSE(root.AddAppli(5));
    EXPECT_EQ(root.Appli(5), first);
    EXPECT_EQ(first->IdAppli(), 5);
    EXPECT_EQ(root.Appli(6), nullptr);
}

TEST_F(RootTest, OperationsBeforeCreateManagerAreSafe)
{
    ContexteManager root(context);
    EXPECT_FALSE(root.AddAppli(1));
    EXPECT_EQ(root.Appli(1), nullptr);
    EXPECT_FALSE(root.AddParcoursEval(1, 1));
    EXPECT_EQ(root.CollectionParcours(TYPEevaluation), nullptr);
    EXPECT_EQ(root.ModuleEnCours(), nullptr);
    EXPECT_EQ(root.Utilisateur(), nullptr);
    EXPECT_FALSE(root.DestroyModule());
    EXPECT_FALSE(root.UnloadParcours());
    EXPECT_FALSE(root.Destroy());
    EXPECT_EQ(root.NbParcoursEvalAccessible(), 0);
}

TEST_F(RootTest, DestroyModuleWithoutCurrentModuleSucceedsInSimplifiedMode)
{
    auto& root = simplifiedRoot();
    EXPECT_TRUE(root.DestroyModule());
    ASSERT_TRUE(root.CreateModule());
    const auto module = root.ModuleEnCours();
    module->Appli(std::make_shared<Appli>(context));
    EXPECT_TRUE(root.DestroyModule());
    EXPECT_EQ(root.ModuleEnCours(), nullptr);
    EXPECT_EQ(module->Appli(), nullptr);
}

TEST_F(RootTest, SimplifiedModeHasNoLearnerNorPaths)
{
    auto& root = simplifiedRoot();
    ASSERT_TRUE(root.AddAppli(1));
    EXPECT_EQ(root.Utilisateur(), nullptr);
    EXPECT_EQ(root.CollectionParcours(TYPEformation), nullptr);
    EXPECT_FALSE(root.AddParcoursForm(1, 10));
    EXPECT_EQ(root.Appli(1)->Parcours(10), nullptr);
    EXPECT_FALSE(root.UnloadParcours());
}

class FullModeTest : public ModelTest {
protected:
    FullModeTest()
    {
        root = std::make_unique<ContexteManager>(context);
        root->CreateManager(TypeQuelvoro, context.localNow());
        root->AddAppli(1);
        root->AddAppli(2);
    }
};

TEST_F(FullModeTest, CreatesTheLearnerAndBothPathCollections)
{
    EXPECT_NE(root->Utilisateur(), nullptr);
    ASSERT_NE(root->CollectionParcours(TYPEevaluation), nullptr);
    ASSERT_NE(root->CollectionParcours(TYPEformation), nullptr);
    EXPECT_NE(root->CollectionParcours(TYPEevaluation), root->CollectionParcours(TYPEformation));
    EXPECT_EQ(root->CollectionParcours(TYPEevalOuForm), root->CollectionParcours(TYPEformation));
}

TEST_F(FullModeTest, AddingAPathTwiceKeepsOnePathAndCountsBoth)
{
    EXPECT_TRUE(root->AddParcoursEval(1, 10));
    EXPECT_TRUE(root->AddParcoursEval(1, 10));
    EXPECT_EQ(root->CollectionParcours(TYPEevaluation)->count(), 1);
    EXPECT_EQ(root->NbParcoursEval(), 2);
    EXPECT_EQ(root->Appli(1)->Parcours(10)->IdAppliDuParcours(), 1);
    EXPECT_EQ(root->CollectionParcours(TYPEevaluation)->item("Parcours10"), root->Appli(1)->Parcours(10));

    EXPECT_FALSE(root->AddParcoursForm(9, 11));
    EXPECT_EQ(root->NbParcoursForm(), 0);
}

TEST_F(FullModeTest, AccessibleCountsAreRecountedAtEachReading)
{
    root->AddParcoursForm(1, 20);
    root->AddParcoursForm(2, 21);
    EXPECT_EQ(root->NbParcoursFormAccessible(), 0);
    root->Appli(2)->Parcours(21)->Accessible(true);
    EXPECT_EQ(root->NbParcoursFormAccessible(), 1);
    EXPECT_EQ(root->NbParcoursEvalAccessible(), 0);
}

TEST_F(FullModeTest, CurrentModuleComesThroughTheCurrentPath)
{
    root->AddParcoursEval(1, 10);
    context.puoModuleEnCours = std::make_shared<Module>(context);
    EXPECT_EQ(root->ModuleEnCours(), nullptr);

    clock.advanceSeconds(90);
    ASSERT_TRUE(root->Appli(1)->ParcoursAccede(10));
    EXPECT_EQ(root->ParcoursEnCours(), root->Appli(1)->Parcours(10));
    EXPECT_NEAR(root->ParcoursEnCours()->DebutParcours().serial(), localSerial(), 1e-9);
    EXPECT_EQ(root->ModuleEnCours(), context.puoModuleEnCours);

    root->ParcoursEnCoursQuitte();
    EXPECT_EQ(root->ParcoursEnCours(), nullptr);
    EXPECT_EQ(root->ModuleEnCours(), nullptr);
}

TEST_F(FullModeTest, UnloadParcoursForgetsPathsAndLastEntries)
{
    root->AddParcoursEval(1, 10);
    root->AddParcoursForm(2, 20);
    root->IdDernParcoursAccede(10);
    root->DernParcoursAccedeAccessible(true);
    root->Appli(1)->ParcoursAccede(10);

    EXPECT_TRUE(root->UnloadParcours());
    EXPECT_EQ(root->NbParcoursEval(), 0);
    EXPECT_EQ(root->NbParcoursForm(), 0);
    EXPECT_EQ(root->IdDernParcoursAccede(), -1);
    EXPECT_EQ(root->IdDernModuleAccede(), -1);
    EXPECT_EQ(root->IdAppliDernParcoursAccede(), -1);
    EXPECT_FALSE(root->DernParcoursAccedeAccessible());
    EXPECT_EQ(root->ParcoursEnCours(), nullptr);
    EXPECT_TRUE(root->CollectionParcours(TYPEevaluation)->isEmpty());
    EXPECT_EQ(root->Appli(1)->Parcours(10), nullptr);
    EXPECT_EQ(root->Appli(2)->Parcours(20), nullptr);
}

TEST_F(FullModeTest, DestroyEmptiesTheModelWithoutUnloadingComponents)
{
    const auto component = registerFake();
    const auto appli = root->Appli(1);
    appli->AddDll(1);
    appli->Dll(1)->Nom("Tableur");
    ASSERT_TRUE(appli->Dll(1)->ChargeDll());
    root->AddParcoursEval(1, 10);
    appli->ParcoursAccede(10);

    EXPECT_TRUE(root->Destroy());
    EXPECT_EQ(root->Appli(1), nullptr);
    EXPECT_EQ(root->ParcoursEnCours(), nullptr);
    EXPECT_EQ(root->Utilisateur(), nullptr);
    EXPECT_TRUE(root->CollectionParcours(TYPEevaluation)->isEmpty());
    EXPECT_EQ(appli->Dll(1), nullptr);
    EXPECT_TRUE(component->calls.isEmpty());
}

TEST_F(RootTest, DestroyInSimplifiedModeUnloadsComponentsAndTheModule)
{
    const auto component = registerFake();
    auto& root = simplifiedRoot();
    root.AddAppli(1);
    root.AddAppli(2);
    const auto appli = root.Appli(1);
    appli->AddDll(1);
    const auto dll = appli->Dll(1);
    dll->Nom("Tableur");
    ASSERT_TRUE(dll->ChargeDll());
    root.CreateModule();
    const auto module = root.ModuleEnCours();
    module->Appli(appli);

    EXPECT_TRUE(root.Destroy());
    EXPECT_EQ(component->calls, QStringList{"6 - True"});
    EXPECT_FALSE(dll->Chargee());
    EXPECT_EQ(dll->DllInterractive(), nullptr);
    EXPECT_EQ(root.Appli(1), nullptr);
    EXPECT_EQ(root.Appli(2), nullptr);
    EXPECT_EQ(root.ModuleEnCours(), nullptr);
    EXPECT_EQ(module->Appli(), nullptr);
}

TEST_F(RootTest, AnApplicationAddedWhileTheRootIsEmptiedIsDestroyedToo)
{
    const auto component = registerFake();
    auto& root = simplifiedRoot();
    root.AddAppli(1);
    root.Appli(1)->AddDll(1);
    const auto dll = root.Appli(1)->Dll(1);
    dll->Nom("Tableur");
    ASSERT_TRUE(dll->ChargeDll());
    std::shared_ptr<Appli> added;
    component->reenterSlot = 6;
    component->reenter = [&] {
        root.AddAppli(3);
        added = root.Appli(3);
        added->AddQuestion(120001);
    };

    EXPECT_TRUE(root.Destroy());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Question(120001), nullptr);
    EXPECT_EQ(root.Appli(1), nullptr);
    EXPECT_EQ(root.Appli(3), nullptr);
}

TEST_F(RootTest, ErrorPropertiesAreEachReadOnce)
{
    auto& root = simplifiedRoot();
    root.AddAppli(1);
    root.Appli(1)->AddDll(1);
    const auto dll = root.Appli(1)->Dll(1);
    ASSERT_TRUE(dll->AddReponse("B"));
    ASSERT_FALSE(dll->AddReponse("b"));

    EXPECT_EQ(root.LastErrorNumber(), platform::DuplicateKey);
    EXPECT_EQ(root.LastErrorNumber(), 0);
    EXPECT_EQ(root.StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Dll_AddReponse_ErreurInconnue);
    EXPECT_FALSE(root.LastErrorString().isEmpty());
    EXPECT_EQ(root.LastErrorString(), QString());
    EXPECT_EQ(root.StateEnCours(), 1);
}

TEST_F(RootTest, PathParentIsTakenFromTwoCharactersWithAFinalSeparator)
{
    struct Case {
        const char* given;
        const char* kept;
    };
    const Case cases[] = {
        {"D", ""},
        {"D:\\Log", "D:/Log/"},
        {"/var/log/", "/var/log/"},
        {"ab", "ab/"},
    };
    for (const Case& c : cases) {
        LumaroContext fresh(clock);
        ContexteManager root(fresh);
        root.PathParent(c.given);
        EXPECT_EQ(root.PathParent(), QString(c.kept)) << c.given;
    }
}

TEST_F(RootTest, TraceStartsOnceAndFreezesLevelAndFolder)
{
    ContexteManager root(context);
    root.PathParent(dir());
    root.LevelTracelage(1);
    ASSERT_TRUE(context.traceStarted());
    root.CreateManager(TypeSimplifie, context.localNow());

    root.PathParent(path("other"));
    root.LevelTracelage(2);
    EXPECT_EQ(root.PathParent(), dir());
    EXPECT_EQ(root.LevelTracelage(), 1);

    const QString trace = QString::fromUtf8(readFile("Lumaro.htm"));
    for (const char* expected : {"Version : 1.0.0", "Public Function CreateManager", "ieTypeManagment = 3",
                                 "pudteDiffDateServeur = ", "Fin Public Function CreateManager"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(RootTest, TraceThatCannotStartLeavesTheLevelAtZero)
{
    writeFile("occupied", "a file, not a folder");
    ContexteManager root(context);
    root.PathParent(path("occupied/log"));
    root.LevelTracelage(1);
    EXPECT_EQ(root.LevelTracelage(), 0);
    EXPECT_FALSE(context.traceStarted());
    root.PathParent(dir());
    EXPECT_EQ(root.PathParent(), dir());
}

TEST_F(RootTest, TraceEndsWithTheLastOfRootAndPlayer)
{
    auto root = std::make_unique<ContexteManager>(context);
    root->PathParent(dir());
    root->LevelTracelage(1);
    auto second = std::make_unique<ContexteManager>(context);
    context.managerStarted();

    root.reset();
    second.reset();
    EXPECT_TRUE(context.traceStarted());
    EXPECT_FALSE(readFile("Lumaro.htm").contains("</HTML>"));

    context.managerEnded();
    EXPECT_FALSE(context.traceStarted());
    EXPECT_EQ(context.levelTracelage(), 0);
    EXPECT_TRUE(readFile("Lumaro.htm").contains("</HTML>"));
}

TEST(FormateDuree, WholeSecondsPlusOneMinuteNeverNegative)
{
    struct Case {
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        {0, "0000:01"},
        {59, "0000:01"},
        {60, "0000:02"},
        {5370, "0001:30"},          // 1 h 29 min 30 s
        {5340, "0001:30"},          // 1 h 29 min exactly
        {26 * 3600.0, "0026:01"},
        {10000 * 3600.0, "10000:01"},
        {-300, "0000:01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(puFormateDuree(days(c.seconds)), QString(c.text)) << c.seconds;
    // One hour and 29 minutes built from parts, whose sum falls just short in binary.
    EXPECT_EQ(puFormateDuree(1.0 / 24.0 + 29.0 / 1440.0), "0001:30");
    EXPECT_EQ(puFormateDuree(std::nan("")), "0000:01");
}

}  // namespace
