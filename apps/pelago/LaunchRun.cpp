#include "LaunchRun.h"

#include "pelago/CommonData.h"
#include "pelago/clsBarreManager.h"
#include "pelago/clsManager.h"

namespace pelagoapp {

LaunchRun::LaunchRun(pelago::CommonData& data, LaunchOptions options)
    : data_(data), options_(std::move(options))
{
    if (!options_.languageFolder.isEmpty())
        data_.languageFolder = options_.languageFolder;
    data_.endProcess = [this] { emit finished(reported_ ? 0 : 1); };
    manager_ = std::make_unique<pelago::clsManager>(data_);
}

LaunchRun::~LaunchRun()
{
    // Whatever ended the program, the launcher's windows and objects go
    // while the application still exists, never in a static destructor after it.
    data_.endProcess = nullptr;
    if (data_.puoBarreManager || data_.StateEnCours != pelago::StateNone)
        data_.puFinDemande();
}

namespace {

QString failure(const QString& step, long code, long number, const QString& text)
{
    return QStringLiteral("%1 failed: step code %2, error %3 : %4").arg(step).arg(code).arg(number).arg(text);
}

}  // namespace

void LaunchRun::fail(const QString& step)
{
    problem_ = failure(step, data_.pulStateEnCours, data_.pulErrorNumber, data_.pusErrorDescription);
}

bool LaunchRun::begin()
{
    manager_->LevelTracelage(options_.traceLevel);
    if (!manager_->AskStart(options_.langue, options_.keepAlive)) {
        fail(QStringLiteral("AskStart"));
        data_.puFinDemande();
        return false;
    }
    pelago::clsBarreManager& barre = *manager_->BarreManager();
    barre.AiccSid(options_.aiccSid);
    barre.AiccUrl(options_.aiccUrl);
    barre.Method(options_.method);
    barre.CfgSite(options_.cfgSite);
    barre.CfgBdd(options_.cfgBdd);
    barre.NoteMaxAicc(options_.noteMax);
    barre.URLBaseServer(options_.lmsUrl);
    barre.URLClientFolder(options_.lmsUrl.endsWith(u'/') ? options_.lmsUrl : options_.lmsUrl + u'/');
    barre.HasLecon(true);
    barre.HasCorrige(true);
    barre.TypeChrono(1);
    if (!options_.mediaUrl.isEmpty()) {
        barre.ModeMediaInet(true);
        barre.URLMediaAppli(options_.mediaUrl);
        barre.ExtensionFichierVideo(QStringLiteral(".avi"));
    } else {
        barre.PathMediaAppli(options_.mediaFolder);
    }
    const bool started = options_.idModule.isEmpty()
        ? barre.StartQuestion(options_.idAppli, options_.idQuestion, options_.typeFormEval)
        : barre.StartModule(options_.idAppli, options_.idModule, options_.typeFormEval);
    if (!started) {
        fail(options_.idModule.isEmpty() ? QStringLiteral("StartQuestion") : QStringLiteral("StartModule"));
        // The page has nothing left to run: the launcher ends at once.
        data_.puFinDemande();
        return false;
    }
    // In the "scorm" method the report and the end of the unit are the page's
    // own events, and this program is the page: it tells each with its values.
    connect(&barre, &pelago::clsBarreManager::FinModule, this,
            [this](const QString& isStatut, const QString& isScore, const QString& isTime) {
                finModuleHanded_ = true;
                emit pageEvent(
                    QStringLiteral("FinModule isStatut=%1 isScore=%2 isTime=%3").arg(isStatut, isScore, isTime));
            });
    connect(&barre, &pelago::clsBarreManager::ExitAU, this, [this] {
        exitAUHanded_ = true;
        emit pageEvent(QStringLiteral("ExitAU"));
    });
    // The end of the run tells whether the system accepted its result.
    barre.WithSelfClose(true);
    // Success needs both the report and the end of the unit accepted (or, in
    // "scorm", handed to the page); each failure is told with its own step
    // code and the system's words.
    connect(&barre, &pelago::clsBarreManager::SelfClose, this, [this, &barre] {
        QStringList problems;
        const auto tell = [&problems](const QString& step, const auto& failed, bool handed) {
            if (failed)
                problems.append(failure(step, failed->code, failed->number, failed->text));
            else if (!handed)
                problems.append(step + QStringLiteral(" was not handed to the page"));
        };
        const bool byEvents = barre.Method() == QLatin1String("scorm");
        tell(QStringLiteral("the result report"), barre.ReportFailure(), !byEvents || finModuleHanded_);
        tell(QStringLiteral("the end of the unit"), barre.ExitFailure(), !byEvents || exitAUHanded_);
        reported_ = problems.isEmpty();
        problem_ = problems.join(QStringLiteral("; "));
    });
    return true;
}

}  // namespace pelagoapp
