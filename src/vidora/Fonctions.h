#pragma once

#include <QString>

namespace vidora {

struct VidoraContext;

// A start and an end, in whole seconds.
struct TimeRange {
    double start = 0;
    double end = 0;
};

// Reads a range written "mm?ss?cc?mm?ss?cc" (minutes, seconds, hundredths of
// the start, then of the end; "?" any separator, not read). Each start and end
// becomes minutes × 60 + seconds + the hundredths rounded to the nearest
// second, a tie going to the even number: 00 to 50 add nothing, 51 to 99 one
// second. A text of another length, or a field that is not a number, raises
// run-time error 13.
TimeRange readTimeRange(const QString& text);

// Fills the sequence time table from the context's sequence time strings, row
// i from string i. False, with the error kept and traced and the step code
// 22000, when there are more strings than the table has rows, when a string is
// not a range, when a sequence ends before it starts (it would run backwards),
// or when the sequence count is not between 1 and the number of strings. A
// sequence of no length is kept. Every row is cleared first, so that nothing
// of an earlier video stays.
bool puMiseEnFormeDesTiming(VidoraContext& context);

// Starts the trace, once per process: the trace folder (the temporary folder
// when none is set), the file "VVidora", the first line "Initialisation - " and
// the date. False when the trace file cannot be made; the trace stays off.
bool puInitTrace(VidoraContext& context);

// The playing time " m:s:h": whole minutes, whole seconds (both truncated)
// and the first two decimals of the position as its shortest text gives them
// (65.7 gives " 1:5:7", 3.05 gives " 0:3:05", 4 gives " 0:4:").
QString timeLabelText(double seconds);

// The volume as a percentage of the full volume: " 50%".
QString volumePercentText(long volume);

// Rounds to the nearest whole number, a tie going to the even number.
long roundHalfEven(double value);

}  // namespace vidora
