// Leaving the module: the result string posted to the course server until it
// is accepted or the learner gives up, and the leaving event for the page.

#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "toolkit/ReplyRecords.h"

#include "basalo/clsManager.h"
#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "lumaro/player/kavMsgBoxStyle.h"
#include "platform/ErrorTrap.h"
#include "platform/MessageBoxes.h"

#include <cmath>

namespace netrova {
namespace {

using namespace basalo;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

// A number of the server's reply, rounded to a Long; nothing when it is none.
std::optional<long> replyNumber(const QString& text)
{
    bool number = false;
    const double value = text.trimmed().toDouble(&number);
    if (!number || !std::isfinite(value) || std::fabs(value) > 2147483647.0)
        return std::nullopt;
    return static_cast<long>(std::nearbyint(value));
}

// The record's separators; it has no escape.
constexpr QChar resultSeparators[] = {u'|', u'^', u'{'};

// A text holding one of the separators would shift every field after it.
QString checkedText(const QString& text)
{
    for (const QChar separator : resultSeparators)
        if (text.contains(separator))
            throw platform::RuntimeError(platform::InvalidProcedureCall,
                                         QStringLiteral("Texte refusé dans le résultat : ") + text);
    return text;
}

// A text the server gave and the result only echoes loses the separators,
// rather than the learner's answers their post.
QString echoedText(const QString& text, const tracel::TraceScope& scope)
{
    QString kept = text;
    for (const QChar separator : resultSeparators)
        kept.remove(separator);
    if (kept != text)
        scope.line(QStringLiteral("erreur kav séparateurs retirés de la durée prévue du parcours : ") + text);
    return kept;
}

}  // namespace

bool clsBarreManager::piMajResultModule(long ilAncienNbQuestReussi)
{
    return piMajResultModules(ilAncienNbQuestReussi);
}

long clsBarreManager::askLearner(const QString& text, long style)
{
    lumaro::Manager* player = pioKavBarre_.get();
    if (!player)
        return platform::MessageBoxes::Cancel;
    player->CacherBarrePourVideo();
    const long answer = player->AfficheMessageBoxBarre(text, style);
    // The page may have ended the session while the box was up.
    if (pioKavBarre_.get() == player)
        player->RetourAfficherVideoManager();
    return answer;
}

std::optional<QString> clsBarreManager::resultString(const lumaro::Module& module, long nbQuestionReussiDuParcours,
                                                     const tracel::TraceScope& scope)
{
    basalo::clsManager constants(context_.basaloState);
    const auto dateText = [&](const platform::OleDate& date) {
        QString text;
        constants.ConvertDateToKavDbl(date, text);
        return text;
    };
    const bool evaluation = module.TypeModule() == lumaro::TYPEevaluation;
    QStringList header{QString::number(idUser_),
                       QString::number(idParcours_),
                       QString::number(idModule_),
                       QString::number(idResModule_),
                       QString::number(module.NbQuestReussi()),
                       dateText(module.DebutModule()),
                       checkedText(module.TempsPasseModule()),
                       QString::number(idResParcours_),
                       QString::number(nbQuestionReussiDuParcours)};
    bool complete = true;
    if (!evaluation) {
        for (long i = 1; i <= module.NbQuest() && complete; ++i)
            complete = require(module.ResultQuestions(i)).TypeAffichage() != -1;
    }
    header << (complete ? QStringLiteral("1") : QStringLiteral("0"));

    QStringList records;
    for (long i = 1; i <= module.NbQuest(); ++i) {
        const lumaro::ResultQuestion& result = require(module.ResultQuestions(i));
        if (result.TypeReponse() <= 0)
            continue;
        records << QStringList{QString::number(require(result.Question()).IdQuestion()),
                               QString::number(result.TypeReponse()), QString::number(result.IdReponse()),
                               dateText(result.DatePremierAcces()), checkedText(result.Duree())}
                       .join(u'{');
    }
    if (records.isEmpty()) {
        scope.line(QStringLiteral("aucun résultat mis à jour, sans erreur de mise à jour"));
        return std::nullopt;
    }
    return header.join(u'|') + u'|' + records.join(u'^') + u'|' + echoedText(dureePrevueParcours_, scope);
}

bool clsBarreManager::piMajResultModules(long ilAncienNbQuestReussi)
{
    const auto keepAlive = weak_from_this().lock();
    NetrovaContext& context = context_;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piMajResultModules"));
    context.pulStateEnCours = OK;
    const bool tracking = context.pulLevelSuivi > 0;
    bool accepted = false;
    resultReport_ = {ResultFate::NotStored, {}};
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const auto module = require(pioKavParc).ModuleEnCours();
        const lumaro::Module& played = require(module);
        // The counters change only once the server has the result.
        const long parcours = NbQuestionReussiDuParcours() - ilAncienNbQuestReussi + played.NbQuestReussi();
        const auto built = resultString(played, parcours, scope);
        if (!built) {
            resultReport_ = {ResultFate::NothingAnswered, {}};
            return;
        }
        const QString result = QString(*built).replace(u' ', QStringLiteral("%20"));
        scope.value(QStringLiteral("sChaineResult"), result);
        const auto knownError = [&] {
            return message(QStringLiteral("ERR_CONNUE")) + stepAndError();
        };
        for (;;) {
            pibLoadingAffiche = true;
            if (tracking)
                SetinfoLog(PostResult);
            context.pulStateEnCours = OK;
            const auto transport = pioInetUrl;
            const QString reply =
                require(transport).PostFormData(context.pusURLBaseServer + QStringLiteral("WS/"),
                                                QStringLiteral("SetResultModule"),
                                                {{0, QStringLiteral("ChaineResult"), result}});
            pibLoadingAffiche = false;
            scope.value(QStringLiteral("sRetour"), reply);
            // What the learner is told of the failure before being asked to try again.
            QString cause;
            if (context.pulStateEnCours != OK) {
                // The request itself failed: the form missing, the server out of reach or too slow.
                if (tracking)
                    SetinfoLog(PostResultError);
                cause = knownError();
            } else if (const toolkit::ReplyRecords records(reply.trimmed());
                       records.status() == toolkit::ReplyStatus::Error) {
                // The server's own error: its code and words.
                toolkit::ReplyError refusal;
                if (platform::trapError(platform::AutomationError, [&] { refusal = records.error(); }))
                    refusal.text = reply.trimmed();
                context.pulStateEnCours =
                    refusal.step.value_or(enuFunctionReturnState_Netrova_clsBarreManager_piMajResultModules_ErreurVB);
                context.pulErrorNumber = refusal.number;
                context.pusErrorDescription = refusal.text;
                scope.line(QStringLiteral("erreur kav ") + QString::number(context.pulStateEnCours)
                           + QStringLiteral(" ; ") + QString::number(refusal.number) + QStringLiteral(" : ")
                           + refusal.text);
                if (tracking)
                    SetinfoLog(PostResultErrorConnue, QString::number(context.pulStateEnCours), refusal.text);
                cause = knownError();
            } else {
                const QStringList parts = reply.split(u'|');
                const auto status = parts.size() > 1 ? replyNumber(parts.at(0)) : std::nullopt;
                const auto idParcours = parts.size() > 2 ? replyNumber(parts.at(1)) : std::nullopt;
                const auto idModule = parts.size() > 2 ? replyNumber(parts.at(2)) : std::nullopt;
                if (status == 1L && idParcours && idModule) {
                    if (tracking)
                        SetinfoLog(PostResultOK);
                    idResParcours_ = *idParcours;
                    idResModule_ = *idModule;
                    NbQuestionReussiDuParcours(parcours);
                    NbQuestionReussiDuModule(played.NbQuestReussi());
                    context.pulStateEnCours = OK;
                    resultReport_ = {ResultFate::Stored, {}};
                    accepted = true;
                    return;
                }
                if (status && *status != 1) {
                    context.pulStateEnCours = *status;
                    if (tracking)
                        SetinfoLog(PostResultErrorConnue, parts.value(1), parts.value(2));
                    resultReport_.why = QStringLiteral("le serveur a refusé le résultat (statut %1)").arg(*status);
                } else {
                    if (tracking)
                        SetinfoLog(PostResultError);
                    resultReport_.why = QStringLiteral("réponse illisible du serveur : ") + reply.trimmed().left(200);
                }
            }
            if (!cause.isEmpty())
                resultReport_.why = stepAndError();
            const QString question = message(QStringLiteral("ERR_POST_RESULT"));
            if (askLearner(cause.isEmpty() ? question : cause + QStringLiteral("\r\n\r\n") + question,
                           lumaro::kavOk + lumaro::kavAnnuler + lumaro::kavAlert)
                == platform::MessageBoxes::Cancel)
                return;
        }
    });
    pibLoadingAffiche = false;
    if (!error)
        return accepted;
    context.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piMajResultModules_ErreurVB;
    context.recordError(*error, scope);
    resultReport_ = {ResultFate::NotStored, stepAndError()};
    if (tracking)
        SetinfoLog(PostResultError);
    askLearner(message(QStringLiteral("ERR_CONNUE")) + stepAndError(), lumaro::kavOk);
    return false;
}

void clsBarreManager::piQuitterModule(long ieTypeSortie)
{
    const auto keepAlive = weak_from_this().lock();
    NetrovaContext& context = context_;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub piQuitterModule"));
    scope.value(QStringLiteral("ieTypeSortie"), QString::number(ieTypeSortie));
    context.pulStateEnCours = OK;
    bool evaluation = false;
    void (clsBarreManager::*leaving)() = nullptr;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const auto module = require(pioKavParc).ModuleEnCours();
        lumaro::Module& played = require(module);
        evaluation = played.TypeModule() == lumaro::TYPEevaluation;
        if (evaluation) {
            context.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piQuitterModule_ErreurDechargerAppli;
            const auto unload = platform::trapError(platform::AutomationError, [&] {
                if (const auto appli = played.Appli())
                    appli->DechargerAppliInterractive();
            });
            context.pulErrorNumber = unload ? unload->number() : 0;
            if (unload) {
                context.pusErrorDescription = unload->text();
                if (pioKavBarre_)
                    pioKavBarre_->AfficheMessageBoxBarre(message(QStringLiteral("ERR_CONNUE")) + stepAndError(),
                                                         lumaro::kavOk);
            }
            context.pulStateEnCours = OK;
        }
        if (ieTypeSortie != WithMajResult) {
            resultReport_ = {ResultFate::NothingAnswered, {}};
            for (long i = 1; i <= played.NbQuest(); ++i) {
                const auto result = played.ResultQuestions(i);
                if (result && result->TypeReponse() > 0)
                    resultReport_ = {ResultFate::NotStored, QStringLiteral("le module a été quitté avant sa fin : "
                                                                           "ses réponses ne sont pas enregistrées")};
            }
            leaving = evaluation ? &clsBarreManager::QuitterModuleEval : &clsBarreManager::QuitterModuleForm;
            return;
        }
        loading_.PrepareFrmLoading(evaluation ? QStringLiteral("E") : QStringLiteral("F"));
        loading_.SetMessageLoading(message(QStringLiteral("WAIT_MAJ_RESULT")));
        const bool posted = piMajResultModules(NbQuestionReussiDuModule());
        if (posted)
            played.Finir();
        loading_.TerminateFrmLoading();
        if (posted)
            leaving = evaluation ? &clsBarreManager::QuitterModuleEvalWithResult
                                 : &clsBarreManager::QuitterModuleFormWithResult;
        else
            leaving = evaluation ? &clsBarreManager::QuitterModuleEval : &clsBarreManager::QuitterModuleForm;
    });
    if (error) {
        loading_.TerminateFrmLoading();
        context.recordError(*error, scope);
        if (resultReport_.fate != ResultFate::Stored)
            resultReport_ = {ResultFate::NotStored, stepAndError()};
        const QString known = message(context.pulStateEnCours != OK ? QStringLiteral("ERR_CONNUE")
                                                                    : QStringLiteral("ERR_INCONNUE"));
        if (pioKavBarre_)
            pioKavBarre_->AfficheMessageBoxBarre(known + stepAndError(), lumaro::kavOk);
        leaving = evaluation ? &clsBarreManager::QuitterModuleEval : &clsBarreManager::QuitterModuleForm;
        // The page's window comes back, whatever hid it.
        if (context.windows && pilHandleAppelant != 0 && !context.windows->isVisible(pilHandleAppelant))
            context.windows->showNormal(pilHandleAppelant);
    }
    // The page answers the event, and may end the plug-in there: the last thing done here.
    if (leaving)
        emit(this->*leaving)();
}

}  // namespace netrova
