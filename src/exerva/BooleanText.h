#pragma once

#include <QString>

namespace exerva {

// A text of an exercise file read as a Boolean, as the original's conversion
// did: "True" or "False" in any case, or a number where 0 is False and any
// other value True. Throws platform::RuntimeError 13 for anything else.
bool booleanFromText(const QString& text);

// A Boolean as the original wrote it in text and trace lines: "True" or "False".
QString booleanText(bool value);

}  // namespace exerva
