#pragma once

#include <QDomDocument>
#include <QString>
#include <QUrl>

#include <chrono>

namespace exerva {

// How long a course server may take to deliver an exercise file.
inline constexpr std::chrono::milliseconds defaultFetchTimeout{60000};

// The address of a file of a course server: the root must be an http or https
// address without query or fragment; the relative path (with "/" separators)
// is appended to its path, percent-encoded. An invalid address when the root
// is not such an address.
QUrl serverFileUrl(const QString& root, const QString& relativePath);

// True when the root names a course server rather than a folder.
bool isServerRoot(const QString& root);

// The exercise file as a document: read from disk (a path of the engine, see
// diskPath) or fetched from the server within the time-out. A null document
// when the file is missing, unreadable, not well formed, not delivered in
// time, or beyond what an exercise file ever holds (16 MB, 256 levels of
// nesting, 256 "=" between two "<", any entity declaration). No entity is
// ever expanded, external definitions are never resolved.
QDomDocument readExerciseFile(const QString& enginePath);
QDomDocument fetchExerciseFile(const QUrl& url, std::chrono::milliseconds timeout);

}  // namespace exerva
