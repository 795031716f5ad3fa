// The exercise engine's program. Started with the single word "qol" it runs the
// stand-alone test mode; with any other word, or none, it ends at once.

#include "exerva/standalone/StandAloneRun.h"

#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Decided before Qt starts, so that a wrong word needs no display at all.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    if (!exerva::StandAloneRun::isStandAloneCommand(words))
        return EXIT_SUCCESS;

    // The web engine of the movie page cannot start its sandbox as root.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Exerva"));
    // The run ends when its last question is scored, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // The mode waits for a person to answer its windows: where nobody can see
    // them it would wait for ever.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        std::fprintf(stderr, "exerva: the stand-alone mode needs a screen (platform \"%s\" shows nothing)\n",
                     qUtf8Printable(platform));
        return EXIT_FAILURE;
    }

    const QString programFolder = QCoreApplication::applicationDirPath();
    platform::QtMessageBoxes messageBoxes;
    exerva::StandAloneRun run(programFolder, exerva::StandAloneRun::settingsFolderFor(programFolder), messageBoxes);
    QObject::connect(&run, &exerva::StandAloneRun::finished, &app, [](int status) { QCoreApplication::exit(status); });
    run.Main();
    if (run.isFinished())
        return run.exitStatus();
    return QApplication::exec();
}
