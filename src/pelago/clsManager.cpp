#include "clsManager.h"

#include "TimeOfDay.h"
#include "clsBarreManager.h"

#include "toolkit/clsLangue.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"

#include <cmath>

namespace pelago {
namespace {

const QString moduleName = QStringLiteral("clsManager");
constexpr double millisecondsPerDay = 86400000.0;

// The keep-alive delay: a time of day, as text ("00:10:00") or as the day
// fraction of a date value.
std::chrono::milliseconds keepAliveDelay(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString) {
        if (const auto delay = timeOfDay(value.toString()))
            return *delay;
    }
    bool number = false;
    const double days = value.toDouble(&number);
    if (!number || !std::isfinite(days) || days < 0.0 || days > 1.0e6)
        throw platform::RuntimeError(platform::TypeMismatch);
    return std::chrono::milliseconds(static_cast<qint64>(std::llround(days * millisecondsPerDay)));
}

}  // namespace

clsManager::clsManager(CommonData& data) : data_(data)
{
    data_.resetRunSettings();
}

clsBarreManager* clsManager::BarreManager() const
{
    return data_.puoBarreManager.get();
}

bool clsManager::AskStart(const QVariant& isLangue, const QVariant& isdteTempo)
{
    CommonData& data = data_;
    if (data.trace.level() > 0 && !data.puInitTraceLog())
        data.trace.setLevel(0);
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName, QStringLiteral("Public Function AskStart"));
    scope.value(QStringLiteral("isLangue"), isLangue.toString());
    scope.value(QStringLiteral("isdteTempo"), isdteTempo.toString());
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] { result = askStart(isLangue, isdteTempo, scope); });
    if (!error)
        return result;
    data.recordError(*error, scope);
    data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsManager_AskStart_ErreurInconnue;
    return false;
}

bool clsManager::askStart(const QVariant& isLangue, const QVariant& isdteTempo, const tracel::TraceScope& scope)
{
    CommonData& data = data_;
    data.ClearError();
    const QString langue = isLangue.toString();
    switch (data.StateEnCours) {
    case StateNone:
        data.pudteAttenteDestruction = keepAliveDelay(isdteTempo);
        scope.value(QStringLiteral("pudteAttenteDestruction"),
                    QString::number(data.pudteAttenteDestruction.count()) + QStringLiteral(" ms"));
        data.StateEnCours = StateBusy;
        if (!data.puInitObjects(langue)) {
            scope.line(QStringLiteral("puInitObjects retourne false"));
            data.StateEnCours = StateNone;
            return false;
        }
        break;
    case StateReady:
        data.StateEnCours = StateBusy;
        if (!data.VerifLangue(langue)) {
            scope.line(QStringLiteral("VerifLangue retourne false"));
            data.returnToReady();
            return false;
        }
        break;
    case StateBusy:
        data.pusErrorDescription =
            data.oLangue ? data.oLangue->GetMessage(QStringLiteral("MESSAGE_ErrOccuppe")) : QString();
        scope.line(QStringLiteral("StateEnCours.StateBusy"));
        scope.line(QStringLiteral("AskStart = False"));
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsManager_AskStart_StateBusy;
        return false;
    }
    data.puPauseChrono();
    data.pulStateEnCours = 1;
    return true;
}

}  // namespace pelago
