#include "RecordingWindowSystem.h"

namespace platform {

WindowId RecordingWindowSystem::addWindow(const QString& title)
{
    const WindowId id = nextId_++;
    windows_[id].title = title;
    return id;
}

void RecordingWindowSystem::removeWindow(WindowId id)
{
    windows_.erase(id);
    if (top_ == id)
        top_ = 0;
}

const RecordingWindowSystem::Window* RecordingWindowSystem::window(WindowId id) const
{
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : &found->second;
}

template <typename Change>
bool RecordingWindowSystem::apply(const QString& call, WindowId id, Change change)
{
    const auto found = windows_.find(id);
    const bool known = found != windows_.end();
    calls_ << call + QLatin1Char(' ') + QString::number(id) + (known ? QString() : QStringLiteral(" failed"));
    if (known)
        change(found->second);
    return known;
}

bool RecordingWindowSystem::show(WindowId id)
{
    return apply(QStringLiteral("show"), id, [](Window& window) { window.visible = true; });
}

bool RecordingWindowSystem::hide(WindowId id)
{
    return apply(QStringLiteral("hide"), id, [](Window& window) { window.visible = false; });
}

bool RecordingWindowSystem::minimise(WindowId id)
{
    return apply(QStringLiteral("minimise"), id, [](Window& window) {
        window.visible = true;
        window.minimised = true;
    });
}

bool RecordingWindowSystem::showNormal(WindowId id)
{
    return apply(QStringLiteral("showNormal"), id, [](Window& window) {
        window.visible = true;
        window.minimised = false;
    });
}

bool RecordingWindowSystem::setTopmost(WindowId id, bool topmost)
{
    const QString call = QStringLiteral("setTopmost ") + (topmost ? QStringLiteral("on") : QStringLiteral("off"));
    return apply(call, id, [topmost](Window& window) { window.topmost = topmost; });
}

bool RecordingWindowSystem::bringToTop(WindowId id)
{
    return apply(QStringLiteral("bringToTop"), id, [this, id](Window&) { top_ = id; });
}

bool RecordingWindowSystem::isVisible(WindowId id) const
{
    const Window* known = window(id);
    return known && known->visible;
}

std::vector<WindowId> RecordingWindowSystem::findByTitle(
    const std::function<bool(const QString& title)>& matches) const
{
    std::vector<WindowId> found;
    for (const auto& [id, window] : windows_) {
        if (matches && matches(window.title))
            found.push_back(id);
    }
    return found;
}

}  // namespace platform
