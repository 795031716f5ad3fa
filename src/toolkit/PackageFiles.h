#pragma once

#include "SessionState.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace common {

// The files a package page names by its links, each once: relative paths
// below the page's folder ("KavExo.dll", "KAVTEXTE/KAVTEXTE.dll", "\" read as
// "/"), returned with "/" between folders. Nothing, with the error stored and
// traced, when a link names anything else (an absolute path, "..", another
// host, a query).
std::optional<QStringList> packageFiles(SessionState& state, const QString& pageText,
                                        const tracel::TraceScope& scope);

}  // namespace common
