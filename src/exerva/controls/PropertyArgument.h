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

}  // namespace exerva
