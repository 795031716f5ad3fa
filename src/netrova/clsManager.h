#pragma once

#include "Enumerations.h"
#include "NetrovaContext.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace netrova {

class clsBarreManager;
class clsDwlFiles;
class clsInetUPL;

// The plug-in's entry object, which the hosting page creates and scripts. It
// owns the objects of one page (transport, module session, registry component,
// language reader), carries the session settings every other object reads
// (NetrovaContext), relays to the page the four ways the learner leaves the
// module, and offers two starts: Create (build the objects) and InitPlugin
// (build them and run the whole start-up).
//
// Every request waits with the event loop running, so the page may call back
// meanwhile; Destroy, or the end of this object, during such a wait is safe.
class clsManager : public QObject {
    Q_OBJECT

public:
    explicit clsManager(NetrovaContext& context = NetrovaContext::processDefault());
    // Destroys the objects; ends the trace log.
    ~clsManager() override;

    long LevelSuivi() const { return context_.pulLevelSuivi; }
    void LevelSuivi(long value) { context_.pulLevelSuivi = value; }
    long LevelTracelage() const { return context_.trace.level(); }
    // A positive level starts the trace log, once; anything else, a failed
    // start or a second level while tracing runs, leaves it at 0.
    void LevelTracelage(long value);
    QString PathTracel() const { return context_.PathTracel; }
    void PathTracel(const QString& value) { context_.PathTracel = value; }
    QString FileTracel() const { return context_.FileTracel; }
    void FileTracel(const QString& value) { context_.FileTracel = value; }
    QString VersionSystem() const { return context_.VersionSystem; }
    void VersionSystem(const QString& value) { context_.VersionSystem = value; }
    QString VersionBdd() const { return context_.VersionBdd; }
    void VersionBdd(const QString& value) { context_.VersionBdd = value; }

    // Nothing creates one: always null.
    clsDwlFiles* DwlFiles() const { return nullptr; }
    clsBarreManager* BarreManager() const { return pioBarreManager_.get(); }
    clsInetUPL* InetUrl() const { return pioInetUrl_.get(); }

    // Reading leaves these in place.
    long StateEnCours() const;
    QString LastError() const;
    long LastErrorNumber() const;
    // Obsolete: always "".
    QString LastErrorSource() const;

    QString URLBaseServer() const;
    void URLBaseServer(const QString& value) { context_.pusURLBaseServer = value; }
    QString PkCookie() const;
    void PkCookie(const QString& value) { context_.pusPkCookie = value; }

    void ClearError() { context_.ClearError(); }

    // Builds the objects for the page; in the interactive mode also the
    // question session. False with the failing step's code on failure.
    bool Create(eModeGestion ieModeGestion, const QString& isLangue);
    // Ends the module and releases the objects; a second call finds nothing to do.
    void Destroy();
    // The whole start-up: 1 once the module has started, else a step code.
    long InitPlugin(const QString& siSessionID, const QString& siURL, long liIdQuestion);

    // The language-file version the server announced at start-up.
    QString ServerLanguageVersion() const { return serverLanguageVersion_; }

signals:
    // The title the start-up record gives the page's window, raised just
    // before the plug-in looks for that window by it: a page whose window
    // bears another title may take this one, so that any server's record fits.
    void hostWindowTitle(const QString& title);

    void RetourForm();
    void RetourEvalWithMajResult();
    void RetourEval();
    void RetourFormWithMajResult();

private:
    // Builds the transport, the module session and the registry component,
    // replacing those of an earlier start; step follows the steps. False when
    // this object ended during the tracking post.
    bool buildObjects(const tracel::TraceScope& scope, long& step);
    void releaseObjects(const tracel::TraceScope& scope);
    void track(eLocationSuivi code);
    long piInitObjects();
    long piReadStartRecord(const QString& record);
    long piRefreshLanguageFile();
    void relay(void (clsBarreManager::*event)(), void (clsManager::*toPage)(), const QString& handler);

    NetrovaContext& context_;
    eModeGestion modeGestion_ = ModeDeBase;
    QString serverLanguageVersion_;
    // The constants object, made anew by each start-up.
    std::unique_ptr<basalo::clsManager> constants_;
    std::shared_ptr<clsInetUPL> pioInetUrl_;
    std::shared_ptr<clsBarreManager> pioBarreManager_;
};

}  // namespace netrova
