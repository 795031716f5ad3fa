// The course data of a run: the question or the module's questions, their
// exercise components, associated files, answers and videos, each from a
// form post to one of the management system's pages.

#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "hostsession/SequenceRecords.h"
#include "toolkit/ReplyRecords.h"
#include "toolkit/tParamForm.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"

#include <vector>

namespace pelago {
namespace {

using namespace basalo;
using common::ReplyRecords;
using common::replyWholeNumber;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

QStringList fields(const QString& element, qsizetype needed)
{
    QStringList list = common::splitReplyText(element, common::replyFieldSeparator);
    if (list.size() < needed)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    return list;
}

// The frame every page shares: the form post, the trace of the reply, the
// status marker; `work` reads the records of a "#KAV_OK#" reply and answers
// the operation's result. A failed post keeps the transport's step code; an
// unexpected error leaves unexpectedCode.
template <typename Work>
bool loadPage(CommonData& data, const std::shared_ptr<clsInetUPL>& transport, const QString& base,
              const QString& page, const std::vector<common::tParamForm>& form, long serverCode, long unexpectedCode,
              const tracel::TraceScope& scope, Work&& work)
{
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        // Held here, so that the transport outlives the request whatever happens meanwhile.
        const std::shared_ptr<clsInetUPL> held = transport;
        const QString reply = require(held).PostFormData(base, page, form);
        if (data.pulStateEnCours != OK)
            return;
        scope.line(QStringLiteral("sDataRetour = ") + reply, 2);
        const ReplyRecords records(reply);
        scope.line(records.boundsLine());
        if (records.status() == common::ReplyStatus::Ok) {
            result = work(records);
            return;
        }
        // An empty reply has no marker at all: nothing the system said.
        records.require(1);
        common::recordServerReply(data, records, serverCode, scope);
    });
    if (error) {
        data.pulStateEnCours = unexpectedCode;
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

common::tParamForm field(long index, const QString& name, const QString& value)
{
    return {index, name, value};
}

}  // namespace

std::shared_ptr<lumaro::Appli> clsBarreManager::currentAppli() const
{
    auto appli = require(pioKavParc).Appli(pilIdAppli);
    require(appli);
    return appli;
}

std::shared_ptr<lumaro::Module> clsBarreManager::currentModule() const
{
    auto module = require(pioKavParc).ModuleEnCours();
    require(module);
    return module;
}

bool clsBarreManager::enterQuestion(const QStringList& record, const tracel::TraceScope& scope)
{
    const auto appli = currentAppli();
    const long idQuestion = replyWholeNumber(record.at(0));
    const long idDll = replyWholeNumber(record.at(1));
    const long instance = replyWholeNumber(record.at(5));
    if (!appli->AddQuestion(idQuestion)) {
        scope.line(QStringLiteral("question ") + QString::number(idQuestion) + QStringLiteral(" déjà chargée"));
        return true;
    }
    if (!appli->Dll(idDll) && !piRenseigneDll(idDll)) {
        scope.line(QStringLiteral("piRenseigneDll retourne false"));
        return false;
    }
    const lumaro::Dll& dll = require(appli->Dll(idDll));
    lumaro::Question& question = require(appli->Question(idQuestion));
    question.Dll(appli->Dll(idDll));
    question.BaseBis(dll.Bis() ? lumaro::QuestionBis : lumaro::QuestionBase);
    question.HasVideoCorrige(HasCorrige());
    question.HasVideoLecon(HasLecon());
    question.DureePrevue(record.at(2));
    question.HtmlBravo(record.at(3));
    question.HtmlQuestion(record.at(4));
    question.Instance(instance);
    question.Intitule(record.at(6));
    if (!piRenseigneInfoQuestion(idQuestion)) {
        scope.line(QStringLiteral("piRenseigneInfoQuestion retourne false"));
        return false;
    }
    return true;
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
            const QStringList record = fields(records.element(1), 7);
            const long received = replyWholeNumber(record.at(0));
            if (received != pilIdQuestion) {
                // Another question than the one asked for would be played, and reported, in its place.
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneQuestion_ErreurNoQuestion;
                data.recordError(platform::RuntimeError(0, QStringLiteral("La question %1 a été reçue au lieu de la %2")
                                                               .arg(received)
                                                               .arg(pilIdQuestion)),
                                 scope);
                return false;
            }
            if (!enterQuestion(record, scope))
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
            std::vector<QStringList> rows;
            for (qsizetype i = 1; i < records.count(); ++i) {
                QStringList row = fields(records.element(i), 8);
                for (const int number : {0, 1, 5, 7})
                    replyWholeNumber(row.at(number));
                rows.push_back(std::move(row));
            }
            for (const QStringList& row : rows) {
                if (!enterQuestion(row, scope))
                    return false;
            }
            for (const QStringList& row : rows) {
                const long item = module->AddResultQuestion(replyWholeNumber(row.at(0)));
                lumaro::ResultQuestion& result = require(module->ResultQuestions(item));
                result.TypeAffichage(replyWholeNumber(row.at(7)));
                result.TypeReponse(lumaro::PasDeResultat);
            }
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
            records.require(3);
            const auto appli = currentAppli();
            struct Answer {
                QString letter;
                long id;
                QString message;
            };
            std::vector<Answer> answers;
            for (qsizetype i = 3; i < records.count(); ++i) {
                const QStringList answer = fields(records.element(i), 3);
                answers.push_back({answer.at(0), replyWholeNumber(answer.at(1)), answer.at(2)});
            }
            if (!appli->AddDll(ilIdDll)) {
                data.pulStateEnCours = OK;
                return true;
            }
            lumaro::Dll& dll = require(appli->Dll(ilIdDll));
            dll.Nom(records.element(1));
            dll.Bis(records.element(2).toLower() == QStringLiteral("eb"));
            for (const Answer& answer : answers) {
                if (!dll.AddReponse(answer.letter)) {
                    data.pulErrorNumber = 0;
                    data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneDll_ErreurAddReponse;
                    scope.line(QStringLiteral("erreur kav AddReponse retourne false"));
                    return false;
                }
                lumaro::ReponseGenerale& reponse = require(dll.GetReponse(answer.letter));
                reponse.IdReponse(answer.id);
                reponse.Message(answer.message);
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
            records.require(3);
            lumaro::Question& question = require(currentAppli()->Question(ilIdQuestion));
            const QStringList files = common::splitReplyText(records.element(1), common::replyFieldSeparator);
            struct Answer {
                long id;
                QString letter, message;
            };
            std::vector<Answer> answers;
            for (const QString& item : common::splitReplyText(records.element(2), common::replyFieldSeparator)) {
                const QStringList parts = common::splitReplyText(item, common::replySubFieldSeparator);
                if (parts.size() < 3)
                    throw platform::RuntimeError(platform::SubscriptOutOfRange);
                answers.push_back({replyWholeNumber(parts.at(0)), parts.at(1), parts.at(2)});
            }
            for (const QString& file : files) {
                if (!question.FichierAssocieAddNew(file)) {
                    data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneInfoQuestion_ErreurAddFichier;
                    scope.line(QStringLiteral("FichierAssocieAddNew(") + file + QStringLiteral(") retourne False"));
                    return false;
                }
            }
            for (const Answer& answer : answers) {
                if (!question.AddReponse(answer.letter)) {
                    data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneInfoQuestion_ErreurAddReponse;
                    scope.line(QStringLiteral("AddReponse(") + answer.letter + QStringLiteral(") retourne False"));
                    return false;
                }
                lumaro::Reponse& reponse = require(question.GetReponse(answer.letter));
                reponse.IdReponse(answer.id);
                reponse.MessageEcran(answer.message);
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
            const auto appli = currentAppli();
            const qsizetype count = (records.count() - 1) / 2;
            scope.line(QStringLiteral("lNbVideo = ") + QString::number(count));
            if (count == 0) {
                lumaro::Question& question = require(appli->Question(ilIdQuestion));
                question.HasVideoCorrige(false);
                question.HasVideoLecon(false);
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneVideo_NbVideoZero;
                scope.line(QStringLiteral("pas de video"));
                return false;
            }
            // Every record is read and checked before the first video goes in.
            std::vector<common::VideoRecord> videos;
            for (qsizetype k = 0; k < count; ++k)
                videos.push_back(
                    common::readVideoRecord(records.element(2 * k + 1), records.element(2 * k + 2), false, scope));
            for (const common::VideoRecord& record : videos) {
                if (!appli->addVideo(ilIdQuestion, record.type))
                    continue;
                require(appli->VideoByType(ilIdQuestion, record.type)) = record.video;
            }
            data.pulStateEnCours = OK;
            return true;
        });
}

}  // namespace pelago
