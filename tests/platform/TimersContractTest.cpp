// What every kind of timers promises (platform/Timers.h), run against the
// fake timers on a manual clock and against Qt's timers with intervals of a
// few milliseconds.

#include "platform/QtTimers.h"

#include "support/FakeTimers.h"

#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

using platform::Timer;
using std::chrono::milliseconds;

// Timers and a way to let time pass with them running. What must happen is
// awaited with waitUntil, since a busy machine may hold real timers back;
// what must not happen is checked after letting time pass.
class TimersUnderTest {
public:
    virtual ~TimersUnderTest() = default;
    virtual platform::Timers& timers() = 0;
    // Lets the time pass; every timer due by then, started before, has run.
    virtual void pass(milliseconds time) = 0;
};

class FakeTimersUnderTest final : public TimersUnderTest {
public:
    platform::Timers& timers() override { return timers_; }
    void pass(milliseconds time) override { clock_.advance(time); }

private:
    testsupport::ManualClock clock_;
    testsupport::FakeTimers timers_{clock_};
};

class QtTimersUnderTest final : public TimersUnderTest {
public:
    platform::Timers& timers() override { return timers_; }
    // Qt runs timers in the order they fall due, so the ones due before the
    // end of the loop have run when it ends.
    void pass(milliseconds time) override
    {
        QEventLoop loop;
        QTimer::singleShot(time, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }

private:
    platform::QtTimers timers_;
};

struct Kind {
    const char* name;
    std::function<std::unique_ptr<TimersUnderTest>()> make;
};

class TimersContract : public ::testing::TestWithParam<Kind> {
protected:
    std::unique_ptr<TimersUnderTest> under = GetParam().make();
    platform::Timers& timers = under->timers();

    std::unique_ptr<Timer> counting(Timer::Kind kind, int& runs)
    {
        return timers.create(kind, [&runs] { ++runs; });
    }

    bool eventually(const std::function<bool()>& done) { return timers.waitUntil(done, std::chrono::seconds(10)); }
};

// Collects the warnings written while it lives.
class WarningCapture {
public:
    WarningCapture() { previous_ = qInstallMessageHandler(&WarningCapture::handle); }
    ~WarningCapture() { qInstallMessageHandler(previous_); }
    static QStringList& messages()
    {
        static QStringList list;
        return list;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message) { messages().append(message); }
    QtMessageHandler previous_ = nullptr;
};

TEST_P(TimersContract, SingleShotRunsOnceAfterItsInterval)
{
    int runs = 0;
    const auto timer = counting(Timer::Kind::SingleShot, runs);
    EXPECT_FALSE(timer->isActive());
    timer->start(milliseconds(5));
    EXPECT_TRUE(timer->isActive());
    under->pass(milliseconds(30));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(timer->isActive());
    under->pass(milliseconds(30));
    EXPECT_EQ(runs, 1);
}

TEST_P(TimersContract, RepeatingTimerRunsUntilStopped)
{
    int runs = 0;
    const auto timer = counting(Timer::Kind::Repeating, runs);
    timer->start(milliseconds(2));
    EXPECT_TRUE(eventually([&] { return runs >= 2; }));
    EXPECT_TRUE(timer->isActive());
    timer->stop();
    EXPECT_FALSE(timer->isActive());
    const int runsWhenStopped = runs;
    under->pass(milliseconds(20));
    EXPECT_EQ(runs, runsWhenStopped);
}

TEST_P(TimersContract, StoppedOrDestroyedTimerNeverRuns)
{
    int runs = 0;
    auto stopped = counting(Timer::Kind::SingleShot, runs);
    auto destroyed = counting(Timer::Kind::Repeating, runs);
    stopped->start(milliseconds(1));
    destroyed->start(milliseconds(1));
    stopped->stop();
    destroyed.reset();
    under->pass(milliseconds(20));
    EXPECT_EQ(runs, 0);
}

TEST_P(TimersContract, TimersRunInTheOrderTheyFallDue)
{
    QString order;
    std::vector<std::unique_ptr<Timer>> made;
    const struct {
        char name;
        int ms;
    } starts[] = {{'A', 12}, {'B', 0}, {'C', 6}, {'D', 3}, {'E', 3}};
    for (const auto& start : starts) {
        made.push_back(timers.create(Timer::Kind::SingleShot, [&order, name = start.name] { order += QChar(name); }));
        made.back()->start(milliseconds(start.ms));
    }
    under->pass(milliseconds(40));
    EXPECT_EQ(order, QStringLiteral("BDECA"));
}

TEST_P(TimersContract, CallbackMayDestroyItsOwnTimer)
{
    for (const Timer::Kind kind : {Timer::Kind::SingleShot, Timer::Kind::Repeating}) {
        int runs = 0;
        std::unique_ptr<Timer> timer;
        timer = timers.create(kind, [&] {
            ++runs;
            timer.reset();
        });
        timer->start(milliseconds(1));
        under->pass(milliseconds(20));
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(timer, nullptr);
    }
}

TEST_P(TimersContract, CallbackMayStartItsOwnSingleShotAgain)
{
    int runs = 0;
    std::unique_ptr<Timer> timer;
    bool activeInCallback = true;
    timer = timers.create(Timer::Kind::SingleShot, [&] {
        activeInCallback = timer->isActive();
        if (++runs < 3)
            timer->start(milliseconds(1));
    });
    timer->start(milliseconds(1));
    EXPECT_TRUE(eventually([&] { return runs == 3; }));
    under->pass(milliseconds(10));
    EXPECT_EQ(runs, 3);
    EXPECT_FALSE(activeInCallback);
}

TEST_P(TimersContract, CallbackMayStopItsOwnRepeatingTimer)
{
    int runs = 0;
    std::unique_ptr<Timer> timer;
    timer = timers.create(Timer::Kind::Repeating, [&] {
        if (++runs == 3)
            timer->stop();
    });
    timer->start(milliseconds(1));
    EXPECT_TRUE(eventually([&] { return runs == 3; }));
    under->pass(milliseconds(10));
    EXPECT_EQ(runs, 3);
    EXPECT_FALSE(timer->isActive());
}

TEST_P(TimersContract, CallbackMayDestroyOrStopATimerDueAtTheSameMoment)
{
    for (const bool destroy : {true, false}) {
        int otherRuns = 0;
        std::unique_ptr<Timer> other = counting(Timer::Kind::SingleShot, otherRuns);
        const auto first = timers.create(Timer::Kind::SingleShot, [&] {
            if (destroy)
                other.reset();
            else
                other->stop();
        });
        first->start(milliseconds(0));
        other->start(milliseconds(0));
        under->pass(milliseconds(20));
        EXPECT_EQ(otherRuns, 0) << (destroy ? "destroyed" : "stopped");
    }
}

TEST_P(TimersContract, CallbackMayMakeAndStartANewTimer)
{
    int laterRuns = 0;
    std::unique_ptr<Timer> later;
    const auto first = timers.create(Timer::Kind::SingleShot, [&] {
        later = counting(Timer::Kind::SingleShot, laterRuns);
        later->start(milliseconds(2));
    });
    first->start(milliseconds(1));
    EXPECT_TRUE(eventually([&] { return laterRuns == 1; }));
}

TEST_P(TimersContract, ExceptionFromACallbackGoesNoFurther)
{
    const WarningCapture capture;
    WarningCapture::messages().clear();
    int laterRuns = 0;
    const auto throwing = timers.create(Timer::Kind::SingleShot, [] { throw std::runtime_error("boom"); });
    const auto later = counting(Timer::Kind::SingleShot, laterRuns);
    throwing->start(milliseconds(1));
    later->start(milliseconds(5));
    under->pass(milliseconds(30));
    EXPECT_EQ(laterRuns, 1);
    EXPECT_FALSE(throwing->isActive());
    EXPECT_TRUE(WarningCapture::messages().join('\n').contains(QStringLiteral("boom")));
}

TEST_P(TimersContract, IntervalsAreHeldToWhatCanRun)
{
    int runs = 0;
    const auto single = counting(Timer::Kind::SingleShot, runs);
    const auto repeating = counting(Timer::Kind::Repeating, runs);
    EXPECT_EQ(single->interval(), milliseconds(0));
    single->start(milliseconds(-5));
    repeating->start(milliseconds(0));
    EXPECT_EQ(single->interval(), milliseconds(0));
    EXPECT_EQ(repeating->interval(), milliseconds(1));
    repeating->stop();
    under->pass(milliseconds(10));
    EXPECT_EQ(runs, 1);
}

TEST_P(TimersContract, WaitUntilEndsWhenTheFlagIsSet)
{
    bool flag = false;
    const auto setter = timers.create(Timer::Kind::SingleShot, [&] { flag = true; });
    setter->start(milliseconds(5));
    EXPECT_TRUE(eventually([&] { return flag; }));
}

TEST_P(TimersContract, WaitUntilGivesUpAtTheTimeOut)
{
    int runs = 0;
    const auto ticking = counting(Timer::Kind::Repeating, runs);
    ticking->start(milliseconds(1));
    EXPECT_FALSE(timers.waitUntil([] { return false; }, milliseconds(50)));
    // Timers run during the wait.
    EXPECT_GE(runs, 1);
}

TEST_P(TimersContract, WaitUntilLooksAtTheFlagFirst)
{
    int runs = 0;
    const auto timer = counting(Timer::Kind::SingleShot, runs);
    timer->start(milliseconds(0));
    EXPECT_TRUE(timers.waitUntil([] { return true; }, milliseconds(10000)));
    EXPECT_EQ(runs, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Timers, TimersContract,
    ::testing::Values(Kind{"Fake", [] { return std::unique_ptr<TimersUnderTest>(new FakeTimersUnderTest); }},
                      Kind{"Qt", [] { return std::unique_ptr<TimersUnderTest>(new QtTimersUnderTest); }}),
    [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

}  // namespace
