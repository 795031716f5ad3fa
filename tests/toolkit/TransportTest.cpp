// The web-service transport against the course server: GETs, form posts, raw
// posts, with the server's faults and the transport's time-out.

#include "TransportFixture.h"

#include "support/RecordingServer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using commontest::Failure;
using commontest::Param;
using commontest::ParamName;
using commontest::TimeOut;
using commontest::TransportTest;

struct GetCase {
    const char* name;
    const char* fault;  // "" for none
    QString page;
    long result;
    QString reply;  // what soReturn holds afterwards

    friend void PrintTo(const GetCase& c, std::ostream* os) { *os << c.name; }
};

class GetTest : public commontest::TransportTest, public ::testing::WithParamInterface<GetCase> {};

TEST_P(GetTest, ReplyIsDataOnlyWhenItArrivedWhole)
{
    const GetCase& c = GetParam();
    if (*c.fault)
        addFault(c.fault);
    makeTransport(std::chrono::milliseconds(300));
    QString reply = QStringLiteral("avant");
    EXPECT_EQ(transport_->GetInetData65x(reply, page(c.page, {{QStringLiteral("dllid"), QStringLiteral("1")}})),
              c.result);
    EXPECT_EQ(reply, c.reply);
    if (c.result == TimeOut) {
        EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("post timeout")));
    } else if (c.result != 1) {
        EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("<B>Erreur</B>")));
    }
}

const QString dllReply = QStringLiteral("#KAV_OK#|EXERVA||A^1^Bravo !|B^2^Relisez la consigne.");

INSTANTIATE_TEST_SUITE_P(
    Exchanges, GetTest,
    ::testing::Values(
        GetCase{"Reply", "", QStringLiteral("InfoDll.aspx"), 1, dllReply},
        GetCase{"EmptyReply", "empty", QStringLiteral("InfoDll.aspx"), 1, QString()},
        GetCase{"ServerError", "kaverreur", QStringLiteral("InfoDll.aspx"), 1,
                QStringLiteral("#KAV_ERREUR#|500|1001|Erreur simulée par le serveur de cours")},
        GetCase{"ErrorStatus", "status=500", QStringLiteral("InfoDll.aspx"), Failure, QStringLiteral("avant")},
        GetCase{"MissingPage", "", QStringLiteral("InfoNulle.aspx"), Failure, QStringLiteral("avant")},
        GetCase{"ClosedHalfWay", "close", QStringLiteral("InfoDll.aspx"), Failure, QStringLiteral("avant")},
        GetCase{"SlowerThanTheTimeOut", "slow", QStringLiteral("InfoDll.aspx"), TimeOut, QStringLiteral("avant")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransportTest, ReplyTextIsTheBodyAsItCame)
{
    const std::string description =
        "#KAV_OK#|31^L1211^00:01:30^L|00:00:05\xC2\xA4<VIDEO><FILE FileName=\"L1211\" "
        "Duree=\"00:00:10\"/><Title>Copier</Title></VIDEO>\xC2\xA4"
        "1";
    server_->addFault({courseserver::FaultKind::KavErreur, "InfoVideo", 2, 200, description});
    QString reply;
    ASSERT_EQ(transport_->GetInetData65x(reply, page(QStringLiteral("InfoVideo.aspx"),
                                                     {{QStringLiteral("questionid"), QStringLiteral("1211")}})),
              1);
    EXPECT_EQ(reply, QString::fromStdString(description));
    // A reply that comes as a whole page gives what its body holds, untouched.
    server_->clearFaults();
    server_->addFault({courseserver::FaultKind::KavErreur, "InfoVideo", 1, 200,
                       "<html><head><title>x</title></head><BODY class=\"r\">" + description + "</BODY></html>"});
    ASSERT_EQ(transport_->GetInetData65x(reply, page(QStringLiteral("InfoVideo.aspx"),
                                                     {{QStringLiteral("questionid"), QStringLiteral("1211")}})),
              1);
    EXPECT_EQ(reply, QString::fromStdString(description));
}

TEST_F(TransportTest, UnreachableServerIsAFailure)
{
    const int port = server_->port();
    server_->stop();
    QString reply = QStringLiteral("avant");
    EXPECT_EQ(transport_->GetInetData65x(reply, QUrl(QStringLiteral("http://127.0.0.1:%1/WS/x.aspx").arg(port))),
              Failure);
    EXPECT_EQ(reply, QStringLiteral("avant"));
}

TEST_F(TransportTest, LateReplyNeverAnswersTheNextRequest)
{
    addFault("slow:initplugin:1");
    makeTransport(std::chrono::milliseconds(300));
    QString reply;
    ASSERT_EQ(transport_->GetInetData65x(reply, page(QStringLiteral("initplugin.aspx"))), TimeOut);
    server_->releaseSlowReplies();
    ASSERT_EQ(transport_->GetInetData65x(
                  reply, page(QStringLiteral("InfoDll.aspx"), {{QStringLiteral("dllid"), QStringLiteral("1")}})),
              1);
    EXPECT_EQ(reply, dllReply);
}

TEST_F(TransportTest, AwkwardValuesReachTheServerAsTheyWere)
{
    sessionId = QStringLiteral("a b&c=é|+%");
    QString reply;
    ASSERT_EQ(transport_->GetInetData65x(
                  reply, page(QStringLiteral("InfoDll.aspx"), {{QStringLiteral("dllid"), QStringLiteral("1")}})),
              1);
    const auto get = server_->requestsFor("InfoDll").back();
    EXPECT_EQ(QString::fromStdString(get.param("sessionid")), sessionId);
    EXPECT_EQ(get.param("dllid"), "1");
    EXPECT_EQ(get.params.size(), 2u) << "no value adds a field of its own";

    const QString value = QStringLiteral("1|2^3 & é=+%");
    EXPECT_EQ(
        transport_->PostFormData(ws(), QStringLiteral("SetResultModule"), {{0, QStringLiteral("ChaineResult"), value}}),
        QStringLiteral("1|1000|1001"));
    const auto post = server_->requestsFor("SetResultModule.aspx").back();
    EXPECT_EQ(QString::fromStdString(post.param("sessionid")), sessionId);
    QFile results(server_->resultsFile());
    ASSERT_TRUE(results.open(QIODevice::ReadOnly));
    const QJsonObject stored = QJsonDocument::fromJson(results.readLine()).object();
    EXPECT_EQ(stored.value(QStringLiteral("fields")).toObject().value(QStringLiteral("ChaineResult")).toString(),
              value);
    EXPECT_EQ(stored.value(QStringLiteral("sessionid")).toString(), sessionId);
}

TEST_F(TransportTest, FormPostFillsTheFieldsByPositionAndName)
{
    const QString reply =
        transport_->PostFormData(ws() + QStringLiteral("debug/"), QStringLiteral("netrova_addinfos"),
                                 {{0, QStringLiteral("PKCOOKIE"), QStringLiteral("42")},
                                  {1, QStringLiteral("PkFunction"), QStringLiteral("1")},
                                  {2, QStringLiteral("pkreturn"), QStringLiteral("1")},
                                  {3, QStringLiteral("Commentaires"), QStringLiteral("Langue : FR")}});
    EXPECT_EQ(reply, QStringLiteral("OK"));
    EXPECT_EQ(traced_.state.pulStateEnCours, 1);
    QFile tracking(server_->trackingFile());
    ASSERT_TRUE(tracking.open(QIODevice::ReadOnly));
    const QJsonObject fields =
        QJsonDocument::fromJson(tracking.readLine()).object().value(QStringLiteral("fields")).toObject();
    EXPECT_EQ(fields.value(QStringLiteral("PkCookie")).toString(), QStringLiteral("42"));
    EXPECT_EQ(fields.value(QStringLiteral("Commentaires")).toString(), QStringLiteral("Langue : FR"));
    EXPECT_EQ(fields.size(), 4);
}

struct FormCase {
    const char* name;
    const char* fault;
    std::vector<toolkit::tParamForm> fields;
    long state;
    bool stored;  // the server received the submission

    friend void PrintTo(const FormCase& c, std::ostream* os) { *os << c.name; }
};

class FormPostTest : public commontest::TransportTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(FormPostTest, FailureLeavesItsStepCodeItsWordsAndAnEmptyReply)
{
    const FormCase& c = GetParam();
    if (*c.fault)
        addFault(c.fault);
    makeTransport(std::chrono::milliseconds(300));
    const QString reply = transport_->PostFormData(ws(), QStringLiteral("SetResultModule"), c.fields);
    EXPECT_EQ(traced_.state.pulStateEnCours, c.state);
    EXPECT_EQ(reply.isEmpty(), c.state != 1);
    // Whatever failed, the learner can be told what.
    EXPECT_EQ(traced_.state.pusErrorDescription.isEmpty(), c.state == 1)
        << traced_.state.pusErrorDescription.toStdString();
    EXPECT_EQ(server_->requestsFor("SetResultModule.aspx").size(), c.stored ? 1u : 0u);
}

const std::vector<toolkit::tParamForm> resultField{{0, QStringLiteral("ChaineResult"), QStringLiteral("1|2")}};

INSTANTIATE_TEST_SUITE_P(
    Exchanges, FormPostTest,
    ::testing::Values(
        FormCase{"Accepted", "", resultField, 1, true},
        FormCase{"NameInCapitals", "", {{0, QStringLiteral("CHAINERESULT"), QStringLiteral("x")}}, 1, true},
        FormCase{"OtherName", "", {{0, QStringLiteral("Chaine"), QStringLiteral("x")}}, ParamName, false},
        FormCase{"PositionBeyondTheForm", "", {{1, QStringLiteral("ChaineResult"), QStringLiteral("x")}}, Param, false},
        FormCase{"FormPageMissing", "status=404:SetResultModule.htm", resultField, Failure, false},
        FormCase{"FormPageWithoutForm", "kaverreur:SetResultModule.htm", resultField, Param, false},
        FormCase{"FormPageSlow", "slow:SetResultModule.htm", resultField, TimeOut, false},
        FormCase{"ReplySlow", "slow:SetResultModule.aspx", resultField, TimeOut, true},
        FormCase{"ReplyErrorStatus", "status=500:SetResultModule.aspx", resultField, Failure, true},
        FormCase{"ReplyClosedHalfWay", "close:SetResultModule.aspx", resultField, Failure, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransportTest, RawPostGoesOutInTheWindowsCodePageWithTheSession)
{
    const QString reply =
        transport_->PostData(ws() + QStringLiteral("SetResultModule.aspx"), QStringLiteral("ChaineResult=caf\u00e9"));
    EXPECT_EQ(reply, QStringLiteral("1|1000|1001"));
    const auto post = server_->requestsFor("SetResultModule.aspx").back();
    EXPECT_EQ(post.body, "ChaineResult=caf\xe9");
    EXPECT_EQ(post.contentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(post.param("PkCookie"), "42");
}

TEST_F(TransportTest, RawPostsAndPackagesHaveNoDeadlineButGiveUpWhenNothingMoves)
{
    testsupport::RecordingServer slowLink;
    const auto trickled = [](const QByteArray& body) {
        testsupport::ServerReply reply = testsupport::ServerReply::text(body);
        reply.pieces = 4;
        reply.trickle = std::chrono::milliseconds(200);
        return reply;
    };
    testsupport::ServerReply stalled = testsupport::ServerReply::text("1|1000|1001");
    stalled.delay = std::chrono::seconds(60);
    packageServer = slowLink.address(QStringLiteral("/"));
    makeTransport(std::chrono::milliseconds(300), std::chrono::milliseconds(500));

    // Longer than the time-out, yet never still for the stall time: the reply arrives.
    slowLink.enqueue("POST", QStringLiteral("/WS/SetResultModule.aspx"), trickled("1|1000|1001"));
    EXPECT_EQ(transport_->PostData(slowLink.address(QStringLiteral("/WS/SetResultModule.aspx")), QStringLiteral("x=1")),
              QStringLiteral("1|1000|1001"));
    slowLink.enqueue("GET", QStringLiteral("/Download/12F/Kav12.htm"), trickled("<a href=\"KavExo.dll\">x</a>"));
    slowLink.enqueue("GET", QStringLiteral("/Download/12F/KavExo.dll"), trickled("binary data of the component"));
    EXPECT_EQ(transport_->puGetDllPackage(slowLink.address(QStringLiteral("/Download/12F/Kav12.htm"))),
              path(QStringLiteral("components/")));
    EXPECT_EQ(readFile(QStringLiteral("components/KavExo.dll")), QByteArray("binary data of the component"));

    slowLink.enqueue("GET", QStringLiteral("/aicc"), trickled("error=0\r\nerror_text=Successful\r\n"));
    QString report;
    EXPECT_EQ(transport_->GetWithoutDeadline(report, QUrl(slowLink.address(QStringLiteral("/aicc")))), 1);
    EXPECT_EQ(report, QStringLiteral("error=0\r\nerror_text=Successful\r\n"));

    // The web service's GETs keep their time-out.
    slowLink.enqueue("GET", QStringLiteral("/WS/InfoDll.aspx"), trickled("#KAV_OK#|EXERVA||A^1^Bravo"));
    QString reply = QStringLiteral("avant");
    EXPECT_EQ(transport_->GetInetData65x(reply, QUrl(slowLink.address(QStringLiteral("/WS/InfoDll.aspx")))), TimeOut);
    EXPECT_EQ(traced_.state.pusErrorDescription, QStringLiteral("Pas de réponse du serveur en 0.3 s"));

    // Nothing moving for the stall time ends the raw post, and says so.
    slowLink.enqueue("POST", QStringLiteral("/WS/SetResultModule.aspx"), stalled);
    EXPECT_EQ(transport_->PostData(reply, slowLink.address(QStringLiteral("/WS/SetResultModule.aspx")),
                                   QStringLiteral("x=1")),
              TimeOut);
    EXPECT_EQ(reply, QStringLiteral("avant"));
    EXPECT_EQ(traced_.state.pusErrorDescription, QStringLiteral("Plus rien ne vient du serveur depuis 0.5 s"));
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("post timeout")));
    slowLink.endDelays();
}

TEST_F(TransportTest, RequestAskedForDuringAWaitIsRefused)
{
    addFault("slow:initplugin:1");
    long nested = 0;
    QString nestedReply = QStringLiteral("avant");
    QTimer::singleShot(0, [&] {
        nested = transport_->GetInetData65x(nestedReply, page(QStringLiteral("pluginlng.aspx")));
        EXPECT_TRUE(server_->waitUntilHeld(1, std::chrono::seconds(10)));
        server_->releaseSlowReplies();
    });
    QString reply;
    EXPECT_EQ(transport_->GetInetData65x(reply, page(QStringLiteral("initplugin.aspx"))), 1);
    EXPECT_TRUE(reply.startsWith(QStringLiteral("1#12#")));
    EXPECT_EQ(nested, Failure);
    EXPECT_EQ(nestedReply, QStringLiteral("avant"));
    EXPECT_TRUE(server_->requestsFor("pluginlng").empty());
}

TEST_F(TransportTest, TransportEndedDuringAWaitReturnsWithoutTouchingIt)
{
    addFault("slow:initplugin:1");
    QTimer::singleShot(0, [&] { transport_.reset(); });
    QString reply = QStringLiteral("avant");
    toolkit::clsInetUPL* transport = transport_.get();
    EXPECT_EQ(transport->GetInetData65x(reply, page(QStringLiteral("initplugin.aspx"))), Failure);
    EXPECT_EQ(reply, QStringLiteral("avant"));
    EXPECT_EQ(transport_, nullptr);
}

TEST_F(TransportTest, ProgressIsReportedWhileAReplyArrives)
{
    long last = -1;
    long total = -1;
    QObject::connect(transport_.get(), &toolkit::clsInetUPL::DownloadProgressChange, [&](long progress, long max) {
        last = progress;
        total = max;
    });
    QString reply;
    ASSERT_EQ(transport_->GetInetData65x(reply, page(QStringLiteral("pluginlng.aspx"))), 1);
    EXPECT_EQ(total, reply.toUtf8().size());
    EXPECT_EQ(last, total);
}

struct ErrorTextCase {
    const char* name;
    QString text;
    bool read;
    QString message, buttons, title;

    friend void PrintTo(const ErrorTextCase& c, std::ostream* os) { *os << c.name; }
};

class DecryptErrorMsgTest : public commontest::TransportTest, public ::testing::WithParamInterface<ErrorTextCase> {};

TEST_P(DecryptErrorMsgTest, SplitsTheTextAfterItsFirstFourCharacters)
{
    const ErrorTextCase& c = GetParam();
    EXPECT_EQ(transport_->DecryptErrorMsg(c.text), c.read);
    EXPECT_EQ(transport_->ErrorMsg(), c.message);
    EXPECT_EQ(transport_->ErrorVbButton(), c.buttons);
    EXPECT_EQ(transport_->ErrorTitle(), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecryptErrorMsgTest,
    ::testing::Values(ErrorTextCase{"ThreeParts", QStringLiteral("0001Session expirée#16#Erreur"), true,
                                    QStringLiteral("Session expirée"), QStringLiteral("16"), QStringLiteral("Erreur")},
                      ErrorTextCase{"TitleWithHash", QStringLiteral("abcdMsg##Titre#2"), true, QStringLiteral("Msg"),
                                    QString(), QStringLiteral("Titre#2")},
                      ErrorTextCase{"OneHash", QStringLiteral("0001Message#16"), false, {}, {}, {}},
                      ErrorTextCase{"HashesInTheSkippedPart", QStringLiteral("##12Message"), false, {}, {}, {}},
                      ErrorTextCase{"Short", QStringLiteral("01"), false, {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
