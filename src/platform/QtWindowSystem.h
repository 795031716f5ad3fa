#pragma once

#include "platform/WindowSystem.h"

namespace platform {

// The window system over the program's own Qt windows, found by the ids their
// RegisteredWindow gave them. Topmost is Qt::WindowStaysOnTopHint; bringing to
// the top is raise() and activateWindow().
class QtWindowSystem final : public WindowSystem {
public:
    bool show(WindowId id) override;
    bool hide(WindowId id) override;
    bool minimise(WindowId id) override;
    bool showNormal(WindowId id) override;
    bool setTopmost(WindowId id, bool topmost) override;
    bool bringToTop(WindowId id) override;
    bool isVisible(WindowId id) const override;
    std::vector<WindowId> findByTitle(const std::function<bool(const QString& title)>& matches) const override;
};

}  // namespace platform
