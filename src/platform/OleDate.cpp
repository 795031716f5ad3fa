#include "OleDate.h"

#include <cmath>

namespace platform {

namespace {

const QDate& epoch()
{
    static const QDate date(1899, 12, 30);
    return date;
}

constexpr qint64 msPerDay = 86'400'000;

}  // namespace

bool OleDate::isValid() const
{
    return std::isfinite(serial_) && serial_ >= minSerial && serial_ < maxSerial + 0.5 / 86400.0;
}

std::optional<OleDate> OleDate::fromDateTime(const QDateTime& localDateTime)
{
    if (!localDateTime.isValid())
        return std::nullopt;
    const QDateTime local = localDateTime.toLocalTime();
    const qint64 days = epoch().daysTo(local.date());
    const double fraction = double(local.time().msecsSinceStartOfDay()) / double(msPerDay);
    const double serial = days >= 0 ? double(days) + fraction : double(days) - fraction;
    const OleDate result(serial);
    if (!result.isValid())
        return std::nullopt;
    return result;
}

QDateTime OleDate::toDateTime() const
{
    if (!isValid())
        return {};
    const double whole = std::trunc(serial_);
    qint64 ms = std::llround(std::fabs(serial_ - whole) * double(msPerDay));
    qint64 days = qint64(whole);
    if (ms >= msPerDay) {
        // The time of day rounded up to the next midnight, whatever the sign of the day.
        ms -= msPerDay;
        days += 1;
    }
    return QDateTime(epoch().addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

}  // namespace platform
