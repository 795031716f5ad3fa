#include "EventLoopWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <algorithm>

namespace platform {

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               QEventLoop::ProcessEventsFlags flags)
{
    if (done())
        return true;
    const QDeadlineTimer deadline(std::max(timeout, std::chrono::milliseconds(0)), Qt::PreciseTimer);
    // Wakes the loop at the deadline when no other event comes.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        wake.start(std::chrono::duration_cast<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
        QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
        if (done())
            return true;
    }
    return done();
}

}  // namespace platform
