#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <utility>

namespace toolkit {

using QueryItems = QList<std::pair<QString, QString>>;

// The address with the items appended to its query, each name and value
// percent-encoded as UTF-8 (everything but letters, digits and "-._~"), so that
// no value can add a field of its own or change the address.
QUrl withQuery(const QString& address, const QueryItems& items);

// True when both addresses name the same scheme, host and port.
bool sameOrigin(const QUrl& a, const QUrl& b);

}  // namespace toolkit
