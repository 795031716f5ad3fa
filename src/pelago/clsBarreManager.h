#pragma once

#include "CommonData.h"

#include "hostsession/ModuleSession.h"

#include "lumaro/model/Enumerations.h"

#include <QPointer>
#include <QString>
#include <QVariant>

#include <chrono>
#include <memory>
#include <optional>

namespace lumaro {
class Appli;
class ManagerEvents;
class Module;
}  // namespace lumaro

namespace hostsession {
class VideoDisplay;
class WorkFiles;
enum class VideoOrigin;
struct QuestionRecord;
}  // namespace hostsession

namespace pelago {

class QuestionPlayer;
class clsInetUPL;
class frmInet;

// The launcher's module session, which the launch page reaches through
// clsManager.BarreManager: the learner's identity, the AICC session and its
// channel, the display settings of the AICC exchange, the configuration
// names sent to the servers, and the question player and course model it
// drives. One per process, made by the first start and kept until the process
// ends.
//
// The end of a run is a three-step exchange with the learning management
// system: the result report, then after AttenteExitAU the exit step, then
// after AttenteHide the end of the run, when the launcher is ready again.
// Every run reaches its end, whatever the system answers: a refusal or a
// failed request leaves its step code and the system's text as the last
// error.
//
// A run starts with StartQuestion or StartModule, once AskStart has granted
// it: the course data come from the management system's pages into the
// course model, and the question window opens at the first question. A start
// that fails throws the course model away, so that nothing half loaded is
// ever taken for loaded by a later run; what a run loaded whole stays for the
// next ones. The application's media roots are worked out afresh at every run
// from the host's media properties.
//
// With Method "scorm" the report and the exit step are signals to the launch
// page (FinModule, ExitAU); SelfClose tells it the run has ended. A handler
// may call back into the launcher; the session checks it still exists after
// each signal.
class clsBarreManager : public hostsession::ModuleSession {
    Q_OBJECT

public:
    explicit clsBarreManager(CommonData& data);
    ~clsBarreManager() override;

    QString NomUser() const { return nomUser_; }
    void NomUser(const QString& value) { nomUser_ = value; }
    QString PrenomUser() const { return prenomUser_; }
    void PrenomUser(const QString& value) { prenomUser_ = value; }
    QString IdentUser() const { return identUser_; }
    void IdentUser(const QString& value) { identUser_ = value; }
    QString CfgBdd() const { return data_.CfgBdd; }
    void CfgBdd(const QString& value) { data_.CfgBdd = value; }
    QString CfgSite() const { return data_.CfgSite; }
    void CfgSite(const QString& value) { data_.CfgSite = value; }
    bool WithSelfClose() const { return data_.pubWithSelfClose; }
    void WithSelfClose(bool value);
    // The delays as time texts ("00:00:03"); a text that is no time of day
    // leaves the delay as it was, with an error line in the trace.
    QString AttenteExitAU() const;
    void AttenteExitAU(const QString& value);
    QString AttenteHide() const;
    void AttenteHide(const QString& value);
    bool WithExitAU() const { return data_.pubWithExitAU; }
    void WithExitAU(bool value);
    // "scorm", "get", anything else POST; compared exactly.
    QString Method() const { return method_; }
    void Method(const QString& value) { method_ = value; }
    QString URLBaseServer() const { return urlBaseServer_; }
    void URLBaseServer(const QString& value) { urlBaseServer_ = value; }
    // The process's trace level belongs to clsManager: this one reads 0 and ignores what it is given.
    long LevelTracelage() const { return 0; }
    void LevelTracelage(long) {}
    QString AiccSid() const { return aiccSid_; }
    void AiccSid(const QString& value) { aiccSid_ = value; }
    QString AiccUrl() const { return aiccUrl_; }
    void AiccUrl(const QString& value) { aiccUrl_ = value; }
    QString DisplayMessageAicc() const { return data_.DisplayMessageAicc; }
    void DisplayMessageAicc(const QString& value) { data_.DisplayMessageAicc = value; }
    QString TitleMessageAicc() const { return data_.TitleMessageAicc; }
    void TitleMessageAicc(const QString& value) { data_.TitleMessageAicc = value; }
    QString MessageAicc() const { return data_.MessageAicc; }
    void MessageAicc(const QString& value) { data_.MessageAicc = value; }
    // A maximum that is not a whole number from 0 to 2147483647 (or empty) is
    // refused: the previous value stays, with an error line in the trace.
    QString NoteMaxAicc() const { return data_.NoteMaxAicc; }
    void NoteMaxAicc(const QString& value);
    // Stored with a final "/" unless empty.
    QString URLMediaAppli() const { return pisURLMediaAppli; }
    void URLMediaAppli(const QString& value);
    // The management system's pages lie under it + "WS/".
    QString URLClientFolder() const { return urlClientFolder_; }
    void URLClientFolder(const QString& value) { urlClientFolder_ = value; }

    void PauseChrono();
    void PlayChrono();
    // Start a run of one question or of a whole module of application
    // isIdAppli; isTypeFormEval "F" is training, anything else evaluation.
    // True once the question window shows the first question. False, with the
    // step code and last error to read from clsManager, when the launcher has
    // not granted a run (AskStart) or one is under way (21509), or when a step
    // fails (its own code, else 21510 for StartModule and 21511 for
    // StartQuestion); the launcher is then ready for the next AskStart.
    bool StartQuestion(const QVariant& isIdAppli, const QVariant& isIdQuestion, const QVariant& isTypeFormEval);
    bool StartModule(const QVariant& isIdAppli, const QVariant& isIdModule, const QVariant& isTypeFormEval);

    // Looks for the launch page's window by a title pattern ("*", "?", "#",
    // "[...]"); True while a window is held, the one found or an earlier one.
    bool SetHandleAppelant(const QString& isTitreFenetre);
    // Lets every companion go; True once done.
    bool Destroy();

    // For the launcher's own classes.
    bool Create(const QString& isLangue);
    bool GereLangueObjet(const QString& isLangue);
    // Asks the system for the learner's identity (getparam) and fills
    // IdentUser, NomUser and PrenomUser afresh; False with the step code on
    // a refusal or an incomplete identity.
    bool piGetInfoUserAICC();
    // Records the start of a run: the question started (0 for a module) and
    // the evaluation type the loading window shows.
    void beginRun(long idQuestion, const QString& typeFormEval);
    // The result report, when the learner quits (False) or finishes (True).
    // Once per run: a second report before the run has ended (the quit button
    // while the first one waits) is ignored, so that it cannot undo the first.
    void piMajResult(bool ibModuleFini);
    void piExitAU();
    void piTermineModuleEnCours();
    // Appends "/" to URLBaseServer and builds the help folder's address.
    void piCheckSyntaxURL();

    QuestionPlayer* pioKavBarre() const { return pioKavBarre_.get(); }
    hostsession::VideoDisplay* videoDisplay() const { return videoDisplay_.get(); }
    bool QuestionExerva() const { return pibQuestionExerva; }
    // A step of the end of a run that failed or that the system refused: the
    // step code and the error it left.
    struct StepFailure {
        long code = 0;
        long number = 0;
        QString text;
    };
    // Nothing while the run's result report, or its exit step, was accepted
    // (or handed to the page in "scorm", or not to be sent).
    std::optional<StepFailure> ReportFailure() const { return reportFailure_; }
    std::optional<StepFailure> ExitFailure() const { return exitFailure_; }
    frmInet* Form() const { return frmInet_.get(); }
    std::shared_ptr<clsInetUPL> InetUrl() const { return pioInetUrl_; }
    QString LangueEnCours() const { return pisLangueEnCours; }
    QString UrlAide() const { return pisUrlAide; }

signals:
    void FinModule(const QString& isStatut, const QString& isScore, const QString& isTime);
    void ExitAU();
    void SelfClose();

private:
    class BarEvents;
    friend class BarEvents;
    std::unique_ptr<lumaro::ManagerEvents> makeBarEvents();
    // A run has started and not yet ended: the player's events then count.
    bool playing() const { return runUnderWay_ && !startInProgress_; }
    enum class RunKind { Question, Module };

    bool start(RunKind kind, const QVariant& isIdAppli, const QVariant& isId, const QVariant& isTypeFormEval);
    bool startSteps(RunKind kind, const QVariant& isIdAppli, const QVariant& isId, const QVariant& isTypeFormEval,
                    const tracel::TraceScope& scope);
    bool checkVideoFolder(RunKind kind, const tracel::TraceScope& scope);
    // The end of a failed start: the course model thrown away, the launcher ready again.
    void startFailed(const tracel::TraceScope& scope);
    void renewCourseModel();

    // The course data (the management system's pages).
    bool piRenseigneQuestion();
    bool piRenseigneQuestionDuModule();
    bool piRenseigneDll(long ilIdDll);
    bool piRenseigneInfoQuestion(long ilIdQuestion);
    bool piRenseigneVideo(long ilIdQuestion);
    // Enters one question record into the application; false with the step code on failure.
    bool enterQuestion(const hostsession::QuestionRecord& record, const tracel::TraceScope& scope);
    std::shared_ptr<lumaro::Appli> currentAppli() const;

    // The application, the single question's module and the work files.
    bool piRenseigneAppli();
    bool piRenseigneModule();
    bool piGereFichiersLocaux();
    bool piInitPersonalFolder();
    void applyModuleKind(lumaro::Module& module) const;

    // The question player's events.
    void pioKavBarre_BoutonQuitter();
    void pioKavBarre_FinModule();
    void pioKavBarre_VisuVideo(long ilIdQuestion, lumaro::TypeVideo ieTypeVideo, const QString& isTitreFenetre);
    void pioInetUrl_DownloadProgressChange(long lProgress, long lProgressMax);
    void pioVVidora_ExitVideo(hostsession::VideoOrigin origin);
    // The video display and the work files, made with the session's companions.
    void makeSharedUnits();
    QString message(const QString& key) const;

    bool piInitBarre(const QString& sIdLangue);
    // The request text of a command, url-encoded.
    QString request(const QString& command, const QString& aiccData) const;
    // Sends the command by POST (or GET) and reads the answer; False, with
    // stepCode and what went wrong stored, unless it says "error=0".
    bool exchange(const QString& command, const QString& aiccData, bool byGet, long stepCode,
                  const tracel::TraceScope& scope, QString* answer = nullptr);
    // The error of an exchange that failed: the system's refusal, an answer
    // outside the protocol, an HTTP status, a time-out or no connection.
    platform::RuntimeError exchangeError(const QString& command, long transportResult,
                                         const platform::RuntimeError& transportError, const QString& answer) const;
    StepFailure lastFailure() const;
    std::optional<std::chrono::milliseconds> parseDelay(const QString& value, const QString& declaration) const;

    CommonData& data_;
    std::unique_ptr<lumaro::ManagerEvents> barEvents_;
    std::unique_ptr<QuestionPlayer> pioKavBarre_;
    std::unique_ptr<frmInet> frmInet_;
    std::shared_ptr<clsInetUPL> pioInetUrl_;
    std::unique_ptr<hostsession::VideoDisplay> videoDisplay_;
    std::unique_ptr<hostsession::WorkFiles> workFiles_;

    QString nomUser_;
    QString prenomUser_;
    QString identUser_;
    QString method_;
    QString urlBaseServer_;
    QString aiccSid_;
    QString aiccUrl_;
    QString urlClientFolder_;
    QString pisLangueEnCours;
    QString pisUrlAide;
    // The run under way: its start on the monotonic clock, the question
    // (0 for a module) and the evaluation type.
    std::chrono::milliseconds pidteDebutModuleEnCours{0};
    long pilIdQuestion = 0;
    QString pisTypeFormEval;
    long pilIdAppli = 0;
    long pilIdModule = 0;
    long pilNbQuestion = 0;
    bool pibChargementEnCours = false;
    bool pibQuestionExerva = false;
    // The extension the question player gives the run's videos: the host's
    // for streamed videos, ".avi" for files, whatever the host's property says.
    QString videoExtension_;
    // From a start's first step to the end of its run.
    bool runUnderWay_ = false;
    bool startInProgress_ = false;
    // From the result report to the end of the run.
    bool reportUnderWay_ = false;
    std::optional<StepFailure> reportFailure_;
    std::optional<StepFailure> exitFailure_;
};

}  // namespace pelago
