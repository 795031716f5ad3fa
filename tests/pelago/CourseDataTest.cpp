// The course data from the management system's pages: what a failing page
// leaves (nothing: the next start loads everything again into a fresh model),
// and the replies that must be refused.

#include "LaunchFixture.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Video.h"

namespace {

using namespace basalo;
using courseserver::Fault;
using courseserver::FaultKind;

class CourseDataTest : public pelagotest::LaunchTest {
protected:
    bool startModule()
    {
        return barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F"));
    }

};

TEST_F(CourseDataTest, EveryFailingPageLeavesNothingLoadedAndTheNextStartLoadsAllAgain)
{
    struct Case {
        const char* name;
        Fault fault;
        long code;
        long number;
    };
    const auto fault = [](FaultKind kind, const char* page, int status = 500) {
        Fault f;
        f.kind = kind;
        f.page = page;
        f.count = 1;
        f.status = status;
        return f;
    };
    const Case cases[] = {
        {"module page refused", fault(FaultKind::KavErreur, "LMS_InfoQuestDuModule.aspx"), 500, 1001},
        {"component page empty", fault(FaultKind::EmptyReply, "LMS_InfoDll.aspx"),
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneDll_ErreurInconnue, platform::SubscriptOutOfRange},
        {"second question's files in error", fault(FaultKind::Status, "LMS_InfoQuestion.aspx", 500),
         enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurInconnue, 0},
        {"video page cut short", fault(FaultKind::CloseHalfWay, "LMS_InfoVideo.aspx"),
         enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurInconnue, 0},
        {"video form page missing", fault(FaultKind::Status, "LMS_InfoVideo.htm", 404),
         enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurInconnue, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        launch();
        server_->addFault(c.fault);
        EXPECT_FALSE(startModule());
        EXPECT_EQ(manager_->StateErrorEnCours(), c.code);
        if (c.number) {
            EXPECT_EQ(manager_->LastErrorNumber(), c.number);
        }
        EXPECT_EQ(appli(), nullptr) << "nothing of the failed start stays";
        EXPECT_EQ(barre().pioKavParc->ModuleEnCours(), nullptr);
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
        EXPECT_EQ(players_->calls.last(), QStringLiteral("TerminateFrmLoading"));

        // Once the page answers, everything comes again, whole.
        const auto before = requestsOf(QStringLiteral("LMS_InfoVideo.aspx"));
        launch();
        ASSERT_TRUE(startModule()) << manager_->StateErrorEnCours();
        EXPECT_EQ(requestsOf(QStringLiteral("LMS_InfoVideo.aspx")) - before, 3);
        ASSERT_NE(appli(), nullptr);
        for (const long id : {1211L, 1212L, 1213L}) {
            ASSERT_NE(appli()->Question(id), nullptr);
            EXPECT_NE(appli()->Lecon(id), nullptr) << id;
        }
        players_->events->BoutonQuitter();
        runToEnd();
        // The next case starts from nothing loaded.
        barre().pioKavParc->Destroy();
        barre().pioKavParc->CreateManager(lumaro::TypeSimplifie, platform::OleDate());
    }
}

TEST_F(CourseDataTest, RepliesThatCannotBePlayedAreRefused)
{
    struct Case {
        const char* name;
        const char* file;
        QByteArray reply;
        long code;
    };
    const Case cases[] = {
        {"another question than the one asked for", "LMS/InfoQuestionLS/1211.txt",
         "#KAV_OK#|1212^1^0000:02^^^2^Raccourcis clavier",
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestion_ErreurNoQuestion},
        {"a question without any video", "LMS/InfoVideo/1211.txt", "#KAV_OK#|31^lecon12^00:03:20^L",
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneVideo_NbVideoZero},
        {"sequences marked in lower case", "LMS/InfoVideo/1211.txt", "#KAV_OK#|31^lecon12^00:03:20^L|no_seq",
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneVideo_ErreurInconnue},
        {"a marker in the wrong case", "LMS/InfoQuestion/1211.txt", "#kav_ok#||",
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneInfoQuestion_ErreurServeur},
        {"an error with its own step code", "LMS/InfoDll/1.txt", "#KAV_ERREUR#|777|12|Composant retiré", 777},
        {"an error without numbers", "LMS/InfoDll/1.txt", "#KAV_ERREUR#|x|y|Composant retiré",
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneDll_ErreurServeur},
        {"a general answer twice", "LMS/InfoDll/1.txt", "#KAV_OK#|EXERVA||A^1^Bravo !|A^2^Encore",
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneDll_ErreurAddReponse},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        serveReplies({{QStringLiteral("LMS/InfoQuestionLS/1211.txt"), "#KAV_OK#|1211^1^0000:02^^^1^Copier"},
                      {QStringLiteral("LMS/InfoDll/1.txt"), "#KAV_OK#|EXERVA||A^1^Bravo !"},
                      {QStringLiteral("LMS/InfoQuestion/1211.txt"), "#KAV_OK#||"},
                      {QStringLiteral("LMS/InfoVideo/1211.txt"), "#KAV_OK#|31^lecon12^00:03:20^L|NO_SEQ"}});
        writeFile(QStringLiteral("lms-data/") + QString::fromLatin1(c.file), c.reply);
        launch();
        EXPECT_FALSE(barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F")));
        EXPECT_EQ(manager_->StateErrorEnCours(), c.code);
        EXPECT_EQ(appli(), nullptr);
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
    }
}

TEST_F(CourseDataTest, ErrorReplyGivesTheSystemsNumberAndText)
{
    serveReplies({{QStringLiteral("LMS/InfoQuestDuModule/1201.txt"), "#KAV_ERREUR#|777|12|Module fermé|détail"}});
    launch();
    EXPECT_FALSE(startModule());
    EXPECT_EQ(manager_->StateErrorEnCours(), 777);
    EXPECT_EQ(manager_->LastErrorNumber(), 12);
    EXPECT_EQ(manager_->LastError(), QStringLiteral("Module fermé"));
}

TEST_F(CourseDataTest, ModuleWithoutQuestionsFailsWithoutPlaying)
{
    serveReplies({{QStringLiteral("LMS/InfoQuestDuModule/1201.txt"), "#KAV_OK#"}});
    launch();
    EXPECT_FALSE(startModule());
    EXPECT_EQ(manager_->StateErrorEnCours(), enuFunctionReturnState_Pelago_clsBarreManager_piGereFichiersLocaux_Erreur);
    EXPECT_FALSE(players_->calls.contains(QStringLiteral("InitManager 1")));
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

TEST_F(CourseDataTest, QuestionListedTwiceKeepsOneResultWithItsLastDisplayType)
{
    serveReplies({{QStringLiteral("LMS/InfoQuestDuModule/1201.txt"),
                   "#KAV_OK#|1211^1^0000:02^^^1^Copier^0|1211^1^0000:02^^^1^Copier^2"},
                  {QStringLiteral("LMS/InfoDll/1.txt"), "#KAV_OK#|EXERVA||A^1^Bravo !"},
                  {QStringLiteral("LMS/InfoQuestion/1211.txt"), "#KAV_OK#||"},
                  {QStringLiteral("LMS/InfoVideo/1211.txt"), "#KAV_OK#|31^lecon12^00:03:20^L|NO_SEQ"}});
    launch();
    ASSERT_TRUE(startModule()) << manager_->StateErrorEnCours() << manager_->LastError().toStdString();
    const auto module = barre().pioKavParc->ModuleEnCours();
    ASSERT_EQ(module->NbQuest(), 1);
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), 2);
    EXPECT_EQ(requestsOf(QStringLiteral("LMS_InfoQuestion.aspx")), 1);
    EXPECT_TRUE(appli()->Lecon(1211)->PasSansSon());
}

}  // namespace
