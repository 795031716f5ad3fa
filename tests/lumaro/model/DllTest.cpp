#include "FakeExerciseEngine.h"
#include "lumaro/ModelFixture.h"

#include "lumaro/model/ReponseGenerale.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::FakeComponent;
using lumaro_test::FakeEngines;
using lumaro_test::ModelTest;

class DllTest : public ModelTest {
protected:
    DllTest() { engines.install(context); }

    FakeEngines engines;
    std::shared_ptr<Dll> dll = std::make_shared<Dll>(context);

    lumaro_test::FakeExerciseEngine& loadEngine()
    {
        dll->Nom("Exerva");
        EXPECT_TRUE(dll->ChargeDll());
        return engines.last();
    }

    std::shared_ptr<FakeComponent> loadFake()
    {
        const auto component = registerFake();
        dll->Nom("Tableur");
        EXPECT_TRUE(dll->ChargeDll());
        return component;
    }
};

TEST_F(DllTest, TheEngineIsBoundByNameInAnyCase)
{
    for (const char* name : {"exerva", "Exerva", "EXERVA"}) {
        auto engineDll = std::make_shared<Dll>(context);
        engineDll->Nom(name);
        EXPECT_TRUE(engineDll->ChargeDll()) << name;
        EXPECT_EQ(engineDll->TypeDll(), 2) << name;
        EXPECT_TRUE(engineDll->Chargee()) << name;
        EXPECT_EQ(engineDll->DllExerva(), engines.made.back()) << name;
        EXPECT_EQ(engineDll->DllInterractive(), nullptr) << name;
    }
    EXPECT_EQ(engines.made.size(), 3u);
}

TEST_F(DllTest, WithoutAnEngineSuppliedTheEngineCannotBeCreated)
{
    const struct {
        const char* name;
        ExerciseEngineFactory factory;
        long number;
    } cases[] = {
        {"no factory", nullptr, platform::CannotCreateObject},
        {"no engine made", [] { return std::shared_ptr<ExerciseEngine>(); }, platform::CannotCreateObject},
        {"factory fails", []() -> std::shared_ptr<ExerciseEngine> { throw std::runtime_error("no display"); },
         platform::AutomationError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        context.engineFactory = c.factory;
        dll->Nom("Exerva");
        EXPECT_FALSE(dll->ChargeDll());
        EXPECT_FALSE(dll->Chargee());
        EXPECT_EQ(dll->DllExerva(), nullptr);
        EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Dll_ChargeDll_ErreurInconnue);
        EXPECT_EQ(context.lastError.takeNumber(), c.number);
    }
}

TEST_F(DllTest, OtherNamesBindARegisteredComponentWithoutRegardToCase)
{
    registerFake("Tableur");
    dll->Nom("TABLEUR");
    EXPECT_TRUE(dll->ChargeDll());
    EXPECT_EQ(dll->TypeDll(), 1);
    EXPECT_TRUE(dll->Chargee());
    EXPECT_NE(dll->DllInterractive(), nullptr);
    EXPECT_EQ(dll->DllExerva(), nullptr);
}

TEST_F(DllTest, AnUnknownComponentFailsToLoadAndKeepsAnEarlierState)
{
    dll->Nom("Absent");
    EXPECT_FALSE(dll->ChargeDll());
    EXPECT_EQ(dll->TypeDll(), 1);
    EXPECT_FALSE(dll->Chargee());
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Dll_ChargeDll_ErreurInconnue);
    EXPECT_EQ(context.lastError.takeNumber(), platform::CannotCreateObject);
    EXPECT_TRUE(context.lastError.takeText().contains("Absent.Module"));

    context.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Dll_AddReponse_ErreurInconnue;
    EXPECT_FALSE(dll->ChargeDll());
    EXPECT_EQ(context.pulStateEnCours, basalo::enuFunctionReturnState_Lumaro_Dll_AddReponse_ErreurInconnue);
}

TEST_F(DllTest, ComponentNamesAreValidatedBeforeAnyLookup)
{
    writeFile("evil.Module.so", "not a library");
    context.components.setFolders({path("components")});
    int created = 0;
    const QString names[] = {"../evil", "a/b", "a\\b", "", "a b", "é", "/tmp/evil"};
    for (const QString& name : names) {
        context.components.registerComponent(name, [&created] {
            ++created;
            return std::make_shared<FakeComponent>();
        });
        dll->Nom(name);
        EXPECT_FALSE(dll->ChargeDll()) << name.toStdString();
        EXPECT_EQ(context.lastError.takeNumber(), platform::CannotCreateObject);
    }
    EXPECT_EQ(created, 0);
    EXPECT_TRUE(ComponentRegistry::isValidName("Word_2003.v-1"));
}

TEST_F(DllTest, AFileThatIsNoComponentPlugInCannotBeCreated)
{
    writeFile("components/Faux.Module.so", "not a library");
    context.components.setFolders({path("components")});
    dll->Nom("Faux");
    EXPECT_FALSE(dll->ChargeDll());
    EXPECT_EQ(context.lastError.number(), platform::CannotCreateObject);
}

TEST_F(DllTest, ScoringWithNothingLoadedIsTheGeneralErrorB)
{
    EXPECT_TRUE(dll->TestePoint());
    EXPECT_EQ(dll->PointCauseErreur(), "B");
    EXPECT_TRUE(dll->PointErreurGenerale());
    EXPECT_FALSE(dll->PointBravo());
    EXPECT_EQ(dll->TypeDll(), 0);
}

TEST_F(DllTest, AnEngineThatIsGoneOrThrowsGivesBAndIsLoadedAgainNextTime)
{
    const struct {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"gone",
         [&] {
             dll->TypeDll(2);
             dll->Chargee(true);
         }},
        {"throws", [&] { loadEngine().broken = "TestePoint"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        EXPECT_TRUE(dll->TestePoint());
        EXPECT_EQ(dll->PointCauseErreur(), "B");
        EXPECT_TRUE(dll->PointErreurGenerale());
        EXPECT_FALSE(dll->Chargee());
        EXPECT_EQ(dll->TypeDll(), 0);
        EXPECT_EQ(dll->DllExerva(), nullptr);
    }
}

TEST_F(DllTest, AnEngineScoresRightOrWrongWithItsLetter)
{
    auto& engine = loadEngine();
    EXPECT_TRUE(dll->TestePoint());
    EXPECT_TRUE(dll->PointBravo());
    EXPECT_FALSE(dll->PointErreurGenerale());

    engine.bravo = false;
    engine.letter = "C";
    EXPECT_TRUE(dll->TestePoint());
    EXPECT_FALSE(dll->PointBravo());
    EXPECT_FALSE(dll->PointErreurGenerale());
    EXPECT_EQ(dll->PointCauseErreur(), "C");
    EXPECT_EQ(engine.calls, (QStringList{"TestePoint", "TestePoint"}));
}

TEST_F(DllTest, AnEngineFailureCodeIsTheGeneralErrorHashA)
{
    loadEngine().testePointCode = basalo::enuFunctionReturnState_Exerva_Manager_TestePoint_ErreurInconnue;
    EXPECT_TRUE(dll->TestePoint());
    EXPECT_EQ(dll->PointCauseErreur(), "#A");
    EXPECT_TRUE(dll->PointErreurGenerale());
    EXPECT_FALSE(dll->PointBravo());
    EXPECT_TRUE(dll->Chargee());
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Exerva_Manager_TestePoint_ErreurInconnue);
    EXPECT_EQ(context.takeStateEnCours(), 1);
}

TEST_F(DllTest, InteractiveScoringCallsTheSlotsInOrder)
{
    struct Case {
        const char* name;
        QString letter;
        bool generale;
        bool nuance;
        QSet<int> missing;
        QString cause;
        bool bravo;
        bool erreurGenerale;
        bool bravoNuance;
    };
    const Case cases[] = {
        {"right", "", false, false, {}, "", true, false, false},
        {"nuanced", "", false, true, {}, "", true, false, true},
        {"wrong", "C", false, false, {}, "C", false, false, false},
        {"general", "#G", true, false, {}, "#G", false, true, false},
        {"scoring fails", "", false, false, {7}, "B", false, true, false},
        {"letter fails", "", false, false, {2}, "B", false, true, false},
        {"flags fail", "C", true, true, {3, 0}, "C", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto scored = std::make_shared<Dll>(context);
        auto component = std::make_shared<FakeComponent>();
        component->letter = c.letter;
        component->generale = c.generale;
        component->nuance = c.nuance;
        component->missing = c.missing;
        scored->TypeDll(1);
        scored->DllInterractive(component);

        EXPECT_TRUE(scored->TestePoint());
        EXPECT_EQ(component->calls, (QStringList{"7", "2", "3", "0"}));
        EXPECT_EQ(scored->PointCauseErreur(), c.cause);
        EXPECT_EQ(scored->PointBravo(), c.bravo);
        EXPECT_EQ(scored->PointErreurGenerale(), c.erreurGenerale);
        EXPECT_EQ(scored->PointBravoNuance(), c.bravoNuance);
    }
}

TEST_F(DllTest, InteractiveFlagsAreNotLeftOverFromTheLastScoring)
{
    const auto component = loadFake();
    component->letter = "#G";
    component->generale = true;
    ASSERT_TRUE(dll->TestePoint());
    ASSERT_TRUE(dll->PointErreurGenerale());

    component->letter = "C";
    component->missing = {3};
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_FALSE(dll->PointErreurGenerale());
    EXPECT_EQ(dll->PointCauseErreur(), "C");
}

TEST_F(DllTest, GeneralAnswersAreKeyedByLetter)
{
    EXPECT_TRUE(dll->AddReponse("B"));
    EXPECT_FALSE(dll->AddReponse("b"));
    EXPECT_EQ(context.takeStateEnCours(), basalo::enuFunctionReturnState_Lumaro_Dll_AddReponse_ErreurInconnue);
    ASSERT_NE(dll->GetReponse("b"), nullptr);
    EXPECT_EQ(dll->GetReponse("#A"), nullptr);

    context.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Dll_ChargeDll_ErreurInconnue;
    EXPECT_FALSE(dll->AddReponse("B"));
    EXPECT_EQ(context.pulStateEnCours, basalo::enuFunctionReturnState_Lumaro_Dll_ChargeDll_ErreurInconnue);
}

TEST_F(DllTest, DestroyReleasesTheComponentWithoutClosingIt)
{
    const auto component = loadFake();
    dll->AddReponse("A");
    dll->Destroy();
    EXPECT_EQ(dll->DllInterractive(), nullptr);
    EXPECT_EQ(dll->GetReponse("A"), nullptr);
    EXPECT_TRUE(component->calls.isEmpty());
}

}  // namespace
