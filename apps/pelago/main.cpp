// The AICC course launcher's program: it plays the part of a learning
// management system's launch page. It asks the launcher for a run, sets the
// session's properties from the command line, starts the module or the
// question, prints each event the session raises for the page on standard
// output, and ends once the run is over and the keep-alive delay has passed.

#include "LaunchOptions.h"
#include "LaunchRun.h"

#include "pelago/CommonData.h"

#include "platform/Display.h"
#include "platform/MessageBoxes.h"
#include "platform/QtWindowSystem.h"
#include "platform/WebEngineLogging.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Read before Qt starts, so that --help and a wrong argument need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const auto parsed = pelagoapp::parseLaunchOptions(arguments);
    if (!parsed.options) {
        std::fprintf(stderr, "pelago: %s (pelago --help lists the options)\n", qPrintable(parsed.problem));
        return pelagoapp::commandLineRefused;
    }
    if (parsed.options->help) {
        std::fputs(qPrintable(pelagoapp::launchUsage()), stdout);
        return EXIT_SUCCESS;
    }
    if (!platform::requireDisplay("pelago", argc, argv))
        return EXIT_FAILURE;
    platform::prepareWebEngineProgram();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelago"));
    // The launcher ends itself once the run is over, whatever windows close.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::QtMessageBoxes messageBoxes;
    platform::QtWindowSystem windows;
    pelago::CommonData& data = pelago::CommonData::processDefault();
    data.messageBoxes = &messageBoxes;
    data.windowSystem = &windows;

    pelagoapp::LaunchRun run(data, *parsed.options);
    int status = EXIT_SUCCESS;
    QObject::connect(&run, &pelagoapp::LaunchRun::finished, &app, [&status](int code) {
        status = code;
        QCoreApplication::exit(code);
    });
    // The page's events go out as they come, so that whoever reads them
    // sees the report before the program ends.
    QObject::connect(&run, &pelagoapp::LaunchRun::pageEvent, [](const QString& line) {
        std::printf("%s\n", line.toLocal8Bit().constData());
        std::fflush(stdout);
    });
    if (!run.begin()) {
        std::fprintf(stderr, "pelago: %s\n", qPrintable(run.problem()));
        return EXIT_FAILURE;
    }
    QApplication::exec();
    if (status != EXIT_SUCCESS)
        std::fprintf(stderr, "pelago: %s\n", qPrintable(run.problem()));
    return status;
}
