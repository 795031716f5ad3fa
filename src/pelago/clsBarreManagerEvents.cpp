// The question player's events during a run, and the download progress of
// the transport while the course data load.

#include "clsBarreManager.h"

#include "QuestionPlayer.h"

#include "hostsession/VideoDisplay.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/player/ManagerEvents.h"
#include "lumaro/player/kavMsgBoxStyle.h"
#include "platform/ErrorTrap.h"

#include <algorithm>

namespace pelago {
namespace {

const QString moduleName = QStringLiteral("clsBarreManager");

// The question player as the video display sees it: the window that steps
// aside while a video plays and comes back after it.
class PlayerWindow final : public hostsession::QuestionWindow {
public:
    explicit PlayerWindow(QuestionPlayer& player) : player_(player) {}

    void CacherBarrePourVideo() override { player_.CacherBarrePourVideo(); }
    long AfficheMessageBoxBarre(const QString& isMessage, long iMsgBoxStyle) override
    {
        return player_.AfficheMessageBoxBarre(isMessage, iMsgBoxStyle);
    }
    void RetourAfficherVideoManager() override { player_.RetourAfficherVideo(); }

private:
    QuestionPlayer& player_;
};

}  // namespace

// Hands the question player's events to the session. The events that the
// launcher leaves alone (the application exercise's quit button, the help
// requests, the end of an index media) do nothing.
class clsBarreManager::BarEvents final : public lumaro::ManagerEvents {
public:
    explicit BarEvents(clsBarreManager& owner) : owner_(owner) {}

    void BoutonQuitter() override { owner_.pioKavBarre_BoutonQuitter(); }
    void FinModule() override { owner_.pioKavBarre_FinModule(); }
    void VisuVideo(long& ilIdQuestion, lumaro::TypeVideo& ieTypeVideo, QString& isTitreFenetre) override
    {
        owner_.pioKavBarre_VisuVideo(ilIdQuestion, ieTypeVideo, isTitreFenetre);
    }
    // With or without the help file's name, the launcher shows no help of its own.
    void AfficherAide(QString& isFichier) override
    {
        const tracel::TraceScope scope(owner_.data_.trace, tracel::TypeClass, moduleName,
                                       QStringLiteral("Private Sub pioKavBarre_AfficherAide"));
        scope.value(QStringLiteral("isFichier"), isFichier);
    }

private:
    clsBarreManager& owner_;
};

std::unique_ptr<lumaro::ManagerEvents> clsBarreManager::makeBarEvents()
{
    return std::make_unique<BarEvents>(*this);
}

void clsBarreManager::pioKavBarre_BoutonQuitter()
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioKavBarre_BoutonQuitter"));
    if (!playing()) {
        scope.line(QStringLiteral("aucun passage en cours : rien à envoyer"));
        return;
    }
    if (const auto error = platform::trapError(platform::AutomationError, [&] { piMajResult(false); }))
        data_.recordError(*error, scope);
}

void clsBarreManager::pioKavBarre_FinModule()
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioKavBarre_FinModule"));
    if (!playing()) {
        scope.line(QStringLiteral("aucun passage en cours : rien à envoyer"));
        return;
    }
    if (const auto error = platform::trapError(platform::AutomationError, [&] { piMajResult(true); }))
        data_.recordError(*error, scope);
}

void clsBarreManager::pioInetUrl_DownloadProgressChange(long lProgress, long lProgressMax)
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioInetUrl_DownloadProgressChange"), 3);
    long percent = 0;
    if (lProgressMax >= 1 && lProgress >= 0)
        percent = long(std::min<double>(100.0, double(lProgress) / double(lProgressMax) * 100.0));
    scope.value(QStringLiteral("lProgress"), QString::number(lProgress), 3);
    scope.value(QStringLiteral("lProgressMax"), QString::number(lProgressMax), 3);
    if (!pibChargementEnCours || !pioKavBarre_)
        return;
    scope.line(QStringLiteral("appel à lumaro pour affichage du progress bar : lTaux = ") + QString::number(percent), 3);
    pioKavBarre_->SetPourcentLoading(percent);
}

void clsBarreManager::pioKavBarre_VisuVideo(long ilIdQuestion, lumaro::TypeVideo ieTypeVideo,
                                            const QString& isTitreFenetre)
{
    CommonData& data = data_;
    const QPointer<clsBarreManager> self(this);
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioKavBarre_VisuVideo"));
    scope.value(QStringLiteral("ilIdQuestion"), QString::number(ilIdQuestion));
    scope.value(QStringLiteral("ieTypeVideo"), QString::number(ieTypeVideo));
    if (!pioKavBarre_)
        return;
    PlayerWindow window(*pioKavBarre_);
    std::shared_ptr<lumaro::Video> video;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const auto appli = platform::require(pioKavParc).Appli(pilIdAppli);
        const lumaro::Appli& held = platform::require(appli);
        video = ieTypeVideo == lumaro::TypeCorrige ? held.Corrige(ilIdQuestion) : held.Lecon(ilIdQuestion);
    });
    if (!error && video) {
        platform::require(videoDisplay_).VisuVideo(video, isTitreFenetre, window);
        return;
    }
    // No video to play: the learner is told so, and gets the question window back.
    data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_piInitVVidora_ErreurInconnue;
    data.recordError(error ? *error
                           : platform::RuntimeError(platform::ObjectNotSet,
                                                    QStringLiteral("La question %1 n'a pas cette vidéo").arg(ilIdQuestion)),
                     scope);
    window.AfficheMessageBoxBarre(message(QStringLiteral("ERR_CONNUE")) + QString::number(data.pulStateEnCours)
                                      + QStringLiteral(" : ") + data.pusErrorDescription,
                                  lumaro::kavOk + lumaro::kavAlert);
    if (self && pioKavBarre_)
        pioKavBarre_->RetourAfficherVideo();
}

void clsBarreManager::pioVVidora_ExitVideo(hostsession::VideoOrigin origin)
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub pioVVidora_ExitVideo"));
    // The learner's sound settings are kept already; the question window comes back.
    if (origin == hostsession::VideoOrigin::Question && pioKavBarre_)
        pioKavBarre_->RetourAfficherVideo();
}

}  // namespace pelago
