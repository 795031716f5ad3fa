// The program "exerva" itself: any command line but the word "qol" ends it at
// once, with status 0, before anything of the window system starts; the word
// on a platform that shows nothing ends it at once with status 1.

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

TEST(ExervaProgramTest, TheModeRefusesAPlatformThatShowsNothing)
{
    for (const char* platform : {"offscreen", "minimal"}) {
        SCOPED_TRACE(platform);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(EXERVA_PROGRAM), {QStringLiteral("qol")});
        // Had it opened its dialog, nobody could ever have answered it.
        const bool ended = program.waitForFinished(30000);
        if (!ended)
            program.kill();
        ASSERT_TRUE(ended);
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 1);
        EXPECT_TRUE(program.readAllStandardError().contains("exerva: the stand-alone mode needs a screen"));
    }
}

}  // namespace
