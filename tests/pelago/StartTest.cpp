// Starting a module or a question against the sample management system: the
// identity, the course data of its pages, the settings handed to the question
// player, and the end of the run reported back.

#include "LaunchFixture.h"

#include "pelago/frmInet.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/Video.h"

#include <QUrlQuery>

namespace {

using namespace basalo;

class StartTest : public pelagotest::LaunchTest {};

TEST_F(StartTest, TrainingModuleLoadsEveryPageIntoTheModelAndOpensTheFirstQuestion)
{
    launch();
    ASSERT_TRUE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")))
        << manager_->StateErrorEnCours() << " " << manager_->LastError().toStdString();
    EXPECT_EQ(manager_->StateErrorEnCours(), 1);

    // The learner came from getparam.
    EXPECT_EQ(barre().IdentUser(), QStringLiteral("S042"));
    EXPECT_EQ(barre().NomUser(), QStringLiteral("Martin"));
    EXPECT_EQ(barre().PrenomUser(), QStringLiteral("Claire"));

    // Each page once, the component once for its three questions, a video page per question.
    EXPECT_EQ(pages(), (QStringList{"LMS_InfoQuestDuModule.htm", "LMS_InfoQuestDuModule.aspx", "LMS_InfoDll.htm",
                                    "LMS_InfoDll.aspx", "LMS_InfoQuestion.htm", "LMS_InfoQuestion.aspx",
                                    "LMS_InfoVideo.htm", "LMS_InfoVideo.aspx", "LMS_InfoQuestion.htm",
                                    "LMS_InfoQuestion.aspx", "LMS_InfoVideo.htm", "LMS_InfoVideo.aspx",
                                    "LMS_InfoQuestion.htm", "LMS_InfoQuestion.aspx", "LMS_InfoVideo.htm",
                                    "LMS_InfoVideo.aspx"}));
    for (const auto& request : server_->requestsFor("LMS_InfoQuestDuModule.aspx")) {
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.param("CfgSite"), "site1");
        EXPECT_EQ(request.param("CfgBdd"), "bdd1");
        EXPECT_EQ(request.param("IdModule"), "1201");
        EXPECT_EQ(request.param("TypeFormEval"), "F");
        EXPECT_EQ(request.param("IdResModule"), "-1");
    }

    const auto model = appli();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->PathVideo(), QStringLiteral(SAMPLES_DIR "/media/"));
    const auto module = barre().pioKavParc->ModuleEnCours();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->TypeModule(), lumaro::TYPEformation);
    ASSERT_EQ(module->NbQuest(), 3);
    for (long i = 1; i <= 3; ++i) {
        EXPECT_EQ(module->ResultQuestions(i)->TypeAffichage(), lumaro::PasDeResultat) << "never shown";
        EXPECT_EQ(module->ResultQuestions(i)->TypeReponse(), lumaro::PasDeResultat);
    }
    const auto first = model->Question(1211);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Intitule(), QStringLiteral("Copier, coller, couper"));
    EXPECT_EQ(first->Dll()->Nom(), QStringLiteral("EXERVA"));
    EXPECT_EQ(first->BaseBis(), lumaro::QuestionBase);
    EXPECT_EQ(first->GetReponse(QStringLiteral("B"))->IdReponse(), 502);
    EXPECT_TRUE(first->HasVideoLecon());
    ASSERT_NE(model->Lecon(1211), nullptr);
    EXPECT_EQ(model->Lecon(1211)->NbSeq(), 2);
    EXPECT_FALSE(model->Lecon(1211)->PasSansSon());
    ASSERT_NE(model->Corrige(1212), nullptr);
    EXPECT_TRUE(model->Corrige(1212)->PasSansSon());

    // The question player: the run's settings, then the first question.
    const QVariantMap& settings = players_->settings;
    EXPECT_EQ(settings.value("ModeMediaInet"), false);
    EXPECT_EQ(settings.value("ExtensionVideo"), QStringLiteral(".avi"));
    EXPECT_EQ(settings.value("PersonalFolder"), path(QStringLiteral("learner/")));
    EXPECT_EQ(settings.value("XmlCheminServeur"), lmsBase() + QStringLiteral("Download/"));
    EXPECT_EQ(settings.value("XmlModeInet"), true);
    EXPECT_TRUE(players_->calls.contains(QStringLiteral("PrepareFrmLoading F")));
    EXPECT_TRUE(players_->calls.contains(
        QStringLiteral("SetMessageLoading Chargement du module en cours.\r\nVeuillez patienter...")));
    EXPECT_EQ(players_->calls.last(), QStringLiteral("InitManager 1"));
    EXPECT_EQ(players_->calls.count(QStringLiteral("TerminateFrmLoading")), 1);
    EXPECT_TRUE(barre().QuestionExerva());
    // The pages' download progress reached the loading window, as percentages.
    ASSERT_FALSE(players_->percents.isEmpty());
    for (const long percent : players_->percents) {
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
    }
}

TEST_F(StartTest, HelpAddressEncodesEveryValue)
{
    launch();
    barre().CfgBdd(QStringLiteral("bdd&x=1"));
    barre().CfgSite(QStringLiteral("site 2"));
    ASSERT_TRUE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")));
    const QUrl help(players_->settings.value("URLServerHelpFile").toString());
    EXPECT_EQ(help.toString(QUrl::RemoveQuery), lmsBase() + QStringLiteral("client_net/WS/pluginhelp.aspx"));
    const QUrlQuery query(help);
    EXPECT_EQ(query.queryItems(QUrl::FullyDecoded).size(), 5) << "no value adds a field of its own";
    EXPECT_EQ(query.queryItemValue("idlng"), QStringLiteral("1036"));
    EXPECT_EQ(query.queryItemValue("app_id"), QStringLiteral("12"));
    EXPECT_EQ(query.queryItemValue("prg_type"), QStringLiteral("F"));
    EXPECT_EQ(query.queryItemValue("cfgbdd", QUrl::FullyDecoded), QStringLiteral("bdd&x=1"));
    EXPECT_EQ(query.queryItemValue("cfgsite", QUrl::FullyDecoded), QStringLiteral("site 2"));
}

TEST_F(StartTest, EvaluationModulePassesItsDisplaySettingsAndLoadsNoMediaSettings)
{
    launch();
    barre().TypeChrono(2);
    barre().VisuNote(true);
    barre().PathMediaAppli(path(QStringLiteral("nowhere")));
    ASSERT_TRUE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1202"), QStringLiteral("E")))
        << manager_->StateErrorEnCours() << " " << manager_->LastError().toStdString();
    const auto module = barre().pioKavParc->ModuleEnCours();
    EXPECT_EQ(module->TypeModule(), lumaro::TYPEevaluation);
    EXPECT_EQ(module->GlobPropModEval().lGPETypeChrono, 2);
    EXPECT_TRUE(module->GlobPropModEval().bGPEVisuNote);
    EXPECT_EQ(module->NbQuest(), 3);
    EXPECT_EQ(module->ResultQuestions(3)->TypeAffichage(), -1);
    // The second-set question loads no video page.
    EXPECT_EQ(requestsOf(QStringLiteral("LMS_InfoVideo.aspx")), 2);
    EXPECT_EQ(appli()->Question(1221)->BaseBis(), lumaro::QuestionBis);
    EXPECT_FALSE(players_->settings.contains("ModeMediaInet")) << "an evaluation shows no video";
}

TEST_F(StartTest, SingleQuestionRunsAndReportsItsResult)
{
    launch();
    ASSERT_TRUE(barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1213"), QStringLiteral("F")))
        << manager_->StateErrorEnCours() << " " << manager_->LastError().toStdString();
    EXPECT_EQ(requestsOf(QStringLiteral("LMS_InfoQuestionLS.aspx")), 1);
    EXPECT_EQ(server_->requestsFor("LMS_InfoQuestionLS.aspx").front().param("IdQuestionLs"), "1213");
    const auto module = barre().pioKavParc->ModuleEnCours();
    ASSERT_EQ(module->NbQuest(), 1);
    EXPECT_EQ(module->ResultQuestions(1)->TypeAffichage(), -1);

    // The learner answers right, then the player reaches the end.
    clock_.advanceSeconds(65);
    module->ResultQuestions(1)->TypeReponse(lumaro::Bravo);
    ASSERT_NE(players_->events, nullptr);
    players_->events->FinModule();
    runToEnd();
    const auto records = stored();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject report = records.at(0).value("fields").toObject();
    EXPECT_EQ(records.at(0).value("command").toString(), QStringLiteral("putparam"));
    EXPECT_EQ(report.value("session_id").toString(), QStringLiteral("SID-1"));
    EXPECT_EQ(report.value("aicc_data").toString(),
              QStringLiteral("[Core]\r\nScore=20\r\nLesson_Status=C\r\nTime=00:01:05"));
    EXPECT_EQ(report.value("CfgSite").toString(), QStringLiteral("site1"));
    EXPECT_EQ(records.at(1).value("command").toString(), QStringLiteral("exitau"));
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

TEST_F(StartTest, SecondRunOfTheProcessUsesItsNewSessionAndWhatTheFirstLoadedWhole)
{
    launch(QStringLiteral("SID-1"));
    ASSERT_TRUE(barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F")));
    players_->events->BoutonQuitter();
    runToEnd();
    ASSERT_EQ(data_.StateEnCours, pelago::StateReady);

    launch(QStringLiteral("SID-2"));
    ASSERT_TRUE(barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F")));
    EXPECT_EQ(requestsOf(QStringLiteral("LMS_InfoQuestionLS.aspx")), 1) << "the question was loaded whole before";
    EXPECT_EQ(requestsOf(QStringLiteral("LMS_InfoQuestion.aspx")), 1);
    EXPECT_EQ(barre().pioKavParc->ModuleEnCours()->NbQuest(), 1);
    players_->events->FinModule();
    runToEnd();

    QStringList sessions;
    for (const auto& request : server_->requestsFor("aicc"))
        sessions.append(QString::fromStdString(request.param("command") + " " + request.param("session_id")));
    EXPECT_EQ(sessions, (QStringList{"getparam SID-1", "putparam SID-1", "exitAU SID-1", "getparam SID-2",
                                     "putparam SID-2", "exitAU SID-2"}));
    const auto records = stored();
    ASSERT_EQ(records.size(), 4);
    // Quit before answering: incomplete; then finished without an answer: incomplete too.
    EXPECT_TRUE(records.at(0).value("fields").toObject().value("aicc_data").toString().contains("Lesson_Status=I"));
    EXPECT_EQ(records.at(2).value("fields").toObject().value("session_id").toString(), QStringLiteral("SID-2"));
}

TEST_F(StartTest, RootsFollowEachRunAndTheHostsExtensionStaysItsOwn)
{
    launch();
    barre().ExtensionFichierVideo(QStringLiteral(".wmv"));
    ASSERT_TRUE(barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F")));
    EXPECT_EQ(appli()->PathVideo(), QStringLiteral(SAMPLES_DIR "/media/"));
    EXPECT_EQ(appli()->URLVideo(), QString());
    EXPECT_EQ(players_->settings.value("ExtensionVideo"), QStringLiteral(".avi"));
    players_->events->BoutonQuitter();
    runToEnd();

    launch(QStringLiteral("SID-2"));
    barre().ModeMediaInet(true);
    barre().URLMediaAppli(QStringLiteral("http://media.example/12"));
    ASSERT_TRUE(barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F")));
    EXPECT_EQ(appli()->PathVideo(), QString());
    EXPECT_EQ(appli()->URLVideo(), QStringLiteral("http://media.example/12/"));
    EXPECT_EQ(appli()->URLLivre(), lmsBase() + QStringLiteral("Download/12F/Pdf/"));
    EXPECT_EQ(barre().ExtensionFichierVideo(), QStringLiteral(".wmv"));
    EXPECT_EQ(players_->settings.value("ExtensionVideo"), QStringLiteral(".wmv"));
    EXPECT_EQ(players_->settings.value("ModeMediaInet"), true);
}

TEST_F(StartTest, StartIsRefusedUnlessAskStartGrantedOneRun)
{
    // Not granted at all.
    EXPECT_EQ(manager_->BarreManager(), nullptr);
    launch();
    data_.enterReady();
    EXPECT_FALSE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")));
    EXPECT_EQ(manager_->StateErrorEnCours(), enuFunctionReturnState_Pelago_clsBarreManager_Start_LanceurNonPret);
    EXPECT_TRUE(pages().isEmpty());

    // Granted once: the second start while the first plays is refused and changes nothing.
    ASSERT_TRUE(manager_->AskStart(QString::fromLatin1(langue), QStringLiteral("00:10:00")));
    ASSERT_TRUE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")));
    const auto module = barre().pioKavParc->ModuleEnCours();
    const auto requests = pages().size();
    EXPECT_FALSE(barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1213"), QStringLiteral("F")));
    EXPECT_EQ(manager_->StateErrorEnCours(), enuFunctionReturnState_Pelago_clsBarreManager_Start_LanceurNonPret);
    EXPECT_EQ(pages().size(), requests);
    EXPECT_EQ(barre().pioKavParc->ModuleEnCours(), module);
    EXPECT_EQ(data_.StateEnCours, pelago::StateBusy);
}

TEST_F(StartTest, MissingVideoFolderFailsTrainingWithoutNamingThePath)
{
    struct Case {
        bool module;
        long code;
    };
    const Case cases[] = {
        {true, enuFunctionReturnState_Pelago_clsBarreManager_StartModule_BadUNCVideo},
        {false, enuFunctionReturnState_Pelago_clsBarreManager_StartQuestion_BadUNCVideo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.module ? "module" : "question");
        launch();
        barre().PathMediaAppli(path(QStringLiteral("no-such-folder")));
        const bool started = c.module
            ? barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F"))
            : barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F"));
        EXPECT_FALSE(started);
        EXPECT_EQ(manager_->StateErrorEnCours(), c.code);
        EXPECT_EQ(manager_->LastError(), QStringLiteral("La vidéo  est introuvable sur le réseau."));
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
        EXPECT_EQ(players_->calls.last(), QStringLiteral("TerminateFrmLoading"));
    }
}

// A course whose videos are on a CD-ROM reads them from the first mounted disc.
TEST_F(StartTest, CdRomCourseFindsItsVideosOnTheMountedDisc)
{
    const QString disc = mountDisc(true);
    for (const bool module : {true, false}) {
        SCOPED_TRACE(module ? "module" : "question");
        launch(module ? QStringLiteral("SID-1") : QStringLiteral("SID-2"));
        barre().MediaOnCDRom(true);
        barre().ModeMediaInet(true);
        barre().PathMediaAppli(QString());
        const bool started = module
            ? barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F"))
            : barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F"));
        ASSERT_TRUE(started) << manager_->StateErrorEnCours() << " " << manager_->LastError().toStdString();
        EXPECT_EQ(barre().PathMediaAppli(), disc + QStringLiteral("Medias/12F/"));
        EXPECT_EQ(appli()->PathVideo(), disc + QStringLiteral("Medias/12F/"));
        EXPECT_EQ(appli()->URLVideo(), QString());
        EXPECT_FALSE(barre().ModeMediaInet());
        EXPECT_EQ(players_->settings.value("ModeMediaInet"), false);
        EXPECT_EQ(players_->settings.value("ExtensionVideo"), QStringLiteral(".avi"));
        players_->events->BoutonQuitter();
        runToEnd();
    }
}

TEST_F(StartTest, CdRomCourseWithoutItsDiscOrItsVideosFails)
{
    struct Case {
        const char* name;
        bool disc;
        bool module;
        long code;
        QString text;
    };
    const QString noDisc = QStringLiteral("Aucun CD-ROM n'est monté.");
    const QString noVideos = QStringLiteral("La vidéo  est introuvable sur le CD-ROM.");
    const Case cases[] = {
        {"no disc, module", false, true, enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneAppli_ErreurNoCDRom,
         noDisc},
        {"no disc, question", false, false,
         enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneAppli_ErreurNoCDRom, noDisc},
        {"another disc, module", true, true, enuFunctionReturnState_Pelago_clsBarreManager_StartModule_BadCDRomVideo,
         noVideos},
        {"another disc, question", true, false,
         enuFunctionReturnState_Pelago_clsBarreManager_StartQuestion_BadCDRomVideo, noVideos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.disc)
            mountDisc(false);
        else
            data_.mountTable = writeFile(QStringLiteral("mounts"), "/dev/sda1 / ext4 rw 0 0\n");
        launch();
        barre().MediaOnCDRom(true);
        const bool started = c.module
            ? barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F"))
            : barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F"));
        EXPECT_FALSE(started);
        EXPECT_EQ(manager_->StateErrorEnCours(), c.code);
        EXPECT_EQ(manager_->LastError(), c.text);
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
    }
}

TEST_F(StartTest, IdentifierThatIsNoNumberFailsWithTheConversionError)
{
    struct Case {
        const char* name;
        bool module;
        bool cleared;  // the page cleared the error between AskStart and the start
        long code;
    };
    // No step of the start was under way: the code is the start's own.
    const Case cases[] = {
        {"module", true, false, enuFunctionReturnState_Pelago_clsBarreManager_StartModule_ErreurInconnue},
        {"question", false, false, enuFunctionReturnState_Pelago_clsBarreManager_StartQuestion_ErreurInconnue},
        {"module after ClearError", true, true, enuFunctionReturnState_Pelago_clsBarreManager_StartModule_ErreurInconnue},
    };
    manager_->LevelTracelage(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        launch();
        if (c.cleared)
            manager_->ClearError();
        const bool started = c.module
            ? barre().StartModule(QStringLiteral("12abc"), QStringLiteral("1201"), QStringLiteral("F"))
            : barre().StartQuestion(QStringLiteral("12abc"), QStringLiteral("1211"), QStringLiteral("F"));
        EXPECT_FALSE(started);
        EXPECT_EQ(manager_->StateErrorEnCours(), c.code);
        EXPECT_EQ(manager_->LastErrorNumber(), platform::TypeMismatch);
        EXPECT_TRUE(traceText().contains(QStringLiteral("pulStateErreurEnCours = %1").arg(c.code)));
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
        EXPECT_TRUE(barre().Form()->TimerPersist().isActive());
        EXPECT_TRUE(pages().isEmpty());
    }
}

TEST_F(StartTest, LearnerFolderThatCannotBeMadeFailsWithItsOwnCode)
{
    manager_->LevelTracelage(1);
    writeFile(QStringLiteral("learner"), "a file where the learner's folder should be");
    for (const bool module : {true, false}) {
        SCOPED_TRACE(module ? "module" : "question");
        launch();
        const bool started = module
            ? barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F"))
            : barre().StartQuestion(QStringLiteral("12"), QStringLiteral("1211"), QStringLiteral("F"));
        EXPECT_FALSE(started);
        EXPECT_EQ(manager_->StateErrorEnCours(), enuFunctionReturnState_Pelago_clsBarreManager_piInitPersonalFolder_Erreur);
        EXPECT_EQ(manager_->LastError(), QStringLiteral("Votre dossier personnel n'a pas pu être créé."));
        EXPECT_EQ(manager_->LastErrorNumber(), platform::FileNotFound);
        EXPECT_TRUE(traceText().contains(QStringLiteral("<B>Erreur</B></FONT> 53 : ") + path(QStringLiteral("learner/"))));
        EXPECT_FALSE(players_->calls.contains(QStringLiteral("InitManager 1")));
        EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
    }
}

TEST_F(StartTest, QuestionWindowThatCannotOpenLeavesThePlayersCode)
{
    launch();
    players_->initManagerSucceeds = false;
    EXPECT_FALSE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")));
    EXPECT_EQ(manager_->StateErrorEnCours(), 4242);
    EXPECT_EQ(manager_->LastErrorNumber(), 53);
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
    EXPECT_EQ(barre().pioKavParc->Appli(12), nullptr) << "the failed run's data went with its model";
    // The player's events of a run that never started report nothing.
    players_->events->BoutonQuitter();
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(StartTest, RefusedIdentityFailsTheStartBeforeAnyPage)
{
    launch(QStringLiteral("../escape"));
    EXPECT_FALSE(barre().StartModule(QStringLiteral("12"), QStringLiteral("1201"), QStringLiteral("F")));
    EXPECT_EQ(manager_->StateErrorEnCours(), enuFunctionReturnState_Pelago_clsBarreManager_piGetInfoUserAICC_ErreurAICC);
    EXPECT_TRUE(pages().isEmpty());
    EXPECT_EQ(data_.StateEnCours, pelago::StateReady);
}

}  // namespace
