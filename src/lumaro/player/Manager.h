#pragma once

#include "LoadingWindowHost.h"
#include "ManagerServices.h"
#include "MediaSession.h"
#include "SessionEnumerations.h"

#include "lumaro/model/Enumerations.h"
#include "platform/WindowSystem.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace basalo {
class clsManager;
}

namespace platform {
class MediaPlayer;
class MessageBoxes;
class RuntimeError;
} // namespace platform

namespace tracel {
class TraceScope;
}

namespace lumaro {

class LumaroContext;
class LumaroLangue;
class ManagerEvents;
class Module;
class ResultQuestion;
class Video;
class frmClient;
class frmMedia;

// A question session: the host plays the current module of the course model
// question by question in the question window, and answers the session's
// events. The session shares the process state of the course model (step code
// and last error, read once; trace; engine settings; language reader).
//
// Calling order expected of a host: the trace settings, LNGFilePath and, for
// the modes with a host window, HandleFrmAppelant; CreateManager; the other
// properties; the module built in the course model; InitManager(1); the events;
// Destroy. No error leaves an operation: failures come back as results and
// leave their reason in StateEnCours, LastErrorNumber and LastErrorString.
//
// The events are raised synchronously; a handler may destroy the Manager, and
// the session then touches nothing of itself again.
class Manager final : public MediaSession {
public:
    explicit Manager(LumaroContext& context, ManagerServices services = {});
    ~Manager() override;
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    // The host's handler of the events; null: none.
    void setEvents(ManagerEvents* events) { events_ = events; }

    long AutoMediaPoint() const { return autoMediaPoint_; }
    void AutoMediaPoint(long value) { autoMediaPoint_ = value; }
    QString LNGFilePath() const { return lngFilePath_; }
    void LNGFilePath(const QString& value) { lngFilePath_ = value; }
    // The program-wide engine settings that the course model reads.
    bool XmlModeInet() const;
    void XmlModeInet(bool value);
    QString XmlCheminServeur() const;
    void XmlCheminServeur(const QString& value);
    // Each read returns the value and puts the neutral one back (1, 0, "").
    long StateEnCours();
    QVariant LastError() const { return QVariant(); }
    QString LastErrorString();
    long LastErrorNumber();
    long LevelTracelage() const;
    void LevelTracelage(long level);
    QString PathParent() const;
    void PathParent(const QString& folder);
    QString ExtensionVideo() const { return extensionVideo_; }
    void ExtensionVideo(const QString& value) { extensionVideo_ = value; }
    bool ModeMediaInet() const { return modeMediaInet_; }
    void ModeMediaInet(bool value) { modeMediaInet_ = value; }
    // The learner's folder, a prefix that ends with a separator.
    QString PersonalFolder() const { return pisPersonalFolder_; }
    void PersonalFolder(const QString& value) { pisPersonalFolder_ = value; }
    platform::WindowId HandleFrmAppelant() const { return pilHandleFrmAppelant_; }
    void HandleFrmAppelant(platform::WindowId handle) { pilHandleFrmAppelant_ = handle; }
    QString URLServerHelpFile() const { return urlServerHelpFile_; }
    void URLServerHelpFile(const QString& value) { urlServerHelpFile_ = value; }

    bool CreateManager(ModeFrmAppelant ieModeFrmAppelant, const QString& sIdLangue);
    CreateErr Create(ModeFrmAppelant ieModeFrmAppelant, const QString& sIdLangue);
    bool InitManager(long ilQuestionDebut);
    long InitBarre(long ilQuestionDebut);
    // Kept for the hosts: does nothing and fails.
    bool InitExoManager() { return false; }
    long InitExo() { return InitExoManager() ? long(InitBarreOK) : 0L; }
    // Releases the windows and the language reader; a second call does nothing.
    void Destroy();

    void PrepareFrmLoading(const QString& isTypeFormEval) { loading_.PrepareFrmLoading(isTypeFormEval); }
    void SetMessageLoading(const QString& isMessage) { loading_.SetMessageLoading(isMessage); }
    void SetPourcentLoading(long ilPourcent) { loading_.SetPourcentLoading(ilPourcent); }
    void TerminateFrmLoading() { loading_.TerminateFrmLoading(); }

    // The media window: created by the first of these or of the question
    // window's help, lesson and solution requests, kept until Destroy.
    void setUrlMedias(const QString& isURLMediaLivre, const QString& isURLMediaVideo);
    // Shows a media chosen outside the question flow, always as a lesson; its
    // closing raises FinVideo instead of bringing the question window back.
    bool LanceNewMedia(
        std::shared_ptr<Video> ioVideo, long ilIndexSequence, const QString& isAdresseMedia, const QString& isExtensionVideo);
    // The ways back from the help page and from a media.
    bool RetourAfficherAideManager() override;
    bool RetourAfficherVideoManager() override;
    void RetourAfficherAide() { RetourAfficherAideManager(); }
    void RetourAfficherVideo() { RetourAfficherVideoManager(); }
    // Hides the question window while a media is up.
    void CacherBarrePourVideo();

    // The program's message box for the host: 1 OK, 2 Cancel. While it is up
    // the question window is hidden and not topmost; it comes back visible and
    // topmost after it, unless the session ended meanwhile. The step code is 1.
    long AfficheMessageBoxBarre(const QString& isMessage, long iMsgBoxStyle);

    // The question window, null before CreateManager and after Destroy.
    frmClient* questionWindow() const { return piFrmBarre_.get(); }
    // The media window, null until first needed and after Destroy.
    frmMedia* mediaWindow() const { return piFrmMedia_.get(); }
    const LoadingWindowHost& loadingWindow() const { return loading_; }

private:
    // A liveness token: expired once the Manager is gone.
    std::weak_ptr<void> guard() const { return alive_; }
    // Raises one event to the host; false when the host destroyed the session.
    bool raise(const std::function<void(ManagerEvents&)>& raiseEvent);

    // Start, placement and end.
    bool createSession(tracel::TraceScope& scope, ModeFrmAppelant mode, const QString& sIdLangue);
    bool startSession(tracel::TraceScope& scope, long ilQuestionDebut, Module& module, bool& alive);
    bool piGereModeFrmAppelant(bool ibBeforeInitBarre);
    void piInitBoutonsVideo(Module& module);
    void piCacherBarre();
    void releaseQuestionWindow();

    // Starting a question.
    bool piInitQuestion();
    bool GereTimeBar(Module& module);
    bool piConvertTime(const QString& siTime, long& iolReturnValue);
    bool piGereCopiesLocales(Module& module);
    bool piGereAffichageQuestion(Module& module);
    void dressPoursuivre(bool evaluation);

    // The question window's handlers.
    void piFrmBarre_kavBtnAideClick();
    void piFrmBarre_kavBtnVideoClick(long ieTypeVideo);
    void piFrmBarre_kavbtnQuitterClick();
    void piFrmBarre_kavbtnRecomClick();
    void piFrmBarre_kavbtnSuivClick();
    void piFrmBarre_usrTimeBarTimeFinish();
    // Runs a handler with the session marked busy, so that a Destroy from
    // inside leaves the window that raised the click to the event loop.
    void handle(const std::function<void()>& handler);
    // A handler's frame: the step code and last error cleared, the entry and
    // exit trace lines, and an unforeseen error reported with the handler's
    // code. The body clears `alive` when the host destroyed the session; the
    // result is whether the session still lives.
    bool runHandler(const QString& declaration, long code, bool resetPointer,
        const std::function<void(tracel::TraceScope& scope, bool& alive)>& body);
    // The handler's unforeseen error: stored, traced, shown with its code.
    void handlerFailed(const platform::RuntimeError& error, long code, bool resetPointer);
    // The screen's hourglass, set once however often it is asked for.
    void setHourglass(bool on);
    void disableWindow();
    void enableWindow();
    // The session's own messages: the program's message box beside the
    // question window, the step code untouched.
    long piMessageBox(const QString& isMessage, long iMsgBoxStyle);
    // The error message of the question window; false when the host destroyed
    // the session while the box was up.
    bool piMessageErreur(bool textOnlyWhenSet = false);
    // Every result of the module emptied and shown as none, and the count of
    // passed questions put back as the session found it.
    void clearResults(Module& module);
    void abandonEvaluation(Module& module);
    // The error message, the window enabled again, an evaluation abandoned,
    // and the session left; false when the host destroyed the session.
    bool endAfterFailure(Module& module);
    // BoutonQuitter, then the hiding step; false when the host destroyed the session.
    bool leave();
    // The lesson of the question on display opened as if the learner asked for
    // it, when AutoMediaPoint asks for that, the question has a lesson and the
    // module is no evaluation; false when the host destroyed the session.
    bool openLessonAutomatically(Module& module);
    // A result marked as run out of time: a general error of letter "TP", with
    // no answer designated when the question's component has none for it.
    void markTimedOut(ResultQuestion& result);

    // Answer, reaction and end of module.
    ReactionReponse piGereReponse(bool& alive);
    bool piAfficheReponse(long typeDll);
    bool piFermerQuestion();
    bool piQuestionSuivante(bool& alive);
    bool piRecommencer();

    // The media window.
    static std::unique_ptr<platform::MediaPlayer> defaultMediaPlayer();
    frmMedia& mediaWindowCreated();
    void releaseMediaWindow();
    void piAfficheAide();
    bool piAfficheVideo(const std::shared_ptr<Video>& video, long ieTypeVideo);
    void restoreAfterMedia();

    // The error convention of the session's steps: the error stored and
    // traced, and the step's code set, always or only over a step code of 1.
    bool fail(const tracel::TraceScope& scope, const platform::RuntimeError& error, long code, bool onlyOverOk);

    Module* moduleEnCours() const;
    std::shared_ptr<ResultQuestion> currentResult() const;
    long currentTypeDll() const;
    QString message(const QString& key) const;
    platform::WindowId questionWindowId() const;

    LumaroContext& context_;
    platform::WindowSystem& windows_;
    platform::Timers& timers_;
    const platform::MonotonicClock& clock_;
    // Shared, so that a box still up when a handler ends the session outlives it.
    std::shared_ptr<platform::MessageBoxes> ownBoxes_;
    platform::MessageBoxes& boxes_;
    std::function<QSize()> screenSize_;
    ManagerEvents* events_ = nullptr;
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    int busy_ = 0;
    // Windows released while one of their clicks was still being handled: the
    // outermost handler hands them to the event loop once it has returned, so
    // that no window goes while its own click, or a host's modal box opened
    // inside an event, is still on the stack.
    struct Retired {
        std::vector<std::unique_ptr<frmClient>> windows;
        ~Retired();
    };
    std::shared_ptr<Retired> retired_ = std::make_shared<Retired>();
    bool hourglass_ = false;
    // The question window hidden for a host's message box, to be given back after it.
    bool heldByBox_ = false;

    long pilResultQuestionEnCours_ = 0;
    ModeFrmAppelant pieModeFrmAppelant_ = WithoutFrm;
    platform::WindowId pilHandleFrmAppelant_ = 0;
    ModeTest pieModeTest_ = ModeQuestion;
    QString pisCheminHtml_, pisCheminHtmlBis_, pisCheminFichiers_, pisCheminFichiersBis_, pisPathVideo_;
    // The taught application's window, read at every question start.
    platform::WindowId handleApplication_ = 0;
    // NbQuestReussi of an evaluation module as it stood when the session started it.
    long savedNbQuestReussi_ = 0;
    // The module countdown runs from the first question the session starts to the end.
    bool moduleCountdownSet_ = false;

    long autoMediaPoint_ = 0;
    QString lngFilePath_;
    QString urlServerHelpFile_;
    QString extensionVideo_;
    bool modeMediaInet_ = false;
    QString pisPersonalFolder_;

    std::unique_ptr<basalo::clsManager> basalo_;
    std::shared_ptr<LumaroLangue> langue_;
    std::unique_ptr<frmClient> piFrmBarre_;
    LoadingWindowHost loading_;
    std::function<std::unique_ptr<platform::MediaPlayer>()> makeMediaPlayer_;
    // The player outlives the window, which closes its video when it goes.
    std::unique_ptr<platform::MediaPlayer> mediaPlayer_;
    std::unique_ptr<frmMedia> piFrmMedia_;
    // True while the media on display was opened by LanceNewMedia.
    bool pibMediaDepuisIndex_ = false;
    // The ways back in progress: the media window may be on the stack.
    int mediaReturns_ = 0;
};

} // namespace lumaro
