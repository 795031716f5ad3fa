#include "LoadingWindowHost.h"

#include "tracel/TraceChannel.h"

namespace lumaro {

void LoadingWindowHost::PrepareFrmLoading(const QString& isTypeFormEval)
{
    window_ = std::make_unique<frmLoading>();
    window_->Prepare(isTypeFormEval);
    window_->show();
}

void LoadingWindowHost::SetMessageLoading(const QString& isMessage)
{
    if (!window_) {
        traceMissingWindow(QStringLiteral("SetMessageLoading"));
        return;
    }
    window_->setMessage(isMessage);
}

void LoadingWindowHost::SetPourcentLoading(long ilPourcent)
{
    if (!window_) {
        traceMissingWindow(QStringLiteral("SetPourcentLoading"));
        return;
    }
    window_->SetPourcentLoading(ilPourcent);
}

void LoadingWindowHost::TerminateFrmLoading() { window_.reset(); }

void LoadingWindowHost::traceMissingWindow(const QString& operation) const
{
    trace_.write(tracel::TypeClass, QStringLiteral("Manager"), operation + QStringLiteral(" : pas de fenêtre de chargement"));
}

}  // namespace lumaro
