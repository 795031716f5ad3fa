#include "WebAddress.h"

#include <QStringList>

namespace toolkit {

QUrl withQuery(const QString& address, const QueryItems& items)
{
    QUrl url(address, QUrl::TolerantMode);
    QStringList parts;
    const QString existing = url.query(QUrl::FullyEncoded);
    if (!existing.isEmpty())
        parts.append(existing);
    for (const auto& [name, value] : items)
        parts.append(QString::fromLatin1(QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value)));
    if (!parts.isEmpty())
        url.setQuery(parts.join(u'&'), QUrl::StrictMode);
    return url;
}

bool sameOrigin(const QUrl& a, const QUrl& b)
{
    return a.isValid() && b.isValid() && a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0
           && a.host().compare(b.host(), Qt::CaseInsensitive) == 0
           && a.port(a.scheme() == QLatin1String("https") ? 443 : 80)
                  == b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

}  // namespace toolkit
