#pragma once

#include "basalo/enuFunctionReturnState.h"
#include "platform/LastError.h"
#include "tracel/TraceChannel.h"

#include <QString>

namespace exerva {

// The exercise engine's process-wide state, shared by every Manager of the
// process, the loader and the question-type controls. One default instance per
// process; tests make a fresh one each.
struct ExervaContext {
    // Root folder given to Prepare, normalised, with a trailing separator.
    QString pusCheminRoot;
    // Internet mode: "/" separates paths; otherwise "\" (read as "/" on disk).
    bool modeInet = false;
    long idAppli = 0;
    // 1 base question, 2 bis question, 3 exercise application.
    long typeBaseBis = 1;
    // Set from the exercise file: the controls descramble their texts while it is True.
    bool scrambledTexts = false;
    // True only in the stand-alone test mode.
    bool standAlone = false;

    long pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    platform::LastError lastError;

    // Trace level, folder, file name, trace object and depth counter.
    tracel::TraceChannel trace;
    QString traceFolder;
    QString traceFileName;

    static ExervaContext& processDefault()
    {
        static ExervaContext context;
        return context;
    }
};

}  // namespace exerva
