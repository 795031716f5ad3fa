#include "clsBarreManager.h"

#include "AiccReport.h"
#include "LikePattern.h"
#include "QuestionPlayer.h"
#include "TimeOfDay.h"
#include "clsInetUPL.h"
#include "frmInet.h"

#include "hostsession/VideoDisplay.h"
#include "hostsession/WorkFiles.h"
#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/player/ManagerEvents.h"
#include "platform/ErrorTrap.h"
#include "platform/OleDate.h"

#include <QTime>

namespace pelago {
namespace {

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

QString delayText(std::chrono::milliseconds delay)
{
    return QTime(0, 0).addMSecs(static_cast<int>(delay.count())).toString(QStringLiteral("hh:mm:ss"));
}

}  // namespace

clsBarreManager::clsBarreManager(CommonData& data) : hostsession::ModuleSession(data), data_(data)
{
    barEvents_ = makeBarEvents();
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub Class_Initialize"));
}

clsBarreManager::~clsBarreManager()
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub Class_Terminate"));
}

void clsBarreManager::WithSelfClose(bool value)
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Property Let WithSelfClose"));
    scope.value(QStringLiteral("bNewValue"), value ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    data_.pubWithSelfClose = value;
}

void clsBarreManager::WithExitAU(bool value)
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Property Let WithExitAU"));
    scope.value(QStringLiteral("bNewValue"), value ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    data_.pubWithExitAU = value;
}

QString clsBarreManager::AttenteExitAU() const
{
    return delayText(data_.pudteAttenteExitAU);
}

QString clsBarreManager::AttenteHide() const
{
    return delayText(data_.pudteAttenteHide);
}

std::optional<std::chrono::milliseconds> clsBarreManager::parseDelay(const QString& value,
                                                                     const QString& declaration) const
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName, declaration);
    scope.value(QStringLiteral("sNewValue"), value);
    if (const auto delay = timeOfDay(value))
        return delay;
    scope.line(tracel::errorLine(platform::RuntimeError(platform::TypeMismatch)));
    return std::nullopt;
}

void clsBarreManager::AttenteExitAU(const QString& value)
{
    if (const auto delay = parseDelay(value, QStringLiteral("Public Property Let AttenteExitAU")))
        data_.pudteAttenteExitAU = *delay;
}

void clsBarreManager::AttenteHide(const QString& value)
{
    if (const auto delay = parseDelay(value, QStringLiteral("Public Property Let AttenteHide")))
        data_.pudteAttenteHide = *delay;
}

void clsBarreManager::NoteMaxAicc(const QString& value)
{
    if (isValidNoteMax(value)) {
        data_.NoteMaxAicc = value.trimmed();
        return;
    }
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Property Let NoteMaxAicc"));
    scope.line(tracel::errorLine(
        platform::RuntimeError(platform::TypeMismatch, QStringLiteral("NoteMaxAicc refusée : ") + value)));
}

void clsBarreManager::URLMediaAppli(const QString& value)
{
    pisURLMediaAppli = value;
    toolkit::puAddTrailingSlash(pisURLMediaAppli, toolkit::EmptyText::StaysEmpty);
}

void clsBarreManager::PauseChrono()
{
    if (frmInet_)
        frmInet_->TimerPersist().stop();
}

void clsBarreManager::PlayChrono()
{
    if (frmInet_ && !frmInet_->TimerPersist().isActive())
        frmInet_->TimerPersist().start(frmInet::persistInterval);
}

bool clsBarreManager::SetHandleAppelant(const QString& isTitreFenetre)
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function SetHandleAppelant"));
    scope.value(QStringLiteral("isTitreFenetre"), isTitreFenetre);
    if (data_.windowSystem) {
        const auto found =
            data_.windowSystem->findByTitle([&](const QString& title) { return likeMatch(title, isTitreFenetre); });
        if (!found.empty())
            pilHandleAppelant = found.front();
    }
    scope.value(QStringLiteral("pilHandleAppelant"), QString::number(pilHandleAppelant));
    return pilHandleAppelant != 0;
}

bool clsBarreManager::Create(const QString& isLangue)
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName, QStringLiteral("Friend Function Create"));
    scope.value(QStringLiteral("isLangue"), isLangue);
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        data.pulStateEnCours = OK;
        pisLangueEnCours.clear();
        if (!GereLangueObjet(isLangue))
            return;
        auto model = std::make_shared<lumaro::ContexteManager>(data.lumaro);
        const auto now = platform::OleDate::fromDateTime(data.clock().now());
        if (!model->CreateManager(lumaro::TypeSimplifie, now.value_or(platform::OleDate()))) {
            data.pulStateEnCours = model->StateEnCours();
            data.recordError(platform::RuntimeError(model->LastErrorNumber(), model->LastErrorString()), scope);
            return;
        }
        pioKavParc = std::move(model);
        frmInet_ = std::make_unique<frmInet>(data);
        pioInetUrl_ = std::make_shared<clsInetUPL>(data, [this] { return urlBaseServer_; });
        pioInetUrl_->SetInetForm(frmInet_.get());
        connect(pioInetUrl_.get(), &toolkit::clsInetUPL::DownloadProgressChange, this,
                &clsBarreManager::pioInetUrl_DownloadProgressChange, Qt::DirectConnection);
        makeSharedUnits();
        result = true;
    });
    if (error) {
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_Create_ErreurInconnue;
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::GereLangueObjet(const QString& isLangue)
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Function GereLangueObjet"));
    scope.value(QStringLiteral("isLangue"), isLangue);
    scope.value(QStringLiteral("pisLangueEnCours"), pisLangueEnCours);
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        if (pioKavBarre_ && pisLangueEnCours == isLangue) {
            scope.line(QStringLiteral("dll langue déja chargée"));
            result = true;
            return;
        }
        if (const auto old = std::exchange(pioKavBarre_, nullptr)) {
            old->setEvents(nullptr);
            old->Destroy();
        }
        // The language is the bar's only once the bar exists, so that a bar
        // that failed is built again next time rather than taken for loaded.
        pisLangueEnCours.clear();
        scope.line(QStringLiteral("Chargement dll langue"));
        result = piInitBarre(isLangue);
        if (pioKavBarre_)
            pisLangueEnCours = isLangue;
    });
    if (error) {
        data_.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_GereLangueObjet_ErreurInconnue;
        data_.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::piInitBarre(const QString& sIdLangue)
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piInitBarre"));
    scope.value(QStringLiteral("sIdLangue"), sIdLangue);
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        auto player = data.createPlayer ? data.createPlayer() : nullptr;
        if (!player)
            throw platform::RuntimeError(platform::CannotCreateObject,
                                         QStringLiteral("Le lecteur de questions ne peut être créé"));
        player->setEvents(barEvents_.get());
        player->LNGFilePath(data.oLangue ? data.oLangue->LNGFilePath() : QString());
        if (data.trace.isActive()) {
            scope.line(QStringLiteral("initialisation du débogage sur Lumaro.Manager"));
            player->PathParent(data.PathTracelage);
            player->LevelTracelage(data.trace.level());
        }
        bool number = false;
        sIdLangue.toLong(&number);
        if (!number)
            throw platform::RuntimeError(platform::TypeMismatch);
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_InitBarre_ErreurLangueBarre;
        if (!player->CreateManager(true, sIdLangue)) {
            data.pulStateEnCours = player->StateEnCours();
            data.pusErrorDescription = player->LastErrorString();
            data.pulErrorNumber = player->LastErrorNumber();
            scope.line(QStringLiteral("erreur kav %1 ; %2 : %3")
                           .arg(data.pulStateEnCours)
                           .arg(data.pulErrorNumber)
                           .arg(data.pusErrorDescription));
            return;
        }
        pioKavBarre_ = std::move(player);
        data.pulStateEnCours = OK;
        result = piInitSon(platform::require(data.puoKavReg));
        if (!result)
            data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_InitBarre_ErreurBarre;
    });
    if (error) {
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_InitBarre_ErreurBarre;
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::Destroy()
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName, QStringLiteral("Public Function Destroy"));
    platform::trapError(platform::AutomationError, [&] {
        if (const auto player = std::exchange(pioKavBarre_, nullptr)) {
            player->setEvents(nullptr);
            player->Destroy();
        }
    });
    platform::trapError(platform::AutomationError, [&] {
        if (const auto model = std::exchange(pioKavParc, nullptr))
            model->Destroy();
    });
    videoDisplay_.reset();
    workFiles_.reset();
    pioInetUrl_.reset();
    frmInet_.reset();
    return true;
}

void clsBarreManager::piCheckSyntaxURL()
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub piCheckSyntaxURL"));
    toolkit::puAddTrailingSlash(urlBaseServer_, toolkit::EmptyText::StaysEmpty);
    QString help = urlBaseServer_ + QStringLiteral("client_net");
    for (const QString& part : {pisLangueEnCours, QStringLiteral("Aide")}) {
        toolkit::puAddTrailingSlash(help);
        help += part;
    }
    toolkit::puAddTrailingSlash(help);
    pisUrlAide = help;
    scope.value(QStringLiteral("pisURLBaseServer"), urlBaseServer_);
    scope.value(QStringLiteral("pisUrlAide"), pisUrlAide);
}

void clsBarreManager::beginRun(long idQuestion, const QString& typeFormEval)
{
    pidteDebutModuleEnCours = data_.monotonicNow();
    reportUnderWay_ = false;
    reportFailure_.reset();
    exitFailure_.reset();
    pilIdQuestion = idQuestion;
    pisTypeFormEval = typeFormEval;
}

}  // namespace pelago
