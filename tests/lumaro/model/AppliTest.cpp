#include "lumaro/ModelFixture.h"

#include "lumaro/model/Parcours.h"
#include "lumaro/model/Video.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::ModelTest;

class AppliTest : public ModelTest {
protected:
    std::shared_ptr<Appli> appli = std::make_shared<Appli>(context);
};

TEST_F(AppliTest, NewApplicationKnowsNoLiveApplication)
{
    EXPECT_EQ(appli->HandleApplicationInteractive(), -1);
    EXPECT_EQ(appli->ApplicationInteractive(), nullptr);
    EXPECT_NE(appli->UnlockWindow(), 0);
}

TEST_F(AppliTest, EveryAdderRefusesAnExistingKey)
{
    struct Case {
        const char* name;
        std::function<bool()> add;
    };
    const Case cases[] = {
        {"AddDll", [&] { return appli->AddDll(3); }},
        {"AddQuestion", [&] { return appli->AddQuestion(3); }},
        {"AddParcours", [&] { return appli->AddParcours(3); }},
        {"addLecon", [&] { return appli->addLecon(3); }},
        {"addCorrige", [&] { return appli->addCorrige(3); }},
        {"addVideo", [&] { return appli->addVideo(3, "X"); }},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.add()) << c.name;
        EXPECT_FALSE(c.add()) << c.name;
    }
    EXPECT_NE(appli->Dll(3), nullptr);
    EXPECT_EQ(appli->Dll(4), nullptr);
    EXPECT_EQ(appli->Parcours(3)->IdParcours(), 3);
    EXPECT_EQ(appli->CollectionParcours()->count(), 1);
}

TEST_F(AppliTest, LessonVideoIsTheVideoOfTypeL)
{
    ASSERT_TRUE(appli->addLecon(12));
    EXPECT_FALSE(appli->addVideo(12, "l"));
    EXPECT_EQ(appli->VideoByType(12, "L"), appli->Lecon(12));
    EXPECT_EQ(appli->VideoByType(12, "c"), nullptr);
    ASSERT_TRUE(appli->addVideo(12, "c"));
    EXPECT_EQ(appli->Corrige(12), appli->VideoByType(12, "C"));
    EXPECT_NE(appli->Corrige(12), appli->Lecon(12));
}

TEST_F(AppliTest, QuestionsAndVideosNeverShareAKey)
{
    ASSERT_TRUE(appli->addLecon(12));
    ASSERT_TRUE(appli->AddQuestion(12));
    ASSERT_TRUE(appli->addVideo(12, "Question"));
    const auto question = appli->Question(12);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->IdQuestion(), 12);
    EXPECT_NE(appli->VideoByType(12, "QUESTION"), nullptr);
    EXPECT_EQ(appli->Question(12), question);
    EXPECT_EQ(appli->Question(13), nullptr);
}

TEST_F(AppliTest, AddQuestionDerivesTheQuestionKind)
{
    appli->AddQuestion(120001);
    appli->AddQuestion(12001);
    EXPECT_EQ(appli->Question(120001)->BaseBis(), QuestionBase);
    EXPECT_EQ(appli->Question(12001)->BaseBis(), QuestionBis);
}

TEST_F(AppliTest, EnteringAPathStartsItOnTheModelClock)
{
    context.pudteDiffDateServeur = lumaro_test::days(600);
    appli->AddParcours(7);
    context.parcoursEnCours = appli->Parcours(7);

    EXPECT_FALSE(appli->ParcoursAccede(8));
    EXPECT_EQ(context.parcoursEnCours, nullptr);

    ASSERT_TRUE(appli->ParcoursAccede(7));
    EXPECT_EQ(context.parcoursEnCours, appli->Parcours(7));
    EXPECT_NEAR(appli->Parcours(7)->DebutParcours().serial(), localSerial() - lumaro_test::days(600), 1e-9);

    appli->ParcoursQuitte(99);
    EXPECT_EQ(context.parcoursEnCours, nullptr);
}

TEST_F(AppliTest, UnloadingWithoutLoadedComponentOnlyReleasesTheLiveApplication)
{
    const auto component = registerFake();
    appli->AddDll(1);
    appli->Dll(1)->Nom("Tableur");
    appli->ApplicationInteractive(std::make_shared<QObject>());
    appli->HandleApplicationInteractive(55);

    appli->DechargerAppliInterractive();
    EXPECT_EQ(appli->ApplicationInteractive(), nullptr);
    EXPECT_EQ(appli->HandleApplicationInteractive(), 55);
    EXPECT_TRUE(component->calls.isEmpty());
}

TEST_F(AppliTest, UnloadingEndsTheLiveApplicationEvenWhenTheComponentFails)
{
    const auto component = registerFake();
    component->broken = {6};
    appli->AddDll(1);
    const auto dll = appli->Dll(1);
    dll->Nom("Tableur");
    ASSERT_TRUE(dll->ChargeDll());
    appli->ApplicationInteractive(std::make_shared<QObject>());

    appli->DechargerAppliInterractive();
    EXPECT_EQ(component->calls, QStringList{"6 app True"});
    EXPECT_FALSE(dll->Chargee());
    EXPECT_EQ(dll->TypeDll(), 0);
    EXPECT_EQ(dll->DllInterractive(), nullptr);
    EXPECT_EQ(appli->ApplicationInteractive(), nullptr);
}

TEST_F(AppliTest, UnloadingAnEngineThatIsGoneIsTracedAndGoesOn)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    appli->AddDll(1);
    const auto dll = appli->Dll(1);
    dll->Chargee(true);
    dll->TypeDll(2);

    appli->DechargerAppliInterractive();
    EXPECT_FALSE(dll->Chargee());
    EXPECT_EQ(dll->TypeDll(), 0);
    EXPECT_EQ(context.pulStateEnCours, 1);
    EXPECT_TRUE(QString::fromUtf8(readFile("Lumaro.htm")).contains("DllExerva.Quitter a provoqué une erreur non gérée"));
}

TEST_F(AppliTest, DestroyEmptiesEveryCollection)
{
    appli->AddDll(1);
    appli->AddParcours(2);
    appli->AddQuestion(3);
    appli->addLecon(3);
    const auto dll = appli->Dll(1);
    dll->AddReponse("A");
    appli->Parcours(2)->AddModule(4);
    appli->Parcours(2)->ModuleAccede(4);

    appli->Destroy();
    EXPECT_EQ(appli->Dll(1), nullptr);
    EXPECT_EQ(appli->Parcours(2), nullptr);
    EXPECT_EQ(appli->Question(3), nullptr);
    EXPECT_EQ(appli->Lecon(3), nullptr);
    EXPECT_EQ(dll->GetReponse("A"), nullptr);
    // Destroying a path ends its current module.
    EXPECT_EQ(context.puoModuleEnCours, nullptr);
}

TEST_F(AppliTest, AlphabeticalIndexIsCreatedOnFirstReading)
{
    const auto index = appli->AppliIndex();
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(appli->AppliIndex(), index);
}

}  // namespace
