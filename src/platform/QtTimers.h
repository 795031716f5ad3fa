#pragma once

#include "platform/Timers.h"

namespace platform {

// Timers of Qt's event loop (QTimer, to the millisecond).
class QtTimers final : public Timers {
public:
    std::unique_ptr<Timer> create(Timer::Kind kind, Callback callback) override;
    // The event loop runs meanwhile (platform::waitUntil).
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) override;

    // The timers of objects that are not given others.
    static Timers& instance();
};

}  // namespace platform
