#pragma once

#include "platform/HttpText.h"

#include <QByteArray>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

namespace platform {

// One request of an HttpSession.
struct HttpRequest {
    // A reply is refused beyond this size unless the request says otherwise.
    static constexpr qint64 defaultMaxBytes = 64 * 1024 * 1024;

    QByteArray method = "GET";
    QUrl url;
    // The body and its type, for a POST.
    QByteArray body;
    QByteArray contentType;
    // The session's time-out when not set.
    std::optional<std::chrono::milliseconds> timeout;
    // When set, the request has no overall deadline and `timeout` is not
    // used: it waits as long as the reply keeps arriving, and gives up only
    // when nothing has moved either way for this long.
    std::optional<std::chrono::milliseconds> stallTime;
    // A larger reply is a failure, so that a hostile server cannot fill the memory.
    qint64 maxBytes = defaultMaxBytes;
    // Called as the reply arrives: bytes received, and the total (-1 while
    // unknown). It must not throw; anything else it may do, ending the session included.
    std::function<void(qint64 received, qint64 total)> onProgress;
    // Holds the user's input back while the session waits for the reply.
    bool holdUserInput = false;

    static HttpRequest get(const QUrl& url);
    static HttpRequest post(const QUrl& url, const QByteArray& body, const QByteArray& contentType);
    // A POST of the fields url-encoded (encodeForm).
    static HttpRequest postForm(const QUrl& url, const HttpForm& fields, const QByteArray& charset = "utf-8");
};

}  // namespace platform
