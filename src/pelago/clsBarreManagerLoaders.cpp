// The course data of a run: the question or the module's questions, their
// exercise components, associated files, answers and videos, each from a
// form post to one of the management system's pages.

#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "hostsession/CourseRecords.h"
#include "toolkit/ReplyRecords.h"
#include "toolkit/tParamForm.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "platform/RuntimeError.h"

#include <vector>

namespace pelago {
namespace {

using namespace basalo;
using hostsession::EntryOutcome;
using toolkit::ReplyRecords;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

// A page of the management system, asked for by form post; a failed post
// keeps the transport's step code.
bool loadPage(CommonData& data, const std::shared_ptr<clsInetUPL>& transport, const QString& base,
              const QString& page, const std::vector<toolkit::tParamForm>& form, long serverCode, long unexpectedCode,
              const tracel::TraceScope& scope, const std::function<bool(const ReplyRecords&)>& read)
{
    const auto request = [&]() -> std::optional<QString> {
        // Held here, so that the transport outlives the request whatever happens meanwhile.
        const std::shared_ptr<clsInetUPL> held = transport;
        QString reply = require(held).PostFormData(base, page, form);
        if (data.pulStateEnCours != OK)
            return std::nullopt;
        return reply;
    };
    return hostsession::loadCourseRecords(data, request, serverCode, unexpectedCode, hostsession::ReplyTrace::Always,
                                          scope, read);
}

toolkit::tParamForm field(long index, const QString& name, const QString& value)
{
    return {index, name, value};
}

}  // namespace

std::shared_ptr<lumaro::Appli> clsBarreManager::currentAppli() const
{
    return modelAppli(pilIdAppli);
}

bool clsBarreManager::enterQuestion(const hostsession::QuestionRecord& record, const tracel::TraceScope& scope)
{
    const hostsession::QuestionLoading loading{
        HasCorrige(), HasLecon(), [this](long idDll) { return piRenseigneDll(idDll); },
        [this](long idQuestion) { return piRenseigneInfoQuestion(idQuestion); }};
    const hostsession::ModelEntry entry = hostsession::enterQuestion(*currentAppli(), record, loading, scope);
    if (entry.outcome == EntryOutcome::AlreadyKnown)
        scope.line(QStringLiteral("question ") + QString::number(record.idQuestion) + QStringLiteral(" déjà chargée"));
    return !entry.failed();
}

bool clsBarreManager::piRenseigneQuestion()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneQuestion"));
    return loadPage(
        data, pioInetUrl_, urlClientFolder_ + QStringLiteral("WS/"), QStringLiteral("LMS_InfoQuestionLS"),
        {field(0, QStringLiteral("IdQuestionLs"), QString::number(pilIdQuestion))},
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestion_ErreurServeur,
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestion_ErreurInconnue, scope,
        [&](const ReplyRecords& records) {
            const QStringList record = toolkit::splitReplyText(records.element(1), toolkit::replyFieldSeparator, 7);
            const long received = toolkit::replyWholeNumber(record.at(0));
            if (received != pilIdQuestion) {
                // Another question than the one asked for would be played, and reported, in its place.
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestion_ErreurNoQuestion;
                data.recordError(platform::RuntimeError(0, QStringLiteral("La question %1 a été reçue au lieu de la %2")
                                                               .arg(received)
                                                               .arg(pilIdQuestion)),
                                 scope);
                return false;
            }
            if (!enterQuestion(hostsession::readQuestionRecord(record, false), scope))
                return false;
            data.pulStateEnCours = OK;
            return true;
        });
}

bool clsBarreManager::piRenseigneQuestionDuModule()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneQuestionDuModule"));
    return loadPage(
        data, pioInetUrl_, urlClientFolder_ + QStringLiteral("WS/"), QStringLiteral("LMS_InfoQuestDuModule"),
        {field(0, QStringLiteral("IdModule"), QString::number(pilIdModule)),
         field(1, QStringLiteral("TypeFormEval"), pisTypeFormEval), field(2, QStringLiteral("IdResModule"), QStringLiteral("-1"))},
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestionDuModule_ErreurServeur,
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestionDuModule_ErreurInconnue, scope,
        [&](const ReplyRecords& records) {
            const auto module = currentModule();
            // Every record is read and checked before the first question goes in.
            std::vector<hostsession::QuestionRecord> rows;
            for (qsizetype i = 1; i < records.count(); ++i)
                rows.push_back(hostsession::readQuestionRecord(
                    toolkit::splitReplyText(records.element(i), toolkit::replyFieldSeparator), true));
            for (const hostsession::QuestionRecord& row : rows) {
                if (!enterQuestion(row, scope))
                    return false;
            }
            hostsession::addResultQuestions(*module, rows);
            data.pulStateEnCours = OK;
            return true;
        });
}

bool clsBarreManager::piRenseigneDll(long ilIdDll)
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneDll"));
    return loadPage(
        data, pioInetUrl_, urlClientFolder_ + QStringLiteral("WS/"), QStringLiteral("LMS_InfoDll"),
        {field(0, QStringLiteral("IdDll"), QString::number(ilIdDll))},
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneDll_ErreurServeur,
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneDll_ErreurInconnue, scope,
        [&](const ReplyRecords& records) {
            if (hostsession::enterComponent(*currentAppli(), ilIdDll, records).outcome == EntryOutcome::AnswerRefused) {
                data.pulErrorNumber = 0;
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneDll_ErreurAddReponse;
                scope.line(QStringLiteral("erreur kav AddReponse retourne false"));
                return false;
            }
            data.pulStateEnCours = OK;
            return true;
        });
}

bool clsBarreManager::piRenseigneInfoQuestion(long ilIdQuestion)
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneInfoQuestion"));
    return loadPage(
        data, pioInetUrl_, urlClientFolder_ + QStringLiteral("WS/"), QStringLiteral("LMS_InfoQuestion"),
        {field(0, QStringLiteral("IdQuestion"), QString::number(ilIdQuestion))},
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneInfoQuestion_ErreurServeur,
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneInfoQuestion_ErreurInconnue, scope,
        [&](const ReplyRecords& records) {
            lumaro::Question& question = require(currentAppli()->Question(ilIdQuestion));
            const hostsession::ModelEntry entry = hostsession::enterQuestionInfo(question, records);
            if (entry.outcome == EntryOutcome::FileRefused) {
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneInfoQuestion_ErreurAddFichier;
                scope.line(QStringLiteral("FichierAssocieAddNew(") + entry.refused + QStringLiteral(") retourne False"));
                return false;
            }
            if (entry.outcome == EntryOutcome::AnswerRefused) {
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneInfoQuestion_ErreurAddReponse;
                scope.line(QStringLiteral("AddReponse(") + entry.refused + QStringLiteral(") retourne False"));
                return false;
            }
            // A question of the second set has no video of its own.
            if (question.BaseBis() == lumaro::QuestionBase && !piRenseigneVideo(ilIdQuestion))
                return false;
            data.pulStateEnCours = OK;
            return true;
        });
}

bool clsBarreManager::piRenseigneVideo(long ilIdQuestion)
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneVideo"));
    return loadPage(
        data, pioInetUrl_, urlClientFolder_ + QStringLiteral("WS/"), QStringLiteral("LMS_InfoVideo"),
        {field(0, QStringLiteral("IdQuestion"), QString::number(ilIdQuestion))},
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneVideo_ErreurServeur,
        enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneVideo_ErreurInconnue, scope,
        [&](const ReplyRecords& records) {
            if (hostsession::enterVideos(*currentAppli(), ilIdQuestion, records, scope).outcome
                == EntryOutcome::NoVideo) {
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneVideo_NbVideoZero;
                return false;
            }
            data.pulStateEnCours = OK;
            return true;
        });
}

}  // namespace pelago
