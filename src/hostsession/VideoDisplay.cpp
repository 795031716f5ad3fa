#include "VideoDisplay.h"

#include "ModuleSession.h"

#include "toolkit/KavReg.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Video.h"
#include "lumaro/player/kavMsgBoxStyle.h"
#include "platform/ErrorTrap.h"
#include "platform/Paths.h"
#include "vidora/CAsfVideoKav.h"
#include "vidora/VidoraContext.h"

#include <QFileInfo>
#include <QUrl>

namespace hostsession {

namespace {

constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;
const QString soundKey = QStringLiteral("Quelvoro Inet\\IHM Client");

}  // namespace

VideoDisplay::VideoDisplay(ModuleSession& session, toolkit::SessionState& state, VideoDisplaySettings settings,
                           VideoDisplayServices services)
    : session_(session), state_(state), settings_(std::move(settings)), services_(std::move(services))
{
}

VideoDisplay::~VideoDisplay()
{
    releasePlayer();
}

QString VideoDisplay::message(const QString& key) const
{
    return services_.message ? services_.message(key) : QString();
}

std::shared_ptr<toolkit::KavReg> VideoDisplay::registry() const
{
    return services_.registry ? services_.registry() : nullptr;
}

bool VideoDisplay::createPlayer()
{
    if (player_)
        return true;
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, settings_.moduleName,
                                   QStringLiteral("Private Function piInitVVidora"));
    state_.pulStateEnCours = settings_.codeCreatePlayer;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        scope.line(QStringLiteral("instanciation de pioVVidora"));
        vidora::VidoraContext& context =
            services_.vidora ? *services_.vidora : vidora::VidoraContext::processDefault();
        auto made = std::make_unique<vidora::CAsfVideoKav>(context);
        // A player whose window could not be made reports it at once; it is
        // dropped so that the next video tries again.
        if (made->StateErrorEnCours() != OK || !made->window()) {
            state_.pulStateEnCours = made->StateErrorEnCours() != OK ? made->StateErrorEnCours()
                                                                      : settings_.codeCreatePlayer;
            state_.pulErrorNumber = made->LastErrorNumber();
            state_.pusErrorDescription = made->LastError();
            scope.value(QStringLiteral("pioVVidora.StateErrorEnCours"), QString::number(made->StateErrorEnCours()));
            return;
        }
        const long level = services_.traceLevel ? services_.traceLevel() : 0;
        made->LevelTracelage(level);
        const QString folder = services_.traceFolder ? services_.traceFolder() : QString();
        if (!folder.isEmpty())
            made->PathTracel(folder);
        connect(made.get(), &vidora::CAsfVideoKav::ExitVideo, this, &VideoDisplay::onPlayerExit,
                Qt::DirectConnection);
        player_ = std::move(made);
        state_.pulStateEnCours = OK;
        piInitLibellesVideo();
    });
    if (error) {
        state_.pulStateEnCours = settings_.codeCreatePlayerUnexpected;
        state_.recordError(*error, scope);
        return false;
    }
    return player_ != nullptr;
}

void VideoDisplay::releasePlayer()
{
    auto player = std::move(player_);
    if (!player)
        return;
    player->disconnect(this);
    // The window goes first, so that no video goes on playing behind a released player.
    player->HideFrmVideo();
}

void VideoDisplay::piInitLibellesVideo()
{
    vidora::CAsfVideoKav* player = player_.get();
    if (!player)
        return;
    player->LblNoSeqToolTipText(message(QStringLiteral("VIDEOASF_LblNoSeqtooltiptext")));
    player->PauseToolTipText(message(QStringLiteral("VIDEOASF_Pausetooltiptext")));
    player->picAvecOuSansSonToolTipText(message(QStringLiteral("VIDEOASF_CmdAvecOuSansSontooltiptext")));
    player->PlayToolTipText(message(QStringLiteral("VIDEOASF_Playtooltiptext")));
    player->SeqArToolTipText(message(QStringLiteral("VIDEOASF_SeqArtooltiptext")));
    player->SeqAvToolTipText(message(QStringLiteral("VIDEOASF_SeqAvtooltiptext")));
    player->SeqSlideToolTipText(message(QStringLiteral("VIDEOASF_SeqSlidetooltiptext")));
    player->StopToolTipText(message(QStringLiteral("VIDEOASF_Stoptooltiptext")));
    player->VolSlideToolTipText(message(QStringLiteral("VIDEOASF_ValSlidetooltiptext")));
    player->lblAide(0, message(QStringLiteral("VIDEOASF_LblAide0")));
    player->lblAide(1, message(QStringLiteral("VIDEOASF_LblAide1")));
    player->Copyright(message(QStringLiteral("GENERAL_COPYRIGHT")));
}

bool VideoDisplay::piInitSon()
{
    state_.pulStateEnCours = OK;
    const auto reg = registry();
    if (!reg)
        return true;
    if (session_.piInitSon(*reg))
        return true;
    state_.pulStateEnCours = settings_.codeInitSon;
    return false;
}

void VideoDisplay::applySound(const lumaro::Video& video)
{
    vidora::CAsfVideoKav& player = platform::require(player_);
    player.PasSansSon(video.PasSansSon());
    player.AvecSon(player.PasSansSon() ? true : session_.pibAvecSon);
    player.VolumeInitial(session_.pilNiveauVolume);
}

QString VideoDisplay::questionVideoStart(const lumaro::Video& video) const
{
    if (player_ && player_->AvecSon())
        return QStringLiteral("00:00:00");
    const QString start = video.NbSeq() > 0 ? video.DebutDUneSeq(0) : QString();
    return start.isEmpty() ? QStringLiteral("00:00:00") : start;
}

void VideoDisplay::playerFailed(long code, const tracel::TraceScope& scope)
{
    vidora::CAsfVideoKav& player = platform::require(player_);
    const long playerCode = player.StateErrorEnCours();
    state_.pulStateEnCours = settings_.keepPlayerStepCode && playerCode != OK ? playerCode : code;
    state_.pulErrorNumber = player.LastErrorNumber();
    state_.pusErrorDescription = player.LastError();
    if (state_.pulErrorNumber > 0)
        scope.line(QStringLiteral("erreur kav ") + QString::number(state_.pulErrorNumber) + QStringLiteral(" : ")
                   + state_.pusErrorDescription);
    player.ClearError();
}

bool VideoDisplay::piAfficheVideo(const lumaro::Video& video, const QString& isTitreFenetre, const QString& isDebut,
                                  long ilNumSeqDebut, VideoOrigin origin)
{
    const std::weak_ptr<char> alive = alive_;
    toolkit::SessionState& state = state_;
    const tracel::TraceScope scope(state.trace, tracel::TypeClass, settings_.moduleName,
                                   QStringLiteral("Private Function piAfficheVideo"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        vidora::CAsfVideoKav& player = platform::require(player_);
        player.TitreFenetreVideo(isTitreFenetre);
        const bool cdRom = session_.MediaOnCDRom();
        const long missingCode = cdRom ? settings_.codeBadCDRomVideo : settings_.codeBadUNCVideo;
        // The name comes from the server: one file of the media folder, nothing else.
        const QString file = video.FichierVideo();
        if (!platform::paths::isPlainFileName(file)) {
            state.pulStateEnCours = missingCode;
            state.recordError(platform::RuntimeError(platform::BadFileName,
                                                     QStringLiteral("Nom de vidéo refusé : ") + file),
                              scope);
            return;
        }
        QString source;
        if (session_.ModeMediaInet()) {
            source = session_.URLMediaAppli()
                     + QString::fromUtf8(QUrl::toPercentEncoding(file + session_.ExtensionFichierVideo()));
            player.TypeServeurDiffusion(vidora::MMSServeurMicrosoftMedia);
        } else {
            const QString extension =
                settings_.localExtension.isEmpty() ? session_.ExtensionFichierVideo() : settings_.localExtension;
            source = session_.PathMediaAppli() + file + extension;
            player.TypeServeurDiffusion(vidora::UNCSansServeur);
            const QString found = platform::paths::findExisting(platform::paths::fromData(source));
            scope.value(QStringLiteral("Dir(sCheminVideo)"), QFileInfo(found).isFile() ? found : QString());
            if (!QFileInfo(found).isFile()) {
                scope.line(QStringLiteral("erreur kav ERR_VIDEO_NOT_FOUND"));
                state.pulStateEnCours = missingCode;
                state.pusErrorDescription =
                    message(cdRom ? QStringLiteral("ERR_VIDEO_NOT_FOUND") : QStringLiteral("ERR_VIDEO_NOT_FOUND_UNC"))
                        .replace(QStringLiteral("%1"), source);
                state.pulErrorNumber = 0;
                return;
            }
        }
        if (!player.ShowFrmVideo()) {
            scope.line(QStringLiteral("ShowFrmVideo retourne false"));
            playerFailed(settings_.codeShowFrmVideo, scope);
            return;
        }
        origin_ = origin;
        const short launched =
            player.LanceVideo(source, isDebut + u'#' + video.DureeVideo(), video.TempsSeq(), video.HtmSeq(),
                              static_cast<short>(std::min<long>(video.NbSeq(), 32767)), ilNumSeqDebut);
        // The launch waits for the video with the event loop running.
        if (alive.expired())
            return;
        if (launched != -1) {
            scope.line(QStringLiteral("LanceVideo retourne false"));
            playerFailed(settings_.codeLanceVideo, scope);
            return;
        }
        state.pulStateEnCours = OK;
        result = true;
    });
    if (error && !alive.expired())
        state.recordError(*error, scope);
    return result && !alive.expired();
}

void VideoDisplay::VisuVideo(const std::shared_ptr<lumaro::Video>& video, const QString& isTitreFenetre,
                             QuestionWindow& bar)
{
    const std::weak_ptr<char> alive = alive_;
    toolkit::SessionState& state = state_;
    const tracel::TraceScope scope(state.trace, tracel::TypeClass, settings_.moduleName,
                                   QStringLiteral("Private Sub pioKavBarre_VisuVideo"));
    state.pulStateEnCours = OK;
    bool shown = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const lumaro::Video& played = platform::require(video);
        if (settings_.readSoundEachVideo && !piInitSon())
            return;
        if (!createPlayer())
            return;
        applySound(played);
        const QString start = questionVideoStart(played);
        shown = piAfficheVideo(played, isTitreFenetre, start, 0, VideoOrigin::Question);
    });
    if (alive.expired())
        return;
    if (error)
        state.recordError(*error, scope);
    if (shown) {
        bar.CacherBarrePourVideo();
        return;
    }
    scope.line(QStringLiteral("piAfficheVideo retourne false"));
    const QString text = state.pulStateEnCours > OK
                             ? message(QStringLiteral("ERR_CONNUE")) + QString::number(state.pulStateEnCours)
                             : message(QStringLiteral("ERR_INCONNUE")) + QString::number(state.pulErrorNumber);
    bar.AfficheMessageBoxBarre(text + QStringLiteral(" : ") + state.pusErrorDescription,
                               lumaro::kavOk + lumaro::kavAlert);
    if (alive.expired())
        return;
    bar.RetourAfficherVideoManager();
}

void VideoDisplay::onPlayerExit()
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, settings_.moduleName,
                                   QStringLiteral("Private Sub pioVVidora_ExitVideo"));
    if (vidora::CAsfVideoKav* player = player_.get()) {
        session_.pibAvecSon = player->AvecSon();
        session_.pilNiveauVolume = player->VolumeInitial();
    }
    if (const auto reg = registry()) {
        reg->SetValue(toolkit::KavReg::CurrentUser, soundKey, QStringLiteral("InitAvecSon"),
                      session_.pibAvecSon ? QStringLiteral("True") : QStringLiteral("False"), 0);
        reg->SetValue(toolkit::KavReg::CurrentUser, soundKey, QStringLiteral("InitVolSon"),
                      QString::number(session_.pilNiveauVolume), 0);
    }
    emit ExitVideo(origin_);
}

}  // namespace hostsession
