#pragma once

#include "ServerFault.h"

#include <QString>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace courseserver {

// One request as the server received it, for the log and for tests.
struct RecordedRequest {
    std::string method;
    std::string path;
    // Query and form fields, decoded; a name may come more than once.
    std::multimap<std::string, std::string> params;
    std::string body;
    std::string contentType;
    std::string cookie;
    std::string range;
    int status = 0;

    // The first value of the field, "" when there is none.
    std::string param(const std::string& name) const;
};

struct ServerOptions {
    // The course: web-service replies, form pages, packages and media.
    QString dataFolder;
    // Where posted results and tracking records are appended; the data folder when empty.
    QString recordFolder;
    std::string address = "127.0.0.1";
    // 0: any free port.
    int port = 0;
    // How long a "slow" fault holds its reply unless released sooner.
    std::chrono::milliseconds slowDelay{65000};
    // Called with one line per request answered, from the server's threads.
    std::function<void(const std::string&)> log;
    // Folders served under a path of their own ("Media/12F" for the media
    // folder), looked up before the data folder.
    std::vector<std::pair<std::string, QString>> mounts;
};

// The sample course server: serves a course from a data folder the way the
// Internet plug-in and its tests expect it (see samples/server/README.md),
// records every request and stores every posted result and tracking record as
// one JSON line. Runs on its own threads between start() and stop().
class CourseServer {
public:
    explicit CourseServer(ServerOptions options);
    ~CourseServer();
    CourseServer(const CourseServer&) = delete;
    CourseServer& operator=(const CourseServer&) = delete;

    // Binds the address and serves until stop(); false when it cannot bind.
    bool start();
    // Releases held replies and stops serving; harmless when not started.
    void stop();

    int port() const { return port_; }
    // "http://address:port/".
    std::string baseUrl() const;

    // A fault spoils the replies of the pages it names, in the order added.
    void addFault(const Fault& fault);
    void clearFaults();
    // Lets every reply held by a "slow" fault go now.
    void releaseSlowReplies();
    // The number of replies a "slow" fault holds at this moment.
    int heldReplies() const;
    // Waits, at most for the limit, until that many replies are held; true when they are.
    bool waitUntilHeld(int count, std::chrono::milliseconds limit) const;

    std::vector<RecordedRequest> requests() const;
    // The requests whose path ends with that page name, without regard to case.
    std::vector<RecordedRequest> requestsFor(const std::string& page) const;

    // The files the posted records go to.
    QString resultsFile() const;
    QString trackingFile() const;
    // The file the learning management system's putparam and exitAU requests go to.
    QString aiccFile() const;

private:
    struct Reply;
    void route(const httplib::Request& request, httplib::Response& response);
    Reply answer(const httplib::Request& request);
    Reply answerWebService(const std::string& page, const httplib::Request& request);
    Reply answerPost(const std::string& page, const httplib::Request& request);
    Reply answerFile(const std::string& path) const;
    static void applyRange(const std::vector<std::pair<ssize_t, ssize_t>>& ranges, Reply& reply);
    void send(Reply reply, const std::optional<Fault>& fault, httplib::Response& response);
    std::optional<Fault> takeFault(const std::string& path);
    void holdSlowReply();
    void appendRecord(const QString& file, const QByteArray& line);
    QByteArray fillPlaceholders(QByteArray bytes) const;

    ServerOptions options_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    bool started_ = false;

    mutable std::mutex mutex_;
    std::condition_variable slowReleased_;
    mutable std::condition_variable heldChanged_;
    long slowGeneration_ = 0;
    bool stopping_ = false;
    int held_ = 0;
    std::vector<Fault> faults_;
    std::vector<RecordedRequest> requests_;
    long nextResultId_ = 1000;
};

}  // namespace courseserver
