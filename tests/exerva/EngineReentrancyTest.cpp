// A control's code that re-enters the engine while the engine waits for it:
// closing, clearing, replacing or releasing what the load or the scoring is
// using, or starting another load. The engine never uses what is gone, and
// says what happened through its codes.

#include "EngineFixture.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace exerva_test {
namespace {

struct ReentryCase {
    const char* name;
    // What the control does to the engine from inside its member.
    std::function<void()> reenter;
    bool managerSurvives;
};

class EngineReentrancyTest : public EngineTest {
protected:
    std::vector<ReentryCase> reentries()
    {
        return {
            {"Quitter", [this] { manager->Quitter(); }, true},
            {"FermePoint", [this] { manager->FermePoint(); }, true},
            {"Prepare", [this] { manager->Prepare(fixturesRoot(), false, fixtureAppli); }, true},
            {"release", [this] { manager.reset(); }, false},
        };
    }
};

TEST_F(EngineReentrancyTest, ControlThatEndsItsWindowDuringTheLoadStopsTheLoad)
{
    for (const ReentryCase& c : reentries()) {
        SCOPED_TRACE(c.name);
        manager = std::make_unique<exerva::Manager>(context, *registry);
        ASSERT_EQ(prepare(), 1);
        log->destroyed.clear();
        // The answer control's InitXMLQuestion is followed by its InitXMLReponse,
        // which finds the control, or the window, gone.
        log->onInitXMLQuestion = c.reenter;
        EXPECT_EQ(load(QStringLiteral("question.xml")), 23016);
        log->onInitXMLQuestion = nullptr;
        EXPECT_TRUE(log->destroyed.contains(QStringLiteral("Answer")));
        EXPECT_TRUE(log->callsTo(QStringLiteral("InitXMLReponse")).isEmpty());
        log->calls.clear();
        EXPECT_EQ(manager != nullptr, c.managerSurvives);
    }
}

TEST_F(EngineReentrancyTest, ControlThatEndsItsWindowWhileScoringKeepsItsOutcome)
{
    for (const ReentryCase& c : reentries()) {
        SCOPED_TRACE(c.name);
        manager = std::make_unique<exerva::Manager>(context, *registry);
        ASSERT_EQ(prepare(), 1);
        ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
        log->bravo = false;
        log->letter = QStringLiteral("B");
        log->onTestePoint = c.reenter;
        exerva::Manager* const scoring = manager.get();
        EXPECT_EQ(scoring->TestePoint(), 1);
        log->onTestePoint = nullptr;
        if (c.managerSurvives) {
            EXPECT_FALSE(manager->Bravo());
            EXPECT_EQ(manager->LettreReponse(), QStringLiteral("B"));
        }
    }
}

TEST_F(EngineReentrancyTest, LoadStartedDuringALoadIsRefused)
{
    ASSERT_EQ(prepare(), 1);
    long nested = 0;
    log->onInitXMLQuestion = [&] {
        QString other = QStringLiteral("exoapp.xml");
        nested = manager->InitQuestion(other, 1, 1);
    };
    EXPECT_EQ(load(QStringLiteral("question.xml")), 1);
    EXPECT_EQ(nested, 23041);
    // The running load went on as if nothing had been asked.
    EXPECT_EQ(window().controlNames(), (QStringList{"Tools", "Q1", "I1", "Answer"}));
    EXPECT_EQ(manager->TestePoint(), 1);
    EXPECT_TRUE(log->called(QStringLiteral("Answer"), QStringLiteral("TestePoint")));
}

TEST_F(EngineReentrancyTest, LoadAfterAReentryStartsAfresh)
{
    ASSERT_EQ(prepare(), 1);
    log->onInitXMLQuestion = [this] { manager->FermePoint(); };
    ASSERT_EQ(load(QStringLiteral("question.xml")), 23016);
    log->onInitXMLQuestion = nullptr;
    ASSERT_EQ(manager->FermePoint(), 1);
    EXPECT_EQ(load(QStringLiteral("question.xml")), 1);
    EXPECT_EQ(manager->TestePoint(), 1);
}

TEST_F(EngineReentrancyTest, CloseHandlerThatEndsTheEngineTakesTheWindowWithIt)
{
    for (const ReentryCase& c : reentries()) {
        SCOPED_TRACE(c.name);
        manager = std::make_unique<exerva::Manager>(context, *registry);
        ASSERT_EQ(prepare(), 1);
        ASSERT_EQ(load(QStringLiteral("exoapp.xml")), 1);
        const QPointer<exerva::frmCT> shown = manager->window();
        shown->setLearnerCloseHandler(c.reenter);
        // Quitter, Prepare and the release each end the window inside its close; FermePoint only clears it.
        const bool ends = c.name != std::string("FermePoint");
        EXPECT_EQ(shown->close(), ends);
        EXPECT_EQ(shown.isNull(), ends);
    }
}

TEST_F(EngineTest, ResultThatIsNotANumberKeepsWhatTheControlWrote)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    log->bravo = true;
    log->letter = QStringLiteral("C");
    log->testePointResult = QStringLiteral("abc");
    EXPECT_EQ(manager->TestePoint(), 23024);
    EXPECT_EQ(manager->LastErrorNumber(), 13);
    EXPECT_TRUE(manager->Bravo());
    EXPECT_EQ(manager->LettreReponse(), QStringLiteral("C"));
}

}  // namespace
}  // namespace exerva_test
