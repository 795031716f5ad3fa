#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace tracel {

// The window that shows the plain log while a trace object's StyleVisible is
// True. It belongs to the program's GUI, which installs the way to make one
// (Visuel::install); until then, and in a program without a GUI, no window is
// made and the lines stay in the .log file.
class TraceWindow {
public:
    using Maker = std::function<std::unique_ptr<TraceWindow>()>;

    virtual ~TraceWindow() = default;

    // Adds the line at the end of the text and shows the window, not modal,
    // when it is hidden.
    virtual void showLine(const QString& line) = 0;

    // The process's way of making the window; an empty maker makes none.
    static void setMaker(Maker maker);
    // A new window, or null when none can be made.
    static std::unique_ptr<TraceWindow> make();
};

}  // namespace tracel
