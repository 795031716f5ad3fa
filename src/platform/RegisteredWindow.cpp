#include "RegisteredWindow.h"

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <map>

namespace platform {

namespace {

// Ordered by id, which is the order of registration. The guard leaves a window
// destroyed before its registration unfindable instead of dangling.
std::map<WindowId, QPointer<QWidget>>& registeredWindows()
{
    static std::map<WindowId, QPointer<QWidget>> windows;
    return windows;
}

WindowId nextId()
{
    static std::atomic<WindowId> next{1};
    return next.fetch_add(1);
}

}  // namespace

RegisteredWindow::RegisteredWindow(QWidget& window) : id_(nextId())
{
    registeredWindows().emplace(id_, &window);
}

RegisteredWindow::~RegisteredWindow()
{
    registeredWindows().erase(id_);
}

QWidget* RegisteredWindow::find(WindowId id)
{
    const auto& windows = registeredWindows();
    const auto found = windows.find(id);
    return found == windows.end() ? nullptr : found->second.data();
}

std::vector<WindowId> RegisteredWindow::ids()
{
    std::vector<WindowId> live;
    for (const auto& [id, window] : registeredWindows()) {
        if (window)
            live.push_back(id);
    }
    return live;
}

}  // namespace platform
