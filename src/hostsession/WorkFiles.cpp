#include "WorkFiles.h"

#include "toolkit/KavReg.h"
#include "toolkit/PackageFiles.h"
#include "toolkit/StagedPackage.h"
#include "toolkit/modGereFich.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/ExoApp.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/player/kavMsgBoxStyle.h"
#include "platform/ErrorTrap.h"
#include "platform/MessageBoxes.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <QFile>

namespace hostsession {

namespace {

constexpr long OK = basalo::enuFunctionReturnState_General_Traitement_OK;
const QString clientKey = QStringLiteral("Quelvoro\\IHM Client\\");
const QString singleUserKey = QStringLiteral("Quelvoro Monoposte\\IHM Client\\");

// A folder read from the registry, with its final separator; an empty one stays empty.
QString folderOf(QString value)
{
    toolkit::puAddTrailingBackslash(value, toolkit::EmptyText::StaysEmpty);
    return value;
}

// The exercise component of a question of the module, by position.
const lumaro::Dll& componentOf(const lumaro::Module& module, long index)
{
    return platform::require(platform::require(platform::require(module.ResultQuestions(index)).Question()).Dll());
}

}  // namespace

WorkFiles::WorkFiles(toolkit::SessionState& state, WorkFilesSettings settings, WorkFilesServices services)
    : state_(state), settings_(std::move(settings)), services_(std::move(services))
{
}

WorkFiles::~WorkFiles() = default;

QString WorkFiles::message(const QString& key) const
{
    return services_.message ? services_.message(key) : QString();
}

QString WorkFiles::registryValue(const QString& key, const QString& valueName) const
{
    const auto registry = services_.registry ? services_.registry() : nullptr;
    return registry ? registry->GetValue(toolkit::KavReg::LocalMachine, key, valueName, toolkit::KavReg::FamilyKey)
                    : QString();
}

bool WorkFiles::piGereFichiersLocaux(lumaro::Module& module, lumaro::Appli& appli, const WorkFilesSource& source,
                                     bool& moduleExerva)
{
    const std::weak_ptr<char> alive = alive_;
    toolkit::SessionState& state = state_;
    const tracel::TraceScope scope(state.trace, tracel::TypeClass, settings_.moduleName,
                                   QStringLiteral("Private Function piGereFichiersLocaux"));
    state.pulStateEnCours = settings_.codeErreur;
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        std::vector<Package> packages;
        long mask = 0;
        const auto add = [&](const QString& name, long kind) {
            mask |= kind;
            for (const Package& known : packages)
                if (known.name == name)
                    return;
            packages.push_back({name, kind});
        };
        // A module without questions has no component to provide.
        moduleExerva = module.NbQuest() > 0 && componentOf(module, 1).Nom().toUpper() == QStringLiteral("EXERVA");
        if (!moduleExerva) {
            for (long i = 1; i <= module.NbQuest(); ++i) {
                const lumaro::Dll& dll = componentOf(module, i);
                add(dll.Nom(), dll.Bis() ? TYPE_BIS : TYPE_BASE);
            }
        }
        if (settings_.listExoApp && module.ExoApp())
            add(platform::require(module.ExoApp()->Dll()).Nom(), TYPE_EXO_APP);
        scope.value(QStringLiteral("lTypeMask"), QString::number(mask));

        // The names come from the server and become file names.
        for (const Package& package : packages) {
            if (!platform::paths::isPlainFileName(package.name)) {
                state.recordError(platform::RuntimeError(platform::BadFileName,
                                                         QStringLiteral("Nom de paquet refusé : ") + package.name),
                                  scope);
                return;
            }
        }

        const long wanted = piTypeATelecharger(mask, appli, source.idAppli);
        scope.value(QStringLiteral("lTypeATelecharger"), QString::number(wanted));
        if (wanted == -2) {
            state.pusErrorDescription.clear();
            state.pulErrorNumber = 0;
            state.pulStateEnCours = settings_.codeTypeExoApp;
            return;
        }
        if (wanted == -7) {
            state.pulErrorNumber = 0;
            state.pulStateEnCours = settings_.codeHouston;
            return;
        }
        const QString count = QString::number(packages.size());
        for (qsizetype i = 0; wanted > 0 && i < qsizetype(packages.size()); ++i) {
            const Package& package = packages[std::size_t(i)];
            if ((package.kind & wanted) == 0)
                continue;
            if (services_.setMessageLoading)
                services_.setMessageLoading(message(QStringLiteral("MESSAGE_Loading4"))
                                                .replace(QStringLiteral("%1"), QString::number(i + 1))
                                                .replace(QStringLiteral("%2"), count));
            QString base;
            bool isFolder = false;
            if (!packageSource(source, package.kind, base, isFolder, scope))
                return;
            if (alive.expired())
                return;
            if (services_.loadingAffiche)
                services_.loadingAffiche(true);
            QString folder;
            if (isFolder)
                folder = installFolderPackage(base, package.name, scope);
            else if (services_.fetchPackage)
                folder = services_.fetchPackage(base + package.name + QStringLiteral(".htm"));
            if (alive.expired())
                return;
            if (services_.loadingAffiche)
                services_.loadingAffiche(false);
            if (folder.isEmpty()) {
                // What the fetch stored says why; the step is this operation's.
                state.pulStateEnCours = state.failedStep(settings_.codeErreur);
                state.pusErrorDescription =
                    QStringLiteral("Paquet %1 non reçu : %2").arg(package.name, state.pusErrorDescription);
                scope.line(QStringLiteral("erreur kav paquet non reçu : ") + package.name);
                return;
            }
            folder = folderOf(folder);
            scope.value(QStringLiteral("sDossierLocal"), folder);
            if (package.kind == TYPE_BIS) {
                appli.PathFilesBis(folder);
                appli.PathHTMLBis(folder);
                appli.PathDllBis(folder);
            } else {
                appli.PathDll(folder);
                appli.PathFiles(folder);
                appli.PathHTML(folder);
            }
        }
        state.pulStateEnCours = OK;
        result = true;
    });
    if (alive.expired())
        return false;
    if (services_.loadingAffiche)
        services_.loadingAffiche(false);
    if (error)
        state.recordError(*error, scope);
    return result && !error;
}

bool WorkFiles::packageSource(const WorkFilesSource& source, long kind, QString& base, bool& isFolder,
                              const tracel::TraceScope& scope)
{
    const QString suffix = kind == TYPE_BIS ? QStringLiteral("Eb") : QStringLiteral("F");
    const QString id = QString::number(source.idAppli);
    const bool evaluation = source.typeFormEval == QStringLiteral("E");
    switch (source.typeDownload) {
    case 0:
        base = source.serverBase + QStringLiteral("Download/") + id + suffix;
        toolkit::puAddTrailingSlash(base);
        isFolder = false;
        return true;
    case 1:
        base = source.pathDownloadRorova + id + suffix;
        toolkit::puAddTrailingBackslash(base);
        isFolder = true;
        if (!toolkit::puCheckFolderExist(state_, base)) {
            state_.pulStateEnCours = settings_.codeUNCMissing;
            state_.pusErrorDescription = message(evaluation ? QStringLiteral("ERR_UNC_EVAL_ROROVA_MISSING")
                                                            : QStringLiteral("ERR_UNC_FORM_ROROVA_MISSING"))
                                             .replace(QStringLiteral("%1"), base);
            state_.pulErrorNumber = 0;
            scope.line(QStringLiteral("erreur kav dossier absent : ") + base);
            return false;
        }
        return true;
    case 2:
        base = source.urlDownloadRorova + id + suffix;
        toolkit::puAddTrailingSlash(base);
        isFolder = false;
        return true;
    case 3: {
        QString root;
        if (!services_.findCDRom || !services_.findCDRom(root)) {
            state_.pusErrorDescription = message(QStringLiteral("ERR_NO_CDROM"));
            state_.pulErrorNumber = 0;
            state_.pulStateEnCours = settings_.codeNoCDRom;
            return false;
        }
        base = root + QStringLiteral("Rorova/") + id + suffix;
        toolkit::puAddTrailingBackslash(base);
        isFolder = true;
        const std::weak_ptr<char> alive = alive_;
        while (!toolkit::puCheckFolderExist(state_, base)) {
            state_.pulStateEnCours = settings_.codeCDRomMissing;
            state_.pusErrorDescription = message(evaluation ? QStringLiteral("ERR_CDROM_EVAL_ROROVA_MISSING")
                                                            : QStringLiteral("ERR_CDROM_FORM_ROROVA_MISSING"))
                                             .replace(QStringLiteral("%1"), source.nomAppli);
            state_.pulErrorNumber = 0;
            // The learner may insert the disc and try again.
            const long answer = services_.messageBox
                                    ? services_.messageBox(state_.pusErrorDescription,
                                                           lumaro::kavOk + lumaro::kavAnnuler)
                                    : long(platform::MessageBoxes::Cancel);
            if (alive.expired() || answer == platform::MessageBoxes::Cancel)
                return false;
        }
        state_.pulStateEnCours = settings_.codeErreur;
        return true;
    }
    default:
        state_.recordError(platform::RuntimeError(platform::InvalidProcedureCall,
                                                  QStringLiteral("TypeDownload hors de 0 à 3 : ")
                                                      + QString::number(source.typeDownload)),
                           scope);
        return false;
    }
}

QString WorkFiles::installFolderPackage(const QString& folder, const QString& name, const tracel::TraceScope& scope)
{
    const QString pagePath = platform::paths::findExisting(folder + name + QStringLiteral(".htm"));
    QFile page(pagePath);
    if (!page.open(QIODevice::ReadOnly)) {
        state_.recordError(platform::RuntimeError(platform::FileNotFound, pagePath), scope);
        return {};
    }
    const auto names = toolkit::packageFiles(state_, platform::decodeText(page.readAll()), scope);
    if (!names)
        return {};
    toolkit::StagedPackage package(state_, services_.componentFolder ? services_.componentFolder() : QString(), scope);
    if (!package.ready())
        return {};
    for (const QString& file : *names) {
        if (!package.copy(file, platform::paths::findExisting(folder + file)))
            return {};
    }
    return package.install();
}

long WorkFiles::piTypeATelecharger(long mask, lumaro::Appli& appli, long idAppli)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, settings_.moduleName,
                                   QStringLiteral("Private Function piTypeATelecharger"));
    scope.value(QStringLiteral("ilTypeMask"), QString::number(mask));
    // The launcher lists the application exercise among the packages: every
    // kind then stands on its own, and none refuses the others.
    if (!settings_.listExoApp && mask == (TYPE_BASE | TYPE_EXO_APP | TYPE_BIS))
        return -7;
    const QString id = QString::number(idAppli);
    long result = 0;
    if (mask & TYPE_BASE) {
        QString key = clientKey + id + QStringLiteral("F");
        QString dll = registryValue(key, QStringLiteral("Dll"));
        if (dll.isEmpty()) {
            key = clientKey + id + QStringLiteral("E");
            dll = registryValue(key, QStringLiteral("Dll"));
        }
        if (!dll.isEmpty()) {
            scope.line(QStringLiteral("version client-serveur installée : ") + key);
            appli.PathDll(folderOf(dll));
            appli.PathFiles(folderOf(registryValue(key, QStringLiteral("Files"))));
            appli.PathHTML(folderOf(registryValue(key, QStringLiteral("Html"))));
        } else {
            if (!registryValue(singleUserKey + id + QStringLiteral("F"), QStringLiteral("Dll")).isEmpty()
                || !registryValue(singleUserKey + id + QStringLiteral("E"), QStringLiteral("Dll")).isEmpty())
                piRemoveDllMonoposte(TYPE_BASE, idAppli);
            result |= TYPE_BASE;
        }
    }
    if (mask & TYPE_BIS) {
        const QString key = clientKey + id + QStringLiteral("Eb");
        const QString dll = registryValue(key, QStringLiteral("Dll"));
        if (!dll.isEmpty()) {
            scope.line(QStringLiteral("version client-serveur installée : ") + key);
            appli.PathDllBis(folderOf(dll));
            appli.PathFilesBis(folderOf(registryValue(key, QStringLiteral("Files"))));
            appli.PathHTMLBis(folderOf(registryValue(key, QStringLiteral("Html"))));
        } else {
            if (!registryValue(singleUserKey + id + QStringLiteral("Eb"), QStringLiteral("Dll")).isEmpty())
                piRemoveDllMonoposte(TYPE_BIS, idAppli);
            result |= TYPE_BIS;
        }
    }
    if (mask & TYPE_EXO_APP) {
        const QString key = clientKey + id + QStringLiteral("F");
        const QString dll = registryValue(key, QStringLiteral("Dll"));
        if (settings_.listExoApp) {
            // Without a full installation the application exercise is fetched
            // like any package; with one, it comes from there.
            if (dll.isEmpty()) {
                result |= TYPE_EXO_APP;
            } else if (!(mask & TYPE_BASE)) {
                scope.line(QStringLiteral("version client-serveur installée : ") + key);
                appli.PathDll(folderOf(dll));
                appli.PathFiles(folderOf(registryValue(key, QStringLiteral("Files"))));
                appli.PathHTML(folderOf(registryValue(key, QStringLiteral("Html"))));
            }
        } else {
            if (dll.isEmpty() && result == 0)
                return -2;
            if (result != 0)
                result |= TYPE_EXO_APP;
        }
    }
    return result;
}

void WorkFiles::piRemoveDllMonoposte(long ilType, long idAppli)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, settings_.moduleName,
                                   QStringLiteral("Private Sub piRemoveDllMonoposte"));
    const QString id = QString::number(idAppli);
    QString folder;
    if (ilType == TYPE_BIS) {
        folder = registryValue(singleUserKey + id + QStringLiteral("Eb"), QStringLiteral("Dll"));
    } else {
        folder = registryValue(singleUserKey + id + QStringLiteral("E"), QStringLiteral("Dll"));
        if (folder.isEmpty())
            folder = registryValue(singleUserKey + id + QStringLiteral("F"), QStringLiteral("Dll"));
    }
    // An empty folder would name the root: never acted on.
    if (folder.isEmpty())
        return;
    // The components of another product are left as they are installed.
    scope.line(QStringLiteral("version monoposte laissée en place : ") + folderOf(folder));
}

}  // namespace hostsession
