// The module session at work: the question player and the video player made
// and released, the module started, a sequence of the thematic index played,
// and the events of both players answered.

#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "hostsession/VideoDisplay.h"
#include "hostsession/WorkFiles.h"
#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Video.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "lumaro/player/kavMsgBoxStyle.h"
#include "platform/ErrorTrap.h"
#include "platform/OleDate.h"
#include "platform/Paths.h"
#include "vidora/CAsfVideoKav.h"

#include <QFileInfo>

namespace netrova {
namespace {

using namespace basalo;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

// The question window of the session's question player, looked up at each
// call: the player may go while a box of the video display is up.
class PlayerWindow final : public hostsession::QuestionWindow {
public:
    explicit PlayerWindow(std::function<lumaro::Manager*()> player) : player_(std::move(player)) {}

    void CacherBarrePourVideo() override
    {
        if (lumaro::Manager* player = player_())
            player->CacherBarrePourVideo();
    }
    long AfficheMessageBoxBarre(const QString& isMessage, long iMsgBoxStyle) override
    {
        lumaro::Manager* player = player_();
        return player ? player->AfficheMessageBoxBarre(isMessage, iMsgBoxStyle) : 1L;
    }
    void RetourAfficherVideoManager() override
    {
        if (lumaro::Manager* player = player_())
            player->RetourAfficherVideoManager();
    }

private:
    std::function<lumaro::Manager*()> player_;
};

// The words the learner reads for a failure of the question player's start:
// the error's own words before the player's detail, which may be a bare name
// ("Bad file name or number : X1211.doc" for error 52), or, when the player
// gave no text, what its step code means.
QString playerErrorText(long step, long number, const QString& text, const QString& hostTitle)
{
    const QString standard = platform::runtimeErrorText(number);
    if (!text.isEmpty())
        return standard.isEmpty() || text == standard ? text : standard + QStringLiteral(" : ") + text;
    if (step == enuFunctionReturnState_Lumaro_Manager_InitManager_ErreurFrmAppelant)
        return QStringLiteral("La fenêtre de la page du cours est introuvable : « %1 »").arg(hostTitle);
    if (!standard.isEmpty())
        return standard;
    return returnStateName(step);
}

}  // namespace

bool clsBarreManager::InitBarre(const QString& sIdLangue, bool ibLanceDepuisIndex)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Function InitBarre"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        pilLanceDepuisIndex = ibLanceDepuisIndex ? -1 : 0;
        context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_InitBarre_ErreurBarre;
        // A second bar replaces the first, which is ended, not left behind.
        releaseQuestionPlayer();
        pioKavBarre_ = std::make_unique<lumaro::Manager>(context_.lumaroContext, context_.playerServices);
        pioKavBarre_->setEvents(this);
        pioKavBarre_->LNGFilePath(context_.oLangueIHMInet ? context_.oLangueIHMInet->LNGFilePath()
                                                          : context_.languageFilePath());
        if (context_.trace.level() >= 1) {
            scope.line(QStringLiteral("initialisation du débogage sur Lumaro.Manager"));
            pioKavBarre_->PathParent(context_.traceFolder());
            pioKavBarre_->LevelTracelage(context_.trace.level());
        }
        if (!pioKavBarre_->CreateManager(lumaro::WithFrm, sIdLangue)) {
            takePlayerError();
            scope.line(QStringLiteral("erreur kav référencée : ") + QString::number(context_.pulStateEnCours));
            return;
        }
        context_.pulStateEnCours = OK;
        scope.line(QStringLiteral("InitBarre = True"));
        result = true;
    });
    if (error) {
        context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_InitBarre_ErreurInconnue;
        context_.recordError(*error, scope);
        return false;
    }
    return result;
}

void clsBarreManager::releaseQuestionPlayer()
{
    auto player = std::move(pioKavBarre_);
    if (!player)
        return;
    player->setEvents(nullptr);
    player->Destroy();
}

bool clsBarreManager::InitVideoOnly()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Function InitVideoOnly"));
    if (!video_->createPlayer())
        return false;
    context_.pulStateEnCours = OK;
    return piInitSon();
}

void clsBarreManager::piInitLibellesVideo()
{
    video_->piInitLibellesVideo();
}

bool clsBarreManager::piInitSon()
{
    return video_->piInitSon();
}

bool clsBarreManager::piAfficheVideo(const lumaro::Video& ioVideo, const QString& isTitreFenetre,
                                     const QString& isDebut, long ilNumSeqDebut)
{
    return video_->piAfficheVideo(ioVideo, isTitreFenetre, isDebut, ilNumSeqDebut, hostsession::VideoOrigin::Question);
}

void clsBarreManager::destroyStep(const QString& what, const std::function<void()>& step,
                                  std::optional<platform::RuntimeError>& firstFailure,
                                  const tracel::TraceScope& scope)
{
    if (const auto error = platform::trapError(platform::AutomationError, step)) {
        scope.line(QStringLiteral("erreur kav ") + what + QStringLiteral(" : ") + error->text());
        if (!firstFailure)
            firstFailure = *error;
    }
}

bool clsBarreManager::DestroyBarre()
{
    const auto keepAlive = weak_from_this().lock();
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Function DestroyBarre"));
    std::optional<platform::RuntimeError> firstFailure;
    // The player's window closes first: no video goes on behind a released player.
    destroyStep(QStringLiteral("pioVVidora"), [&] { video_->releasePlayer(); }, firstFailure, scope);
    destroyStep(
        QStringLiteral("pioKavParc"),
        [&] {
            const auto model = std::exchange(pioKavParc, nullptr);
            if (!model)
                return;
            if (const auto module = model->ModuleEnCours()) {
                module->Finir();
                model->Destroy();
            }
            scope.line(QStringLiteral("pioKavParc détruit"));
        },
        firstFailure, scope);
    destroyStep(
        QStringLiteral("pioKavBarre"),
        [&] {
            if (!pioKavBarre_)
                return;
            releaseQuestionPlayer();
            scope.line(QStringLiteral("pioKavBarre détruit"));
        },
        firstFailure, scope);
    loading_.TerminateFrmLoading();
    if (!firstFailure)
        return true;
    context_.recordError(*firstFailure, scope);
    return false;
}

bool clsBarreManager::DestroyVideo()
{
    video_->releasePlayer();
    return true;
}

void clsBarreManager::applyPlayerSettings()
{
    lumaro::Manager* player = pioKavBarre_.get();
    if (!player)
        return;
    if (playerSettings_.AutoMediaPoint)
        player->AutoMediaPoint(*playerSettings_.AutoMediaPoint);
    if (playerSettings_.URLServerHelpFile)
        player->URLServerHelpFile(*playerSettings_.URLServerHelpFile);
    if (playerSettings_.ModeMediaInet)
        player->ModeMediaInet(*playerSettings_.ModeMediaInet);
    if (playerSettings_.ExtensionVideo)
        player->ExtensionVideo(*playerSettings_.ExtensionVideo);
}

bool clsBarreManager::checkMediaFolder(long cdRomCode, long shareCode, const tracel::TraceScope& scope)
{
    const QString folder = platform::paths::findExisting(platform::paths::fromData(pisPathMediaAppli));
    if (!pisPathMediaAppli.isEmpty() && QFileInfo(folder).isDir())
        return true;
    context_.pulStateEnCours = pibMediaOnCDRom ? cdRomCode : shareCode;
    context_.pusErrorDescription =
        message(pibMediaOnCDRom ? QStringLiteral("ERR_VIDEO_NOT_FOUND") : QStringLiteral("ERR_VIDEO_NOT_FOUND_UNC"))
            .replace(QStringLiteral("%1"), QString());
    scope.line(QStringLiteral("erreur kav Dir(pisPathMediaAppli, vbDirectory) non trouvée"));
    return false;
}

bool clsBarreManager::StartModule(long ilIndexQuestionDebut)
{
    const auto keepAlive = weak_from_this().lock();
    NetrovaContext& context = context_;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function StartModule"));
    context.pulStateEnCours = OK;
    pilLanceDepuisIndex = 0;
    if (context.pulLevelSuivi > 0)
        SetinfoLog(DebutStartModule);
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        scope.line(QStringLiteral("Initialisation du dossier Kav Exercice"));
        if (!piInitPersonalFolder()) {
            scope.line(QStringLiteral("piInitPersonalFolder retourne False"));
            if (context.pulLevelSuivi > 0)
                SetinfoLog(FinStartModuleErrorPersFolder);
            return;
        }
        if (typeFormEval_ == QStringLiteral("F") && !ModeMediaInet()
            && !checkMediaFolder(enuFunctionReturnState_Netrova_clsBarreManager_StartModule_BadCDRomVideo,
                                 enuFunctionReturnState_Netrova_clsBarreManager_StartModule_BadUNCVideo, scope))
            return;

        lumaro::Manager& player = require(pioKavBarre_);
        const auto module = require(pioKavParc).ModuleEnCours();
        player.PersonalFolder(pisPersonalFolder);
        player.HandleFrmAppelant(pilHandleAppelant);
        if (ilIndexQuestionDebut > require(module).NbQuest()) {
            scope.line(QStringLiteral("Exercice d'application"));
            context.pulStateEnCours = OK;
            result = true;
            return;
        }
        scope.line(QStringLiteral("Question interractive"));
        // Where the exercise files are read from, which a message names when they are missing.
        QString xmlSource = pisPathDownloadRorova;
        if (pibModuleExerva) {
            switch (pilTypeDownload) {
            case 0:
                xmlSource = context.pusURLBaseDownloadFiles + QStringLiteral("Download/");
                player.XmlCheminServeur(xmlSource);
                player.XmlModeInet(true);
                break;
            case 1:
                player.XmlCheminServeur(pisPathDownloadRorova);
                player.XmlModeInet(false);
                break;
            case 2:
                xmlSource = urlDownloadRorova_;
                player.XmlCheminServeur(xmlSource);
                player.XmlModeInet(true);
                break;
            case 3: {
                QString root;
                if (!puFindCDRom(root)) {
                    context.pusErrorDescription = message(QStringLiteral("ERR_NO_CDROM"));
                    context.pulErrorNumber = 0;
                    context.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_StartModule_ErreurCDRomExerva;
                    return;
                }
                xmlSource = root + QStringLiteral("Rorova/");
                player.XmlCheminServeur(xmlSource);
                player.XmlModeInet(false);
                break;
            }
            default:
                break;
            }
        }
        const std::weak_ptr<lumaro::Module> startedModule = module;
        if (player.InitManager(ilIndexQuestionDebut)) {
            context.pulStateEnCours = OK;
            if (context.pulLevelSuivi > 0)
                SetinfoLog(FinStartModule);
            result = true;
            return;
        }
        // The start may have ended the session (a host answering an event by leaving).
        if (!pioKavBarre_) {
            context.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_StartModule_ErreurInconnue;
            context.pulErrorNumber = 0;
            context.pusErrorDescription = QStringLiteral("La session a pris fin pendant le démarrage du module");
            scope.line(QStringLiteral("erreur kav ") + context.pusErrorDescription);
            return;
        }
        context.pulStateEnCours = pioKavBarre_->StateEnCours();
        // The engine gives 23043 for an exercise file that did not arrive, as 23041 for one it could not load.
        const long state = context.pulStateEnCours;
        if (state != enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML
            && state != enuFunctionReturnState_Exerva_Manager_onreadystatechange_ErreurRootIsNothing) {
            context.pulErrorNumber = pioKavBarre_->LastErrorNumber();
            context.pusErrorDescription = playerErrorText(context.pulStateEnCours, context.pulErrorNumber,
                                                          pioKavBarre_->LastErrorString(), titreAppelant_);
        } else {
            // The exercise file is missing: the work files were not found where the session looked.
            const auto current = startedModule.lock();
            const bool training = current && current->TypeModule() == lumaro::TYPEformation;
            const bool cdRom = pilTypeDownload == 3;
            const QString key = training ? (cdRom ? QStringLiteral("ERR_CDROM_FORM_ROROVA_MISSING")
                                                  : QStringLiteral("ERR_UNC_FORM_ROROVA_MISSING"))
                                         : (cdRom ? QStringLiteral("ERR_CDROM_EVAL_ROROVA_MISSING")
                                                  : QStringLiteral("ERR_UNC_EVAL_ROROVA_MISSING"));
            context.pusErrorDescription = message(key).replace(QStringLiteral("%1"), xmlSource);
            context.pulErrorNumber = 0;
        }
        if (context.pulLevelSuivi > 0)
            SetinfoLog(FinStartModule, QString::number(context.pulStateEnCours), context.pusErrorDescription);
    });
    if (error) {
        context.pulStateEnCours =
            context.failedStep(enuFunctionReturnState_Netrova_clsBarreManager_StartModule_ErreurInconnue);
        context.recordError(*error, scope);
        if (context.pulLevelSuivi > 0)
            SetinfoLog(FinStartModuleErrorVB, QString::number(context.pulStateEnCours), context.pusErrorDescription);
        return false;
    }
    scope.value(QStringLiteral("pulStateEnCours"), QString::number(context.pulStateEnCours));
    return result;
}

bool clsBarreManager::LanceSequence(long ilIdSeqThematique, const QString& isTitreFenetre, long ilIdVideo,
                                    const QString& isDebut, long& ilIdSeqSansSon)
{
    // The page may let go of the session while the video's record arrives.
    const auto keepAlive = weak_from_this().lock();
    NetrovaContext& context = context_;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function LanceSequence"));
    scope.value(QStringLiteral("ilIdSeqThematique"), QString::number(ilIdSeqThematique));
    scope.value(QStringLiteral("ilIdVideo"), QString::number(ilIdVideo));
    const bool tracking = context.pulLevelSuivi > 1;
    if (tracking)
        SetinfoLog(DebutLanceSequence);
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        long idQuestion = 0;
        QString type;
        if (!piRenseigneVideoFromIndex(ilIdVideo, idQuestion, type)) {
            scope.line(QStringLiteral("piRenseigneVideoFromIndex retourne false"));
            if (tracking)
                SetinfoLog(FinLanceSequenceErrorVideo);
            return;
        }
        const auto videoObject = require(currentAppli()).VideoByType(idQuestion, type);
        const lumaro::Video& video = require(videoObject);
        // The sequence of the silent version: an identifier no sequence bears is refused before anything shows.
        const auto silentSequence = [&](long& id) {
            long index = id;
            const QString start = video.DebutDUneSeqByIdSeq(index);
            if (index < 0)
                throw platform::RuntimeError(platform::SubscriptOutOfRange,
                                             QStringLiteral("séquence inconnue : ") + QString::number(id));
            id = index;
            return start;
        };

        if (type != QStringLiteral("Y")) {
            if (!video_->player() && !InitVideoOnly()) {
                if (tracking)
                    SetinfoLog(FinLanceSequenceErrorInitVideo);
                return;
            }
            video_->applySound(video);
            QString start = isDebut;
            long sequence = 0;
            if (!require(video_->player()).AvecSon()) {
                long copy = ilIdSeqSansSon;
                start = silentSequence(copy);
                sequence = copy;
            }
            if (!video_->piAfficheVideo(video, isTitreFenetre, start, sequence, hostsession::VideoOrigin::Index)) {
                scope.line(QStringLiteral("piAfficheVideo retourne false"));
                return;
            }
        } else {
            if (!pioKavBarre_ && !InitBarre(context.langueId, true)) {
                scope.line(QStringLiteral("erreur kav InitBarre retourne false"));
                if (tracking)
                    SetinfoLog(FinLanceSequenceErrorBarre);
                return;
            }
            lumaro::Manager& player = require(pioKavBarre_);
            player.ModeMediaInet(ModeMediaInet());
            if (ModeMediaInet()) {
                const lumaro::Appli& appli = require(currentAppli());
                scope.line(QStringLiteral("Call pioKavBarre.setUrlMedias(") + appli.URLLivre() + QStringLiteral(", ")
                           + appli.URLVideo() + u')');
                player.setUrlMedias(appli.URLLivre(), appli.URLVideo());
            } else if (!checkMediaFolder(enuFunctionReturnState_Netrova_clsBarreManager_LanceSequence_BadCDRomVideo,
                                         enuFunctionReturnState_Netrova_clsBarreManager_LanceSequence_BadUNCVideo,
                                         scope)) {
                return;
            }
            long index = ilIdSeqSansSon;
            silentSequence(index);
            ilIdSeqSansSon = index;
            if (!player.LanceNewMedia(videoObject, index, pisPathMediaAppli, pisExtensionFichierVideo)) {
                takePlayerError();
                scope.line(QStringLiteral("erreur kav LanceNewMedia retourne false"));
                if (tracking)
                    SetinfoLog(FinLanceSequenceErrorNewMedia, QString::number(context.pulStateEnCours),
                               context.pusErrorDescription);
                return;
            }
            if (context.windows && pilHandleAppelant != 0)
                context.windows->minimise(pilHandleAppelant);
        }
        pilLanceDepuisIndex = -1;
        context.pulStateEnCours = OK;
        if (tracking)
            SetinfoLog(FinLanceSequence);
        result = true;
    });
    if (error) {
        context.pulStateEnCours =
            context.failedStep(enuFunctionReturnState_Netrova_clsBarreManager_LanceSequence_ErreurInconnue);
        context.recordError(*error, scope);
        if (tracking)
            SetinfoLog(FinLanceSequenceErrorVB, QString::number(context.pulStateEnCours), context.pusErrorDescription);
        return false;
    }
    return result;
}

bool clsBarreManager::InitUrlMedia()
{
    NetrovaContext& context = context_;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function InitUrlMedia"));
    if (context.pulLevelSuivi > 0)
        SetinfoLog(DebutInitUrlMedia);
    context.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_InitUrlMedia_ErreurKavParc;
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        // A model of an earlier start is closed, not just dropped.
        releaseCourseModel(scope);
        pioKavParc = std::make_shared<lumaro::ContexteManager>(context.lumaroContext);
        if (context.trace.level() >= 1) {
            scope.line(QStringLiteral("initialisation du débogage sur pioKavParc.Manager"));
            pioKavParc->PathParent(context.traceFolder());
            pioKavParc->LevelTracelage(context.trace.level());
        }
        const platform::OleDate now =
            platform::OleDate::fromDateTime(context.clock().now()).value_or(platform::OleDate());
        if (!pioKavParc->CreateManager(lumaro::TypeSimplifie, platform::OleDate(now.serial() - pidteDifDateServer))) {
            context.pulStateEnCours = pioKavParc->StateEnCours();
            context.pulErrorNumber = pioKavParc->LastErrorNumber();
            context.pusErrorDescription = pioKavParc->LastErrorString();
            if (context.pulLevelSuivi > 1)
                SetinfoLog(FinInitUrlMediaErrorVB, QString::number(context.pulStateEnCours),
                           context.pusErrorDescription);
            return;
        }
        context.pulStateEnCours = OK;
        result = piRenseigneAppli();
        if (context.pulLevelSuivi > 0)
            SetinfoLog(FinInitUrlMedia);
    });
    if (error) {
        context.recordError(*error, scope);
        if (context.pulLevelSuivi > 1)
            SetinfoLog(FinInitUrlMediaErrorVB, QString::number(context.pulStateEnCours), context.pusErrorDescription);
        return false;
    }
    return result;
}

bool clsBarreManager::piGereFichiersLocaux()
{
    const auto keepAlive = weak_from_this().lock();
    hostsession::WorkFilesSource source;
    source.typeDownload = pilTypeDownload;
    source.serverBase = context_.pusURLBaseDownloadFiles;
    source.pathDownloadRorova = pisPathDownloadRorova;
    source.urlDownloadRorova = urlDownloadRorova_;
    source.typeFormEval = typeFormEval_;
    source.nomAppli = NomAppli();
    source.idAppli = pilIdAppli;
    const auto module = pioKavParc ? pioKavParc->ModuleEnCours() : nullptr;
    const auto appli = pioKavParc ? pioKavParc->Appli(pilIdAppli) : nullptr;
    if (!module || !appli) {
        context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piGereFichiersLocaux_Erreur;
        const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                       QStringLiteral("Private Function piGereFichiersLocaux"));
        context_.recordError(platform::RuntimeError(platform::ObjectNotSet), scope);
        return false;
    }
    return workFiles_->piGereFichiersLocaux(*module, *appli, source, pibModuleExerva);
}

long clsBarreManager::piTypeATelecharger(long mask)
{
    const auto appli = pioKavParc ? pioKavParc->Appli(pilIdAppli) : nullptr;
    if (!appli)
        return 0;
    return workFiles_->piTypeATelecharger(mask, *appli, pilIdAppli);
}

void clsBarreManager::piRemoveDllMonoposte(long ilType)
{
    workFiles_->piRemoveDllMonoposte(ilType, pilIdAppli);
}

void clsBarreManager::BoutonQuitter()
{
    const auto keepAlive = weak_from_this().lock();
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioKavBarre_BoutonQuitter"));
    const auto module = pioKavParc ? pioKavParc->ModuleEnCours() : nullptr;
    if (module && module->TypeModule() == lumaro::TYPEevaluation) {
        scope.line(QStringLiteral("Call piQuitterModule(WithoutMajResult)"));
        piQuitterModule(WithoutMajResult);
    } else {
        scope.line(QStringLiteral("Call piQuitterModule(WithMajResult)"));
        piQuitterModule(WithMajResult);
    }
}

void clsBarreManager::BoutonQuitterExoApp()
{
    const auto keepAlive = weak_from_this().lock();
    // The application exercise has nothing to score.
    resultReport_ = {ResultFate::NothingAnswered, {}};
    emit QuitterModuleForm();
}

void clsBarreManager::FinModule()
{
    const auto keepAlive = weak_from_this().lock();
    piQuitterModule(WithMajResult);
}

void clsBarreManager::AfficherAide(QString&) {}

void clsBarreManager::VisuVideo(long& ilIdQuestion, lumaro::TypeVideo& ieTypeVideo, QString& isTitreFenetre)
{
    const auto keepAlive = weak_from_this().lock();
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioKavBarre_VisuVideo"));
    std::shared_ptr<lumaro::Video> video;
    // A question without that video, or no application, is told to the learner by the display.
    if (const auto appli = pioKavParc ? pioKavParc->Appli(pilIdAppli) : nullptr) {
        scope.line(ieTypeVideo == lumaro::TypeCorrige ? QStringLiteral("TypeCorrige") : QStringLiteral("TypeLecon"));
        video = ieTypeVideo == lumaro::TypeCorrige ? appli->Corrige(ilIdQuestion) : appli->Lecon(ilIdQuestion);
    }
    PlayerWindow window([this] { return pioKavBarre_.get(); });
    video_->VisuVideo(video, isTitreFenetre, window);
}

void clsBarreManager::FinVideo()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioKavBarre_FinVideo"));
    if (pilLanceDepuisIndex != -1)
        return;
    scope.line(QStringLiteral("lancé depuis l'index"));
    if (context_.windows && pilHandleAppelant != 0)
        context_.windows->showNormal(pilHandleAppelant);
}

void clsBarreManager::onExitVideo(hostsession::VideoOrigin origin)
{
    const auto keepAlive = weak_from_this().lock();
    // Only a question's own video hid the question window.
    if (origin == hostsession::VideoOrigin::Question && pioKavBarre_)
        pioKavBarre_->RetourAfficherVideoManager();
}

}  // namespace netrova
