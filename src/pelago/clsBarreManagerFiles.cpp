// The work files of a run, the learner's folder, and the shared units that
// carry the work files and the video display.

#include "clsBarreManager.h"

#include "QuestionPlayer.h"
#include "clsInetUPL.h"

#include "hostsession/VideoDisplay.h"
#include "hostsession/WorkFiles.h"
#include "toolkit/clsLangue.h"
#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "platform/ErrorTrap.h"
#include "platform/Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace pelago {
namespace {

using namespace basalo;

}  // namespace

void clsBarreManager::makeSharedUnits()
{
    CommonData& data = data_;
    const auto message = [&data](const QString& key) { return data.oLangue ? data.oLangue->GetMessage(key) : QString(); };
    const auto registry = [&data] { return data.puoKavReg; };

    hostsession::WorkFilesSettings files;
    files.listExoApp = true;
    files.codeErreur = enuFunctionReturnState_Pelago_clsBarreManager_piGereFichiersLocaux_Erreur;
    files.codeTypeExoApp = enuFunctionReturnState_Pelago_clsBarreManager_piGereFichiersLocaux_ErreurTYPE_EXO_APP;
    files.codeHouston = enuFunctionReturnState_Pelago_clsBarreManager_piGereFichiersLocaux_ErreurHOUSTON;
    hostsession::WorkFilesServices fileServices;
    fileServices.message = message;
    fileServices.registry = registry;
    fileServices.fetchPackage = [this](const QString& page) {
        // Held here, so that the transport outlives the fetch whatever happens meanwhile.
        const std::shared_ptr<clsInetUPL> transport = pioInetUrl_;
        return transport ? transport->puGetDllPackage(page) : QString();
    };
    fileServices.setMessageLoading = [this](const QString& text) {
        if (pioKavBarre_)
            pioKavBarre_->SetMessageLoading(text);
    };
    fileServices.loadingAffiche = [this](bool shown) { pibChargementEnCours = shown; };
    workFiles_ = std::make_unique<hostsession::WorkFiles>(data, files, std::move(fileServices));

    hostsession::VideoDisplaySettings video;
    // A video read from a folder is always an ".avi", whatever the host's extension.
    video.localExtension = QStringLiteral(".avi");
    // The sound settings are read once, when the bar is built.
    video.readSoundEachVideo = false;
    video.keepPlayerStepCode = true;
    video.codeBadCDRomVideo = enuFunctionReturnState_Pelago_clsBarreManager_piAfficheVideo_BadCDRomVideo;
    video.codeBadUNCVideo = enuFunctionReturnState_Pelago_clsBarreManager_piAfficheVideo_BadUNCVideo;
    video.codeShowFrmVideo = enuFunctionReturnState_Pelago_clsBarreManager_piAfficheVideo_ErreurShowFrmVideo;
    video.codeLanceVideo = enuFunctionReturnState_Pelago_clsBarreManager_piAfficheVideo_ErreurLanceVideo;
    video.codeCreatePlayer = enuFunctionReturnState_Pelago_clsBarreManager_piInitVVidora_ErreurInconnue;
    video.codeCreatePlayerUnexpected = enuFunctionReturnState_Pelago_clsBarreManager_piInitVVidora_ErreurInconnue;
    video.codeInitSon = enuFunctionReturnState_Pelago_clsBarreManager_InitBarre_ErreurBarre;
    hostsession::VideoDisplayServices videoServices;
    videoServices.vidora = data.vidora;
    videoServices.message = message;
    videoServices.registry = registry;
    videoServices.traceLevel = [&data] { return data.trace.level(); };
    videoServices.traceFolder = [&data] { return data.trace.isStarted() ? data.traceFolder() : QString(); };
    videoDisplay_ = std::make_unique<hostsession::VideoDisplay>(*this, data, video, std::move(videoServices));
    connect(videoDisplay_.get(), &hostsession::VideoDisplay::ExitVideo, this, &clsBarreManager::pioVVidora_ExitVideo);
}

bool clsBarreManager::piGereFichiersLocaux()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, QStringLiteral("clsBarreManager"),
                                   QStringLiteral("Private Function piGereFichiersLocaux"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piGereFichiersLocaux_Erreur;
        const auto module = currentModule();
        // Nothing could be played: the start fails here rather than in the player.
        if (module->NbQuest() < 1)
            throw platform::RuntimeError(platform::ObjectNotSet, QStringLiteral("Le module n'a aucune question"));
        hostsession::WorkFilesSource source;
        source.typeDownload = 0;
        source.serverBase = urlBaseServer_;
        source.typeFormEval = pisTypeFormEval;
        source.nomAppli = NomAppli();
        source.idAppli = pilIdAppli;
        bool exerva = false;
        result = platform::require(workFiles_).piGereFichiersLocaux(*module, *currentAppli(), source, exerva);
        pibQuestionExerva = exerva;
    });
    if (error) {
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::piInitPersonalFolder()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, QStringLiteral("clsMonoManager"),
                                   QStringLiteral("Private Function piInitPersonalFolder"));
    QString folder = pisPersonalFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) {
        data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piInitPersonalFolder_Erreur;
        data.recordError(platform::RuntimeError(platform::FileNotFound,
                                                QStringLiteral("pas de dossier de documents pour l'apprenant")),
                         scope);
        return false;
    }
    toolkit::puAddTrailingBackslash(folder);
    // The product's sub-folder, once, when its name is a plain folder name.
    const QString product = message(QStringLiteral("Divers_PersonnalFolder"));
    if (!product.isEmpty() && !platform::paths::isPlainFileName(product)) {
        scope.line(QStringLiteral("erreur kav Divers_PersonnalFolder n'est pas un nom de dossier : ") + product);
    } else if (!product.isEmpty() && !folder.contains(product)) {
        folder += product;
        toolkit::puAddTrailingBackslash(folder);
    }
    if (!QDir().mkpath(platform::paths::fromData(folder))) {
        data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piInitPersonalFolder_Erreur;
        data.recordError(platform::RuntimeError(platform::FileNotFound, folder), scope);
        return false;
    }
    pisPersonalFolder = folder;
    scope.value(QStringLiteral("PersonalFolder"), pisPersonalFolder);
    return true;
}

}  // namespace pelago
