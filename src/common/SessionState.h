#pragma once

#include "platform/RuntimeError.h"
#include "tracel/ErrorLine.h"
#include "tracel/TraceChannel.h"

#include <QString>

namespace common {

// What every object of a course plug-in reads and writes: the step code of the
// operation under way (1 after success, else the code of the step that failed),
// the last unforeseen error and the trace. Reading never resets them; only
// ClearError and the next operation change them.
struct SessionState {
    long pulStateEnCours = 0;
    long pulErrorNumber = 0;
    QString pusErrorDescription;
    tracel::TraceChannel trace;

    void ClearError()
    {
        pulErrorNumber = 0;
        pusErrorDescription.clear();
        pulStateEnCours = 0;
    }

    // Keeps the error as the last one and writes its "erreur kav" line.
    void recordError(const platform::RuntimeError& error, const tracel::TraceScope& scope)
    {
        pulErrorNumber = error.number();
        pusErrorDescription = error.text();
        scope.line(tracel::errorLine(error));
    }
};

}  // namespace common
