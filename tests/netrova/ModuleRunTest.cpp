// A module run from the sample course server: the start, the question
// player's events, the videos in the video player and the media window, the
// result posted when the learner leaves, and the tear-down.

#include "NetrovaFixture.h"

#include "hostsession/VideoDisplay.h"
#include "toolkit/uctButton.h"
#include "toolkit/usrButton.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "platform/RuntimeError.h"
#include "support/CaseName.h"
#include "support/ModuleLearner.h"
#include "support/Screenshot.h"
#include "vidora/CAsfVideoKav.h"
#include "vidora/frmVideo.h"

#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace {

using namespace basalo;
using netrova::clsBarreManager;

constexpr long OK = enuFunctionReturnState_General_Traitement_OK;
constexpr int Cancel = platform::MessageBoxes::Cancel;

class ModuleRunTest : public netrovatest::NetrovaTest {
protected:
    void SetUp() override
    {
        NetrovaTest::SetUp();
        for (const auto& [signal, name] :
             {std::pair{&netrova::clsManager::RetourForm, "RetourForm"},
              std::pair{&netrova::clsManager::RetourEval, "RetourEval"},
              std::pair{&netrova::clsManager::RetourFormWithMajResult, "RetourFormWithMajResult"},
              std::pair{&netrova::clsManager::RetourEvalWithMajResult, "RetourEvalWithMajResult"}}) {
            const QString event = QString::fromLatin1(name);
            QObject::connect(manager_.get(), signal, [this, event] { pageEvents << event; });
        }
    }

    // The start-up of that session: 1 once its first question shows.
    long start(const QString& sessionId = QStringLiteral("1"))
    {
        const long result = manager_->InitPlugin(sessionId, base(), 1);
        session_ = manager_->BarreManager();
        return result;
    }

    lumaro::Manager& player() const { return *session_->pioKavBarre(); }
    lumaro::frmClient& questionWindow() const { return *player().questionWindow(); }
    lumaro::Module& module() const { return *session_->pioKavParc->ModuleEnCours(); }
    vidora::CAsfVideoKav* video() const { return session_->VideoPlayer().player(); }

    // The learner answered the module's questions: typed answer 1 (right) or 2 (wrong).
    void answer(std::initializer_list<long> types)
    {
        long index = 1;
        long passed = 0;
        for (const long type : types) {
            const auto result = module().ResultQuestions(index++);
            result->TypeReponse(type);
            result->TypeAffichage(1);
            passed += type == 1 ? 1 : 0;
        }
        module().NbQuestReussi(passed);
    }

    // The result strings the server stored, in order.
    QStringList postedResults() const
    {
        QStringList results;
        QFile file(server_->resultsFile());
        if (!file.open(QIODevice::ReadOnly))
            return results;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine();
            if (!line.trimmed().isEmpty())
                results << QJsonDocument::fromJson(line)
                               .object()
                               .value(QStringLiteral("fields"))
                               .toObject()
                               .value(QStringLiteral("ChaineResult"))
                               .toString();
        }
        return results;
    }

    // The fields of the one result string the server stored: empty, with the
    // test failed, when it stored none, several, or one not of 12 fields.
    QStringList storedResultFields() const
    {
        const QStringList posted = postedResults();
        if (posted.size() != 1) {
            ADD_FAILURE() << "the server stored " << posted.size() << " results";
            return {};
        }
        const QStringList fields = posted.front().split(u'|');
        if (fields.size() != 12) {
            ADD_FAILURE() << "the stored result has " << fields.size() << " fields: " << posted.front().toStdString();
            return {};
        }
        return fields;
    }

    // The question player asks the host to play the question's solution.
    void playSolution(long question)
    {
        lumaro::TypeVideo type = lumaro::TypeCorrige;
        QString title = QStringLiteral("Corrigé");
        session_->VisuVideo(question, type, title);
    }

    // Questions 2 and 3 as the sample learner answers them: both shortcuts
    // typed right, then the wrong menu, after whose feedback the module ends.
    static bool answerTheLastTwoQuestions(testsupport::ModuleLearner& learner)
    {
        if (!learner.type(QStringLiteral("Saisie"), 0, QStringLiteral("enregistrer"))
            || !learner.type(QStringLiteral("Saisie"), 1, QStringLiteral("impression")) || !learner.poursuivre()
            || !learner.poursuivre() || !learner.choose(QStringLiteral("Choix"), 1) || !learner.poursuivre())
            return false;
        learner.poursuivre();
        return true;
    }

    QString message(const char* key) const
    {
        return context_.oLangueIHMInet->GetMessage(QString::fromLatin1(key));
    }

    clsBarreManager* session_ = nullptr;
    QStringList pageEvents;
};

TEST_F(ModuleRunTest, TheTrainingModuleStartsOnItsFirstQuestionWithThePageHidden)
{
    ASSERT_EQ(start(), OK);
    ASSERT_NE(session_->pioKavBarre(), nullptr);
    EXPECT_TRUE(questionWindow().isVisible());
    EXPECT_TRUE(questionWindow().isEnabled()) << "the learner can use the window";
    EXPECT_TRUE(questionWindow().kavbtnLecon()->isEnabled());
    EXPECT_FALSE(page_.isVisible()) << "the page gives the screen to the question window";
    EXPECT_EQ(session_->HandleAppelant(), pageId_->id());
    EXPECT_TRUE(session_->ModuleExerva());
    EXPECT_EQ(player().ExtensionVideo(), QStringLiteral(".avi"));
    EXPECT_TRUE(player().ModeMediaInet());
    EXPECT_TRUE(player().URLServerHelpFile().endsWith(QStringLiteral("WS/pluginhelp.aspx?sessionid=1")));
    EXPECT_FALSE(server_->requestsFor("X1211.xml").empty()) << "the exercise file comes from the server";
    testsupport::saveScreenshot(questionWindow(), QStringLiteral("netrova_first_question"));
}

TEST_F(ModuleRunTest, TheEndOfTheModulePostsTheResultTheServerStores)
{
    ASSERT_EQ(start(), OK);
    session_->NbQuestionReussiDuParcours(10);
    session_->NbQuestionReussiDuModule(1);
    answer({1, 2, 1});
    module().ResultQuestions(2)->TypeAffichage(-1);
    session_->FinModule();

    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")});
    const QStringList fields = storedResultFields();
    ASSERT_FALSE(fields.isEmpty());
    EXPECT_EQ(fields.mid(0, 5), (QStringList{QStringLiteral("7"), QStringLiteral("120"), QStringLiteral("1201"),
                                             QStringLiteral("0"), QStringLiteral("2")}));
    EXPECT_TRUE(fields.at(5).contains(u'.')) << "the start as a date text";
    EXPECT_EQ(fields.at(7), QStringLiteral("0"));
    EXPECT_EQ(fields.at(8), QStringLiteral("11")) << "10 - 1 already counted + 2 passed now";
    EXPECT_EQ(fields.at(9), QStringLiteral("0")) << "a question was never shown";
    const QStringList records = fields.at(10).split(u'^');
    ASSERT_EQ(records.size(), 3);
    EXPECT_TRUE(records.at(0).startsWith(QStringLiteral("1211{1{"))) << records.at(0).toStdString();
    EXPECT_TRUE(records.at(1).startsWith(QStringLiteral("1212{2{")));
    EXPECT_EQ(records.at(0).split(u'{').size(), 5);
    EXPECT_EQ(fields.at(11), QStringLiteral("0001:00"));

    // The server's new identifiers and the counters, once accepted.
    EXPECT_NE(session_->IdResModule(), 0);
    EXPECT_NE(session_->IdResParcours(), 0);
    EXPECT_EQ(session_->NbQuestionReussiDuParcours(), 11);
    EXPECT_EQ(session_->NbQuestionReussiDuModule(), 2);
}

struct LeavingCase {
    const char* name;
    const char* sessionId;
    bool answered;
    // The question player's event.
    void (clsBarreManager::*event)();
    QString pageEvent;
    int posts;
    // What the page learns of the result.
    clsBarreManager::ResultFate fate;

    friend void PrintTo(const LeavingCase& c, std::ostream* os) { *os << c.name; }
};

class LeavingTest : public ModuleRunTest, public ::testing::WithParamInterface<LeavingCase> {};

TEST_P(LeavingTest, EachRoadEndsWithItsPageEvent)
{
    const LeavingCase& c = GetParam();
    ASSERT_EQ(start(QString::fromLatin1(c.sessionId)), OK);
    if (c.answered)
        answer({1, 1, 2});
    (session_->*c.event)();
    EXPECT_EQ(pageEvents, QStringList{c.pageEvent});
    EXPECT_EQ(postedResults().size(), c.posts);
    EXPECT_EQ(session_->resultReport().fate, c.fate);
}

INSTANTIATE_TEST_SUITE_P(
    Roads, LeavingTest,
    ::testing::Values(
        LeavingCase{"TrainingFinished", "1", true, &clsBarreManager::FinModule, "RetourFormWithMajResult", 1,
                    clsBarreManager::ResultFate::Stored},
        LeavingCase{"TrainingQuit", "1", true, &clsBarreManager::BoutonQuitter, "RetourFormWithMajResult", 1,
                    clsBarreManager::ResultFate::Stored},
        LeavingCase{"TrainingWithNothingAnswered", "1", false, &clsBarreManager::FinModule, "RetourForm", 0,
                    clsBarreManager::ResultFate::NothingAnswered},
        LeavingCase{"ApplicationExerciseQuit", "2", true, &clsBarreManager::BoutonQuitterExoApp, "RetourForm", 0,
                    clsBarreManager::ResultFate::NothingAnswered},
        LeavingCase{"EvaluationFinished", "2", true, &clsBarreManager::FinModule, "RetourEvalWithMajResult", 1,
                    clsBarreManager::ResultFate::Stored},
        LeavingCase{"EvaluationQuit", "2", true, &clsBarreManager::BoutonQuitter, "RetourEval", 0,
                    clsBarreManager::ResultFate::NotStored}),
    [](const auto& info) { return testsupport::caseName(QString::fromLatin1(info.param.name)); });

TEST_F(ModuleRunTest, AnUnreadableReplyIsOfferedAgainUntilTheServerAccepts)
{
    ASSERT_EQ(start(), OK);
    answer({1});
    // A bare "1" is no accepted reply: the record needs its identifiers.
    server_->addFault({courseserver::FaultKind::KavErreur, "SetResultModule.aspx", 1, 200, "1"});
    boxes_.answer(platform::MessageBoxes::Ok);
    session_->FinModule();
    EXPECT_EQ(boxes_.texts().filter(message("ERR_POST_RESULT")).size(), 1);
    EXPECT_EQ(server_->requestsFor("SetResultModule.aspx").size(), 2u);
    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")});
    EXPECT_EQ(session_->resultReport().fate, clsBarreManager::ResultFate::Stored);
}

TEST_F(ModuleRunTest, GivingUpLeavesWithoutResultAndTheCountersAsTheyWere)
{
    ASSERT_EQ(start(), OK);
    session_->NbQuestionReussiDuParcours(10);
    answer({1, 1});
    addFault("kaverreur:SetResultModule.aspx");
    boxes_.answer(Cancel);
    session_->FinModule();
    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourForm")});
    EXPECT_EQ(session_->NbQuestionReussiDuParcours(), 10);
    EXPECT_EQ(session_->NbQuestionReussiDuModule(), 0);
    EXPECT_EQ(session_->IdResModule(), 0);
    EXPECT_NE(session_->pioKavParc->ModuleEnCours(), nullptr) << "the module is not closed";
    EXPECT_EQ(session_->resultReport().fate, clsBarreManager::ResultFate::NotStored);
    EXPECT_TRUE(session_->resultReport().why.contains(QStringLiteral("Erreur simulée par le serveur de cours")));
}

struct FailedPostCase {
    const char* name;
    const char* fault;     // the fault the server plays, or nullptr
    const char* formPage;  // the result form page the server serves instead of its own, or nullptr
    long code;             // the step code the learner is told
    const char* words;     // in the error's words the learner is told
    bool recovers;         // a second post can succeed

    friend void PrintTo(const FailedPostCase& c, std::ostream* os) { *os << c.name; }
};

class FailedPostTest : public ModuleRunTest, public ::testing::WithParamInterface<FailedPostCase> {};

// A post that failed, for whatever reason, is never lost silently: the learner
// reads why, and may send it again.
TEST_P(FailedPostTest, TheLearnerIsToldWhyAndOfferedToSendItAgain)
{
    const FailedPostCase& c = GetParam();
    context_.requestTimeout = std::chrono::milliseconds(1500);
    ASSERT_EQ(start(), OK);
    answer({1});
    if (c.fault)
        addFault(c.fault);
    if (c.formPage)
        writeFile(QStringLiteral("server/WS/SetResultModule.htm"), c.formPage);
    boxes_.answer(c.recovers ? platform::MessageBoxes::Ok : Cancel);
    const auto before = boxes_.texts().size();
    session_->FinModule();
    server_->releaseSlowReplies();
    const QStringList shown = boxes_.texts().mid(before);
    ASSERT_FALSE(shown.isEmpty());
    const QString told = shown.front();
    EXPECT_TRUE(told.startsWith(message("ERR_CONNUE") + QString::number(c.code) + QStringLiteral(" : ")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QString::fromUtf8(c.words))) << told.toStdString();
    EXPECT_TRUE(told.endsWith(message("ERR_POST_RESULT"))) << "the question follows";
    EXPECT_EQ(boxes_.shown().front().buttons & platform::MessageBoxes::CancelButton,
              platform::MessageBoxes::CancelButton);
    if (c.recovers) {
        EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")});
        EXPECT_FALSE(postedResults().isEmpty());
    } else {
        EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourForm")});
        EXPECT_EQ(session_->resultReport().fate, clsBarreManager::ResultFate::NotStored);
        EXPECT_TRUE(session_->resultReport().why.startsWith(QString::number(c.code)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Roads, FailedPostTest,
    ::testing::Values(
        FailedPostCase{"ErrorStatus", "status=500:SetResultModule.aspx:1", nullptr,
                       enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_Erreur, "500", true},
        FailedPostCase{"FormPageMissing", "status=404:SetResultModule.htm:1", nullptr,
                       enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_Erreur, "404", true},
        FailedPostCase{"ReplyTooLate", "slow:SetResultModule.aspx:1", nullptr,
                       enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurTimeOut,
                       "Pas de réponse du serveur en 1.5 s", true},
        FailedPostCase{"ServerError", "kaverreur:SetResultModule.aspx:1", nullptr, 500,
                       "Erreur simulée par le serveur de cours", true},
        FailedPostCase{"FieldOfAnotherName", nullptr,
                       "<form method=\"post\"><input type=\"hidden\" name=\"Resultat\"></form>",
                       enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurParamName,
                       "s'appelle « Resultat », pas « ChaineResult »", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModuleRunTest, TheServersErrorGoesToTheTrackingPostWithItsWords)
{
    manager_->LevelSuivi(1);
    ASSERT_EQ(start(), OK);
    answer({1});
    addFault("kaverreur:SetResultModule.aspx:1");
    session_->FinModule();
    std::vector<QJsonObject> refused;
    for (const QJsonObject& record : trackingRecords())
        if (record.value(QStringLiteral("PkFunction")).toString().toLong() == netrova::PostResultErrorConnue)
            refused.push_back(record);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused.front().value(QStringLiteral("Commentaires")).toString(),
              QStringLiteral("Erreur VB : 500<BR>Description : Erreur simulée par le serveur de cours"));
}

TEST_F(ModuleRunTest, ASeparatorInThePlannedPathDurationIsDroppedAndTheResultPosted)
{
    manager_->LevelTracelage(1);
    ASSERT_EQ(start(), OK);
    answer({1});
    session_->DureePrevueParcours(QStringLiteral("1|0^0{0"));
    session_->FinModule();
    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")});
    ASSERT_EQ(postedResults().size(), 1);
    EXPECT_TRUE(postedResults().front().endsWith(QStringLiteral("|1000"))) << postedResults().front().toStdString();
    EXPECT_TRUE(
        traceText().contains(QStringLiteral("séparateurs retirés de la durée prévue du parcours : 1|0^0{0")));
}

TEST_F(ModuleRunTest, BlanksOfTheResultAreSentEncoded)
{
    ASSERT_EQ(start(), OK);
    answer({1});
    session_->DureePrevueParcours(QStringLiteral("1 h 30"));
    session_->FinModule();
    ASSERT_EQ(postedResults().size(), 1);
    EXPECT_TRUE(postedResults().front().endsWith(QStringLiteral("|1%20h%2030")));
}

TEST_F(ModuleRunTest, TheLessonShowsInTheMediaWindowAndItsEndGivesTheQuestionBack)
{
    ASSERT_EQ(start(), OK);
    questionWindow().kavbtnLecon()->click();
    ASSERT_NE(player().mediaWindow(), nullptr);
    EXPECT_TRUE(player().mediaWindow()->isVisible());
    EXPECT_FALSE(questionWindow().isVisible());
    ASSERT_TRUE(mediaWindowPlayer_);
    EXPECT_EQ(mediaWindowPlayer_->address().toString(), base() + QStringLiteral("Media/12F/lecon12.avi"));
    EXPECT_EQ(video(), nullptr) << "the media window plays it, not the video player";
    testsupport::saveScreenshot(*player().mediaWindow(), QStringLiteral("netrova_lesson_in_media_window"));
    player().RetourAfficherVideoManager();
    EXPECT_TRUE(questionWindow().isVisible());
}

TEST_F(ModuleRunTest, TheSolutionPlaysInTheVideoPlayerAndItsEndGivesTheQuestionBack)
{
    ASSERT_EQ(start(), OK);
    long question = 1211;
    lumaro::TypeVideo type = lumaro::TypeCorrige;
    QString title = QStringLiteral("Corrigé");
    // The question player asks for it once the learner has answered.
    session_->VisuVideo(question, type, title);
    ASSERT_NE(video(), nullptr) << boxes_.texts().join(u'\n').toStdString();
    EXPECT_TRUE(video()->window()->isVisible());
    EXPECT_EQ(video()->TitreFenetreVideo(), title);
    EXPECT_FALSE(questionWindow().isVisible()) << "the question window hides while the video plays";
    ASSERT_TRUE(videoPlayer_);
    EXPECT_EQ(videoPlayer_->address().toString(), base() + QStringLiteral("Media/12F/lecon12.avi"));
    EXPECT_EQ(video()->TypeServeurDiffusion(), vidora::MMSServeurMicrosoftMedia);
    testsupport::saveScreenshot(*video()->window(), QStringLiteral("netrova_solution_in_video_player"));

    video()->window()->kavbtnQuitter_Click();
    EXPECT_TRUE(questionWindow().isVisible());
    EXPECT_EQ(context_.puoKavReg->GetValue(toolkit::KavReg::CurrentUser, QStringLiteral("Quelvoro Inet\\IHM Client"),
                                           QStringLiteral("InitAvecSon"), 0),
              QStringLiteral("True"));
}

TEST_F(ModuleRunTest, AQuestionWithoutTheVideoIsToldAndTheQuestionGivenBack)
{
    ASSERT_EQ(start(), OK);
    playSolution(4242);
    ASSERT_FALSE(boxes_.texts().isEmpty());
    EXPECT_TRUE(boxes_.texts().last().startsWith(message("ERR_INCONNUE") + QStringLiteral("91")));
    EXPECT_TRUE(questionWindow().isVisible());
}

TEST_F(ModuleRunTest, AQuestionVideoAfterAnIndexSequenceStillGivesTheQuestionBack)
{
    ASSERT_EQ(start(), OK);
    long sequence = 321;
    ASSERT_TRUE(session_->LanceSequence(5, QStringLiteral("Index"), 32, QStringLiteral("00:00:00"), sequence));
    ASSERT_NE(video(), nullptr);
    EXPECT_TRUE(video()->window()->isVisible());
    video()->window()->kavbtnQuitter_Click();

    playSolution(1211);
    ASSERT_FALSE(questionWindow().isVisible());
    video()->window()->kavbtnQuitter_Click();
    EXPECT_TRUE(questionWindow().isVisible()) << "the origin is the playback's own, not the last index launch";
}

TEST_F(ModuleRunTest, AnIndexSequenceNoVideoBearsIsRefusedBeforeAnythingShows)
{
    ASSERT_EQ(start(), OK);
    // Text mode plays the silent version, found by the sequence's identifier.
    context_.puoKavReg->SetValue(toolkit::KavReg::CurrentUser, QStringLiteral("Quelvoro Inet\\IHM Client"),
                                 QStringLiteral("InitAvecSon"), QStringLiteral("False"), 0);
    long sequence = 999;
    EXPECT_FALSE(session_->LanceSequence(5, QStringLiteral("Index"), 32, QStringLiteral("00:00:00"), sequence));
    EXPECT_EQ(context_.pulStateEnCours, enuFunctionReturnState_Netrova_clsBarreManager_LanceSequence_ErreurInconnue);
    EXPECT_EQ(context_.pulErrorNumber, platform::SubscriptOutOfRange);
    EXPECT_TRUE(!video() || !video()->window()->isVisible());
    EXPECT_EQ(sequence, 999);
}

TEST_F(ModuleRunTest, AMediaOfTheIndexShowsInTheMediaWindowAndItsEndRestoresThePage)
{
    ASSERT_EQ(start(), OK);
    writeFile(QStringLiteral("server/WS/InfoVideoFromIndex/40.txt"),
              QStringLiteral("#KAV_OK#|40^lecon12^00:03:20^Y^1211|00:00:00-00:03:20¤<VIDEO><FILE FileName=\"lecon12\" "
                             "Duree=\"00:00:03\" Width=\"384\" Height=\"288\" Title=\"Copier\"/></VIDEO>¤401")
                  .toUtf8());
    long sequence = 401;
    ASSERT_TRUE(session_->LanceSequence(5, QStringLiteral("Index"), 40, QStringLiteral("00:00:00"), sequence));
    EXPECT_EQ(sequence, 0) << "the caller gets the sequence's place in the video";
    ASSERT_NE(player().mediaWindow(), nullptr);
    EXPECT_TRUE(player().mediaWindow()->isVisible());
    EXPECT_TRUE(page_.isMinimized() || !page_.isVisible());

    session_->FinVideo();
    EXPECT_TRUE(page_.isVisible());
    EXPECT_FALSE(page_.isMinimized());
}

TEST_F(ModuleRunTest, DestroyClosesTheVideoPlayerAndEveryWindow)
{
    ASSERT_EQ(start(), OK);
    playSolution(1211);
    ASSERT_NE(video(), nullptr);
    QPointer<vidora::frmVideo> videoWindow = video()->window();
    QPointer<lumaro::frmClient> barWindow = &questionWindow();
    manager_->Destroy();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!videoWindow || !videoWindow->isVisible());
    EXPECT_TRUE(!barWindow || !barWindow->isVisible());
    EXPECT_EQ(manager_->BarreManager(), nullptr);
}

TEST_F(ModuleRunTest, ASecondBarReplacesTheFirst)
{
    ASSERT_EQ(start(), OK);
    QPointer<lumaro::frmClient> first = &questionWindow();
    ASSERT_TRUE(session_->InitBarre(QStringLiteral("FR"), false));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!first || !first->isVisible()) << "the first question player is ended, not left on screen";
}

TEST_F(ModuleRunTest, ThePageMayEndThePlugInFromItsLeavingEvent)
{
    ASSERT_EQ(start(), OK);
    answer({1});
    QObject::connect(manager_.get(), &netrova::clsManager::RetourFormWithMajResult, [this] { manager_->Destroy(); });
    session_->FinModule();
    EXPECT_EQ(manager_->BarreManager(), nullptr);
    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")});
}

TEST_F(ModuleRunTest, WorkFilesOfAComponentOutsideTheEngineAreFetched)
{
    writeFile(QStringLiteral("server/WS/InfoDll/1.txt"), "#KAV_OK#|KAVTEXTE||A^1^Bravo !|B^2^Relisez la consigne.");
    writeFile(QStringLiteral("server/Download/12F/KAVTEXTE.htm"),
              "<html><body><a href=\"kavtexte.dat\">composant</a>"
              "<a href=\"KAVTEXTE/KAVTEXTE.dll\">dll</a></body></html>");
    writeFile(QStringLiteral("server/Download/12F/kavtexte.dat"), "donnees");
    writeFile(QStringLiteral("server/Download/12F/KAVTEXTE/KAVTEXTE.dll"), "dll");
    start();
    EXPECT_FALSE(session_->ModuleExerva());
    EXPECT_EQ(QString::fromUtf8(readFile(QStringLiteral("data/components/kavtexte.dat"))), QStringLiteral("donnees"));
    EXPECT_EQ(readFile(QStringLiteral("data/components/KAVTEXTE/KAVTEXTE.dll")), QByteArray("dll"))
        << "a file of a sub-folder of the package goes to the same sub-folder";
    const auto appli = session_->pioKavParc ? session_->pioKavParc->Appli(12) : nullptr;
    ASSERT_NE(appli, nullptr);
    EXPECT_EQ(appli->PathDll(), path(QStringLiteral("data/components/")));
}

TEST_F(ModuleRunTest, AVideoItsPlayerCannotReadIsToldWhenAskedForAndTheModuleGoesOn)
{
    // The first question's solution gives its duration in a form the video
    // player does not read: the module loads with it as the server sent it.
    const QString videos = QString::fromUtf8(readFile(QStringLiteral("server/WS/InfoVideo/1211.txt")));
    ASSERT_TRUE(videos.contains(QStringLiteral("32^lecon12^00:03:20^C")));
    writeFile(QStringLiteral("server/WS/InfoVideo/1211.txt"),
              QString(videos).replace(QStringLiteral("32^lecon12^00:03:20^C"), QStringLiteral("32^lecon12^3:20^C"))
                  .toUtf8());
    ASSERT_EQ(start(), OK) << boxes_.texts().join(u'\n').toStdString();
    testsupport::ModuleLearner learner(player(), context_.lumaroContext);

    for (int word : {0, 1, 2})
        ASSERT_TRUE(learner.dropWord(QStringLiteral("Texte"), word, word));
    ASSERT_TRUE(learner.poursuivre());
    ASSERT_TRUE(learner.solution());
    ASSERT_EQ(boxes_.texts().size(), 1);
    EXPECT_TRUE(boxes_.texts().front().startsWith(
        message("ERR_CONNUE") + QString::number(enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_ErreurLanceVideo)
        + QStringLiteral(" : ")))
        << boxes_.texts().front().toStdString();
    EXPECT_TRUE(boxes_.texts().front().contains(QStringLiteral("3:20")));
    ASSERT_NE(video(), nullptr);
    EXPECT_FALSE(video()->window()->isVisible());
    EXPECT_TRUE(questionWindow().isVisible());
    EXPECT_TRUE(questionWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    // The rest of the module plays, and its result is stored.
    ASSERT_TRUE(learner.poursuivre());
    ASSERT_TRUE(answerTheLastTwoQuestions(learner));
    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")})
        << boxes_.texts().join(u'\n').toStdString();
    EXPECT_EQ(postedResults().size(), 1);
}

TEST_F(ModuleRunTest, TheLoadingWindowFollowsTheModulesRequests)
{
    manager_->LevelTracelage(3);
    ASSERT_EQ(start(), OK);
    static const QRegularExpression shown(QStringLiteral("lTaux = (\\d+)"));
    std::vector<int> percentages;
    for (auto match = shown.globalMatch(traceText()); match.hasNext();)
        percentages.push_back(match.next().captured(1).toInt());
    ASSERT_FALSE(percentages.empty());
    EXPECT_LT(percentages.front(), 50) << "the first request is only the start of the load";
    EXPECT_TRUE(std::is_sorted(percentages.begin(), percentages.end())) << "the percentage never goes back";
    EXPECT_EQ(percentages.back(), 100);
    EXPECT_GE(std::set<int>(percentages.begin(), percentages.end()).size(), 4u);
}

TEST_F(ModuleRunTest, ThePlayersWriteTheirTracesInThePagesTraceFolder)
{
    manager_->PathTracel(QStringLiteral("session7"));
    manager_->LevelTracelage(1);
    ASSERT_EQ(start(), OK);
    playSolution(1211);
    ASSERT_NE(video(), nullptr);
    video()->window()->kavbtnQuitter_Click();
    const QStringList root = QDir(path(QStringLiteral("data/traces"))).entryList(QDir::Files);
    EXPECT_TRUE(root.isEmpty()) << root.join(u' ').toStdString();
    const QStringList traces = QDir(path(QStringLiteral("data/traces/session7"))).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(traces, (QStringList{QStringLiteral("Exerva.htm"), QStringLiteral("Lumaro.htm"),
                                   QStringLiteral("Netrova.htm"), QStringLiteral("VVidora.htm")}));
}

TEST_F(ModuleRunTest, TheCourseModelOfTheMediaAloneTracesInThePagesTraceFolder)
{
    manager_->PathTracel(QStringLiteral("media"));
    manager_->LevelTracelage(1);
    ASSERT_TRUE(manager_->Create(netrova::ModeDeBase, QStringLiteral("FR")));
    clsBarreManager& session = *manager_->BarreManager();
    session.IdAppli(12);
    session.ModeMediaInet(true);
    session.URLMediaAppli(base() + QStringLiteral("Media/12F/"));
    ASSERT_TRUE(session.InitUrlMedia());
    EXPECT_EQ(context_.lumaroContext.levelTracelage(), 1);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/traces/media/Lumaro.htm"))));
}

TEST_F(ModuleRunTest, ALearnerPlaysTheTrainingModuleThroughAndTheServerStoresTheResult)
{
    ASSERT_EQ(start(), OK);
    testsupport::ModuleLearner learner(player(), context_.lumaroContext);

    // Question 1: the lesson first, then the words in their gaps.
    ASSERT_TRUE(learner.lesson());
    ASSERT_NE(player().mediaWindow(), nullptr);
    EXPECT_TRUE(player().mediaWindow()->isVisible());
    player().RetourAfficherVideoManager();
    ASSERT_TRUE(questionWindow().isVisible());
    for (int word : {0, 1, 2})
        ASSERT_TRUE(learner.dropWord(QStringLiteral("Texte"), word, word));
    ASSERT_TRUE(learner.poursuivre());
    // Checked: the solution plays in the video player, and its end gives the question back.
    ASSERT_TRUE(learner.solution());
    ASSERT_NE(video(), nullptr) << boxes_.texts().join(u'\n').toStdString();
    EXPECT_TRUE(video()->window()->isVisible());
    EXPECT_FALSE(questionWindow().isVisible());
    video()->window()->kavbtnQuitter_Click();
    ASSERT_TRUE(questionWindow().isVisible());
    ASSERT_TRUE(learner.poursuivre());
    ASSERT_TRUE(answerTheLastTwoQuestions(learner));

    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")})
        << boxes_.texts().join(u'\n').toStdString();
    const QStringList fields = storedResultFields();
    ASSERT_FALSE(fields.isEmpty());
    EXPECT_EQ(fields.at(4), QStringLiteral("2")) << "two questions passed";
    EXPECT_EQ(fields.at(9), QStringLiteral("1")) << "every question was shown";
    const QStringList records = fields.at(10).split(u'^');
    ASSERT_EQ(records.size(), 3) << fields.at(10).toStdString();
    EXPECT_TRUE(records.at(0).startsWith(QStringLiteral("1211{")));
    EXPECT_TRUE(records.at(2).startsWith(QStringLiteral("1213{"))) << records.at(2).toStdString();
    EXPECT_TRUE(page_.isVisible()) << "the page comes back";
}

TEST_F(ModuleRunTest, ALearnerWhoLeavesAfterTheFirstQuestionHasNotCompletedTheModule)
{
    ASSERT_EQ(start(), OK);
    testsupport::ModuleLearner learner(player(), context_.lumaroContext);
    for (int word : {0, 1, 2})
        ASSERT_TRUE(learner.dropWord(QStringLiteral("Texte"), word, word));
    ASSERT_TRUE(learner.poursuivre());
    ASSERT_TRUE(learner.poursuivre());
    boxes_.answer(platform::MessageBoxes::Ok);
    ASSERT_TRUE(learner.quit());

    EXPECT_EQ(pageEvents, QStringList{QStringLiteral("RetourFormWithMajResult")})
        << boxes_.texts().join(u'\n').toStdString();
    const QStringList fields = storedResultFields();
    ASSERT_FALSE(fields.isEmpty());
    EXPECT_EQ(fields.at(4), QStringLiteral("1"));
    EXPECT_EQ(fields.at(9), QStringLiteral("0")) << "questions 2 and 3 were never shown";
}

}  // namespace
