#include "CommonData.h"

#include "LumaroPlayer.h"
#include "QuestionPlayer.h"
#include "clsBarreManager.h"

#include "toolkit/WorkstationLog.h"

#include "platform/ErrorTrap.h"
#include "platform/Paths.h"
#include "platform/QtHttpSession.h"
#include "platform/QtTimers.h"

#include "lumaro/player/ExervaEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace pelago {
namespace {

const QString moduleName = QStringLiteral("CommonData");
constexpr const char* version = "1.2.0";

}  // namespace

CommonData::CommonData(platform::Timers& timers, const platform::Clock& clock,
                       const platform::MonotonicClock& monotonic)
    : lumaro(clock),
      languageFolder(QCoreApplication::applicationDirPath()),
      traceRoot(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Pelago/traces/")),
      createRegistry([] { return std::make_shared<toolkit::KavReg>(); }),
      workstation([] { return platform::currentWorkstation(); }),
      endProcess([] { QCoreApplication::exit(0); }),
      timers_(&timers),
      clock_(&clock),
      monotonic_(&monotonic)
{
    createHttpSession = [this] { return std::make_unique<platform::QtHttpSession>(requestTimeout); };
    createPlayer = [this]() -> std::unique_ptr<QuestionPlayer> {
        lumaro::ManagerServices services;
        services.windows = windowSystem;
        services.timers = timers_;
        services.clock = monotonic_;
        services.boxes = messageBoxes;
        return std::make_unique<LumaroPlayer>(lumaro, std::move(services));
    };
}

CommonData::~CommonData()
{
    // The module session reaches this state while it ends.
    puoBarreManager.reset();
}

CommonData& CommonData::processDefault()
{
    static platform::QtTimers timers;
    static CommonData data(timers, platform::SystemClock::instance(), platform::SteadyClock::instance());
    static const bool engineInstalled = [] {
        // The launcher's "EXERVA" questions play on the real exercise engine.
        lumaro::ExervaEngine::install(data.lumaro);
        return true;
    }();
    (void)engineInstalled;
    return data;
}

void CommonData::resetRunSettings()
{
    pulStateEnCours = 1;
    pudteAttenteHide = std::chrono::seconds(5);
    pudteAttenteExitAU = std::chrono::seconds(3);
    pubWithExitAU = true;
}

bool CommonData::puInitObjects(const QString& isLangue)
{
    const tracel::TraceScope scope(trace, tracel::TypeBas, moduleName, QStringLiteral("Public Function puInitObjects"));
    scope.value(QStringLiteral("isLangue"), isLangue);
    const auto release = [this] {
        puoBarreManager.reset();
        puoKavReg.reset();
        oLangue.reset();
        constants.reset();
    };
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        pulStateEnCours = basalo::enuFunctionReturnState_Pelago_CommonData_puInitObjects_ErreurReg;
        puoKavReg = createRegistry ? createRegistry() : nullptr;
        if (!puoKavReg)
            throw platform::RuntimeError(platform::CannotCreateObject);
        if (trace.isActive(2))
            toolkit::puLogSystemInfo(*this, workstation());
        constants = std::make_unique<basalo::clsManager>(basaloState);
        oLangue = std::make_shared<toolkit::clsLangue>(QStringLiteral("Pelago_Langue_"));
        oLangue->LangueID(isLangue);
        oLangue->LNGFilePath(QDir(languageFolder).filePath(QStringLiteral("kavplugin.lng")));
        pulStateEnCours = 1;
        auto barre = std::make_shared<clsBarreManager>(*this);
        puoBarreManager = barre;
        if (!barre->Create(isLangue)) {
            scope.line(QStringLiteral("puoBarreManager.Create retourne false"));
            barre->Destroy();
            release();
            return;
        }
        result = true;
    });
    if (!error)
        return result;
    pulStateEnCours = failedStep(basalo::enuFunctionReturnState_Pelago_clsManager_puInitObjects_ErreurInconnue);
    recordError(*error, scope);
    release();
    return false;
}

bool CommonData::VerifLangue(const QString& isLangue)
{
    const auto barre = puoBarreManager;
    if (oLangue)
        oLangue->LangueID(isLangue);
    return barre && barre->GereLangueObjet(isLangue);
}

void CommonData::puPauseChrono()
{
    if (const auto barre = puoBarreManager)
        barre->PauseChrono();
}

void CommonData::puPlayChrono()
{
    if (const auto barre = puoBarreManager)
        barre->PlayChrono();
}

void CommonData::puExitAU()
{
    if (const auto barre = puoBarreManager)
        barre->piExitAU();
}

void CommonData::puFinModule()
{
    if (const auto barre = puoBarreManager)
        barre->piTermineModuleEnCours();
}

void CommonData::enterReady()
{
    pudteDebutAttenteDestruction = monotonicNow();
    returnToReady();
}

void CommonData::returnToReady()
{
    StateEnCours = StateReady;
    puPlayChrono();
}

void CommonData::puFinDemande()
{
    {
        const tracel::TraceScope scope(trace, tracel::TypeBas, moduleName, QStringLiteral("Public Sub puFinDemande"));
        scope.value(QStringLiteral("now"), clock().now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
        StateEnCours = StateBusy;
        if (const auto barre = std::exchange(puoBarreManager, nullptr))
            barre->Destroy();
        oLangue.reset();
        constants.reset();
        puoKavReg.reset();
    }
    if (trace.level() > 0) {
        trace.write(tracel::TypeBas, moduleName, QStringLiteral("Fin Du programme"));
        trace.setLevel(0);
        trace.stop();
    }
    StateEnCours = StateNone;
    if (endProcess)
        endProcess();
}

QString CommonData::traceFolder() const
{
    QString folder = traceRoot;
    if (!PathTracelage.isEmpty() && platform::paths::staysInside(PathTracelage))
        folder = QDir::cleanPath(traceRoot + u'/' + platform::paths::fromData(PathTracelage));
    return platform::paths::withTrailingSeparator(folder);
}

bool CommonData::puInitTraceLog()
{
    const QString now = clock().now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    const QString title = QStringLiteral("Pelago - Lanceur de cours AICC - ") + now;
    if (!trace.isStarted()) {
        const QString folder = traceFolder();
        if (!QDir().mkpath(folder) || !trace.start(folder, QStringLiteral("Pelago"), title, clock()))
            return false;
    } else {
        trace.write(tracel::TypeBas, QString(), title, 0);
    }
    const auto line = [this](const QString& text) { trace.write(tracel::TypeBas, QString(), text, 0); };
    line(QStringLiteral("Version plug-in : ") + QLatin1String(version));
    line(QStringLiteral("VersionSystem : ") + VersionSite);
    line(QStringLiteral("VersionBdd : ") + VersionBdd);
    return true;
}

}  // namespace pelago
