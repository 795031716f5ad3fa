// The sample course server: serves a course from a data folder until it is
// stopped (Ctrl+C or SIGTERM). Prints its base address on the first line of
// standard output, then one line per request.

#include "CourseFiles.h"
#include "CourseServer.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <pthread.h>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

namespace {

int usage(const char* problem)
{
    std::fprintf(stderr,
                 "course-server: %s\n"
                 "usage: course-server --data DIR [--port N] [--address A] [--records DIR]\n"
                 "                     [--fault KIND[:PAGE[:COUNT]]]... [--slow-ms N] [--mount PATH=DIR]...\n"
                 "  KIND: empty, kaverreur, slow, status=NNN, close, hacp=N, html; PAGE * or a page name\n"
                 "        or an AICC command (getparam, putparam, exitAU)\n",
                 problem);
    return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    courseserver::ServerOptions options;
    std::vector<courseserver::Fault> faults;
    std::mutex outputMutex;
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (i + 1 >= arguments.size())
            return usage("an option is missing its value");
        const QString value = arguments[++i];
        bool number = true;
        if (name == QLatin1String("--data")) {
            options.dataFolder = QDir(value).absolutePath();
        } else if (name == QLatin1String("--records")) {
            options.recordFolder = QDir(value).absolutePath();
        } else if (name == QLatin1String("--address")) {
            options.address = value.toStdString();
        } else if (name == QLatin1String("--port")) {
            options.port = value.toInt(&number);
            if (!number || options.port < 0 || options.port > 65535)
                return usage("the port must be a number from 0 to 65535");
        } else if (name == QLatin1String("--slow-ms")) {
            const int delay = value.toInt(&number);
            if (!number || delay < 0)
                return usage("the slow delay must be a number of milliseconds");
            options.slowDelay = std::chrono::milliseconds(delay);
        } else if (name == QLatin1String("--mount")) {
            const qsizetype equals = value.indexOf(u'=');
            const QString prefix = value.left(equals).trimmed().remove(QRegularExpression(QStringLiteral("^/+|/+$")));
            if (equals <= 0 || prefix.isEmpty() || !QFileInfo(value.mid(equals + 1)).isDir()
                || !courseserver::isSafeRelativePath(prefix.toStdString()))
                return usage("a mount must read PATH=DIR, DIR an existing folder");
            options.mounts.emplace_back(prefix.toStdString(), QDir(value.mid(equals + 1)).absolutePath());
        } else if (name == QLatin1String("--fault")) {
            const auto fault = courseserver::parseFault(value.toStdString());
            if (!fault)
                return usage("a fault must read KIND[:PAGE[:COUNT]]");
            faults.push_back(*fault);
        } else {
            return usage("unknown option");
        }
    }
    if (options.dataFolder.isEmpty() || !QFileInfo(options.dataFolder).isDir())
        return usage("--data must name an existing folder");
    options.log = [&outputMutex](const std::string& line) {
        std::lock_guard lock(outputMutex);
        std::cout << line << std::endl;
    };

    // The server's threads inherit this mask, so the stop signals reach sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    courseserver::CourseServer server(options);
    for (const auto& fault : faults)
        server.addFault(fault);
    if (!server.start()) {
        std::fprintf(stderr, "course-server: cannot listen on %s port %d\n", options.address.c_str(), options.port);
        return EXIT_FAILURE;
    }
    {
        std::lock_guard lock(outputMutex);
        std::cout << server.baseUrl() << std::endl;
    }
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return EXIT_SUCCESS;
}
