#include "Question.h"

#include "Dll.h"
#include "LumaroContext.h"
#include "ModuleInterractif.h"
#include "Reponse.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

namespace lumaro {

namespace {

const QString unitName = QStringLiteral("Question");

}  // namespace

Question::Question(LumaroContext& context) : context_(context) {}

Question::~Question() = default;

void Question::IdQuestion(long id)
{
    idQuestion_ = id;
    baseBis_ = QString::number(id).size() == 6 ? QuestionBase : QuestionBis;
}

void Question::Fermer()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Sub Fermer"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        // Held here: the component's close may end the question or its application.
        const auto dllObject = dll_;
        auto& dll = platform::require(dllObject);
        if (dll.TypeDll() == 1) {
            platform::require(dll.DllInterractive()).FermeQuestion();
        } else if (!dll.Chargee()) {
            scope.line(QStringLiteral("la dll n'était pas Chargee"));
        } else {
            const auto engine = dll.DllExerva();
            long code = 0;
            if (platform::trapError(platform::AutomationError, [&] { code = platform::require(engine).FermePoint(); })) {
                scope.line(QStringLiteral("DllExerva.FermePoint a provoqué une erreur non gérée : on considère la dll "
                                          "comme déchargée"));
                dll.Chargee(false);
                dll.TypeDll(0);
            } else {
                context_.pulStateEnCours = code;
                if (code != basalo::enuFunctionReturnState_General_Traitement_OK) {
                    const long number = engine->LastErrorNumber();
                    context_.lastError.store(number, engine->LastErrorDescription());
                }
            }
        }
    });
    if (error) {
        context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Question_Fermer_ErreurInconnue;
        context_.lastError.store(*error);
        scope.line(tracel::errorLine(*error));
        return;
    }
    scope.value(QStringLiteral("pulStateEnCours"), QString::number(context_.pulStateEnCours));
}

bool Question::AddReponse(const QString& isLettre)
{
    return reponses_.add(isLettre, std::make_shared<Reponse>());
}

std::shared_ptr<Reponse> Question::GetReponse(const QString& isLettre) const
{
    return reponses_.item(isLettre);
}

bool Question::FichierAssocieAddNew(const QString& isFichier)
{
    fichiers_.append(isFichier);
    return true;
}

QString Question::FichierAssocie(long ilItem) const
{
    if (ilItem < 1 || ilItem > fichiers_.size())
        return {};
    return fichiers_.at(qsizetype(ilItem - 1));
}

void Question::Destroy()
{
    reponses_.clear();
    dll_.reset();
    fichiers_.clear();
}

}  // namespace lumaro
