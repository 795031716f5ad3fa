// LanceVideo: the launch of one video in the player window.

#include "CAsfVideoKav.h"

#include "Fonctions.h"
#include "SequencePages.h"
#include "VidoraContext.h"
#include "VolumeOcx.h"
#include "frmVideo.h"

#include "platform/ErrorTrap.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/Timers.h"

#include <QPointer>
#include <QUrl>

namespace vidora {

namespace {

const QString moduleName = QStringLiteral("CAsfVideoKav");

// Where the media player finds the video of that server type.
QUrl sourceAddress(eTypeServeurDiffusion type, const QString& source)
{
    if (type == UNCSansServeur)
        return QUrl::fromLocalFile(platform::paths::findExisting(platform::paths::fromData(source)));
    return QUrl(source, QUrl::StrictMode);
}

}  // namespace

short CAsfVideoKav::LanceVideo(const QString& siUrlSource, const QString& siDebutFin, const QStringList& asiTime,
                               const QStringList& asiTexteVideo, short iiNbrSeq, long ilNumSeqDebut)
{
    // The wait for the video lets the host run: it may destroy this object.
    const QPointer<CAsfVideoKav> alive(this);
    VidoraContext& context = context_;
    bool destroyed = false;
    bool launched = false;
    auto scope = std::make_unique<tracel::TraceScope>(context.trace, tracel::TypeClass, moduleName,
                                                      QStringLiteral("Public Function LanceVideo"));
    scope->value(QStringLiteral("siUrlSource"), siUrlSource);
    scope->value(QStringLiteral("siDebutFin"), siDebutFin);
    scope->value(QStringLiteral("iiNbrSeq"), QString::number(iiNbrSeq));
    scope->value(QStringLiteral("ilNumSeqDebut"), QString::number(ilNumSeqDebut));

    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        frmVideo& window = platform::require(pioFrmVideo_);
        context.sUrlSource = siUrlSource.isEmpty() ? QStringLiteral("kav") : siUrlSource;
        scope->value(QStringLiteral("sUrlSource"), context.sUrlSource);

        context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_SetFile;
        if (!loadSource()) {
            destroyed = !alive;
            return;
        }
        if (typeServeur_ == UNCSansServeur)
            scope->line(QStringLiteral("UNCSansServeur"));
        else if (typeServeur_ == MMSServeurMicrosoftMedia)
            scope->line(QStringLiteral("MMSServeurMicrosoftMedia"));
        window.piPositionneFenetres(context.screenSize ? context.screenSize() : QSize(800, 600));

        context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionVolume;
        if (!prepareVolume())
            return;

        context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionSansSon;
        prepareMode();

        context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionTiming;
        readRange(siDebutFin);

        platform::MediaPlayer& player = window.player();
        if (context.pubPasSansSon) {
            window.disableSwitch();
            player.setPosition(context.pudTimeDebut);
            window.setTimLunette(false);
        } else {
            scope->line(QStringLiteral("affectation des timing de séquence dans un tableau public"));
            window.showSwitch();
            context.sequenceTimes = asiTime;
            context.sequenceCount = iiNbrSeq;
            if (!puMiseEnFormeDesTiming(context))
                return;

            context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_GestionHTM;
            writePages(asiTexteVideo);

            context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_PositionVideo;
            if (ilNumSeqDebut < 0 || ilNumSeqDebut >= context.sequenceCount)
                throw platform::RuntimeError(platform::SubscriptOutOfRange,
                                             QStringLiteral("Séquence de départ %1 hors des %2 séquences")
                                                 .arg(ilNumSeqDebut)
                                                 .arg(context.sequenceCount));
            context.pulSeqEnCours = ilNumSeqDebut;
            scope->value(QStringLiteral("pulSeqEnCours"), QString::number(context.pulSeqEnCours));
            if (context.pubAvecSon) {
                player.setPosition(context.pudTimeDebut);
                window.setTimLunette(false);
            } else {
                player.setPosition(context.puaadTimeOfSequences[context.pulSeqEnCours][0]);
                window.showSequencePage(context.pulSeqEnCours);
                window.setTimLunette(true);
            }
        }
        if (context.pubAvecSon)
            window.showCounter(1, 1);
        else
            window.showCounter(context.pulSeqEnCours + 1, context.sequenceCount);

        context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_tcPlay;
        scope->value(QStringLiteral("TeleCommande.tcPlay.Value"), context.pubAvecSon ? QStringLiteral("Vrai")
                                                                                    : QStringLiteral("Faux"));
        window.launchPlay(context.pubAvecSon);
        const long step = context.pulStateErreurEnCours;
        if (step != basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_tcPlay
            && step != basalo::enuFunctionReturnState_General_Traitement_OK)
            return;
        if (player.error() != platform::MediaPlayer::Error::None)
            scope->line(QStringLiteral("erreur kav %1 : %2").arg(static_cast<int>(player.error())).arg(player.errorText()));

        if (!window.isVisible()) {
            scope->line(QStringLiteral("pioFrmVideo.Show"));
            // The layout fills the screen.
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
            window.show();
        }
        window.armExit();
        context.pulStateErreurEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
        context.showHourglass(false);
        scope->value(QStringLiteral("LanceVideo OK, pulStateErreurEnCours"),
                     QString::number(context.pulStateErreurEnCours));
        launched = true;
    });
    if (destroyed) {
        scope.reset();
        context.showHourglass(false);
        return 0;
    }
    if (error)
        context.recordError(*error, tracel::TypeClass, moduleName);
    if (launched)
        return -1;
    scope.reset();
    fail();
    return 0;
}

bool CAsfVideoKav::fail()
{
    context_.showHourglass(false);
    if (pioFrmVideo_)
        pioFrmVideo_->hideForHost();
    return false;
}

bool CAsfVideoKav::loadSource()
{
    const QPointer<CAsfVideoKav> alive(this);
    VidoraContext& context = context_;
    platform::MediaPlayer& player = pioFrmVideo_->player();
    const QUrl address = sourceAddress(typeServeur_, context.sUrlSource);
    player.open(address);
    // A document the player cannot reach or read ends the launch with the
    // player's reason; one that neither opens nor fails, after the time-out.
    const QPointer<platform::MediaPlayer> watched(&player);
    platform::require(context.timers).waitUntil(
        [&] { return !alive || !watched || player.openState() != platform::MediaPlayer::OpenState::Opening; },
        context.openTimeout);
    if (!alive)
        return false;
    if (!watched)
        throw platform::RuntimeError(platform::ObjectNotSet);
    switch (player.openState()) {
    case platform::MediaPlayer::OpenState::Open:
        return true;
    case platform::MediaPlayer::OpenState::Opening:
        player.close();
        throw platform::RuntimeError(platform::AutomationError,
                                     QStringLiteral("La vidéo %1 ne s'est pas ouverte en %2 s")
                                         .arg(address.toString())
                                         .arg(context.openTimeout.count() / 1000.0));
    default:
        throw platform::RuntimeError(platform::AutomationError,
                                     player.errorText().isEmpty()
                                         ? QStringLiteral("La vidéo %1 ne peut pas être lue").arg(address.toString())
                                         : player.errorText());
    }
}

bool CAsfVideoKav::prepareVolume()
{
    VidoraContext& context = context_;
    frmVideo& window = *pioFrmVideo_;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function GestionVolume"));
    auto traceVolumes = [&] {
        scope.value(QStringLiteral("pulVolumeInitial"), QString::number(context.pulVolumeInitial));
        scope.value(QStringLiteral("pulMemVolume"), QString::number(context.pulMemVolume));
        scope.value(QStringLiteral("pulMemOrigineVolume"), QString::number(context.pulMemOrigineVolume));
    };
    traceVolumes();
    scope.value(QStringLiteral("pubWithSoundCard"), context.pubWithSoundCard ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    if (context.pulVolumeInitial != -1) {
        context.pulMemVolume = std::clamp<long>(context.pulVolumeInitial, 0, platform::MediaPlayer::maxVolume);
        if (context.pubWithSoundCard && !GetVolumeSon(context, &window.player(), context.pulMemOrigineVolume))
            return false;
    } else if (context.pubWithSoundCard) {
        if (!GetVolumeSon(context, &window.player(), context.pulMemVolume))
            return false;
        context.pulMemOrigineVolume = context.pulMemVolume;
    } else {
        context.pulMemOrigineVolume = context.pulMemVolume;
    }
    traceVolumes();
    window.showVolume();
    return true;
}

void CAsfVideoKav::prepareMode()
{
    VidoraContext& context = context_;
    frmVideo& window = *pioFrmVideo_;
    context.trace.write(tracel::TypeClass, moduleName,
                        QStringLiteral("pubPasSansSon = %1").arg(context.pubPasSansSon ? -1 : 0));
    context.trace.write(tracel::TypeClass, moduleName,
                        QStringLiteral("pubAvecSon = %1").arg(context.pubAvecSon ? -1 : 0));
    if (context.pubPasSansSon)
        context.pubAvecSon = true;
    if (context.pubAvecSon)
        window.showSoundMode();
    else
        window.showTextMode();
    window.startVolumePoll();
}

void CAsfVideoKav::readRange(const QString& siDebutFin)
{
    VidoraContext& context = context_;
    const TimeRange range = readTimeRange(siDebutFin);
    context.pudTimeDebut = range.start;
    context.pudTimeFin = range.end - 1;
    context.trace.write(tracel::TypeClass, moduleName, QStringLiteral("pudTimeDebut = %1").arg(context.pudTimeDebut));
    context.trace.write(tracel::TypeClass, moduleName, QStringLiteral("pudTimeFin = %1").arg(context.pudTimeFin));
    // The position slider of sound mode, which the learner may switch to at
    // any time, divides by the range's length.
    if (context.pudTimeFin == context.pudTimeDebut)
        throw platform::RuntimeError(platform::InvalidProcedureCall,
                                     QStringLiteral("Plage sans durée : \"%1\"").arg(siDebutFin));
    if (context.pudTimeFin < context.pudTimeDebut)
        throw platform::RuntimeError(platform::InvalidProcedureCall,
                                     QStringLiteral("Plage à l'envers : \"%1\"").arg(siDebutFin));
}

void CAsfVideoKav::writePages(const QStringList& asiTexteVideo)
{
    VidoraContext& context = context_;
    SequencePages& pages = pioFrmVideo_->pages();
    // Pages of an earlier, longer video go first.
    pages.removeAll();
    for (qsizetype i = 0; i < asiTexteVideo.size(); ++i) {
        context.trace.write(tracel::TypeClass, moduleName, QStringLiteral("Création du fichier HTM%1.htm").arg(i));
        pages.write(i, asiTexteVideo.at(i));
        context.trace.write(tracel::TypeClass, moduleName, QStringLiteral("Fichier Fermé"));
    }
}

}  // namespace vidora
