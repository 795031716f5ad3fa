#include "frmInet.h"

#include "CommonData.h"

namespace pelago {

frmInet::frmInet(CommonData& data) : data_(data)
{
    platform::Timers& timers = data_.timers();
    using Kind = platform::Timer::Kind;
    timerVerifRorova_ = timers.create(Kind::Repeating, [this] { timerFlag = true; });
    timerExitAU_ = timers.create(Kind::Repeating, [this] { onExitAU(); });
    timerVisibility_ = timers.create(Kind::Repeating, [this] { onVisibility(); });
    timerPersist_ = timers.create(Kind::Repeating, [this] { onPersist(); });
    timerPersist_->start(persistInterval);
}

frmInet::~frmInet() = default;

void frmInet::traceTick(const QString& procedure, std::chrono::milliseconds start, std::chrono::milliseconds delay)
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeForm, QStringLiteral("frmInet"), procedure, 3);
    scope.value(QStringLiteral("Now"), QString::number(data_.monotonicNow().count()) + QStringLiteral(" ms"), 3);
    scope.value(QStringLiteral("Debut"), QString::number(start.count()) + QStringLiteral(" ms"), 3);
    scope.value(QStringLiteral("Attente"), QString::number(delay.count()) + QStringLiteral(" ms"), 3);
}

void frmInet::onExitAU()
{
    traceTick(QStringLiteral("Private Sub timerExitAU_Timer()"), data_.pudteDebutAttenteExitAU,
              data_.pudteAttenteExitAU);
    if (!data_.hasElapsed(data_.pudteDebutAttenteExitAU, data_.pudteAttenteExitAU))
        return;
    timerExitAU_->stop();
    data_.puExitAU();
}

void frmInet::onVisibility()
{
    traceTick(QStringLiteral("Private Sub timerVisibility_Timer()"), data_.pudteDebutAttenteHide,
              data_.pudteAttenteHide);
    if (!data_.hasElapsed(data_.pudteDebutAttenteHide, data_.pudteAttenteHide))
        return;
    timerVisibility_->stop();
    data_.puFinModule();
}

void frmInet::onPersist()
{
    const auto idleSince = data_.pudteDebutAttenteDestruction;
    if (data_.StateEnCours == StateReady && (!idleSince || data_.hasElapsed(*idleSince, data_.pudteAttenteDestruction)))
        data_.puFinDemande();
}

}  // namespace pelago
