#include "support/FakeTimers.h"

#include <QCoreApplication>
#include <QtDebug>

#include <algorithm>
#include <exception>

namespace testsupport {

using std::chrono::milliseconds;

struct FakeTimers::State {
    platform::Timer::Kind kind;
    Callback callback;
    bool active = false;
    milliseconds interval{0};
    milliseconds due{0};
    // Start order, for timers due at one moment.
    quint64 order = 0;
};

// What the timers share with their maker; the clock is gone once the maker is.
struct FakeTimers::Shared {
    ManualClock* clock = nullptr;
    quint64 starts = 0;
    std::vector<std::weak_ptr<State>> timers;
};

namespace {

class FakeTimer final : public platform::Timer {
public:
    FakeTimer(std::shared_ptr<FakeTimers::State> state, std::shared_ptr<FakeTimers::Shared> shared)
        : state_(std::move(state)), shared_(std::move(shared))
    {
    }
    ~FakeTimer() override { state_->active = false; }

    void start(milliseconds interval) override
    {
        const milliseconds least(state_->kind == Kind::SingleShot ? 0 : 1);
        state_->interval = std::max(interval, least);
        if (!shared_->clock)
            return;
        state_->due = shared_->clock->elapsed() + state_->interval;
        state_->order = ++shared_->starts;
        state_->active = true;
    }
    void stop() override { state_->active = false; }
    bool isActive() const override { return state_->active; }
    milliseconds interval() const override { return state_->interval; }

private:
    std::shared_ptr<FakeTimers::State> state_;
    std::shared_ptr<FakeTimers::Shared> shared_;
};

}  // namespace

FakeTimers::FakeTimers(ManualClock& clock) : clock_(clock), shared_(std::make_shared<Shared>())
{
    shared_->clock = &clock;
    clock_.addListener(this);
}

FakeTimers::~FakeTimers()
{
    clock_.removeListener(this);
    shared_->clock = nullptr;
    for (const std::weak_ptr<State>& timer : shared_->timers) {
        if (const std::shared_ptr<State> state = timer.lock())
            state->active = false;
    }
}

std::unique_ptr<platform::Timer> FakeTimers::create(platform::Timer::Kind kind, Callback callback)
{
    auto state = std::make_shared<State>();
    state->kind = kind;
    state->callback = std::move(callback);
    std::erase_if(shared_->timers, [](const std::weak_ptr<State>& timer) { return timer.expired(); });
    shared_->timers.push_back(state);
    return std::make_unique<FakeTimer>(std::move(state), shared_);
}

std::shared_ptr<FakeTimers::State> FakeTimers::firstDue() const
{
    std::shared_ptr<State> first;
    for (const std::weak_ptr<State>& timer : shared_->timers) {
        const std::shared_ptr<State> state = timer.lock();
        if (state && state->active
            && (!first || state->due < first->due || (state->due == first->due && state->order < first->order)))
            first = state;
    }
    return first;
}

std::optional<milliseconds> FakeTimers::nextDue() const
{
    if (const std::shared_ptr<State> first = firstDue())
        return first->due;
    return std::nullopt;
}

void FakeTimers::runNext()
{
    // Held here, so that the callback lives on while it destroys its own timer.
    const std::shared_ptr<State> state = firstDue();
    if (!state)
        return;
    if (state->kind == platform::Timer::Kind::SingleShot)
        state->active = false;
    else
        state->due += state->interval;
    try {
        state->callback();
    } catch (const std::exception& error) {
        qWarning("A timer callback threw: %s", error.what());
    } catch (...) {
        qWarning("A timer callback threw");
    }
}

bool FakeTimers::waitUntil(const std::function<bool()>& done, milliseconds timeout)
{
    const milliseconds deadline = clock_.elapsed() + std::max(timeout, milliseconds(0));
    for (;;) {
        if (done())
            return true;
        QCoreApplication::processEvents();
        if (done())
            return true;
        if (clock_.elapsed() >= deadline)
            return false;
        const std::optional<milliseconds> due = clock_.nextDue();
        clock_.advanceTo(due ? std::clamp(*due, clock_.elapsed(), deadline) : deadline);
    }
}

int FakeTimers::activeCount() const
{
    return int(std::count_if(shared_->timers.begin(), shared_->timers.end(), [](const std::weak_ptr<State>& timer) {
        const std::shared_ptr<State> state = timer.lock();
        return state && state->active;
    }));
}

}  // namespace testsupport
