#include "ModuleSession.h"

#include "KavReg.h"

#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "platform/ErrorTrap.h"

#include <cmath>

namespace common {

ModuleSession::ModuleSession(SessionState& state) : state_(state) {}

ModuleSession::~ModuleSession() = default;

long ModuleSession::NbQuestionForm()
{
    long count = 0;
    if (const auto error = platform::trapError(platform::AutomationError, [&] {
            count = platform::require(platform::require(pioKavParc).ModuleEnCours()).NbQuest();
        })) {
        state_.pulErrorNumber = error->number();
        state_.pusErrorDescription = error->text();
    }
    return count;
}

bool ModuleSession::piInitSon(KavReg& registry)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, QStringLiteral("clsBarreManager"),
                                   QStringLiteral("Private Function piInitSon"));
    const QString key = QStringLiteral("Quelvoro Inet\\IHM Client");
    const auto error = platform::trapError(platform::TypeMismatch, [&] {
        const QString withSound = registry.GetValue(KavReg::CurrentUser, key, QStringLiteral("InitAvecSon"), 0);
        if (withSound.isEmpty()) {
            registry.SetValue(KavReg::CurrentUser, key, QStringLiteral("InitAvecSon"), QStringLiteral("True"), 0);
            pibAvecSon = true;
        } else if (withSound.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            pibAvecSon = true;
        } else if (withSound.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            pibAvecSon = false;
        } else {
            bool number = false;
            const double value = withSound.toDouble(&number);
            if (!number)
                throw platform::RuntimeError(platform::TypeMismatch);
            pibAvecSon = value != 0.0;
        }
        const QString volume = registry.GetValue(KavReg::CurrentUser, key, QStringLiteral("InitVolSon"), 0);
        if (volume.isEmpty()) {
            registry.SetValue(KavReg::CurrentUser, key, QStringLiteral("InitVolSon"), QStringLiteral("-1"), 0);
            pilNiveauVolume = -1;
        } else {
            bool number = false;
            const double value = volume.toDouble(&number);
            if (!number || !std::isfinite(value) || std::fabs(value) > 2147483647.0)
                throw platform::RuntimeError(platform::TypeMismatch);
            pilNiveauVolume = static_cast<long>(std::nearbyint(value));
        }
    });
    if (!error)
        return true;
    state_.recordError(*error, scope);
    return false;
}

}  // namespace common
