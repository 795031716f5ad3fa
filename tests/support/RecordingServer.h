#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace testsupport {

// One request as the recording server received it.
struct RecordedRequest {
    // Names and values, in their order.
    using Fields = QList<std::pair<QString, QString>>;

    QByteArray method;
    // Percent-decoded.
    QString path;
    // The query and, for an application/x-www-form-urlencoded body, the form,
    // in their order, percent-decoded ("+" read as a space) as UTF-8.
    Fields query;
    Fields form;
    // As received; look names up with header().
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    // The groups of the route's pattern that matched the path.
    QStringList captures;

    // The first value of the header, whatever the case of its name; empty when absent.
    QByteArray header(const QByteArray& name) const;
    // The first value of the query or form field; empty when absent.
    QString queryValue(const QString& name) const;
    QString formValue(const QString& name) const;
};

// What the server answers.
struct ServerReply {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/html";
    // Added to the content type as "; charset=" when not empty.
    QByteArray charset;
    // Further headers (Set-Cookie, Location...).
    QList<std::pair<QByteArray, QByteArray>> headers;
    // Held back this long; see RecordingServer::endDelays and stop.
    std::chrono::milliseconds delay{0};
    // Announces the whole body, sends its first half and closes the connection.
    bool closeHalfWay = false;
    // Sends the body in this many pieces, `trickle` apart (a slow link).
    int pieces = 1;
    std::chrono::milliseconds trickle{0};

    static ServerReply text(const QByteArray& body, const QByteArray& contentType = "text/html",
                            const QByteArray& charset = {});
    static ServerReply withStatus(int status, const QByteArray& body = {});
};

// An HTTP server on 127.0.0.1 at a port the system chooses, for tests: it
// records every request and answers from what the test scripted. Ready for
// requests once constructed; stopped, within a bounded time, by stop() or its
// destructor.
//
// A request gets the first reply queued for its method and exact path, else
// the answer of the first route whose pattern matches the whole path, else
// 404. Handlers run on the server's threads: they must only touch what is
// safe to share between threads.
class RecordingServer {
public:
    using Handler = std::function<ServerReply(const RecordedRequest&)>;

    RecordingServer();
    ~RecordingServer();
    RecordingServer(const RecordingServer&) = delete;
    RecordingServer& operator=(const RecordingServer&) = delete;

    // Answers requests of the method whose path matches the pattern (a
    // regular expression over the percent-decoded path).
    void on(const QByteArray& method, const QString& pathPattern, Handler handler);
    // Answers the next request of the method and path, once.
    void enqueue(const QByteArray& method, const QString& path, ServerReply reply);

    // Every delayed reply, held now or to come, goes at once.
    void endDelays();
    // Stops listening; a reply still delayed is dropped with its connection.
    void stop();

    int port() const;
    // "http://127.0.0.1:<port>" followed by the path.
    QString address(const QString& path = {}) const;

    std::vector<RecordedRequest> requests() const;
    QStringList paths() const;
    // Blocks until that many requests arrived, or the time-out passed: only
    // for clients on other threads, since this thread's event loop stands still.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace testsupport
