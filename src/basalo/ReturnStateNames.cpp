#include "basalo/enuFunctionReturnState.h"

#include <algorithm>
#include <iterator>

namespace basalo {

namespace {

struct NamedState {
    long value;
    const char* name;
};

constexpr NamedState kNamedStates[] = {
#define BASALO_RETURN_STATE(block, name, value) {value, #name},
#include "ReturnStates.def"
#undef BASALO_RETURN_STATE
};

// The lookup is a binary search, so the list must stay in ascending order.
static_assert(std::is_sorted(std::begin(kNamedStates), std::end(kNamedStates),
                             [](const NamedState& a, const NamedState& b) { return a.value < b.value; }),
              "ReturnStates.def must list its values in ascending order");

}  // namespace

QString returnStateName(long value)
{
    const auto* found = std::lower_bound(std::begin(kNamedStates), std::end(kNamedStates), value,
                                         [](const NamedState& s, long v) { return s.value < v; });
    if (found == std::end(kNamedStates) || found->value != value)
        return {};
    return QString::fromLatin1(found->name);
}

}  // namespace basalo
