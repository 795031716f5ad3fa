#pragma once

#include "platform/RuntimeError.h"

#include <exception>
#include <new>
#include <optional>

namespace lumaro {

// Number given to a failure that a component reports with something other than
// a run-time error: the automation error of a call into a foreign object.
inline constexpr long AutomationError = 440;

// Runs the body of an operation and hands back the run-time error it raised, so
// that the operation's own failure handling decides what the error means and
// nothing escapes the operation.
template <typename Body>
std::optional<platform::RuntimeError> trapError(Body&& body) noexcept
{
    try {
        body();
        return std::nullopt;
    } catch (const platform::RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return platform::RuntimeError(7, QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        return platform::RuntimeError(AutomationError,
                                      QStringLiteral("Automation error: ") + QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return platform::RuntimeError(AutomationError, QStringLiteral("Automation error"));
    }
}

}  // namespace lumaro
