#pragma once

#include "ExervaContext.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"
#include "tracel/ErrorLine.h"
#include "tracel/TraceChannel.h"

namespace exerva {

// The number the engine's error handlers give an exception that is no run-time
// error (see platform::trapError).
inline constexpr long unknownErrorNumber = platform::InvalidProcedureCall;

// The error of the answer zone or of a call naming a control the window does not hold.
inline platform::RuntimeError controlNotFoundError(const QString& name)
{
    return platform::RuntimeError(730, QStringLiteral("Control '%1' not found").arg(name));
}

// What every error handler of the engine does with a caught error: keep it as
// the last error and write its "erreur kav" line.
inline void recordError(ExervaContext& context, const tracel::TraceScope& scope, const platform::RuntimeError& error)
{
    context.lastError.store(error);
    scope.line(tracel::errorLine(error));
}

// The error handler of an operation whose unexpected error ends it with
// `failureState`, unless a step code other than 1 is in force: records the
// error and sets the state.
inline void recordFailure(ExervaContext& context, const tracel::TraceScope& scope, const platform::RuntimeError& error,
                          long failureState)
{
    recordError(context, scope, error);
    if (context.pulStateEnCours == basalo::enuFunctionReturnState_General_Traitement_OK)
        context.pulStateEnCours = failureState;
}

}  // namespace exerva
