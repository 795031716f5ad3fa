#pragma once

#include <QSize>

#include <functional>

namespace platform {
class MessageBoxes;
class MonotonicClock;
class Timers;
class WindowSystem;
} // namespace platform

namespace lumaro {

// What a question session works with beside the course model: the window
// system that places its window, the host's and the taught application's, the
// timers and clock of its countdown, its message boxes and the screen's size in
// pixels. Each one left empty is the real one of the process (Qt's windows and
// timers, the program's own message box, the primary screen). Those given must
// outlive the session.
struct ManagerServices {
    platform::WindowSystem* windows = nullptr;
    platform::Timers* timers = nullptr;
    const platform::MonotonicClock* clock = nullptr;
    platform::MessageBoxes* boxes = nullptr;
    std::function<QSize()> screenSize;
};

} // namespace lumaro
