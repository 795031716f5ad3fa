#pragma once

#include "platform/HttpSession.h"

#include <memory>

namespace platform {

// An HttpSession over QNetworkAccessManager, on the thread that makes it.
// Redirects are followed unless they lead from https to http.
class QtHttpSession final : public HttpSession {
public:
    explicit QtHttpSession(std::chrono::milliseconds timeout = defaultHttpTimeout);
    // A request waiting meanwhile returns Aborted.
    ~QtHttpSession() override;
    QtHttpSession(const QtHttpSession&) = delete;
    QtHttpSession& operator=(const QtHttpSession&) = delete;

    HttpReply send(const HttpRequest& request) override;

    // The time-out of requests that name none.
    std::chrono::milliseconds timeout() const { return timeout_; }
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    struct Shared;

private:
    std::chrono::milliseconds timeout_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace platform
