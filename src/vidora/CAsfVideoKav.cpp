#include "CAsfVideoKav.h"

#include "Fonctions.h"
#include "VidoraContext.h"
#include "VolumeOcx.h"
#include "frmVideo.h"

#include "platform/ErrorTrap.h"
#include "toolkit/usrButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace vidora {

namespace {

const QString moduleName = QStringLiteral("CAsfVideoKav");

}  // namespace

template <typename Change>
void CAsfVideoKav::withWindow(Change&& change)
{
    // A property the window cannot take fails alone: the error is kept, the
    // step code is left to the operations.
    const auto error = platform::trapError(platform::InvalidProcedureCall,
                                           [&] { change(platform::require(pioFrmVideo_)); });
    if (error)
        context_.recordError(*error, tracel::TypeClass, moduleName);
}

CAsfVideoKav::CAsfVideoKav(VidoraContext& context, QObject* parent) : QObject(parent), context_(context)
{
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        if (!puInitVolSon(context_))
            return;
        pioFrmVideo_ = std::make_unique<frmVideo>(context_);
        connect(pioFrmVideo_.get(), &frmVideo::ExitFrmVideo, this, &CAsfVideoKav::ExitVideo);
        typeDeVideo_ = QStringLiteral(".avi");
        context_.pulStateErreurEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    });
    if (error) {
        context_.lastError.store(*error);
        context_.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_Initialize_ErreurInconnue;
    }
}

CAsfVideoKav::~CAsfVideoKav()
{
    if (context_.trace.isStarted()) {
        context_.trace.writeHeader(tracel::TypeClass, moduleName, QStringLiteral("Private Sub Class_Terminate"));
        context_.trace.stop();
    }
    context_.showHourglass(false);
    if (!pioFrmVideo_)
        return;
    disconnect(pioFrmVideo_.get(), nullptr, this, nullptr);
    pioFrmVideo_->shutDown();
    // A window whose own handler is running (the exit that raised ExitVideo)
    // goes once that handler has returned.
    if (pioFrmVideo_->isHandling())
        pioFrmVideo_.release()->deleteLater();
}

QString CAsfVideoKav::LastError() const
{
    return context_.lastError.text();
}

long CAsfVideoKav::StateErrorEnCours() const
{
    return context_.pulStateErreurEnCours;
}

long CAsfVideoKav::LastErrorNumber() const
{
    return context_.lastError.number();
}

void CAsfVideoKav::ClearError()
{
    context_.lastError.store(0, QString());
    context_.pulStateErreurEnCours = 0;
}

long CAsfVideoKav::VolumeInitial() const
{
    return context_.pulVolumeInitial;
}

void CAsfVideoKav::VolumeInitial(long value)
{
    context_.pulVolumeInitial = value;
}

bool CAsfVideoKav::PasSansSon() const
{
    return context_.pubPasSansSon;
}

void CAsfVideoKav::PasSansSon(bool value)
{
    context_.pubPasSansSon = value;
}

bool CAsfVideoKav::AvecSon() const
{
    return context_.pubAvecSon;
}

void CAsfVideoKav::AvecSon(bool value)
{
    context_.pubAvecSon = value;
}

void CAsfVideoKav::lblAide(short iIndex, const QString& text)
{
    withWindow([&](frmVideo& window) {
        QLabel* label = window.lblAide(iIndex);
        if (!label)
            throw platform::RuntimeError(platform::SubscriptOutOfRange);
        label->setText(text);
    });
}

QString CAsfVideoKav::TitreFenetreVideo() const
{
    return pioFrmVideo_ ? pioFrmVideo_->windowTitle() : QString();
}

void CAsfVideoKav::TitreFenetreVideo(const QString& value)
{
    withWindow([&](frmVideo& window) { window.setWindowTitle(value); });
}

void CAsfVideoKav::PlayToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.kavbtnPlay()->ToolTipText(value); });
}

void CAsfVideoKav::StopToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.kavbtnStop()->ToolTipText(value); });
}

void CAsfVideoKav::PauseToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.kavbtnPause()->ToolTipText(value); });
}

void CAsfVideoKav::SeqArToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.kavbtnPrecedent()->ToolTipText(value); });
}

void CAsfVideoKav::SeqAvToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.kavbtnSuivant()->ToolTipText(value); });
}

void CAsfVideoKav::SeqSlideToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.sldTelecommande()->setToolTip(value); });
}

void CAsfVideoKav::VolSlideToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.sldVolume()->setToolTip(value); });
}

void CAsfVideoKav::picAvecOuSansSonToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.kavbtnSon()->ToolTipText(value); });
}

void CAsfVideoKav::LblNoSeqToolTipText(const QString& value)
{
    withWindow([&](frmVideo& window) { window.kavbtnQuitter()->ToolTipText(value); });
}

long CAsfVideoKav::LevelTracelage() const
{
    return context_.trace.level();
}

void CAsfVideoKav::LevelTracelage(const long& value)
{
    context_.trace.setLevel(value);
}

QString CAsfVideoKav::PathTracel() const
{
    return context_.PathTracel;
}

void CAsfVideoKav::PathTracel(const QString& value)
{
    context_.PathTracel = value;
}

bool CAsfVideoKav::ShowFrmVideo()
{
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        if (context_.trace.level() > 0)
            puInitTrace(context_);
        const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                       QStringLiteral("Public Function ShowFrmVideo"));
        context_.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_ShowFrmVideo_PhaseInit;
        context_.showHourglass(true);
    });
    if (!error)
        return true;
    context_.recordError(*error, tracel::TypeClass, moduleName);
    context_.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_ShowFrmVideo_ErreurInconnue;
    return false;
}

bool CAsfVideoKav::HideFrmVideo()
{
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                       QStringLiteral("Public Function HideFrmVideo"));
        platform::require(pioFrmVideo_).hideForHost();
        context_.showHourglass(false);
        context_.pulStateErreurEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    });
    if (!error)
        return true;
    context_.recordError(*error, tracel::TypeClass, moduleName);
    context_.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_CasfVideoKAV_HideFrmVideo_ErreurInconnue;
    return false;
}

}  // namespace vidora
