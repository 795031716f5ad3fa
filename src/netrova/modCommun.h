#pragma once

#include "NetrovaContext.h"

namespace netrova {

// Starts the plug-in's trace log: the folder and file name the page asked for,
// kept inside the trace folder under the user's data folder, then the header
// lines. False, with tracing off, when the log cannot be created.
bool puInitTraceLog(NetrovaContext& context);

// The trace folder a page's PathTracel leads to: a relative path that stays
// inside goes under the trace root, anything else is the trace root itself.
QString traceFolderFor(const NetrovaContext& context, const QString& pathTracel);

}  // namespace netrova
