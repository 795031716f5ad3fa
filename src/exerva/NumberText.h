#pragma once

#include <QString>

namespace exerva {

// A text of an exercise file read as a whole number, as the original's
// conversion did: spaces around it ignored, an optional sign, decimals rounded
// half to even, "&H" hexadecimal. Throws platform::RuntimeError 13 when the
// text is not a number and 6 when it does not fit a 32-bit Long.
long wholeNumberFromText(const QString& text);

// A text read as a number (spaces around ignored). Throws platform::RuntimeError
// 13 when it is not one.
double numberFromText(const QString& text);

}  // namespace exerva
