// The display check GUI programs make before creating their application:
// which platforms Qt would try, and whether any of them reaches a display.

#include "platform/Display.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::DisplaySetting;

// Display servers that answer only at the addresses the test gives.
class FakeConnector final : public platform::DisplayConnector {
public:
    FakeConnector(QStringList x11, QStringList wayland) : x11_(std::move(x11)), wayland_(std::move(wayland)) {}
    bool connectX11(const QString& display) const override { return x11_.contains(display); }
    bool connectWayland(const QString& socketPath) const override { return wayland_.contains(socketPath); }

private:
    QStringList x11_;
    QStringList wayland_;
};

struct ProblemCase {
    const char* label;
    QStringList platforms;
    const char* x11Display;
    const char* waylandDisplay;
    const char* problem;  // "" when a display is reached
};

TEST(DisplayTest, FindsADisplayOnOneOfThePlatformsQtWouldTry)
{
    // An X server answers at ":1" only, a Wayland compositor at /run/user/7/wayland-1 only.
    const FakeConnector connector({QStringLiteral(":1")}, {QStringLiteral("/run/user/7/wayland-1")});
    const QStringList xcb{QStringLiteral("xcb")};
    const QStringList waylandThenXcb{QStringLiteral("wayland"), QStringLiteral("xcb")};
    const ProblemCase cases[] = {
        {"X11 display reached", xcb, ":1", "", ""},
        {"no DISPLAY", xcb, "", "", "DISPLAY is not set"},
        {"X server not there", xcb, ":99", "", "cannot open the X display \":99\""},
        {"options after the name", {QStringLiteral("xcb:nograb")}, ":1", "", ""},
        {"Wayland socket under the runtime folder", waylandThenXcb, "", "wayland-1", ""},
        {"Wayland gone, X11 still there", waylandThenXcb, ":1", "wayland-5", ""},
        {"neither", waylandThenXcb, "", "",
         "cannot connect to the Wayland display \"wayland-0\"; DISPLAY is not set"},
        {"absolute Wayland socket", {QStringLiteral("wayland-egl")}, "", "/run/user/7/wayland-1", ""},
        {"offscreen draws nowhere", {QStringLiteral("offscreen")}, ":1", "", "the platform \"offscreen\" shows nothing"},
        {"minimal draws nowhere", {QStringLiteral("Minimal")}, ":1", "", "the platform \"minimal\" shows nothing"},
        {"offscreen, then a real display", {QStringLiteral("offscreen"), QStringLiteral("xcb")}, ":1", "", ""},
        {"a platform left to Qt", {QStringLiteral("linuxfb")}, "", "", ""},
        {"nothing named", {}, ":1", "", "no window-system platform is named"},
    };
    for (const ProblemCase& c : cases) {
        SCOPED_TRACE(c.label);
        DisplaySetting setting;
        setting.platforms = c.platforms;
        setting.x11Display = QString::fromLatin1(c.x11Display);
        setting.waylandDisplay = QString::fromLatin1(c.waylandDisplay);
        setting.runtimeDir = QStringLiteral("/run/user/7");
        EXPECT_EQ(platform::displayProblem(setting, connector).toStdString(), c.problem);
    }
}

TEST(DisplayTest, AWaylandSocketNeedsARuntimeFolderUnlessItsPathIsWhole)
{
    const FakeConnector connector({}, {QStringLiteral("wayland-0"), QStringLiteral("/tmp/w")});
    DisplaySetting setting;
    setting.platforms = {QStringLiteral("wayland")};
    // A relative name is never looked for in the working folder.
    EXPECT_FALSE(platform::displayProblem(setting, connector).isEmpty());
    setting.waylandDisplay = QStringLiteral("/tmp/w");
    EXPECT_TRUE(platform::displayProblem(setting, connector).isEmpty());
}

TEST(DisplayTest, TheCommandLineNamesThePlatformBeforeTheEnvironment)
{
    qputenv("QT_QPA_PLATFORM", "offscreen;xcb");
    struct Case {
        const char* label;
        std::vector<const char*> argv;
        QStringList platforms;
    };
    const Case cases[] = {
        {"environment", {"program", "qol"}, {QStringLiteral("offscreen"), QStringLiteral("xcb")}},
        {"-platform", {"program", "-platform", "wayland"}, {QStringLiteral("wayland")}},
        {"--platform", {"program", "--platform", "xcb"}, {QStringLiteral("xcb")}},
        {"-platform without a name", {"program", "-platform"}, {QStringLiteral("offscreen"), QStringLiteral("xcb")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const DisplaySetting setting = DisplaySetting::ofProcess(int(c.argv.size()), c.argv.data());
        EXPECT_EQ(setting.platforms, c.platforms);
    }
    // The test binaries run offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace
