#pragma once

#include <QDateTime>

#include <optional>

namespace platform {

// A date-time as the family exchanges it: the OLE Automation serial, days since
// 1899-12-30 with the time of day as the fraction, in local time. Before
// 1899-12-30 the whole part is negative and the fraction still counts forward
// from midnight (-1.25 is 1899-12-29 06:00).
class OleDate {
public:
    static constexpr double minSerial = -657434.0;          // 0100-01-01 00:00:00
    static constexpr double maxSerial = 2958465.99999;      // 9999-12-31 23:59:59

    constexpr OleDate() = default;
    constexpr explicit OleDate(double serial) : serial_(serial) {}

    constexpr double serial() const { return serial_; }
    // True when the serial names a moment from 0100-01-01 to 9999-12-31.
    bool isValid() const;

    // Nothing when the date-time is invalid or outside the serial range.
    static std::optional<OleDate> fromDateTime(const QDateTime& localDateTime);
    // Local date-time, rounded to the millisecond; invalid when the serial is out
    // of range. A wall-clock time that a change to daylight saving time skipped
    // comes out as late as the gap was long (02:30 becomes 03:30).
    QDateTime toDateTime() const;

    friend constexpr bool operator==(OleDate a, OleDate b) { return a.serial_ == b.serial_; }
    friend constexpr auto operator<=>(OleDate a, OleDate b) { return a.serial_ <=> b.serial_; }

private:
    double serial_ = 0.0;
};

}  // namespace platform
