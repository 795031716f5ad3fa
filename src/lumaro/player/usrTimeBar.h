#pragma once

#include "platform/MonotonicClock.h"
#include "platform/Timer.h"
#include "platform/Timers.h"

#include <QWidget>

#include <chrono>
#include <memory>

namespace lumaro {

// The countdown of the question window: a bar 10 pixels wide that grows
// upwards from empty to 22 pixels as the seconds set pass, and TimeFinish two
// seconds after they are used up. Time is the running time on the clock
// (pauses excluded), so the bar and the end are exact whatever the timer's
// rate, and any length of 0 seconds or more can be counted.
class usrTimeBar final : public QWidget {
    Q_OBJECT

public:
    usrTimeBar(platform::Timers& timers, const platform::MonotonicClock& clock, QWidget* parent = nullptr);

    // Sets the length and empties the bar; does not start counting (a running
    // countdown starts over). A negative length raises error 380.
    void SetTimeBar(long seconds);
    // Stops counting; ChronoStart does nothing until the next SetTimeBar.
    void Reset();
    // Pauses: the time used and the bar are kept.
    void ChronoStop();
    // Counts on from where it stopped, once a length is set.
    void ChronoStart();

    bool isCounting() const { return counting_; }
    // Height of the bar in pixels, 0 to 22.
    int barHeight() const;

signals:
    // The countdown is exhausted; counting has stopped. Started again, the
    // countdown raises it once more a second later.
    void TimeFinish();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::chrono::milliseconds usedTime() const;
    void tick();
    void scheduleNext();
    void showBar();

    const platform::MonotonicClock& clock_;
    std::unique_ptr<platform::Timer> timer_;
    QWidget* imgTimebarre_;
    long seconds_ = 0;
    bool lengthSet_ = false;
    bool counting_ = false;
    // Time used before the current run, and when the current run began.
    std::chrono::milliseconds usedBefore_{0};
    std::chrono::milliseconds runStart_{0};
    // Time used at which TimeFinish comes.
    std::chrono::milliseconds finishAt_{0};
};

}  // namespace lumaro
