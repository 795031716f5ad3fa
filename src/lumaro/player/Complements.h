#pragma once

#include <QString>

namespace lumaro {

class ModuleComplement;

// The feedback message of a wrong answer with each placeholder "#" & n (the
// longest run of digits after the "#") replaced by the complement n of the
// interactive component, without its leading and trailing spaces. The message
// is read once, left to right: a complement's own text is never read again, and
// a placeholder without such a complement stays as it is.
QString piRemplaceComplements(const QString& message, ModuleComplement& complements);

} // namespace lumaro
