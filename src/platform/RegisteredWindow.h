#pragma once

#include "platform/WindowSystem.h"

#include <vector>

class QWidget;

namespace platform {

// Makes one of the program's top-level windows known by an opaque id for as
// long as this object lives, so that components can hand the window around as
// a number and the window system can find it again. A window holds one as a
// member: the id then goes with the window.
class RegisteredWindow {
public:
    explicit RegisteredWindow(QWidget& window);
    ~RegisteredWindow();
    RegisteredWindow(const RegisteredWindow&) = delete;
    RegisteredWindow& operator=(const RegisteredWindow&) = delete;

    // Unique in the process and never 0.
    WindowId id() const { return id_; }

    // The live window registered under that id, or null.
    static QWidget* find(WindowId id);
    // The ids of the live registered windows, in the order they were registered.
    static std::vector<WindowId> ids();

private:
    WindowId id_;
};

}  // namespace platform
