// The scored answer: its reaction, the feedback pane; closing a question,
// moving on to the next one or to the end of the module, starting a question
// again.

#include "Manager.h"

#include "Complements.h"
#include "ManagerEvents.h"
#include "PageAddress.h"
#include "frmClient.h"
#include "kavMsgBoxStyle.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ModuleInterractif.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"
#include "toolkit/uctButton.h"
#include "tracel/TraceChannel.h"

#include <QFileInfo>
#include <QLabel>
#include <QWebEngineView>

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
    auto error = platform::trapError(platform::AutomationError, [&] {
        const auto question = platform::require(currentResult()).Question();
        platform::require(question).Fermer();
        closed = context_.pulStateEnCours == traitementOk;
    });
    // The application's window is unlocked however the closing went.
    const auto unlockError = platform::trapError(platform::AutomationError, [&] {
        const auto appli = platform::require(moduleEnCours()).Appli();
        platform::require(appli).UnlockWindow();
    });
    if (!error)
        error = unlockError;
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

ReactionReponse Manager::piGereReponse(bool& alive)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piGereReponse"));
    ReactionReponse reaction = ErreurReference;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const auto resultObject = currentResult();
        ResultQuestion& result = platform::require(resultObject);
        const auto questionObject = result.Question();
        const Question& question = platform::require(questionObject);
        const auto dllObject = question.Dll();
        const Dll& dll = platform::require(dllObject);
        const QString letter = dll.PointCauseErreur();

        if (dll.PointErreurGenerale()) {
            const QString text = platform::require(dll.GetReponse(letter)).Message();
            scope.line(QStringLiteral("ErreurGenerale ") + letter + QStringLiteral(" : ") + text);
            const std::weak_ptr<void> token = guard();
            piMessageBox(text, kavOk);
            if (token.expired()) {
                alive = false;
                return;
            }
            if (letter.contains(u'#')) {
                result.TypeReponse(ErreurGenerale);
                result.LettreReponse(letter);
                reaction = SuivanteAuto;
                scope.line(QStringLiteral("piGereReponse = SuivanteAuto"));
            } else if (letter.contains(u'%')) {
                reaction = RetourAuto;
                scope.line(QStringLiteral("piGereReponse = RetourAuto"));
            } else {
                reaction = RecommencerAuto;
                scope.line(QStringLiteral("piGereReponse = RecommencerAuto"));
            }
            return;
        }
        if (dll.PointBravoNuance() || dll.PointBravo()) {
            result.TypeReponse(dll.PointBravoNuance() ? BravoNuance : Bravo);
            result.LettreReponse(QString());
            reaction = AfficherReponse;
            scope.line(QStringLiteral("piGereReponse = AfficherReponse"));
            return;
        }

        result.TypeReponse(ErreurParticuliere);
        result.LettreReponse(letter);
        scope.line(QStringLiteral("LettreReponse : ") + letter);
        result.MessageEcranAffiche(platform::require(question.GetReponse(letter)).MessageEcran());
        if (dll.TypeDll() == 1) {
            const auto complements = platform::require(dll.DllInterractive()).Complement();
            if (complements && complements->Count() > 0) {
                scope.line(QStringLiteral("Complement.Count > 0"));
                result.MessageEcranAffiche(piRemplaceComplements(result.MessageEcranAffiche(), *complements));
            }
        }
        scope.line(QStringLiteral("MessageEcranAffiche : ") + result.MessageEcranAffiche());
        reaction = AfficherReponse;
        scope.line(QStringLiteral("piGereReponse = AfficherReponse"));
    });
    if (!alive)
        return reaction;
    if (error) {
        fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_piGereReponse_ErreurInconnue, false);
        return ErreurReference;
    }
    return reaction;
}

bool Manager::piAfficheReponse(long typeDll)
{
    tracel::TraceScope scope(
        context_.trace, tracel::TypeClass, unitName, QStringLiteral("Private Function piAfficheReponse"));
    scope.value(QStringLiteral("TypeDll"), QString::number(typeDll));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        frmClient& window = platform::require(piFrmBarre_);
        const auto resultObject = currentResult();
        ResultQuestion& result = platform::require(resultObject);
        const auto questionObject = result.Question();
        const Question& question = platform::require(questionObject);
        window.kavBtnCorrige()->setVisible(question.HasVideoCorrige());
        window.kavbtnLecon()->hide();

        QWidget* const label = window.lblReponse();
        QWidget* const background = window.lblFond();
        QWidget* const browser = window.WebBrowserReponse();
        const auto showPictures = [&](bool success) {
            window.ImageVictory()->setVisible(success);
            window.ImageCloud()->setVisible(!success);
        };
        switch (result.TypeReponse()) {
        case Bravo:
            scope.line(QStringLiteral("TypeResultatQuestion.Bravo"));
            window.lblReponse()->setText(message(QStringLiteral("FRMhtml_lblReponseBravo")));
            browser->hide();
            label->show();
            background->show();
            showPictures(true);
            break;
        case BravoNuance: {
            scope.line(QStringLiteral("TypeResultatQuestion.BravoNuance"));
            // A bis question's page is looked for in the bis folder, where its
            // other files are, then in the base folder.
            QUrl address = pageAddress(pisCheminHtml_, question.HtmlBravo());
            if (question.BaseBis() == QuestionBis) {
                const QUrl bis = pageAddress(pisCheminHtmlBis_, question.HtmlBravo());
                if (!bis.isLocalFile() || QFileInfo::exists(bis.toLocalFile()))
                    address = bis;
            }
            browser->show();
            window.WebBrowserReponse()->setUrl(address);
            label->hide();
            background->hide();
            showPictures(true);
            break;
        }
        default: {
            scope.line(QStringLiteral("erreur particulière"));
            showPictures(false);
            QString text = result.MessageEcranAffiche();
            while (text.endsWith(u' '))
                text.chop(1);
            window.lblReponse()->setText(text);
            browser->hide();
            label->show();
            background->show();
            break;
        }
        }

        const bool interactive = typeDll == 1;
        const int top = interactive ? 245 : 93;
        for (QWidget* part : {static_cast<QWidget*>(window.ImageCloud()), static_cast<QWidget*>(window.ImageVictory()),
                 background, browser})
            part->move(part->x(), top);
        label->move(label->x(), top + 2);
        window.showBackground(interactive ? QStringLiteral("Interactif_R") : QStringLiteral("Exerva_R"));
        window.setFixedHeight(interactive ? 367 : 213);
        if (!interactive)
            windows_.setTopmost(window.windowId(), true);
    });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Manager_piAfficheReponse_ErreurInconnue, true);
    return true;
}

} // namespace lumaro
