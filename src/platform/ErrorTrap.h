#pragma once

#include "platform/RuntimeError.h"

#include <optional>
#include <utility>

namespace platform {

namespace detail {
// trapError's translation of the exception being handled.
RuntimeError caughtError(long otherNumber) noexcept;
}  // namespace detail

// Runs the body of an operation and hands back the run-time error it raised,
// so that the operation's own failure handling decides what the error means
// and nothing escapes the operation. A RuntimeError comes back as it is,
// running out of memory as error 7, and any other exception as error
// `otherNumber` with that number's standard text, followed by ": " and the
// exception's own message when it has one. The caller names that number: the
// exercise engine's unexpected error (5), or the automation error (440) at a
// component boundary.
template <typename Body>
std::optional<RuntimeError> trapError(long otherNumber, Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
        return std::nullopt;
    } catch (...) {
        return detail::caughtError(otherNumber);
    }
}

}  // namespace platform
