#pragma once

#include <QString>
#include <QVariant>

namespace exerva {

// Whether a variant of this type id holds a whole number: the integer types,
// signed or not, of any width (not Boolean).
bool isWholeNumberType(int typeId);

// A member's result as text, as the original's string conversion made it:
// nothing gives "", a Boolean "True" or "False", a number its decimal text.
// Throws platform::RuntimeError 13 for a value that has no text (a node...).
QString variantText(const QVariant& value);

// A member's result as a whole number: nothing gives 0, True -1, numbers and
// numeric texts are rounded half to even. Throws platform::RuntimeError 13
// (not a number) or 6 (does not fit a Long).
long variantWholeNumber(const QVariant& value);

}  // namespace exerva
