#pragma once

#include <chrono>

namespace platform {

// Time that only moves forward, for measuring delays: unlike the wall clock
// (Clock), it does not jump when the date or the time zone is changed.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    // Time elapsed since a fixed moment of this clock's choosing; never less
    // than any earlier reading.
    virtual std::chrono::milliseconds elapsed() const = 0;
};

class SteadyClock final : public MonotonicClock {
public:
    std::chrono::milliseconds elapsed() const override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
    }

    // The clock shared by objects that are not given one.
    static const MonotonicClock& instance()
    {
        static const SteadyClock clock;
        return clock;
    }
};

}  // namespace platform
