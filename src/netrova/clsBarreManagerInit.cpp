// The module session's initialisation: the course model, the application with
// its media roots, the learner's folder and the search for our own windows.

#include "clsBarreManager.h"

#include "StartRecord.h"
#include "clsInetUPL.h"

#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "platform/ErrorTrap.h"
#include "platform/OleDate.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>

#include <algorithm>

namespace netrova {
namespace {

using namespace basalo;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

}  // namespace

void clsBarreManager::InetUrl(const std::shared_ptr<clsInetUPL>& transport)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Property Set InetUrl"));
    QObject::disconnect(progressConnection_);
    pioInetUrl = transport;
    if (transport)
        progressConnection_ = connect(transport.get(), &clsInetUPL::DownloadProgressChange, this,
                                      &clsBarreManager::onDownloadProgress, Qt::DirectConnection);
}

void clsBarreManager::onDownloadProgress(long lProgress, long lProgressMax)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioInetUrl_DownloadProgressChange"), 3);
    double share = 0.0;
    if (lProgressMax >= 1 && lProgress >= 0)
        share = std::min(1.0, double(lProgress) / double(lProgressMax));
    // During the module's load the window follows the load's requests, not each
    // one's bytes: the list of questions is its first tenth, the rest shares the remainder.
    if (loadRequestsExpected_ && *loadRequestsExpected_ <= 1)
        share = *loadRequestsExpected_ == 0 ? share / 10.0 : 1.0;
    else if (loadRequestsExpected_)
        share = 0.1 + 0.9 * std::min(1.0, (double(loadRequestsDone_ - 1) + share) / double(*loadRequestsExpected_ - 1));
    const long percent = long(share * 100.0);
    scope.value(QStringLiteral("lProgress"), QString::number(lProgress), 3);
    scope.value(QStringLiteral("lProgressMax"), QString::number(lProgressMax), 3);
    if (!pibLoadingAffiche)
        return;
    scope.line(QStringLiteral("appel à lumaro pour affichage du progress bar : lTaux = ") + QString::number(percent), 3);
    loading_.SetPourcentLoading(percent);
}

void clsBarreManager::releaseCourseModel(const tracel::TraceScope& scope)
{
    const auto model = std::exchange(pioKavParc, nullptr);
    if (!model)
        return;
    if (const auto module = model->ModuleEnCours())
        module->Finir();
    model->DestroyModule();
    model->Destroy();
    scope.line(QStringLiteral("pioKavParc libéré"));
}

bool clsBarreManager::Init()
{
    // The page may let go of this session while a request waits: it lives on
    // until Init is over.
    const auto keepAlive = weak_from_this().lock();
    NetrovaContext& context = context_;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName, QStringLiteral("Public Function Init"));
    if (context.pulLevelSuivi > 0)
        SetinfoLog(DebutInit);
    eLocationSuivi outcome = FinInitErrorVB;
    if (const auto error = platform::trapError(platform::AutomationError, [&] { outcome = initSteps(scope); }))
        context.recordError(*error, scope);
    if (outcome != FinInit)
        context.pulStateEnCours =
            context.failedStep(enuFunctionReturnState_Netrova_clsBarreManager_Init_ErreurInconnue);
    pibLoadingAffiche = false;
    loadRequestsExpected_.reset();
    loading_.TerminateFrmLoading();
    // A model that failed half-way is not one the module may run on.
    if (outcome != FinInit)
        releaseCourseModel(scope);
    if (context.pulLevelSuivi > 0)
        SetinfoLog(outcome);
    return outcome == FinInit;
}

eLocationSuivi clsBarreManager::initSteps(const tracel::TraceScope& scope)
{
    NetrovaContext& context = context_;
    const auto message = [&](const char* key) {
        return context.oLangueIHMInet ? context.oLangueIHMInet->GetMessage(QString::fromLatin1(key)) : QString();
    };
    loading_.PrepareFrmLoading(typeFormEval_);
    loading_.SetMessageLoading(message("MESSAGE_Loading1") + QStringLiteral("\r\n") + message("MESSAGE_Loading2"));
    releaseCourseModel(scope);

    context.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_Init_ErreurKavParc;
    playerSettings_ = {};
    pioKavParc = std::make_shared<lumaro::ContexteManager>(context.lumaroContext);
    const platform::OleDate now = platform::OleDate::fromDateTime(context.clock().now()).value_or(platform::OleDate());
    if (!pioKavParc->CreateManager(lumaro::TypeSimplifie, platform::OleDate(now.serial() - pidteDifDateServer))) {
        context.pulStateEnCours = pioKavParc->StateEnCours();
        context.pulErrorNumber = pioKavParc->LastErrorNumber();
        context.pusErrorDescription = pioKavParc->LastErrorString();
        return FinInitErrorCreateLumaro;
    }

    context.pulStateEnCours = OK;
    if (!piRenseigneAppli())
        return FinInitErrorAppli;

    pibLoadingAffiche = true;
    loadRequestsDone_ = 0;
    loadRequestsExpected_ = 0;
    if (!piRenseigneModule())
        return FinInitErrorModule;

    playerSettings_.AutoMediaPoint = AutoMediaPoint();
    QUrl help(context.pusURLBaseServer + QStringLiteral("WS/pluginhelp.aspx"));
    QUrlQuery helpQuery;
    helpQuery.addQueryItem(QStringLiteral("sessionid"), QString::fromUtf8(QUrl::toPercentEncoding(context.pusPkCookie)));
    help.setQuery(helpQuery);
    playerSettings_.URLServerHelpFile = help.toString(QUrl::FullyEncoded);

    if (typeFormEval_ == QStringLiteral("F")) {
        playerSettings_.ModeMediaInet = ModeMediaInet();
        playerSettings_.ExtensionVideo = ExtensionFichierVideo();
        if (!piRenseigneVideoModule())
            return FinInitErrorVideo;
    }

    applyPlayerSettings();
    pibLoadingAffiche = false;
    loadRequestsExpected_.reset();
    loading_.SetMessageLoading(message("MESSAGE_Loading3"));
    if (!piGereFichiersLocaux())
        return FinInitErrorFichiers;

    currentModule()->StartModule();
    context.pulStateEnCours = OK;
    return FinInit;
}

bool clsBarreManager::piRenseigneAppli()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneAppli"));
    bool result = false;
    if (const auto error = platform::trapError(platform::AutomationError, [&] {
            context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneAppli_ErreurAddAppli;
            lumaro::ContexteManager& model = require(pioKavParc);
            model.AddAppli(pilIdAppli);
            context_.pulStateEnCours = OK;
            lumaro::Appli& appli = require(model.Appli(pilIdAppli));
            const QString id = QString::number(pilIdAppli);
            const auto noCdRom = [&] {
                context_.pusErrorDescription = context_.oLangueIHMInet
                                                   ? context_.oLangueIHMInet->GetMessage(QStringLiteral("ERR_NO_CDROM"))
                                                   : QString();
                context_.pulErrorNumber = 0;
                context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneAppli_ErreurCDRom;
                scope.line(QStringLiteral("pas de lecteur de CD-ROM"));
            };
            if (!pibMediaOnCDRom) {
                if (!ModeMediaInet()) {
                    // No folder named is no folder: never the root.
                    toolkit::puAddTrailingBackslash(pisPathMediaAppli, toolkit::EmptyText::StaysEmpty);
                    appli.PathVideo(pisPathMediaAppli);
                } else {
                    toolkit::puAddTrailingSlash(pisURLMediaAppli);
                    appli.URLVideo(pisURLMediaAppli);
                    const QString book = id + QStringLiteral("F/Pdf/");
                    switch (pilTypeDownload) {
                    case 0:
                        appli.URLLivre(context_.pusURLBaseDownloadFiles + QStringLiteral("Download/") + book);
                        break;
                    case 1:
                        appli.URLLivre(pisPathDownloadRorova + book);
                        break;
                    case 2:
                        appli.URLLivre(urlDownloadRorova_ + book);
                        break;
                    case 3: {
                        QString root;
                        if (!puFindCDRom(root)) {
                            noCdRom();
                            return;
                        }
                        appli.URLLivre(root + QStringLiteral("Rorova/") + book);
                        break;
                    }
                    default:
                        break;
                    }
                }
            } else {
                ModeMediaInet(false);
                QString root;
                if (!puFindCDRom(root)) {
                    noCdRom();
                    return;
                }
                pisPathMediaAppli = root + QStringLiteral("Medias/") + id + QStringLiteral("F/");
                appli.PathVideo(pisPathMediaAppli);
                pisExtensionFichierVideo = QStringLiteral(".avi");
            }
            toolkit::puAddTrailingBackslash(pathRorovaAppli_);
            toolkit::puAddTrailingBackslash(pathRorovaBisAppli_);
            appli.Logiciel(NomAppli());
            appli.Version(versionAppli_);
            result = true;
        })) {
        // The application step failed, whatever it had already done.
        context_.pulStateEnCours =
            context_.failedStep(enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneAppli_ErreurAddAppli);
        context_.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::piInitPersonalFolder()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, QStringLiteral("clsMonoManager"),
                                   QStringLiteral("Private Function piInitPersonalFolder"));
    // Whatever the host or the server named stays under the learner's home.
    QString folder = confinedPersonalFolder(pisPersonalFolder, context_.homeFolder, scope);
    if (folder.isEmpty())
        folder = context_.documentsFolder;
    if (folder.isEmpty()) {
        context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piInitPersonalFolder_Erreur;
        context_.recordError(platform::RuntimeError(platform::FileNotFound,
                                                    QStringLiteral("pas de dossier de documents pour l'apprenant")),
                             scope);
        return false;
    }
    toolkit::puAddTrailingBackslash(folder);
    const QString product =
        context_.oLangueIHMInet ? context_.oLangueIHMInet->GetMessage(QStringLiteral("Divers_PersonnalFolder")) : QString();
    if (!product.isEmpty() && !platform::paths::staysInside(product)) {
        scope.line(QStringLiteral("erreur kav Divers_PersonnalFolder n'est pas un nom de dossier : ") + product);
    } else if (!product.isEmpty() && !folder.endsWith(product + u'/')) {
        folder += product;
        toolkit::puAddTrailingBackslash(folder);
    }
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piInitPersonalFolder_Erreur;
        context_.recordError(platform::RuntimeError(platform::FileNotFound,
                                                    QStringLiteral("Le dossier de travail de l'apprenant ne peut pas "
                                                                   "être créé : ")
                                                        + folder),
                             scope);
        return false;
    }
    pisPersonalFolder = folder;
    scope.value(QStringLiteral("PersonalFolder"), pisPersonalFolder);
    return true;
}

long clsBarreManager::piFindWindowLike(std::vector<long>& alHwnd, long hWndStart, const QString& isTitre,
                                       const QString&)
{
    alHwnd.clear();
    // Our windows are top-level windows without child windows of their own.
    if (hWndStart != 0 || !context_.windows)
        return 0;
    const auto found = context_.windows->findByTitle(
        [&](const QString& title) { return !title.isEmpty() && title.contains(isTitre, Qt::CaseInsensitive); });
    alHwnd.assign(found.begin(), found.end());
    return long(alHwnd.size());
}

}  // namespace netrova
