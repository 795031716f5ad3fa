#pragma once

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"
#include "tracel/ErrorLine.h"
#include "tracel/TraceChannel.h"

#include <QString>

#include <type_traits>

namespace toolkit {

// What every object of a course plug-in reads and writes: the step code of the
// operation under way (1 after success, else the code of the step that failed),
// the last unforeseen error and the trace. Reading never resets them; only
// ClearError and the next operation change them.
struct SessionState {
    long pulStateEnCours = 0;
    long pulErrorNumber = 0;
    QString pusErrorDescription;
    tracel::TraceChannel trace;
    // The mounted file systems, where a CD-ROM is looked for.
    QString mountTable = QStringLiteral("/proc/self/mounts");

    void ClearError()
    {
        pulErrorNumber = 0;
        pusErrorDescription.clear();
        pulStateEnCours = 0;
    }

    // The code a failure reports: the step under way, else `fallback` when
    // the step says success (1) or names no step (0, as ClearError leaves
    // it), since a failure always says which step failed.
    long failedStep(long fallback) const
    {
        return pulStateEnCours != basalo::enuFunctionReturnState_General_Traitement_OK && pulStateEnCours != 0
                   ? pulStateEnCours
                   : fallback;
    }

    // Keeps the error as the last one and writes its "erreur kav" line.
    void recordError(const platform::RuntimeError& error, const tracel::TraceScope& scope)
    {
        pulErrorNumber = error.number();
        pusErrorDescription = error.text();
        scope.line(tracel::errorLine(error));
    }
};

// A property read that shows in the trace: its declaration, "name = value"
// and the exit line. Returns the value.
template <typename Value>
Value tracedRead(tracel::TraceChannel& trace, const QString& module, const QString& declaration, const QString& name,
                 const Value& value)
{
    const tracel::TraceScope scope(trace, tracel::TypeClass, module, declaration);
    if constexpr (std::is_arithmetic_v<Value>)
        scope.value(name, QString::number(value));
    else
        scope.value(name, value);
    return value;
}

// The obsolete LastErrorSource: always "", with a trace line saying so.
inline QString obsoleteLastErrorSource(tracel::TraceChannel& trace, const QString& module)
{
    const tracel::TraceScope scope(trace, tracel::TypeClass, module,
                                   QStringLiteral("Public Property Get LastErrorSource()"));
    scope.line(QStringLiteral("erreur kav : appel à d'une fonction périmée"));
    return {};
}

}  // namespace toolkit
