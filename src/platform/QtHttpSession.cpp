#include "QtHttpSession.h"

#include "EventLoopWait.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace platform {

using Outcome = HttpReply::Outcome;

// What the session shares with the requests waiting for their reply, so that
// a wait outlives the end of the session.
struct QtHttpSession::Shared {
    bool alive = true;
    int waiting = 0;
    std::unique_ptr<QNetworkAccessManager> network;
};

namespace {

// Asks the environment for every request, so that no_proxy is applied host by host.
class EnvironmentProxies final : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override { return systemProxyForQuery(query); }
};

bool isHttpAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty();
}

HttpReply failure(Outcome outcome, const QString& text)
{
    HttpReply reply;
    reply.outcome = outcome;
    reply.errorText = text;
    return reply;
}

// What the handlers of one reply tell its wait.
struct Exchange {
    bool finished = false;
    bool tooLarge = false;
    // Bytes went out or came in since the wait last looked.
    bool moved = false;
};

HttpReply readReply(QNetworkReply& network)
{
    HttpReply reply;
    reply.status = network.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply.contentType = network.rawHeader("Content-Type");
    const bool statusOk = reply.status >= 200 && reply.status <= 299;
    if (reply.status != 0 && !statusOk) {
        reply.outcome = Outcome::StatusError;
        const QString reason = network.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        reply.errorText = reason.isEmpty() ? QString::number(reply.status)
                                           : QStringLiteral("%1 %2").arg(reply.status).arg(reason);
    } else if (network.error() != QNetworkReply::NoError || reply.status == 0) {
        reply.outcome = Outcome::NetworkError;
        reply.errorText = network.errorString();
        return reply;
    } else {
        reply.outcome = Outcome::Success;
    }
    reply.bytes = network.readAll();
    reply.text = decodeHttpBody(reply.bytes, reply.contentType);
    return reply;
}

QNetworkReply* start(QNetworkAccessManager& network, const HttpRequest& request)
{
    QNetworkRequest networkRequest(request.url);
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    if (!request.contentType.isEmpty())
        networkRequest.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
    if (request.method == "GET" && request.body.isEmpty())
        return network.get(networkRequest);
    if (request.method == "POST")
        return network.post(networkRequest, request.body);
    return network.sendCustomRequest(networkRequest, request.method, request.body);
}

}  // namespace

QtHttpSession::QtHttpSession(std::chrono::milliseconds timeout)
    : timeout_(timeout), shared_(std::make_shared<Shared>())
{
    shared_->network = std::make_unique<QNetworkAccessManager>();
    shared_->network->setProxyFactory(new EnvironmentProxies);
}

QtHttpSession::~QtHttpSession()
{
    shared_->alive = false;
    // A request still waiting may be inside one of the network's signals now:
    // the last such request deletes the network once its wait is over.
    if (shared_->waiting == 0)
        shared_->network.reset();
}

HttpReply QtHttpSession::send(const HttpRequest& request)
{
    if (!isHttpAddress(request.url))
        return failure(Outcome::InvalidAddress, QStringLiteral("Not an http or https address: %1").arg(request.url.toString()));
    // Everything the wait needs is held here, since the session may end meanwhile.
    const std::shared_ptr<Shared> shared = shared_;
    const std::chrono::milliseconds timeout = request.timeout.value_or(timeout_);
    const std::optional<std::chrono::milliseconds> stallTime = request.stallTime;
    const qint64 maxBytes = request.maxBytes;
    const std::function<void(qint64, qint64)> onProgress = request.onProgress;
    const auto exchange = std::make_shared<Exchange>();

    QNetworkReply* const started = start(*shared->network, request);
    const QPointer<QNetworkReply> network(started);
    QObject::connect(started, &QNetworkReply::finished, started, [exchange] { exchange->finished = true; });
    QObject::connect(started, &QNetworkReply::uploadProgress, started, [exchange] { exchange->moved = true; });
    QObject::connect(started, &QNetworkReply::metaDataChanged, started, [exchange] { exchange->moved = true; });
    QObject::connect(started, &QNetworkReply::downloadProgress, started,
                     [exchange, started, maxBytes, onProgress](qint64 received, qint64 total) {
                         exchange->moved = true;
                         if (received > maxBytes || total > maxBytes) {
                             exchange->tooLarge = true;
                             started->abort();
                             return;
                         }
                         if (onProgress)
                             onProgress(received, total);
                     });

    const auto flags = request.holdUserInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
    const auto over = [&] { return exchange->finished || !shared->alive; };
    ++shared->waiting;
    bool ended = false;
    if (stallTime) {
        // Each wait ends early when something moved, and then starts again.
        do {
            exchange->moved = false;
            ended = waitUntil([&] { return over() || exchange->moved; }, *stallTime, flags) && over();
        } while (!ended && exchange->moved);
    } else {
        ended = waitUntil(over, timeout, flags);
    }
    --shared->waiting;

    HttpReply reply;
    if (!shared->alive)
        reply = failure(Outcome::Aborted, QStringLiteral("The session ended during the request"));
    else if (!ended && stallTime)
        reply = failure(Outcome::TimedOut, QStringLiteral("Nothing received for %1 ms").arg(stallTime->count()));
    else if (!ended)
        reply = failure(Outcome::TimedOut, QStringLiteral("No reply within %1 ms").arg(timeout.count()));
    else if (exchange->tooLarge)
        reply = failure(Outcome::TooLarge, QStringLiteral("Reply larger than %1 bytes").arg(maxBytes));
    else if (network)
        reply = readReply(*network);
    if (network) {
        // A late reply has nowhere to go.
        QObject::disconnect(network, nullptr, nullptr, nullptr);
        if (!network->isFinished())
            network->abort();
        delete network.data();
    }
    if (!shared->alive && shared->waiting == 0)
        shared->network.reset();
    return reply;
}

}  // namespace platform
