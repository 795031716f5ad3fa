#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// What became of one request of an HttpSession.
struct HttpReply {
    enum class Outcome {
        // A 2xx status and the whole body.
        Success,
        // The server answered with another status; its body is kept.
        StatusError,
        // The connection failed: refused, closed before the whole body, a bad
        // host name, too many redirects...
        NetworkError,
        // No whole reply within the time-out, or, for a request with a stall
        // time, nothing moved for that long.
        TimedOut,
        // The reply was larger than the request allowed.
        TooLarge,
        // Not an http or https address: nothing was sent.
        InvalidAddress,
        // The session ended while the request waited.
        Aborted,
    };

    Outcome outcome = Outcome::NetworkError;
    // The HTTP status, 0 when none arrived.
    int status = 0;
    // Empty on success; otherwise what went wrong, in words: the status code
    // and its reason ("404 Not Found"), or the network's own error text.
    QString errorText;
    // The Content-Type header as received.
    QByteArray contentType;
    // The body as received, and the body decoded by decodeHttpBody (HttpText.h). Empty
    // after a failure other than StatusError.
    QByteArray bytes;
    QString text;

    bool ok() const { return outcome == Outcome::Success; }
};

}  // namespace platform
