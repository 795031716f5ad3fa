#pragma once

#include <QString>

#include <vector>

namespace exerva {

// The question instances the stand-alone mode runs, in order.
namespace questionlist {

// A range longer than this is a typing mistake, not a test run: it is refused
// instead of filling memory.
inline constexpr long maxRangeEntries = 10000;

// The instances of a list written "1;3;7", each piece read as a whole number.
// An empty text is an empty list. Throws platform::RuntimeError 13 for a piece
// that is empty or not a number, 6 for one beyond a Long.
std::vector<long> fromList(const QString& text);

// first, first + 1, ..., last. Throws platform::RuntimeError 13 when a bound is
// not a number, 9 when last is below first, 6 when the range holds more than
// maxRangeEntries instances.
std::vector<long> fromRange(const QString& first, const QString& last);

}  // namespace questionlist

}  // namespace exerva
