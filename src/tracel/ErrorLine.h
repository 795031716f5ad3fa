#pragma once

#include "platform/RuntimeError.h"

#include <QString>

namespace tracel {

// The trace line of a caught run-time error: "erreur kav " & number & " : " &
// text. The trace lists every line so marked in its summary of errors.
QString errorLine(const platform::RuntimeError& error);

}  // namespace tracel
