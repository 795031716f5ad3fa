// One contract for every window system: the Qt one over our own registered
// windows and the recording fake that the components' tests use.

#include "platform/QtWindowSystem.h"
#include "platform/RecordingWindowSystem.h"
#include "platform/RegisteredWindow.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using platform::WindowId;

// Opens and closes windows for one window system and reads their state.
class WindowHarness {
public:
    virtual ~WindowHarness() = default;
    virtual platform::WindowSystem& system() = 0;
    // A hidden, restored, ordinary window with that title.
    virtual WindowId open(const QString& title) = 0;
    // The window goes away; its id is then unknown.
    virtual void close(WindowId id) = 0;
    virtual bool isMinimised(WindowId id) const = 0;
    virtual bool isTopmost(WindowId id) const = 0;
    // The window last brought to the top is the active one.
    virtual bool isActive(WindowId id) const = 0;
};

class QtHarness final : public WindowHarness {
public:
    platform::WindowSystem& system() override { return system_; }
    WindowId open(const QString& title) override
    {
        auto window = std::make_unique<Window>();
        window->setWindowTitle(title);
        const WindowId id = window->registration.id();
        windows_.push_back(std::move(window));
        return id;
    }
    void close(WindowId id) override
    {
        std::erase_if(windows_, [id](const auto& window) { return window->registration.id() == id; });
    }
    bool isMinimised(WindowId id) const override { return widget(id).isMinimized(); }
    bool isTopmost(WindowId id) const override
    {
        return widget(id).windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }
    bool isActive(WindowId id) const override
    {
        // The window system reports the activation through its event queue.
        QCoreApplication::processEvents();
        return QApplication::activeWindow() == &widget(id);
    }

private:
    struct Window : QWidget {
        platform::RegisteredWindow registration{*this};
    };
    static const QWidget& widget(WindowId id) { return *platform::RegisteredWindow::find(id); }

    platform::QtWindowSystem system_;
    std::vector<std::unique_ptr<Window>> windows_;
};

class RecordingHarness final : public WindowHarness {
public:
    platform::WindowSystem& system() override { return system_; }
    WindowId open(const QString& title) override { return system_.addWindow(title); }
    void close(WindowId id) override { system_.removeWindow(id); }
    bool isMinimised(WindowId id) const override { return system_.window(id)->minimised; }
    bool isTopmost(WindowId id) const override { return system_.window(id)->topmost; }
    bool isActive(WindowId id) const override { return system_.topWindow() == id; }

private:
    platform::RecordingWindowSystem system_;
};

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<WindowHarness>()> make;
};

class WindowSystemContract : public ::testing::TestWithParam<Implementation> {
protected:
    std::unique_ptr<WindowHarness> harness = GetParam().make();
    platform::WindowSystem& windows = harness->system();
};

TEST_P(WindowSystemContract, ShowAndHideChangeVisibility)
{
    const WindowId id = harness->open("Lumaro");
    EXPECT_FALSE(windows.isVisible(id));
    EXPECT_TRUE(windows.show(id));
    EXPECT_TRUE(windows.isVisible(id));
    EXPECT_TRUE(windows.hide(id));
    EXPECT_FALSE(windows.isVisible(id));
}

TEST_P(WindowSystemContract, AMinimisedWindowIsRestored)
{
    const WindowId id = harness->open("Exerva");
    EXPECT_TRUE(windows.minimise(id));
    EXPECT_TRUE(windows.isVisible(id));
    EXPECT_TRUE(harness->isMinimised(id));
    // Showing keeps it minimised; restoring does not.
    EXPECT_TRUE(windows.show(id));
    EXPECT_TRUE(harness->isMinimised(id));
    EXPECT_TRUE(windows.showNormal(id));
    EXPECT_TRUE(windows.isVisible(id));
    EXPECT_FALSE(harness->isMinimised(id));
}

TEST_P(WindowSystemContract, TopmostChangesNeitherVisibilityNorMinimising)
{
    const WindowId shown = harness->open("Questions");
    const WindowId hidden = harness->open("Hôte");
    const WindowId minimised = harness->open("Tableur");
    windows.show(shown);
    windows.minimise(minimised);
    for (const bool topmost : {true, true, false}) {
        SCOPED_TRACE(topmost);
        for (const WindowId id : {shown, hidden, minimised}) {
            EXPECT_TRUE(windows.setTopmost(id, topmost));
            EXPECT_EQ(harness->isTopmost(id), topmost);
        }
        EXPECT_TRUE(windows.isVisible(shown));
        EXPECT_FALSE(windows.isVisible(hidden));
        EXPECT_TRUE(windows.isVisible(minimised));
        EXPECT_TRUE(harness->isMinimised(minimised));
        EXPECT_FALSE(harness->isMinimised(shown));
    }
}

TEST_P(WindowSystemContract, TheWindowBroughtToTheTopIsTheActiveOne)
{
    const WindowId first = harness->open("Hôte");
    const WindowId second = harness->open("Questions");
    windows.show(first);
    windows.show(second);
    EXPECT_TRUE(windows.bringToTop(first));
    EXPECT_TRUE(harness->isActive(first));
    EXPECT_TRUE(windows.bringToTop(second));
    EXPECT_TRUE(harness->isActive(second));
    EXPECT_FALSE(harness->isActive(first));
}

TEST_P(WindowSystemContract, FindsLiveWindowsByTitleInTheOrderTheyCame)
{
    const WindowId sheet = harness->open("Tableur - Classeur1");
    harness->open("Lumaro");
    const WindowId gone = harness->open("TABLEUR");
    const WindowId other = harness->open("tableur");
    harness->close(gone);
    const auto containsTableur = [](const QString& title) { return title.contains("tableur", Qt::CaseInsensitive); };
    EXPECT_EQ(windows.findByTitle(containsTableur), (std::vector<WindowId>{sheet, other}));
    EXPECT_TRUE(windows.findByTitle([](const QString& title) { return title == "Absent"; }).empty());
}

TEST_P(WindowSystemContract, UnknownIdsFailAndChangeNoWindow)
{
    const WindowId known = harness->open("Lumaro");
    const WindowId gone = harness->open("Exerva");
    harness->close(gone);
    for (const WindowId id : {WindowId(0), WindowId(-1), gone, known + 100000}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(windows.show(id));
        EXPECT_FALSE(windows.minimise(id));
        EXPECT_FALSE(windows.showNormal(id));
        EXPECT_FALSE(windows.setTopmost(id, true));
        EXPECT_FALSE(windows.bringToTop(id));
        EXPECT_FALSE(windows.hide(id));
        EXPECT_FALSE(windows.isVisible(id));
    }
    EXPECT_FALSE(windows.isVisible(known));
    EXPECT_FALSE(harness->isMinimised(known));
    EXPECT_FALSE(harness->isTopmost(known));
    EXPECT_FALSE(harness->isActive(known));
}

INSTANTIATE_TEST_SUITE_P(
    Implementations, WindowSystemContract,
    ::testing::Values(Implementation{"Qt", [] { return std::unique_ptr<WindowHarness>(new QtHarness); }},
                      Implementation{"Recording", [] { return std::unique_ptr<WindowHarness>(new RecordingHarness); }}),
    [](const ::testing::TestParamInfo<Implementation>& info) { return std::string(info.param.name); });

TEST(RecordingWindowSystemTest, RecordsEveryCallWithItsOutcome)
{
    platform::RecordingWindowSystem windows;
    const WindowId id = windows.addWindow("Lumaro");
    windows.setTopmost(id, true);
    windows.show(id);
    windows.showNormal(0);
    windows.bringToTop(id);
    windows.setTopmost(id, false);
    EXPECT_EQ(windows.calls(), (QStringList{"setTopmost on " + QString::number(id), "show " + QString::number(id),
                                            "showNormal 0 failed", "bringToTop " + QString::number(id),
                                            "setTopmost off " + QString::number(id)}));
}

}  // namespace
