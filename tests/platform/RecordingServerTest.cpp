// The tests' HTTP server itself: what it records, how it chooses a reply,
// and that stopping it is always quick. A plain client on its own thread
// talks to it, so that the server is seen apart from the program's session.

#include "support/RecordingServer.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace {

using testsupport::RecordedRequest;
using testsupport::RecordingServer;
using testsupport::ServerReply;

httplib::Client clientOf(const RecordingServer& server)
{
    httplib::Client client("127.0.0.1", server.port());
    client.set_connection_timeout(5);
    client.set_read_timeout(30);
    return client;
}

// The body of a GET made on another thread, or "-" when it failed.
std::future<std::string> getLater(const RecordingServer& server, const std::string& path)
{
    return std::async(std::launch::async, [&server, path] {
        httplib::Client client = clientOf(server);
        const httplib::Result result = client.Get(path);
        return result ? result->body : std::string("-");
    });
}

TEST(RecordingServerTest, RecordsWhatItReceives)
{
    RecordingServer server;
    httplib::Client client = clientOf(server);
    const httplib::Headers headers = {{"X-Trace", "yes"}};
    ASSERT_TRUE(client.Post("/ws/r%C3%A9sultat.aspx?sessionid=a%20b&z=1&a=2", headers, "b=%C3%A9+x&a=1%2B1",
                            "application/x-www-form-urlencoded"));
    const std::vector<RecordedRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const RecordedRequest& request = requests[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, QStringLiteral("/ws/résultat.aspx"));
    EXPECT_EQ(request.query, (RecordedRequest::Fields{{"sessionid", "a b"}, {"z", "1"}, {"a", "2"}}));
    EXPECT_EQ(request.form, (RecordedRequest::Fields{{"b", QStringLiteral("é x")}, {"a", "1+1"}}));
    EXPECT_EQ(request.body, "b=%C3%A9+x&a=1%2B1");
    EXPECT_EQ(request.header("x-trace"), "yes");
    EXPECT_EQ(request.queryValue("a"), "2");
    EXPECT_EQ(request.formValue("b"), QStringLiteral("é x"));
}

TEST(RecordingServerTest, AnswersFromTheQueueThenTheRouteThenWithNotFound)
{
    RecordingServer server;
    server.enqueue("GET", "/page", ServerReply::text("first"));
    server.enqueue("GET", "/page", ServerReply::withStatus(500, "second"));
    server.on("GET", "/pa(.*)", [](const RecordedRequest& request) {
        return ServerReply::text("route " + request.captures.value(0).toUtf8());
    });
    httplib::Client client = clientOf(server);
    const struct {
        const char* method;
        const char* path;
        int status;
        const char* body;
    } cases[] = {
        {"GET", "/page", 200, "first"},
        {"GET", "/page", 500, "second"},
        {"GET", "/page", 200, "route ge"},
        {"POST", "/page", 404, "No reply for this request"},
        {"GET", "/other", 404, "No reply for this request"},
    };
    for (const auto& c : cases) {
        const httplib::Result result = std::string(c.method) == "GET" ? client.Get(c.path) : client.Post(c.path);
        ASSERT_TRUE(result) << c.method << ' ' << c.path;
        EXPECT_EQ(result->status, c.status) << c.method << ' ' << c.path;
        EXPECT_EQ(result->body, c.body) << c.method << ' ' << c.path;
    }
    EXPECT_EQ(server.paths(), (QStringList{"/page", "/page", "/page", "/page", "/other"}));
}

TEST(RecordingServerTest, StopsAtOnceWhenStoppedJustAfterStarting)
{
    for (int i = 0; i < 20; ++i) {
        RecordingServer server;
        server.stop();
    }
}

// The body of a GET whose reply the server holds back for a minute, once the
// server has the request.
std::future<std::string> getHeldReply(RecordingServer& server, const QByteArray& body)
{
    ServerReply held = ServerReply::text(body);
    held.delay = std::chrono::seconds(60);
    server.enqueue("GET", "/held", held);
    std::future<std::string> received = getLater(server, "/held");
    EXPECT_TRUE(server.waitForRequests(1, std::chrono::seconds(10)));
    return received;
}

TEST(RecordingServerTest, StopDropsADelayedReplyAtOnce)
{
    RecordingServer server;
    std::future<std::string> body = getHeldReply(server, "late");
    const auto before = std::chrono::steady_clock::now();
    server.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
    EXPECT_EQ(body.get(), "-");
}

TEST(RecordingServerTest, EndDelaysSendsHeldRepliesAtOnce)
{
    RecordingServer server;
    std::future<std::string> body = getHeldReply(server, "released");
    server.endDelays();
    EXPECT_EQ(body.get(), "released");
}

TEST(RecordingServerTest, ConnectionClosedHalfWayDeliversHalfTheBody)
{
    RecordingServer server;
    ServerReply broken = ServerReply::text(QByteArray(1000, 'x'));
    broken.closeHalfWay = true;
    server.enqueue("GET", "/broken", broken);
    std::string received;
    httplib::Client client = clientOf(server);
    const httplib::Result result = client.Get("/broken", [&](const char* data, std::size_t length) {
        received.append(data, length);
        return true;
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(received, std::string(500, 'x'));
}

}  // namespace
