#include "WebEngineLogging.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMutex>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace platform {

namespace {

// The category of the engine's start-up report; a category object of the same
// name follows the same rules as the engine's own.
Q_LOGGING_CATEGORY(webEngineContext, "qt.webenginecontext")

const char* const quietRules = "qt.webengine*.debug=false\nqt.webengine*.info=false";

QtMessageHandler previousHandler = nullptr;

// The engine writes this line through the default category, which the
// program's own messages share, so it is singled out by its text.
bool isSandboxLine(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool defaultCategory = !context.category || qstrcmp(context.category, "default") == 0;
    return type == QtInfoMsg && defaultCategory && message == QLatin1String("Sandboxing disabled by user.");
}

void filterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (isSandboxLine(type, context, message) && !webEngineContext().isInfoEnabled())
        return;
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

}  // namespace

void setWebEngineLogging(bool tracing)
{
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    // Installed again when another handler took its place, in front of that one.
    const QtMessageHandler current = qInstallMessageHandler(filterMessage);
    if (current != filterMessage)
        previousHandler = current;
    QLoggingCategory::setFilterRules(tracing ? QString() : QString::fromLatin1(quietRules));
}

void prepareWebEngineProgram()
{
    setWebEngineLogging(false);
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace platform
