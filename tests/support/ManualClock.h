#pragma once

#include "platform/Clock.h"
#include "platform/MonotonicClock.h"

#include <chrono>
#include <optional>
#include <vector>

namespace testsupport {

// A clock that says what the test tells it, both the wall clock and the
// monotonic one. Fake timers (FakeTimers) run on it: when the test lets time
// pass, every timer due on the way runs at its own due time.
class ManualClock final : public platform::Clock, public platform::MonotonicClock {
public:
    // What moves on with the clock: the fake timers.
    class Listener {
    public:
        virtual ~Listener() = default;
        // The earliest due time of the listener's running timers, on the monotonic clock.
        virtual std::optional<std::chrono::milliseconds> nextDue() const = 0;
        // Runs the timer that is due first (due now at the latest).
        virtual void runNext() = 0;
    };

    explicit ManualClock(QDateTime now = QDateTime(QDate(2026, 3, 14), QTime(9, 30, 0))) : now_(std::move(now)) {}

    QDateTime now() const override { return now_; }
    std::chrono::milliseconds elapsed() const override { return elapsed_; }

    // Sets the wall clock, as a user changing the date would: monotonic time
    // stays, and no timer runs.
    void set(const QDateTime& now) { now_ = now; }

    // Lets time pass on both clocks, running every timer due on the way at its
    // due time and in time order (a timer that reads the clock sees its due
    // time). A timer may advance the clock itself. Going back moves the wall
    // clock only, as set() does.
    void advance(std::chrono::milliseconds by)
    {
        if (by < std::chrono::milliseconds(0))
            now_ = now_.addMSecs(by.count());
        else
            advanceTo(elapsed_ + by);
    }
    void advanceMs(qint64 ms) { advance(std::chrono::milliseconds(ms)); }
    void advanceSeconds(qint64 seconds) { advance(std::chrono::seconds(seconds)); }

    // Lets time pass up to that monotonic reading (nothing when it is past).
    void advanceTo(std::chrono::milliseconds target)
    {
        for (;;) {
            Listener* first = nullptr;
            std::chrono::milliseconds firstDue{};
            for (Listener* listener : listeners_) {
                const std::optional<std::chrono::milliseconds> due = listener->nextDue();
                if (due && *due <= target && (!first || *due < firstDue)) {
                    first = listener;
                    firstDue = *due;
                }
            }
            if (!first)
                break;
            moveTo(firstDue);
            first->runNext();
        }
        moveTo(target);
    }

    // The earliest due time of every running timer on this clock.
    std::optional<std::chrono::milliseconds> nextDue() const
    {
        std::optional<std::chrono::milliseconds> earliest;
        for (const Listener* listener : listeners_) {
            const std::optional<std::chrono::milliseconds> due = listener->nextDue();
            if (due && (!earliest || *due < *earliest))
                earliest = due;
        }
        return earliest;
    }

    void addListener(Listener* listener) { listeners_.push_back(listener); }
    void removeListener(Listener* listener) { std::erase(listeners_, listener); }

private:
    void moveTo(std::chrono::milliseconds target)
    {
        if (target <= elapsed_)
            return;
        now_ = now_.addMSecs((target - elapsed_).count());
        elapsed_ = target;
    }

    QDateTime now_;
    std::chrono::milliseconds elapsed_{0};
    std::vector<Listener*> listeners_;
};

}  // namespace testsupport
