#include "QtTimers.h"

#include "EventLoopWait.h"

#include <QTimer>
#include <QtDebug>

#include <algorithm>
#include <exception>

namespace platform {

namespace {

class QtTimer final : public Timer {
public:
    QtTimer(Kind kind, Timers::Callback callback) : callback_(std::make_shared<Timers::Callback>(std::move(callback)))
    {
        timer_.setSingleShot(kind == Kind::SingleShot);
        timer_.setTimerType(Qt::PreciseTimer);
        // The callback is shared with the connection, so that it lives on
        // while it runs even when it destroys this timer.
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [callback = callback_] {
            try {
                (*callback)();
            } catch (const std::exception& error) {
                qWarning("A timer callback threw: %s", error.what());
            } catch (...) {
                qWarning("A timer callback threw");
            }
        });
    }

    void start(std::chrono::milliseconds interval) override
    {
        interval = std::max(interval, std::chrono::milliseconds(timer_.isSingleShot() ? 0 : 1));
        timer_.start(interval);
    }

    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    std::chrono::milliseconds interval() const override { return timer_.intervalAsDuration(); }

private:
    std::shared_ptr<Timers::Callback> callback_;
    QTimer timer_;
};

}  // namespace

std::unique_ptr<Timer> QtTimers::create(Timer::Kind kind, Callback callback)
{
    return std::make_unique<QtTimer>(kind, std::move(callback));
}

bool QtTimers::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    return platform::waitUntil(done, timeout);
}

Timers& QtTimers::instance()
{
    static QtTimers timers;
    return timers;
}

}  // namespace platform
