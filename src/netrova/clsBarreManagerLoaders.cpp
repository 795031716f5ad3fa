// The course data loaders of the module session: the module, its questions,
// their exercise components and their videos, each from one page of the
// course server's web service.

#include "clsBarreManager.h"

#include "clsInetUPL.h"

#include "hostsession/CourseRecords.h"
#include "hostsession/SequenceRecords.h"
#include "toolkit/ReplyRecords.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"

#include <QUrlQuery>

namespace netrova {
namespace {

using namespace basalo;
using hostsession::EntryOutcome;
using toolkit::ReplyRecords;
using hostsession::ReplyTrace;
using hostsession::VideoRecord;
using hostsession::readVideoRecord;
using toolkit::replyWholeNumber;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

// A loader's page of the web service, asked for by query (counted in
// requestsDone); a reply that did not come leaves the transport's code.
bool loadPage(NetrovaContext& context, const std::shared_ptr<clsInetUPL>& transport, long& requestsDone,
              const QUrl& url, long serverCode, long unexpectedCode, ReplyTrace replyTrace,
              const tracel::TraceScope& scope, const std::function<bool(const ReplyRecords&)>& read)
{
    const auto request = [&]() -> std::optional<QString> {
        QString reply;
        const long received = require(transport).GetInetData65x(reply, url);
        ++requestsDone;
        if (received != OK) {
            context.pulStateEnCours = received;
            return std::nullopt;
        }
        return reply;
    };
    return hostsession::loadCourseRecords(context, request, serverCode, unexpectedCode, replyTrace, scope, read);
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
    return modelAppli(pilIdAppli);
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
                rows.push_back(toolkit::splitReplyText(records.element(i), toolkit::replyFieldSeparator, 8));
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
            const hostsession::QuestionLoading loading{
                HasCorrige(), HasLecon(), [this](long idDll) { return piRenseigneDll(idDll); },
                [this](long idQuestion) { return piRenseigneInfoQuestion(idQuestion); }};
            // Each question goes in as soon as its record is read.
            std::vector<hostsession::QuestionRecord> questionRecords;
            for (const QStringList& row : rows) {
                questionRecords.push_back(hostsession::readQuestionRecord(row, true));
                if (hostsession::enterQuestion(*appli, questionRecords.back(), loading, scope).failed())
                    return false;
            }
            hostsession::addResultQuestions(*module, questionRecords);
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
            const hostsession::ModelEntry entry =
                hostsession::enterQuestionInfo(require(currentAppli()->Question(ilIdQuestion)), records);
            if (entry.outcome == EntryOutcome::FileRefused || entry.outcome == EntryOutcome::AnswerRefused) {
                const bool file = entry.outcome == EntryOutcome::FileRefused;
                context_.pusErrorDescription.clear();
                context_.pulErrorNumber = 0;
                context_.pulStateEnCours =
                    file ? enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_ErreurAddFichier
                         : enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneInfoQuestion_ErreurAddReponse;
                const QString call = file ? QStringLiteral("FichierAssocieAddNew(") : QStringLiteral(".AddReponse(");
                scope.line(call + entry.refused + QStringLiteral(") retourne False"));
                return false;
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
            const auto appli = currentAppli();
            const hostsession::ModelEntry entry = hostsession::enterComponent(*appli, ilIdDll, records);
            if (entry.outcome != EntryOutcome::AlreadyKnown) {
                const lumaro::Dll& dll = require(appli->Dll(ilIdDll));
                scope.line(QStringLiteral(".Nom = ") + dll.Nom());
                scope.line(dll.Bis() ? QStringLiteral(".Bis = True") : QStringLiteral(".Bis = False"));
            }
            if (entry.outcome == EntryOutcome::AnswerRefused) {
                context_.pulErrorNumber = 0;
                context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneDll_ErreurAddReponse;
                scope.line(QStringLiteral(".AddReponse(") + entry.refused + QStringLiteral(") retourne False"));
                return false;
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
            if (hostsession::enterVideos(*currentAppli(), ilIdQuestion, records, scope).outcome
                == EntryOutcome::NoVideo) {
                context_.pulStateEnCours = enuFunctionReturnState_Netrova_clsBarreManager_piRenseigneVideo_NbVideoZero;
                return false;
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
            const QStringList record = toolkit::splitReplyText(records.element(1), toolkit::replyFieldSeparator, 5);
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
