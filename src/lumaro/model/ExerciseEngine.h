#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace lumaro {

// The exercise engine as the course model drives it for a component named
// "EXERVA": prepared once per taught application, it loads one exercise at a
// time into its exercise window, scores the learner's answer there and clears
// the window for the next question. Results are step codes (1 when done); the
// engine keeps its own read-once last error. Operations are not expected to
// throw; the model traps what one throws all the same.
class ExerciseEngine {
public:
    virtual ~ExerciseEngine() = default;

    // Trace level and folder, used when Prepare starts the engine's trace.
    virtual long LevelTracelage() const = 0;
    virtual void LevelTracelage(long level) = 0;
    virtual QString PathTracel() const = 0;
    virtual void PathTracel(const QString& folder) = 0;

    // The last error the engine caught; reading resets it (0, "").
    virtual long LastErrorNumber() = 0;
    virtual QString LastErrorDescription() = 0;

    // Keeps the root folder of the exercise files, the mode and the
    // application, and creates the hidden exercise window.
    virtual long Prepare(const QString& isCheminRoot, bool ibModeInet, long ilIdAppli) = 0;
    // Loads the exercise file of that instance into the window; the file name
    // comes back with the engine's separators.
    virtual long InitQuestion(QString& isFileXML, long ilInstance, long ieTypeBaseBis) = 0;
    // Scores the learner's answer; Bravo and LettreReponse then give the outcome.
    virtual long TestePoint() = 0;
    // Clears the window for the next question.
    virtual long FermePoint() = 0;
    // Closes the window and stops the engine's trace.
    virtual long Quitter() = 0;

    // Outcome of the last TestePoint: right, or the answer's letter.
    virtual bool Bravo() const = 0;
    virtual QString LettreReponse() const = 0;

    // The exercise window's id for the window system, 0 when there is none.
    virtual long HandlefrmCT() const = 0;
};

// Makes a new exercise engine; the builder of a course supplies it (see
// LumaroContext::engineFactory). Null, or an exception, when none can be made.
using ExerciseEngineFactory = std::function<std::shared_ptr<ExerciseEngine>()>;

}  // namespace lumaro
