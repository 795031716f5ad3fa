#include "lumaro/ModelFixture.h"

#include "lumaro/model/IndexThematique.h"
#include "lumaro/model/Parcours.h"
#include "lumaro/model/User.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using namespace lumaro;
using namespace lumaro_test;

TEST(Learner, ClearInfoUserForgetsAllButTheCompany)
{
    User user;
    user.MotDePasse("secret");
    user.Titre("M.");
    user.Prenom("Jean");
    user.Nom("Dupont");
    user.NumIdent("D042");
    user.Entreprise("Acme");
    user.IdBase(42);
    user.EnvLog(3);
    user.EnvIHM(2);
    user.AvecSon(true);
    user.EnCreation(true);
    user.Connecte(true);
    user.DoitChangerMotDePasse(true);
    user.BesoinAccessible(true);
    user.ExclusionBesoin(true);

    user.ClearInfoUser();

    EXPECT_EQ(user.Entreprise(), "Acme");
    for (const QString& text : {user.MotDePasse(), user.Titre(), user.Prenom(), user.Nom(), user.NumIdent()})
        EXPECT_TRUE(text.isEmpty()) << text.toStdString();
    for (const long number : {user.IdBase(), user.EnvLog(), user.EnvIHM()})
        EXPECT_EQ(number, 0);
    for (const bool flag : {user.AvecSon(), user.EnCreation(), user.Connecte(), user.DoitChangerMotDePasse(),
                            user.BesoinAccessible(), user.ExclusionBesoin()})
        EXPECT_FALSE(flag);
}

class PathTest : public ModelTest {
protected:
    std::shared_ptr<Parcours> makePath(ETypeParcoursModule type = TYPEevaluation)
    {
        auto parcours = std::make_shared<Parcours>(context);
        parcours->TypeParcours(type);
        return parcours;
    }
};

TEST_F(PathTest, NewPathHasNoModuleNoIndexAndNoAssociatedPath)
{
    const Parcours parcours(context);
    EXPECT_EQ(parcours.NbModules(), 0);
    EXPECT_EQ(parcours.NbModulesAccessibles(), 0);
    EXPECT_EQ(parcours.IdParcoursAssocie(), -1);
    EXPECT_EQ(parcours.IndexThematique(), nullptr);
    EXPECT_EQ(parcours.EstTermine(), EnCours);
    EXPECT_EQ(parcours.DebutParcours().serial(), 0.0);
    EXPECT_EQ(parcours.GetInfosEval(), tGlobPropParcEval());
}

TEST_F(PathTest, AddModuleRefusesAnIdentifierItHolds)
{
    const auto parcours = makePath(TYPEformation);
    EXPECT_TRUE(parcours->AddModule(7));
    const auto first = parcours->Module(7);
    EXPECT_FALSE(parcours->AddModule(7));
    EXPECT_EQ(parcours->NbModules(), 1);
    EXPECT_EQ(parcours->Module(7), first);
    EXPECT_EQ(parcours->CollectionModules()->item("MODULE7"), first);
    EXPECT_EQ(first->IdModule(), 7);
    EXPECT_EQ(first->TypeModule(), TYPEformation);
    EXPECT_EQ(parcours->Module(8), nullptr);
}

TEST_F(PathTest, OnlyAnEvaluationPathGivesItsModulesTheTimingAndDisplaySettings)
{
    const struct {
        ETypeParcoursModule type;
        tGlobPropModEval expected;
    } cases[] = {
        {TYPEevaluation, {3, true, true}},
        {TYPEformation, {}},
        {TYPEevalOuForm, {}},
    };
    for (const auto& c : cases) {
        const auto parcours = makePath(c.type);
        parcours->SetInfosEval(eGlobPropParcEval::lGPETypeChrono, 3, false);
        parcours->SetInfosEval(eGlobPropParcEval::bGPEVisuNote, 0, true);
        parcours->SetInfosEval(eGlobPropParcEval::bGPEVisuResultat, 0, true);
        parcours->SetInfosEval(eGlobPropParcEval::bGPESequentiel, 0, true);
        ASSERT_TRUE(parcours->AddModule(1));
        EXPECT_EQ(parcours->Module(1)->GlobPropModEval(), c.expected) << "type " << c.type;
        EXPECT_EQ(parcours->Module(1)->TypeModule(), c.type);
    }
}

TEST_F(PathTest, ModulesKeepTheSettingsOfTheirAdd)
{
    const auto parcours = makePath(TYPEevaluation);
    parcours->SetInfosEval(eGlobPropParcEval::lGPETypeChrono, 1, false);
    parcours->AddModule(1);
    parcours->SetInfosEval(eGlobPropParcEval::lGPETypeChrono, 2, false);
    parcours->AddModule(2);
    EXPECT_EQ(parcours->Module(1)->GlobPropModEval().lGPETypeChrono, 1);
    EXPECT_EQ(parcours->Module(2)->GlobPropModEval().lGPETypeChrono, 2);
}

TEST_F(PathTest, SetInfosEvalStoresTheValueOfTheSelectedSettingOnly)
{
    const auto withField = [](std::function<void(tGlobPropParcEval&)> set) {
        tGlobPropParcEval infos;
        set(infos);
        return infos;
    };
    const struct {
        long selector;
        tGlobPropParcEval expected;
    } cases[] = {
        {1, withField([](auto& i) { i.lGPETypeChrono = 9; })},
        {2, withField([](auto& i) { i.bGPEReprise = true; })},
        {3, withField([](auto& i) { i.lGPETypeReprise = 9; })},
        {4, withField([](auto& i) { i.bGPESequentiel = true; })},
        {5, withField([](auto& i) { i.bGPEVisuNote = true; })},
        {6, withField([](auto& i) { i.lGPETypeVisu = 9; })},
        {7, withField([](auto& i) { i.bGPEVisuResultat = true; })},
        {8, withField([](auto& i) { i.bGPEMajAutorise = true; })},
        {9, withField([](auto& i) { i.bGPEPformAutoCree = true; })},
        {0, {}},
        {10, {}},
        {-1, {}},
    };
    for (const auto& c : cases) {
        Parcours parcours(context);
        parcours.SetInfosEval(eGlobPropParcEval(c.selector), 9, true);
        EXPECT_EQ(parcours.GetInfosEval(), c.expected) << "selector " << c.selector;
    }
}

TEST_F(PathTest, TheThematicIndexComesWithTheFirstTrainingTypeAndStays)
{
    const struct {
        std::vector<ETypeParcoursModule> types;
        bool hasIndex;
    } cases[] = {
        {{TYPEevaluation}, false},
        {{TYPEevalOuForm}, false},
        {{TYPEformation}, true},
        {{TYPEformation, TYPEformation}, true},
        {{TYPEformation, TYPEevaluation}, true},
        {{TYPEevaluation, TYPEformation}, true},
    };
    for (const auto& c : cases) {
        Parcours parcours(context);
        std::shared_ptr<IndexThematique> first;
        for (const auto type : c.types) {
            parcours.TypeParcours(type);
            if (!first)
                first = parcours.IndexThematique();
        }
        EXPECT_EQ(parcours.IndexThematique() != nullptr, c.hasIndex) << "last type " << c.types.back();
        EXPECT_EQ(parcours.IndexThematique(), first) << "the first index is kept";
        EXPECT_EQ(parcours.TypeParcours(), c.types.back());
    }
}

TEST_F(PathTest, NbModulesAccessiblesIsCountedNotStored)
{
    const auto parcours = makePath();
    for (long id = 1; id <= 3; ++id)
        parcours->AddModule(id);
    parcours->NbModulesAccessibles(5);
    EXPECT_EQ(parcours->NbModulesAccessibles(), 0);
    parcours->Module(1)->Accessible(true);
    parcours->Module(3)->Accessible(true);
    EXPECT_EQ(parcours->NbModulesAccessibles(), 2);
    parcours->IdResParcours(8);
    EXPECT_EQ(parcours->IdResParcours(), 0);
}

TEST_F(PathTest, ModuleAccedeMakesTheModuleCurrentAndStartsItOnTheModelClock)
{
    simplifiedRoot(3600.0);
    const auto parcours = makePath();
    parcours->AddModule(4);

    EXPECT_TRUE(parcours->ModuleAccede(4));
    EXPECT_EQ(context.puoModuleEnCours, parcours->Module(4));
    EXPECT_EQ(parcours->ModuleEnCours(), parcours->Module(4));
    EXPECT_NEAR(parcours->Module(4)->DebutModule().serial(), localSerial() - days(3600.0), 1e-9);
}

TEST_F(PathTest, ModuleAccedeOfAModuleItDoesNotHoldLeavesNoCurrentModule)
{
    const auto parcours = makePath();
    parcours->AddModule(4);
    context.puoModuleEnCours = std::make_shared<Module>(context);

    EXPECT_FALSE(parcours->ModuleAccede(5));
    EXPECT_EQ(context.puoModuleEnCours, nullptr);
}

TEST_F(PathTest, ModuleEnCoursQuitteEndsTheCurrentModule)
{
    const auto parcours = makePath(TYPEevaluation);
    const auto appli = std::make_shared<Appli>(context);
    appli->AddQuestion(1);
    parcours->AddModule(4);
    const auto module = parcours->Module(4);
    module->Appli(appli);
    module->AddResultQuestion(1);
    module->ResultQuestions(1)->TypeAffichage(Bravo);
    ASSERT_TRUE(parcours->ModuleAccede(4));

    parcours->ModuleEnCoursQuitte();

    EXPECT_EQ(context.puoModuleEnCours, nullptr);
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), PasDeResultat);
}

TEST_F(PathTest, ModuleEnCoursQuitteWithoutCurrentModuleDoesNothing)
{
    const auto parcours = makePath();
    parcours->AddModule(4);
    parcours->ModuleEnCoursQuitte();
    EXPECT_EQ(context.puoModuleEnCours, nullptr);
    EXPECT_EQ(parcours->NbModules(), 1);
}

TEST_F(PathTest, DestroyForgetsTheCurrentModuleOnlyWhenItIsItsOwn)
{
    enum Current { Own, Other, None };
    const struct {
        Current current;
        bool currentKept;
    } cases[] = {{Own, false}, {Other, true}, {None, false}};
    for (const auto& c : cases) {
        const auto parcours = makePath();
        const auto other = makePath();
        parcours->AddModule(1);
        parcours->AddModule(2);
        other->AddModule(1);
        context.puoModuleEnCours.reset();
        if (c.current == Own)
            parcours->ModuleAccede(2);
        else if (c.current == Other)
            other->ModuleAccede(1);
        const auto current = context.puoModuleEnCours;

        parcours->Destroy();

        EXPECT_EQ(context.puoModuleEnCours != nullptr, c.currentKept) << "case " << c.current;
        if (c.currentKept) {
            EXPECT_EQ(context.puoModuleEnCours, current);
        }
        EXPECT_EQ(parcours->NbModules(), 0);
        EXPECT_EQ(parcours->Module(1), nullptr);
    }
}

TEST_F(PathTest, DestroyReleasesTheModulesApplicationAndTheThematicIndex)
{
    const auto parcours = makePath(TYPEformation);
    const auto index = parcours->IndexThematique();
    ASSERT_NE(index, nullptr);
    index->InitLettres({65});
    index->addEntreePrincipale(1, "Addition");
    parcours->AddModule(1);
    const auto module = parcours->Module(1);
    module->Appli(std::make_shared<Appli>(context));
    module->CreateExoApp(3);

    parcours->Destroy();

    EXPECT_EQ(module->Appli(), nullptr);
    EXPECT_EQ(module->ExoApp(), nullptr);
    EXPECT_EQ(parcours->IndexThematique(), nullptr);
    EXPECT_EQ(index->EntreePrincipale(1), nullptr) << "the index is emptied as it is released";
    EXPECT_EQ(index->Lettre(65), nullptr);
}

TEST_F(PathTest, DureeParcoursCountsFromTheEntryOnTheModelClock)
{
    const struct {
        double offsetSeconds;
        qint64 elapsedSeconds;
        const char* expected;
    } cases[] = {
        {0.0, 0, "0000:01"},
        {3600.0, 0, "0000:01"},
        {3600.0, 89 * 60 + 30, "0001:30"},
        {-7200.0, 26 * 3600, "0026:01"},
    };
    for (const auto& c : cases) {
        simplifiedRoot(c.offsetSeconds);
        const auto parcours = makePath();
        parcours->DebutParcours(context.modelNow());
        clock.advanceSeconds(c.elapsedSeconds);
        EXPECT_EQ(parcours->DureeParcours(), c.expected) << "offset " << c.offsetSeconds;
    }
}

TEST_F(PathTest, DureeParcoursOfAPathNeverEnteredIsZero)
{
    simplifiedRoot(3600.0);
    const auto parcours = makePath();
    clock.advanceSeconds(600);
    EXPECT_EQ(parcours->DureeParcours(), "0000:00");
}

}  // namespace
