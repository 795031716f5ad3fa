// Closing a question, moving on to the next one or to the end of the module,
// starting a question again; and where the scoring's reaction, the feedback
// pane and the media window come in.

#include "Manager.h"

#include "ManagerEvents.h"
#include "frmClient.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"
#include "tracel/TraceChannel.h"

namespace lumaro {

namespace {

    const QString unitName = QStringLiteral("Manager");
    constexpr long traitementOk = basalo::enuFunctionReturnState_General_Traitement_OK;

} // namespace

bool Manager::piFermerQuestion()
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piFermerQuestion"));
    bool closed = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        Module& module = platform::require(moduleEnCours());
        const auto question = platform::require(currentResult()).Question();
        platform::require(question).Fermer();
        closed = context_.pulStateEnCours == traitementOk;
        const auto appli = module.Appli();
        platform::require(appli).UnlockWindow();
    });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_piFermerQuestion_ErreurInconnue, true);
    return closed;
}

bool Manager::piQuestionSuivante(bool& alive)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piQuestionSuivante"));
    bool done = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        Module& module = platform::require(moduleEnCours());
        const auto question = platform::require(currentResult()).Question();
        platform::require(question).Fermer();
        if (context_.pulStateEnCours != traitementOk) {
            scope.line(QStringLiteral("piQuestionSuivante = False, pb sur Question.Fermer"));
            return;
        }
        const auto appli = module.Appli();
        platform::require(appli).UnlockWindow();
        module.MajResultQuest(pilResultQuestionEnCours_);
        if (context_.pulStateEnCours != traitementOk) {
            scope.line(QStringLiteral("piQuestionSuivante = False, pb sur MajResultQuest"));
            return;
        }
        ++pilResultQuestionEnCours_;
        if (module.TypeModule() == TYPEformation) {
            // Questions already passed are skipped.
            while (pilResultQuestionEnCours_ <= module.NbQuest()
                && platform::require(module.ResultQuestions(pilResultQuestionEnCours_)).TypeAffichage() >= BravoNuance)
                ++pilResultQuestionEnCours_;
        }
        if (pilResultQuestionEnCours_ == module.NbQuest() + 1) {
            scope.line(QStringLiteral("pilResultQuestionEnCours = puoModuleEnCours.NbQuest + 1"));
            if (!raise([](ManagerEvents& events) { events.FinModule(); })) {
                alive = false;
                done = true;
                return;
            }
            piCacherBarre();
            done = true;
            return;
        }
        if (!piInitQuestion()) {
            scope.line(QStringLiteral("piQuestionSuivante = False, piInitQuestion retourne false"));
            return;
        }
        pieModeTest_ = ModeQuestion;
        done = true;
    });
    if (!alive)
        return done;
    if (error)
        return fail(
            scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_piQuestionSuivante_ErreurInconnue, true);
    return done;
}

bool Manager::piRecommencer()
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piRecommencer"));
    context_.pulStateEnCours = traitementOk;
    context_.lastError.store(0, QString());
    pieModeTest_ = ModeQuestion;
    bool restarted = false;
    const auto error
        = platform::trapError(platform::AutomationError, [&] { restarted = piFermerQuestion() && piInitQuestion(); });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_piRecommencer_ErreurInconnue, false);
    return restarted;
}

// The scoring's outcome and its reaction are not built yet: every answer is
// reported as a reference error with the step's code, so that the learner sees
// the question player's error message instead of a wrong verdict.
ReactionReponse Manager::piGereReponse(bool& alive)
{
    (void)alive;
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piGereReponse"));
    context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Manager_piGereReponse_ErreurInconnue;
    context_.lastError.store(platform::RuntimeError(platform::MemberNotSupported));
    return ErreurReference;
}

// The feedback pane is not built yet: nothing is shown.
bool Manager::piAfficheReponse(long typeDll)
{
    (void)typeDll;
    return false;
}

} // namespace lumaro
