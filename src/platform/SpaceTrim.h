#pragma once

#include <QString>

namespace platform {

// The text without the spaces around it. Only spaces go, as the original's trim
// did: tabs and line breaks stay.
QString trimSpaces(const QString& text);

}  // namespace platform
