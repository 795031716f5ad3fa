#include "ModuleSession.h"

#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "platform/ErrorTrap.h"

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

}  // namespace common
