// Tracking posts: what reaches the server's tracking page, and that a post
// never changes the step code or the last error of the operation it reports on.

#include "NetrovaFixture.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"

namespace {

using netrovatest::NetrovaTest;

constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

class TrackingTest : public NetrovaTest {
protected:
    void create(long levelSuivi)
    {
        manager_->LevelSuivi(levelSuivi);
        manager_->URLBaseServer(base());
        manager_->PkCookie(QStringLiteral("42"));
        ASSERT_TRUE(manager_->Create(netrova::ModeDeBase, QStringLiteral("FR")));
    }

    // Outlives the plug-in, which the fixture ends first.
    lumaro::LumaroContext lumaroContext_{clock_};
};

TEST_F(TrackingTest, NothingIsPostedAtLevelZero)
{
    create(0);
    manager_->InitPlugin(QStringLiteral("42"), base(), 1);
    manager_->Destroy();
    EXPECT_TRUE(server_->requestsFor("netrova_addinfos").empty());
}

TEST_F(TrackingTest, CreateAndDestroyArePostedWithTheSessionAndLanguage)
{
    create(1);
    manager_->Destroy();
    EXPECT_EQ(trackedCodes(), (std::vector<long>{netrova::DebutCreate, netrova::FinCreate, netrova::DebutDestroy}));
    const auto records = trackingRecords();
    EXPECT_EQ(records[0].value(QStringLiteral("PkCookie")).toString(), QStringLiteral("42"));
    EXPECT_EQ(records[0].value(QStringLiteral("PkReturn")).toString(), QStringLiteral("1"));
    EXPECT_EQ(records[0].value(QStringLiteral("Commentaires")).toString(), QStringLiteral("Langue : FR"));
    EXPECT_EQ(records[1].value(QStringLiteral("Commentaires")).toString(), QString());
}

TEST_F(TrackingTest, StartUpPostsOnlyOnceTheServerAndSessionAreKnown)
{
    manager_->LevelSuivi(1);
    ASSERT_EQ(manager_->InitPlugin(QStringLiteral("s 42&x"), base(), 1), 1);
    ASSERT_EQ(trackedCodes(), (std::vector<long>{netrova::DebutCreate, netrova::DebutInit, netrova::FinInit,
                                                 netrova::DebutStartModule, netrova::FinStartModule}));
    EXPECT_EQ(trackingRecords()[0].value(QStringLiteral("PkCookie")).toString(), QStringLiteral("s 42&x"));
    EXPECT_EQ(server_->requestsFor("netrova_addinfos.aspx").at(0).param("sessionid"), "s 42&x");
}

TEST_F(TrackingTest, FailedPostLeavesTheStepCodeAndErrorAsTheyWere)
{
    for (const char* fault :
         {"status=500:netrova_addinfos.aspx", "close:netrova_addinfos.htm", "kaverreur:netrova_addinfos.htm"}) {
        addFault(fault);
        create(1);
        netrova::clsBarreManager& session = *manager_->BarreManager();
        context_.pulStateEnCours = 21048;
        context_.pulErrorNumber = 13;
        context_.pusErrorDescription = QStringLiteral("Type mismatch");
        session.SetinfoLog(netrova::FinInitErrorModule);
        EXPECT_EQ(context_.pulStateEnCours, 21048) << fault;
        EXPECT_EQ(context_.pulErrorNumber, 13) << fault;
        EXPECT_EQ(context_.pusErrorDescription, QStringLiteral("Type mismatch")) << fault;
        server_->clearFaults();
    }
}

TEST_F(TrackingTest, SuccessfulPostLeavesAFailureCodeInPlace)
{
    create(1);
    context_.pulStateEnCours = 21033;
    manager_->BarreManager()->SetinfoLog(netrova::FinStartModule, QStringLiteral("21033"), QStringLiteral("x"));
    EXPECT_EQ(context_.pulStateEnCours, 21033);
    EXPECT_EQ(trackingRecords().back().value(QStringLiteral("PkReturn")).toString(), QStringLiteral("21033"));
}

TEST_F(TrackingTest, PostToAnUnreachableServerOnlyCostsThePost)
{
    create(1);
    manager_->URLBaseServer(QStringLiteral("http://127.0.0.1:1/"));
    manager_->ClearError();
    context_.pulStateEnCours = OK;
    manager_->BarreManager()->SetinfoLog(netrova::DebutInit);
    EXPECT_EQ(context_.pulStateEnCours, OK);
    EXPECT_EQ(context_.pulErrorNumber, 0);
}

TEST_F(TrackingTest, CommentsSayWhatTheirCodeNeeds)
{
    create(1);
    netrova::clsBarreManager& session = *manager_->BarreManager();
    session.IdAppli(12);
    auto model = std::make_shared<lumaro::ContexteManager>(lumaroContext_);
    ASSERT_TRUE(model->CreateManager(lumaro::TypeSimplifie, platform::OleDate(46000.0)));
    ASSERT_TRUE(model->CreateModule());
    session.pioKavParc = model;

    struct Case {
        netrova::eLocationSuivi code;
        lumaro::ETypeParcoursModule type;
        QString comment;
    };
    const Case cases[] = {
        {netrova::FinStartModule, lumaro::TYPEformation, QStringLiteral("12F")},
        {netrova::FinStartModule, lumaro::TYPEevaluation, QStringLiteral("12E")},
        {netrova::PostResultErrorConnue, lumaro::TYPEformation,
         QStringLiteral("Erreur VB : 3<BR>Description : Résultat refusé")},
        {netrova::DebutCreate, lumaro::TYPEformation, QStringLiteral("Langue : FR")},
        {netrova::FinInit, lumaro::TYPEformation, QString()},
    };
    for (const Case& c : cases) {
        model->ModuleEnCours()->TypeModule(c.type);
        session.SetinfoLog(c.code, QStringLiteral("3"), QStringLiteral("Résultat refusé"));
        const QJsonObject record = trackingRecords().back();
        EXPECT_EQ(record.value(QStringLiteral("PkFunction")).toString().toLong(), c.code);
        EXPECT_EQ(record.value(QStringLiteral("Commentaires")).toString(), c.comment) << c.code;
    }
    session.pioKavParc.reset();
    session.SetinfoLog(netrova::FinStartModule);
    EXPECT_EQ(trackingRecords().back().value(QStringLiteral("Commentaires")).toString(), QString())
        << "without a course model the comment stays empty and the post still goes";
}

}  // namespace
