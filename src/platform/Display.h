#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Where a GUI program would show its windows: the window-system platforms Qt
// will try, in order, and the variables that tell each one where the display is.
struct DisplaySetting {
    // "-platform" of the command line, else QT_QPA_PLATFORM, else Qt's own
    // choice ("xcb", or "wayland" then "xcb" in a Wayland session). An entry
    // may carry options after ":" ("xcb:nograb").
    QStringList platforms;
    QString x11Display;      // DISPLAY
    QString waylandDisplay;  // WAYLAND_DISPLAY
    QString runtimeDir;      // XDG_RUNTIME_DIR, where Wayland sockets live

    // The setting of this process: its environment and its command line.
    static DisplaySetting ofProcess(int argc, const char* const* argv);
};

// Tries to reach a display server and lets it go again.
class DisplayConnector {
public:
    virtual ~DisplayConnector() = default;
    // True when an X server accepts a connection to `display` (as DISPLAY names it).
    virtual bool connectX11(const QString& display) const = 0;
    // True when a Wayland compositor listens on the socket at `socketPath`.
    virtual bool connectWayland(const QString& socketPath) const = 0;
};

// Connects for real: through libxcb, as Qt's own X11 platform does, so that a
// server refusing the user fails here too, and through a local socket.
class SystemDisplayConnector final : public DisplayConnector {
public:
    bool connectX11(const QString& display) const override;
    bool connectWayland(const QString& socketPath) const override;
};

// Why no window could be shown to a person with that setting, "" when one of
// its platforms reaches a display. Platforms that draw nowhere ("offscreen",
// "minimal") show nothing; platforms this check does not know (a frame buffer,
// a remote desktop) are taken as usable and left to Qt.
QString displayProblem(const DisplaySetting& setting, const DisplayConnector& connector);

// The check every GUI program makes before it creates its application object,
// since Qt aborts the process when it finds no display: without one it writes
// "<program>: no display to show windows on: <why>" as one line on standard
// error and returns false.
bool requireDisplay(const char* program, int argc, const char* const* argv);

}  // namespace platform
