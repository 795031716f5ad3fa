#pragma once

#include "CommonData.h"

#include "common/ModuleSession.h"

#include <QPointer>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

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
// With Method "scorm" the report and the exit step are signals to the launch
// page (FinModule, ExitAU); SelfClose tells it the run has ended. A handler
// may call back into the launcher; the session checks it still exists after
// each signal.
class clsBarreManager : public common::ModuleSession {
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
    frmInet* Form() const { return frmInet_.get(); }
    std::shared_ptr<clsInetUPL> InetUrl() const { return pioInetUrl_; }
    QString LangueEnCours() const { return pisLangueEnCours; }
    QString UrlAide() const { return pisUrlAide; }

signals:
    void FinModule(const QString& isStatut, const QString& isScore, const QString& isTime);
    void ExitAU();
    void SelfClose();

private:
    bool piInitBarre(const QString& sIdLangue);
    // The request text of a command, url-encoded.
    QString request(const QString& command, const QString& aiccData) const;
    // Sends the request by POST (or GET) and reads the answer; False, with
    // stepCode and the system's error stored, unless it says "error=0".
    bool exchange(const QString& request, bool byGet, long stepCode, const tracel::TraceScope& scope,
                  QString* answer = nullptr);
    bool acceptAnswer(long transportResult, const QString& answer, long stepCode, const tracel::TraceScope& scope);
    std::optional<std::chrono::milliseconds> parseDelay(const QString& value, const QString& declaration) const;

    CommonData& data_;
    std::unique_ptr<QuestionPlayer> pioKavBarre_;
    std::unique_ptr<frmInet> frmInet_;
    std::shared_ptr<clsInetUPL> pioInetUrl_;

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
    bool pibChargementEnCours = false;
    // From the result report to the end of the run.
    bool reportUnderWay_ = false;
};

}  // namespace pelago
