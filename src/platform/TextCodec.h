#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// Text written by the original tools is UTF-8 or windows-1252. Decodes as UTF-8
// when the bytes are valid UTF-8 (a UTF-8 byte order mark is dropped), else as
// windows-1252.
QString decodeText(const QByteArray& bytes);

QString decodeWindows1252(const QByteArray& bytes);
// Characters windows-1252 cannot hold become "?".
QByteArray encodeWindows1252(const QString& text);

// The whole file decoded by decodeText; nothing when it cannot be read.
std::optional<QString> readTextFile(const QString& path);

}  // namespace platform
