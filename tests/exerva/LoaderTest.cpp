// The exercise file loader as the Manager drives it: the file's layout, the
// window node, zones, OBJECT and CALLBYNAME nodes, each fault of a file giving
// its code.

#include "EngineFixture.h"

#include "exerva/ExerciseControl.h"
#include "support/CaseName.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <gtest/gtest.h>

namespace exerva_test {
namespace {

struct FileCase {
    const char* file;
    long instance;
    long expected;
};

void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.file << " (instance " << c.instance << ")";
}

class LoaderFileTest : public EngineTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(LoaderFileTest, GivesTheCodeOfTheFilesFault)
{
    ASSERT_EQ(prepare(), 1);
    EXPECT_EQ(load(QString::fromLatin1(GetParam().file), GetParam().instance), GetParam().expected);
    EXPECT_EQ(context.pulStateEnCours, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, LoaderFileTest,
    ::testing::Values(FileCase{"question.xml", 1, 1}, FileCase{"exoapp.xml", 1, 1}, FileCase{"both.xml", 2, 1},
                      FileCase{"missing.xml", 1, 23043}, FileCase{"not-well-formed.xml", 1, 23043},
                      FileCase{"empty.xml", 1, 23043}, FileCase{"no-information.xml", 1, 23044},
                      FileCase{"no-question.xml", 1, 23042}, FileCase{"information-seven.xml", 1, 23046},
                      FileCase{"question-four.xml", 1, 23047}, FileCase{"exoapp-two.xml", 1, 23048},
                      FileCase{"bad-form-question.xml", 1, 23010}, FileCase{"bad-form-exoapp.xml", 1, 23049},
                      FileCase{"unknown-class.xml", 1, 23012}, FileCase{"duplicate-object.xml", 1, 23012},
                      FileCase{"bad-dimension.xml", 1, 23013}, FileCase{"negative-size.xml", 1, 23013},
                      FileCase{"call-missing-control.xml", 1, 23017}, FileCase{"call-bad-calltype.xml", 1, 23015},
                      FileCase{"call-kind3.xml", 1, 23016}, FileCase{"call-failing-value.xml", 1, 23018},
                      FileCase{"call-outer-fails.xml", 1, 23014}, FileCase{"call-inner-fails.xml", 1, 23018},
                      FileCase{"tools-escape.xml", 1, 23018}, FileCase{"call-deep-16.xml", 1, 1},
                      FileCase{"call-deep-17.xml", 1, 23014}, FileCase{"information-flag-bad.xml", 1, 23008},
                      // The host's own file names are looked up without regard to case.
                      FileCase{"QUESTION.XML", 1, 1}),
    [](const ::testing::TestParamInfo<FileCase>& info) {
        const QString file = QString::fromUtf8(info.param.file).section(u'.', 0, 0);
        return testsupport::caseName(info.param.instance == 1 ? file : file + QStringLiteral("_instance") + QString::number(info.param.instance));
    });

TEST_F(EngineTest, QuestionFileBuildsTheWindowFromItsFormNode)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);
    EXPECT_TRUE(manager->showsQuestion());

    exerva::frmCT& w = window();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Question un"));
    EXPECT_EQ(w.size(), QSize(200, 120));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.pos(), QPoint(screen.x() + (screen.width() - 200) / 2, screen.y() + (screen.height() - 120) / 2));
    // 255 is red in the file's colour numbers (0x00BBGGRR).
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(255, 0, 0));
}

TEST_F(EngineTest, EmptyColourKeepsTheWindowsColour)
{
    ASSERT_EQ(prepare(), 1);
    const QColor before = window().palette().color(QPalette::Window);
    ASSERT_EQ(load(QStringLiteral("exoapp.xml")), 1);
    EXPECT_EQ(window().palette().color(QPalette::Window), before);
}

TEST_F(EngineTest, QuestionFileAddsItsControlsSizedAndStacked)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);

    exerva::frmCT& w = window();
    EXPECT_EQ(w.controlNames(), (QStringList{"Tools", "Q1", "I1", "Answer"}));
    EXPECT_TRUE(w.control(QStringLiteral("tools"))->isHidden());
    exerva::ExerciseControl* q1 = w.control(QStringLiteral("Q1"));
    EXPECT_TRUE(q1->isVisible());
    EXPECT_EQ(q1->geometry(), QRect(12, 8, 150, 30));
    // "0" brings Answer in front of everything, "1" sends I1 behind everything; Q1 had no z-order.
    const QObjectList stack = w.children();
    EXPECT_EQ(stack.last(), w.control(QStringLiteral("Answer")));
    EXPECT_EQ(stack.indexOf(w.control(QStringLiteral("I1"))), 0);
}

TEST_F(EngineTest, CallByNameNodesReachTheControlsMembers)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("question.xml")), 1);

    auto* q1 = qobject_cast<RecordingControl*>(window().control(QStringLiteral("Q1")));
    ASSERT_NE(q1, nullptr);
    EXPECT_EQ(q1->caption(), QStringLiteral("Bonjour"));
    // A numeric value goes as a whole number, not as text.
    EXPECT_EQ(q1->backColor().typeId(), QMetaType::Long);
    EXPECT_EQ(q1->backColor().toLongLong(), 12);

    // The kind-2 call passes what Tools handed back: the application folder, in the mode's separators.
    const QList<RecordedCall> echoes = log->callsTo(QStringLiteral("Echo"));
    ASSERT_EQ(echoes.size(), 1);
    EXPECT_EQ(echoes[0].control, QStringLiteral("I1"));
    EXPECT_EQ(echoes[0].arguments.value(0).toString(), context.pusCheminRoot + QStringLiteral("12F\\media\\film.swf"));

    // Kind 4 hands the control the node itself.
    EXPECT_EQ(log->callsTo(QStringLiteral("InitXMLQuestion")).value(0).arguments.value(0).toString(), "QUESTION");
    EXPECT_EQ(log->callsTo(QStringLiteral("InitXMLReponse")).value(0).arguments.value(0).toString(), "REPONSE");
}

TEST_F(EngineTest, FailingStepStopsTheLoadButKeepsWhatWasAdded)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("call-inner-fails.xml")), 23018);
    EXPECT_EQ(window().controlNames(), QStringList{"Q1"});
    // The outer member is never called with what a failed inner call left.
    EXPECT_TRUE(log->callsTo(QStringLiteral("Echo")).isEmpty());
    EXPECT_TRUE(log->called(QStringLiteral("Q1"), QStringLiteral("Fail")));
}

TEST_F(EngineTest, ArgumentKindThreeCallsNothing)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("call-kind3.xml")), 23016);
    EXPECT_TRUE(log->calls.isEmpty());
}

TEST_F(EngineTest, ToolsRefusesAFileLeavingTheApplicationFolder)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("tools-escape.xml")), 23018);
    EXPECT_TRUE(log->callsTo(QStringLiteral("Echo")).isEmpty());
    EXPECT_EQ(manager->LastErrorNumber(), 52);
}

TEST_F(EngineTest, ControlsFailingStateStopsItsZone)
{
    log->initQuestionState = 23029;
    ASSERT_EQ(prepare(), 1);
    EXPECT_EQ(load(QStringLiteral("question.xml")), 23029);
    EXPECT_TRUE(log->callsTo(QStringLiteral("InitXMLReponse")).isEmpty());
}

TEST_F(EngineTest, ExerciseApplicationWinsOverTheQuestionOfTheSameInstance)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("both.xml"), 2), 1);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Exercice"));
    EXPECT_EQ(window().controlNames(), (QStringList{"Tools", "Work"}));
    EXPECT_FALSE(manager->showsQuestion());
    // No answer zone: nothing to score.
    EXPECT_EQ(manager->TestePoint(), 23024);
}

TEST_F(EngineTest, BisQuestionIsReadFromTheEbFolder)
{
    ASSERT_EQ(prepare(), 1);
    EXPECT_EQ(load(QStringLiteral("bis.xml"), 4, 2), 1);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Question bis"));
    EXPECT_EQ(load(QStringLiteral("question.xml"), 1, 2), 23043);
}

TEST_F(EngineTest, InformationFlagSaysWhetherTextsAreScrambled)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("scrambled.xml")), 1);
    EXPECT_TRUE(context.scrambledTexts);
    ASSERT_EQ(manager->FermePoint(), 1);
    ASSERT_EQ(load(QStringLiteral("exoapp.xml")), 1);
    EXPECT_FALSE(context.scrambledTexts);
}

TEST_F(EngineTest, SecondLoadWithoutClearingCollidesWithTheFirstControls)
{
    ASSERT_EQ(prepare(), 1);
    ASSERT_EQ(load(QStringLiteral("exoapp.xml")), 1);
    EXPECT_EQ(load(QStringLiteral("question.xml")), 23012);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Question un"));
}

}  // namespace
}  // namespace exerva_test
