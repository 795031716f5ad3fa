// The fake timers run exactly on their manual clock: what the contract tests
// cannot ask of real time.

#include "support/FakeTimers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::Timer;
using std::chrono::milliseconds;
using testsupport::FakeTimers;
using testsupport::ManualClock;

class FakeTimersTest : public ::testing::Test {
protected:
    ManualClock clock;
    FakeTimers timers{clock};
    const QDateTime start = clock.now();

    std::unique_ptr<Timer> counting(Timer::Kind kind, int& runs)
    {
        return timers.create(kind, [&runs] { ++runs; });
    }
};

TEST_F(FakeTimersTest, TimerSeesItsDueTimeOnBothClocks)
{
    QDateTime wallSeen;
    milliseconds monotonicSeen{-1};
    const auto timer = timers.create(Timer::Kind::SingleShot, [&] {
        wallSeen = clock.now();
        monotonicSeen = clock.elapsed();
    });
    clock.advanceMs(100);
    timer->start(milliseconds(1500));
    clock.advanceSeconds(5);
    EXPECT_EQ(wallSeen, start.addMSecs(1600));
    EXPECT_EQ(monotonicSeen, milliseconds(1600));
    EXPECT_EQ(clock.now(), start.addMSecs(5100));
}

TEST_F(FakeTimersTest, RepeatingTimerRunsOncePerIntervalWhateverTheSteps)
{
    const struct {
        const char* name;
        std::vector<int> steps;
        int runs;
    } cases[] = {
        {"one step short of the third", {2999}, 2},
        {"one step onto the third", {3000}, 3},
        {"three steps short of the third", {1000, 1000, 999}, 2},
        {"a step of zero", {0}, 0},
        {"many small steps", std::vector<int>(3000, 1), 3},
    };
    for (const auto& c : cases) {
        int runs = 0;
        const auto timer = counting(Timer::Kind::Repeating, runs);
        timer->start(milliseconds(1000));
        for (const int step : c.steps)
            clock.advanceMs(step);
        EXPECT_EQ(runs, c.runs) << c.name;
    }
}

TEST_F(FakeTimersTest, StartingARunningTimerStartsItOver)
{
    int runs = 0;
    const auto timer = counting(Timer::Kind::SingleShot, runs);
    timer->start(milliseconds(1000));
    clock.advanceMs(600);
    timer->start(milliseconds(1000));
    clock.advanceMs(999);
    EXPECT_EQ(runs, 0);
    clock.advanceMs(1);
    EXPECT_EQ(runs, 1);
}

TEST_F(FakeTimersTest, ZeroIntervalRunsWhenTheClockIsAdvancedByNothing)
{
    int runs = 0;
    const auto timer = counting(Timer::Kind::SingleShot, runs);
    timer->start(milliseconds(0));
    EXPECT_EQ(runs, 0);
    clock.advanceMs(0);
    EXPECT_EQ(runs, 1);
}

TEST_F(FakeTimersTest, SettingTheWallClockRunsNoTimer)
{
    int runs = 0;
    const auto timer = counting(Timer::Kind::SingleShot, runs);
    timer->start(milliseconds(1000));
    clock.set(start.addDays(1));
    clock.advanceMs(-5000);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(clock.elapsed(), milliseconds(0));
    EXPECT_EQ(clock.now(), start.addDays(1).addMSecs(-5000));
    clock.advanceMs(1000);
    EXPECT_EQ(runs, 1);
}

TEST_F(FakeTimersTest, CallbackMayAdvanceTheClockItself)
{
    QStringList seen;
    const auto later = timers.create(Timer::Kind::SingleShot, [&] { seen << QStringLiteral("later at %1").arg(clock.elapsed().count()); });
    const auto first = timers.create(Timer::Kind::SingleShot, [&] {
        seen << QStringLiteral("first at %1").arg(clock.elapsed().count());
        clock.advanceMs(50);
        seen << QStringLiteral("first ends at %1").arg(clock.elapsed().count());
    });
    first->start(milliseconds(100));
    later->start(milliseconds(120));
    clock.advanceMs(1000);
    EXPECT_EQ(seen, (QStringList{"first at 100", "later at 120", "first ends at 150"}));
    EXPECT_EQ(clock.elapsed(), milliseconds(1000));
}

TEST_F(FakeTimersTest, TimersOfTwoFakesOnOneClockRunInTimeOrder)
{
    FakeTimers others(clock);
    QString order;
    const auto a = timers.create(Timer::Kind::SingleShot, [&] { order += 'a'; });
    const auto b = others.create(Timer::Kind::SingleShot, [&] { order += 'b'; });
    const auto c = timers.create(Timer::Kind::SingleShot, [&] { order += 'c'; });
    a->start(milliseconds(30));
    b->start(milliseconds(20));
    c->start(milliseconds(10));
    clock.advanceMs(100);
    EXPECT_EQ(order, QStringLiteral("cba"));
}

TEST_F(FakeTimersTest, WaitUntilMovesTheClockToTheTimerThatSetsTheFlag)
{
    bool flag = false;
    int afterRuns = 0;
    const auto setter = timers.create(Timer::Kind::SingleShot, [&] { flag = true; });
    const auto after = counting(Timer::Kind::SingleShot, afterRuns);
    setter->start(std::chrono::seconds(60));
    after->start(std::chrono::seconds(61));
    EXPECT_TRUE(timers.waitUntil([&] { return flag; }, std::chrono::seconds(120)));
    EXPECT_EQ(clock.elapsed(), std::chrono::seconds(60));
    EXPECT_EQ(afterRuns, 0);
}

TEST_F(FakeTimersTest, WaitUntilEndsExactlyAtTheTimeOut)
{
    int ticks = 0;
    int lateRuns = 0;
    const auto ticking = counting(Timer::Kind::Repeating, ticks);
    const auto late = counting(Timer::Kind::SingleShot, lateRuns);
    ticking->start(std::chrono::seconds(1));
    late->start(std::chrono::seconds(61));
    EXPECT_FALSE(timers.waitUntil([] { return false; }, std::chrono::seconds(60)));
    EXPECT_EQ(clock.elapsed(), std::chrono::seconds(60));
    EXPECT_EQ(ticks, 60);
    EXPECT_EQ(lateRuns, 0);
}

TEST_F(FakeTimersTest, ActiveCountShowsWhatIsLeftRunning)
{
    int runs = 0;
    const auto once = counting(Timer::Kind::SingleShot, runs);
    const auto repeating = counting(Timer::Kind::Repeating, runs);
    once->start(milliseconds(10));
    repeating->start(milliseconds(10));
    EXPECT_EQ(timers.activeCount(), 2);
    clock.advanceMs(10);
    EXPECT_EQ(timers.activeCount(), 1);
}

TEST(FakeTimersLifetime, TimerOutlivingItsFakeTimersNeverRunsAgain)
{
    ManualClock clock;
    int runs = 0;
    std::unique_ptr<Timer> timer;
    {
        FakeTimers timers(clock);
        timer = timers.create(Timer::Kind::Repeating, [&] { ++runs; });
        timer->start(milliseconds(10));
        clock.advanceMs(10);
    }
    clock.advanceMs(100);
    timer->start(milliseconds(10));
    clock.advanceMs(100);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(timer->isActive());
}

}  // namespace
