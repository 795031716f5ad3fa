#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace platform {

// The fields of a form, in the order they are sent.
using HttpForm = QList<std::pair<QString, QString>>;

// The form as an application/x-www-form-urlencoded body: "name=value" pairs
// joined by "&", every name and value percent-encoded (all but letters,
// digits and "-._~", so a space is "%20" and "+" is "%2B") in the charset
// given: UTF-8 by default, or windows-1252 (also for "iso-8859-1" and
// "us-ascii", as browsers read them), whose missing characters become "?".
QByteArray encodeForm(const HttpForm& fields, const QByteArray& charset = "utf-8");

// A body decoded by the charset of its Content-Type header, else as
// windows-1252; "iso-8859-1" and "us-ascii" are read as windows-1252 too, as
// browsers do, and a charset Qt does not know as no charset. Invalid
// sequences become U+FFFD.
QString decodeHttpBody(const QByteArray& bytes, const QByteArray& contentType);

}  // namespace platform
