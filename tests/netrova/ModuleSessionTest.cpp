// The module session's properties and the server clock.

#include "NetrovaFixture.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/ContexteManager.h"

#include <functional>

namespace {

using netrova::clsBarreManager;

class ModuleSessionTest : public netrovatest::NetrovaTest {
protected:
    void SetUp() override
    {
        NetrovaTest::SetUp();
        ASSERT_TRUE(manager_->Create(netrova::ModeDeBase, QStringLiteral("FR")));
        session_ = manager_->BarreManager();
    }

    clsBarreManager* session_ = nullptr;
};

TEST_F(ModuleSessionTest, ComplementaryHelpAddressIsTakenOnlyWithItsMarker)
{
    struct Case {
        QString value, stored;
    };
    const Case cases[] = {
        {QStringLiteral("http://aide/RERA/page"), QStringLiteral("http://aide/RERA/page")},
        {QStringLiteral("http://aide/RERA/rerapage"), QStringLiteral("http://aide/RERA/page")},
        {QStringLiteral("http://aide/rera/page"), QStringLiteral("http://aide/RERA/page")},
        {QStringLiteral("http://aide/Rera/page"), QStringLiteral("http://aide/RERA/page")},
    };
    for (const Case& c : cases) {
        session_->URLAideComplementaire(c.value);
        EXPECT_EQ(session_->URLAideComplementaire(), c.stored) << c.value.toStdString();
    }
}

TEST_F(ModuleSessionTest, DownloadRootsEndWithTheirSeparator)
{
    session_->URLDownloadRorova(QString());
    EXPECT_EQ(session_->URLDownloadRorova(), QStringLiteral("/"));
    session_->URLDownloadRorova(QStringLiteral("http://serveur/rorova"));
    EXPECT_EQ(session_->URLDownloadRorova(), QStringLiteral("http://serveur/rorova/"));
    session_->PathDownloadRorova(QString());
    EXPECT_EQ(session_->PathDownloadRorova(), QStringLiteral("/"));
    session_->PathDownloadRorova(QStringLiteral("\\\\serveur\\rorova"));
    EXPECT_EQ(session_->PathDownloadRorova(), QStringLiteral("//serveur/rorova/"));
    session_->TypeFormEval(QStringLiteral("f"));
    EXPECT_EQ(session_->TypeFormEval(), QStringLiteral("F"));
    session_->WidthViewer(9600);
    session_->HeightViewer(7200);
    EXPECT_EQ(session_->HeightViewer(), 7200);
}

TEST_F(ModuleSessionTest, ErrorPropertiesReportWithoutResetting)
{
    context_.pulErrorNumber = 53;
    context_.pusErrorDescription = QStringLiteral("File not found");
    EXPECT_EQ(session_->LastErrorNumber(), 53);
    EXPECT_EQ(session_->LastErrorNumber(), 53);
    EXPECT_EQ(session_->LastError(), QStringLiteral("File not found"));
    EXPECT_EQ(session_->LastErrorSource(), QString());
}

TEST_F(ModuleSessionTest, ResultsWithoutACourseModelReadZeroAndSayWhy)
{
    EXPECT_EQ(session_->NbQuestionForm(), 0);
    EXPECT_EQ(context_.pulErrorNumber, platform::ObjectNotSet);
    context_.pulErrorNumber = 0;
    EXPECT_EQ(session_->ResultQuestionForm(1), 0);
    EXPECT_EQ(context_.pulErrorNumber, platform::ObjectNotSet);
}

TEST_F(ModuleSessionTest, ServerClockOffsetIsKept)
{
    // The server's clock is 90 seconds behind the plug-in's.
    const auto server = platform::OleDate::fromDateTime(clock_.now().addSecs(-90));
    ASSERT_TRUE(server);
    QString text;
    basalo::clsManager(context_.basaloState).ConvertDateToKavDbl(*server, text);
    EXPECT_TRUE(session_->SetDateServer(text));
    EXPECT_EQ(context_.pulStateEnCours, basalo::enuFunctionReturnState_General_Traitement_OK);
    EXPECT_NEAR(session_->DifDateServer() * 86400.0, 90.0, 0.01);

    EXPECT_TRUE(session_->SetDateServer(QStringLiteral("hier")));
    EXPECT_EQ(context_.pulStateEnCours, basalo::enuFunctionReturnState_Basalo_ConvertKavDblToDate_ErreurGeneree);
    EXPECT_EQ(session_->DifDateServer(), 0.0) << "a text that is no date must not become a 45 000-day offset";
}

TEST_F(ModuleSessionTest, WithoutACourseModelTheOperationsOfTheRunFailWithTheirOwnCode)
{
    long sequence = 3;
    struct Case {
        const char* name;
        std::function<bool()> call;
        long state;
    };
    const Case cases[] = {
        {"StartModule", [&] { return session_->StartModule(1); },
         basalo::enuFunctionReturnState_Netrova_clsBarreManager_StartModule_ErreurInconnue},
        {"LanceSequence",
         [&] { return session_->LanceSequence(1, QStringLiteral("Titre"), 31, QStringLiteral("00:00:00"), sequence); },
         basalo::enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideoFromIndex_ErreurServeur},
        {"piMajResultModule", [&] { return session_->piMajResultModule(0); },
         basalo::enuFunctionReturnState_Netrova_clsBarreManager_piMajResultModules_ErreurVB},
        {"piGereFichiersLocaux", [&] { return session_->piGereFichiersLocaux(); },
         basalo::enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur},
    };
    context_.pusURLBaseServer = base();
    context_.documentsFolder = path(QStringLiteral("home/Documents"));
    for (const Case& c : cases) {
        context_.ClearError();
        EXPECT_FALSE(c.call()) << c.name;
        EXPECT_EQ(context_.pulStateEnCours, c.state) << c.name;
        EXPECT_EQ(context_.pulErrorNumber, platform::ObjectNotSet) << c.name;
    }
    EXPECT_EQ(sequence, 3);
    QString drive;
    EXPECT_FALSE(session_->puFindCDRom(drive));
    EXPECT_TRUE(session_->DestroyBarre());
}

// The application step of Init and InitUrlMedia: a model that will not take
// the application fails it with the step's code, not with the 1 the step
// sets once the application is added.
TEST_F(ModuleSessionTest, ApplicationTheModelCannotHoldFailsWithTheApplicationStepsCode)
{
    manager_->LevelTracelage(1);
    // A model never made has nowhere to keep an application.
    session_->pioKavParc = std::make_shared<lumaro::ContexteManager>(context_.lumaroContext);
    session_->IdAppli(12);
    context_.ClearError();
    EXPECT_FALSE(session_->piRenseigneAppli());
    EXPECT_EQ(context_.pulStateEnCours,
              basalo::enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneAppli_ErreurAddAppli);
    EXPECT_EQ(context_.pulErrorNumber, platform::ObjectNotSet);
    EXPECT_TRUE(traceText().contains(QStringLiteral("<B>Erreur</B></FONT> 91 : ")));
}

}  // namespace
