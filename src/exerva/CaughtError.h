#pragma once

#include "ExervaContext.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"
#include "tracel/TraceChannel.h"

#include <QString>

#include <exception>
#include <new>

namespace exerva {

// The run-time error behind the exception being handled, for the error
// handlers that catch everything: a RuntimeError as it is, running out of
// memory as error 7, anything else as error 5. Call only inside a catch block.
inline platform::RuntimeError caughtError() noexcept
{
    try {
        throw;
    } catch (const platform::RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return platform::RuntimeError(7, QStringLiteral("Out of memory"));
    } catch (...) {
        return platform::RuntimeError(platform::InvalidProcedureCall);
    }
}

// What every error handler of the engine does with a caught error: keep it as
// the last error and write its "erreur kav" line.
inline void recordError(ExervaContext& context, const tracel::TraceScope& scope, const platform::RuntimeError& error)
{
    context.storeError(error.number(), error.text());
    scope.line(QStringLiteral("erreur kav %1 : %2").arg(error.number()).arg(error.text()));
}

// The error handler of an operation whose unexpected error ends it with
// `failureState`, unless a step code other than 1 is in force: records the
// caught error and sets the state. Call only inside a catch block.
inline void recordFailure(ExervaContext& context, const tracel::TraceScope& scope, long failureState)
{
    recordError(context, scope, caughtError());
    if (context.pulStateEnCours == basalo::enuFunctionReturnState_General_Traitement_OK)
        context.pulStateEnCours = failureState;
}

}  // namespace exerva
