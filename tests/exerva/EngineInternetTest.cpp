// Internet mode: the exercise file comes from the course server, within the
// fetch time-out.

#include "EngineFixture.h"

#include "support/RecordingServer.h"

#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

namespace exerva_test {
namespace {

QByteArray fixtureBytes(const QString& relative)
{
    QFile file(fixturesRoot() + QLatin1Char('/') + relative);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A course server serving the fixture folder under /cours/;
// "/cours/12F/slow.xml" answers only once the test ends the delays.
class EngineInternetTest : public EngineTest {
protected:
    EngineInternetTest()
    {
        server.on("GET", QStringLiteral("/cours/(.*)"), [](const testsupport::RecordedRequest& request) {
            const QString relative = request.captures.value(0);
            if (relative == QLatin1String("12F/slow.xml")) {
                testsupport::ServerReply reply =
                    testsupport::ServerReply::text(fixtureBytes(QStringLiteral("12F/exoapp.xml")), "text/xml");
                reply.delay = std::chrono::seconds(60);
                return reply;
            }
            const QByteArray bytes = fixtureBytes(relative);
            if (bytes.isEmpty())
                return testsupport::ServerReply::withStatus(404);
            return testsupport::ServerReply::text(bytes, "text/xml");
        });
    }

    QString root() const { return server.address(QStringLiteral("/cours")); }

    testsupport::RecordingServer server;
};

TEST_F(EngineInternetTest, LoadsTheQuestionFromTheCourseServer)
{
    ASSERT_EQ(prepare(true, root()), 1);
    EXPECT_EQ(context.pusCheminRoot, root() + QLatin1Char('/'));
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    EXPECT_EQ(window().controlNames(), (QStringList{"Tools", "Q1", "I1", "Answer"}));
    EXPECT_EQ(server.paths(), QStringList{"/cours/12F/question.xml"});
    // Tools hands back server addresses in Internet mode.
    EXPECT_EQ(log->callsTo(QStringLiteral("Echo")).value(0).arguments.value(0).toString(),
              root() + QStringLiteral("/12F/media/film.swf"));
}

TEST_F(EngineInternetTest, FileNameIsPercentEncodedInTheAddress)
{
    ASSERT_EQ(prepare(true, root()), 1);
    EXPECT_EQ(load(QStringLiteral("sous dossier\\x#1.xml")), 23043);
    EXPECT_EQ(server.paths(), QStringList{"/cours/12F/sous dossier/x#1.xml"});
}

TEST_F(EngineInternetTest, FileTheServerDoesNotHaveGives23043)
{
    ASSERT_EQ(prepare(true, root()), 1);
    EXPECT_EQ(load(QStringLiteral("missing.xml")), 23043);
}

TEST_F(EngineInternetTest, ReplyLaterThanTheTimeOutGives23043)
{
    ASSERT_EQ(prepare(true, root()), 1);
    manager->setFetchTimeout(std::chrono::milliseconds(200));
    EXPECT_EQ(load(QStringLiteral("slow.xml")), 23043);
}

TEST_F(EngineInternetTest, LoadStartedWhileTheFileIsFetchedIsRefused)
{
    ASSERT_EQ(prepare(true, root()), 1);
    long nested = 0;
    // Runs in the event loop of the fetch, while the server holds its reply back.
    QTimer::singleShot(0, [&] {
        QString other = QStringLiteral("question.xml");
        nested = manager->InitQuestion(other, 1, 1);
        server.endDelays();
    });
    EXPECT_EQ(load(QStringLiteral("slow.xml")), 1);
    EXPECT_EQ(nested, 23041);
    EXPECT_EQ(window().controlNames(), (QStringList{"Tools", "Work"}));
    EXPECT_EQ(server.paths(), QStringList{"/cours/12F/slow.xml"});
}

TEST_F(EngineInternetTest, ManagerReleasedWhileTheFileIsFetchedEndsTheLoad)
{
    ASSERT_EQ(prepare(true, root()), 1);
    QTimer::singleShot(0, [&] {
        manager.reset();
        server.endDelays();
    });
    exerva::Manager* const loading = manager.get();
    QString name = QStringLiteral("slow.xml");
    EXPECT_EQ(loading->InitQuestion(name, 1, 1), 23041);
    EXPECT_EQ(manager, nullptr);
}

TEST_F(EngineInternetTest, UnusableServerAddressCannotStartTheLoad)
{
    ASSERT_EQ(prepare(true, QStringLiteral("http://")), 1);
    EXPECT_EQ(load(QStringLiteral("question.xml")), 23041);
}

TEST_F(EngineInternetTest, UnreachableServerGives23043)
{
    // Port 1 on the loopback refuses connections.
    ASSERT_EQ(prepare(true, QStringLiteral("http://127.0.0.1:1/cours")), 1);
    EXPECT_EQ(load(QStringLiteral("question.xml")), 23043);
}

}  // namespace
}  // namespace exerva_test
