#include "support/FakeHacpSystem.h"

namespace testsupport {
namespace {

const QString hacpPath = QStringLiteral("/lms/aicc/hacp");

// The field from the form of a POST, else from the query.
QString field(const RecordedRequest& request, const QString& name)
{
    const QString fromForm = request.formValue(name);
    return fromForm.isEmpty() ? request.queryValue(name) : fromForm;
}

}  // namespace

FakeHacpSystem::FakeHacpSystem()
{
    const auto handler = [this](const RecordedRequest& request) { return reply(request); };
    server_.on("POST", hacpPath, handler);
    server_.on("GET", hacpPath, handler);
}

QString FakeHacpSystem::address(const QString& query) const
{
    return server_.address(hacpPath) + (query.isEmpty() ? QString() : u'?' + query);
}

void FakeHacpSystem::answer(const QString& command, ServerReply reply)
{
    const std::lock_guard lock(mutex_);
    scripted_[command.toLower()].push_back(std::move(reply));
}

ServerReply FakeHacpSystem::hacp(const QByteArray& text)
{
    return ServerReply::text(text, "text/plain");
}

QByteArray FakeHacpSystem::identityReply(const QByteArray& id, const QByteArray& name)
{
    return "error=0\r\nerror_text=Successful\r\nversion=2.0\r\naicc_data=\r\n[Core]\r\nStudent_ID=" + id
           + "\r\nStudent_Name=" + name + "\r\nLesson_Location=\r\nCredit=C\r\nLesson_Status=N\r\nScore=\r\nTime=00:00:00\r\n";
}

ServerReply FakeHacpSystem::reply(const RecordedRequest& request)
{
    const QString command = field(request, QStringLiteral("command")).toLower();
    {
        const std::lock_guard lock(mutex_);
        auto& queue = scripted_[command];
        if (!queue.empty()) {
            ServerReply scripted = std::move(queue.front());
            queue.pop_front();
            return scripted;
        }
    }
    if (command == QLatin1String("getparam"))
        return hacp(identityReply(defaultStudentId, defaultStudentName));
    if (command.isEmpty())
        return hacp("error=1\r\nerror_text=Invalid Command\r\n");
    return hacp("error=0\r\nerror_text=Successful\r\n");
}

std::vector<FakeHacpSystem::Exchange> FakeHacpSystem::exchanges() const
{
    std::vector<Exchange> result;
    for (const RecordedRequest& request : server_.requests()) {
        Exchange exchange;
        exchange.method = request.method;
        exchange.command = field(request, QStringLiteral("command"));
        exchange.sessionId = field(request, QStringLiteral("session_id"));
        exchange.version = field(request, QStringLiteral("version"));
        exchange.aiccData = field(request, QStringLiteral("aicc_data"));
        exchange.request = request;
        result.push_back(std::move(exchange));
    }
    return result;
}

QStringList FakeHacpSystem::commands() const
{
    QStringList result;
    for (const Exchange& exchange : exchanges())
        result.append(exchange.command);
    return result;
}

}  // namespace testsupport
