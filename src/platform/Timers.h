#pragma once

#include "platform/Timer.h"

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

// The program's timers: countdowns, time-outs, polling and idle timers. The
// Qt implementation is QtTimers; tests use fake timers driven by their manual
// clock, so that no test waits for time to pass.
//
// Callbacks run one at a time on the thread that made the timers, from its
// event loop (the fake: while its clock is advanced), in the order of their due
// times; timers due at one moment run in the order they were started. A
// callback may start, stop or destroy any timer, its own included, and make
// new ones. A callback must not throw: an exception escaping one is written to
// standard error and goes no further, and the timers stay as the callback left
// them. The Timers object outlives the timers it made.
class Timers {
public:
    using Callback = std::function<void()>;

    virtual ~Timers() = default;

    // A stopped timer that runs the callback each time it is due.
    virtual std::unique_ptr<Timer> create(Timer::Kind kind, Callback callback) = 0;

    // Lets events be handled until done() holds or the time-out has passed,
    // and returns done(): the event loop's "wait until a flag is set". done()
    // is looked at first and after each batch of events, so what makes it hold
    // must happen on this thread (a timer, a reply, a queued call). Anything
    // may run meanwhile, calls that re-enter the caller included: after the
    // wait, check that the objects in use still exist. The fake lets time pass
    // only here and by the test's hand: it handles pending events, then moves
    // its clock on to the next due timer or to the time-out, and so on.
    virtual bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) = 0;
};

}  // namespace platform
