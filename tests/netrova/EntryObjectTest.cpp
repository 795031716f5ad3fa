// The plug-in's entry object: its settings, Create, Destroy, the events it
// relays to the page and its trace log.

#include "NetrovaFixture.h"

#include "basalo/enuFunctionReturnState.h"
#include "netrova/clsInetUPL.h"

#include <QPointer>
#include <QSignalSpy>

namespace {

using netrova::clsBarreManager;
using netrova::clsManager;
using netrovatest::NetrovaTest;

constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

class EntryObjectTest : public NetrovaTest {};

TEST_F(EntryObjectTest, NewObjectHasItsInitialSettings)
{
    EXPECT_EQ(manager_->PkCookie(), QStringLiteral("-1"));
    EXPECT_EQ(manager_->DwlFiles(), nullptr);
    EXPECT_EQ(manager_->BarreManager(), nullptr);
    EXPECT_EQ(manager_->LastErrorSource(), QString());
    context_.pulStateEnCours = 21053;
    EXPECT_EQ(manager_->StateEnCours(), 21053);
    EXPECT_EQ(manager_->StateEnCours(), 21053) << "reading leaves the step code";
    manager_->ClearError();
    EXPECT_EQ(manager_->StateEnCours(), 0);
}

TEST_F(EntryObjectTest, CreateBuildsTheObjectsAndTheQuestionSessionOnlyInTheInteractiveMode)
{
    struct Case {
        netrova::eModeGestion mode;
        bool result;
        long state;
    };
    for (const Case& c : {Case{netrova::ModeDeBase, true, OK}, Case{netrova::ModeMedia, true, OK},
                          Case{netrova::ModeInterractif, true, OK}}) {
        EXPECT_EQ(manager_->Create(c.mode, QStringLiteral("FR")), c.result) << c.mode;
        EXPECT_EQ(manager_->StateEnCours(), c.state) << c.mode;
        ASSERT_NE(manager_->BarreManager(), nullptr);
        ASSERT_NE(manager_->InetUrl(), nullptr);
        EXPECT_EQ(manager_->BarreManager()->InetUrl().get(), manager_->InetUrl());
        EXPECT_NE(context_.puoKavReg, nullptr);
        // The language reader exists from Create on, for the question session to read.
        ASSERT_NE(context_.oLangueIHMInet, nullptr);
        EXPECT_EQ(context_.oLangueIHMInet->LangueID(), QStringLiteral("FR"));
        EXPECT_EQ(context_.oLangueIHMInet->LNGFilePath(), path(QStringLiteral("data/kavplugin.lng")));
    }
}

TEST_F(EntryObjectTest, CreateCompletesTheServerAddressOnce)
{
    manager_->URLBaseServer(QStringLiteral("http://serveur/cours"));
    manager_->Create(netrova::ModeDeBase, QStringLiteral("FR"));
    EXPECT_EQ(manager_->URLBaseServer(), QStringLiteral("http://serveur/cours/"));
    manager_->URLBaseServer(QStringLiteral("http://autre"));
    EXPECT_EQ(manager_->URLBaseServer(), QStringLiteral("http://autre"));
}

TEST_F(EntryObjectTest, FailedCreateNeverReportsSuccess)
{
    context_.createRegistry = [] { return std::shared_ptr<toolkit::KavReg>(); };
    EXPECT_FALSE(manager_->Create(netrova::ModeDeBase, QStringLiteral("FR")));
    EXPECT_EQ(manager_->StateEnCours(), basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurReg);
    EXPECT_EQ(manager_->LastErrorNumber(), platform::CannotCreateObject);
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1),
              basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurReg);
    EXPECT_TRUE(server_->requestsFor("initplugin").empty());
}

TEST_F(EntryObjectTest, UnforeseenFailureWhileBuildingIsNoSuccessEither)
{
    context_.createHttpSession = []() -> std::unique_ptr<platform::HttpSession> {
        throw std::runtime_error("no network");
    };
    EXPECT_FALSE(manager_->Create(netrova::ModeDeBase, QStringLiteral("FR")));
    EXPECT_EQ(manager_->StateEnCours(), basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurInconnue);
    EXPECT_EQ(manager_->LastErrorNumber(), platform::AutomationError);
    EXPECT_EQ(manager_->InitPlugin(QStringLiteral("42"), base(), 1),
              basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurInconnue);
}

TEST_F(EntryObjectTest, SecondStartReplacesTheObjectsOfTheFirst)
{
    manager_->Create(netrova::ModeDeBase, QStringLiteral("FR"));
    const QPointer<clsBarreManager> first = manager_->BarreManager();
    const QPointer<netrova::clsInetUPL> firstTransport = manager_->InetUrl();
    manager_->InitPlugin(QStringLiteral("42"), base(), 1);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(firstTransport, nullptr);
    ASSERT_NE(manager_->BarreManager(), nullptr);
    EXPECT_EQ(manager_->BarreManager()->IdAppli(), 12);
}

TEST_F(EntryObjectTest, DestroyTwiceIsHarmless)
{
    context_.pulLevelSuivi = 1;
    manager_->InitPlugin(QStringLiteral("42"), base(), 1);
    const QPointer<clsBarreManager> session = manager_->BarreManager();
    manager_->ClearError();
    manager_->Destroy();
    manager_->Destroy();
    EXPECT_EQ(session, nullptr);
    EXPECT_EQ(manager_->InetUrl(), nullptr);
    EXPECT_EQ(context_.puoKavReg, nullptr);
    EXPECT_NE(context_.oLangueIHMInet, nullptr) << "the language reader stays";
    EXPECT_EQ(manager_->StateEnCours(), OK);
    EXPECT_EQ(manager_->LastErrorNumber(), 0);
    const auto codes = trackedCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), netrova::DebutDestroy), 1);
    manager_.reset();
    const auto after = trackedCodes();
    EXPECT_EQ(std::count(after.begin(), after.end(), netrova::DebutDestroy), 1)
        << "the release finds nothing left to destroy";
}

TEST_F(EntryObjectTest, EachWayOfLeavingReachesThePageAsOneEvent)
{
    manager_->Create(netrova::ModeDeBase, QStringLiteral("FR"));
    clsBarreManager* session = manager_->BarreManager();
    // In the order of the page events they become.
    const std::vector<void (clsBarreManager::*)()> leaving{
        &clsBarreManager::QuitterModuleEval, &clsBarreManager::QuitterModuleEvalWithResult,
        &clsBarreManager::QuitterModuleForm, &clsBarreManager::QuitterModuleFormWithResult};
    QSignalSpy eval(manager_.get(), &clsManager::RetourEval);
    QSignalSpy evalResult(manager_.get(), &clsManager::RetourEvalWithMajResult);
    QSignalSpy form(manager_.get(), &clsManager::RetourForm);
    QSignalSpy formResult(manager_.get(), &clsManager::RetourFormWithMajResult);
    QSignalSpy* spies[] = {&eval, &evalResult, &form, &formResult};
    for (std::size_t i = 0; i < leaving.size(); ++i) {
        (session->*leaving[i])();
        for (std::size_t j = 0; j < std::size(spies); ++j)
            EXPECT_EQ(spies[j]->count(), j <= i ? 1 : 0) << "event " << i << ", page event " << j;
    }
}

TEST_F(EntryObjectTest, TraceStaysInTheTraceFolderWhateverThePageAsks)
{
    manager_->PathTracel(QStringLiteral("c:\\temp\\"));
    manager_->FileTracel(QStringLiteral("..\\..\\.bashrc"));
    manager_->VersionSystem(QStringLiteral("6.1"));
    manager_->LevelTracelage(1);
    EXPECT_EQ(manager_->LevelTracelage(), 1);
    EXPECT_EQ(manager_->PathTracel(), path(QStringLiteral("data/traces/")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/traces/Netrova.htm"))));
    const QString trace = traceText();
    EXPECT_TRUE(trace.contains(QStringLiteral("VersionSystem : 6.1")));
    EXPECT_TRUE(trace.contains(QStringLiteral("c:\\temp\\")));
}

TEST_F(EntryObjectTest, TraceGoesIntoASubFolderAndUnderTheNameThePageGives)
{
    manager_->PathTracel(QStringLiteral("Plugin\\Jour1"));
    manager_->FileTracel(QStringLiteral("Session42"));
    manager_->LevelTracelage(3);
    EXPECT_EQ(manager_->LevelTracelage(), 3);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/traces/Plugin/Jour1/Session42.htm"))));
}

TEST_F(EntryObjectTest, TraceLevelIsSetOnlyOnce)
{
    manager_->LevelTracelage(2);
    manager_->LevelTracelage(2);
    EXPECT_EQ(manager_->LevelTracelage(), 0);
    manager_->LevelTracelage(-1);
    EXPECT_EQ(manager_->LevelTracelage(), 0);
}

TEST_F(EntryObjectTest, TraceThatCannotStartLeavesTracingOff)
{
    writeFile(QStringLiteral("data"), "a file where the data folder should be");
    manager_->LevelTracelage(1);
    EXPECT_EQ(manager_->LevelTracelage(), 0);
}

TEST_F(EntryObjectTest, WorkstationIsLoggedFromTraceLevelTwo)
{
    platform::WorkstationFacts facts;
    facts.userName = QStringLiteral("apprenant");
    facts.computerName = QStringLiteral("poste12");
    facts.systemName = QStringLiteral("Linux");
    facts.systemVersion = QStringLiteral("6.1");
    context_.workstation = [facts] { return facts; };
    for (long level : {1L, 2L}) {
        manager_ = std::make_unique<clsManager>(context_);
        QDir(path(QStringLiteral("data/traces"))).removeRecursively();
        manager_->LevelTracelage(level);
        manager_->Create(netrova::ModeDeBase, QStringLiteral("FR"));
        EXPECT_EQ(traceText().contains(QStringLiteral("Login utilisateur : apprenant")), level >= 2) << level;
        EXPECT_EQ(traceText().contains(QStringLiteral("ComputerName : \\\\poste12")), level >= 2) << level;
        manager_.reset();
    }
}

TEST_F(EntryObjectTest, ExternalFormPostMakesOneRecordPerPairOfValues)
{
    manager_->PkCookie(QStringLiteral("42"));
    manager_->Create(netrova::ModeDeBase, QStringLiteral("FR"));
    netrova::clsInetUPL& transport = *manager_->InetUrl();
    const QString ws = base() + QStringLiteral("WS/");
    EXPECT_EQ(transport.PostExternData(ws, QStringLiteral("SetResultModule"),
                                       {QStringLiteral("ChaineResult"), QStringLiteral("1|2")}),
              QStringLiteral("1|1000|1001"));
    EXPECT_EQ(transport.PostExternData(ws, QStringLiteral("SetResultModule"),
                                       {QStringLiteral("ChaineResult"), QStringLiteral("3"), QStringLiteral("ignoré")}),
              QStringLiteral("1|1002|1003"));
    EXPECT_EQ(context_.pulStateEnCours, OK);
    // Four values make two records, and the form page has one field only.
    EXPECT_EQ(transport.PostExternData(
                  ws, QStringLiteral("SetResultModule"),
                  {QStringLiteral("ChaineResult"), QStringLiteral("4"), QStringLiteral("Autre"), QStringLiteral("5")}),
              QStringLiteral("KAV_ERREUR"));
    EXPECT_EQ(context_.pulStateEnCours, basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurParam);
    EXPECT_EQ(transport.PostExternData(ws, QStringLiteral("SetResultModule"),
                                       {QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("b"),
                                        QStringLiteral("2"), QStringLiteral("c")}),
              QStringLiteral("KAV_ERREUR"));
    EXPECT_EQ(context_.pulStateEnCours, basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostExternData_Erreur);
    EXPECT_EQ(server_->requestsFor("SetResultModule.aspx").size(), 2u);
    EXPECT_EQ(server_->requestsFor("SetResultModule.aspx").front().param("sessionid"), "42");
}

}  // namespace
