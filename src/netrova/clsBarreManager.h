#pragma once

#include "Enumerations.h"
#include "NetrovaContext.h"

#include "hostsession/ModuleSession.h"
#include "lumaro/player/LoadingWindowHost.h"
#include "lumaro/player/ManagerEvents.h"
#include "platform/RuntimeError.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace hostsession {
class VideoDisplay;
class WorkFiles;
enum class VideoOrigin;
}  // namespace hostsession

namespace lumaro {
class Appli;
class Manager;
class Module;
class Video;
}  // namespace lumaro

namespace netrova {

class clsInetUPL;

// What Init decides for the question player: the values it hands to the
// player's Manager. Unset values were not decided (an evaluation module
// decides nothing about videos).
struct QuestionPlayerSettings {
    std::optional<long> AutoMediaPoint;
    std::optional<QString> URLServerHelpFile;
    std::optional<bool> ModeMediaInet;
    std::optional<QString> ExtensionVideo;
};

// The plug-in's module session: one per hosting page, reached through
// clsManager.BarreManager. It holds every value of the session and of the
// course that the server sends at start, fills and drives the course model,
// and tells the page through four signals how the learner left the module.
//
// Init turns the course server's replies into a ready course model, showing
// the loading window meanwhile; StartModule plays it in the question player
// (InitBarre), whose events it answers: a question's video in the video
// player, the end of the module and the learner's leaving with the result
// posted to the server. LanceSequence plays a sequence chosen in the page's
// thematic index.
//
// Every request, the video's launch and the message boxes let the event loop
// run: the page may destroy the plug-in meanwhile. The session then lives on
// until the operation under way has returned, and touches nothing of the page.
class clsBarreManager : public hostsession::ModuleSession,
                        public lumaro::ManagerEvents,
                        public std::enable_shared_from_this<clsBarreManager> {
    Q_OBJECT

public:
    explicit clsBarreManager(NetrovaContext& context);
    ~clsBarreManager() override;

    // Source of the work files: 0 the server's "Download/", 1 PathDownloadRorova,
    // 2 URLDownloadRorova, 3 the CD-ROM.
    long TypeDownload() const { return pilTypeDownload; }
    void TypeDownload(long value) { pilTypeDownload = value; }
    // Stored with a final "/".
    QString URLDownloadRorova() const { return urlDownloadRorova_; }
    void URLDownloadRorova(const QString& value);
    // Stored with a final separator.
    QString PathDownloadRorova() const { return pisPathDownloadRorova; }
    void PathDownloadRorova(const QString& value);
    // Taken only when it holds "RERA", and then without its lower-case "rera".
    QString URLAideComplementaire() const { return urlAideComplementaire_; }
    void URLAideComplementaire(const QString& value);

    // The session's last error; reading leaves it in place.
    QString LastError() const;
    long LastErrorNumber() const;
    // Obsolete: always "".
    QString LastErrorSource() const;
    // The display type of the current module's result at that position; 0
    // with error 91 stored when there is none.
    long ResultQuestionForm(long liIndex);

    QString NomModule() const { return nomModule_; }
    void NomModule(const QString& value) { nomModule_ = value; }
    QString DureePrevueModule() const { return dureePrevueModule_; }
    void DureePrevueModule(const QString& value) { dureePrevueModule_ = value; }
    QString URLRorovaAppli() const { return urlRorovaAppli_; }
    void URLRorovaAppli(const QString& value) { urlRorovaAppli_ = value; }
    QString URLRorovaBisAppli() const { return urlRorovaBisAppli_; }
    void URLRorovaBisAppli(const QString& value) { urlRorovaBisAppli_ = value; }
    QString PathRorovaAppli() const { return pathRorovaAppli_; }
    void PathRorovaAppli(const QString& value) { pathRorovaAppli_ = value; }
    QString PathRorovaBisAppli() const { return pathRorovaBisAppli_; }
    void PathRorovaBisAppli(const QString& value) { pathRorovaBisAppli_ = value; }
    // "F" for a training module, anything else an evaluation; stored in upper case.
    QString TypeFormEval() const { return typeFormEval_; }
    void TypeFormEval(const QString& value) { typeFormEval_ = value.toUpper(); }
    long IdAppli() const { return pilIdAppli; }
    void IdAppli(long value) { pilIdAppli = value; }
    QString VersionAppli() const { return versionAppli_; }
    void VersionAppli(const QString& value) { versionAppli_ = value; }
    QString DureePrevueParcours() const { return dureePrevueParcours_; }
    void DureePrevueParcours(const QString& value) { dureePrevueParcours_ = value; }
    long IdUser() const { return idUser_; }
    void IdUser(long value) { idUser_ = value; }
    long IdParcours() const { return idParcours_; }
    void IdParcours(long value) { idParcours_ = value; }
    long IdResParcours() const { return idResParcours_; }
    void IdResParcours(long value) { idResParcours_ = value; }
    long IdModule() const { return idModule_; }
    void IdModule(long value) { idModule_ = value; }
    long IdResModule() const { return idResModule_; }
    void IdResModule(long value) { idResModule_ = value; }
    long NbQuestionDuModule() const { return pilNbQuestionDuModule; }
    void NbQuestionDuModule(long value) { pilNbQuestionDuModule = value; }

    void RetourAide();
    // Keeps the offset between the local clock and the server's, given as a
    // date text; True even when the text is no date (the step code says so).
    bool SetDateServer(const QString& isDateServerSQL);
    // Local clock minus server clock, in days.
    double DifDateServer() const { return pidteDifDateServer; }
    bool SetHandleAppelant(const QString& isTitreFenetre);
    bool StartModule(long ilIndexQuestionDebut);
    bool LanceSequence(long ilIdSeqThematique, const QString& isTitreFenetre, long ilIdVideo, const QString& isDebut,
                       long& ilIdSeqSansSon);
    bool InitUrlMedia();
    bool piMajResultModule(long ilAncienNbQuestReussi);
    // The leaving kinds of piQuitterModule.
    enum TypeSortie : long { WithMajResult = 1, WithoutMajResult = 2 };
    // What became of the module's result when the learner left.
    enum class ResultFate {
        Pending,          // the learner has not left
        Stored,           // the server accepted it
        NothingAnswered,  // no question was answered: there was nothing to post
        NotStored,        // answers were given and the server does not have them
    };
    struct ResultReport {
        ResultFate fate = ResultFate::Pending;
        // Why a result was not stored: the step code and the error's words.
        QString why;
    };
    // Set by the leaving, before its event reaches the page.
    const ResultReport& resultReport() const { return resultReport_; }
    // Leaves the module, posting the result for WithMajResult, and raises the
    // leaving event that says how it went.
    void piQuitterModule(long ieTypeSortie);
    // Builds the module's result string and posts it until the server accepts
    // it or the learner gives up; True once accepted. Nothing is posted when
    // no question was answered, nor a text the record cannot carry.
    bool piMajResultModules(long ilAncienNbQuestReussi);
    // The module's result string, before its blanks are encoded; nothing
    // when no question has a result or a text holds a separator.
    std::optional<QString> resultString(const lumaro::Module& module, long nbQuestionReussiDuParcours,
                                        const tracel::TraceScope& scope);
    // Makes a fresh course model in simplified mode and fills it with the
    // application, the module, its questions, their exercise components and,
    // for a training module, their videos. False on any failure, the cause in
    // the step code and last error; the loading window is then closed and no
    // half-loaded model is kept.
    bool Init();

    // The course data loaders, for Init and for the start of a sequence from
    // the thematic index. Each requests one page of the web service and
    // returns False with the step code and last error saying why.
    bool piRenseigneModule();
    bool piRenseigneQuestionDuModule();
    bool piRenseigneInfoQuestion(long ilIdQuestion);
    bool piRenseigneDll(long ilIdDll);
    bool piRenseigneVideoModule();
    bool piRenseigneVideo(long ilIdQuestion);
    // lIdQuestion and sType are set from the reply before the model is touched.
    bool piRenseigneVideoFromIndex(long ilIdVideo, long& lIdQuestion, QString& sType);

    // Fetches the packages of the module's exercise components that no
    // installed product provides.
    bool piGereFichiersLocaux();
    long piTypeATelecharger(long mask);
    void piRemoveDllMonoposte(long ilType);
    // The video player's texts and the learner's sound settings.
    void piInitLibellesVideo();
    bool piInitSon();
    bool piAfficheVideo(const lumaro::Video& ioVideo, const QString& isTitreFenetre, const QString& isDebut,
                        long ilNumSeqDebut);

    // The learner's work folder, completed with the product's sub-folder and
    // created. False when there is no folder to make or it cannot be made.
    bool piInitPersonalFolder();
    // Puts the application into the course model with its media roots.
    bool piRenseigneAppli();
    // The ids of the program's windows whose title holds isTitre, without
    // regard to case, from hWndStart (0: every top-level window). Our windows
    // have no child windows to search; the class text is not compared.
    long piFindWindowLike(std::vector<long>& alHwnd, long hWndStart, const QString& isTitre,
                          const QString& isClasse);

    // What Init decided for the question player.
    const QuestionPlayerSettings& PlayerSettings() const { return playerSettings_; }
    // The loading window Init shows.
    const lumaro::LoadingWindowHost& LoadingWindow() const { return loading_; }
    // True while the loading window shows the download's percentage.
    bool LoadingAffiche() const { return pibLoadingAffiche; }
    // The question player, from InitBarre to DestroyBarre.
    lumaro::Manager* pioKavBarre() const { return pioKavBarre_.get(); }
    // The video player's side of the session.
    hostsession::VideoDisplay& VideoPlayer() const { return *video_; }
    // True when the module's exercises run in the exercise engine.
    bool ModuleExerva() const { return pibModuleExerva; }

    // For the plug-in's own classes.
    void InetUrl(const std::shared_ptr<clsInetUPL>& transport);
    std::shared_ptr<clsInetUPL> InetUrl() const { return pioInetUrl; }
    bool InitBarre(const QString& sIdLangue, bool ibLanceDepuisIndex);
    bool InitVideoOnly();
    bool DestroyBarre();
    bool DestroyVideo();
    // Posts a tracking record to the server's "WS/debug/netrova_addinfos" page.
    // Never fails its caller and leaves the step code and last error as they were.
    void SetinfoLog(eLocationSuivi iePkFunction, const QString& isRetour = {}, const QString& isCommentaire = {});

    // The question player's events.
    void BoutonQuitter() override;
    void BoutonQuitterExoApp() override;
    void FinModule() override;
    void AfficherAide(QString& isFichier) override;
    void VisuVideo(long& ilIdQuestion, lumaro::TypeVideo& ieTypeVideo, QString& isTitreFenetre) override;
    void FinVideo() override;

signals:
    void QuitterModuleFormWithResult();
    void QuitterModuleEvalWithResult();
    void QuitterModuleForm();
    void QuitterModuleEval();

private:
    // The player's exit: the question window comes back after a question's video.
    void onExitVideo(hostsession::VideoOrigin origin);
    // Checks that the media folder exists for a training module read from a
    // folder; False with the code of the media's place and its message.
    bool checkMediaFolder(long cdRomCode, long shareCode, const tracel::TraceScope& scope);
    // The question player's error state, taken into the session's.
    void takePlayerError();
    // The language message, "" without a reader.
    QString message(const QString& key) const;
    // The session's step and error text, as "step : text".
    QString stepAndError() const;
    // The learner's message box of the result post, with the question window hidden meanwhile.
    long askLearner(const QString& text, long style);
    void applyPlayerSettings();
    // Lets the question player go; it may be on the stack of its own event.
    void releaseQuestionPlayer();
    // One step of DestroyBarre; its first failure is the one kept.
    void destroyStep(const QString& what, const std::function<void()>& step,
                     std::optional<platform::RuntimeError>& firstFailure, const tracel::TraceScope& scope);

    // Init's steps: FinInit, or the tracking code of the step that failed
    // with the cause stored.
    eLocationSuivi initSteps(const tracel::TraceScope& scope);
    // Closes and releases the course model of an earlier Init.
    void releaseCourseModel(const tracel::TraceScope& scope);
    // The transport's download progress, as a percentage in the loading window.
    void onDownloadProgress(long lProgress, long lProgressMax);
    // A page of the web service for the session, with one further key when given.
    QUrl servicePage(const QString& page, const QString& key = {}, long value = 0) const;
    // The model's application of this session; error 91 when there is none.
    std::shared_ptr<lumaro::Appli> currentAppli() const;

    NetrovaContext& context_;
    std::shared_ptr<clsInetUPL> pioInetUrl;

    long pilTypeDownload = 0;
    QString urlDownloadRorova_;
    QString pisPathDownloadRorova;
    QString urlAideComplementaire_;
    QString nomModule_;
    QString dureePrevueModule_;
    QString urlRorovaAppli_;
    QString urlRorovaBisAppli_;
    QString pathRorovaAppli_;
    QString pathRorovaBisAppli_;
    QString typeFormEval_;
    long pilIdAppli = 0;
    QString versionAppli_;
    QString dureePrevueParcours_;
    long idUser_ = 0;
    long idParcours_ = 0;
    long idResParcours_ = 0;
    long idModule_ = 0;
    long idResModule_ = 0;
    long pilNbQuestionDuModule = 0;
    double pidteDifDateServer = 0.0;
    // The title SetHandleAppelant looked for, which a failed start names.
    QString titreAppelant_;

    lumaro::LoadingWindowHost loading_;
    bool pibLoadingAffiche = false;
    // The module's load, for the loading window's percentage: the requests
    // done and those the load needs, the list of the module's questions
    // included (0 until that list has arrived; nothing: no load under way).
    long loadRequestsDone_ = 0;
    std::optional<long> loadRequestsExpected_;
    QuestionPlayerSettings playerSettings_;
    ResultReport resultReport_;
    QMetaObject::Connection progressConnection_;
    bool pibModuleExerva = false;
    std::unique_ptr<lumaro::Manager> pioKavBarre_;
    std::unique_ptr<hostsession::VideoDisplay> video_;
    std::unique_ptr<hostsession::WorkFiles> workFiles_;
};

}  // namespace netrova
