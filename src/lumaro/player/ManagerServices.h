#pragma once

#include <QSize>

#include <functional>
#include <memory>

namespace platform {
class MediaPlayer;
class MessageBoxes;
class MonotonicClock;
class Timers;
class WindowSystem;
} // namespace platform

namespace lumaro {

// What a question session works with beside the course model: the window
// system that places its window, the host's and the taught application's, the
// timers and clock of its countdown, its message boxes, the screen's size in
// pixels and the maker of the media window's player. Each one left empty is the
// real one of the process (Qt's windows, timers and media player, the program's
// own message box, the primary screen). Those given must outlive the session.
struct ManagerServices {
    platform::WindowSystem* windows = nullptr;
    platform::Timers* timers = nullptr;
    const platform::MonotonicClock* clock = nullptr;
    platform::MessageBoxes* boxes = nullptr;
    std::function<QSize()> screenSize;
    // Called once, when the session first needs its media window.
    std::function<std::unique_ptr<platform::MediaPlayer>()> mediaPlayer;
};

} // namespace lumaro
