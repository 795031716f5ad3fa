#pragma once

#include "platform/WindowSystem.h"

#include <QStringList>

#include <map>

namespace platform {

// A window system for tests: windows the test adds by title, a state per window
// that each operation changes as the real one would, and every call recorded in
// order, the failed ones too ("show 2", "setTopmost on 2", "bringToTop 0
// failed"), so that a test sees what a component asked of its windows.
class RecordingWindowSystem final : public WindowSystem {
public:
    struct Window {
        QString title;
        bool visible = false;
        bool minimised = false;
        bool topmost = false;
    };

    // A new window, hidden, with a fresh id (never 0).
    WindowId addWindow(const QString& title);
    // The window goes; its id becomes unknown.
    void removeWindow(WindowId id);
    // The window's state, null for an unknown id.
    const Window* window(WindowId id) const;
    // The window last brought to the top, 0 when none was.
    WindowId topWindow() const { return top_; }

    const QStringList& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

    bool show(WindowId id) override;
    bool hide(WindowId id) override;
    bool minimise(WindowId id) override;
    bool showNormal(WindowId id) override;
    bool setTopmost(WindowId id, bool topmost) override;
    bool bringToTop(WindowId id) override;
    bool isVisible(WindowId id) const override;
    std::vector<WindowId> findByTitle(const std::function<bool(const QString& title)>& matches) const override;

private:
    // Records the call and applies the change to a known window.
    template <typename Change>
    bool apply(const QString& call, WindowId id, Change change);

    std::map<WindowId, Window> windows_;
    WindowId nextId_ = 1;
    WindowId top_ = 0;
    QStringList calls_;
};

}  // namespace platform
