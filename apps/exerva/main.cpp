// The exercise engine's program. Started with the single word "qol" it runs the
// stand-alone test mode; with any other word, or none, it ends at once.

#include "exerva/Manager.h"
#include "exerva/frmCT.h"
#include "exerva/standalone/StandAloneRun.h"

#include "platform/Display.h"
#include "platform/MessageBoxes.h"
#include "platform/WebEngineLogging.h"

#include <QApplication>
#include <QStringList>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Decided before Qt starts, so that a wrong word needs no display at all.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    if (!exerva::StandAloneRun::isStandAloneCommand(words))
        return EXIT_SUCCESS;
    // The mode waits for a person to answer its windows: without a display it
    // would abort inside Qt, or wait for ever where nothing is shown.
    if (!platform::requireDisplay("exerva", argc, argv))
        return EXIT_FAILURE;
    // The mode's trace always runs, into a file of its own: the web engine's
    // start-up report stays off the terminal (QT_LOGGING_RULES can bring it back).
    platform::prepareWebEngineProgram();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Exerva"));
    // The run ends when its last question is scored, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString programFolder = QCoreApplication::applicationDirPath();
    platform::QtMessageBoxes messageBoxes;
    exerva::StandAloneRun run(programFolder, exerva::StandAloneRun::settingsFolderFor(programFolder), messageBoxes);
    // The outcome is read beside the exercise it scores.
    messageBoxes.placeBeside([&run]() -> QWidget* { return run.manager() ? run.manager()->window() : nullptr; });
    QObject::connect(&run, &exerva::StandAloneRun::finished, &app, [](int status) { QCoreApplication::exit(status); });
    run.Main();
    if (run.isFinished())
        return run.exitStatus();
    return QApplication::exec();
}
