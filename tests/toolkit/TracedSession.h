#pragma once

#include "toolkit/SessionState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace commontest {

// A fresh plug-in state whose trace goes to a folder of its own at the level
// given, so that a test reads the lines an operation wrote.
class TracedSession {
public:
    explicit TracedSession(long level = 1)
    {
        if (level > 0) {
            state.trace.setLevel(level);
            EXPECT_TRUE(state.trace.start(folder_.path(), QStringLiteral("Test"), QStringLiteral("Test")));
        }
    }

    // Everything the HTML trace holds so far.
    QString traceText() const
    {
        QFile file(QDir(folder_.path()).filePath(QStringLiteral("Test.htm")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    // Declared first so that it outlives the trace, which writes its summary when it ends.
    QTemporaryDir folder_;

public:
    toolkit::SessionState state;
};

}  // namespace commontest
