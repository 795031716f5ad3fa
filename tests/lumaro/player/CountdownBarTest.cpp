// The countdown bar on the manual clock: the bar at the start, mid-way and at
// the end, TimeFinish at its moment and once, pauses, resizes, long and empty
// countdowns, and a handler that ends the window.

#include "lumaro/player/usrTimeBar.h"

#include "platform/RuntimeError.h"
#include "support/FakeTimers.h"
#include "support/ManualClock.h"
#include "support/Screenshot.h"
#include "support/WidgetPart.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using lumaro::usrTimeBar;

class CountdownBarTest : public ::testing::Test {
protected:
    CountdownBarTest() { QObject::connect(bar.get(), &usrTimeBar::TimeFinish, [this] { ++finished; }); }

    // The bar as drawn: its picture's place in the control.
    QRect barGeometry() const { return testsupport::part(*bar, "imgTimebarre")->geometry(); }
    void advanceMs(qint64 ms) { clock.advanceMs(ms); }

    testsupport::ManualClock clock;
    testsupport::FakeTimers timers{clock};
    std::unique_ptr<usrTimeBar> bar = std::make_unique<usrTimeBar>(timers, clock);
    int finished = 0;
};

TEST_F(CountdownBarTest, IsSixteenByTwentyEightWithAnEmptyBar)
{
    bar->show();
    EXPECT_EQ(bar->size(), QSize(16, 28));
    EXPECT_EQ(bar->barHeight(), 0);
    EXPECT_FALSE(testsupport::part(*bar, "imgTimebarre")->isVisible());
}

// The bar grows one pixel per twenty-second of the time set and stops at 22;
// TimeFinish comes two seconds after the time is used up, once.
TEST_F(CountdownBarTest, GrowsWithTheTimeUsedAndFinishesOnceTwoSecondsAfterTheEnd)
{
    struct Step {
        qint64 atMs;  // running time since ChronoStart
        int height;
        int finished;
    };
    const Step steps[] = {
        {0, 0, 0},       {999, 0, 0},      {1000, 1, 0},     {11000, 11, 0},   {21999, 21, 0},
        {22000, 22, 0},  {23999, 22, 0},   {24000, 22, 1},   {60000, 22, 1},
    };
    bar->SetTimeBar(22);
    bar->ChronoStart();
    qint64 now = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.atMs);
        advanceMs(step.atMs - now);
        now = step.atMs;
        EXPECT_EQ(bar->barHeight(), step.height);
        EXPECT_EQ(barGeometry(), QRect(3, 25 - step.height, 10, step.height));
        EXPECT_EQ(finished, step.finished);
    }
    EXPECT_FALSE(bar->isCounting());
    EXPECT_EQ(timers.activeCount(), 0) << "nothing left running";
}

TEST_F(CountdownBarTest, AnyLengthFromZeroUpIsCounted)
{
    struct Case {
        long seconds;
        qint64 halfwayMs;
        int halfwayHeight;
        qint64 finishMs;
    };
    const Case cases[] = {
        {0, 1000, 22, 2000},
        {1, 500, 11, 3000},
        {1441, 720500, 11, 1443000},
        {1442, 721000, 11, 1444000},
        {1800, 900000, 11, 1802000},
        {2147483647, qint64(2147483647) * 500, 11, (qint64(2147483647) + 2) * 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        finished = 0;
        bar->SetTimeBar(c.seconds);
        bar->ChronoStart();
        advanceMs(c.halfwayMs);
        EXPECT_EQ(bar->barHeight(), c.halfwayHeight);
        advanceMs(c.finishMs - c.halfwayMs - 1);
        EXPECT_EQ(finished, 0);
        advanceMs(1);
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(bar->barHeight(), 22);
    }
}

TEST_F(CountdownBarTest, NegativeLengthFailsAndKeepsTheCountdown)
{
    bar->SetTimeBar(10);
    try {
        bar->SetTimeBar(-1);
        FAIL() << "no error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 380);
    }
    bar->ChronoStart();
    advanceMs(12000);
    EXPECT_EQ(finished, 1);
}

// A pause keeps the time used to the millisecond, however short the runs.
TEST_F(CountdownBarTest, PausedTimeDoesNotCount)
{
    bar->SetTimeBar(22);
    bar->ChronoStart();
    advanceMs(5500);
    bar->ChronoStop();
    EXPECT_EQ(bar->barHeight(), 5);
    advanceMs(600000);
    EXPECT_EQ(bar->barHeight(), 5);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(timers.activeCount(), 0);

    for (int run = 0; run < 10; ++run) {
        bar->ChronoStart();
        advanceMs(700);
        bar->ChronoStop();
        advanceMs(5000);
    }
    EXPECT_EQ(bar->barHeight(), 12) << "12.5 s used";
    bar->ChronoStart();
    advanceMs(11499);
    EXPECT_EQ(finished, 0);
    advanceMs(1);
    EXPECT_EQ(finished, 1) << "24 s of running time";
}

TEST_F(CountdownBarTest, StartDoesNothingWithoutALengthOrAfterReset)
{
    bar->ChronoStart();
    EXPECT_FALSE(bar->isCounting());
    bar->SetTimeBar(22);
    bar->ChronoStart();
    advanceMs(4000);
    bar->Reset();
    EXPECT_EQ(bar->barHeight(), 4) << "Reset keeps the bar";
    bar->ChronoStart();
    EXPECT_FALSE(bar->isCounting());
    advanceMs(60000);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(timers.activeCount(), 0);
}

TEST_F(CountdownBarTest, NewLengthStartsOverFromAnEmptyBar)
{
    bar->SetTimeBar(22);
    bar->ChronoStart();
    advanceMs(10000);
    bar->SetTimeBar(44);
    EXPECT_EQ(bar->barHeight(), 0);
    EXPECT_TRUE(bar->isCounting()) << "a running countdown goes on";
    advanceMs(22000);
    EXPECT_EQ(bar->barHeight(), 11);
    advanceMs(24000);
    EXPECT_EQ(finished, 1);
}

TEST_F(CountdownBarTest, StartedAgainAfterTheEndItFinishesAgainASecondLater)
{
    bar->SetTimeBar(3);
    bar->ChronoStart();
    advanceMs(5000);
    EXPECT_EQ(finished, 1);
    bar->ChronoStart();
    advanceMs(999);
    EXPECT_EQ(finished, 1);
    advanceMs(1);
    EXPECT_EQ(finished, 2);
}

TEST_F(CountdownBarTest, ResizeChangesNothing)
{
    bar->show();
    bar->SetTimeBar(22);
    bar->ChronoStart();
    advanceMs(11000);
    bar->resize(40, 80);
    EXPECT_EQ(bar->size(), QSize(16, 28));
    EXPECT_EQ(bar->barHeight(), 11);
    EXPECT_TRUE(bar->isCounting());
    advanceMs(13000);
    EXPECT_EQ(finished, 1) << "the countdown still ends";
}

TEST_F(CountdownBarTest, AHandlerMayDestroyTheBar)
{
    QPointer<usrTimeBar> watched(bar.get());
    QObject::connect(bar.get(), &usrTimeBar::TimeFinish, [this] { bar.reset(); });
    bar->SetTimeBar(1);
    bar->ChronoStart();
    advanceMs(3000);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(finished, 1);
    advanceMs(10000);
}

TEST_F(CountdownBarTest, WritesScreenshotsAtTheStartHalfwayAndTheEnd)
{
    bar->show();
    bar->SetTimeBar(22);
    bar->ChronoStart();
    const std::pair<qint64, const char*> moments[] = {{0, "usrTimeBar-0"}, {11000, "usrTimeBar-50"}, {11000, "usrTimeBar-100"}};
    for (const auto& [ms, name] : moments) {
        advanceMs(ms);
        EXPECT_FALSE(testsupport::saveScreenshot(*bar, QString::fromLatin1(name)).isEmpty());
    }
}

}  // namespace
