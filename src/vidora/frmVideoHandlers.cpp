// The window's handlers: the remote control, the sliders, the mute box, the
// sound/text switch, the timers and the exit.

#include "frmVideo.h"

#include "Fonctions.h"
#include "SequencePages.h"
#include "VidoraContext.h"
#include "VolumeOcx.h"

#include "platform/ErrorTrap.h"
#include "platform/MediaPlayer.h"
#include "platform/Timer.h"
#include "toolkit/usrButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QWebEngineView>

#include <algorithm>
#include <chrono>

namespace vidora {

namespace {

const QString moduleName = QStringLiteral("frmVideo");
constexpr auto sequenceTick = std::chrono::milliseconds(5);
constexpr long Up = toolkit::usrButton::PositionUp;
constexpr long Down = toolkit::usrButton::PositionDown;
constexpr long Disabled = toolkit::usrButton::PositionDisabled;

// A player call that did not take: the player's own reason.
void requireNoFailure(const platform::MediaPlayer& player)
{
    if (player.openState() == platform::MediaPlayer::OpenState::Failed)
        throw platform::RuntimeError(platform::AutomationError, player.errorText());
}

}  // namespace

// Counts the handlers running, so that the player object defers deleting a
// window whose handler raised the exit.
class frmVideo::Handling {
public:
    explicit Handling(frmVideo& window) : window_(window) { ++window_.handling_; }
    ~Handling() { --window_.handling_; }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

private:
    frmVideo& window_;
};

bool frmVideo::guarded(bool alsoDuringLaunch) const
{
    const long step = context_.pulStateErreurEnCours;
    if (shutDown_)
        return false;
    return step == basalo::enuFunctionReturnState_General_Traitement_OK
           || (alsoDuringLaunch && step == basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_tcPlay);
}

template <typename Body>
void frmVideo::handle(const QString& declaration, Body&& body)
{
    const Handling handling(*this);
    const tracel::TraceScope scope(context_.trace, tracel::TypeForm, moduleName, declaration);
    if (const auto error = platform::trapError(platform::InvalidProcedureCall, std::forward<Body>(body)))
        context_.recordError(*error, tracel::TypeForm, moduleName);
}

double frmVideo::sequenceStart(long index) const
{
    if (index < 0 || index >= maxSequences)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    return context_.puaadTimeOfSequences[index][0];
}

double frmVideo::sequenceEnd(long index) const
{
    if (index < 0 || index >= maxSequences)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    return context_.puaadTimeOfSequences[index][1];
}

bool frmVideo::sequencePlayed(long index, double position) const
{
    const double start = sequenceStart(index);
    const double end = sequenceEnd(index);
    if (position >= end && end > start)
        return true;
    // A sequence of no length is a text alone, and one the document stops
    // short of has nothing more to show: each is read, then left with play.
    if (selected_ != tcPlay)
        return false;
    const double length = player_->duration();
    return position >= end || playedToEnd() || (length > 0 && start >= length);
}

long frmVideo::lastSequence() const
{
    return std::min<long>(context_.sequenceTimes.size(), context_.sequenceCount) - 1;
}

bool frmVideo::playedToEnd() const
{
    return player_->openState() == platform::MediaPlayer::OpenState::Open
           && player_->state() == platform::MediaPlayer::State::Stopped && player_->duration() > 0
           && player_->position() >= player_->duration();
}

void frmVideo::applyVolume()
{
    if (!context_.pubWithSoundCard)
        return;
    const bool audible = context_.pubAvecSon && !chkVolume_->isChecked();
    if (!SetVolumeSon(context_, player_.get(), audible ? context_.pulMemVolume : 0))
        throw platform::RuntimeError(context_.lastError.number(), context_.lastError.text());
}

void frmVideo::selectOption(TeleCommande option)
{
    // An option the guard refuses stays unselected, so that it works once allowed.
    if (selected_ == option || !guarded(true))
        return;
    optTelecommande_Click(option);
}

void frmVideo::kavbtnPlay_MouseDown()
{
    selectOption(tcPlay);
}

void frmVideo::kavbtnPause_MouseDown()
{
    selectOption(tcPause);
}

void frmVideo::kavbtnStop_MouseDown()
{
    optTelecommande_Click(tcStop);
}

void frmVideo::kavbtnPrecedent_Click()
{
    cmdTelecommande_Click(tcSequenceArriere);
}

void frmVideo::kavbtnSuivant_Click()
{
    cmdTelecommande_Click(tcSequenceAvant);
}

void frmVideo::kavbtnQuitter_Click()
{
    cmdExit_Click();
}

void frmVideo::optTelecommande_Click(TeleCommande option)
{
    if (!guarded(true))
        return;
    selected_ = option;
    const Handling handling(*this);
    const tracel::TraceScope scope(context_.trace, tracel::TypeForm, moduleName,
                                   QStringLiteral("Private Sub optTelecommande_Click"));
    scope.value(QStringLiteral("Index"), QString::number(option));
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        switch (option) {
        case tcPlay:
            setLooks(Down, Up, Up);
            player_->play();
            requireNoFailure(*player_);
            applyVolume();
            Timer1_->start(sequenceTick);
            if (!context_.pubAvecSon)
                timLunette_ = false;
            break;
        case tcPause:
            if (player_->openState() == platform::MediaPlayer::OpenState::Open) {
                setLooks(Up, Down, Up);
                player_->pause();
            }
            break;
        case tcStop:
            setLooks(Up, Up, Down);
            piStopPlayer();
            break;
        default:
            break;
        }
    });
    if (!error)
        return;
    context_.recordError(*error, tracel::TypeForm, moduleName);
    const long step = context_.pulStateErreurEnCours;
    if (step == basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_LanceVideo_tcPlay
        || step == basalo::enuFunctionReturnState_VVidora_VolumeOcx_SetVolumeSon_ErreurInconnue)
        context_.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_frmVideo_optTelecommandeClick_ErreurInconnue;
}

bool frmVideo::piStopPlayer()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeForm, moduleName,
                                   QStringLiteral("Private Function piStopPlayer"));
    player_->stop();
    setSliderValue(sldTelecommande_, 0);
    Timer1_->stop();
    if (!context_.pubAvecSon) {
        context_.pulSeqEnCours = 0;
        player_->setPosition(sequenceStart(0));
        showCounter(1, context_.sequenceCount);
        showSequencePage(0);
        timLunette_ = true;
    } else {
        player_->setPosition(context_.pudTimeDebut);
        applyVolume();
        showCounter(1, 1);
    }
    return true;
}

void frmVideo::cmdTelecommande_Click(TeleCommande action)
{
    if (!guarded() || !sequenceCommandsEnabled_)
        return;
    handle(QStringLiteral("Private Sub cmdTelecommande_Click"), [&] {
        bool moved = false;
        if (action == tcSequenceAvant && context_.pulSeqEnCours < lastSequence()) {
            context_.trace.write(tracel::TypeForm, moduleName, QStringLiteral("TeleCommande.tcSequenceAvant"));
            ++context_.pulSeqEnCours;
            moved = true;
        } else if (action == tcSequenceArriere && context_.pulSeqEnCours > 0) {
            context_.trace.write(tracel::TypeForm, moduleName, QStringLiteral("TeleCommande.tcSequenceArriere"));
            --context_.pulSeqEnCours;
            moved = true;
        }
        timLunette_ = true;
        if (!moved)
            return;
        player_->setPosition(sequenceStart(context_.pulSeqEnCours));
        showCounter(context_.pulSeqEnCours + 1, context_.sequenceCount);
        selectOption(tcPause);
        showSequencePage(context_.pulSeqEnCours);
    });
}

void frmVideo::Timer1_Timer()
{
    if (shutDown_)
        return;
    const QPointer<frmVideo> alive(this);
    const Handling handling(*this);
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        const double position = player_->position();
        // A document shorter than its range has nothing more to show in sound
        // mode; in text mode the sequences it lacks still have their texts.
        if (context_.pubAvecSon && playedToEnd()) {
            piExit();
            return;
        }
        if (!context_.pubAvecSon) {
            const long count = context_.sequenceTimes.size();
            const long s = context_.pulSeqEnCours;
            if (s < count && sequencePlayed(s, position)) {
                context_.pulSeqEnCours = s + 1;
                if (context_.pulSeqEnCours >= context_.sequenceCount || context_.pulSeqEnCours >= count) {
                    piExit();
                    return;
                }
                player_->setPosition(sequenceStart(context_.pulSeqEnCours));
                setSliderValue(sldTelecommande_, 0);
                selectOption(tcPause);
                showCounter(context_.pulSeqEnCours + 1, context_.sequenceCount);
                showSequencePage(context_.pulSeqEnCours);
                timLunette_ = true;
            }
            if (context_.pulSeqEnCours < count) {
                const double start = sequenceStart(context_.pulSeqEnCours);
                const double end = sequenceEnd(context_.pulSeqEnCours);
                // A sequence of no length has nothing before its end.
                const long value = end > start
                                       ? roundHalfEven((position - start) * sldTelecommande_->maximum() / (end - start))
                                       : 0;
                setSliderValue(sldTelecommande_, static_cast<int>(std::clamp(value, 0L, 100L)));
            }
        } else {
            if (position >= context_.pudTimeFin) {
                piExit();
                return;
            }
            const double v = (position - context_.pudTimeDebut) * sldTelecommande_->maximum()
                             / (context_.pudTimeFin - context_.pudTimeDebut);
            setSliderValue(sldTelecommande_,
                           v <= 100 ? static_cast<int>(std::max(0L, roundHalfEven(v))) : sldTelecommande_->maximum());
        }
        lblTime_->setText(timeLabelText(position));
    });
    if (error && alive)
        context_.recordError(*error, tracel::TypeForm, moduleName);
}

void frmVideo::sldTelecommande_MouseDown()
{
    Timer1_->stop();
}

void frmVideo::sldTelecommande_MouseUp()
{
    if (!guarded())
        return;
    handle(QStringLiteral("Private Sub sldTelecommande_MouseUp"), [&] {
        const int value = sldTelecommande_->value();
        if (!context_.pubAvecSon) {
            const double start = sequenceStart(context_.pulSeqEnCours);
            const double target = start + (sequenceEnd(context_.pulSeqEnCours) - start) * value / 100.0;
            player_->setPosition(target < context_.pudTimeFin ? target : context_.pudTimeFin);
        } else {
            player_->setPosition(context_.pudTimeDebut + (context_.pudTimeFin - context_.pudTimeDebut) * value
                                                             / sldTelecommande_->maximum());
        }
        Timer1_->start(sequenceTick);
    });
}

void frmVideo::sldVolume_Scroll()
{
    if (!guarded())
        return;
    handle(QStringLiteral("Private Sub sldVolume_Scroll"), [&] {
        if (context_.pubWithSoundCard) {
            if (!SetVolumeSon(context_, player_.get(), sldVolume_->value())
                || !GetVolumeSon(context_, player_.get(), context_.pulMemVolume))
                return;
        } else {
            context_.pulMemVolume = sldVolume_->value();
        }
        lblVolume_->setText(volumePercentText(context_.pulMemVolume));
    });
}

void frmVideo::chkVolume_Click()
{
    if (!guarded()) {
        // The box shows what the player does, even when the click is refused.
        const QSignalBlocker blocker(chkVolume_);
        chkVolume_->setChecked(!chkVolume_->isChecked());
        return;
    }
    handle(QStringLiteral("Private Sub chkVolume_Click"), [&] {
        // The learner's volume stays as it was before the mute, for the unmute.
        const bool muted = chkVolume_->isChecked();
        applyVolume();
        setSliderValue(sldVolume_, muted ? 0 : static_cast<int>(context_.pulMemVolume));
        sldVolume_->setEnabled(!muted && context_.pubAvecSon);
        lblVolume_->setText(muted ? QStringLiteral("0%") : volumePercentText(context_.pulMemVolume));
        lblVolume_->setEnabled(!muted);
    });
}

void frmVideo::timVolumeWindows_Timer()
{
    if (shutDown_)
        return;
    handle(QStringLiteral("Private Sub timVolumeWindows_Timer"), [&] {
        if (!context_.pubAvecSon) {
            if (context_.pubWithSoundCard && player_->volume() != 0)
                SetVolumeSon(context_, player_.get(), 0);
            setSliderValue(sldVolume_, 0);
        } else if (context_.pubWithSoundCard && !chkVolume_->isChecked()) {
            long volume = 0;
            if (!GetVolumeSon(context_, player_.get(), volume))
                return;
            context_.pulMemVolume = volume;
            context_.trace.write(tracel::TypeForm, moduleName, QStringLiteral("sldVolume.Value = %1").arg(volume), 2);
            setSliderValue(sldVolume_, static_cast<int>(volume));
        }
    });
}

void frmVideo::kavbtnSon_Click()
{
    if (!guarded())
        return;
    handle(QStringLiteral("Private Sub kavbtnSon_Click"), [&] {
        timVolumeWindows_->stop();
        context_.trace.write(tracel::TypeForm, moduleName,
                             QStringLiteral("pubAvecSon en entrée = %1").arg(context_.pubAvecSon ? -1 : 0));
        if (context_.pubAvecSon) {
            context_.pubAvecSon = false;
            showPanelPicture(QStringLiteral("Texte"));
            sldVolume_->hide();
            WbTexteVideo_->show();
            picAide_->show();
            fraAide_->show();
            applyVolume();
            sequenceCommandsEnabled_ = true;
            kavbtnPrecedent_->ButtonPosition(Up);
            kavbtnSuivant_->ButtonPosition(Up);
            timLunette_ = true;
        } else {
            context_.pubAvecSon = true;
            showPanelPicture(QStringLiteral("Son"));
            sldVolume_->show();
            sldVolume_->setEnabled(!chkVolume_->isChecked());
            WbTexteVideo_->hide();
            picAide_->hide();
            fraAide_->hide();
            applyVolume();
            sequenceCommandsEnabled_ = false;
            kavbtnPrecedent_->ButtonPosition(Disabled);
            kavbtnSuivant_->ButtonPosition(Disabled);
            timLunette_ = false;
        }
        showSwitch();
        setLooks(Up, Up, Down);
        if (selected_ != tcStop)
            selectOption(tcStop);
        else
            piStopPlayer();
        timVolumeWindows_->start(std::chrono::milliseconds(100));
    });
}

void frmVideo::cmdExit_Click()
{
    if (!guarded())
        return;
    piExit();
}

void frmVideo::piExit()
{
    if (!exitPending_ || shutDown_)
        return;
    exitPending_ = false;
    const Handling handling(*this);
    const QPointer<frmVideo> alive(this);
    {
        const tracel::TraceScope scope(context_.trace, tracel::TypeForm, moduleName,
                                       QStringLiteral("Private Sub cmdExit_Click"));
        // Nothing here may stop the exit: each step's failure is kept and traced.
        auto step = [&](auto&& body) {
            if (const auto error = platform::trapError(platform::InvalidProcedureCall, body))
                context_.recordError(*error, tracel::TypeForm, moduleName);
        };
        step([&] {
            if (selected_ != tcStop) {
                selected_ = tcStop;
                setLooks(Up, Up, Down);
                piStopPlayer();
            }
        });
        Timer1_->stop();
        player_->stop();
        timLunette_ = false;
        timVolumeWindows_->stop();
        for (const QString& path : pages_->removeAll())
            scope.line(QStringLiteral("Call Kill(") + path + QStringLiteral(") impossible"));
        hide();
        sldVolume_->setEnabled(true);
        if (context_.pubWithSoundCard) {
            // The learner's volume, not the silence of text mode or of the mute.
            context_.pulVolumeInitial = context_.pulMemVolume;
            scope.line(QStringLiteral("On récupère le volume en sortie : %1").arg(context_.pulVolumeInitial));
            step([&] {
                if (!SetVolumeSon(context_, player_.get(), context_.pulMemOrigineVolume))
                    throw platform::RuntimeError(context_.lastError.number(), context_.lastError.text());
            });
            scope.line(QStringLiteral("Et on rétabli le volume initial : %1").arg(context_.pulMemOrigineVolume));
        }
    }
    emit ExitFrmVideo();
}

}  // namespace vidora
