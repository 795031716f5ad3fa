// The course data loaders of the module session: the module, its questions,
// their exercise components and their videos, each from one page of the
// course server's web service.

#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "hostsession/SequenceRecords.h"
#include "toolkit/ReplyRecords.h"

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

#include <QUrlQuery>

namespace netrova {
namespace {

using namespace basalo;
using common::ReplyRecords;
using common::VideoRecord;
using common::readVideoRecord;
using common::replyWholeNumber;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

// When a loader writes the reply it received into the trace.
enum class ReplyTrace { Always, WhenUnrecognised, Never };

QStringList fields(const QString& element, qsizetype needed)
{
    QStringList list = common::splitReplyText(element, common::replyFieldSeparator);
    if (list.size() < needed)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    return list;
}

// The frame every loader shares: the request (counted in requestsDone), the
// trace of the reply, the status marker; `work` reads the records of a
// "#KAV_OK#" reply and answers the loader's result. An unexpected error leaves
// unexpectedCode.
template <typename Work>
bool loadPage(NetrovaContext& context, std::shared_ptr<clsInetUPL> transport, long& requestsDone, const QUrl& url,
              long serverCode, long unexpectedCode, ReplyTrace replyTrace, const tracel::TraceScope& scope, Work&& work)
{
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        QString reply;
        const long received = require(transport).GetInetData65x(reply, url);
        ++requestsDone;
        if (received != OK) {
            context.pulStateEnCours = received;
            return;
        }
        if (replyTrace == ReplyTrace::Always)
            scope.line(QStringLiteral("sDataRetour = ") + reply, 2);
        const ReplyRecords records(reply);
        scope.line(records.boundsLine());
        if (records.status() == common::ReplyStatus::Ok) {
            result = work(records);
            return;
        }
        if (replyTrace == ReplyTrace::WhenUnrecognised)
            scope.line(QStringLiteral("sDataRetour = ") + reply, 2);
        // An empty reply says nothing the loader could report as the server's.
        records.require(1);
        common::recordServerReply(context, records, serverCode, scope);
    });
    if (error) {
        context.pulStateEnCours = unexpectedCode;
        context.recordError(*error, scope);
        return false;
    }
    return result;
}

}  // namespace

QUrl clsBarreManager::servicePage(const QString& page, const QString& key, long value) const
{
    QUrl url(context_.pusURLBaseServer + QStringLiteral("WS/") + page);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("sessionid"), QString::fromUtf8(QUrl::toPercentEncoding(context_.pusPkCookie)));
    if (!key.isEmpty())
        query.addQueryItem(key, QString::number(value));
    url.setQuery(query);
    return url;
}

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

bool clsBarreManager::piRenseigneModule()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneModule"));
    bool result = false;
    if (const auto error = platform::trapError(platform::AutomationError, [&] {
            lumaro::ContexteManager& model = require(pioKavParc);
            if (!model.CreateModule()) {
                context_.pusErrorDescription = model.LastErrorString();
                context_.pulErrorNumber = model.LastErrorNumber();
                context_.pulStateEnCours = model.StateEnCours();
                scope.line(QStringLiteral("pioKavParc.CreateModule retourne False"));
                return;
            }
            const auto module = currentModule();
            module->Appli(model.Appli(pilIdAppli));
            module->Nom(nomModule_);
            module->GlobPropModEval({TypeChrono(), VisuNote(), VisuResultat()});
            if (typeFormEval_ == QStringLiteral("F")) {
                module->TypeModule(lumaro::TYPEformation);
            } else {
                module->TypeModule(lumaro::TYPEevaluation);
                module->DureePrevue(dureePrevueModule_);
            }
            result = piRenseigneQuestionDuModule();
            // The module's size is known once its questions are in.
            pilNbQuestionDuModule = module->NbQuest();
            module->NbQuestBase(pilNbQuestionDuModule);
        })) {
        context_.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::piRenseigneQuestionDuModule()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneQuestionDuModule"));
    return loadPage(
        context_, pioInetUrl, loadRequestsDone_, servicePage(QStringLiteral("InfoQuestDuModule.aspx")),
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneQuestionDuModule_ErreurServeur,
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneQuestionDuModule_Erreur, ReplyTrace::Always, scope,
        [&](const ReplyRecords& records) {
            const auto appli = currentAppli();
            const auto module = currentModule();
            std::vector<QStringList> rows;
            for (qsizetype i = 1; i < records.count(); ++i)
                rows.push_back(fields(records.element(i), 8));
            // The requests the load still needs: each question, each component
            // not known yet, each question's videos.
            QList<long> components;
            for (const QStringList& row : rows) {
                const long idDll = replyWholeNumber(row.at(1));
                if (!appli->Dll(idDll) && !components.contains(idDll))
                    components.append(idDll);
            }
            const auto questions = long(rows.size());
            if (loadRequestsExpected_)
                loadRequestsExpected_ = loadRequestsDone_ + questions + long(components.size())
                                        + (typeFormEval_ == QStringLiteral("F") ? questions : 0);
            for (const QStringList& row : rows) {
                const long idQuestion = replyWholeNumber(row.at(0));
                const long idDll = replyWholeNumber(row.at(1));
                const long instance = replyWholeNumber(row.at(5));
                replyWholeNumber(row.at(7));
                if (!appli->AddQuestion(idQuestion))
                    continue;
                if (!appli->Dll(idDll) && !piRenseigneDll(idDll)) {
                    scope.line(QStringLiteral("piRenseigneDll retourne false"));
                    return false;
                }
                const lumaro::Dll& dll = require(appli->Dll(idDll));
                lumaro::Question& q = require(appli->Question(idQuestion));
                q.Dll(appli->Dll(idDll));
                q.BaseBis(dll.Bis() ? lumaro::QuestionBis : lumaro::QuestionBase);
                q.HasVideoCorrige(HasCorrige());
                q.HasVideoLecon(HasLecon());
                q.DureePrevue(row.at(2));
                q.HtmlBravo(row.at(3));
                q.HtmlQuestion(row.at(4));
                q.Instance(instance);
                q.Intitule(row.at(6));
                if (!piRenseigneInfoQuestion(idQuestion)) {
                    scope.line(QStringLiteral("piRenseigneInfoQuestion retourne false"));
                    return false;
                }
            }
            for (const QStringList& row : rows) {
                const long item = module->AddResultQuestion(replyWholeNumber(row.at(0)));
                lumaro::ResultQuestion& result = require(module->ResultQuestions(item));
                result.TypeAffichage(replyWholeNumber(row.at(7)));
                result.TypeReponse(lumaro::PasDeResultat);
            }
            context_.pulStateEnCours = OK;
            return true;
        });
}

bool clsBarreManager::piRenseigneInfoQuestion(long ilIdQuestion)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneInfoQuestion"));
    context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_Erreur;
    return loadPage(
        context_, pioInetUrl, loadRequestsDone_,
        servicePage(QStringLiteral("InfoQuestion.aspx"), QStringLiteral("questionid"), ilIdQuestion),
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_ErreurServeur,
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_Erreur, ReplyTrace::Always, scope,
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
                    context_.pusErrorDescription.clear();
                    context_.pulErrorNumber = 0;
                    context_.pulStateEnCours =
                        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_ErreurAddFichier;
                    scope.line(QStringLiteral("FichierAssocieAddNew(") + file + QStringLiteral(") retourne False"));
                    return false;
                }
            }
            for (const Answer& answer : answers) {
                if (!question.AddReponse(answer.letter)) {
                    context_.pusErrorDescription.clear();
                    context_.pulErrorNumber = 0;
                    context_.pulStateEnCours =
                        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_ErreurAddReponse;
                    scope.line(QStringLiteral(".AddReponse(") + answer.letter + QStringLiteral(") retourne False"));
                    return false;
                }
                lumaro::Reponse& reponse = require(question.GetReponse(answer.letter));
                reponse.IdReponse(answer.id);
                reponse.MessageEcran(answer.message);
            }
            context_.pulStateEnCours = OK;
            return true;
        });
}

bool clsBarreManager::piRenseigneDll(long ilIdDll)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneDll"));
    return loadPage(
        context_, pioInetUrl, loadRequestsDone_,
        servicePage(QStringLiteral("InfoDll.aspx"), QStringLiteral("dllid"), ilIdDll),
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneDll_ErreurServeur,
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneDll_Erreur, ReplyTrace::Always, scope,
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
                context_.pulStateEnCours = OK;
                return true;
            }
            lumaro::Dll& dll = require(appli->Dll(ilIdDll));
            dll.Nom(records.element(1));
            scope.line(QStringLiteral(".Nom = ") + dll.Nom());
            dll.Bis(records.element(2).toLower() == QStringLiteral("eb"));
            scope.line(dll.Bis() ? QStringLiteral(".Bis = True") : QStringLiteral(".Bis = False"));
            for (const Answer& answer : answers) {
                if (!dll.AddReponse(answer.letter)) {
                    context_.pulErrorNumber = 0;
                    context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneDll_ErreurAddReponse;
                    scope.line(QStringLiteral(".AddReponse(") + answer.letter + QStringLiteral(") retourne False"));
                    return false;
                }
                lumaro::ReponseGenerale& reponse = require(dll.GetReponse(answer.letter));
                reponse.IdReponse(answer.id);
                reponse.Message(answer.message);
            }
            context_.pulStateEnCours = OK;
            return true;
        });
}

bool clsBarreManager::piRenseigneVideoModule()
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneVideoModule"));
    bool result = false;
    if (const auto error = platform::trapError(platform::AutomationError, [&] {
            const auto module = currentModule();
            for (long i = 1; i <= module->NbQuest(); ++i) {
                const long idQuestion = require(require(module->ResultQuestions(i)).Question()).IdQuestion();
                if (!piRenseigneVideo(idQuestion)) {
                    scope.line(QStringLiteral("piRenseigneVideo(") + QString::number(idQuestion)
                               + QStringLiteral(") retourne false"));
                    return;
                }
            }
            result = true;
        })) {
        context_.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::piRenseigneVideo(long ilIdQuestion)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneVideo"));
    context_.pulStateEnCours = OK;
    return loadPage(
        context_, pioInetUrl, loadRequestsDone_,
        servicePage(QStringLiteral("InfoVideo.aspx"), QStringLiteral("questionid"), ilIdQuestion),
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideo_ErreurServeur,
        enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideo_Erreur, ReplyTrace::Never, scope,
        [&](const ReplyRecords& records) {
            const auto appli = currentAppli();
            const qsizetype count = (records.count() - 1) / 2;
            scope.line(QStringLiteral("lNbVideo = ") + QString::number(count));
            if (count == 0) {
                lumaro::Question& question = require(appli->Question(ilIdQuestion));
                question.HasVideoCorrige(false);
                question.HasVideoLecon(false);
                scope.line(QStringLiteral("pas de video"));
                context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideo_NbVideoZero;
                return false;
            }
            // Every record is read and checked before the first video goes in.
            std::vector<VideoRecord> videos;
            for (qsizetype k = 0; k < count; ++k)
                videos.push_back(readVideoRecord(records.element(2 * k + 1), records.element(2 * k + 2), false, scope));
            for (const VideoRecord& record : videos) {
                if (!appli->addVideo(ilIdQuestion, record.type))
                    continue;
                require(appli->VideoByType(ilIdQuestion, record.type)) = record.video;
            }
            return true;
        });
}

bool clsBarreManager::piRenseigneVideoFromIndex(long ilIdVideo, long& lIdQuestion, QString& sType)
{
    const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneVideoFromIndex"));
    constexpr long serverCode = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideoFromIndex_ErreurServeur;
    return loadPage(
        context_, pioInetUrl, loadRequestsDone_,
        servicePage(QStringLiteral("InfoVideoFromIndex.aspx"), QStringLiteral("videoid"), ilIdVideo),
        serverCode, serverCode, ReplyTrace::WhenUnrecognised, scope, [&](const ReplyRecords& records) {
            const QStringList record = fields(records.element(1), 5);
            lIdQuestion = replyWholeNumber(record.at(4));
            sType = record.at(3);
            const VideoRecord read = readVideoRecord(records.element(1), records.element(2), true, scope);
            const auto appli = currentAppli();
            if (!appli->VideoByType(lIdQuestion, sType) && !appli->addVideo(lIdQuestion, sType)) {
                context_.pulStateEnCours = serverCode;
                scope.line(QStringLiteral("erreur kav addVideo(") + QString::number(lIdQuestion) + QStringLiteral(", ")
                           + sType + QStringLiteral(") retourne false"));
                return false;
            }
            // The reply describes the whole video: what an earlier launch loaded goes.
            require(appli->VideoByType(lIdQuestion, sType)) = read.video;
            scope.line(read.video.PasSansSon() ? QStringLiteral("Pas de séquences sans son")
                                               : QStringLiteral("avec séquences sans son"));
            context_.pulStateEnCours = OK;
            return true;
        });
}

}  // namespace netrova
