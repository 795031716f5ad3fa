#pragma once

#include "ControlRegistry.h"
#include "ExervaContext.h"

#include "platform/Clock.h"

#include <QString>

#include <chrono>
#include <memory>

namespace exerva {

class frmCT;

// The exercise engine as its host drives it: prepared once with the
// application's root folder, it loads one exercise file at a time into its
// exercise window, has the answer zone's control score the learner's answer
// and clears the window for the next question.
//
// Results are enuFunctionReturnState values (1 when done). No operation
// throws. Paths handed back keep the separator of the mode ("/" in Internet
// mode, "\" otherwise); files are reached through diskPath.
class Manager {
public:
    explicit Manager(ExervaContext& context = ExervaContext::processDefault(),
                     const ControlRegistry& registry = systemControlRegistry(),
                     const platform::Clock& clock = platform::SystemClock::instance());
    // Stops the process's trace and closes the window the host left open.
    ~Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    // The process-wide trace level. Once Prepare has been called on this
    // object, any value stores 0, which stops tracing.
    long LevelTracelage() const;
    void LevelTracelage(long level);

    // The last caught run-time error; reading resets it (0, "").
    long LastErrorNumber();
    QString LastErrorDescription();

    // Trace folder and file name, used when Prepare starts the trace. An empty
    // folder means the temporary folder, an empty name "Exerva".
    QString PathTracel() const;
    void PathTracel(const QString& folder);
    QString FileTracel() const;
    void FileTracel(const QString& name);

    // Outcome of the last TestePoint: the answer letter ("" when right) and Bravo.
    QString LettreReponse() const;
    bool Bravo() const;

    // Starts the trace when the level asks for it, keeps the root (normalised,
    // with the mode's trailing separator), the mode and the application, and
    // creates the hidden exercise window (closing the one of an earlier
    // Prepare). 23001 for a root shorter than 2 characters.
    long Prepare(const QString& isCheminRoot, bool ibModeInet, long ilIdAppli);

    // Loads the exercise file from the application's folder ("F", or "Eb" for
    // a bis question) and builds the window. The caller's file name comes back
    // with the mode's separators. 23041 when the load cannot start (no root
    // yet, a name leaving the folder, a bad server address, or a call made
    // while another load of this object is still running); 23043 for a file
    // missing, unreadable, not well formed or not fetched in time; the
    // loader's and the controls' codes otherwise.
    long InitQuestion(QString& isFileXML, long ilInstance, long ieTypeBaseBis);

    // Has the answer zone's control score the answer; 23024 when there is none
    // (unless an earlier failure's code is still in force).
    long TestePoint();

    // Removes every control from the window, which stays as it is.
    long FermePoint();

    // Closes the window and stops tracing.
    long Quitter();

    // Opaque id of the exercise window (see frmCT::fromWindowId), 0 when there is none.
    long HandlefrmCT() const;

    // The exercise window, null before Prepare and after Quitter.
    frmCT* window() const;

    // True when the last file loaded its question node, False when it loaded
    // its exercise-application node (which has no answer to score).
    bool showsQuestion() const { return questionFlag_; }

    // How long a course server may take to deliver a file in Internet mode.
    void setFetchTimeout(std::chrono::milliseconds timeout) { fetchTimeout_ = timeout; }

private:
    bool startTrace();
    void closeWindow();
    // Reads or fetches the file and runs the ready-state handler on it for the
    // instance; pibXmlLoaded_ stays False when the load cannot start. False
    // when this object did not outlive the load: the fetch runs the event loop
    // and the controls run their own code, and either may end up releasing it.
    bool loadExercise(const QString& path, const QString& relativePath, long instance);

    ExervaContext& context_;
    const ControlRegistry& registry_;
    const platform::Clock& clock_;
    std::unique_ptr<frmCT> window_;
    bool prepared_ = false;
    bool pibXmlLoaded_ = false;
    long instance_ = 0;
    bool questionFlag_ = false;
    QString pisNameControlZRP_;
    bool bravo_ = false;
    QString lettreReponse_;
    std::chrono::milliseconds fetchTimeout_;
    bool loading_ = false;
    // Expires with this object: what may run foreign code checks it before
    // touching the object again.
    std::shared_ptr<const bool> lifetime_ = std::make_shared<const bool>(true);
};

}  // namespace exerva
