#pragma once

#include <QString>

namespace basalo {

// The result and step codes of every deliverable of the family: 1 for success,
// then one block of values per deliverable. The list lives in ReturnStates.def
// so that the enumeration and the table of names cannot drift apart.
enum enuFunctionReturnState : long {
#define BASALO_RETURN_STATE(block, name, value) name = value,
#include "ReturnStates.def"
#undef BASALO_RETURN_STATE
};

// The member's full name, as trace lines such as "erreur kav reférencé : "
// spell it; "" for a value that has no member.
QString returnStateName(long value);

}  // namespace basalo
