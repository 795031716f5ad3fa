// The launcher's starts, its state between runs and the end of its process.

#include "PelagoFixture.h"

#include "pelago/frmInet.h"

#include "basalo/enuFunctionReturnState.h"

namespace {

using pelago::StateBusy;
using pelago::StateNone;
using pelago::StateReady;

class LifetimeTest : public pelagotest::PelagoTest {};

TEST_F(LifetimeTest, FirstStartBuildsTheSessionAndHoldsTheIdleTimer)
{
    EXPECT_EQ(manager_->BarreManager(), nullptr);
    ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
    EXPECT_EQ(data_.StateEnCours, StateBusy);
    EXPECT_EQ(manager_->StateErrorEnCours(), 1);
    EXPECT_EQ(data_.pudteAttenteDestruction, std::chrono::minutes(10));
    ASSERT_NE(manager_->BarreManager(), nullptr);
    EXPECT_EQ(barre().LangueEnCours(), QStringLiteral("1036"));
    EXPECT_FALSE(barre().Form()->TimerPersist().isActive());
    EXPECT_EQ(players_->calls, QStringList{QStringLiteral("CreateManager 1036")});
}

TEST_F(LifetimeTest, StartWhileARunIsUnderWayIsRefusedAndLeavesTheRun)
{
    start();
    auto* session = manager_->BarreManager();
    EXPECT_FALSE(manager_->AskStart(QStringLiteral("1033"), QStringLiteral("00:00:01")));
    EXPECT_EQ(manager_->StateErrorEnCours(), basalo::enuFunctionReturnState_Pelago_clsManager_AskStart_StateBusy);
    EXPECT_EQ(manager_->LastError(), QStringLiteral("Une formation est déjà en cours."));
    EXPECT_EQ(manager_->LastError(), QStringLiteral("Une formation est déjà en cours."));
    EXPECT_EQ(data_.StateEnCours, StateBusy);
    EXPECT_EQ(manager_->BarreManager(), session);
    EXPECT_EQ(session->LangueEnCours(), QStringLiteral("1036"));
    EXPECT_EQ(data_.pudteAttenteDestruction, std::chrono::minutes(10));
    manager_->ClearError();
    EXPECT_EQ(manager_->StateErrorEnCours(), 0);
    EXPECT_EQ(manager_->LastError(), QString());
}

TEST_F(LifetimeTest, FailedFirstStartsReleaseEverythingAndSayWhy)
{
    struct Case {
        const char* name;
        std::function<void()> breakIt;
        long code;
    };
    const Case cases[] = {
        {"no registry", [this] { data_.createRegistry = [] { return nullptr; }; },
         basalo::enuFunctionReturnState_Pelago_CommonData_puInitObjects_ErreurReg},
        {"no question player", [this] { data_.createPlayer = nullptr; },
         basalo::enuFunctionReturnState_Pelago_clsBarreManager_InitBarre_ErreurBarre},
        {"player refuses the language", [this] { players_->failingLanguages = {QStringLiteral("1036")}; }, 4242},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.breakIt();
        EXPECT_FALSE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
        EXPECT_EQ(manager_->StateErrorEnCours(), c.code);
        EXPECT_EQ(data_.StateEnCours, StateNone);
        EXPECT_EQ(manager_->BarreManager(), nullptr);
        EXPECT_EQ(data_.puoKavReg, nullptr);
        EXPECT_EQ(data_.oLangue, nullptr);
        EXPECT_EQ(timers_.activeCount(), 0);
    }
}

TEST_F(LifetimeTest, KeepAliveDelayThatIsNoTimeIsAnUnforeseenError)
{
    EXPECT_FALSE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("dix minutes")));
    EXPECT_EQ(manager_->StateErrorEnCours(), basalo::enuFunctionReturnState_Pelago_clsManager_AskStart_ErreurInconnue);
    EXPECT_EQ(manager_->LastErrorNumber(), platform::TypeMismatch);
    EXPECT_EQ(data_.StateEnCours, StateNone);
    // A date value's day fraction is a time of day too.
    EXPECT_TRUE(manager_->AskStart(QStringLiteral("1036"), 10.0 / 1440.0));
    EXPECT_EQ(data_.pudteAttenteDestruction, std::chrono::minutes(10));
}

TEST_F(LifetimeTest, ReadyLauncherStartsAgainInTheAskedLanguageAndIgnoresTheNewDelay)
{
    start();
    data_.enterReady();
    ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:00:01")));
    EXPECT_EQ(data_.StateEnCours, StateBusy);
    EXPECT_EQ(data_.pudteAttenteDestruction, std::chrono::minutes(10));
    EXPECT_EQ(players_->calls, QStringList{QStringLiteral("CreateManager 1036")});

    data_.enterReady();
    ASSERT_TRUE(manager_->AskStart(QStringLiteral("1033"), QStringLiteral("00:00:01")));
    EXPECT_EQ(players_->calls, (QStringList{QStringLiteral("CreateManager 1036"), QStringLiteral("Destroy"),
                                            QStringLiteral("CreateManager 1033")}));
    EXPECT_FALSE(barre().Form()->TimerPersist().isActive());
}

TEST_F(LifetimeTest, ReadyLauncherThatCannotSpeakTheLanguageStaysReady)
{
    start();
    data_.enterReady();
    players_->failingLanguages = {QStringLiteral("1033")};
    EXPECT_FALSE(manager_->AskStart(QStringLiteral("1033"), QStringLiteral("00:00:01")));
    EXPECT_EQ(data_.StateEnCours, StateReady);
    EXPECT_EQ(manager_->StateErrorEnCours(), 4242);
    EXPECT_TRUE(barre().Form()->TimerPersist().isActive());
    // The bar that failed is built again next time rather than taken for loaded.
    players_->failingLanguages.clear();
    EXPECT_TRUE(manager_->AskStart(QStringLiteral("1033"), QStringLiteral("00:00:01")));
    EXPECT_EQ(players_->calls.count(QStringLiteral("CreateManager 1033")), 2);
}

TEST_F(LifetimeTest, ProcessEndsOnlyOnceIdleAndReadyPastTheDelay)
{
    start();
    clock_.advanceSeconds(3600);
    EXPECT_EQ(processEnds_, 0) << "a run under way keeps the process";

    data_.enterReady();
    clock_.advanceSeconds(9 * 60 + 50);
    EXPECT_EQ(processEnds_, 0) << "the idle time counts from the end of the run";
    clock_.advanceSeconds(20);
    EXPECT_EQ(processEnds_, 1);
    EXPECT_EQ(data_.StateEnCours, StateNone);
    EXPECT_EQ(manager_->BarreManager(), nullptr);
    EXPECT_EQ(data_.puoKavReg, nullptr);
    EXPECT_TRUE(players_->calls.endsWith(QStringLiteral("Destroy")));
    EXPECT_EQ(timers_.activeCount(), 0);
}

TEST_F(LifetimeTest, FailedStartLeavesTheIdleTimeCountingFromTheLastRunsEnd)
{
    // No run has ended yet: the process ends at the next tick of the idle timer.
    start();
    EXPECT_FALSE(barre().StartModule(QStringLiteral("12abc"), 1201, QStringLiteral("F")));
    EXPECT_EQ(data_.StateEnCours, StateReady);
    clock_.advanceMs(4900);
    EXPECT_EQ(processEnds_, 0);
    clock_.advanceMs(100);
    EXPECT_EQ(processEnds_, 1);
    EXPECT_EQ(manager_->BarreManager(), nullptr);

    // A run ended a minute before the failed start: the delay runs from that end.
    SetUp();
    processEnds_ = 0;
    start();
    data_.enterReady();
    clock_.advanceSeconds(60);
    ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:00:01")));
    EXPECT_FALSE(barre().StartModule(QStringLiteral("12abc"), 1201, QStringLiteral("F")));
    clock_.advanceSeconds(8 * 60 + 50);
    EXPECT_EQ(processEnds_, 0);
    clock_.advanceSeconds(20);
    EXPECT_EQ(processEnds_, 1);
}

TEST_F(LifetimeTest, ChangingTheDateDoesNotEndTheProcessEarly)
{
    start();
    data_.enterReady();
    clock_.set(clock_.now().addDays(2));
    clock_.advanceSeconds(60);
    EXPECT_EQ(processEnds_, 0);
}

TEST_F(LifetimeTest, EachStartAppendsToTheOneTraceFile)
{
    manager_->LevelTracelage(3);
    start();
    data_.enterReady();
    ASSERT_TRUE(manager_->AskStart(QStringLiteral("1036"), QStringLiteral("00:10:00")));
    const QString trace = traceText();
    EXPECT_EQ(trace.count(QStringLiteral("Public Function AskStart")), 2 * 2) << "entry and exit of each call";
    EXPECT_EQ(trace.count(QStringLiteral("Version plug-in : 1.2.0")), 2);
    EXPECT_TRUE(trace.contains(QStringLiteral("isLangue = 1036")));
}

TEST_F(LifetimeTest, EveryNewEntryObjectRestoresTheRunDefaults)
{
    start();
    barre().AttenteExitAU(QStringLiteral("00:00:10"));
    barre().WithExitAU(false);
    EXPECT_EQ(barre().AttenteExitAU(), QStringLiteral("00:00:10"));
    pelago::clsManager another(data_);
    EXPECT_EQ(barre().AttenteExitAU(), QStringLiteral("00:00:03"));
    EXPECT_EQ(barre().AttenteHide(), QStringLiteral("00:00:05"));
    EXPECT_TRUE(barre().WithExitAU());
    EXPECT_EQ(another.LastErrorString(), QString());
}

}  // namespace
