// The program "exerva" itself: any command line but the word "qol" ends it at
// once, with status 0, before anything of the window system starts; the word
// without a display to show its windows on ends it at once with status 1.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

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

TEST(ExervaProgramTest, TheModeWithoutADisplaySaysSoInOneLine)
{
    struct Case {
        const char* label;
        const char* platform;  // "" leaves the choice to Qt
        const char* display;   // "" unsets DISPLAY
        const char* reason;
    };
    // No X server listens at display 65533, nor a Wayland compositor under /nonexistent.
    const Case cases[] = {
        {"no display variable", "", "", "DISPLAY is not set"},
        {"an X server that is not there", "xcb", ":65533", "cannot open the X display \":65533\""},
        {"offscreen", "offscreen", "", "the platform \"offscreen\" shows nothing"},
        {"minimal", "minimal", "", "the platform \"minimal\" shows nothing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("/nonexistent"));
        if (*c.platform != '\0')
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(c.platform));
        if (*c.display != '\0')
            environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(c.display));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(EXERVA_PROGRAM), {QStringLiteral("qol")});
        // Had it opened its dialog, nobody could ever have answered it.
        const bool ended = program.waitForFinished(30000);
        if (!ended)
            program.kill();
        ASSERT_TRUE(ended);
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "not aborted inside Qt";
        EXPECT_EQ(program.exitCode(), 1);
        EXPECT_EQ(program.readAllStandardError().toStdString(),
                  std::string("exerva: no display to show windows on: ") + c.reason + "\n");
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    }
}

}  // namespace
