#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "hostsession/VideoDisplay.h"
#include "hostsession/WorkFiles.h"
#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "platform/MessageBoxes.h"
#include "platform/ErrorTrap.h"
#include "platform/OleDate.h"

namespace netrova {
namespace {

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

}  // namespace

clsBarreManager::clsBarreManager(NetrovaContext& context)
    : hostsession::ModuleSession(context), context_(context), loading_(context.trace)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub Class_Initialize"));
    const auto message = [this](const QString& key) { return this->message(key); };
    const auto registry = [this] { return context_.puoKavReg; };

    hostsession::VideoDisplaySettings video;
    video.codeBadCDRomVideo = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_BadCDRomVideo;
    video.codeBadUNCVideo = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_BadUNCVideo;
    video.codeShowFrmVideo = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_ErreurShowFrmVideo;
    video.codeLanceVideo = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piAfficheVideo_ErreurLanceVideo;
    video.codeCreatePlayer = basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurVVidora;
    video.codeCreatePlayerUnexpected = basalo::enuFunctionReturnState_Netrova_clsBarreManager_InitVideoOnly_ErreurInconnue;
    video.codeInitSon = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piInitSon_ErreurInconnue;
    hostsession::VideoDisplayServices videoServices;
    videoServices.vidora = context_.vidoraContext;
    videoServices.message = message;
    videoServices.registry = registry;
    videoServices.traceLevel = [this] { return context_.trace.level(); };
    videoServices.traceFolder = [this] { return context_.trace.level() > 0 ? context_.traceFolder() : QString(); };
    video_ = std::make_unique<hostsession::VideoDisplay>(*this, context_, video, std::move(videoServices));
    connect(video_.get(), &hostsession::VideoDisplay::ExitVideo, this, &clsBarreManager::onExitVideo,
            Qt::DirectConnection);

    hostsession::WorkFilesSettings files;
    files.codeErreur = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur;
    files.codeTypeExoApp = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_ErreurTYPE_EXO_APP;
    files.codeHouston = basalo::enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_ErreurHOUSTON;
    files.codeUNCMissing = basalo::enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_UNCMissing;
    files.codeNoCDRom = basalo::enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_ErreurCDRom;
    files.codeCDRomMissing = basalo::enuFunctionReturnState_Netrova_clsInetUPL_piGereFichiersLocaux_CDRomMissing;
    hostsession::WorkFilesServices fileServices;
    fileServices.message = message;
    fileServices.registry = registry;
    fileServices.fetchPackage = [this](const QString& page) {
        // The transport is held: the page may release the session's while the package arrives.
        const auto transport = pioInetUrl;
        return transport ? transport->puGetDllPackage(page) : QString();
    };
    fileServices.componentFolder = [this] { return context_.componentFolder(); };
    fileServices.findCDRom = [this](QString& root) { return puFindCDRom(root); };
    fileServices.setMessageLoading = [this](const QString& text) { loading_.SetMessageLoading(text); };
    fileServices.messageBox = [this](const QString& text, long style) {
        return pioKavBarre_ ? pioKavBarre_->AfficheMessageBoxBarre(text, style) : long(platform::MessageBoxes::Cancel);
    };
    fileServices.loadingAffiche = [this](bool shown) { pibLoadingAffiche = shown; };
    workFiles_ = std::make_unique<hostsession::WorkFiles>(context_, files, std::move(fileServices));
}

clsBarreManager::~clsBarreManager()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub Class_Terminate"));
    video_.reset();
    if (pioKavBarre_)
        pioKavBarre_->setEvents(nullptr);
}

QString clsBarreManager::message(const QString& key) const
{
    return context_.oLangueIHMInet ? context_.oLangueIHMInet->GetMessage(key) : QString();
}

QString clsBarreManager::stepAndError() const
{
    return QString::number(context_.pulStateEnCours) + QStringLiteral(" : ") + context_.pusErrorDescription;
}

void clsBarreManager::URLDownloadRorova(const QString& value)
{
    urlDownloadRorova_ = value;
    toolkit::puAddTrailingSlash(urlDownloadRorova_);
}

void clsBarreManager::PathDownloadRorova(const QString& value)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Property Let PathDownloadRorova"));
    pisPathDownloadRorova = value;
    toolkit::puAddTrailingBackslash(pisPathDownloadRorova);
    scope.value(QStringLiteral("pisPathDownloadRorova"), pisPathDownloadRorova);
}

void clsBarreManager::URLAideComplementaire(const QString& value)
{
    if (!value.contains(QStringLiteral("RERA")))
        return;
    urlAideComplementaire_ = value;
    urlAideComplementaire_.remove(QStringLiteral("rera"));
}

QString clsBarreManager::LastError() const
{
    return toolkit::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get LastError()"),
                               QStringLiteral("pusErrorDescription"), context_.pusErrorDescription);
}

long clsBarreManager::LastErrorNumber() const
{
    return toolkit::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get LastErrorNumber()"),
                               QStringLiteral("pulErrorNumber"), context_.pulErrorNumber);
}

QString clsBarreManager::LastErrorSource() const
{
    return toolkit::obsoleteLastErrorSource(context_.trace, moduleName);
}

long clsBarreManager::ResultQuestionForm(long liIndex)
{
    long type = 0;
    if (const auto error = platform::trapError(platform::AutomationError, [&] {
            const auto module = platform::require(pioKavParc).ModuleEnCours();
            type = platform::require(platform::require(module).ResultQuestions(liIndex)).TypeAffichage();
        })) {
        context_.pulErrorNumber = error->number();
        context_.pusErrorDescription = error->text();
    }
    return type;
}

void clsBarreManager::RetourAide()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName, QStringLiteral("Public Sub RetourAide"));
    lumaro::Manager* player = pioKavBarre_.get();
    if (!player) {
        context_.recordError(platform::RuntimeError(platform::ObjectNotSet), scope);
        return;
    }
    if (!player->RetourAfficherAideManager())
        takePlayerError();
}

void clsBarreManager::takePlayerError()
{
    if (lumaro::Manager* player = pioKavBarre_.get()) {
        context_.pulStateEnCours = player->StateEnCours();
        context_.pulErrorNumber = player->LastErrorNumber();
        context_.pusErrorDescription = player->LastErrorString();
    }
}

bool clsBarreManager::SetDateServer(const QString& isDateServerSQL)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function SetDateServer"));
    basalo::clsManager constants(context_.basaloState);
    platform::OleDate server;
    context_.pulStateEnCours = constants.ConvertKavDblToDate(isDateServerSQL, server);
    const platform::OleDate now = platform::OleDate::fromDateTime(context_.clock().now()).value_or(platform::OleDate());
    // A text that is no date would make the whole date an offset, and every
    // recorded time fall near 1899: the clocks are taken as agreeing.
    pidteDifDateServer = context_.pulStateEnCours == OK ? now.serial() - server.serial() : 0.0;
    if (context_.pulStateEnCours != OK)
        scope.line(QStringLiteral("erreur kav date du serveur illisible : ") + isDateServerSQL);
    QString offsetText;
    constants.ConvertDateToKavDbl(platform::OleDate(pidteDifDateServer), offsetText);
    scope.value(QStringLiteral("dteTemp"), server.toDateTime().toString(Qt::ISODate));
    scope.value(QStringLiteral("dteNow"), now.toDateTime().toString(Qt::ISODate));
    scope.value(QStringLiteral("sDateTemp"), offsetText);
    scope.value(QStringLiteral("pidteDifDateServer"), QString::number(pidteDifDateServer, 'f', 8));
    return true;
}

bool clsBarreManager::SetHandleAppelant(const QString& isTitreFenetre)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function SetHandleAppelant"));
    scope.value(QStringLiteral("isTitreFenetre"), isTitreFenetre);
    titreAppelant_ = isTitreFenetre;
    std::vector<long> windows;
    const long found = piFindWindowLike(windows, 0, isTitreFenetre, QStringLiteral("IEFrame"));
    scope.line(QStringLiteral("lNbWindows = piFindWindowLike(alHwnd, 0, isTitreFenetre, \"IEFrame\") = ")
               + QString::number(found));
    if (found >= 1)
        pilHandleAppelant = windows.front();
    scope.value(QStringLiteral("pilHandleAppelant"), QString::number(pilHandleAppelant));
    return pilHandleAppelant != 0;
}

void clsBarreManager::SetinfoLog(eLocationSuivi iePkFunction, const QString& isRetour, const QString& isCommentaire)
{
    // The context outlives this object, which may end while the post waits.
    NetrovaContext& context = context_;
    const long savedState = context.pulStateEnCours;
    const long savedNumber = context.pulErrorNumber;
    const QString savedText = context.pusErrorDescription;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Sub SetinfoLog"));
    scope.value(QStringLiteral("iePkFunction"), QString::number(iePkFunction));

    QString comment;
    platform::trapError(platform::AutomationError, [&] {
        if (iePkFunction == FinStartModule) {
            const auto module = platform::require(pioKavParc).ModuleEnCours();
            const bool evaluation = platform::require(module).TypeModule() == lumaro::TYPEevaluation;
            comment = QString::number(pilIdAppli) + (evaluation ? u'E' : u'F');
        } else if (iePkFunction == PostResultErrorConnue) {
            comment = QStringLiteral("Erreur VB : ") + isRetour + QStringLiteral("<BR>")
                      + QStringLiteral("Description : ") + isCommentaire;
        } else if (iePkFunction == DebutCreate) {
            comment = QStringLiteral("Langue : ") + context.langueId;
        }
    });

    if (const auto transport = pioInetUrl) {
        const QString reply = transport->PostFormData(context.pusURLBaseServer + QStringLiteral("WS/debug/"),
                                                      QStringLiteral("netrova_addinfos"),
                                                      {{0, QStringLiteral("PkCookie"), context.pusPkCookie},
                                                       {1, QStringLiteral("PkFunction"), QString::number(iePkFunction)},
                                                       {2, QStringLiteral("PkReturn"), QString::number(savedState)},
                                                       {3, QStringLiteral("Commentaires"), comment}});
        scope.value(QStringLiteral("sDataRetour"), reply);
    }
    // Tracking only reports: the caller's step code and error stand.
    context.pulStateEnCours = savedState;
    context.pulErrorNumber = savedNumber;
    context.pusErrorDescription = savedText;
}

}  // namespace netrova
