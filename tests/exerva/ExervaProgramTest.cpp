// The program "exerva" itself: any command line but the word "qol" ends it at
// once, with status 0, before anything of the window system starts.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(ExervaProgramTest, AnyOtherWordEndsAtOnceWithoutAWindow)
{
    // A window system that cannot start: had the program tried, it would have failed.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const QStringList commandLines[] = {
        {}, {QStringLiteral("QOL")}, {QStringLiteral("qol"), QStringLiteral("1")}, {QStringLiteral("autre")},
        {QStringLiteral("qol ")},
    };
    for (const QStringList& arguments : commandLines) {
        SCOPED_TRACE(arguments.join(u'|').toStdString());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(EXERVA_PROGRAM), arguments);
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_TRUE(program.readAllStandardError().isEmpty());
    }
}

}  // namespace
