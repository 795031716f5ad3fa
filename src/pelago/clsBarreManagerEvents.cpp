// The question player's events during a run, and the download progress of
// the transport while the course data load.

#include "clsBarreManager.h"

#include "QuestionPlayer.h"

#include "lumaro/player/ManagerEvents.h"
#include "platform/ErrorTrap.h"

#include <algorithm>

namespace pelago {
namespace {

const QString moduleName = QStringLiteral("clsBarreManager");

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

void clsBarreManager::pioKavBarre_VisuVideo(long, lumaro::TypeVideo, const QString&)
{
    // Played by the shared video display: see the work in progress.
}

}  // namespace pelago
