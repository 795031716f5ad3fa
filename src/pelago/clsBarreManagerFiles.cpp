// The work files of a run and the learner's folder.

#include "clsBarreManager.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"

#include <QDir>
#include <QStandardPaths>

namespace pelago {
namespace {

const QString moduleName = QStringLiteral("clsBarreManager");

}  // namespace

bool clsBarreManager::piGereFichiersLocaux()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piGereFichiersLocaux"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_piGereFichiersLocaux_Erreur;
        const auto module = currentModule();
        const auto first = module->ResultQuestions(1);
        if (!first)
            throw platform::RuntimeError(platform::ObjectNotSet, QStringLiteral("Le module n'a aucune question"));
        const auto question = platform::require(first).Question();
        const auto dll = platform::require(question).Dll();
        pibQuestionExerva = platform::require(dll).Nom().toUpper() == QLatin1String("EXERVA");
        data.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
        result = true;
    });
    if (error) {
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::piInitPersonalFolder()
{
    const tracel::TraceScope scope(data_.trace, tracel::TypeClass, QStringLiteral("clsMonoManager"),
                                   QStringLiteral("Private Function piInitPersonalFolder"));
    QString folder = pisPersonalFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    pisPersonalFolder = folder;
    return true;
}

}  // namespace pelago
