#include "support/RecordingServer.h"

#include <QRegularExpression>
#include <QUrl>

#include <httplib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace testsupport {

namespace {

// Answered without being recorded: proves that the server accepts connections.
const char* const readyPath = "/.recording-server-ready";

RecordedRequest::Fields decodeFields(const std::string& encoded)
{
    RecordedRequest::Fields fields;
    if (encoded.empty())
        return fields;
    for (QByteArray part : QByteArray::fromStdString(encoded).split('&')) {
        part.replace('+', ' ');
        const qsizetype equals = part.indexOf('=');
        const QByteArray name = equals < 0 ? part : part.left(equals);
        const QByteArray value = equals < 0 ? QByteArray() : part.mid(equals + 1);
        fields.append({QUrl::fromPercentEncoding(name), QUrl::fromPercentEncoding(value)});
    }
    return fields;
}

QString firstValue(const RecordedRequest::Fields& fields, const QString& name)
{
    for (const auto& [fieldName, value] : fields) {
        if (fieldName == name)
            return value;
    }
    return {};
}

RecordedRequest record(const httplib::Request& request)
{
    RecordedRequest recorded;
    recorded.method = QByteArray::fromStdString(request.method);
    recorded.path = QString::fromStdString(request.path);
    const std::size_t question = request.target.find('?');
    if (question != std::string::npos)
        recorded.query = decodeFields(request.target.substr(question + 1));
    for (const auto& [name, value] : request.headers)
        recorded.headers.append({QByteArray::fromStdString(name), QByteArray::fromStdString(value)});
    recorded.body = QByteArray::fromStdString(request.body);
    if (recorded.header("Content-Type").toLower().startsWith("application/x-www-form-urlencoded"))
        recorded.form = decodeFields(request.body);
    return recorded;
}

struct Route {
    QByteArray method;
    QRegularExpression pattern;
    RecordingServer::Handler handler;
};

}  // namespace

QByteArray RecordedRequest::header(const QByteArray& name) const
{
    for (const auto& [headerName, value] : headers) {
        if (headerName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QString RecordedRequest::queryValue(const QString& name) const
{
    return firstValue(query, name);
}

QString RecordedRequest::formValue(const QString& name) const
{
    return firstValue(form, name);
}

ServerReply ServerReply::text(const QByteArray& body, const QByteArray& contentType, const QByteArray& charset)
{
    ServerReply reply;
    reply.body = body;
    reply.contentType = contentType;
    reply.charset = charset;
    return reply;
}

ServerReply ServerReply::withStatus(int status, const QByteArray& body)
{
    ServerReply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

struct RecordingServer::Impl {
    httplib::Server server;
    std::thread thread;
    int port = -1;

    mutable std::mutex mutex;
    // Wakes delayed replies, and waits for requests.
    mutable std::condition_variable changed;
    bool stopping = false;
    bool delaysEnded = false;
    std::vector<RecordedRequest> requests;
    std::vector<Route> routes;
    std::map<std::pair<QByteArray, QString>, std::deque<ServerReply>> queued;

    void serve(const httplib::Request& request, httplib::Response& response);
    ServerReply answer(RecordedRequest& recorded);
};

ServerReply RecordingServer::Impl::answer(RecordedRequest& recorded)
{
    Handler handler;
    {
        const std::lock_guard lock(mutex);
        const auto queue = queued.find({recorded.method, recorded.path});
        if (queue != queued.end() && !queue->second.empty()) {
            ServerReply reply = std::move(queue->second.front());
            queue->second.pop_front();
            requests.push_back(recorded);
            changed.notify_all();
            return reply;
        }
        for (const Route& route : routes) {
            const QRegularExpressionMatch match = route.pattern.match(recorded.path);
            if (route.method == recorded.method && match.hasMatch()) {
                recorded.captures = match.capturedTexts().mid(1);
                handler = route.handler;
                break;
            }
        }
        requests.push_back(recorded);
        changed.notify_all();
    }
    if (!handler)
        return ServerReply::withStatus(404, "No reply for this request");
    return handler(recorded);
}

void RecordingServer::Impl::serve(const httplib::Request& request, httplib::Response& response)
{
    if (request.path == readyPath) {
        response.status = 204;
        return;
    }
    RecordedRequest recorded = record(request);
    const ServerReply reply = answer(recorded);
    bool dropped = false;
    if (reply.delay.count() > 0) {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, reply.delay, [this] { return stopping || delaysEnded; });
        dropped = stopping;
    }
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers)
        response.set_header(name.toStdString(), value.toStdString());
    std::string contentType = reply.contentType.toStdString();
    if (!reply.charset.isEmpty())
        contentType += "; charset=" + reply.charset.toStdString();
    if (!dropped && !reply.closeHalfWay && reply.pieces > 1) {
        // Each piece after the first waits its turn, unless the server stops.
        const std::string body = reply.body.toStdString();
        const std::size_t piece = (body.size() + std::size_t(reply.pieces) - 1) / std::size_t(reply.pieces);
        response.set_content_provider(
            body.size(), contentType,
            [this, body, piece, trickle = reply.trickle](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset > 0) {
                    std::unique_lock lock(mutex);
                    if (changed.wait_for(lock, trickle, [this] { return stopping; }))
                        return false;
                }
                const std::size_t size = std::min(piece, body.size() - offset);
                return sink.write(body.data() + offset, size);
            });
        return;
    }
    if (!dropped && !reply.closeHalfWay) {
        response.set_content(reply.body.toStdString(), contentType);
        return;
    }
    // A provider that gives up closes the connection after what it wrote.
    const std::string half = dropped ? std::string() : reply.body.left(reply.body.size() / 2).toStdString();
    response.set_content_provider(std::max<std::size_t>(std::size_t(reply.body.size()), 1), contentType,
                                  [half](std::size_t, std::size_t, httplib::DataSink& sink) {
                                      if (!half.empty())
                                          sink.write(half.data(), half.size());
                                      return false;
                                  });
}

RecordingServer::RecordingServer() : impl_(std::make_unique<Impl>())
{
    const auto serve = [impl = impl_.get()](const httplib::Request& request, httplib::Response& response) {
        impl->serve(request, response);
    };
    httplib::Server& server = impl_->server;
    server.Get(".*", serve);
    server.Post(".*", serve);
    server.Put(".*", serve);
    server.Patch(".*", serve);
    server.Delete(".*", serve);
    server.Options(".*", serve);
    // One request per connection and short waits for idle ones, so that
    // stopping never waits long for a client that keeps a connection open.
    server.set_keep_alive_max_count(1);
    server.set_keep_alive_timeout(1);
    server.set_read_timeout(2, 0);
    server.set_write_timeout(2, 0);
    impl_->port = server.bind_to_any_port("127.0.0.1");
    if (impl_->port <= 0) {
        ADD_FAILURE() << "The recording server found no port";
        return;
    }
    impl_->thread = std::thread([&server] { server.listen_after_bind(); });
    // Stopping before the accept loop runs would leave it running for ever:
    // one answered request proves it runs.
    httplib::Client probe("127.0.0.1", impl_->port);
    probe.set_connection_timeout(5);
    probe.set_read_timeout(5);
    if (!probe.Get(readyPath))
        ADD_FAILURE() << "The recording server does not answer";
}

RecordingServer::~RecordingServer()
{
    stop();
}

void RecordingServer::on(const QByteArray& method, const QString& pathPattern, Handler handler)
{
    const std::lock_guard lock(impl_->mutex);
    impl_->routes.push_back(
        {method, QRegularExpression(QRegularExpression::anchoredPattern(pathPattern)), std::move(handler)});
}

void RecordingServer::enqueue(const QByteArray& method, const QString& path, ServerReply reply)
{
    const std::lock_guard lock(impl_->mutex);
    impl_->queued[{method, path}].push_back(std::move(reply));
}

void RecordingServer::endDelays()
{
    {
        const std::lock_guard lock(impl_->mutex);
        impl_->delaysEnded = true;
    }
    impl_->changed.notify_all();
}

void RecordingServer::stop()
{
    {
        const std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->changed.notify_all();
    impl_->server.stop();
    if (impl_->thread.joinable())
        impl_->thread.join();
}

int RecordingServer::port() const
{
    return impl_->port;
}

QString RecordingServer::address(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(impl_->port) + path;
}

std::vector<RecordedRequest> RecordingServer::requests() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

QStringList RecordingServer::paths() const
{
    QStringList paths;
    for (const RecordedRequest& request : requests())
        paths.append(request.path);
    return paths;
}

bool RecordingServer::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(impl_->mutex);
    return impl_->changed.wait_for(lock, timeout, [this, count] { return impl_->requests.size() >= count; });
}

}  // namespace testsupport
