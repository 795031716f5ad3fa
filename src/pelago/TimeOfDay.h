#pragma once

#include <QString>

#include <chrono>
#include <optional>

namespace pelago {

// A delay written as a time of day, "H:mm:ss" or "H:mm" ("00:10:00" is ten
// minutes), blanks around it allowed; nothing when the text is no time of day.
std::optional<std::chrono::milliseconds> timeOfDay(const QString& text);

}  // namespace pelago
