// The time strings of a launch: the range and the sequence table.

#include "vidora/Fonctions.h"
#include "vidora/VidoraContext.h"

#include <gtest/gtest.h>

namespace {

TEST(SequenceTimesTest, RoundsHundredthsToTheNearestSecondTiesToEven)
{
    struct Case {
        const char* text;
        double start;
        double end;
    };
    const Case cases[] = {
        {"00:10:50-00:20:51", 10, 21},
        {"00:10:00-00:10:99", 10, 11},
        {"01:00:49#02:30:50", 60, 150},
        {"12 34 51 59 59 00", 12 * 60 + 35, 59 * 60 + 59},
    };
    for (const Case& c : cases) {
        const vidora::TimeRange range = vidora::readTimeRange(QString::fromUtf8(c.text));
        EXPECT_EQ(range.start, c.start) << c.text;
        EXPECT_EQ(range.end, c.end) << c.text;
    }
}

TEST(SequenceTimesTest, RefusesTextsOutOfTheLayout)
{
    for (const char* text : {"", "00:10:50-00:20:5", "00:10:50-00:20:511", "0a:10:50-00:20:51", "00:10:50-00:20:-1",
                             "00:+1:50-00:20:51"}) {
        try {
            vidora::readTimeRange(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::TypeMismatch) << text;
        }
    }
}

TEST(SequenceTimesTest, FillsTheTableAndClearsRowsOfAnEarlierVideo)
{
    vidora::VidoraContext context;
    context.sequenceTimes = {"00:00:00-00:10:00", "00:10:00-00:20:00", "00:20:00-00:30:00"};
    context.sequenceCount = 3;
    ASSERT_TRUE(vidora::puMiseEnFormeDesTiming(context));
    EXPECT_EQ(context.puaadTimeOfSequences[2][0], 20);
    EXPECT_EQ(context.puaadTimeOfSequences[2][1], 30);

    context.sequenceTimes = {"00:05:00-00:06:00"};
    context.sequenceCount = 1;
    ASSERT_TRUE(vidora::puMiseEnFormeDesTiming(context));
    EXPECT_EQ(context.puaadTimeOfSequences[0][0], 5);
    EXPECT_EQ(context.puaadTimeOfSequences[2][1], 0) << "a row of the earlier video stayed";

    // A sequence of no length, also once its hundredths are rounded, is kept.
    context.sequenceTimes = {"02:00:00-02:00:00", "00:10:00-00:10:40"};
    context.sequenceCount = 2;
    ASSERT_TRUE(vidora::puMiseEnFormeDesTiming(context));
    EXPECT_EQ(context.puaadTimeOfSequences[0][0], 120);
    EXPECT_EQ(context.puaadTimeOfSequences[0][1], 120);
    EXPECT_EQ(context.puaadTimeOfSequences[1][1], 10);
}

TEST(SequenceTimesTest, RefusesBadSequencesWithTheTableStep)
{
    struct Case {
        const char* what;
        QStringList times;
        long count;
        long number;
    };
    QStringList twentyOne;
    for (int i = 0; i < 21; ++i)
        twentyOne.append(QStringLiteral("00:%1:00-00:%2:00").arg(i, 2, 10, QLatin1Char('0')).arg(i + 1, 2, 10, QLatin1Char('0')));
    const Case cases[] = {
        {"21 sequences", twentyOne, 21, platform::SubscriptOutOfRange},
        {"a sequence backwards", {"00:20:00-00:10:00"}, 1, platform::InvalidProcedureCall},
        {"not a range", {"00:10:00"}, 1, platform::TypeMismatch},
        {"more sequences than times", {"00:00:00-00:10:00"}, 2, platform::SubscriptOutOfRange},
        {"no sequence", {"00:00:00-00:10:00"}, 0, platform::SubscriptOutOfRange},
    };
    for (const Case& c : cases) {
        vidora::VidoraContext context;
        context.sequenceTimes = c.times;
        context.sequenceCount = c.count;
        EXPECT_FALSE(vidora::puMiseEnFormeDesTiming(context)) << c.what;
        EXPECT_EQ(context.pulStateErreurEnCours,
                  basalo::enuFunctionReturnState_VVidora_Fonctions_puMiseEnFormeDesTiming_ErreurInconnue)
            << c.what;
        EXPECT_EQ(context.lastError.number(), c.number) << c.what;
        EXPECT_FALSE(context.lastError.text().isEmpty()) << c.what;
    }
}

TEST(SequenceTimesTest, WritesThePlayingTimeInWholeMinutesAndSeconds)
{
    EXPECT_EQ(vidora::timeLabelText(65.7), QStringLiteral(" 1:5:7"));
    EXPECT_EQ(vidora::timeLabelText(3.05), QStringLiteral(" 0:3:05"));
    EXPECT_EQ(vidora::timeLabelText(4), QStringLiteral(" 0:4:"));
    EXPECT_EQ(vidora::timeLabelText(119.999), QStringLiteral(" 1:59:99"));
    EXPECT_EQ(vidora::volumePercentText(32767), QStringLiteral(" 50%"));
    EXPECT_EQ(vidora::volumePercentText(65535), QStringLiteral(" 100%"));
}

}  // namespace
