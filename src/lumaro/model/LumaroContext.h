#pragma once

#include "ComponentRegistry.h"
#include "ExerciseEngine.h"
#include "LanguageReader.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/Clock.h"
#include "platform/LastError.h"
#include "platform/OleDate.h"
#include "platform/WindowSystem.h"
#include "tracel/TraceChannel.h"

#include <QString>

#include <memory>

namespace lumaro {

class Module;
class Parcours;

// The state one Lumaro process shares between every object of the course model
// and the question player: current module and path, step code and last error
// (each read once through the objects' properties), the trace with its level,
// folder and depth, the clock offset of the model, the engine settings and the
// language reader. One default instance per process; tests make a fresh one each.
//
// Model objects keep a reference to the context they were created with, so the
// context must outlive them (the process default always does).
class LumaroContext {
public:
    explicit LumaroContext(const platform::Clock& clock = platform::SystemClock::instance());
    ~LumaroContext();
    LumaroContext(const LumaroContext&) = delete;
    LumaroContext& operator=(const LumaroContext&) = delete;

    static LumaroContext& processDefault();

    // The local clock, and the model's clock: the local clock less pudteDiffDateServeur.
    const platform::Clock& clock() const { return *clock_; }
    platform::OleDate localNow() const;
    platform::OleDate modelNow() const;

    // Days between the local clock and the date the host gave CreateManager.
    double pudteDiffDateServeur = 0.0;
    std::shared_ptr<Module> puoModuleEnCours;
    std::shared_ptr<Parcours> parcoursEnCours;

    long pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    // Read once: returns the step code and puts 1 back.
    long takeStateEnCours();
    platform::LastError lastError;

    // Given to the exercise engine's Prepare; set through the question player.
    QString xmlCheminServeur;
    bool xmlModeInet = false;

    // Null until the question player provides one; messages are then "", as
    // they are when the reader fails.
    std::shared_ptr<LanguageReader> langue;
    QString message(const QString& key) const;

    ComponentRegistry components;

    // Makes the engine of every component named "EXERVA"; empty until the
    // builder of the course (the question player, a program, a test) sets it,
    // and a component that needs an engine then cannot be created.
    ExerciseEngineFactory engineFactory;
    // The windows the model restores, the engine's among them; null: none.
    std::shared_ptr<platform::WindowSystem> windows;

    // Trace. The level cannot change once tracing has started; a level above 0
    // starts it, and a trace that cannot start leaves the level at 0.
    tracel::TraceChannel trace;
    long levelTracelage() const { return trace.level(); }
    void levelTracelage(long level);
    // Taken only with 2 characters or more and before tracing starts; kept with a final "/".
    QString pathParent() const { return pathParent_; }
    void pathParent(const QString& folder);
    bool traceStarted() const { return trace.isStarted(); }
    // Starts the process trace "Lumaro.htm" in the trace folder (the program's
    // folder when none is set) and writes the version line.
    bool puInitialiseTrace();
    // The trace object's folder, "" while tracing is off.
    QString traceFolder() const;

    // The trace ends when the last ContexteManager and the last question player
    // Manager have ended, whichever ends last.
    void contexteManagerStarted() { ++contexteManagers_; }
    void contexteManagerEnded();
    void managerStarted() { ++managers_; }
    void managerEnded();
    int contexteManagerCount() const { return contexteManagers_; }
    int managerCount() const { return managers_; }

    // A date as trace lines show it.
    static QString dateText(platform::OleDate date);

private:
    void endTraceIfLast();

    const platform::Clock* clock_;
    QString pathParent_;
    int contexteManagers_ = 0;
    int managers_ = 0;
};

// Duration text of modules, paths and results: the duration (days) in whole
// seconds, never below zero, plus one minute, as hours on at least four digits,
// ":" and minutes on two ("0000:01" for zero).
QString puFormateDuree(double duree);

}  // namespace lumaro
