#pragma once

#include "platform/HttpReply.h"
#include "platform/HttpRequest.h"

#include <chrono>

namespace platform {

// Requests that wait for their reply with a time-out.
inline constexpr std::chrono::milliseconds defaultHttpTimeout{60000};
// Requests without an overall deadline (a result post, a package and its
// files, which may take long on a slow link) give up only when nothing has
// moved for this long: two minutes in which not one byte went out or came in
// mean a dead connection, not a slow one.
inline constexpr std::chrono::milliseconds defaultHttpStallTime{120000};

// An HTTP client session, as a browser window is one: the cookies a server
// sets are sent back with the later requests of the same session and of no
// other; the proxy is the one the environment names (http_proxy, https_proxy,
// no_proxy). The Qt implementation is QtHttpSession; tests talk to a
// recording server.
//
// send() starts the request and lets events be handled until its reply is
// complete, it fails, or the time-out passes (for a request with a stall
// time: until nothing has moved for that long). Every request is its own: a
// reply that comes late, after its request timed out, never answers another
// request, and a request sent from an event handler while another waits gets
// its own reply. On failure the reply says why (outcome, errorText), the
// session stays usable and keeps its cookies, and a request that timed out is
// abandoned for good. Anything may run during the wait, calls that re-enter
// the caller and the end of the session included: send() then returns Aborted
// and touches nothing of the session. After send(), check that the objects in
// use still exist.
class HttpSession {
public:
    virtual ~HttpSession() = default;

    virtual HttpReply send(const HttpRequest& request) = 0;

    HttpReply get(const QUrl& url) { return send(HttpRequest::get(url)); }
    HttpReply post(const QUrl& url, const QByteArray& body, const QByteArray& contentType)
    {
        return send(HttpRequest::post(url, body, contentType));
    }
    HttpReply postForm(const QUrl& url, const HttpForm& fields, const QByteArray& charset = "utf-8")
    {
        return send(HttpRequest::postForm(url, fields, charset));
    }
};

}  // namespace platform
