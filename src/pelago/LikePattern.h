#pragma once

#include <QString>

namespace pelago {

// The pattern match window searches use: "*" any run of characters, "?" any
// one character, "#" any one digit, "[...]" any one character of the list
// ("[!...]" any one not in it, "a-z" a range); every other character stands
// for itself, letter case included.
bool likeMatch(const QString& text, const QString& pattern);

}  // namespace pelago
