#pragma once

#include "support/RecordingServer.h"

#include <QString>

#include <deque>
#include <map>
#include <mutex>
#include <vector>

namespace testsupport {

// A learning management system's AICC end point (HACP) for tests, on a
// recording server: it reads each request's command, session and AU data,
// whether sent as a form by POST or in the query by GET, records it, and
// answers by script. Without a scripted answer, getparam gets the default
// learner and every other command "error=0".
class FakeHacpSystem {
public:
    // One request as the system read it.
    struct Exchange {
        QByteArray method;
        QString command;
        QString sessionId;
        QString version;
        QString aiccData;
        RecordedRequest request;
    };

    static constexpr const char* defaultStudentId = "S042";
    static constexpr const char* defaultStudentName = "Martin, Claire";

    FakeHacpSystem();

    // The AICC address, with an optional query of its own.
    QString address(const QString& query = {}) const;

    // The next request of that command (compared without regard to case) gets this reply.
    void answer(const QString& command, ServerReply reply);
    // A reply in the protocol's plain-text form.
    static ServerReply hacp(const QByteArray& text);
    static QByteArray identityReply(const QByteArray& id, const QByteArray& name);

    std::vector<Exchange> exchanges() const;
    QStringList commands() const;

    RecordingServer& server() { return server_; }

private:
    ServerReply reply(const RecordedRequest& request);

    RecordingServer server_;
    mutable std::mutex mutex_;
    std::map<QString, std::deque<ServerReply>> scripted_;
};

}  // namespace testsupport
