#pragma once

#include "Enumerations.h"
#include "NetrovaContext.h"

#include "common/ModuleSession.h"

#include <QString>

#include <memory>

namespace netrova {

class clsInetUPL;

// The plug-in's module session: one per hosting page, reached through
// clsManager.BarreManager. It holds every value of the session and of the
// course that the server sends at start, fills and drives the course model,
// and tells the page through four signals how the learner left the module.
//
// The operations that load the course and run the module (Init, StartModule,
// LanceSequence, InitUrlMedia, InitBarre and the rest) fail with their own step
// code while the question player they drive is not part of the program.
class clsBarreManager : public common::ModuleSession {
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
    bool puFindCDRom(QString& sPathCDRom);
    bool piMajResultModule(long ilAncienNbQuestReussi);
    bool Init();

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

signals:
    void QuitterModuleFormWithResult();
    void QuitterModuleEvalWithResult();
    void QuitterModuleForm();
    void QuitterModuleEval();

private:
    // What an operation of a later stage answers until it is part of the program.
    bool notAvailable(long stepCode, const QString& declaration);

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
};

}  // namespace netrova
