// Internet mode: the exercise file comes from the course server, within the
// fetch time-out.

#include "EngineFixture.h"

#include <QFile>
#include <QTimer>

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace exerva_test {
namespace {

std::string fixtureBytes(const QString& relative)
{
    QFile file(fixturesRoot() + QLatin1Char('/') + relative);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

// A course server on 127.0.0.1 serving the fixture folder under /cours/,
// recording the paths asked for under /cours/. "/cours/12F/slow.xml" answers only once the
// test releases it.
class CourseServer {
public:
    CourseServer()
    {
        server_.Get(R"(/cours/(.*))", [this](const httplib::Request& request, httplib::Response& response) {
            {
                std::lock_guard lock(mutex_);
                paths_.push_back(request.path);
            }
            if (request.path == "/cours/12F/slow.xml") {
                release_.wait();
                response.set_content(fixtureBytes(QStringLiteral("12F/exoapp.xml")), "text/xml");
                return;
            }
            const std::string bytes = fixtureBytes(QString::fromStdString(request.matches[1].str()));
            if (bytes.empty()) {
                response.status = 404;
                return;
            }
            response.set_content(bytes, "text/xml");
        });
        server_.Get("/ready", [](const httplib::Request&, httplib::Response& response) { response.status = 204; });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // One answered request proves the accept loop runs, so that stop() in
        // the destructor cannot come before it and leave it running for ever.
        httplib::Client probe("127.0.0.1", port_);
        probe.set_connection_timeout(5);
        probe.Get("/ready");
    }

    ~CourseServer()
    {
        releaseSlowReply();
        server_.stop();
        thread_.join();
    }

    QString root() const { return QStringLiteral("http://127.0.0.1:%1/cours").arg(port_); }

    std::vector<std::string> paths()
    {
        std::lock_guard lock(mutex_);
        return paths_;
    }

    void releaseSlowReply()
    {
        if (!released_) {
            released_ = true;
            releasePromise_.set_value();
        }
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> paths_;
    std::promise<void> releasePromise_;
    std::shared_future<void> release_ = releasePromise_.get_future().share();
    bool released_ = false;
};

class EngineInternetTest : public EngineTest {
protected:
    CourseServer server;
};

TEST_F(EngineInternetTest, LoadsTheQuestionFromTheCourseServer)
{
    ASSERT_EQ(prepare(true, server.root()), 1);
    EXPECT_EQ(context.pusCheminRoot, server.root() + QLatin1Char('/'));
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    EXPECT_EQ(window().controlNames(), (QStringList{"Tools", "Q1", "I1", "Answer"}));
    EXPECT_EQ(server.paths(), std::vector<std::string>{"/cours/12F/question.xml"});
    // Tools hands back server addresses in Internet mode.
    EXPECT_EQ(log->callsTo(QStringLiteral("Echo")).value(0).arguments.value(0).toString(),
              server.root() + QStringLiteral("/12F/media/film.swf"));
}

TEST_F(EngineInternetTest, FileNameIsPercentEncodedInTheAddress)
{
    ASSERT_EQ(prepare(true, server.root()), 1);
    EXPECT_EQ(load(QStringLiteral("sous dossier\\x#1.xml")), 23043);
    EXPECT_EQ(server.paths(), std::vector<std::string>{"/cours/12F/sous dossier/x#1.xml"});
}

TEST_F(EngineInternetTest, FileTheServerDoesNotHaveGives23043)
{
    ASSERT_EQ(prepare(true, server.root()), 1);
    EXPECT_EQ(load(QStringLiteral("missing.xml")), 23043);
}

TEST_F(EngineInternetTest, ReplyLaterThanTheTimeOutGives23043)
{
    ASSERT_EQ(prepare(true, server.root()), 1);
    manager->setFetchTimeout(std::chrono::milliseconds(200));
    EXPECT_EQ(load(QStringLiteral("slow.xml")), 23043);
    server.releaseSlowReply();
}

TEST_F(EngineInternetTest, LoadStartedWhileTheFileIsFetchedIsRefused)
{
    ASSERT_EQ(prepare(true, server.root()), 1);
    long nested = 0;
    // Runs in the event loop of the fetch, while the server holds its reply back.
    QTimer::singleShot(0, [&] {
        QString other = QStringLiteral("question.xml");
        nested = manager->InitQuestion(other, 1, 1);
        server.releaseSlowReply();
    });
    EXPECT_EQ(load(QStringLiteral("slow.xml")), 1);
    EXPECT_EQ(nested, 23041);
    EXPECT_EQ(window().controlNames(), (QStringList{"Tools", "Work"}));
    EXPECT_EQ(server.paths(), std::vector<std::string>{"/cours/12F/slow.xml"});
}

TEST_F(EngineInternetTest, ManagerReleasedWhileTheFileIsFetchedEndsTheLoad)
{
    ASSERT_EQ(prepare(true, server.root()), 1);
    QTimer::singleShot(0, [&] {
        manager.reset();
        server.releaseSlowReply();
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
