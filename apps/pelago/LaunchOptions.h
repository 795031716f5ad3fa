#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace pelagoapp {

// What the launch page would have handed the launcher: the AICC session and
// address, the language, the run to start and the management system's
// addresses, with the few settings a page may change.
struct LaunchOptions {
    QString aiccSid;
    QString aiccUrl;
    QString langue = QStringLiteral("1036");
    QString idAppli;
    QString idModule;
    QString idQuestion;
    QString typeFormEval = QStringLiteral("F");
    // The management system's base address: its pages lie under it + "WS/",
    // the exercise files under it + "Download/".
    QString lmsUrl;
    QString cfgSite;
    QString cfgBdd;
    QString method = QStringLiteral("post");
    QString noteMax = QStringLiteral("100");
    // Videos read from this folder, else streamed from mediaUrl.
    QString mediaFolder;
    QString mediaUrl;
    QString keepAlive = QStringLiteral("00:00:05");
    // The folder of "kavplugin.lng"; the program's own when empty.
    QString languageFolder;
    long traceLevel = 0;
    bool help = false;
};

// The options read from the command line, or the reason they cannot be.
struct ParsedOptions {
    std::optional<LaunchOptions> options;
    QString problem;
};

// Reads the arguments (without the program's name). A launch address
// ("--launch URL", or a lone argument) gives "aicc_sid" and "aicc_url" from
// its query, names compared without regard to case, as an AICC launch writes
// them; "--aicc-sid" and "--aicc-url" given as well take precedence.
ParsedOptions parseLaunchOptions(const QStringList& arguments);

// The text of --help.
QString launchUsage();

// The exit status of a command line that cannot be used.
constexpr int commandLineRefused = 2;

}  // namespace pelagoapp
