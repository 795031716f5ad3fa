// The web engine's start-up report stays off the terminal unless tracing is on.

#include "platform/WebEngineLogging.h"

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace {

Q_LOGGING_CATEGORY(engineContext, "qt.webenginecontext")
Q_LOGGING_CATEGORY(engineOther, "qt.webengine.compositor")

QStringList received;

void record(QtMsgType, const QMessageLogContext&, const QString& message) { received.append(message); }

// The messages of the engine's start-up as it writes them, and a warning,
// as one text ("|" between messages).
std::string startUpMessages()
{
    received.clear();
    qCInfo(engineContext, "GL Type: desktop");
    qCInfo(engineOther, "compositor ready");
    qInfo("Sandboxing disabled by user.");
    qInfo("the program's own information");
    qCWarning(engineOther, "the engine could not start");
    return received.join(u'|').toStdString();
}

TEST(WebEngineLoggingTest, KeepsTheStartUpReportQuietUnlessTracing)
{
    // The recorder stands where the terminal was, behind the filter.
    qInstallMessageHandler(record);
    platform::setWebEngineLogging(false);
    EXPECT_EQ(startUpMessages(), "the program's own information|the engine could not start");

    platform::setWebEngineLogging(true);
    EXPECT_EQ(startUpMessages(), "GL Type: desktop|compositor ready|Sandboxing disabled by user.|"
                                 "the program's own information|the engine could not start");

    // Back to the terminal, quiet, as the test main leaves it.
    qInstallMessageHandler(nullptr);
    platform::setWebEngineLogging(false);
}

}  // namespace
