// The module session's exchange with the learning management system: the
// identity request, the result report, the exit step and the end of a run.

#include "AiccReport.h"
#include "HacpReply.h"
#include "QuestionPlayer.h"
#include "clsBarreManager.h"
#include "clsInetUPL.h"
#include "frmInet.h"

#include "toolkit/WebAddress.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"
#include "platform/HttpText.h"

namespace pelago {
namespace {

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

// The text of an answer that does not follow the protocol, short enough for an error text.
QString unreadable(const QString& answer)
{
    const QString shown = answer.simplified();
    return QStringLiteral("Réponse AICC illisible : ") + (shown.isEmpty() ? QStringLiteral("(vide)") : shown.left(120));
}

}  // namespace

QString clsBarreManager::request(const QString& command, const QString& aiccData) const
{
    return QString::fromLatin1(platform::encodeForm({{QStringLiteral("command"), command},
                                                     {QStringLiteral("session_id"), aiccSid_},
                                                     {QStringLiteral("version"), QStringLiteral("2.0")},
                                                     {QStringLiteral("aicc_data"), aiccData}},
                                                    "windows-1252"));
}

platform::RuntimeError clsBarreManager::exchangeError(const QString& command, long transportResult,
                                                     const platform::RuntimeError& transportError,
                                                     const QString& answer) const
{
    if (transportResult == OK) {
        const HacpReply reply = HacpReply::parse(answer);
        if (!reply.error())
            return platform::RuntimeError(platform::TypeMismatch, unreadable(answer));
        const QString text = reply.errorText();
        return platform::RuntimeError(*reply.error(),
                                      text.isEmpty() ? QStringLiteral("Le système de formation a refusé %1 (error=%2)")
                                                           .arg(command)
                                                           .arg(*reply.error())
                                                     : text);
    }
    if (transportResult == basalo::enuFunctionReturnState_Pelago_clsInetUPL_PostFormData_ErreurTimeOut)
        return platform::RuntimeError(transportResult, QStringLiteral("Le système de formation n'a pas répondu à temps"));
    // The transport keeps the HTTP status and its words, or the network's own account of the failure.
    const long status = transportError.number();
    if (status >= 100 && status <= 599) {
        const QString words = transportError.text().isEmpty() ? QString::number(status) : transportError.text();
        return platform::RuntimeError(status, QStringLiteral("Le système de formation a répondu HTTP ") + words);
    }
    QString text = QStringLiteral("Le système de formation est injoignable");
    if (!transportError.text().isEmpty())
        text += QStringLiteral(" : ") + transportError.text();
    return platform::RuntimeError(transportResult, text);
}

bool clsBarreManager::exchange(const QString& command, const QString& aiccData, bool byGet, long stepCode,
                               const tracel::TraceScope& scope, QString* answer)
{
    const QPointer<clsBarreManager> self(this);
    // Held here, so that the transport outlives the request whatever happens meanwhile.
    const std::shared_ptr<clsInetUPL> held = pioInetUrl_;
    clsInetUPL& transport = platform::require(held);
    const QString requestText = request(command, aiccData);
    // The transport leaves what went wrong as the last error; an exchange that
    // goes well leaves the last error as it was.
    const long previousNumber = std::exchange(data_.pulErrorNumber, 0);
    const QString previousText = std::exchange(data_.pusErrorDescription, QString());
    QString reply;
    long result = OK;
    if (byGet) {
        // The address may carry a query of its own already.
        const QUrl address(aiccUrl_ + (QUrl(aiccUrl_, QUrl::TolerantMode).hasQuery() ? u'&' : u'?') + requestText,
                           QUrl::TolerantMode);
        scope.line(QStringLiteral("puSendResult(") + address.toString() + u')');
        transport.puSendResult(address.toString(), &reply, &result);
    } else {
        scope.line(QStringLiteral("PostData(") + aiccUrl_ + QStringLiteral(", ") + requestText + u')');
        result = transport.PostData(reply, aiccUrl_, requestText);
    }
    if (!self)
        throw platform::RuntimeError(platform::ObjectNotSet);
    const platform::RuntimeError transportError(data_.pulErrorNumber, data_.pusErrorDescription);
    if (data_.pulErrorNumber == 0 && data_.pusErrorDescription.isEmpty()) {
        data_.pulErrorNumber = previousNumber;
        data_.pusErrorDescription = previousText;
    }
    scope.value(QStringLiteral("sDataRetour"), reply);
    if (answer)
        *answer = reply;
    if (result == OK && HacpReply::parse(reply).error() == 0)
        return true;
    data_.pulStateEnCours = stepCode;
    data_.recordError(exchangeError(command, result, transportError, reply), scope);
    return false;
}

clsBarreManager::StepFailure clsBarreManager::lastFailure() const
{
    return {data_.pulStateEnCours, data_.pulErrorNumber, data_.pusErrorDescription};
}

bool clsBarreManager::piGetInfoUserAICC()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piGetInfoUserAICC"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        data.pulStateEnCours = OK;
        // A refused request must not leave the previous learner's identity in place.
        identUser_.clear();
        nomUser_.clear();
        prenomUser_.clear();
        QString answer;
        if (!exchange(QStringLiteral("getparam"), {}, method_ == QLatin1String("get"),
                      basalo::enuFunctionReturnState_Pelago_clsBarreManager_piGetInfoUserAICC_ErreurAICC, scope,
                      &answer))
            return;
        const HacpReply reply = HacpReply::parse(answer);
        const auto core = [&reply](const QString& keyword) {
            const QString value = reply.value(QStringLiteral("core"), keyword);
            return value.isEmpty() ? reply.value({}, keyword) : value;
        };
        identUser_ = core(QStringLiteral("student_id"));
        const StudentName name = splitStudentName(core(QStringLiteral("student_name")));
        nomUser_ = name.last;
        prenomUser_ = name.first;
        scope.value(QStringLiteral("pisIdentUser"), identUser_);
        scope.value(QStringLiteral("pisNomUser"), nomUser_);
        scope.value(QStringLiteral("pisPrenomUser"), prenomUser_);
        if (identUser_.isEmpty() || nomUser_.isEmpty()) {
            scope.line(QStringLiteral("erreur kav getparam ne retourne pas les infos user attendues."));
            data.pulStateEnCours =
                basalo::enuFunctionReturnState_Pelago_clsBarreManager_piGetInfoUserAICC_ErreurAICCNoInfoUser;
            return;
        }
        result = true;
    });
    if (error) {
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_piGetInfoUserAICC_ErreurInconnue;
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

void clsBarreManager::piMajResult(bool ibModuleFini)
{
    CommonData& data = data_;
    const QPointer<clsBarreManager> self(this);
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Sub piMajResult"));
    scope.value(QStringLiteral("ibModuleFini"), ibModuleFini ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    if (reportUnderWay_) {
        scope.line(QStringLiteral("résultat déjà envoyé pour ce passage : ignoré"));
        return;
    }
    reportUnderWay_ = true;

    AiccReport report;
    const auto computeError = platform::trapError(platform::AutomationError, [&] {
        if (pioKavBarre_) {
            pioKavBarre_->PrepareFrmLoading(pisTypeFormEval);
            pioKavBarre_->SetMessageLoading(data.oLangue ? data.oLangue->GetMessage(QStringLiteral("MESSAGE_Loading2"))
                                                         : QString());
            pibChargementEnCours = true;
        }
        report.time = aiccTime(data.monotonicNow() - pidteDebutModuleEnCours);
        scope.value(QStringLiteral("sTime"), report.time);
        const auto module = platform::require(pioKavParc).ModuleEnCours();
        lumaro::Module& current = platform::require(module);
        current.Finir();
        if (pilIdQuestion <= 0) {
            scope.line(QStringLiteral("On a lancé un module"));
            report.status = ibModuleFini ? QStringLiteral("C") : QStringLiteral("I");
            report.score = moduleScore(current.NbQuestReussi(), current.NbQuest(), data.NoteMaxAicc);
        } else {
            scope.line(QStringLiteral("On a lancé une unique question."));
            const auto result = current.ResultQuestions(1);
            const long type = result ? result->TypeReponse() : lumaro::PasDeResultat;
            report.status = type >= lumaro::ErreurParticuliere ? QStringLiteral("C") : QStringLiteral("I");
            report.score = type >= lumaro::ErreurParticuliere ? questionScore(type, data.NoteMaxAicc) : QStringLiteral("0");
        }
        scope.value(QStringLiteral("sStatus"), report.status);
        scope.value(QStringLiteral("sScore"), report.score);
    });

    if (computeError) {
        // Nothing sound can be reported; the run still goes on to its end.
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_piMajResult_ErreurInconnue;
        data.recordError(*computeError, scope);
        reportFailure_ = lastFailure();
    } else {
        bool accepted = true;
        const auto sendError = platform::trapError(platform::AutomationError, [&] {
            if (method_ == QLatin1String("scorm")) {
                const QString word = statusWord(report.status);
                scope.line(QStringLiteral("RaiseEvent FinModule(%1, %2, %3)").arg(word, report.score, report.time));
                emit FinModule(word, report.score, report.time);
            } else {
                const QString aiccData = QStringLiteral("[Core]\r\nScore=%1\r\nLesson_Status=%2\r\nTime=%3")
                                             .arg(report.score, report.status, report.time);
                accepted = exchange(QStringLiteral("putparam"), aiccData, method_ == QLatin1String("get"),
                                    basalo::enuFunctionReturnState_Pelago_clsBarreManager_piMajResult_ErreurAICC, scope);
            }
        });
        if (!self)
            return;
        if (sendError) {
            data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_piMajResult_ErreurInconnue;
            data.recordError(*sendError, scope);
        }
        if (sendError || !accepted)
            reportFailure_ = lastFailure();
    }
    if (!frmInet_)
        return;
    data.pudteDebutAttenteExitAU = data.monotonicNow();
    scope.value(QStringLiteral("pudteDebutAttenteExitAU"), QString::number(data.pudteDebutAttenteExitAU.count()));
    frmInet_->timerExitAU().start(frmInet::stepInterval);
}

void clsBarreManager::piExitAU()
{
    CommonData& data = data_;
    const QPointer<clsBarreManager> self(this);
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName, QStringLiteral("Friend Sub piExitAU"));
    scope.value(QStringLiteral("pubWithExitAU"), data.pubWithExitAU ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    bool accepted = true;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        if (method_ == QLatin1String("scorm")) {
            scope.line(QStringLiteral("RaiseEvent ExitAU"));
            emit ExitAU();
        } else if (data.pubWithExitAU) {
            accepted = exchange(QStringLiteral("exitAU"), {}, false,
                                basalo::enuFunctionReturnState_Pelago_clsBarreManager_piExitAU_ErreurAICC, scope);
        }
    });
    if (!self)
        return;
    if (error) {
        data.pulStateEnCours = basalo::enuFunctionReturnState_Pelago_clsBarreManager_piExitAU_ErreurInconnue;
        data.recordError(*error, scope);
    }
    if (error || !accepted)
        exitFailure_ = lastFailure();
    if (!frmInet_)
        return;
    data.pudteDebutAttenteHide = data.monotonicNow();
    frmInet_->timerVisibility().start(frmInet::stepInterval);
}

void clsBarreManager::piTermineModuleEnCours()
{
    CommonData& data = data_;
    const QPointer<clsBarreManager> self(this);
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Friend Sub piTermineModuleEnCours"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        reportUnderWay_ = false;
        runUnderWay_ = false;
        pibChargementEnCours = false;
        if (pioKavBarre_)
            pioKavBarre_->TerminateFrmLoading();
        if (data.pubWithSelfClose) {
            scope.line(QStringLiteral("RaiseEvent SelfClose"));
            emit SelfClose();
            if (!self)
                return;
        }
        if (pioKavParc)
            pioKavParc->DestroyModule();
    });
    if (error)
        data.recordError(*error, scope);
    data.enterReady();
}

}  // namespace pelago
