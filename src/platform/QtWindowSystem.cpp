#include "QtWindowSystem.h"

#include "RegisteredWindow.h"

#include <QWidget>

namespace platform {

namespace {

// Runs the action on the window with that id; false, and nothing done, when there is none.
template <typename Action>
bool onWindow(WindowId id, Action action)
{
    QWidget* window = RegisteredWindow::find(id);
    if (!window)
        return false;
    action(*window);
    return true;
}

}  // namespace

bool QtWindowSystem::show(WindowId id)
{
    return onWindow(id, [](QWidget& window) { window.show(); });
}

bool QtWindowSystem::hide(WindowId id)
{
    return onWindow(id, [](QWidget& window) { window.hide(); });
}

bool QtWindowSystem::minimise(WindowId id)
{
    return onWindow(id, [](QWidget& window) { window.showMinimized(); });
}

bool QtWindowSystem::showNormal(WindowId id)
{
    return onWindow(id, [](QWidget& window) { window.showNormal(); });
}

bool QtWindowSystem::setTopmost(WindowId id, bool topmost)
{
    return onWindow(id, [topmost](QWidget& window) {
        if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost)
            return;
        // Changing a window's flags hides it; the window system's own call
        // left it as it was.
        const bool visible = window.isVisible();
        const Qt::WindowStates states = window.windowState();
        window.setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        window.setWindowState(states);
        if (visible)
            window.show();
    });
}

bool QtWindowSystem::bringToTop(WindowId id)
{
    return onWindow(id, [](QWidget& window) {
        window.raise();
        window.activateWindow();
    });
}

bool QtWindowSystem::isVisible(WindowId id) const
{
    const QWidget* window = RegisteredWindow::find(id);
    return window && window->isVisible();
}

std::vector<WindowId> QtWindowSystem::findByTitle(const std::function<bool(const QString& title)>& matches) const
{
    std::vector<WindowId> found;
    for (const WindowId id : RegisteredWindow::ids()) {
        const QWidget* window = RegisteredWindow::find(id);
        if (window && matches && matches(window->windowTitle()))
            found.push_back(id);
    }
    return found;
}

}  // namespace platform
