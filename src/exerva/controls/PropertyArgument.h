#pragma once

#include <QVariantList>

namespace exerva {

// The one argument of a property Let made through a call by name, read as a
// Long: a number (rounded half to even), a Boolean (-1 or 0) or a text holding
// a whole number. Throws platform::RuntimeError 5 for another argument count,
// 13 for a value that is not a number and 6 for one beyond 32 bits. A number
// above the Long range but within 32 bits (a colour number written unsigned)
// is read as its 32-bit pattern.
long longArgument(const QVariantList& arguments);

// The argument of a Boolean property's Let, as a Long: a file may write it as a
// text ("True", "False" or a number, see booleanFromText), giving -1 or 0, or
// as anything longArgument reads.
long booleanArgument(const QVariantList& arguments);

// The argument of a size in pixels, as longArgument reads it; a negative size
// throws platform::RuntimeError 380.
long pixelSizeArgument(const QVariantList& arguments);

// The run-time error a property raises for a value it does not take (380).
[[noreturn]] void throwInvalidPropertyValue();

}  // namespace exerva
