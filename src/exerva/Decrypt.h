#pragma once

#include <QString>

namespace exerva {

struct ExervaContext;

// Descrambles one text of an exercise file whose texts are scrambled. The text
// is trimmed in place; each pair of hexadecimal digits is one code, the codes
// are unmixed and the last three dropped, so 2m digits give m - 3 characters
// of the windows-1252 code page (none for one to three pairs). Returns 1 and
// the text in `result`; 23020 when a pair is not hexadecimal; 23021 for any
// other failure (a text shorter than two characters). The state is also left
// in the context's pulStateEnCours; `result` stays empty on failure.
long puDecrypt(ExervaContext& context, QString& isTextToDecrypt, QString& result);

// A text of the exercise file as the controls read it: descrambled in place
// while the context says the file's texts are scrambled, else left alone.
// Returns 1, or puDecrypt's failing state with the text not descrambled.
long descrambleIfScrambled(ExervaContext& context, QString& text);

}  // namespace exerva
