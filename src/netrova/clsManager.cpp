#include "clsManager.h"

#include "clsBarreManager.h"
#include "clsInetUPL.h"
#include "modCommun.h"

#include "toolkit/WorkstationLog.h"
#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"

#include <QDateTime>
#include <QPointer>

namespace netrova {
namespace {

const QString moduleName = QStringLiteral("clsManager");
constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;

}  // namespace

clsManager::clsManager(NetrovaContext& context) : context_(context)
{
    context_.pusPkCookie = QStringLiteral("-1");
    constants_ = std::make_unique<basalo::clsManager>(context_.basaloState);
}

clsManager::~clsManager()
{
    Destroy();
    constants_.reset();
    if (context_.trace.level() >= 1) {
        context_.trace.write(
            tracel::TypeClass, moduleName,
            QStringLiteral("Fin : ") + context_.clock().now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    }
    context_.trace.setLevel(0);
    context_.trace.stop();
}

void clsManager::LevelTracelage(long value)
{
    const bool start = value > 0 && context_.trace.level() == 0 && puInitTraceLog(context_);
    context_.trace.setLevel(start ? value : 0);
}

long clsManager::StateEnCours() const
{
    return toolkit::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get StateEnCours()"),
                               QStringLiteral("pulStateEnCours"), context_.pulStateEnCours);
}

QString clsManager::LastError() const
{
    return toolkit::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get LastError()"),
                               QStringLiteral("pusErrorDescription"), context_.pusErrorDescription);
}

long clsManager::LastErrorNumber() const
{
    return toolkit::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get LastErrorNumber()"),
                               QStringLiteral("pulErrorNumber"), context_.pulErrorNumber);
}

QString clsManager::LastErrorSource() const
{
    return toolkit::obsoleteLastErrorSource(context_.trace, moduleName);
}

QString clsManager::URLBaseServer() const
{
    return toolkit::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get URLBaseServer()"),
                               QStringLiteral("pusURLBaseServer"), context_.pusURLBaseServer);
}

QString clsManager::PkCookie() const
{
    return toolkit::tracedRead(context_.trace, moduleName, QStringLiteral("Public Property Get PkCookie()"),
                               QStringLiteral("pusPkCookie"), context_.pusPkCookie);
}

void clsManager::track(eLocationSuivi code)
{
    if (context_.pulLevelSuivi <= 0)
        return;
    // Held here, so that the session object outlives the post even when the page destroys it meanwhile.
    if (const auto barre = pioBarreManager_)
        barre->SetinfoLog(code);
}

void clsManager::relay(void (clsBarreManager::*event)(), void (clsManager::*toPage)(), const QString& handler)
{
    connect(pioBarreManager_.get(), event, this, [this, toPage, handler] {
        const tracel::TraceScope scope(context_.trace, tracel::TypeClass, moduleName, handler);
        emit(this->*toPage)();
    });
}

bool clsManager::buildObjects(const tracel::TraceScope& scope, long& step)
{
    const QPointer<clsManager> self(this);
    if (pioBarreManager_ || pioInetUrl_)
        releaseObjects(scope);
    auto transport = std::make_shared<clsInetUPL>(context_);
    scope.line(QStringLiteral("Création de la classe BarreManager"));
    auto barre = std::make_shared<clsBarreManager>(context_);
    barre->InetUrl(transport);
    pioInetUrl_ = std::move(transport);
    pioBarreManager_ = std::move(barre);
    relay(&clsBarreManager::QuitterModuleEval, &clsManager::RetourEval,
          QStringLiteral("Private Sub pioBarreManager_QuitterModuleEval()"));
    relay(&clsBarreManager::QuitterModuleEvalWithResult, &clsManager::RetourEvalWithMajResult,
          QStringLiteral("Private Sub pioBarreManager_QuitterModuleEvalWithResult()"));
    relay(&clsBarreManager::QuitterModuleForm, &clsManager::RetourForm,
          QStringLiteral("Private Sub pioBarreManager_QuitterModuleForm()"));
    relay(&clsBarreManager::QuitterModuleFormWithResult, &clsManager::RetourFormWithMajResult,
          QStringLiteral("Private Sub pioBarreManager_QuitterModuleFormWithResult()"));
    track(DebutCreate);
    if (!self)
        return false;

    scope.line(QStringLiteral("Chargement de kavreg"));
    step = basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurReg;
    auto registry = context_.createRegistry ? context_.createRegistry() : nullptr;
    if (!registry)
        throw platform::RuntimeError(platform::CannotCreateObject);
    context_.puoKavReg = std::move(registry);
    if (context_.trace.isActive(2))
        toolkit::puLogSystemInfo(context_, context_.workstation());
    return true;
}

void clsManager::releaseObjects(const tracel::TraceScope& scope)
{
    scope.line(QStringLiteral("Set pioDwlFiles = Nothing"));
    scope.line(QStringLiteral("Set pioInetUrl = Nothing"));
    pioInetUrl_.reset();
    scope.line(QStringLiteral("Set puoKavReg = Nothing"));
    context_.puoKavReg.reset();
    scope.line(QStringLiteral("Call pioBarreManager.DestroyBarre"));
    const auto barre = std::exchange(pioBarreManager_, nullptr);
    if (!barre)
        return;
    barre->DestroyBarre();
    scope.line(QStringLiteral("Set oLangueIHMInet = Nothing"));
    barre->InetUrl(nullptr);
    barre->disconnect(this);
    scope.line(QStringLiteral("Set pioBarreManager = Nothing"));
}

bool clsManager::Create(eModeGestion ieModeGestion, const QString& isLangue)
{
    const QPointer<clsManager> self(this);
    NetrovaContext& context = context_;
    context.pulStateEnCours = OK;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Function Create"));
    scope.value(QStringLiteral("ieModeGestion"), QString::number(ieModeGestion));
    scope.value(QStringLiteral("pulLevelSuivi"), QString::number(context.pulLevelSuivi));
    scope.value(QStringLiteral("isLangue"), isLangue);

    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        toolkit::puAddTrailingSlash(context.pusURLBaseServer);
        scope.value(QStringLiteral("pusURLBaseServer"), context.pusURLBaseServer);
        context.langueId = isLangue;
        modeGestion_ = ieModeGestion;
        if (!buildObjects(scope, context.pulStateEnCours))
            return;
        scope.line(QStringLiteral("Chargement de la langue"));
        context.pulStateEnCours = basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurLangue;
        // The interactive mode hands the language file to the question session at once.
        context.oLangueIHMInet = context.makeLanguageReader(isLangue);
        context.pulStateEnCours = OK;
        if (ieModeGestion != ModeInterractif) {
            scope.line(QStringLiteral("Pas ModeInterractif : Create = True"));
            result = true;
        } else {
            scope.line(QStringLiteral("ModeInterractif"));
            const auto barre = pioBarreManager_;
            result = platform::require(barre).InitBarre(context.langueId, false);
        }
        if (self)
            track(FinCreate);
    });
    if (!error)
        return self && result;
    // Building the window, the transport or the session object has no step of its own.
    context.pulStateEnCours = context.failedStep(basalo::enuFunctionReturnState_Netrova_clsManager_Create_ErreurInconnue);
    context.recordError(*error, scope);
    if (self)
        track(FinCreateErrorVB);
    return false;
}

void clsManager::Destroy()
{
    const QPointer<clsManager> self(this);
    NetrovaContext& context = context_;
    context.pulStateEnCours = OK;
    const tracel::TraceScope scope(context.trace, tracel::TypeClass, moduleName,
                                   QStringLiteral("Public Sub Destroy()"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        // Only a session still there is reported; a second Destroy finds nothing to do.
        if (pioBarreManager_)
            track(DebutDestroy);
        if (self)
            releaseObjects(scope);
    });
    if (error)
        context.recordError(*error, scope);
}

}  // namespace netrova
