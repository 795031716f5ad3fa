#include "Manager.h"

#include "BooleanText.h"
#include "ErrorRecording.h"
#include "ExerciseControl.h"
#include "ExerciseFile.h"
#include "ExerciseLoader.h"
#include "PathSyntax.h"
#include "VariantValue.h"
#include "frmCT.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "platform/Paths.h"

#include <QDir>
#include <QLocale>

#include <optional>

namespace exerva {

namespace {

using namespace basalo;

const QString unitName = QStringLiteral("Manager");

// The error handler of a traced operation whose scope may not be open yet.
void recordCaughtError(ExervaContext& context, const std::optional<tracel::TraceScope>& scope,
                       const platform::RuntimeError& error)
{
    if (scope)
        recordError(context, *scope, error);
    else
        context.lastError.store(error);
}

// Marks a load in progress on every way out of it, unless the Manager went
// with the load.
class LoadInProgress {
public:
    LoadInProgress(bool& flag, std::weak_ptr<const bool> alive) : flag_(flag), alive_(std::move(alive))
    {
        flag_ = true;
    }
    ~LoadInProgress()
    {
        if (!alive_.expired())
            flag_ = false;
    }
    LoadInProgress(const LoadInProgress&) = delete;
    LoadInProgress& operator=(const LoadInProgress&) = delete;

private:
    bool& flag_;
    std::weak_ptr<const bool> alive_;
};

}  // namespace

Manager::Manager(ExervaContext& context, const ControlRegistry& registry, const platform::Clock& clock)
    : context_(context), registry_(registry), clock_(clock), fetchTimeout_(defaultFetchTimeout)
{
}

Manager::~Manager()
{
    context_.trace.setLevel(0);
    context_.trace.stop();
    // The learner cannot close the window: without this it would stay on screen.
    closeWindow();
}

long Manager::LevelTracelage() const
{
    return context_.trace.level();
}

void Manager::LevelTracelage(long level)
{
    context_.trace.setLevel(prepared_ ? 0 : level);
}

long Manager::LastErrorNumber()
{
    return context_.lastError.takeNumber();
}

QString Manager::LastErrorDescription()
{
    return context_.lastError.takeText();
}

QString Manager::PathTracel() const
{
    return context_.traceFolder;
}

void Manager::PathTracel(const QString& folder)
{
    context_.traceFolder = folder;
}

QString Manager::FileTracel() const
{
    return context_.traceFileName;
}

void Manager::FileTracel(const QString& name)
{
    context_.traceFileName = name;
}

QString Manager::LettreReponse() const
{
    return lettreReponse_;
}

bool Manager::Bravo() const
{
    return bravo_;
}

long Manager::HandlefrmCT() const
{
    return window_ ? window_->windowId() : 0;
}

frmCT* Manager::window() const
{
    return window_.get();
}

bool Manager::startTrace()
{
    // The original wrote to the root of the system drive; the temporary
    // folder is the one place every user can always write to here.
    const QString folder =
        context_.traceFolder.isEmpty() ? QDir::tempPath() : platform::paths::fromData(context_.traceFolder);
    const QString name = context_.traceFileName.isEmpty() ? QStringLiteral("Exerva") : context_.traceFileName;
    const QString title =
        QStringLiteral("Exerva - ") + QLocale::system().toString(clock_.now().date(), QLocale::ShortFormat);
    return context_.trace.start(folder, name, title, clock_);
}

void Manager::closeWindow()
{
    if (!window_)
        return;
    window_->closeByProgram();
    window_.reset();
}

long Manager::Prepare(const QString& isCheminRoot, bool ibModeInet, long ilIdAppli)
{
    long& state = context_.pulStateEnCours;
    state = enuFunctionReturnState_General_Traitement_OK;
    std::optional<tracel::TraceScope> scope;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (context_.trace.level() > 0 && !startTrace())
            context_.trace.setLevel(0);
        prepared_ = true;
        scope.emplace(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function Prepare"));
        scope->value(QStringLiteral("isCheminRoot"), isCheminRoot);
        scope->value(QStringLiteral("ibModeInet"), booleanText(ibModeInet));
        scope->value(QStringLiteral("ilIdAppli"), QString::number(ilIdAppli));

        context_.idAppli = ilIdAppli;
        context_.pusCheminRoot = isCheminRoot;
        context_.modeInet = ibModeInet;
        state = puCheckSyntax(context_, context_.pusCheminRoot);
        if (state != enuFunctionReturnState_General_Traitement_OK) {
            scope->line(QStringLiteral("erreur kav référencée : ") + QString::number(state));
            return;
        }
        scope->value(QStringLiteral("pusCheminRoot"), context_.pusCheminRoot);
        // A second Prepare replaces the window: the first one goes rather than staying orphaned on screen.
        closeWindow();
        window_ = std::make_unique<frmCT>();
    });
    if (error) {
        recordCaughtError(context_, scope, *error);
        state = enuFunctionReturnState_Exerva_Manager_Prepare_ErreurInconnue;
    }
    return state;
}

bool Manager::loadExercise(const QString& path, const QString& relativePath, long instance)
{
    ExervaContext& context = context_;
    const std::weak_ptr<const bool> alive = lifetime_;
    const LoadInProgress inProgress(loading_, alive);
    const QString& root = context.pusCheminRoot;
    QDomDocument document;
    if (context.modeInet && isServerRoot(root)) {
        const QUrl url = serverFileUrl(root, relativePath);
        // An address that cannot be formed is a load that cannot start.
        if (!url.isValid())
            return true;
        document = fetchExerciseFile(url, fetchTimeout_);
        if (alive.expired()) {
            // Released before the file arrived: the load never reached its handler.
            context.pulStateEnCours = enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML;
            return false;
        }
    } else {
        document = readExerciseFile(path);
    }
    // The window is taken now: what ran during the fetch may have replaced or closed it.
    LoadSession session(context, registry_, window_.get(), instance);
    piodomXML_onreadystatechange(session, document, 4);
    if (alive.expired())
        return false;
    pibXmlLoaded_ = session.pibXmlLoaded;
    pisNameControlZRP_ = session.pisNameControlZRP;
    questionFlag_ = session.questionFlag;
    return true;
}

long Manager::InitQuestion(QString& isFileXML, long ilInstance, long ieTypeBaseBis)
{
    // The context outlives this object, which the load may see released.
    ExervaContext& context = context_;
    const QString loadRefused =
        QStringLiteral("erreur kav reférencé : ")
        + returnStateName(enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML);
    // A call made from inside a load still running (by a control, or by what
    // the fetch's event loop ran) is refused without disturbing that load.
    const bool nested = loading_;
    long& state = context.pulStateEnCours;
    if (!nested) {
        state = enuFunctionReturnState_General_Traitement_OK;
        // A failed load must never leave an earlier question's control to be scored.
        pisNameControlZRP_.clear();
    }
    std::optional<tracel::TraceScope> scope;
    bool refused = false;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        scope.emplace(context.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function InitQuestion"));
        scope->value(QStringLiteral("isFileXML"), isFileXML);
        scope->value(QStringLiteral("ilInstance"), QString::number(ilInstance));
        if (nested) {
            scope->line(loadRefused);
            refused = true;
            return;
        }
        context.typeBaseBis = ieTypeBaseBis;
        instance_ = ilInstance;

        const QString folder = applicationFolder(context);
        puNormaliseSeparateurs(context, isFileXML);
        const QString path = folder + isFileXML;
        scope->line(QStringLiteral("domXML.Load(") + path + QLatin1Char(')'));
        pibXmlLoaded_ = false;

        // No usable root (no Prepare, or one that refused it), or a name that
        // would leave the application's folder: nothing to load.
        if (context.pusCheminRoot.size() >= 2 && platform::paths::staysInside(isFileXML)) {
            if (!loadExercise(path, path.mid(context.pusCheminRoot.size()), ilInstance))
                return;
        }
        if (!pibXmlLoaded_) {
            state = enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML;
            scope->line(loadRefused);
            return;
        }
        scope->line(QStringLiteral("pibXmlLoaded = True"));
        scope->value(QStringLiteral("pulStateEnCours"), QString::number(state));
    });
    // The refused call leaves the running load's state alone.
    if (refused)
        return enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurLoadXML;
    if (error) {
        recordCaughtError(context, scope, *error);
        if (state == enuFunctionReturnState_General_Traitement_OK)
            state = enuFunctionReturnState_Exerva_Manager_InitQuestion_ErreurInconnue;
    }
    return state;
}

long Manager::TestePoint()
{
    // The control scores in its own code, which may see this object released.
    ExervaContext& context = context_;
    const std::weak_ptr<const bool> alive = lifetime_;
    long& state = context.pulStateEnCours;
    std::optional<tracel::TraceScope> scope;
    long result = 0;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        scope.emplace(context.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function TestePoint"));
        scope->value(QStringLiteral("pisNameControlZRP"), pisNameControlZRP_);
        bravo_ = false;
        lettreReponse_.clear();
        ExerciseControl* control = platform::require(window_).control(pisNameControlZRP_);
        if (!control)
            throw controlNotFoundError(pisNameControlZRP_);
        QVariantList arguments{false, QString()};
        const QVariant value = control->callByName(QStringLiteral("TestePoint"), VbMethod, arguments);
        // The control wrote both by reference before its result is read, which may still fail.
        if (!alive.expired()) {
            bravo_ = arguments.value(0).toBool();
            lettreReponse_ = arguments.value(1).toString();
        }
        result = variantWholeNumber(value);
    });
    if (!error)
        return result;
    recordCaughtError(context, scope, *error);
    if (state == enuFunctionReturnState_General_Traitement_OK)
        state = enuFunctionReturnState_Exerva_Manager_TestePoint_ErreurInconnue;
    return state;
}

long Manager::FermePoint()
{
    long& state = context_.pulStateEnCours;
    state = enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        if (window_) {
            const int count = window_->controlCount();
            for (int i = 0; i < count; ++i)
                window_->removeControl(0);
        }
    });
    if (error) {
        context_.lastError.store(*error);
        state = enuFunctionReturnState_Exerva_Manager_Prepare_ErreurInconnue;
    }
    return state;
}

long Manager::Quitter()
{
    long& state = context_.pulStateEnCours;
    state = enuFunctionReturnState_General_Traitement_OK;
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        {
            tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName, QStringLiteral("Public Function Quitter"));
            closeWindow();
            scope.line(QStringLiteral("piofrmCT unloadé"));
        }
        context_.trace.stop();
        context_.trace.setLevel(0);
    });
    if (error) {
        context_.lastError.store(*error);
        state = enuFunctionReturnState_Exerva_Manager_Prepare_ErreurInconnue;
    }
    return state;
}

}  // namespace exerva
