// The Manager's lifecycle as a host drives it: Prepare, the window, scoring,
// clearing, closing, and the properties the host reads.

#include "EngineFixture.h"

#include "platform/RuntimeError.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace exerva_test {
namespace {

TEST_F(EngineTest, PrepareCreatesAHiddenWindowWithAnId)
{
    EXPECT_EQ(manager->HandlefrmCT(), 0);
    ASSERT_EQ(prepare(), 1);
    ASSERT_NE(manager->window(), nullptr);
    EXPECT_FALSE(window().isVisible());
    EXPECT_NE(manager->HandlefrmCT(), 0);
    EXPECT_EQ(exerva::frmCT::fromWindowId(manager->HandlefrmCT()), manager->window());
}

TEST_F(EngineTest, PrepareRefusesARootShorterThanTwoCharacters)
{
    EXPECT_EQ(manager->Prepare(QStringLiteral("C"), false, 12), 23001);
    EXPECT_EQ(manager->window(), nullptr);
    EXPECT_EQ(manager->HandlefrmCT(), 0);
}

TEST_F(EngineTest, PrepareEndsTheRootWithTheModesSeparator)
{
    struct Case {
        QString root;
        bool modeInet;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("C:"), false, QStringLiteral("C:\\")},
        {QStringLiteral("C:"), true, QStringLiteral("C:/")},
        {QStringLiteral("/srv/cours"), false, QStringLiteral("\\srv\\cours\\")},
        {QStringLiteral("\\\\serveur\\cours\\"), true, QStringLiteral("//serveur/cours/")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(manager->Prepare(c.root, c.modeInet, 12), 1) << c.root.toStdString();
        EXPECT_EQ(context.pusCheminRoot, c.expected) << c.root.toStdString();
    }
}

TEST_F(EngineTest, SecondPrepareClosesTheFirstWindow)
{
    ASSERT_EQ(prepare(), 1);
    const QPointer<exerva::frmCT> first = manager->window();
    const long firstId = manager->HandlefrmCT();
    ASSERT_EQ(prepare(), 1);
    EXPECT_TRUE(first.isNull());
    EXPECT_NE(manager->HandlefrmCT(), firstId);
    EXPECT_EQ(exerva::frmCT::fromWindowId(firstId), nullptr);
}

TEST_F(EngineTest, ReleasingTheManagerWithoutQuitterClosesItsWindow)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    const QPointer<exerva::frmCT> shown = manager->window();
    manager.reset();
    EXPECT_TRUE(shown.isNull());
}

TEST_F(EngineTest, LearnerCannotCloseTheWindow)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("exoapp.xml")), 1);
    int refused = 0;
    window().setLearnerCloseHandler([&] { ++refused; });
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(refused, 1);
}

TEST_F(EngineTest, FailingCloseHandlerStillRefusesTheClose)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("exoapp.xml")), 1);
    window().setLearnerCloseHandler([] { throw platform::RuntimeError(platform::InvalidProcedureCall); });
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(EngineTest, TestePointScoresTheAnswerControl)
{
    struct Case {
        bool bravo;
        QString letter;
        long state;
    };
    const Case cases[] = {
        {true, QString(), 1},
        {false, QStringLiteral("B"), 1},
        {false, QString(), 23031},
    };
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    for (const Case& c : cases) {
        log->bravo = c.bravo;
        log->letter = c.letter;
        log->testePointState = c.state;
        EXPECT_EQ(manager->TestePoint(), c.state);
        EXPECT_EQ(manager->Bravo(), c.bravo);
        EXPECT_EQ(manager->LettreReponse(), c.letter);
    }
    for (const RecordedCall& call : log->callsTo(QStringLiteral("TestePoint")))
        EXPECT_EQ(call.control, QStringLiteral("Answer"));
}

TEST_F(EngineTest, TestePointWithoutAnAnswerControlGives23024)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("exoapp.xml")), 1);
    log->bravo = true;
    EXPECT_EQ(manager->TestePoint(), 23024);
    EXPECT_FALSE(manager->Bravo());
    EXPECT_EQ(manager->LettreReponse(), QString());
}

TEST_F(EngineTest, FailedLoadNeverScoresTheEarlierAnswerControl)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    ASSERT_EQ(load(QStringLiteral("missing.xml")), 23043);
    // The failure's code is still in force, and is what scoring reports.
    EXPECT_EQ(manager->TestePoint(), 23043);
    EXPECT_TRUE(log->callsTo(QStringLiteral("TestePoint")).isEmpty());
}

TEST_F(EngineTest, FermePointRemovesEveryControlAndKeepsTheWindow)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    EXPECT_EQ(manager->FermePoint(), 1);
    EXPECT_EQ(window().controlCount(), 0);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(log->destroyed, (QStringList{"Q1", "I1", "Answer"}));
    EXPECT_EQ(manager->TestePoint(), 23024);
    // The cleared window takes the next question.
    EXPECT_EQ(load(QStringLiteral("question.xml")), 1);
}

TEST_F(EngineTest, FermePointAndQuitterWithoutAWindowReturnOne)
{
    EXPECT_EQ(manager->FermePoint(), 1);
    EXPECT_EQ(manager->Quitter(), 1);
    ASSERT_EQ(prepare(), 1);
    EXPECT_EQ(manager->Quitter(), 1);
    EXPECT_EQ(manager->Quitter(), 1);
    EXPECT_EQ(manager->FermePoint(), 1);
}

TEST_F(EngineTest, QuitterClosesTheWindow)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    const QPointer<exerva::frmCT> shown = manager->window();
    EXPECT_EQ(manager->Quitter(), 1);
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(manager->HandlefrmCT(), 0);
    EXPECT_EQ(manager->TestePoint(), 23024);
    // Without a window a file that loads cannot be shown.
    EXPECT_EQ(load(QStringLiteral("question.xml")), 23045);
}

TEST_F(EngineTest, InitQuestionRefusesWhatCannotBeLoaded)
{
    EXPECT_EQ(load(QStringLiteral("question.xml")), 23041) << "no root before Prepare";
    ASSERT_EQ(manager->Prepare(QStringLiteral("C"), false, 12), 23001);
    EXPECT_EQ(load(QStringLiteral("question.xml")), 23041) << "a refused root";
    ASSERT_EQ(prepare(), 1);
    const QString names[] = {
        QStringLiteral("../12F/question.xml"),
        QStringLiteral("..\\12F\\question.xml"),
        QStringLiteral("/etc/hostname"),
        QStringLiteral("C:\\question.xml"),
        QString(),
    };
    for (const QString& name : names)
        EXPECT_EQ(load(name), 23041) << name.toStdString();
}

TEST_F(EngineTest, CallersFileNameComesBackInTheModesSeparators)
{
    ASSERT_EQ(prepare(false), 1);
    QString name = QStringLiteral("./exoapp.xml");
    EXPECT_EQ(manager->InitQuestion(name, 1, 1), 1);
    EXPECT_EQ(name, QStringLiteral(".\\exoapp.xml"));

    ASSERT_EQ(manager->FermePoint(), 1);
    ASSERT_EQ(prepare(true), 1);
    EXPECT_EQ(manager->InitQuestion(name, 1, 1), 1);
    EXPECT_EQ(name, QStringLiteral("./exoapp.xml"));
}

TEST_F(EngineTest, LastErrorIsReadOnce)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(manager->TestePoint(), 23024);
    EXPECT_EQ(manager->LastErrorNumber(), 730);
    EXPECT_EQ(manager->LastErrorNumber(), 0);
    EXPECT_EQ(manager->LastErrorDescription(), QStringLiteral("Control '' not found"));
    EXPECT_EQ(manager->LastErrorDescription(), QString());
}

TEST_F(EngineTest, LevelTracelageIsStoredOnlyBeforePrepare)
{
    manager->LevelTracelage(3);
    EXPECT_EQ(manager->LevelTracelage(), 3);
    manager->PathTracel(dir());
    ASSERT_EQ(prepare(), 1);
    EXPECT_EQ(manager->LevelTracelage(), 3);
    manager->LevelTracelage(2);
    EXPECT_EQ(manager->LevelTracelage(), 0);
}

TEST_F(EngineTest, TraceFolderAndFileNameAreKept)
{
    manager->PathTracel(QStringLiteral("/var/trace"));
    manager->FileTracel(QStringLiteral("Exo"));
    EXPECT_EQ(manager->PathTracel(), QStringLiteral("/var/trace"));
    EXPECT_EQ(manager->FileTracel(), QStringLiteral("Exo"));
}

}  // namespace
}  // namespace exerva_test
