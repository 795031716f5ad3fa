#include "platform/OleDate.h"
#include "support/CaseName.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>

namespace {

using platform::OleDate;

struct SerialCase {
    double serial;
    QDateTime dateTime;
};

QDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s));
}

class OleDateConversion : public ::testing::TestWithParam<SerialCase> {};

TEST_P(OleDateConversion, ConvertsBothWays)
{
    const SerialCase& c = GetParam();
    EXPECT_EQ(OleDate(c.serial).toDateTime(), c.dateTime);
    const auto back = OleDate::fromDateTime(c.dateTime);
    ASSERT_TRUE(back.has_value());
    EXPECT_NEAR(back->serial(), c.serial, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Serials, OleDateConversion,
                         ::testing::Values(SerialCase{0.0, at(1899, 12, 30)},
                                           SerialCase{0.75, at(1899, 12, 30, 18)},
                                           SerialCase{36526.5, at(2000, 1, 1, 12)},
                                           SerialCase{36526.0, at(2000, 1, 1)},
                                           // Before the epoch the whole part is signed and the fraction is not.
                                           SerialCase{-1.25, at(1899, 12, 29, 6)},
                                           SerialCase{-1.0, at(1899, 12, 29)},
                                           SerialCase{-657434.0, at(100, 1, 1)},
                                           SerialCase{2958465.0, at(9999, 12, 31)}),
    [](const ::testing::TestParamInfo<SerialCase>& info) {
                             return testsupport::caseName(QString::number(info.param.serial, 'f', QLocale::FloatingPointShortest).replace(u'-', QStringLiteral("Minus")));
                         });

TEST(OleDate, RefusesDatesOutsideTheRange)
{
    EXPECT_FALSE(OleDate(-657435.0).isValid());
    EXPECT_FALSE(OleDate(2958466.0).isValid());
    EXPECT_FALSE(OleDate(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_FALSE(OleDate(-657435.0).toDateTime().isValid());
    EXPECT_FALSE(OleDate::fromDateTime(at(99, 12, 31)).has_value());
    EXPECT_FALSE(OleDate::fromDateTime(QDateTime()).has_value());
    EXPECT_TRUE(OleDate(2958465.99999).isValid());
}

TEST(OleDate, RoundsAFractionJustShortOfMidnightToTheNextDay)
{
    EXPECT_EQ(OleDate(1.9999999999).toDateTime(), at(1900, 1, 1));
    EXPECT_EQ(OleDate(-1.9999999999).toDateTime(), at(1899, 12, 30));
}

TEST(OleDate, KeepsSecondsOfTheDay)
{
    const QDateTime moment = at(2026, 12, 10, 13, 25, 19);
    const auto serial = OleDate::fromDateTime(moment);
    ASSERT_TRUE(serial.has_value());
    EXPECT_EQ(serial->toDateTime(), moment);
}

TEST(OleDate, AcceptsEveryMomentOfTheFirstAndLastDays)
{
    EXPECT_EQ(OleDate(-657434.5).toDateTime(), at(100, 1, 1, 12));
    const auto noon = OleDate::fromDateTime(at(100, 1, 1, 12));
    ASSERT_TRUE(noon.has_value());
    EXPECT_EQ(noon->serial(), -657434.5);

    const QDateTime lastMoment(QDate(9999, 12, 31), QTime(23, 59, 59, 999));
    const auto last = OleDate::fromDateTime(lastMoment);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->toDateTime(), lastMoment);
    // A fraction that would round to the midnight after the last day is outside.
    EXPECT_FALSE(OleDate(2958465.9999999999).isValid());
}

// Sets the process's time zone for one test and puts the previous one back.
class LocalZone {
public:
    explicit LocalZone(const char* zone) : previous_(qgetenv("TZ")), hadPrevious_(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (hadPrevious_)
            qputenv("TZ", previous_);
        else
            qunsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    QByteArray previous_;
    bool hadPrevious_;
};

// The serial of a wall-clock time, computed without asking whether it exists.
double wallSerial(const QDate& date, const QTime& time)
{
    return double(QDate(1899, 12, 30).daysTo(date)) + double(time.msecsSinceStartOfDay()) / 86'400'000.0;
}

struct GapCase {
    const char* zone;
    QDate summerDay;  // a day whose offset at noon shows that the zone's data is there
    QDate date;
    QTime wallTime;   // a time the clocks skipped
    QDate expectedDate;
    QTime expectedTime;
};

void PrintTo(const GapCase& c, std::ostream* os)
{
    *os << c.zone << ' ' << c.date.toString(Qt::ISODate).toStdString() << ' '
        << c.wallTime.toString(Qt::ISODate).toStdString();
}

class OleDateAcrossDaylightSaving : public ::testing::TestWithParam<GapCase> {};

TEST_P(OleDateAcrossDaylightSaving, SkippedWallTimeMovesForwardByTheGap)
{
    const GapCase& c = GetParam();
    const LocalZone zone(c.zone);
    if (QDateTime(c.date, c.wallTime).isValid() || QDateTime(c.summerDay, QTime(12, 0)).offsetFromUtc() == 0)
        GTEST_SKIP() << "no time-zone data for " << c.zone;

    const QDateTime converted = OleDate(wallSerial(c.date, c.wallTime)).toDateTime();
    ASSERT_TRUE(converted.isValid());
    EXPECT_EQ(converted.date(), c.expectedDate);
    EXPECT_EQ(converted.time(), c.expectedTime);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, OleDateAcrossDaylightSaving,
    ::testing::Values(
        GapCase{"Europe/Paris", QDate(2026, 7, 1), QDate(2026, 3, 29), QTime(2, 30), QDate(2026, 3, 29), QTime(3, 30)},
        // Clocks that go forward at midnight skip the start of the day: a date with no time part.
        GapCase{"America/Sao_Paulo", QDate(2018, 1, 1), QDate(2018, 11, 4), QTime(0, 0), QDate(2018, 11, 4), QTime(1, 0)},
        // A whole day skipped when the zone crossed the date line.
        GapCase{"Pacific/Apia", QDate(2011, 7, 1), QDate(2011, 12, 30), QTime(12, 0), QDate(2011, 12, 31), QTime(12, 0)}),
    [](const ::testing::TestParamInfo<GapCase>& info) { return testsupport::caseName(QString::fromUtf8(info.param.zone)); });

TEST(OleDate, DaysCountOnTheWallClockAcrossDaylightSavingChanges)
{
    const LocalZone zone("Europe/Paris");
    if (at(2026, 7, 1, 12).offsetFromUtc() != 7200)
        GTEST_SKIP() << "no time-zone data for Europe/Paris";

    const struct {
        QDateTime before;
        QDateTime after;
    } cases[] = {
        {at(2026, 3, 28, 4), at(2026, 3, 29, 4)},    // 23 hours apart
        {at(2026, 10, 24, 4), at(2026, 10, 25, 4)},  // 25 hours apart
    };
    for (const auto& c : cases) {
        const auto before = OleDate::fromDateTime(c.before);
        const auto after = OleDate::fromDateTime(c.after);
        ASSERT_TRUE(before && after);
        EXPECT_EQ(after->serial() - before->serial(), 1.0);
        EXPECT_EQ(after->toDateTime(), c.after);
    }
    // The hour the clocks repeat keeps its wall-clock time.
    EXPECT_EQ(OleDate(wallSerial(QDate(2026, 10, 25), QTime(2, 30))).toDateTime().time(), QTime(2, 30));
}

}  // namespace
