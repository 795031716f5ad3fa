#pragma once

#include "SessionState.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace toolkit {

// The most files one package page may list. A component package holds the
// component and the files and pages of its exercises, a few dozen at most; a
// page listing more is broken or hostile, and each file would cost a request.
inline constexpr qsizetype maxPackageFiles = 1000;

// The files a package page names by its links, each once: relative paths
// below the page's folder ("KavExo.dll", "KAVTEXTE/KAVTEXTE.dll", "\" read as
// "/"), returned with "/" between folders. Nothing, with the error stored and
// traced, when a link names anything else (an absolute path, "..", another
// host, a query) or the page lists more than maxPackageFiles files.
std::optional<QStringList> packageFiles(SessionState& state, const QString& pageText,
                                        const tracel::TraceScope& scope);

}  // namespace toolkit
