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

// The range holds whole days: 0100-01-01 at noon is -657434.5, below minSerial
// but inside the range, and 9999-12-31 lasts until its time would round to the
// next day's midnight (serial 2958466).
constexpr double lowestSerial = OleDate::minSerial - 1.0;
constexpr double highestSerial = 2958466.0 - 0.5 / double(msPerDay);

}  // namespace

bool OleDate::isValid() const
{
    return std::isfinite(serial_) && serial_ > lowestSerial && serial_ < highestSerial;
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
    const QDate date = epoch().addDays(days);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms));
    const QDateTime local(date, time);
    if (local.isValid())
        return local;
    // The clocks skipped this wall-clock time when daylight saving time began:
    // read it with the offset in force before the change, which moves it
    // forward by the length of the gap, as the clocks did.
    const qint64 wallMs = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    const int offsetBefore = QDateTime::fromMSecsSinceEpoch(wallMs - msPerDay, Qt::LocalTime).offsetFromUtc();
    return QDateTime::fromMSecsSinceEpoch(wallMs - qint64(offsetBefore) * 1000, Qt::LocalTime);
}

}  // namespace platform
