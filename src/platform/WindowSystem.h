#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace platform {

// Opaque id of one of the program's own top-level windows, unique in the
// process; 0 is never a window.
using WindowId = long;

// What a component may do to a top-level window it knows only by its id: the
// host's window, the taught application's window, the question window. Ids of
// windows that are gone, that were never ours, and 0 are unknown ids.
//
// Every operation on an unknown id returns false and changes no window; an
// operation on a known id always succeeds. Nothing here throws, but for what
// the caller's own `matches` throws.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Shows the window in its current state (a minimised window stays minimised).
    virtual bool show(WindowId id) = 0;
    virtual bool hide(WindowId id) = 0;
    // Shows the window minimised.
    virtual bool minimise(WindowId id) = 0;
    // Shows the window restored from minimised or maximised.
    virtual bool showNormal(WindowId id) = 0;
    // Keeps the window above every window without the flag, or lets it go
    // below them again; shown or hidden, minimised or not, it stays so.
    virtual bool setTopmost(WindowId id, bool topmost) = 0;
    // Raises the window above its siblings and makes it the active window.
    virtual bool bringToTop(WindowId id) = 0;

    // False for a hidden window and for an unknown id.
    virtual bool isVisible(WindowId id) const = 0;

    // The ids of the live windows whose title `matches`, in the order the
    // windows became known; empty when none does.
    virtual std::vector<WindowId> findByTitle(const std::function<bool(const QString& title)>& matches) const = 0;
};

}  // namespace platform
