// The handlers of the question window: help, lesson or solution video, quit,
// restart, Poursuivre and the end of the countdown.

#include "Manager.h"

#include "ManagerEvents.h"
#include "frmClient.h"
#include "kavMsgBoxStyle.h"
#include "usrTimeBar.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ReponseGenerale.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"
#include "platform/MessageBoxes.h"
#include "tracel/ErrorLine.h"
#include "tracel/TraceChannel.h"

#include <QApplication>

namespace lumaro {

namespace {

    const QString unitName = QStringLiteral("Manager");
    constexpr long traitementOk = basalo::enuFunctionReturnState_General_Traitement_OK;

} // namespace

void Manager::handle(const std::function<void()>& handler)
{
    const std::weak_ptr<void> token = guard();
    // Held here, so that what a handler retires goes only once the outermost one is back.
    const std::shared_ptr<Retired> retired = retired_;
    ++busy_;
    handler();
    if (!token.expired()) {
        if (--busy_ == 0)
            retired_ = std::make_shared<Retired>();
    }
}

void Manager::setHourglass(bool on)
{
    if (on == hourglass_ || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    hourglass_ = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void Manager::disableWindow()
{
    setHourglass(true);
    if (piFrmBarre_)
        piFrmBarre_->setEnabled(false);
}

void Manager::enableWindow()
{
    if (piFrmBarre_)
        piFrmBarre_->setEnabled(true);
    setHourglass(false);
}

bool Manager::piMessageErreur(bool textOnlyWhenSet)
{
    QString text = message(QStringLiteral("FRMbarre_errReference")) + QString::number(context_.pulStateEnCours);
    if (!textOnlyWhenSet || !context_.lastError.text().isEmpty())
        text += QStringLiteral(" : ") + context_.lastError.text();
    const std::weak_ptr<void> token = guard();
    piMessageBox(text, kavOk + kavAlert);
    return !token.expired();
}

void Manager::handlerFailed(const platform::RuntimeError& error, long code, bool resetPointer)
{
    if (resetPointer)
        setHourglass(false);
    context_.lastError.store(error);
    context_.pulStateEnCours = code;
    if (!piMessageErreur())
        return;
    context_.trace.write(tracel::TypeClass, unitName, tracel::errorLine(error));
}

void Manager::clearResults(Module& module)
{
    for (long i = 1; i <= module.NbQuest(); ++i) {
        const auto result = module.ResultQuestions(i);
        platform::require(result).Vider();
        result->TypeAffichage(PasDeResultat);
    }
    module.NbQuestReussi(savedNbQuestReussi_);
}

void Manager::abandonEvaluation(Module& module)
{
    if (module.TypeModule() == TYPEevaluation)
        clearResults(module);
}

bool Manager::runHandler(const QString& declaration, long code, bool resetPointer,
    const std::function<void(tracel::TraceScope&, bool&)>& body)
{
    context_.pulStateEnCours = traitementOk;
    context_.lastError.store(0, QString());
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, declaration);
    bool alive = true;
    const auto error = platform::trapError(platform::AutomationError, [&] { body(scope, alive); });
    if (alive && error)
        handlerFailed(*error, code, resetPointer);
    return alive;
}

bool Manager::endAfterFailure(Module& module)
{
    if (!piMessageErreur())
        return false;
    enableWindow();
    abandonEvaluation(module);
    return leave();
}

bool Manager::leave()
{
    if (!raise([](ManagerEvents& events) { events.BoutonQuitter(); }))
        return false;
    piCacherBarre();
    return true;
}

bool Manager::openLessonAutomatically(Module& module)
{
    if (autoMediaPoint_ != 1 || module.TypeModule() == TYPEevaluation || pilResultQuestionEnCours_ > module.NbQuest())
        return true;
    const auto result = currentResult();
    const auto question = result ? result->Question() : nullptr;
    if (!question || !question->HasVideoLecon())
        return true;
    const std::weak_ptr<void> token = guard();
    piFrmBarre_kavBtnVideoClick(TypeLecon);
    return !token.expired();
}

long Manager::currentTypeDll() const
{
    const auto result = currentResult();
    const auto question = result ? result->Question() : nullptr;
    const auto dll = question ? question->Dll() : nullptr;
    return dll ? dll->TypeDll() : 0;
}

void Manager::piFrmBarre_kavBtnAideClick()
{
    runHandler(QStringLiteral("Private Sub piFrmBarre_kavBtnAideClick"),
        basalo::enuFunctionReturnState_Lumaro_Manager_kavBtnAideClick_ErreurInconnue, false,
        [&](tracel::TraceScope&, bool&) {
            Module& module = platform::require(moduleEnCours());
            frmClient& window = platform::require(piFrmBarre_);
            if (module.TypeModule() == TYPEevaluation)
                window.timeBar()->ChronoStop();
            // The question window is also the feedback window: one window to let go.
            windows_.setTopmost(window.windowId(), false);
            piAfficheAide();
        });
}

void Manager::piFrmBarre_kavBtnVideoClick(long ieTypeVideo)
{
    runHandler(QStringLiteral("Private Sub piFrmBarre_kavBtnVideoClick"),
        basalo::enuFunctionReturnState_Lumaro_Manager_kavBtnVideoClick_ErreurInconnue, true,
        [&](tracel::TraceScope& scope, bool& alive) {
            scope.value(QStringLiteral("ieTypeVideo"), QString::number(ieTypeVideo));
            if (ieTypeVideo == TypeCorrige && pieModeTest_ == ModeQuestion) {
                scope.line(QStringLiteral("ieTypeVideo = TypeCorrige And pieModeTest = ModeQuestion"));
                return;
            }
            frmClient& window = platform::require(piFrmBarre_);
            setHourglass(true);
            window.setEnabled(false);
            windows_.setTopmost(window.windowId(), false);

            Module& module = platform::require(moduleEnCours());
            const auto appli = module.Appli();
            const long id = platform::require(platform::require(currentResult()).Question()).IdQuestion();
            const bool lecon = ieTypeVideo == TypeLecon;
            const auto video
                = platform::require(appli).VideoByType(id, lecon ? QStringLiteral("Y") : QStringLiteral("Z"));
            if (video) {
                scope.line((lecon ? QStringLiteral("C'est la leçon de la question ")
                                  : QStringLiteral("C'est le corrigé de la question "))
                    + QString::number(id));
                if (!piAfficheVideo(video, ieTypeVideo) && !piMessageErreur(true)) {
                    alive = false;
                    return;
                }
            } else {
                long idQuestion = id;
                TypeVideo type = TypeVideo(ieTypeVideo);
                QString title = message(QStringLiteral("FRMbarre_TITREFENETREFORMATION")) + QStringLiteral(" - ")
                    + window.Title();
                if (!raise([&](ManagerEvents& events) { events.VisuVideo(idQuestion, type, title); })) {
                    alive = false;
                    return;
                }
            }
            pibMediaDepuisIndex_ = false;
            enableWindow();
        });
}

void Manager::piFrmBarre_kavbtnQuitterClick()
{
    runHandler(QStringLiteral("Private Sub piFrmBarre_kavbtnQuitterClick"),
        basalo::enuFunctionReturnState_Lumaro_Manager_kavBtnQuitterClick_ErreurInconnue, false,
        [&](tracel::TraceScope& scope, bool& alive) {
            const std::weak_ptr<void> token = guard();
            Module& module = platform::require(moduleEnCours());
            // A module of type 3 shows its questions' feedback as a training
            // module does, and keeps their results as one when left.
            if (module.TypeModule() == TYPEevaluation) {
                // The time stands still while the learner decides, so that it
                // cannot run out, and end the module, under the question.
                usrTimeBar& countdown = *platform::require(piFrmBarre_).timeBar();
                const bool counting = countdown.isCounting();
                countdown.ChronoStop();
                const QString text = message(QStringLiteral("FRMbarre_ConfirmQuit"))
                                         .replace(QStringLiteral("%1"), QStringLiteral("\r\n"));
                const long answer = piMessageBox(text, kavOk + kavAnnuler + kavAlert);
                if (token.expired()) {
                    alive = false;
                    return;
                }
                if (answer == platform::MessageBoxes::Cancel) {
                    scope.line(QStringLiteral("Annulation du quitter en évaluation"));
                    if (counting && piFrmBarre_)
                        piFrmBarre_->timeBar()->ChronoStart();
                    return;
                }
                clearResults(module);
            } else if (pieModeTest_ == ModeReponse) {
                module.MajResultQuest(pilResultQuestionEnCours_);
                if (context_.pulStateEnCours != traitementOk) {
                    const platform::RuntimeError failure(context_.lastError.number(), context_.lastError.text());
                    if (!piMessageErreur()) {
                        alive = false;
                        return;
                    }
                    scope.line(tracel::errorLine(failure));
                    context_.pulStateEnCours = traitementOk;
                }
            }
            if (!piFermerQuestion()) {
                if (!piMessageErreur()) {
                    alive = false;
                    return;
                }
                context_.pulStateEnCours = traitementOk;
            }
            alive = leave();
        });
}

void Manager::piFrmBarre_kavbtnRecomClick()
{
    runHandler(QStringLiteral("Private Sub piFrmBarre_kavbtnRecomClick"),
        basalo::enuFunctionReturnState_Lumaro_Manager_kavBtnRecomClick_ErreurInconnue, true,
        [&](tracel::TraceScope&, bool& alive) {
            Module& module = platform::require(moduleEnCours());
            disableWindow();
            platform::require(piFrmBarre_).timeBar()->ChronoStop();
            if (piRecommencer()) {
                enableWindow();
                return;
            }
            alive = endAfterFailure(module);
        });
}

void Manager::piFrmBarre_kavbtnSuivClick()
{
    bool evaluation = false;
    // Set while the countdown is paused and the question still waits for an answer.
    bool questionStaysOpen = false;
    // Every way out that leaves the session alive enables the window again.
    const bool alive = runHandler(QStringLiteral("Private Sub piFrmBarre_kavbtnSuivClick"),
        basalo::enuFunctionReturnState_Lumaro_Manager_kavbtnSuivClick_ErreurInconnue, true,
        [&](tracel::TraceScope& scope, bool& alive) {
            Module& module = platform::require(moduleEnCours());
            evaluation = module.TypeModule() == TYPEevaluation;
            disableWindow();
            if (evaluation)
                platform::require(piFrmBarre_).timeBar()->ChronoStop();

            // The next question, or the end of the module; on failure the session ends.
            const auto goOn = [&](bool openLesson) {
                const bool ok = piQuestionSuivante(alive);
                if (!alive)
                    return;
                if (ok) {
                    enableWindow();
                    if (openLesson)
                        alive = openLessonAutomatically(module);
                    return;
                }
                alive = endAfterFailure(module);
            };

            if (pieModeTest_ == ModeReponse) {
                scope.line(QStringLiteral("pieModeTest = ModeTest.ModeReponse"));
                goOn(true);
                return;
            }
            scope.line(QStringLiteral("pieModeTest = ModeTest.ModeQuestion"));
            questionStaysOpen = true;
            const auto question = platform::require(currentResult()).Question();
            const auto dll = platform::require(question).Dll();
            if (!platform::require(dll).TestePoint()) {
                scope.line(QStringLiteral(".Dll.TestePoint retourne false"));
                alive = piMessageErreur();
                return;
            }
            const ReactionReponse reaction = piGereReponse(alive);
            if (!alive)
                return;
            questionStaysOpen = reaction == RetourAuto || reaction == ErreurReference;
            switch (reaction) {
            case SuivanteAuto:
                scope.line(QStringLiteral("ReactionReponse.SuivanteAuto"));
                goOn(true);
                break;
            case RecommencerAuto:
                scope.line(QStringLiteral("ReactionReponse.RecommencerAuto"));
                if (!piRecommencer())
                    alive = endAfterFailure(module);
                break;
            case RetourAuto:
                scope.line(QStringLiteral("ReactionReponse.RetourAuto"));
                break;
            case AfficherReponse:
                scope.line(QStringLiteral("ReactionReponse.AfficherReponse"));
                if (evaluation) {
                    scope.line(QStringLiteral("TYPEevaluation"));
                    goOn(false);
                } else {
                    scope.line(QStringLiteral("TYPEformation"));
                    pieModeTest_ = ModeReponse;
                    // Only now does Poursuivre lead to the next question: an
                    // answer to give again keeps the look of a check.
                    dressPoursuivre(true);
                    if (!piAfficheReponse(currentTypeDll())) {
                        // The learner is told that the feedback could not be
                        // shown; Poursuivre still goes on to the next question.
                        scope.line(QStringLiteral("piAfficheReponse retourne false"));
                        alive = piMessageErreur();
                    }
                }
                break;
            case ErreurReference:
                scope.line(QStringLiteral("ReactionReponse.ErreurReference"));
                alive = piMessageErreur();
                break;
            }
        });
    if (!alive)
        return;
    enableWindow();
    // The time of an evaluation runs on for as long as the question stays open.
    if (evaluation && questionStaysOpen && piFrmBarre_)
        piFrmBarre_->timeBar()->ChronoStart();
}

void Manager::markTimedOut(ResultQuestion& result)
{
    const auto question = result.Question();
    const auto dll = question ? question->Dll() : nullptr;
    if (dll && dll->GetReponse(QStringLiteral("TP"))) {
        result.TypeReponse(ErreurGenerale);
        result.LettreReponse(QStringLiteral("TP"));
        return;
    }
    // Without an answer "TP" the letter designates none. It is stored before
    // the type, so that no answer is looked for and no error recorded: the
    // course lacks a text, the learner made no mistake.
    result.TypeReponse(NonInitialise);
    result.LettreReponse(QStringLiteral("TP"));
    result.TypeReponse(ErreurGenerale);
    result.IdReponse(-1);
}

void Manager::piFrmBarre_usrTimeBarTimeFinish()
{
    runHandler(QStringLiteral("Private Sub piFrmBarre_usrTimeBarTimeFinish"),
        basalo::enuFunctionReturnState_Lumaro_Manager_usrTimeBarTimeFinish_ErreurInconnue, true,
        [&](tracel::TraceScope& scope, bool& alive) {
            const std::weak_ptr<void> token = guard();
            Module& module = platform::require(moduleEnCours());
            const auto resultObject = currentResult();
            ResultQuestion& result = platform::require(resultObject);
            const auto question = result.Question();
            const auto dll = question ? question->Dll() : nullptr;
            const auto reponse = dll ? dll->GetReponse(QStringLiteral("TP")) : nullptr;
            if (!reponse)
                scope.line(QStringLiteral("Pas de réponse générale TP"));
            // Without a text of the course for it, the language file's says what happened.
            piMessageBox(reponse ? reponse->Message() : message(QStringLiteral("FRMbarre_TempsEcoule")), kavOk);
            if (token.expired()) {
                alive = false;
                return;
            }
            markTimedOut(result);
            switch (module.GlobPropModEval().lGPETypeChrono) {
            case 2:
                for (long i = pilResultQuestionEnCours_ + 1; i <= module.NbQuest(); ++i) {
                    if (const auto following = module.ResultQuestions(i))
                        markTimedOut(*following);
                }
                // Validated as the last answers of the module would be: the time
                // spent on the question is kept, and the count is this attempt's.
                for (long i = pilResultQuestionEnCours_; i <= module.NbQuest(); ++i)
                    module.MajResultQuest(i);
                if (!piFermerQuestion()) {
                    if (!piMessageErreur()) {
                        alive = false;
                        return;
                    }
                    context_.pulStateEnCours = traitementOk;
                }
                if (!raise([](ManagerEvents& events) { events.FinModule(); })) {
                    alive = false;
                    return;
                }
                piCacherBarre();
                break;
            case 3:
                if (!piQuestionSuivante(alive) && alive)
                    alive = endAfterFailure(module);
                break;
            default:
                break;
            }
        });
}

} // namespace lumaro
