// The HTTP session against the recording server: replies, failures and what
// a request leaves behind (platform/HttpSession.h).

#include "platform/QtHttpSession.h"

#include "support/RecordingServer.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using platform::HttpReply;
using platform::HttpRequest;
using platform::QtHttpSession;
using testsupport::RecordedRequest;
using testsupport::RecordingServer;
using testsupport::ServerReply;
using Outcome = platform::HttpReply::Outcome;
using std::chrono::milliseconds;

class HttpSessionTest : public ::testing::Test {
protected:
    RecordingServer server;
    QtHttpSession session;

    QUrl url(const QString& path) const { return QUrl(server.address(path)); }

    static ServerReply delayed(const QByteArray& body, milliseconds delay)
    {
        ServerReply reply = ServerReply::text(body);
        reply.delay = delay;
        return reply;
    }
};

TEST_F(HttpSessionTest, DecodesTheBodyByItsCharsetAndKeepsItsBytes)
{
    const struct {
        const char* name;
        QByteArray charset;
        QByteArray body;
        QString text;
    } cases[] = {
        {"utf-8", "utf-8", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac", QStringLiteral("été €")},
        {"quoted in capitals", "\"UTF-8\"", "\xc3\xa9t\xc3\xa9", QStringLiteral("été")},
        {"invalid utf-8", "utf-8", "a\xe9z", QStringLiteral("a\uFFFDz")},
        {"windows-1252", "windows-1252", "\xe9t\xe9 \x80", QStringLiteral("été €")},
        {"none", "", "\xe9t\xe9 \x80", QStringLiteral("été €")},
        {"iso-8859-1 read as windows-1252", "iso-8859-1", "\x80\xe9", QStringLiteral("€é")},
        {"unknown", "x-no-such-charset", "\xe9", QStringLiteral("é")},
        {"utf-16le", "utf-16le", QByteArray("h\0i\0", 4), QStringLiteral("hi")},
    };
    for (const auto& c : cases) {
        server.enqueue("GET", "/page", ServerReply::text(c.body, "text/html", c.charset));
        const HttpReply reply = session.get(url("/page"));
        EXPECT_TRUE(reply.ok()) << c.name << ": " << reply.errorText.toStdString();
        EXPECT_EQ(reply.status, 200) << c.name;
        EXPECT_EQ(reply.text, c.text) << c.name;
        EXPECT_EQ(reply.bytes, c.body) << c.name;
        EXPECT_TRUE(reply.errorText.isEmpty()) << c.name;
    }
}

TEST_F(HttpSessionTest, StatusOutsideSuccessIsAFailureWithItsText)
{
    const struct {
        int status;
        const char* errorText;
    } cases[] = {
        {404, "404 Not Found"},
        {500, "500 Internal Server Error"},
        {503, "503 Service Unavailable"},
    };
    for (const auto& c : cases) {
        server.enqueue("GET", "/page", ServerReply::withStatus(c.status, "#KAV_ERREUR#"));
        const HttpReply reply = session.get(url("/page"));
        EXPECT_EQ(reply.outcome, Outcome::StatusError) << c.status;
        EXPECT_EQ(reply.status, c.status);
        EXPECT_EQ(reply.errorText, QString::fromLatin1(c.errorText));
        // The server's own error page stays readable.
        EXPECT_EQ(reply.text, QStringLiteral("#KAV_ERREUR#"));
    }
}

TEST_F(HttpSessionTest, ReplyLaterThanTheTimeOutIsATimeOut)
{
    session.setTimeout(milliseconds(100));
    server.enqueue("GET", "/slow", delayed("late", std::chrono::seconds(60)));
    const HttpReply reply = session.get(url("/slow"));
    EXPECT_EQ(reply.outcome, Outcome::TimedOut);
    EXPECT_EQ(reply.errorText, QStringLiteral("No reply within 100 ms"));
    EXPECT_TRUE(reply.bytes.isEmpty());
}

TEST_F(HttpSessionTest, StallTimeLetsASlowReplyArriveButNotAStalledOne)
{
    ServerReply slowLink = ServerReply::text(QByteArray(3000, 'x'));
    slowLink.pieces = 6;
    slowLink.trickle = milliseconds(150);
    server.enqueue("GET", "/slow-link", slowLink);
    server.enqueue("GET", "/stalled", delayed("late", std::chrono::seconds(60)));
    session.setTimeout(milliseconds(300));

    // A reply that keeps coming takes longer than any time-out, and arrives whole.
    HttpRequest slow = HttpRequest::get(url("/slow-link"));
    slow.stallTime = milliseconds(600);
    const HttpReply whole = session.send(slow);
    EXPECT_TRUE(whole.ok()) << whole.errorText.toStdString();
    EXPECT_EQ(whole.bytes.size(), 3000);

    // One where nothing moves is given up once the stall time has passed.
    HttpRequest stalled = HttpRequest::get(url("/stalled"));
    stalled.stallTime = milliseconds(200);
    QElapsedTimer clock;
    clock.start();
    const HttpReply given = session.send(stalled);
    EXPECT_EQ(given.outcome, Outcome::TimedOut);
    EXPECT_EQ(given.errorText, QStringLiteral("Nothing received for 200 ms"));
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(HttpSessionTest, LateReplyOfATimedOutRequestNeverAnswersTheNextOne)
{
    // The first reply comes while the second request waits for its own.
    server.enqueue("GET", "/first", delayed("first", milliseconds(300)));
    server.enqueue("GET", "/second", delayed("second", milliseconds(800)));
    HttpRequest first = HttpRequest::get(url("/first"));
    first.timeout = milliseconds(100);
    EXPECT_EQ(session.send(first).outcome, Outcome::TimedOut);
    const HttpReply second = session.get(url("/second"));
    EXPECT_TRUE(second.ok()) << second.errorText.toStdString();
    EXPECT_EQ(second.text, QStringLiteral("second"));
    // The session is still usable afterwards.
    server.enqueue("GET", "/third", ServerReply::text("third"));
    EXPECT_EQ(session.get(url("/third")).text, QStringLiteral("third"));
}

TEST_F(HttpSessionTest, RequestSentWhileAnotherWaitsGetsItsOwnReply)
{
    server.enqueue("GET", "/outer", delayed("outer", milliseconds(300)));
    server.enqueue("GET", "/inner", ServerReply::text("inner"));
    HttpReply inner;
    QTimer::singleShot(0, [&] { inner = session.get(url("/inner")); });
    const HttpReply outer = session.get(url("/outer"));
    EXPECT_EQ(outer.text, QStringLiteral("outer"));
    EXPECT_EQ(inner.text, QStringLiteral("inner"));
}

TEST_F(HttpSessionTest, ConnectionClosedHalfWayIsANetworkError)
{
    ServerReply broken = ServerReply::text(QByteArray(4000, 'x'));
    broken.closeHalfWay = true;
    server.enqueue("GET", "/broken", broken);
    const HttpReply reply = session.get(url("/broken"));
    EXPECT_EQ(reply.outcome, Outcome::NetworkError);
    EXPECT_FALSE(reply.errorText.isEmpty());
    EXPECT_TRUE(reply.bytes.isEmpty());
}

TEST_F(HttpSessionTest, UnreachableServerIsANetworkError)
{
    // Port 1 on the loopback refuses connections.
    const HttpReply reply = session.get(QUrl(QStringLiteral("http://127.0.0.1:1/page")));
    EXPECT_EQ(reply.outcome, Outcome::NetworkError);
    EXPECT_FALSE(reply.errorText.isEmpty());
    EXPECT_EQ(reply.status, 0);
}

TEST_F(HttpSessionTest, AddressThatIsNotHttpIsRefusedUnsent)
{
    for (const char* address : {"file:///etc/hostname", "ftp://127.0.0.1/x", "", "http://", "/relative/page"}) {
        const HttpReply reply = session.get(QUrl(QString::fromLatin1(address)));
        EXPECT_EQ(reply.outcome, Outcome::InvalidAddress) << address;
        EXPECT_TRUE(reply.bytes.isEmpty()) << address;
    }
}

TEST_F(HttpSessionTest, CookiesStayWithTheirSession)
{
    server.on("GET", "/login", [](const RecordedRequest&) {
        ServerReply reply = ServerReply::text("welcome");
        reply.headers.append(std::pair<QByteArray, QByteArray>("Set-Cookie", "sid=abc123; Path=/"));
        return reply;
    });
    server.on("GET", "/page", [](const RecordedRequest&) { return ServerReply::text("page"); });
    ASSERT_TRUE(session.get(url("/login")).ok());
    ASSERT_TRUE(session.get(url("/page")).ok());
    QtHttpSession other;
    ASSERT_TRUE(other.get(url("/page")).ok());
    const std::vector<RecordedRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].header("Cookie"), "sid=abc123");
    EXPECT_EQ(requests[2].header("Cookie"), "");
}

TEST_F(HttpSessionTest, FormFieldsAreSentInOrderEachValuePercentEncoded)
{
    const platform::HttpForm fields = {
        {"nom", "Jean Dupont"}, {"q", "a&b=c"}, {"accent", QStringLiteral("é")},
        {"pipe", "x|y"},        {"plus", "1+1"}, {"vide", ""},
    };
    const struct {
        QByteArray charset;
        QByteArray body;
    } cases[] = {
        {"utf-8", "nom=Jean%20Dupont&q=a%26b%3Dc&accent=%C3%A9&pipe=x%7Cy&plus=1%2B1&vide="},
        {"windows-1252", "nom=Jean%20Dupont&q=a%26b%3Dc&accent=%E9&pipe=x%7Cy&plus=1%2B1&vide="},
    };
    for (const auto& c : cases) {
        server.enqueue("POST", "/form", ServerReply::text("ok"));
        ASSERT_TRUE(session.postForm(url("/form"), fields, c.charset).ok());
        const RecordedRequest request = server.requests().back();
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.body, c.body) << c.charset.constData();
        EXPECT_EQ(request.header("Content-Type"), "application/x-www-form-urlencoded");
        if (c.charset == "utf-8") {
            EXPECT_EQ(request.form, fields);
        }
    }
}

TEST_F(HttpSessionTest, RawPostSendsItsBodyAndTypeUnchanged)
{
    const QByteArray body("command=getparam&aicc_data=[Core]%0D%0AScore%3D14\xe9", 48);
    server.enqueue("POST", "/aicc", ServerReply::text("error=0"));
    const HttpReply reply = session.post(url("/aicc?CfgSite=a&CfgBdd=b"), body, "application/x-www-form-urlencoded");
    EXPECT_EQ(reply.text, QStringLiteral("error=0"));
    const RecordedRequest request = server.requests().back();
    EXPECT_EQ(request.body, body);
    EXPECT_EQ(request.header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(request.query, (RecordedRequest::Fields{{"CfgSite", "a"}, {"CfgBdd", "b"}}));
}

TEST_F(HttpSessionTest, ProgressIsReportedUpToTheWholeBody)
{
    const QByteArray body(200 * 1024, 'x');
    server.enqueue("GET", "/big", ServerReply::text(body));
    HttpRequest request = HttpRequest::get(url("/big"));
    qint64 lastReceived = -1;
    qint64 lastTotal = -1;
    request.onProgress = [&](qint64 received, qint64 total) {
        lastReceived = received;
        lastTotal = total;
    };
    EXPECT_EQ(session.send(request).bytes.size(), body.size());
    EXPECT_EQ(lastReceived, body.size());
    EXPECT_EQ(lastTotal, body.size());
}

TEST_F(HttpSessionTest, ReplyLargerThanAllowedIsRefused)
{
    server.enqueue("GET", "/big", ServerReply::text(QByteArray(100, 'x')));
    HttpRequest request = HttpRequest::get(url("/big"));
    request.maxBytes = 10;
    const HttpReply reply = session.send(request);
    EXPECT_EQ(reply.outcome, Outcome::TooLarge);
    EXPECT_TRUE(reply.bytes.isEmpty());
}

TEST_F(HttpSessionTest, SessionEndedDuringItsOwnWaitAbortsTheRequest)
{
    const struct {
        const char* name;
        bool fromProgress;
    } cases[] = {{"by a timer", false}, {"by the progress handler", true}};
    for (const auto& c : cases) {
        auto ending = std::make_unique<QtHttpSession>();
        ServerReply reply = ServerReply::text(QByteArray(1000, 'x'));
        if (!c.fromProgress)
            reply.delay = std::chrono::seconds(60);
        const QString path = QStringLiteral("/page/") + QString::fromLatin1(c.name);
        server.enqueue("GET", path, reply);
        HttpRequest request = HttpRequest::get(url(path));
        if (c.fromProgress)
            request.onProgress = [&](qint64, qint64) { ending.reset(); };
        else
            QTimer::singleShot(0, [&] { ending.reset(); });
        QtHttpSession* const sending = ending.get();
        EXPECT_EQ(sending->send(request).outcome, Outcome::Aborted) << c.name;
        EXPECT_EQ(ending, nullptr) << c.name;
    }
}

TEST_F(HttpSessionTest, ProxyComesFromTheEnvironment)
{
    // The recording server plays the proxy: it receives the request for the other host.
    const QByteArray previous = qgetenv("http_proxy");
    qputenv("http_proxy", server.address().toUtf8());
    server.on("GET", ".*", [](const RecordedRequest&) { return ServerReply::text("through the proxy"); });
    const HttpReply reply = session.get(QUrl(QStringLiteral("http://course.invalid/page")));
    if (previous.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", previous);
    EXPECT_EQ(reply.text, QStringLiteral("through the proxy")) << reply.errorText.toStdString();
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].header("Host"), "course.invalid");
}

}  // namespace
