#include "CourseRecords.h"

#include "SequenceRecords.h"

#include "lumaro/model/Appli.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "toolkit/ReplyRecords.h"
#include "tracel/TraceChannel.h"

namespace hostsession {

using platform::require;

bool loadCourseRecords(toolkit::SessionState& state, const std::function<std::optional<QString>()>& request,
                       long serverCode, long unexpectedCode, ReplyTrace replyTrace, const tracel::TraceScope& scope,
                       const std::function<bool(const toolkit::ReplyRecords&)>& read)
{
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const std::optional<QString> reply = request();
        if (!reply)
            return;
        if (replyTrace == ReplyTrace::Always)
            scope.line(QStringLiteral("sDataRetour = ") + *reply, 2);
        const toolkit::ReplyRecords records(*reply);
        scope.line(records.boundsLine());
        if (records.status() == toolkit::ReplyStatus::Ok) {
            result = read(records);
            return;
        }
        if (replyTrace == ReplyTrace::WhenUnrecognised)
            scope.line(QStringLiteral("sDataRetour = ") + *reply, 2);
        records.require(1);
        toolkit::recordServerReply(state, records, serverCode, scope);
    });
    if (error) {
        state.pulStateEnCours = unexpectedCode;
        state.recordError(*error, scope);
        return false;
    }
    return result;
}

QuestionRecord readQuestionRecord(const QStringList& fields, bool inModuleList)
{
    if (fields.size() < (inModuleList ? 8 : 7))
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    QuestionRecord record;
    record.idQuestion = toolkit::replyWholeNumber(fields.at(0));
    record.idDll = toolkit::replyWholeNumber(fields.at(1));
    record.dureePrevue = fields.at(2);
    record.htmlBravo = fields.at(3);
    record.htmlQuestion = fields.at(4);
    record.instance = toolkit::replyWholeNumber(fields.at(5));
    record.intitule = fields.at(6);
    if (inModuleList)
        record.typeAffichage = toolkit::replyWholeNumber(fields.at(7));
    return record;
}

ModelEntry enterComponent(lumaro::Appli& appli, long idDll, const toolkit::ReplyRecords& records)
{
    records.require(3);
    struct Answer {
        QString letter;
        long id;
        QString message;
    };
    std::vector<Answer> answers;
    for (qsizetype i = 3; i < records.count(); ++i) {
        const QStringList answer = toolkit::splitReplyText(records.element(i), toolkit::replyFieldSeparator, 3);
        answers.push_back({answer.at(0), toolkit::replyWholeNumber(answer.at(1)), answer.at(2)});
    }
    if (!appli.AddDll(idDll))
        return {EntryOutcome::AlreadyKnown, {}};
    lumaro::Dll& dll = require(appli.Dll(idDll));
    dll.Nom(records.element(1));
    dll.Bis(records.element(2).toLower() == QStringLiteral("eb"));
    for (const Answer& answer : answers) {
        if (!dll.AddReponse(answer.letter))
            return {EntryOutcome::AnswerRefused, answer.letter};
        lumaro::ReponseGenerale& reponse = require(dll.GetReponse(answer.letter));
        reponse.IdReponse(answer.id);
        reponse.Message(answer.message);
    }
    return {};
}

ModelEntry enterQuestion(lumaro::Appli& appli, const QuestionRecord& record, const QuestionLoading& loading,
                         const tracel::TraceScope& scope)
{
    if (!appli.AddQuestion(record.idQuestion))
        return {EntryOutcome::AlreadyKnown, {}};
    if (!appli.Dll(record.idDll) && !loading.loadComponent(record.idDll)) {
        scope.line(QStringLiteral("piRenseigneDll retourne false"));
        return {EntryOutcome::ComponentNotLoaded, {}};
    }
    const lumaro::Dll& dll = require(appli.Dll(record.idDll));
    lumaro::Question& question = require(appli.Question(record.idQuestion));
    question.Dll(appli.Dll(record.idDll));
    question.BaseBis(dll.Bis() ? lumaro::QuestionBis : lumaro::QuestionBase);
    question.HasVideoCorrige(loading.hasVideoCorrige);
    question.HasVideoLecon(loading.hasVideoLecon);
    question.DureePrevue(record.dureePrevue);
    question.HtmlBravo(record.htmlBravo);
    question.HtmlQuestion(record.htmlQuestion);
    question.Instance(record.instance);
    question.Intitule(record.intitule);
    if (!loading.loadInfo(record.idQuestion)) {
        scope.line(QStringLiteral("piRenseigneInfoQuestion retourne false"));
        return {EntryOutcome::InfoNotLoaded, {}};
    }
    return {};
}

void addResultQuestions(lumaro::Module& module, const std::vector<QuestionRecord>& records)
{
    for (const QuestionRecord& record : records) {
        const long item = module.AddResultQuestion(record.idQuestion);
        lumaro::ResultQuestion& result = require(module.ResultQuestions(item));
        result.TypeAffichage(record.typeAffichage);
        result.TypeReponse(lumaro::PasDeResultat);
    }
}

ModelEntry enterQuestionInfo(lumaro::Question& question, const toolkit::ReplyRecords& records)
{
    records.require(3);
    const QStringList files = toolkit::splitReplyText(records.element(1), toolkit::replyFieldSeparator);
    struct Answer {
        long id;
        QString letter, message;
    };
    std::vector<Answer> answers;
    for (const QString& item : toolkit::splitReplyText(records.element(2), toolkit::replyFieldSeparator)) {
        const QStringList parts = toolkit::splitReplyText(item, toolkit::replySubFieldSeparator, 3);
        answers.push_back({toolkit::replyWholeNumber(parts.at(0)), parts.at(1), parts.at(2)});
    }
    for (const QString& file : files) {
        if (!question.FichierAssocieAddNew(file))
            return {EntryOutcome::FileRefused, file};
    }
    for (const Answer& answer : answers) {
        if (!question.AddReponse(answer.letter))
            return {EntryOutcome::AnswerRefused, answer.letter};
        lumaro::Reponse& reponse = require(question.GetReponse(answer.letter));
        reponse.IdReponse(answer.id);
        reponse.MessageEcran(answer.message);
    }
    return {};
}

ModelEntry enterVideos(lumaro::Appli& appli, long idQuestion, const toolkit::ReplyRecords& records,
                       const tracel::TraceScope& scope)
{
    const qsizetype count = (records.count() - 1) / 2;
    scope.line(QStringLiteral("lNbVideo = ") + QString::number(count));
    if (count == 0) {
        lumaro::Question& question = require(appli.Question(idQuestion));
        question.HasVideoCorrige(false);
        question.HasVideoLecon(false);
        scope.line(QStringLiteral("pas de video"));
        return {EntryOutcome::NoVideo, {}};
    }
    std::vector<VideoRecord> videos;
    for (qsizetype k = 0; k < count; ++k)
        videos.push_back(readVideoRecord(records.element(2 * k + 1), records.element(2 * k + 2), false, scope));
    for (const VideoRecord& record : videos) {
        if (!appli.addVideo(idQuestion, record.type))
            continue;
        require(appli.VideoByType(idQuestion, record.type)) = record.video;
    }
    return {};
}

}  // namespace hostsession
