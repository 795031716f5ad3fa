#pragma once

#include "support/ManualClock.h"

#include "platform/Timers.h"

#include <memory>
#include <vector>

namespace testsupport {

// Timers that run on a manual clock: a timer runs when the test advances the
// clock past its due time, or when code under test waits (waitUntil moves the
// clock on by itself). The clock must outlive the fake timers; a timer that
// outlives them never runs again.
class FakeTimers final : public platform::Timers, private ManualClock::Listener {
public:
    explicit FakeTimers(ManualClock& clock);
    ~FakeTimers() override;
    FakeTimers(const FakeTimers&) = delete;
    FakeTimers& operator=(const FakeTimers&) = delete;

    std::unique_ptr<platform::Timer> create(platform::Timer::Kind kind, Callback callback) override;
    // Handles pending Qt events, then moves the clock on to the next due timer
    // or to the time-out, until done() holds: it never waits for real time, so
    // it suits code whose flag is set by a timer or a fake, not by real I/O.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) override;

    // How many timers run, so that a test can see that nothing was left running.
    int activeCount() const;

    struct State;
    struct Shared;

private:
    std::optional<std::chrono::milliseconds> nextDue() const override;
    void runNext() override;
    std::shared_ptr<State> firstDue() const;

    ManualClock& clock_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace testsupport
