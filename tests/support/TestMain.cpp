// Test main shared by every test binary: a real Qt application on the offscreen
// platform, so that widgets are tested as real widgets without a display.

#include "platform/WebEngineLogging.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// The web engine's own library frees with a sized delete of another type, and
// it and the system libraries it loads (the sound server's client library of
// the media player among them) keep allocations for the life of the process.
// Neither is the project's.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6WebEngineCore\nleak:libfontconfig\nleak:libudev\nleak:libglib\nleak:libgobject\nleak:libpulse\n";
}
#endif

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The web engine's sandbox cannot start as root, which is how CI runs.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 0);
    // The web engine's start-up report would bury the tests' own output.
    platform::setWebEngineLogging(false);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
