#include "Module.h"

#include "Appli.h"
#include "Dll.h"
#include "ExerciseEngine.h"
#include "ExoApp.h"
#include "LumaroContext.h"
#include "ModuleInterractif.h"
#include "Question.h"
#include "ResultQuestion.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

namespace lumaro {

namespace {

const QString unitName = QStringLiteral("Module");

// A component that is absent, cannot be created or does not follow the contract.
bool isComponentError(long number)
{
    return number == platform::ObjectNotSet || number == platform::MemberNotSupported
        || number == platform::CannotCreateObject;
}

}  // namespace

Module::Module(LumaroContext& context) : context_(context) {}

Module::~Module() = default;

bool Module::InitInterractif(long ilIndexQuestion, const QString& isPathDossier)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName,
                             QStringLiteral("Public Function InitInterractif"));
    scope.value(QStringLiteral("ilIndexQuestion"), QString::number(ilIndexQuestion));
    scope.value(QStringLiteral("isPathDossier"), isPathDossier);
    bool started = false;
    const auto error = platform::trapError(platform::AutomationError, [&] { started = startQuestion(scope, ilIndexQuestion, isPathDossier); });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurAppli,
                    basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurInconnue, false);
    return started;
}

bool Module::startQuestion(const tracel::TraceScope& scope, long ilIndexQuestion, const QString& isPathDossier)
{
    // A position outside the list is the caller's mistake, not a missing component.
    const auto result = ResultQuestions(ilIndexQuestion);
    if (!result)
        throw platform::RuntimeError(platform::SubscriptOutOfRange);
    const auto question = result->Question();
    const auto dllObject = platform::require(question).Dll();
    auto& dll = platform::require(dllObject);
    const auto appliObject = appli_;
    auto& appli = platform::require(appliObject);

    if (!dll.Chargee()) {
        if (!loadComponent(dll))
            return false;
        if (dll.TypeDll() == 2 && !prepareEngine(scope, appli, dll))
            return false;
    } else if (dll.TypeDll() == 2) {
        // The engine's window is the application's again: a question of
        // another component may have put its own in its place.
        if (const auto engine = dll.DllExerva())
            appli.HandleApplicationInteractive(engine->HandlefrmCT());
        // An id the window system does not know leaves nothing to restore.
        if (const auto windows = context_.windows)
            windows->showNormal(appli.HandleApplicationInteractive());
    }

    if (dll.TypeDll() == 1)
        startInteractive(&scope, appli, dll, question->Instance(), isPathDossier);
    else if (!startExercise(scope, appli, dll, *question))
        return false;

    result->Initialiser();
    return true;
}

bool Module::loadComponent(lumaro::Dll& dll)
{
    if (dll.ChargeDll())
        return true;
    // A component that cannot be created is reported as the application's
    // failure, with its message, like any other missing component.
    if (isComponentError(context_.lastError.number()))
        throw platform::RuntimeError(context_.lastError.number(), context_.lastError.text());
    return false;
}

bool Module::prepareEngine(const tracel::TraceScope& scope, lumaro::Appli& appli, lumaro::Dll& dll)
{
    const auto engineObject = dll.DllExerva();
    auto& engine = platform::require(engineObject);
    if (context_.trace.isActive()) {
        scope.line(QStringLiteral("Initialisation du débogage de Exerva"));
        engine.LevelTracelage(context_.levelTracelage());
        engine.PathTracel(context_.traceFolder());
    }
    QString root = context_.xmlCheminServeur;
    bool modeInet = context_.xmlModeInet;
    long idAppli = appli.IdAppli();
    const long code = engine.Prepare(root, modeInet, idAppli);
    context_.pulStateEnCours = code;
    if (code != basalo::enuFunctionReturnState_General_Traitement_OK) {
        copyEngineError(scope, engine);
        // Unloaded, so that the next question creates and prepares an engine again.
        dll.DllExerva(nullptr);
        dll.Chargee(false);
        dll.TypeDll(0);
        return false;
    }
    const long handle = engine.HandlefrmCT();
    appli.HandleApplicationInteractive(handle);
    scope.value(QStringLiteral("DllExerva.HandlefrmCT"), QString::number(handle));
    return true;
}

bool Module::startExercise(const tracel::TraceScope& scope, const lumaro::Appli& appli, lumaro::Dll& dll,
                           const lumaro::Question& question)
{
    const auto engineObject = dll.DllExerva();
    auto& engine = platform::require(engineObject);
    long instance = question.Instance();
    long baseBis = question.BaseBis();
    QString file = QStringLiteral("X") + QString::number(appli.IdAppli())
        + (baseBis == QuestionBase ? QStringLiteral("1") : QStringLiteral("2")) + QString::number(instance)
        + QStringLiteral(".xml");
    scope.line(QStringLiteral("DllExerva.InitQuestion(%1, %2)").arg(file).arg(instance));
    const long code = engine.InitQuestion(file, instance, baseBis);
    context_.pulStateEnCours = code;
    if (code != basalo::enuFunctionReturnState_General_Traitement_OK) {
        copyEngineError(scope, engine);
        return false;
    }
    return true;
}

void Module::startInteractive(const tracel::TraceScope* scope, lumaro::Appli& appli, lumaro::Dll& dll, long instance,
                              const QString& folder)
{
    std::shared_ptr<QObject> application = appli.ApplicationInteractive();
    long handle = appli.HandleApplicationInteractive();
    if (scope) {
        scope->line(QStringLiteral("Avant InitQuestion : lHandleApplication = ") + QString::number(handle));
        scope->line(QStringLiteral("DllInterractive.InitQuestion"));
    }
    const auto component = dll.DllInterractive();
    platform::require(component).InitQuestion(instance, folder, application, handle, 0);
    if (scope) {
        scope->line(QStringLiteral("Après DllInterractive.InitQuestion"));
        scope->value(QStringLiteral("lHandleApplication"), QString::number(handle));
    }
    appli.ApplicationInteractive(std::move(application));
    appli.HandleApplicationInteractive(handle);
    appli.UnlockWindow();
}

void Module::copyEngineError(const tracel::TraceScope& scope, ExerciseEngine& engine)
{
    const long number = engine.LastErrorNumber();
    context_.lastError.store(number, engine.LastErrorDescription());
    scope.line(QStringLiteral("erreur kav référencée ") + QString::number(context_.pulStateEnCours));
}

bool Module::InitExoApp(const QString& isPersonalFolder)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function InitExoApp"));
    scope.value(QStringLiteral("isPersonalFolder"), isPersonalFolder);
    bool started = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const auto appliObject = appli_;
        auto& appli = platform::require(appliObject);
        const auto exoApp = exoApp_;
        const auto dllObject = platform::require(exoApp).Dll();
        auto& dll = platform::require(dllObject);
        // A component that cannot be loaded leaves the state its loading set.
        if (!dll.Chargee() && !dll.ChargeDll())
            return;
        startInteractive(nullptr, appli, dll, exoApp->Instance(), isPersonalFolder);
        started = true;
    });
    if (error)
        return fail(scope, *error, basalo::enuFunctionReturnState_Lumaro_Module_InitExoApp_ErreurAppli,
                    basalo::enuFunctionReturnState_Lumaro_Module_InitExoApp_ErreurInconnue, true);
    return started;
}

bool Module::fail(const tracel::TraceScope& scope, const platform::RuntimeError& error, long stateAppli,
                  long stateInconnue, bool keepNumber)
{
    scope.line(tracel::errorLine(error));
    if (isComponentError(error.number())) {
        context_.lastError.store(keepNumber ? error.number() : 0, messageErrObject());
        context_.pulStateEnCours = stateAppli;
    } else {
        context_.lastError.store(error);
        context_.pulStateEnCours = stateInconnue;
    }
    return false;
}

QString Module::messageErrObject() const
{
    // The module being played names the application; a module started on its
    // own names its own.
    const auto current = context_.puoModuleEnCours;
    const auto appli = current ? current->Appli() : appli_;
    QString text = context_.message(QStringLiteral("FRMbarre_errObject"));
    text.replace(QStringLiteral("%1"), QStringLiteral("\r\n"));
    text.replace(QStringLiteral("%2"), appli ? appli->Logiciel() : QString());
    text.replace(QStringLiteral("%3"), appli ? appli->Version() : QString());
    return text;
}

void Module::MajLienVersQuestion()
{
    if (!appli_)
        return;
    for (const auto& result : results_) {
        if (!result->Question())
            result->Question(appli_->Question(result->IdQuestion()));
    }
}

long Module::AddResultQuestion(long ilIdQuestion)
{
    if (!appli_)
        return -1;
    for (std::size_t i = 0; i < results_.size(); ++i) {
        if (results_[i]->IdQuestion() == ilIdQuestion)
            return long(i + 1);
    }
    auto result = std::make_shared<ResultQuestion>(context_);
    result->IdQuestion(ilIdQuestion);
    result->Question(appli_->Question(ilIdQuestion));
    results_.push_back(std::move(result));
    return NbQuest();
}

std::shared_ptr<ResultQuestion> Module::ResultQuestions(long lItem) const
{
    if (lItem < 1 || lItem > NbQuest())
        return nullptr;
    return results_[std::size_t(lItem - 1)];
}

void Module::CreateExoApp(long lIdExoApp)
{
    if (exoApp_)
        return;
    exoApp_ = std::make_shared<lumaro::ExoApp>(context_);
    exoApp_->IdExoApp(lIdExoApp);
}

void Module::StartModule()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Sub StartModule"));
    const platform::OleDate now = context_.localNow();
    debutModule_ = platform::OleDate(now.serial() - context_.pudteDiffDateServeur);
    scope.value(QStringLiteral("Now"), LumaroContext::dateText(now));
    scope.value(QStringLiteral("pudteDiffDateServeur"), QString::number(context_.pudteDiffDateServeur, 'f', 8));
    scope.line(QStringLiteral("pidteDebutModule = Now - pudteDiffDateServeur"));
    scope.value(QStringLiteral("pidteDebutModule"), LumaroContext::dateText(debutModule_));
}

QString Module::TempsPasseModule() const
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName,
                             QStringLiteral("Public Function TempsPasseModule"));
    const QString text = puFormateDuree(context_.modelNow().serial() - debutModule_.serial());
    scope.value(QStringLiteral("TempsPasseModule"), text);
    return text;
}

void Module::MajResultQuest(long ilItemResultQuest)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Sub MajResultQuest"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const auto result = ResultQuestions(ilItemResultQuest);
        if (!result)
            throw platform::RuntimeError(platform::SubscriptOutOfRange);
        result->Valider();
        long passed = 0;
        for (const auto& entry : results_) {
            if (entry->TypeAffichage() == Bravo || entry->TypeAffichage() == BravoNuance)
                ++passed;
        }
        nbQuestReussi_ = passed;
    });
    if (!error)
        return;
    context_.pulStateEnCours = basalo::enuFunctionReturnState_Lumaro_Module_MajResultQuest_ErreurInconnue;
    context_.lastError.store(*error);
    scope.line(tracel::errorLine(*error));
}

void Module::Finir()
{
    for (const auto& result : results_) {
        result->Vider();
        if (typeModule_ == TYPEevaluation)
            result->TypeAffichage(PasDeResultat);
    }
}

void Module::Destroy()
{
    appli_.reset();
    exoApp_.reset();
    results_.clear();
}

}  // namespace lumaro
