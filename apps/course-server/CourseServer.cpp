#include "CourseServer.h"

#include "CourseFiles.h"
#include "SampleLms.h"

#include "basalo/clsManager.h"
#include "platform/OleDate.h"
#include "platform/TextCodec.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

#include <algorithm>
#include <cctype>

namespace courseserver {

struct CourseServer::Reply {
    int status = 200;
    std::string body;
    std::string contentType = "text/html; charset=utf-8";
    std::vector<std::pair<std::string, std::string>> headers;

    static Reply notFound() { return {404, "Not found", "text/plain; charset=utf-8", {}}; }
};

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && lower(text.substr(text.size() - end.size())) == end;
}

QString text(const std::string& bytes)
{
    return platform::decodeText(QByteArray::fromStdString(bytes));
}

// Form fields of an url-encoded body, in their order.
std::vector<std::pair<std::string, std::string>> formFields(const std::string& body)
{
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t start = 0;
    while (start <= body.size() && !body.empty()) {
        const auto end = std::min(body.find('&', start), body.size());
        const std::string pair = body.substr(start, end - start);
        if (!pair.empty()) {
            const auto equals = pair.find('=');
            fields.emplace_back(percentDecoded(pair.substr(0, equals)),
                                equals == std::string::npos ? std::string() : percentDecoded(pair.substr(equals + 1)));
        }
        start = end + 1;
    }
    return fields;
}

QByteArray jsonLine(const std::string& page, const std::string& sessionId,
                    const std::vector<std::pair<std::string, std::string>>& fields)
{
    QJsonObject values;
    for (const auto& [name, value] : fields)
        values.insert(text(name), text(value));
    QJsonObject record;
    record.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    record.insert(QStringLiteral("page"), QString::fromStdString(page));
    record.insert(QStringLiteral("sessionid"), text(sessionId));
    record.insert(QStringLiteral("fields"), values);
    return QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n';
}

}  // namespace

std::string RecordedRequest::param(const std::string& name) const
{
    const auto found = params.find(name);
    return found == params.end() ? std::string() : found->second;
}

CourseServer::CourseServer(ServerOptions options) : options_(std::move(options))
{
    if (options_.recordFolder.isEmpty())
        options_.recordFolder = options_.dataFolder;
}

CourseServer::~CourseServer()
{
    stop();
}

bool CourseServer::start()
{
    if (started_)
        return true;
    server_ = std::make_unique<httplib::Server>();
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        route(request, response);
    };
    server_->Get(".*", handler);
    server_->Post(".*", handler);
    // A reply goes out in several writes: without this, each waits for the
    // client's delayed acknowledgement of the one before, some 40 ms a request.
    server_->set_tcp_nodelay(true);
    port_ = options_.port == 0 ? server_->bind_to_any_port(options_.address)
                               : (server_->bind_to_port(options_.address, options_.port) ? options_.port : -1);
    if (port_ <= 0) {
        server_.reset();
        port_ = 0;
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // One answered request proves the accept loop runs, so that a stop() right
    // after cannot come before it and leave it running for ever.
    httplib::Client probe(options_.address, port_);
    probe.set_connection_timeout(5);
    probe.Get("/__ready");
    started_ = true;
    return true;
}

void CourseServer::stop()
{
    if (!started_)
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    slowReleased_.notify_all();
    server_->stop();
    thread_.join();
    server_.reset();
    started_ = false;
}

std::string CourseServer::baseUrl() const
{
    return "http://" + options_.address + ":" + std::to_string(port_) + "/";
}

void CourseServer::addFault(const Fault& fault)
{
    std::lock_guard lock(mutex_);
    faults_.push_back(fault);
}

void CourseServer::clearFaults()
{
    std::lock_guard lock(mutex_);
    faults_.clear();
}

void CourseServer::releaseSlowReplies()
{
    {
        std::lock_guard lock(mutex_);
        ++slowGeneration_;
    }
    slowReleased_.notify_all();
}

int CourseServer::heldReplies() const
{
    std::lock_guard lock(mutex_);
    return held_;
}

bool CourseServer::waitUntilHeld(int count, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(mutex_);
    return heldChanged_.wait_for(lock, limit, [&] { return held_ >= count; });
}

std::vector<RecordedRequest> CourseServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<RecordedRequest> CourseServer::requestsFor(const std::string& page) const
{
    std::vector<RecordedRequest> found;
    for (const auto& request : requests()) {
        Fault matcher;
        matcher.page = page;
        if (matcher.appliesTo(request.path))
            found.push_back(request);
    }
    return found;
}

QString CourseServer::resultsFile() const
{
    return options_.recordFolder + QStringLiteral("/results.jsonl");
}

QString CourseServer::trackingFile() const
{
    return options_.recordFolder + QStringLiteral("/tracking.jsonl");
}

QString CourseServer::aiccFile() const
{
    return options_.recordFolder + QStringLiteral("/aicc.jsonl");
}

void CourseServer::route(const httplib::Request& request, httplib::Response& response)
{
    if (request.path == "/__ready") {
        response.status = 204;
        return;
    }
    RecordedRequest record;
    record.method = request.method;
    record.path = request.path;
    record.params = request.params;
    record.body = request.body;
    record.contentType = request.get_header_value("Content-Type");
    record.cookie = request.get_header_value("Cookie");
    record.range = request.get_header_value("Range");
    std::size_t index = 0;
    {
        std::lock_guard lock(mutex_);
        index = requests_.size();
        requests_.push_back(record);
    }
    // A fault may name the AICC command of a request of the end point.
    const std::string command = SampleLms::aiccCommand(request.path, request.params);
    auto fault = command.empty() ? std::nullopt : takeFault(request.path + "/" + command);
    if (!fault)
        fault = takeFault(request.path);
    // A refusal or a page in place of the reply means the request was never taken: nothing is stored.
    const bool refused = fault && (fault->kind == FaultKind::HacpError || fault->kind == FaultKind::HtmlPage);
    Reply reply = refused ? Reply{} : answer(request);
    if (!request.ranges.empty()) {
        // The library's own range handling leaves the status at 200 and can
        // announce a range beyond the end; the range is served here instead.
        applyRange(request.ranges, reply);
        const_cast<httplib::Request&>(request).ranges.clear();
    }
    send(std::move(reply), fault, response);
    {
        std::lock_guard lock(mutex_);
        requests_[index].status = response.status;
    }
    if (options_.log)
        options_.log(request.method + " " + request.target + " " + std::to_string(response.status));
}

CourseServer::Reply CourseServer::answer(const httplib::Request& request)
{
    std::string path = request.path;
    path.erase(0, path.find_first_not_of('/'));
    if (!isSafeRelativePath(path))
        return Reply::notFound();
    // The launcher asks the management system for the help page under its
    // client folder: the sample system answers with the course's own.
    if (lower(path) == "lms/client_net/ws/pluginhelp.aspx" && request.method == "GET")
        return answerWebService("pluginhelp", request);
    if (SampleLms::handles(path)) {
        SampleLms lms(options_.dataFolder, aiccFile(), [this](QByteArray bytes) { return fillPlaceholders(std::move(bytes)); });
        auto lmsAnswer = lms.answer(request.method, path, request.params);
        return {lmsAnswer.status, std::move(lmsAnswer.body), std::move(lmsAnswer.contentType), {}};
    }
    const bool webService = lower(path).rfind("ws/", 0) == 0 && endsWith(path, ".aspx");
    const std::string page = webService ? path.substr(3, path.size() - 3 - 5) : std::string();
    if (request.method == "POST")
        return webService ? answerPost(page, request) : Reply::notFound();
    return webService ? answerWebService(page, request) : answerFile(path);
}

CourseServer::Reply CourseServer::answerWebService(const std::string& page, const httplib::Request& request)
{
    const std::string sessionId = request.get_param_value("sessionid");
    const std::string name = lower(page);
    const CourseFiles files(options_.dataFolder);
    const QString folder = QStringLiteral("WS/") + QString::fromStdString(page);

    if (name == "pluginlng") {
        // The language file travels on one line, its line breaks written as a marker.
        const auto bytes = files.read(folder, {sessionId + ".lng", "default.lng"});
        if (!bytes)
            return {200, "NOK", "text/plain; charset=utf-8", {}};
        QByteArray body = *bytes;
        body.replace("\r\n", "\n").replace("\n", "%VBCRLF%");
        return {200, body.toStdString(), textContentType("text/plain", body), {}};
    }

    std::vector<std::string> candidates;
    if (name == "pluginhelp") {
        candidates = {request.get_param_value("plug_hlp") + ".html", "default.html"};
    } else {
        // A page is keyed by its own query key (question, component, video), else by the session.
        std::string key;
        for (const auto& [param, value] : request.params) {
            if (lower(param) != "sessionid") {
                key = value;
                break;
            }
        }
        candidates = key.empty() ? std::vector<std::string>{sessionId + ".txt", "default.txt"}
                                 : std::vector<std::string>{key + ".txt"};
    }
    const auto bytes = files.read(folder, candidates);
    if (!bytes)
        return Reply::notFound();
    const QByteArray body = fillPlaceholders(*bytes);
    Reply reply{200, body.toStdString(), textContentType("text/html", body), {}};
    if (name == "initplugin")
        reply.headers.emplace_back("Set-Cookie", "CourseSession=" + percentEncoded(sessionId) + "; Path=/");
    return reply;
}

CourseServer::Reply CourseServer::answerPost(const std::string& page, const httplib::Request& request)
{
    const std::string sessionId = request.get_param_value("sessionid");
    const auto fields = formFields(request.body);
    const std::string name = lower(page);
    if (name == "setresultmodule") {
        long idResParcours = 0;
        {
            std::lock_guard lock(mutex_);
            idResParcours = nextResultId_;
            nextResultId_ += 2;
        }
        appendRecord(resultsFile(), jsonLine(page, sessionId, fields));
        return {200,
                "1|" + std::to_string(idResParcours) + "|" + std::to_string(idResParcours + 1),
                "text/html; charset=utf-8",
                {}};
    }
    if (name == "debug/netrova_addinfos") {
        appendRecord(trackingFile(), jsonLine(page, sessionId, fields));
        return {200, "OK", "text/html; charset=utf-8", {}};
    }
    return Reply::notFound();
}

CourseServer::Reply CourseServer::answerFile(const std::string& path) const
{
    for (const auto& [prefix, folder] : options_.mounts) {
        const std::string start = lower(prefix) + "/";
        if (lower(path).rfind(start, 0) != 0)
            continue;
        const std::string rest = path.substr(start.size());
        if (const auto bytes = CourseFiles(folder).read(QString(), {rest}))
            return {200, bytes->toStdString(), contentTypeFor(rest, *bytes), {}};
    }
    const CourseFiles files(options_.dataFolder);
    const auto bytes = files.read(QString(), {path});
    if (!bytes)
        return Reply::notFound();
    return {200, bytes->toStdString(), contentTypeFor(path, *bytes), {}};
}

void CourseServer::send(Reply reply, const std::optional<Fault>& fault, httplib::Response& response)
{
    if (fault && fault->kind == FaultKind::Slow)
        holdSlowReply();
    if (fault && fault->kind == FaultKind::EmptyReply)
        reply.body.clear();
    if (fault && fault->kind == FaultKind::KavErreur) {
        reply.status = 200;
        reply.body = fault->body;
        reply.contentType = "text/html; charset=utf-8";
    }
    if (fault && fault->kind == FaultKind::Status)
        reply.status = fault->status;
    if (fault && fault->kind == FaultKind::HacpError) {
        reply.status = 200;
        reply.body = SampleLms::hacpRefusal(fault->status);
        reply.contentType = "text/plain; charset=utf-8";
    }
    if (fault && fault->kind == FaultKind::HtmlPage) {
        reply.status = 200;
        reply.body = "<!DOCTYPE html>\n<html><head><title>Connexion</title></head>\n"
                     "<body><h1>Votre session a expiré</h1><p>Reconnectez-vous.</p></body></html>\n";
        reply.contentType = "text/html; charset=utf-8";
    }
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers)
        response.set_header(name, value);
    if (fault && fault->kind == FaultKind::CloseHalfWay) {
        // The whole length is announced, half of it sent, then the connection dropped.
        const std::string body = reply.body.size() < 2 ? std::string(64, ' ') : reply.body;
        const std::size_t half = reply.body.size() / 2;
        response.set_content_provider(body.size(), reply.contentType,
                                      [body, half](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                          if (offset < half)
                                              sink.write(body.data() + offset, half - offset);
                                          return offset < half;
                                      });
        return;
    }
    response.set_content(reply.body, reply.contentType);
}

void CourseServer::applyRange(const std::vector<std::pair<ssize_t, ssize_t>>& ranges, Reply& reply)
{
    // Several ranges at once are answered with the whole body, as a server may.
    if (reply.status != 200 || ranges.size() != 1)
        return;
    const auto size = static_cast<ssize_t>(reply.body.size());
    auto [first, last] = ranges.front();
    if (first < 0) {
        first = std::max<ssize_t>(0, size - last);
        last = size - 1;
    } else if (last < 0 || last >= size) {
        last = size - 1;
    }
    if (first >= size || first > last) {
        reply = {416, std::string(), reply.contentType, {{"Content-Range", "bytes */" + std::to_string(size)}}};
        return;
    }
    reply.headers.emplace_back(
        "Content-Range", "bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" + std::to_string(size));
    reply.body = reply.body.substr(first, last - first + 1);
    reply.status = 206;
}

std::optional<Fault> CourseServer::takeFault(const std::string& path)
{
    std::lock_guard lock(mutex_);
    for (auto fault = faults_.begin(); fault != faults_.end(); ++fault) {
        if (!fault->appliesTo(path))
            continue;
        const Fault taken = *fault;
        if (fault->count > 0 && --fault->count == 0)
            faults_.erase(fault);
        return taken;
    }
    return std::nullopt;
}

void CourseServer::holdSlowReply()
{
    std::unique_lock lock(mutex_);
    const long generation = slowGeneration_;
    ++held_;
    heldChanged_.notify_all();
    slowReleased_.wait_for(lock, options_.slowDelay, [&] { return stopping_ || slowGeneration_ != generation; });
    --held_;
    heldChanged_.notify_all();
}

void CourseServer::appendRecord(const QString& file, const QByteArray& line)
{
    std::lock_guard lock(mutex_);
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Append))
        out.write(line);
}

QByteArray CourseServer::fillPlaceholders(QByteArray bytes) const
{
    QString now;
    basalo::BasaloState state;
    basalo::clsManager(state).ConvertDateToKavDbl(
        platform::OleDate::fromDateTime(QDateTime::currentDateTime()).value_or(platform::OleDate()), now);
    bytes.replace("{{BASE}}", QByteArray::fromStdString(baseUrl()));
    bytes.replace("{{NOW}}", now.toLatin1());
    return bytes;
}

}  // namespace courseserver
