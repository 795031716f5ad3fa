#pragma once

#include <QDateTime>

namespace platform {

// The wall clock of the program. Every "now" of the system comes from one of
// these, so that tests can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    // Current local date-time.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    // The clock shared by objects that are not given one.
    static const Clock& instance()
    {
        static const SystemClock clock;
        return clock;
    }
};

}  // namespace platform
