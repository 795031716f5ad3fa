// The texts of a media's sequences: start values, durations and addresses.

#include "lumaro/player/MediaSequence.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

TEST(MediaSequenceTest, StartValueIsTheLongestLeadingNumber)
{
    const std::pair<const char*, double> cases[] = {
        {"00:00:00", 0}, {"01:00:00", 1}, {"02:00:00", 2}, {"00:05:00", 0}, {"1.5", 1.5},
        {"10", 10},      {" 3", 3},       {"", 0},         {"abc", 0},      {"2e", 2},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(lumaro::sequenceStartValue(QString::fromLatin1(text)), value) << text;
}

TEST(MediaSequenceTest, DurationIsATimeOfDay)
{
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"00:02:00", 120.0}, {"0:00:03", 3.0},       {"01:30", 5400.0},      {"23:59:59", 86399.0},
        {"00:00:00", 0.0},   {"24:00:00", std::nullopt}, {"00:60:00", std::nullopt}, {"3", std::nullopt},
        {"", std::nullopt},  {"00:02:00x", std::nullopt}, {"-1:00:00", std::nullopt},
    };
    for (const auto& [text, seconds] : cases)
        EXPECT_EQ(lumaro::timeTextSeconds(QString::fromLatin1(text)), seconds) << text;
}

TEST(MediaSequenceTest, AddressesStayInsideTheirBase)
{
    EXPECT_EQ(lumaro::documentAddress(QStringLiteral("http://h/Media/"), QStringLiteral("a b#c?.htm"))->toString(
                  QUrl::FullyEncoded),
              QStringLiteral("http://h/Media/a%20b%23c%3F.htm"));
    EXPECT_EQ(lumaro::documentAddress(QStringLiteral("https://h/m/"), QStringLiteral("sous/dossier.htm"))->toString(),
              QStringLiteral("https://h/m/sous/dossier.htm"));
    EXPECT_EQ(lumaro::documentAddress(QStringLiteral("/cours/media/"), QStringLiteral("v.avi")),
              QUrl::fromLocalFile(QStringLiteral("/cours/media/v.avi")));
    for (const char* name : {"../v.avi", "a/../../v.avi", "/etc/passwd", "C:\\v.avi", "..\\v.avi", ""})
        EXPECT_FALSE(lumaro::documentAddress(QStringLiteral("http://h/Media/"), QString::fromLatin1(name))) << name;
}

TEST(MediaSequenceTest, RoundingKeepsToTheIntRange)
{
    // Positions computed from a sequence's texts can be any number: beyond
    // int's range the conversion must saturate, not be undefined.
    const std::pair<double, int> cases[] = {
        {0.5, 0},           {1.5, 2},           {2.5, 2},          {-2.5, -2},
        {1e103, INT_MAX},   {-1e103, INT_MIN},  {2147483647.4, INT_MAX},
        {std::numeric_limits<double>::infinity(), INT_MAX},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(lumaro::roundHalfEven(value), rounded) << value;
}

}  // namespace
