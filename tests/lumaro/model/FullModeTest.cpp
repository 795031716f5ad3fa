#include "lumaro/ModelFixture.h"

#include "lumaro/model/AppliIndex.h"
#include "lumaro/model/EntreeIndex.h"
#include "lumaro/model/EntreePrincipale.h"
#include "lumaro/model/IndexThematique.h"
#include "lumaro/model/LettreIndex.h"
#include "lumaro/model/LettresEntrees.h"
#include "lumaro/model/Parcours.h"
#include "lumaro/model/SeqThemeIndex.h"
#include "lumaro/model/User.h"
#include "lumaro/model/Video.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace lumaro;
using namespace lumaro_test;

// A root in full mode whose clock is one hour behind the local clock, with
// applications 1 and 2.
class FullModeCourse : public ModelTest {
protected:
    FullModeCourse()
    {
        root = std::make_unique<ContexteManager>(context);
        root->CreateManager(TypeQuelvoro, platform::OleDate(localSerial() - days(3600.0)));
        root->AddAppli(1);
        root->AddAppli(2);
    }
};

// The letters that are visible, in alphabetical order.
QString visibleLetters(const AppliIndex& index)
{
    QString letters;
    for (char16_t code = u'A'; code <= u'['; ++code) {
        if (index.LettreIndex(QString(QChar(code)))->Visible())
            letters += QChar(code);
    }
    return letters;
}

std::vector<long> visibleEntries(const AppliIndex& index, const std::vector<long>& ids)
{
    std::vector<long> visible;
    for (const long id : ids) {
        if (index.EntreeIndexById(id)->Visible())
            visible.push_back(id);
    }
    return visible;
}

// What the host does to show a path's part of the alphabetical index: every
// lesson and solution video of the questions of the path's modules marks its themes.
void applyMask(Appli& appli, const Parcours& parcours)
{
    const auto index = appli.AppliIndex();
    index->InitMasque();
    for (const auto& module : parcours.CollectionModules()->items()) {
        for (long item = 1; item <= module->NbQuest(); ++item) {
            const long question = module->ResultQuestions(item)->IdQuestion();
            for (const QString& type : {QStringLiteral("L"), QStringLiteral("C")}) {
                if (const auto video = appli.VideoByType(question, type))
                    index->SetThemVisible(video->IdVideo(), question, type);
            }
        }
    }
    index->CalculeVisibilite(parcours.IdParcours());
}

TEST_F(FullModeCourse, APathIdentifierHeldForAnotherApplicationIsRefusedAndLeavesNothingBehind)
{
    ASSERT_TRUE(root->AddParcoursEval(1, 10));

    EXPECT_FALSE(root->AddParcoursEval(2, 10));
    EXPECT_EQ(root->Appli(2)->Parcours(10), nullptr);
    EXPECT_EQ(root->NbParcoursEval(), 1);
    EXPECT_EQ(root->CollectionParcours(TYPEevaluation)->item("Parcours10")->IdAppliDuParcours(), 1);

    EXPECT_TRUE(root->AddParcoursForm(2, 10)) << "the training paths are keyed apart";
    EXPECT_EQ(root->CollectionParcours(TYPEformation)->item("Parcours10"), root->Appli(2)->Parcours(10));
}

TEST_F(FullModeCourse, TheCurrentModuleIsTheOneEnteredThroughTheCurrentPath)
{
    root->AddParcoursEval(1, 10);
    const auto parcours = root->Appli(1)->Parcours(10);
    parcours->AddModule(5);
    ASSERT_TRUE(root->Appli(1)->ParcoursAccede(10));
    ASSERT_TRUE(root->ParcoursEnCours()->ModuleAccede(5));
    EXPECT_EQ(root->ModuleEnCours(), parcours->Module(5));

    root->ParcoursEnCours()->ModuleEnCoursQuitte();
    EXPECT_EQ(root->ModuleEnCours(), nullptr);
    EXPECT_EQ(root->ParcoursEnCours(), parcours);
}

TEST_F(FullModeCourse, EnteringAPathStartsItsDurationOnTheModelClock)
{
    root->AddParcoursForm(1, 20);
    const auto parcours = root->Appli(1)->Parcours(20);
    EXPECT_EQ(parcours->DureeParcours(), "0000:00");

    ASSERT_TRUE(root->Appli(1)->ParcoursAccede(20));
    EXPECT_NEAR(parcours->DebutParcours().serial(), localSerial() - days(3600.0), 1e-9);
    clock.advanceSeconds(10 * 60);
    EXPECT_EQ(parcours->DureeParcours(), "0000:11");

    root->Appli(1)->ParcoursQuitte(999);
    EXPECT_EQ(root->ParcoursEnCours(), nullptr);
    EXPECT_FALSE(root->Appli(1)->ParcoursAccede(21));
    EXPECT_EQ(root->ParcoursEnCours(), nullptr);
}

TEST_F(FullModeCourse, UnloadingAndDestroyingBreakTheCycleThroughTheModules)
{
    const struct {
        const char* name;
        bool (ContexteManager::*end)();
    } cases[] = {{"UnloadParcours", &ContexteManager::UnloadParcours}, {"Destroy", &ContexteManager::Destroy}};
    for (const auto& c : cases) {
        root = std::make_unique<ContexteManager>(context);
        root->CreateManager(TypeQuelvoro, context.localNow());
        root->AddAppli(1);
        std::shared_ptr<Module> module;
        {
            const auto appli = root->Appli(1);
            root->AddParcoursEval(1, 10);
            appli->Parcours(10)->AddModule(5);
            module = appli->Parcours(10)->Module(5);
            module->Appli(appli);
            appli->ParcoursAccede(10);
            appli->Parcours(10)->ModuleAccede(5);
        }
        const std::weak_ptr<Appli> appli = root->Appli(1);

        EXPECT_TRUE(((*root).*c.end)()) << c.name;

        EXPECT_EQ(module->Appli(), nullptr) << c.name;
        EXPECT_EQ(context.puoModuleEnCours, nullptr) << c.name;
        EXPECT_EQ(root->ParcoursEnCours(), nullptr) << c.name;
        root.reset();
        EXPECT_TRUE(appli.expired()) << c.name;
    }
}

TEST_F(FullModeCourse, EndingTheRootEmptiesThePathCollectionsItHandedOutWithoutDestroyingThePaths)
{
    ASSERT_TRUE(root->AddParcoursEval(1, 10));
    ASSERT_TRUE(root->AddParcoursForm(2, 20));
    const auto parcours = root->Appli(1)->Parcours(10);
    ASSERT_TRUE(parcours->AddModule(5));
    const auto collections = {root->CollectionParcours(TYPEevaluation), root->CollectionParcours(TYPEformation)};

    root.reset();

    for (const auto& collection : collections)
        EXPECT_TRUE(collection->isEmpty());
    EXPECT_NE(parcours->Module(5), nullptr);
}

TEST_F(FullModeCourse, ACourseWithTwoPathsTheLearnerAndBothIndexesIsBuiltAndPlayed)
{
    // The learner.
    const auto user = root->Utilisateur();
    ASSERT_NE(user, nullptr);
    user->Nom("Dupont");
    user->Prenom("Jeanne");
    user->Entreprise("Acme");
    user->EnvIHM(2);
    user->Connecte(true);
    root->EnvIHM(user->EnvIHM());

    // The taught application, its questions and their videos.
    ASSERT_TRUE(root->AddAppli(12));
    {
        const auto appli = root->Appli(12);
        appli->Logiciel("Tableur");
        for (long question = 1; question <= 3; ++question)
            ASSERT_TRUE(appli->AddQuestion(question));
        appli->addLecon(1);
        appli->Lecon(1)->IdVideo(7);
        appli->addCorrige(2);
        appli->Corrige(2)->IdVideo(8);
        appli->addLecon(3);
        appli->Lecon(3)->IdVideo(9);

        // The evaluation path: two modules, its settings given before the modules.
        ASSERT_TRUE(root->AddParcoursEval(12, 100));
        const auto eval = appli->Parcours(100);
        eval->TypeParcours(TYPEevaluation);
        eval->Nom("Évaluation initiale");
        eval->Accessible(true);
        eval->SetInfosEval(eGlobPropParcEval::lGPETypeChrono, 2, false);
        eval->SetInfosEval(eGlobPropParcEval::bGPEVisuNote, 0, true);
        eval->SetInfosEval(eGlobPropParcEval::bGPEReprise, 0, true);
        const struct {
            long id;
            std::vector<long> questions;
            bool accessible;
        } evalModules[] = {{1000, {1, 2}, true}, {1001, {3}, false}};
        for (const auto& m : evalModules) {
            ASSERT_TRUE(eval->AddModule(m.id));
            const auto module = eval->Module(m.id);
            module->Appli(appli);
            module->Accessible(m.accessible);
            for (const long question : m.questions)
                module->AddResultQuestion(question);
        }

        // The training path: one module and its thematic index.
        ASSERT_TRUE(root->AddParcoursForm(12, 200));
        const auto form = appli->Parcours(200);
        form->TypeParcours(TYPEformation);
        ASSERT_TRUE(form->AddModule(2000));
        form->Module(2000)->Appli(appli);
        form->Module(2000)->AddResultQuestion(1);
        const auto thematique = form->IndexThematique();
        ASSERT_NE(thematique, nullptr);
        ASSERT_TRUE(thematique->InitLettres({65, 83}));
        ASSERT_TRUE(thematique->addEntreePrincipale(1, "Addition"));
        ASSERT_TRUE(thematique->addEntreePrincipale(2, "Somme"));
        ASSERT_TRUE(thematique->addPointeVers(2, 1));
        ASSERT_TRUE(thematique->addSeqThematique(1, 50, "Additionner deux cellules", "00:00:05", 7, 0, 1, 500));
        thematique->Initialise(true);

        // The alphabetical index; entry 3 leads to entry 1 past a link to no entry.
        const auto index = appli->AppliIndex();
        ASSERT_TRUE(index->AddEntree(1, "Addition"));
        ASSERT_TRUE(index->AddEntree(2, "Bordure"));
        ASSERT_TRUE(index->AddEntree(3, "somme"));
        ASSERT_TRUE(index->AddEntree(4, "Zoom"));
        ASSERT_TRUE(index->AddTheme(1, 10, 7, 0, "Additionner", "00:00:05"));
        ASSERT_TRUE(index->AddTheme(2, 11, 8, 0, "Tracer une bordure", "00:01:00"));
        ASSERT_TRUE(index->AddTheme(4, 12, 9, 0, "Zoomer", "00:00:30"));
        ASSERT_TRUE(index->AddLien(3, 99));
        ASSERT_TRUE(index->AddLien(3, 1));
        index->Loaded(true);
    }

    // Queried back through the root.
    EXPECT_EQ(root->Utilisateur()->Nom(), "Dupont");
    EXPECT_EQ(root->EnvIHM(), 2);
    EXPECT_EQ(root->NbParcoursEval(), 1);
    EXPECT_EQ(root->NbParcoursForm(), 1);
    EXPECT_EQ(root->NbParcoursEvalAccessible(), 1);
    EXPECT_EQ(root->NbParcoursFormAccessible(), 0);
    const auto eval = root->CollectionParcours(TYPEevaluation)->item("Parcours100");
    const auto form = root->CollectionParcours(TYPEformation)->item("Parcours200");
    ASSERT_NE(eval, nullptr);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(eval->IdAppliDuParcours(), 12);
    EXPECT_EQ(eval->NbModules(), 2);
    EXPECT_EQ(eval->NbModulesAccessibles(), 1);
    EXPECT_EQ(eval->IndexThematique(), nullptr);
    EXPECT_EQ(eval->Module(1000)->GlobPropModEval(), (tGlobPropModEval{2, true, false}));
    EXPECT_TRUE(eval->GetInfosEval().bGPEReprise);
    EXPECT_EQ(form->Module(2000)->GlobPropModEval(), tGlobPropModEval());

    const auto thematique = form->IndexThematique();
    EXPECT_EQ(thematique->NbLettres(), 2);
    EXPECT_EQ(thematique->Lettre(83)->EntreePrincipale(1), 2);
    EXPECT_EQ(thematique->EntreePrincipale(2)->PointeVers(1), 1);
    EXPECT_EQ(thematique->EntreePrincipale(1)->Themes(1), 500);
    const auto seq = thematique->SeqThematiqueByType(500);
    ASSERT_TRUE(seq.has_value());
    EXPECT_EQ(seq->lIdVideo, 7);
    EXPECT_EQ(seq->sTypeVideo, "L");

    // The alphabetical index masked for each path in turn.
    const auto appli = root->Appli(12);
    const auto index = appli->AppliIndex();
    const std::vector<long> entries = {1, 2, 3, 4};
    applyMask(*appli, *eval);
    EXPECT_EQ(index->IdParcoursMasque(), 100);
    EXPECT_EQ(visibleLetters(*index), "ABSZ");
    EXPECT_EQ(visibleEntries(*index, entries), (std::vector<long>{1, 2, 3, 4}));
    EXPECT_EQ(index->GetThemeById(11)->TypeVideo(), "C");
    EXPECT_EQ(index->GetThemeById(11)->IdQuestion(), 2);

    applyMask(*appli, *form);
    EXPECT_EQ(index->IdParcoursMasque(), 200);
    EXPECT_EQ(visibleLetters(*index), "AS");
    EXPECT_EQ(visibleEntries(*index, entries), (std::vector<long>{1, 3}));
    EXPECT_FALSE(index->GetThemeById(12)->Visible());
    EXPECT_EQ(index->EntreeIndexById(1)->NbThemeVisible(), 1);

    EXPECT_TRUE(index->InitMasque());
    EXPECT_EQ(index->IdParcoursMasque(), -1);
    EXPECT_EQ(visibleLetters(*index), "");
    EXPECT_TRUE(visibleEntries(*index, entries).empty());
    EXPECT_FALSE(index->GetThemeById(10)->Visible());

    // The learner plays the first module of the evaluation path.
    ASSERT_TRUE(appli->ParcoursAccede(100));
    root->IdAppliDernParcoursAccede(12);
    root->IdDernParcoursAccede(100);
    root->DernParcoursAccedeAccessible(root->ParcoursEnCours()->Accessible());
    ASSERT_TRUE(root->ParcoursEnCours()->ModuleAccede(1000));
    root->IdDernModuleAccede(1000);
    const auto module = root->ModuleEnCours();
    ASSERT_EQ(module, eval->Module(1000));
    EXPECT_EQ(module->ResultQuestions(2)->Question(), appli->Question(2));
    module->ResultQuestions(1)->Initialiser();
    module->ResultQuestions(1)->TypeReponse(Bravo);
    module->MajResultQuest(1);
    EXPECT_EQ(module->NbQuestReussi(), 1);
    clock.advanceSeconds(25 * 60);
    EXPECT_EQ(eval->DureeParcours(), "0000:26");
    EXPECT_EQ(module->TempsPasseModule(), "0000:26");
    EXPECT_EQ(form->DureeParcours(), "0000:00");

    root->ParcoursEnCours()->ModuleEnCoursQuitte();
    EXPECT_EQ(root->ModuleEnCours(), nullptr);
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), PasDeResultat);
    appli->ParcoursQuitte(100);

    // Then enters the training path and leaves the application with a module open.
    ASSERT_TRUE(appli->ParcoursAccede(200));
    ASSERT_TRUE(root->ParcoursEnCours()->ModuleAccede(2000));
    EXPECT_EQ(root->ModuleEnCours(), form->Module(2000));
    EXPECT_EQ(root->IdDernParcoursAccede(), 100);

    EXPECT_TRUE(root->Destroy());
    EXPECT_EQ(root->ParcoursEnCours(), nullptr);
    EXPECT_EQ(context.puoModuleEnCours, nullptr);
    EXPECT_EQ(root->Utilisateur(), nullptr);
    EXPECT_EQ(form->IndexThematique(), nullptr);
    EXPECT_EQ(module->Appli(), nullptr);
}

}  // namespace
