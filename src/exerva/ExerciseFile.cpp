#include "ExerciseFile.h"

#include "PathSyntax.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace exerva {

namespace {

// An exercise file is a few kilobytes; anything far larger is not one.
constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

QDomDocument parse(const QByteArray& bytes)
{
    QDomDocument document;
    if (bytes.isEmpty() || !document.setContent(bytes))
        return {};
    return document;
}

bool isHttpScheme(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

}  // namespace

bool isServerRoot(const QString& root)
{
    return root.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || root.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

QUrl serverFileUrl(const QString& root, const QString& relativePath)
{
    QUrl url(root, QUrl::StrictMode);
    if (!url.isValid() || !isHttpScheme(url) || url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return {};
    url.setPath(url.path(QUrl::FullyDecoded) + relativePath, QUrl::DecodedMode);
    return url.isValid() ? url : QUrl();
}

QDomDocument readExerciseFile(const QString& enginePath)
{
    QFile file(diskPath(enginePath));
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxFileBytes)
        return {};
    return parse(file.readAll());
}

QDomDocument fetchExerciseFile(const QUrl& url, std::chrono::milliseconds timeout)
{
    QNetworkAccessManager network;
    const QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
    if (!proxies.isEmpty())
        network.setProxy(proxies.first());
    QNetworkRequest request(url);
    request.setTransferTimeout(int(timeout.count()));
    std::unique_ptr<QNetworkReply> reply(network.get(request));

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > maxFileBytes)
            reply->abort();
    });
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!reply->isFinished()) {
        reply->abort();
        return {};
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299)
        return {};
    return parse(reply->readAll());
}

}  // namespace exerva
