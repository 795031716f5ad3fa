#include "HttpRequest.h"

namespace platform {

HttpRequest HttpRequest::get(const QUrl& url)
{
    HttpRequest request;
    request.url = url;
    return request;
}

HttpRequest HttpRequest::post(const QUrl& url, const QByteArray& body, const QByteArray& contentType)
{
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.body = body;
    request.contentType = contentType;
    return request;
}

HttpRequest HttpRequest::postForm(const QUrl& url, const HttpForm& fields, const QByteArray& charset)
{
    return post(url, encodeForm(fields, charset), "application/x-www-form-urlencoded");
}

}  // namespace platform
