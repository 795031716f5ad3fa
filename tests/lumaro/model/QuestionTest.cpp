#include "lumaro/ModelFixture.h"

#include "lumaro/model/Reponse.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::ModelTest;

class QuestionTest : public ModelTest {
protected:
    std::shared_ptr<Question> question = std::make_shared<Question>(context);

    QString trace() const { return QString::fromUtf8(readFile("Lumaro.htm")); }
    void startTrace()
    {
        context.pathParent(dir());
        context.levelTracelage(1);
    }
};

TEST_F(QuestionTest, KindFollowsTheLengthOfTheIdentifierText)
{
    struct Case {
        long id;
        TypeBaseBis kind;
    };
    const Case cases[] = {
        {123456, QuestionBase}, {12345, QuestionBis}, {1234567, QuestionBis}, {-12345, QuestionBase}, {0, QuestionBis},
    };
    for (const Case& c : cases) {
        question->IdQuestion(c.id);
        EXPECT_EQ(question->BaseBis(), c.kind) << c.id;
    }
    question->BaseBis(QuestionBase);
    EXPECT_EQ(question->BaseBis(), QuestionBase);
    EXPECT_EQ(question->IdQuestion(), 0);
}

TEST_F(QuestionTest, AnswersAreKeyedByLetterWithoutRegardToCase)
{
    EXPECT_TRUE(question->AddReponse("c"));
    EXPECT_FALSE(question->AddReponse("C"));
    const auto reponse = question->GetReponse("C");
    ASSERT_NE(reponse, nullptr);
    EXPECT_EQ(reponse->Lettre(), QString());
    EXPECT_EQ(question->GetReponse("D"), nullptr);
    EXPECT_EQ(context.pulStateEnCours, 1);
}

TEST_F(QuestionTest, AssociatedFilesAreKeptAsGivenAndReadOneBased)
{
    EXPECT_TRUE(question->FichierAssocieAddNew("classeur.xls"));
    EXPECT_TRUE(question->FichierAssocieAddNew("..\\modele.doc"));
    EXPECT_EQ(question->NbFichiersAssocie(), 2);
    EXPECT_EQ(question->FichierAssocie(1), "classeur.xls");
    EXPECT_EQ(question->FichierAssocie(2), "..\\modele.doc");
    EXPECT_EQ(question->FichierAssocie(0), QString());
    EXPECT_EQ(question->FichierAssocie(3), QString());
}

TEST_F(QuestionTest, ClosingWithoutComponentIsAnErrorNotACrash)
{
    question->Fermer();
    EXPECT_EQ(context.pulStateEnCours, basalo::enuFunctionReturnState_Lumaro_Question_Fermer_ErreurInconnue);
    EXPECT_EQ(context.lastError.number(), platform::ObjectNotSet);
}

TEST_F(QuestionTest, ClosingAnEngineThatIsNotLoadedOnlyTraces)
{
    startTrace();
    auto dll = std::make_shared<Dll>(context);
    question->Dll(dll);
    question->Fermer();
    EXPECT_EQ(context.pulStateEnCours, 1);
    EXPECT_TRUE(trace().contains("la dll n'était pas Chargee"));
    EXPECT_TRUE(trace().contains("pulStateEnCours = 1"));
}

TEST_F(QuestionTest, ClosingAnEngineThatFailsMarksItUnloaded)
{
    startTrace();
    auto dll = std::make_shared<Dll>(context);
    dll->TypeDll(2);
    dll->Chargee(true);
    question->Dll(dll);
    question->Fermer();
    EXPECT_FALSE(dll->Chargee());
    EXPECT_EQ(dll->TypeDll(), 0);
    EXPECT_EQ(context.pulStateEnCours, 1);
    EXPECT_TRUE(trace().contains("DllExerva.FermePoint a provoqué une erreur non gérée : on considère la dll comme "
                                 "déchargée"));
}

TEST_F(QuestionTest, ClosingAnInteractiveExerciseCallsItsCloseSlot)
{
    const auto component = registerFake();
    auto dll = std::make_shared<Dll>(context);
    dll->Nom("Tableur");
    ASSERT_TRUE(dll->ChargeDll());
    question->Dll(dll);

    question->Fermer();
    EXPECT_EQ(component->calls, QStringList{"4"});
    EXPECT_EQ(context.pulStateEnCours, 1);

    component->missing = {4};
    question->Fermer();
    EXPECT_EQ(context.pulStateEnCours, basalo::enuFunctionReturnState_Lumaro_Question_Fermer_ErreurInconnue);
    EXPECT_EQ(context.lastError.number(), platform::MemberNotSupported);
}

TEST_F(QuestionTest, DestroyReleasesAnswersFilesAndComponent)
{
    question->AddReponse("A");
    question->FichierAssocieAddNew("a.doc");
    question->Dll(std::make_shared<Dll>(context));
    question->Destroy();
    EXPECT_EQ(question->GetReponse("A"), nullptr);
    EXPECT_EQ(question->NbFichiersAssocie(), 0);
    EXPECT_EQ(question->Dll(), nullptr);
}

}  // namespace
