#pragma once

#include "toolkit/KavReg.h"
#include "toolkit/SessionState.h"
#include "toolkit/clsLangue.h"

#include "basalo/clsManager.h"
#include "lumaro/model/LumaroContext.h"
#include "platform/Clock.h"
#include "platform/HttpSession.h"
#include "platform/MessageBoxes.h"
#include "platform/MonotonicClock.h"
#include "platform/Timers.h"
#include "platform/WindowSystem.h"
#include "platform/Workstation.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace vidora {
struct VidoraContext;
}

namespace pelago {

class QuestionPlayer;
class clsBarreManager;

// What the launcher is doing: nothing yet, waiting for the next run, or running one.
enum eStateEnCours : long { StateNone = 0, StateReady = 1, StateBusy = 2 };

// The launcher's process-wide state, shared by the entry object, the module
// session, the transport and the hidden form for the life of the process: the
// launcher state with its delays, the AICC settings, the step code and last
// error (SessionState), the trace, and the shared objects. One default
// instance per process; tests make a fresh one each, with their own clock,
// timers, servers and message boxes.
//
// Delays are measured on the monotonic clock, so that a change of the date or
// the time zone neither ends a run early nor keeps it for ever.
class CommonData : public toolkit::SessionState {
public:
    using Milliseconds = std::chrono::milliseconds;

    CommonData(platform::Timers& timers, const platform::Clock& clock, const platform::MonotonicClock& monotonic);
    ~CommonData();
    CommonData(const CommonData&) = delete;
    CommonData& operator=(const CommonData&) = delete;

    // The process's own, on Qt's timers and the system clocks.
    static CommonData& processDefault();

    eStateEnCours StateEnCours = StateNone;
    // How long the launcher waits, idle and ready, before it ends the process.
    Milliseconds pudteAttenteDestruction{0};
    // When the last run ended (monotonic reading); nothing before the first
    // end, so that a launcher whose every start failed counts as idle since
    // ever and ends at the next tick of the idle timer.
    std::optional<Milliseconds> pudteDebutAttenteDestruction;
    Milliseconds pudteAttenteExitAU{std::chrono::seconds(3)};
    Milliseconds pudteDebutAttenteExitAU{0};
    Milliseconds pudteAttenteHide{std::chrono::seconds(5)};
    Milliseconds pudteDebutAttenteHide{0};
    bool pubWithExitAU = true;
    bool pubWithSelfClose = false;

    QString PathTracelage;
    QString VersionSite;
    QString VersionBdd;
    QString CfgSite;
    QString CfgBdd;
    QString DisplayMessageAicc;
    QString TitleMessageAicc;
    // The template: "%1" stands for the error number.
    QString MessageAicc;
    QString NoteMaxAicc;

    std::shared_ptr<toolkit::KavReg> puoKavReg;
    std::shared_ptr<toolkit::clsLangue> oLangue;
    std::shared_ptr<clsBarreManager> puoBarreManager;
    std::unique_ptr<basalo::clsManager> constants;
    basalo::BasaloState basaloState;
    // The course model's process state.
    lumaro::LumaroContext lumaro;

    // Where "kavplugin.lng" lies: the program's folder by default.
    QString languageFolder;
    // The folder under which the trace log is written.
    QString traceRoot;
    // How long the form posts to the system's pages may take.
    Milliseconds requestTimeout = platform::defaultHttpTimeout;
    // How long an AICC request or a package may go without a byte moving
    // before it is given up; they have no deadline otherwise.
    Milliseconds requestStallTime = platform::defaultHttpStallTime;
    // Makes the registry component; a test makes it fail.
    std::function<std::shared_ptr<toolkit::KavReg>()> createRegistry;
    // Makes the HTTP session of the transport.
    std::function<std::unique_ptr<platform::HttpSession>()> createHttpSession;
    // Makes the question player: by default the course model's own player, on
    // the launcher's timers, clock, windows and message boxes.
    std::function<std::unique_ptr<QuestionPlayer>()> createPlayer;
    // The facts of the workstation log.
    std::function<platform::WorkstationFacts()> workstation;
    // Ends the process once everything is torn down.
    std::function<void()> endProcess;
    // The video player's process state; null: the process's own.
    vidora::VidoraContext* vidora = nullptr;
    // The message boxes the learner answers, and the windows the launcher can see.
    platform::MessageBoxes* messageBoxes = nullptr;
    platform::WindowSystem* windowSystem = nullptr;

    platform::Timers& timers() const { return *timers_; }
    const platform::Clock& clock() const { return *clock_; }
    Milliseconds monotonicNow() const { return monotonic_->elapsed(); }
    // True once more than the delay has passed since the start.
    bool hasElapsed(Milliseconds start, Milliseconds delay) const { return monotonicNow() - start > delay; }

    // The defaults every new entry object gives the delays and switches.
    void resetRunSettings();
    // Creates the registry component, the constants object, the language
    // reader and the module session; False, with none kept, when one of them
    // cannot be made.
    bool puInitObjects(const QString& isLangue);
    bool VerifLangue(const QString& isLangue);
    void puPauseChrono();
    void puPlayChrono();
    void puExitAU();
    void puFinModule();
    // A run has ended: the idle time starts now, the launcher is ready for
    // the next run and the idle timer runs again.
    void enterReady();
    // A start has failed: the launcher is ready for the next run and the idle
    // timer runs again, the idle time still counting from the last run's end.
    void returnToReady();
    // Tears everything down and ends the process.
    void puFinDemande();
    // Starts the trace log once per process: a later call keeps the same file
    // and writes a new header into it, so that no earlier run's lines are lost.
    bool puInitTraceLog();
    // The folder the trace log is written to (PathTracelage kept inside the
    // trace root), with a final separator.
    QString traceFolder() const;

private:
    platform::Timers* timers_;
    const platform::Clock* clock_;
    const platform::MonotonicClock* monotonic_;
};

}  // namespace pelago
