#include "platform/OleDate.h"

#include <gtest/gtest.h>

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
                                           SerialCase{2958465.0, at(9999, 12, 31)}));

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

}  // namespace
