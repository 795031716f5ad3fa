#pragma once

#include <chrono>

namespace platform {

// One timer made by Timers, which says when and where callbacks run.
class Timer {
public:
    enum class Kind {
        SingleShot,
        Repeating,
    };

    // A destroyed timer never runs its callback again. Any callback, the
    // timer's own included, may destroy it.
    virtual ~Timer() = default;

    // Starts the timer, or starts it over when it runs: the callback runs one
    // interval from now, and a repeating timer's every interval after that
    // until it is stopped. A negative interval counts as 0, and a repeating
    // timer's as 1 ms at least, so that it cannot run for ever at one moment.
    virtual void start(std::chrono::milliseconds interval) = 0;
    // Nothing runs until the next start; a stopped timer stays stopped.
    virtual void stop() = 0;
    // From start until stop, or until a single-shot timer's callback begins
    // (so that the callback may start it again).
    virtual bool isActive() const = 0;
    // The interval the timer runs with since its last start (0 before any).
    virtual std::chrono::milliseconds interval() const = 0;
};

}  // namespace platform
