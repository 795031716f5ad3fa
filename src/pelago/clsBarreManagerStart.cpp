// The start of a run: a single question or a whole module, its application
// with the roots of its media, its course data, its work files, and the
// question window at the first question.

#include "clsBarreManager.h"

#include "QuestionPlayer.h"

#include "toolkit/WebAddress.h"
#include "toolkit/clsLangue.h"
#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ResultQuestion.h"
#include "platform/ErrorTrap.h"
#include "platform/OleDate.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace pelago {
namespace {

using namespace basalo;
using platform::require;

const QString moduleName = QStringLiteral("clsBarreManager");
constexpr long OK = enuFunctionReturnState_General_Traitement_OK;

// An identifier as the page passed it: a whole number, else error 13.
long identifier(const QVariant& value)
{
    bool number = false;
    const QString text = value.toString().trimmed();
    const long id = text.toLong(&number);
    if (!number)
        throw platform::RuntimeError(platform::TypeMismatch);
    return id;
}

}  // namespace

QString clsBarreManager::message(const QString& key) const
{
    return data_.oLangue ? data_.oLangue->GetMessage(key) : QString();
}

bool clsBarreManager::StartQuestion(const QVariant& isIdAppli, const QVariant& isIdQuestion,
                                    const QVariant& isTypeFormEval)
{
    return start(RunKind::Question, isIdAppli, isIdQuestion, isTypeFormEval);
}

bool clsBarreManager::StartModule(const QVariant& isIdAppli, const QVariant& isIdModule, const QVariant& isTypeFormEval)
{
    return start(RunKind::Module, isIdAppli, isIdModule, isTypeFormEval);
}

bool clsBarreManager::start(RunKind kind, const QVariant& isIdAppli, const QVariant& isId,
                            const QVariant& isTypeFormEval)
{
    CommonData& data = data_;
    const QPointer<clsBarreManager> self(this);
    const bool question = kind == RunKind::Question;
    const tracel::TraceScope scope(
        data.trace, tracel::TypeClass, moduleName,
        question ? QStringLiteral("Public Function StartQuestion") : QStringLiteral("Public Function StartModule"));
    scope.value(QStringLiteral("isIdAppli"), isIdAppli.toString());
    scope.value(question ? QStringLiteral("isIdQuestion") : QStringLiteral("isIdModule"), isId.toString());
    scope.value(QStringLiteral("isTypeFormEval"), isTypeFormEval.toString());
    // Only the run that AskStart granted may start, once.
    if (data.StateEnCours != StateBusy || runUnderWay_) {
        data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_Start_LanceurNonPret;
        data.recordError(platform::RuntimeError(0, QStringLiteral("Le lanceur n'attend pas de passage : AskStart "
                                                                  "d'abord, un passage à la fois")),
                         scope);
        return false;
    }
    runUnderWay_ = true;
    startInProgress_ = true;
    bool started = false;
    const auto error = platform::trapError(platform::AutomationError,
                                           [&] { started = startSteps(kind, isIdAppli, isId, isTypeFormEval, scope); });
    if (!self)
        return false;
    startInProgress_ = false;
    if (error)
        data.recordError(*error, scope);
    if (!started) {
        // A failure names its step: one that left none (an argument that is no
        // number, a model that is missing) is this operation's own.
        data.pulStateEnCours =
            data.failedStep(question ? enuFunctionReturnState_Pelago_clsBarreManager_StartQuestion_ErreurInconnue
                                     : enuFunctionReturnState_Pelago_clsBarreManager_StartModule_ErreurInconnue);
        startFailed(scope);
    }
    return started;
}

void clsBarreManager::startFailed(const tracel::TraceScope& scope)
{
    pibChargementEnCours = false;
    // A loading window left up would hide the desktop for nothing.
    if (pioKavBarre_)
        pioKavBarre_->TerminateFrmLoading();
    scope.line(QStringLiteral("pulStateErreurEnCours = ") + QString::number(data_.pulStateEnCours));
    renewCourseModel();
    runUnderWay_ = false;
    data_.returnToReady();
}

void clsBarreManager::renewCourseModel()
{
    // What the failed start loaded goes with the model; the next start loads
    // everything again into a fresh one.
    platform::trapError(platform::AutomationError, [&] {
        if (const auto old = std::exchange(pioKavParc, nullptr))
            old->Destroy();
    });
    auto model = std::make_shared<lumaro::ContexteManager>(data_.lumaro);
    const auto now = platform::OleDate::fromDateTime(data_.clock().now());
    if (model->CreateManager(lumaro::TypeSimplifie, now.value_or(platform::OleDate())))
        pioKavParc = std::move(model);
}

bool clsBarreManager::startSteps(RunKind kind, const QVariant& isIdAppli, const QVariant& isId,
                                 const QVariant& isTypeFormEval, const tracel::TraceScope& scope)
{
    CommonData& data = data_;
    const QPointer<clsBarreManager> self(this);
    const bool question = kind == RunKind::Question;
    piCheckSyntaxURL();
    // The course model traces beside the launcher, never at a drive's root.
    if (question && data.trace.isActive() && pioKavParc)
        pioKavParc->PathParent(data.traceFolder());
    if (data.trace.isActive()) {
        scope.value(QStringLiteral("pisUrlAide"), pisUrlAide);
        scope.value(QStringLiteral("pisURLBaseServer"), urlBaseServer_);
        scope.value(QStringLiteral("pisURLClientFolder"), urlClientFolder_);
    }
    const long idAppli = identifier(isIdAppli);
    const long id = identifier(isId);
    beginRun(question ? id : 0, isTypeFormEval.toString());
    pilIdAppli = idAppli;
    pilIdModule = question ? 0 : id;
    pibQuestionExerva = false;
    QuestionPlayer& player = require(pioKavBarre_);
    lumaro::ContexteManager& model = require(pioKavParc);

    // The learner, unless the host names the learner itself without an AICC address.
    if (!aiccUrl_.isEmpty() && !piGetInfoUserAICC())
        return false;
    if (!self)
        throw platform::RuntimeError(platform::ObjectNotSet);

    player.PrepareFrmLoading(pisTypeFormEval);
    player.SetMessageLoading(message(QStringLiteral("MESSAGE_Loading1")) + QStringLiteral("\r\n")
                             + message(QStringLiteral("MESSAGE_Loading2")));
    const auto loading = [&](const auto& step) {
        pibChargementEnCours = true;
        const bool done = step();
        pibChargementEnCours = false;
        if (!self)
            throw platform::RuntimeError(platform::ObjectNotSet);
        return done;
    };
    if (!loading([&] { return piRenseigneAppli(); }))
        return false;

    if (question) {
        const auto appli = currentAppli();
        if (!appli->Question(pilIdQuestion) && !loading([&] { return piRenseigneQuestion(); }))
            return false;
        if (!loading([&] { return piRenseigneModule(); }))
            return false;
    } else {
        if (!model.CreateModule()) {
            data.pusErrorDescription = message(QStringLiteral("MESSAGE_ErrModule"));
            scope.line(QStringLiteral("pioKavParc.CreateModule retourne false"));
            data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_StartModule_ErreurCreateModule;
            return false;
        }
        currentModule()->Appli(model.Appli(pilIdAppli));
    }

    const bool training = pisTypeFormEval == QLatin1String("F");
    applyModuleKind(*currentModule());
    if (training) {
        player.ModeMediaInet(ModeMediaInet());
        player.ExtensionVideo(videoExtension_);
        if (!ModeMediaInet() && !checkVideoFolder(kind, scope))
            return false;
    }

    if (!question) {
        if (!loading([&] { return piRenseigneQuestionDuModule(); })) {
            scope.line(QStringLiteral("piRenseigneQuestionDuModule retourne false"));
            return false;
        }
        pilNbQuestion = currentModule()->NbQuest();
    }

    player.SetMessageLoading(message(QStringLiteral("MESSAGE_Loading3")));
    if (!piGereFichiersLocaux()) {
        scope.line(QStringLiteral("piGereFichiersLocaux retourne false"));
        return false;
    }
    player.TerminateFrmLoading();

    if (!piInitPersonalFolder()) {
        data.pusErrorDescription = message(QStringLiteral("MESSAGE_ErrPersonalFolder"));
        return false;
    }
    player.PersonalFolder(pisPersonalFolder);
    player.AutoMediaPoint(AutoMediaPoint());

    // Every value of the help address is encoded, so that none can add a field of its own.
    const QString langueId = data.oLangue ? data.oLangue->LangueID() : QString();
    player.URLServerHelpFile(toolkit::withQuery(urlBaseServer_ + QStringLiteral("client_net/WS/pluginhelp.aspx"),
                                                {{QStringLiteral("idlng"), langueId},
                                                 {QStringLiteral("app_id"), isIdAppli.toString()},
                                                 {QStringLiteral("prg_type"), isTypeFormEval.toString()},
                                                 {QStringLiteral("cfgbdd"), data.CfgBdd},
                                                 {QStringLiteral("cfgsite"), data.CfgSite}})
                                 .toString(QUrl::FullyEncoded));

    currentModule()->StartModule();
    if (pibQuestionExerva) {
        player.XmlCheminServeur(urlBaseServer_ + QStringLiteral("Download/"));
        player.XmlModeInet(true);
    }

    if (!player.InitManager(1)) {
        if (!self)
            throw platform::RuntimeError(platform::ObjectNotSet);
        data.pulStateEnCours = player.StateEnCours();
        data.pulErrorNumber = player.LastErrorNumber();
        data.pusErrorDescription = player.LastErrorString();
        scope.line(QStringLiteral("erreur kav %1 : %2").arg(data.pulErrorNumber).arg(data.pusErrorDescription));
        return false;
    }
    if (!self)
        throw platform::RuntimeError(platform::ObjectNotSet);
    data.pulStateEnCours = OK;
    pidteDebutModuleEnCours = data.monotonicNow();
    return true;
}

bool clsBarreManager::checkVideoFolder(RunKind kind, const tracel::TraceScope& scope)
{
    CommonData& data = data_;
    const QString folder = platform::paths::findExisting(platform::paths::fromData(pisPathMediaAppli));
    const bool found = !pisPathMediaAppli.isEmpty() && QFileInfo(folder).isDir();
    scope.line(QStringLiteral("Dir(") + pisPathMediaAppli + QStringLiteral(") = ") + (found ? folder : QString()));
    if (found)
        return true;
    const bool question = kind == RunKind::Question;
    if (pibMediaOnCDRom) {
        data.pulStateEnCours = question ? enuFunctionReturnState_Pelago_clsBarreManager_StartQuestion_BadCDRomVideo
                                        : enuFunctionReturnState_Pelago_clsBarreManager_StartModule_BadCDRomVideo;
        data.pusErrorDescription =
            toolkit::clsLangue::fillPlaceholders(message(QStringLiteral("ERR_VIDEO_NOT_FOUND")), {QString()});
    } else {
        data.pulStateEnCours = question ? enuFunctionReturnState_Pelago_clsBarreManager_StartQuestion_BadUNCVideo
                                        : enuFunctionReturnState_Pelago_clsBarreManager_StartModule_BadUNCVideo;
        data.pusErrorDescription =
            toolkit::clsLangue::fillPlaceholders(message(QStringLiteral("ERR_VIDEO_NOT_FOUND_UNC")), {QString()});
    }
    scope.line(QStringLiteral("erreur kav %1 : %2").arg(data.pulStateEnCours).arg(data.pusErrorDescription));
    return false;
}

void clsBarreManager::applyModuleKind(lumaro::Module& module) const
{
    if (pisTypeFormEval == QLatin1String("F")) {
        module.TypeModule(lumaro::TYPEformation);
    } else {
        module.TypeModule(lumaro::TYPEevaluation);
        module.GlobPropModEval({TypeChrono(), VisuNote(), VisuResultat()});
    }
}

bool clsBarreManager::piRenseigneAppli()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneAppli"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneAppli_ErreurAddAppli;
        lumaro::ContexteManager& model = require(pioKavParc);
        model.AddAppli(pilIdAppli);
        lumaro::Appli& appli = require(model.Appli(pilIdAppli));
        appli.Logiciel(NomAppli());
        appli.Version(QString());
        const QString id = QString::number(pilIdAppli);

        // The roots follow the host's media properties of this run, whatever
        // an earlier run of the process set; the host's extension stays its own.
        if (pibMediaOnCDRom) {
            QString root;
            if (!puFindCDRom(root)) {
                data.pusErrorDescription = message(QStringLiteral("ERR_NO_CDROM"));
                data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneAppli_ErreurNoCDRom;
                scope.line(QStringLiteral("pas de lecteur de CD-ROM"));
                return;
            }
            ModeMediaInet(false);
            pisPathMediaAppli = root + QStringLiteral("Medias/") + id + QStringLiteral("F/");
        } else if (ModeMediaInet()) {
            toolkit::puAddTrailingSlash(pisURLMediaAppli, toolkit::EmptyText::StaysEmpty);
        } else {
            toolkit::puAddTrailingBackslash(pisPathMediaAppli, toolkit::EmptyText::StaysEmpty);
        }
        const bool web = ModeMediaInet();
        videoExtension_ = web ? pisExtensionFichierVideo : QStringLiteral(".avi");
        appli.PathVideo(web ? QString() : pisPathMediaAppli);
        appli.URLVideo(web ? pisURLMediaAppli : QString());
        appli.URLLivre(web ? urlBaseServer_ + QStringLiteral("Download/") + id + QStringLiteral("F/Pdf/") : QString());
        scope.value(QStringLiteral("PathVideo"), appli.PathVideo());
        scope.value(QStringLiteral("URLVideo"), appli.URLVideo());
        data.pulStateEnCours = OK;
        result = true;
    });
    if (error) {
        data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneAppli_ErreurInconnue;
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

bool clsBarreManager::piRenseigneModule()
{
    CommonData& data = data_;
    const tracel::TraceScope scope(data.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Private Function piRenseigneModule"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        lumaro::ContexteManager& model = require(pioKavParc);
        if (!model.CreateModule()) {
            data.pusErrorDescription = message(QStringLiteral("MESSAGE_ErrModule"));
            data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneModule_ErreurCreateModule;
            scope.line(QStringLiteral("pioKavParc.CreateModule retourne false"));
            return;
        }
        const auto module = currentModule();
        module->Appli(model.Appli(pilIdAppli));
        applyModuleKind(*module);
        const long item = module->AddResultQuestion(pilIdQuestion);
        lumaro::ResultQuestion& entry = require(module->ResultQuestions(item));
        entry.TypeAffichage(-1);
        entry.TypeReponse(lumaro::PasDeResultat);
        pilNbQuestion = module->NbQuest();
        data.pulStateEnCours = OK;
        result = true;
    });
    if (error) {
        data.pulStateEnCours = enuFunctionReturnState_Pelago_clsBarreManager_piRenseigneModule_ErreurInconnue;
        data.recordError(*error, scope);
        return false;
    }
    return result;
}

}  // namespace pelago
