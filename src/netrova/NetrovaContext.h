#pragma once

#include "toolkit/KavReg.h"
#include "toolkit/SessionState.h"
#include "toolkit/clsLangue.h"

#include "basalo/clsManager.h"
#include "exerva/ExervaContext.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/player/ManagerServices.h"
#include "platform/Clock.h"
#include "platform/HttpSession.h"
#include "platform/WindowSystem.h"
#include "platform/Workstation.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace vidora {
struct VidoraContext;
}

namespace netrova {

// The process-wide state of the Internet plug-in, shared by every object of
// one loaded copy: the server and session, the language, the tracking and
// trace settings, the step code and last error (SessionState), the registry
// component and the language reader. One default
// instance per process; tests make a fresh one each.
//
// It also says where the plug-in keeps its own files: everything it writes
// lies under the user's data folder (language file, traces, components), and
// whatever a server names stays under the user's home.
class NetrovaContext : public toolkit::SessionState {
public:
    explicit NetrovaContext(const platform::Clock& clock = platform::SystemClock::instance());
    NetrovaContext(const NetrovaContext&) = delete;
    NetrovaContext& operator=(const NetrovaContext&) = delete;

    static NetrovaContext& processDefault();

    // Base address of the course server; the web service lies under it + "WS/".
    QString pusURLBaseServer;
    // Session identifier sent with every request.
    QString pusPkCookie;
    // Language of the messages, the suffix of the language file's section.
    QString langueId;
    // Base address of the work-file packages.
    QString pusURLBaseDownloadFiles;
    // Above 0 the plug-in posts tracking records.
    long pulLevelSuivi = 0;
    QString PathTracel;
    QString FileTracel;
    QString VersionSystem;
    QString VersionBdd;

    std::shared_ptr<toolkit::KavReg> puoKavReg;
    std::shared_ptr<toolkit::clsLangue> oLangueIHMInet;
    basalo::BasaloState basaloState;

    // The folder of the plug-in's own files; the user's data folder by default.
    QString dataFolder;
    // The learner's home folder.
    QString homeFolder;
    // The learner's documents folder, under which the work folder goes when
    // no one names one; "" when the system has none.
    QString documentsFolder;
    // The program's own windows, through which the plug-in finds its host's
    // window; null: none to find.
    std::shared_ptr<platform::WindowSystem> windows;
    // The exercise engine's state, which the course model's engines share.
    exerva::ExervaContext exervaContext;
    // The course model's process-wide state, one per copy of the plug-in.
    lumaro::LumaroContext lumaroContext;
    // What the question player works with; empty members are the real ones.
    lumaro::ManagerServices playerServices;
    // The video player's state; null: the process default.
    vidora::VidoraContext* vidoraContext = nullptr;
    // How long the web service's GETs and the form posts may take.
    std::chrono::milliseconds requestTimeout = platform::defaultHttpTimeout;
    // How long a package, its files or a raw post may go without a byte
    // moving before it is given up; they have no deadline otherwise.
    std::chrono::milliseconds requestStallTime = platform::defaultHttpStallTime;
    // Makes the registry component; a test makes it fail.
    std::function<std::shared_ptr<toolkit::KavReg>()> createRegistry;
    // Makes the HTTP session of a transport.
    std::function<std::unique_ptr<platform::HttpSession>()> createHttpSession;
    // The facts of the workstation log.
    std::function<platform::WorkstationFacts()> workstation;

    const platform::Clock& clock() const { return *clock_; }

    // "kavplugin.lng" in the data folder.
    QString languageFilePath() const;
    // Where fetched component packages go.
    QString componentFolder() const;
    // The folder under which the trace logs are written.
    QString traceRoot() const;
    // The folder of the plug-in's own trace log (the page's PathTracel under
    // the trace root), where the players it starts write theirs; "" while
    // there is no trace log.
    QString traceFolder() const;
    // Makes a language reader of the plug-in's section for that language.
    std::shared_ptr<toolkit::clsLangue> makeLanguageReader(const QString& langue) const;

private:
    const platform::Clock* clock_;
};

}  // namespace netrova
