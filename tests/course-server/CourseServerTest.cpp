// The sample course server, run in-process and asked with a plain HTTP client.

#include "CourseServer.h"

#include "support/TempDir.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

#include <gtest/gtest.h>

#include <ostream>

#include <future>

namespace {

using courseserver::CourseServer;
using courseserver::Fault;
using courseserver::FaultKind;

class CourseServerTest : public testsupport::TempDirTest {
protected:
    void SetUp() override
    {
        courseserver::ServerOptions options;
        options.dataFolder = QStringLiteral(SAMPLE_SERVER_DIR);
        options.recordFolder = dir();
        server_ = std::make_unique<CourseServer>(options);
        ASSERT_TRUE(server_->start());
        client_ = std::make_unique<httplib::Client>("127.0.0.1", server_->port());
        client_->set_read_timeout(10);
    }

    httplib::Result get(const std::string& target, const httplib::Headers& headers = {})
    {
        return client_->Get(target.c_str(), headers);
    }

    std::unique_ptr<CourseServer> server_;
    std::unique_ptr<httplib::Client> client_;
};

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (auto end = text.find(separator); end != std::string::npos; end = text.find(separator, start)) {
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

TEST_F(CourseServerTest, StartUpRecordNamesTheServerItselfAndItsPresentTime)
{
    const auto reply = get("/WS/initplugin.aspx?sessionid=42");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
    const auto fields = split(reply->body, '#');
    ASSERT_EQ(fields.size(), 28u);
    EXPECT_EQ(fields[25], server_->baseUrl());
    EXPECT_EQ(fields[8], server_->baseUrl() + "Media/");
    bool number = false;
    const double now = QString::fromStdString(fields[23]).toDouble(&number);
    EXPECT_TRUE(number) << fields[23];
    EXPECT_GT(now, 45000.0);
    EXPECT_EQ(reply->get_header_value("Set-Cookie"), "CourseSession=42; Path=/");
    EXPECT_EQ(server_->requestsFor("initplugin").at(0).param("sessionid"), "42");
}

TEST_F(CourseServerTest, LanguageFileTravelsOnOneLineWithItsBreaksMarked)
{
    const auto reply = get("/WS/pluginlng.aspx?sessionid=42");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->body.find('\n'), std::string::npos);
    EXPECT_EQ(reply->body.rfind("[General]%VBCRLF%FileVersion=1%VBCRLF%", 0), 0u) << reply->body.substr(0, 60);
    EXPECT_NE(reply->get_header_value("Content-Type").find("charset=utf-8"), std::string::npos);
}

TEST_F(CourseServerTest, DataPagesAreKeyedByTheirOwnQueryKeyWithoutRegardToCase)
{
    const auto dll = get("/ws/infodll.aspx?sessionid=42&dllid=1");
    ASSERT_TRUE(dll);
    EXPECT_EQ(dll->body.rfind("#KAV_OK#|EXERVA|", 0), 0u);
    const auto module = get("/WS/InfoQuestDuModule.aspx?sessionid=42");
    ASSERT_TRUE(module);
    EXPECT_EQ(module->body.rfind("#KAV_OK#|1211^", 0), 0u);
    const auto missing = get("/WS/InfoDll.aspx?sessionid=42&dllid=999");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
}

TEST_F(CourseServerTest, NamesThatLeaveTheDataFolderAreNotServed)
{
    for (const std::string target :
         {"/../server/WS/initplugin/default.txt", "/WS/%2e%2e/WS/initplugin/default.txt",
          "/WS/InfoDll.aspx?sessionid=1&dllid=..%2Finitplugin%2Fdefault", "/WS//initplugin/default.txt"}) {
        const auto reply = get(target);
        ASSERT_TRUE(reply) << target;
        EXPECT_EQ(reply->status, 404) << target;
    }
}

TEST_F(CourseServerTest, FormPostsAreStoredAsOneJsonLineEach)
{
    const auto form = get("/WS/SetResultModule.htm");
    ASSERT_TRUE(form);
    EXPECT_NE(form->body.find("name=\"ChaineResult\""), std::string::npos);

    const auto result = client_->Post("/WS/SetResultModule.aspx?sessionid=a%20b", "ChaineResult=7%7C12%5E%C3%A9+x",
                                      "application/x-www-form-urlencoded");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, "1|1000|1001");
    const auto tracking = client_->Post("/WS/debug/netrova_addinfos.aspx?sessionid=a%20b",
                                        "PkCookie=a+b&PkFunction=1&PkReturn=1&Commentaires=Langue+%3A+FR",
                                        "application/x-www-form-urlencoded");
    ASSERT_TRUE(tracking);
    EXPECT_EQ(tracking->body, "OK");

    QFile results(server_->resultsFile());
    ASSERT_TRUE(results.open(QIODevice::ReadOnly));
    const QJsonObject stored = QJsonDocument::fromJson(results.readLine()).object();
    EXPECT_EQ(stored.value(QStringLiteral("sessionid")).toString(), QStringLiteral("a b"));
    EXPECT_EQ(stored.value(QStringLiteral("fields")).toObject().value(QStringLiteral("ChaineResult")).toString(),
              QStringLiteral("7|12^é x"));
    QFile trackingFile(server_->trackingFile());
    ASSERT_TRUE(trackingFile.open(QIODevice::ReadOnly));
    const QJsonObject fields = QJsonDocument::fromJson(trackingFile.readLine()).object().value("fields").toObject();
    EXPECT_EQ(fields.value(QStringLiteral("Commentaires")).toString(), QStringLiteral("Langue : FR"));
    EXPECT_EQ(fields.value(QStringLiteral("PkCookie")).toString(), QStringLiteral("a b"));
}

TEST_F(CourseServerTest, ServesPartsOfAFileForRangeRequests)
{
    const auto whole = get("/WS/pluginhelp/default.html");
    ASSERT_TRUE(whole);
    const std::string body = whole->body;
    const std::string size = std::to_string(body.size());
    struct Case {
        std::string range;
        int status;
        std::string contentRange;
        std::string body;
    };
    const Case cases[] = {
        {"bytes=2-5", 206, "bytes 2-5/" + size, body.substr(2, 4)},
        {"bytes=-3", 206,
         "bytes " + std::to_string(body.size() - 3) + "-" + std::to_string(body.size() - 1) + "/" + size,
         body.substr(body.size() - 3)},
        {"bytes=4-99999", 206, "bytes 4-" + std::to_string(body.size() - 1) + "/" + size, body.substr(4)},
        {"bytes=99999-", 416, "bytes */" + size, ""},
        {"bytes=0-1,4-5", 200, "", body},
    };
    for (const auto& c : cases) {
        const auto part = get("/WS/pluginhelp/default.html", {{"Range", c.range}});
        ASSERT_TRUE(part) << c.range;
        EXPECT_EQ(part->status, c.status) << c.range;
        EXPECT_EQ(part->get_header_value("Content-Range"), c.contentRange) << c.range;
        EXPECT_EQ(part->body, c.body) << c.range;
    }
    EXPECT_EQ(server_->requests().back().range, "bytes=0-1,4-5");
}

struct FaultCase {
    const char* name;
    const char* fault;
    int status;
    std::string body;  // "-" when the reply must not arrive whole

    friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class FaultTest : public CourseServerTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTest, SpoilsTheRepliesOfItsPageAsManyTimesAsAsked)
{
    const auto fault = courseserver::parseFault(GetParam().fault);
    ASSERT_TRUE(fault);
    server_->addFault(*fault);
    const std::string target = "/WS/InfoDll.aspx?sessionid=1&dllid=1";
    const auto normal = get("/WS/InfoQuestion.aspx?sessionid=1&questionid=1212");
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->body.rfind("#KAV_OK#||511", 0), 0u) << "another page keeps its reply";
    for (int i = 0; i < 2; ++i) {
        const auto spoilt = get(target);
        if (GetParam().body == "-") {
            EXPECT_TRUE(!spoilt || spoilt->body.size() < 10) << "reply " << i;
            continue;
        }
        ASSERT_TRUE(spoilt) << "reply " << i;
        EXPECT_EQ(spoilt->status, GetParam().status);
        EXPECT_EQ(spoilt->body, GetParam().body);
    }
    const auto after = get(target);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->status, 200) << "the fault is used up";
    EXPECT_EQ(after->body.rfind("#KAV_OK#|EXERVA", 0), 0u);
}

const std::string dllReply = "#KAV_OK#|EXERVA||A^1^Bravo !|B^2^Relisez la consigne.";

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest,
                         ::testing::Values(FaultCase{"Empty", "empty:InfoDll:2", 200, ""},
                                           FaultCase{"KavErreur", "kaverreur:infodll:2", 200,
                                                     "#KAV_ERREUR#|500|1001|Erreur simulée par le serveur de cours"},
                                           FaultCase{"WrongStatus", "status=503:InfoDll.aspx:2", 503, dllReply},
                                           FaultCase{"ClosedHalfWay", "close:InfoDll:2", 0, "-"},
                                           FaultCase{"HacpError", "hacp=3:InfoDll:2", 200,
                                                     "error=3\r\nerror_text=Invalid Session ID\r\n"},
                                           FaultCase{"HtmlPage", "html:InfoDll:2", 200,
                                                     "<!DOCTYPE html>\n<html><head><title>Connexion</title></head>\n"
                                                     "<body><h1>Votre session a expiré</h1><p>Reconnectez-vous.</p>"
                                                     "</body></html>\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CourseServerTest, SlowReplyWaitsUntilReleased)
{
    server_->addFault({FaultKind::Slow, "initplugin", 1});
    auto reply = std::async(std::launch::async, [port = server_->port()] {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(30);
        const auto result = client.Get("/WS/initplugin.aspx?sessionid=1");
        return result ? result->body : std::string("no reply");
    });
    ASSERT_TRUE(server_->waitUntilHeld(1, std::chrono::seconds(10)));
    EXPECT_EQ(reply.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    server_->releaseSlowReplies();
    EXPECT_EQ(split(reply.get(), '#').size(), 28u);
    EXPECT_EQ(server_->heldReplies(), 0);
}

TEST_F(CourseServerTest, StopReleasesHeldReplies)
{
    server_->addFault({FaultKind::Slow, "", -1});
    auto reply = std::async(std::launch::async, [port = server_->port()] {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(30);
        return client.Get("/WS/initplugin.aspx?sessionid=1") ? 1 : 0;
    });
    ASSERT_TRUE(server_->waitUntilHeld(1, std::chrono::seconds(10)));
    server_->stop();
    reply.get();
    EXPECT_EQ(server_->heldReplies(), 0);
}

TEST(ServerFaultTest, ReadsTheCommandLineForm)
{
    const auto status = courseserver::parseFault("status=404:pluginlng:3");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->kind, FaultKind::Status);
    EXPECT_EQ(status->status, 404);
    EXPECT_EQ(status->page, "pluginlng");
    EXPECT_EQ(status->count, 3);
    const auto every = courseserver::parseFault("slow:*");
    ASSERT_TRUE(every);
    EXPECT_TRUE(every->page.empty());
    EXPECT_EQ(every->count, -1);
    const auto refusal = courseserver::parseFault("hacp=1:putparam");
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->kind, FaultKind::HacpError);
    EXPECT_EQ(refusal->status, 1);
    EXPECT_EQ(refusal->page, "putparam");
    for (const char* bad : {"", "loud", "status=99", "status=abc", "empty:initplugin:0", "empty:initplugin:x", "hacp=0",
                            "hacp=x"})
        EXPECT_FALSE(courseserver::parseFault(bad)) << bad;
}

}  // namespace
