#pragma once

#include "platform/Clock.h"

namespace testsupport {

// A clock that says what the test tells it.
class ManualClock final : public platform::Clock {
public:
    explicit ManualClock(QDateTime now = QDateTime(QDate(2026, 3, 14), QTime(9, 30, 0))) : now_(std::move(now)) {}

    QDateTime now() const override { return now_; }
    void set(const QDateTime& now) { now_ = now; }
    void advanceSeconds(qint64 seconds) { now_ = now_.addSecs(seconds); }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};

}  // namespace testsupport
