#include "LaunchOptions.h"

#include "pelago/AiccReport.h"
#include "pelago/TimeOfDay.h"

#include <QUrl>
#include <QUrlQuery>

#include <map>

namespace pelagoapp {
namespace {

ParsedOptions refuse(const QString& problem)
{
    return {std::nullopt, problem};
}

bool wholeNumber(const QString& text)
{
    bool number = false;
    text.toLong(&number);
    return number;
}

}  // namespace

QString launchUsage()
{
    return QStringLiteral(
        "usage: pelago [--launch URL | --aicc-sid SID --aicc-url URL] --lms-url URL --application ID\n"
        "              (--module ID | --question ID) [options]\n"
        "Plays one module or one question of a course for a learning management system\n"
        "(AICC), reports the score, status and time to it, and ends by itself.\n"
        "  --launch URL        a launch address whose query holds aicc_sid and aicc_url\n"
        "  --aicc-sid SID      the AICC session identifier\n"
        "  --aicc-url URL      the AICC address of the management system\n"
        "  --lms-url URL       the management system's base address (its pages under WS/,\n"
        "                      the exercise files under Download/)\n"
        "  --application ID    the taught application\n"
        "  --module ID         the module to play, or\n"
        "  --question ID       the single question to play\n"
        "  --type F|E          F for training (default), anything else for evaluation\n"
        "  --language ID       the language identifier, a whole number (default 1036)\n"
        "  --cfg-site NAME, --cfg-bdd NAME\n"
        "                      the configuration names sent with every request\n"
        "  --method post|get|scorm\n"
        "                      how the run's end reaches the system (default post, any\n"
        "                      letter case): post sends the report (putparam) and the end\n"
        "                      of the unit (exitAU) by POST; get sends the report by GET;\n"
        "                      scorm sends neither and hands them to the launch page as\n"
        "                      its events, printed on standard output one line each:\n"
        "                        FinModule isStatut=completed isScore=13 isTime=00:01:02\n"
        "                        ExitAU\n"
        "  --note-max N        the maximum score (default 100)\n"
        "  --media-folder DIR  the folder of the lesson and solution videos\n"
        "  --media-url URL     the address the videos are streamed from instead\n"
        "  --keep-alive HH:MM:SS\n"
        "                      how long the launcher waits after the run (default 00:00:05)\n"
        "  --language-folder DIR\n"
        "                      the folder of kavplugin.lng (default: the program's)\n"
        "  --trace-level N     writes the trace log Pelago.htm from level 1\n"
        "  --help              this text\n"
        "Exit status: 0 once the management system accepted the run's result and the end of\n"
        "the unit, or with scorm once both events were handed on with a report that could\n"
        "be made; otherwise 1, with the step code and the error on standard error; 2 for a\n"
        "command line that cannot be used (a number, a delay or a method it cannot read),\n"
        "in one line before any window opens.\n");
}

ParsedOptions parseLaunchOptions(const QStringList& arguments)
{
    LaunchOptions options;
    QString launch;
    QString sid;
    QString url;
    const std::map<QString, QString*> texts = {
        {QStringLiteral("--launch"), &launch},
        {QStringLiteral("--aicc-sid"), &sid},
        {QStringLiteral("--aicc-url"), &url},
        {QStringLiteral("--lms-url"), &options.lmsUrl},
        {QStringLiteral("--application"), &options.idAppli},
        {QStringLiteral("--module"), &options.idModule},
        {QStringLiteral("--question"), &options.idQuestion},
        {QStringLiteral("--type"), &options.typeFormEval},
        {QStringLiteral("--language"), &options.langue},
        {QStringLiteral("--cfg-site"), &options.cfgSite},
        {QStringLiteral("--cfg-bdd"), &options.cfgBdd},
        {QStringLiteral("--method"), &options.method},
        {QStringLiteral("--note-max"), &options.noteMax},
        {QStringLiteral("--media-folder"), &options.mediaFolder},
        {QStringLiteral("--media-url"), &options.mediaUrl},
        {QStringLiteral("--keep-alive"), &options.keepAlive},
        {QStringLiteral("--language-folder"), &options.languageFolder},
    };
    QString traceLevel;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
            return {options, QString()};
        }
        QString* target = nullptr;
        if (const auto found = texts.find(argument); found != texts.end())
            target = found->second;
        else if (argument == QLatin1String("--trace-level"))
            target = &traceLevel;
        if (!target) {
            if (argument.startsWith(u'-') || !launch.isEmpty())
                return refuse(QStringLiteral("unknown argument: ") + argument);
            launch = argument;
            continue;
        }
        if (i + 1 >= arguments.size())
            return refuse(argument + QStringLiteral(" needs a value"));
        *target = arguments[++i];
    }
    if (!launch.isEmpty()) {
        const QUrl address(launch, QUrl::TolerantMode);
        if (!address.isValid())
            return refuse(QStringLiteral("the launch address cannot be read"));
        const QUrlQuery query(address);
        for (const auto& [name, value] : query.queryItems(QUrl::FullyDecoded)) {
            if (name.compare(QLatin1String("aicc_sid"), Qt::CaseInsensitive) == 0 && sid.isEmpty())
                sid = value;
            else if (name.compare(QLatin1String("aicc_url"), Qt::CaseInsensitive) == 0 && url.isEmpty())
                url = value;
        }
    }
    options.aiccSid = sid;
    options.aiccUrl = url;
    if (options.aiccSid.isEmpty() || options.aiccUrl.isEmpty())
        return refuse(QStringLiteral("the AICC session identifier and address are both needed"));
    if (options.lmsUrl.isEmpty())
        return refuse(QStringLiteral("--lms-url is needed"));
    // Every number is checked here, before any window opens, so that none is dropped on the way.
    const auto refuseValue = [](const QString& option, const QString& need, const QString& value) {
        return refuse(QStringLiteral("%1 needs %2, not \"%3\"").arg(option, need, value.simplified()));
    };
    const QString wholeNumberNeed = QStringLiteral("a whole number");
    if (!wholeNumber(options.idAppli))
        return refuseValue(QStringLiteral("--application"), wholeNumberNeed, options.idAppli);
    if (options.idModule.isEmpty() == options.idQuestion.isEmpty())
        return refuse(QStringLiteral("give either --module or --question"));
    if (!options.idModule.isEmpty() && !wholeNumber(options.idModule))
        return refuseValue(QStringLiteral("--module"), wholeNumberNeed, options.idModule);
    if (!options.idQuestion.isEmpty() && !wholeNumber(options.idQuestion))
        return refuseValue(QStringLiteral("--question"), wholeNumberNeed, options.idQuestion);
    if (!wholeNumber(options.langue))
        return refuseValue(QStringLiteral("--language"), wholeNumberNeed, options.langue);
    // A maximum the report cannot use would send every score blank.
    if (options.noteMax.trimmed().isEmpty() || !pelago::isValidNoteMax(options.noteMax))
        return refuseValue(QStringLiteral("--note-max"), QStringLiteral("a whole number from 0 to 2147483647"),
                           options.noteMax);
    // The session takes any other word for POST: a mistyped method would
    // report by the wrong channel without a word.
    const QString method = options.method.toLower();
    if (method != QLatin1String("post") && method != QLatin1String("get") && method != QLatin1String("scorm"))
        return refuseValue(QStringLiteral("--method"), QStringLiteral("post, get or scorm"), options.method);
    options.method = method;
    if (!pelago::timeOfDay(options.keepAlive))
        return refuseValue(QStringLiteral("--keep-alive"), QStringLiteral("a time such as 00:05:00"), options.keepAlive);
    if (!traceLevel.isEmpty()) {
        bool number = false;
        options.traceLevel = traceLevel.toLong(&number);
        if (!number || options.traceLevel < 0)
            return refuseValue(QStringLiteral("--trace-level"), QStringLiteral("a whole number from 0"), traceLevel);
    }
    return {options, QString()};
}

}  // namespace pelagoapp
