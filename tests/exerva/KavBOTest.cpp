// The single-choice control: options built from the question node, letters
// from the answer node, the exclusive choice, the reveal button, scoring,
// appearance through the member table, and each failure's code.

#include "KavTestSupport.h"
#include "support/Screenshot.h"

#include "exerva/ControlRegistry.h"
#include "exerva/Manager.h"
#include "exerva/controls/KavBO.h"
#include "exerva/frmCT.h"

#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using exerva::KavBO;

constexpr long stateOk = 1;
// 0x80000005, the system window colour, as a Long.
constexpr long windowColour = -2147483643L;

class KavBOTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The pixel expectations below are those of an ordinary 96 dpi screen.
        ASSERT_EQ(platform::twipsPerPixelX(), 15);
        ASSERT_EQ(platform::twipsPerPixelY(), 15);
    }

    QDomElement capitals(const char* part) const { return document.documentElement().firstChildElement(part); }

    long build() { return control.InitXMLQuestion(capitals("QUESTION")); }

    long buildAndKey()
    {
        const long question = build();
        return question == stateOk ? control.InitXMLReponse(capitals("REPONSE")) : question;
    }

    // Every option's hidden state, in index order.
    std::vector<bool> hiddenOptions() const
    {
        std::vector<bool> hidden;
        for (int i = 0; i < control.optionCount(); ++i)
            hidden.push_back(control.optionButton(i)->isHidden());
        return hidden;
    }

    QVariant call(const char* member, long callType, QVariantList arguments = {})
    {
        return control.callByName(QString::fromLatin1(member), callType, arguments);
    }

    kavtest::TracedContext traced;
    exerva::ExervaContext& context = traced.context;
    KavBO control{context};
    QDomDocument document = kavtest::fixtureDocument(QStringLiteral("bo/capitals.xml"));
};

TEST_F(KavBOTest, StartsAsDesignedWithOptionsHiddenAndTheRevealButtonShown)
{
    ASSERT_EQ(control.optionCount(), 1);
    const QRadioButton& first = *control.optionButton(0);
    EXPECT_EQ(first.geometry(), QRect(16, 16, 33, 25));
    EXPECT_TRUE(first.isHidden());
    EXPECT_EQ(first.text(), QString());
    EXPECT_EQ(first.font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(first.font().pointSizeF(), 9.75);
    EXPECT_FALSE(first.font().bold());

    const QPushButton& reveal = *control.revealButton();
    EXPECT_FALSE(reveal.isHidden());
    EXPECT_EQ(reveal.geometry(), QRect(16, 128, 89, 33));
    EXPECT_TRUE(reveal.font().bold());
    EXPECT_EQ(reveal.text(), QString());

    EXPECT_EQ(control.ModeVisible(), 0);
    EXPECT_EQ(control.BackColor(), windowColour);
    EXPECT_EQ(control.cmdBackColor(), 0x00FFF8F1);
    EXPECT_EQ(control.OptionFontSize(), 0);
    EXPECT_EQ(control.OptionBackColor(), 0);
    EXPECT_EQ(control.CmdCaption(), QString());
    EXPECT_EQ(control.cmdHeight(), 33);
    EXPECT_EQ(control.cmdWidth(), 89);
    EXPECT_EQ(control.cmdTop(), 128);
    EXPECT_EQ(control.cmdLeft(), 16);
}

TEST_F(KavBOTest, BuildsOneOptionPerObjectNodeInOrder)
{
    ASSERT_EQ(build(), stateOk);
    EXPECT_EQ(context.pulStateEnCours, stateOk);
    ASSERT_EQ(control.optionCount(), 3);
    const struct {
        QRect geometry;
        const char* caption;
    } expected[] = {
        {QRect(12, 10, 160, 20), "Paris"},
        {QRect(14, 40, 150, 22), "Lyon"},
        {QRect(16, 70, 140, 24), "Nice"},
    };
    for (int i = 0; i < 3; ++i) {
        const QRadioButton& option = *control.optionButton(i);
        EXPECT_EQ(option.geometry(), expected[i].geometry) << i;
        EXPECT_EQ(option.text(), QString::fromLatin1(expected[i].caption)) << i;
        EXPECT_TRUE(option.isHidden()) << i;
        // Created options copy the first one's font.
        EXPECT_DOUBLE_EQ(option.font().pointSizeF(), 9.75) << i;
    }
    EXPECT_FALSE(control.revealButton()->isHidden());
}

TEST_F(KavBOTest, WritesItsTraceLines)
{
    ASSERT_EQ(buildAndKey(), stateOk);
    control.pressReveal();
    control.chooseOption(1);
    bool bravo = false;
    QString letter;
    ASSERT_EQ(control.TestePoint(bravo, letter), stateOk);

    const QString trace = traced.traceText();
    for (const char* line :
         {"KavBO, Public Function InitXMLQuestion", "Ajout de l'Option paris", "Ajout de l'Option nice",
          "Bizarre, pas un NODE_OBJECT, normalement il n'y a que ça", "KavBO, Fin Public Function InitXMLQuestion",
          "KavBO, Public Function InitXMLReponse", "NODE_OBJECT lyon", "NODE_NOCHECK ",
          "KavBO, Public Function TestePoint", "Bravo = False ; LettreReponse = B",
          "KavBO, Fin Public Function TestePoint"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
}

struct ScoreCase {
    const char* name;
    // The option chosen after the reveal, -1 for none.
    int chosen;
    // What the caller passes in.
    bool bravoIn;
    bool bravo;
    const char* letter;
};

void PrintTo(const ScoreCase& c, std::ostream* os) { *os << c.name; }

class KavBOScoreTest : public KavBOTest, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(KavBOScoreTest, ScoresTheChosenOption)
{
    ASSERT_EQ(buildAndKey(), stateOk);
    ASSERT_TRUE(control.pressReveal());
    if (GetParam().chosen >= 0) {
        ASSERT_TRUE(control.chooseOption(GetParam().chosen));
    }
    bool bravo = GetParam().bravoIn;
    QString letter;
    EXPECT_EQ(control.TestePoint(bravo, letter), stateOk);
    EXPECT_EQ(bravo, GetParam().bravo);
    EXPECT_EQ(letter, QString::fromLatin1(GetParam().letter));
    EXPECT_EQ(context.pulStateEnCours, stateOk);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, KavBOScoreTest,
    ::testing::Values(ScoreCase{"RightOption", 0, false, true, ""}, ScoreCase{"WrongOption", 1, false, false, "B"},
                      ScoreCase{"NoChoice", -1, false, false, "N"},
                      // An option the answer node gave no letter counts as no choice.
                      ScoreCase{"OptionWithoutLetter", 2, false, false, "N"},
                      // No choice is never right, whatever the caller passed in.
                      ScoreCase{"NoChoiceCallerPassedTrue", -1, true, false, "N"}),
    kavtest::CaseName());

TEST_F(KavBOTest, ChoosingAnOptionClearsTheOthers)
{
    ASSERT_EQ(buildAndKey(), stateOk);
    control.ModeVisible(1);
    ASSERT_TRUE(control.chooseOption(0));
    ASSERT_TRUE(control.chooseOption(1));
    EXPECT_FALSE(control.optionButton(0)->isChecked());
    EXPECT_TRUE(control.optionButton(1)->isChecked());
    // Choosing the chosen option again keeps it chosen.
    ASSERT_TRUE(control.chooseOption(1));
    EXPECT_TRUE(control.optionButton(1)->isChecked());
}

TEST_F(KavBOTest, MouseClickChoosesAnOption)
{
    ASSERT_EQ(buildAndKey(), stateOk);
    control.resize(300, 200);
    control.show();
    QTest::mouseClick(control.revealButton(), Qt::LeftButton);
    EXPECT_TRUE(control.revealButton()->isHidden());
    QTest::mouseClick(control.optionButton(0), Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(control.optionButton(0)->isChecked());
    bool bravo = false;
    QString letter;
    control.TestePoint(bravo, letter);
    EXPECT_TRUE(bravo);
}

TEST_F(KavBOTest, KeyboardChoosesAndMovesBetweenOptions)
{
    ASSERT_EQ(buildAndKey(), stateOk);
    control.resize(300, 200);
    control.show();
    control.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&control));
    ASSERT_TRUE(control.pressReveal());
    control.optionButton(0)->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), control.optionButton(0));
    QTest::keyClick(control.optionButton(0), Qt::Key_Space);
    EXPECT_TRUE(control.optionButton(0)->isChecked());
    // An arrow key moves to the next option of the group and chooses it.
    QTest::keyClick(control.optionButton(0), Qt::Key_Down);
    EXPECT_TRUE(control.optionButton(1)->isChecked());
    EXPECT_FALSE(control.optionButton(0)->isChecked());
    bool bravo = false;
    QString letter;
    control.TestePoint(bravo, letter);
    EXPECT_EQ(letter, QStringLiteral("B"));
}

TEST_F(KavBOTest, HiddenOptionsCannotBeChosen)
{
    ASSERT_EQ(buildAndKey(), stateOk);
    EXPECT_FALSE(control.chooseOption(0));
    EXPECT_FALSE(control.chooseOption(3));
    EXPECT_FALSE(control.chooseOption(-1));
    EXPECT_FALSE(control.optionButton(0)->isChecked());
}

TEST_F(KavBOTest, RevealShowsEveryOptionUncheckedAndHidesTheButton)
{
    ASSERT_EQ(buildAndKey(), stateOk);
    EXPECT_EQ(hiddenOptions(), std::vector<bool>({true, true, true}));
    // A choice made while the options were shown, then hidden again, is cleared by the reveal.
    control.ModeVisible(1);
    ASSERT_TRUE(control.chooseOption(1));
    control.ModeVisible(0);
    ASSERT_FALSE(control.revealButton()->isHidden());

    ASSERT_TRUE(control.pressReveal());
    EXPECT_EQ(hiddenOptions(), std::vector<bool>({false, false, false}));
    for (int i = 0; i < control.optionCount(); ++i)
        EXPECT_FALSE(control.optionButton(i)->isChecked()) << i;
    EXPECT_TRUE(control.revealButton()->isHidden());
    EXPECT_EQ(control.ModeVisible(), -1);
    EXPECT_FALSE(control.pressReveal());

    // The exclusive group still works after the reveal cleared it.
    ASSERT_TRUE(control.chooseOption(2));
    ASSERT_TRUE(control.chooseOption(0));
    EXPECT_FALSE(control.optionButton(2)->isChecked());
}

TEST_F(KavBOTest, ModeVisibleWrittenBeforeBuildingShowsTheOptionsAndZeroHidesThem)
{
    control.ModeVisible(1);
    EXPECT_TRUE(control.revealButton()->isHidden());
    ASSERT_EQ(build(), stateOk);
    EXPECT_EQ(hiddenOptions(), std::vector<bool>({false, false, false}));
    EXPECT_EQ(control.ModeVisible(), -1);

    control.ModeVisible(0);
    EXPECT_EQ(hiddenOptions(), std::vector<bool>({true, true, true}));
    EXPECT_FALSE(control.revealButton()->isHidden());
    EXPECT_EQ(control.ModeVisible(), 0);
}

TEST_F(KavBOTest, QuestionWithoutOptionsGivesTheNoCheckLetter)
{
    const QDomDocument empty = kavtest::xmlDocument(QStringLiteral("<QUESTION><NOTE/></QUESTION>"));
    ASSERT_EQ(control.InitXMLQuestion(empty.documentElement()), stateOk);
    EXPECT_EQ(control.optionCount(), 1);
    const QDomDocument key = kavtest::xmlDocument(QStringLiteral("<REPONSE><NOCHECK>N</NOCHECK></REPONSE>"));
    ASSERT_EQ(control.InitXMLReponse(key.documentElement()), stateOk);
    ASSERT_TRUE(control.pressReveal());
    ASSERT_TRUE(control.chooseOption(0));
    bool bravo = false;
    QString letter;
    EXPECT_EQ(control.TestePoint(bravo, letter), stateOk);
    EXPECT_FALSE(bravo);
    EXPECT_EQ(letter, QStringLiteral("N"));
}

TEST_F(KavBOTest, LastNoCheckWinsAndIdentifiersIgnoreCase)
{
    ASSERT_EQ(build(), stateOk);
    const QDomDocument key = kavtest::xmlDocument(QStringLiteral(
        "<R><NOCHECK>N1</NOCHECK><OBJECT><ID>LYON</ID><L>X</L></OBJECT><NOCHECK>N2</NOCHECK></R>"));
    ASSERT_EQ(control.InitXMLReponse(key.documentElement()), stateOk);
    EXPECT_EQ(control.optionLetter(1), QStringLiteral("X"));
    bool bravo = false;
    QString letter;
    control.TestePoint(bravo, letter);
    EXPECT_EQ(letter, QStringLiteral("N2"));
}

TEST_F(KavBOTest, ScrambledCaptionsAndLettersAreDescrambled)
{
    context.scrambledTexts = true;
    const QDomDocument question = kavtest::xmlDocument(
        QStringLiteral("<Q><OBJECT><ID>a</ID><H>20</H><W>90</W><T>0</T><L>0</L><C>%1</C></OBJECT>"
                       "<OBJECT><ID>b</ID><H>20</H><W>90</W><T>30</T><L>0</L><C>%2</C></OBJECT></Q>")
            .arg(kavtest::scramble(QStringLiteral("Été")), kavtest::scramble(QStringLiteral("Hiver"))));
    ASSERT_EQ(control.InitXMLQuestion(question.documentElement()), stateOk);
    EXPECT_EQ(control.optionButton(0)->text(), QStringLiteral("Été"));
    EXPECT_EQ(control.optionButton(1)->text(), QStringLiteral("Hiver"));

    const QDomDocument key = kavtest::xmlDocument(
        QStringLiteral("<R><OBJECT><ID>a</ID><L>%1</L></OBJECT><OBJECT><ID>b</ID><L>%2</L></OBJECT>"
                       "<NOCHECK>%3</NOCHECK></R>")
            .arg(kavtest::scramble(QStringLiteral("0")), kavtest::scramble(QStringLiteral("H")),
                 kavtest::scramble(QStringLiteral("N"))));
    ASSERT_EQ(control.InitXMLReponse(key.documentElement()), stateOk);
    EXPECT_EQ(control.optionLetter(0), QStringLiteral("0"));
    EXPECT_EQ(control.optionLetter(1), QStringLiteral("H"));
    bool bravo = false;
    QString letter;
    control.TestePoint(bravo, letter);
    EXPECT_EQ(letter, QStringLiteral("N"));
}

using FailureCase = kavtest::QuestionFailureCase;

class KavBOQuestionFailureTest : public KavBOTest, public ::testing::WithParamInterface<FailureCase> {};

// The elements counted are the options.
TEST_P(KavBOQuestionFailureTest, StopsWithTheStepsCode)
{
    kavtest::expectQuestionFailure(control, context, GetParam());
    EXPECT_EQ(control.optionCount(), GetParam().elements);
}

#define BO_OPTION(id, caption) "<OBJECT><ID>" id "</ID><H>20</H><W>90</W><T>0</T><L>0</L><C>" caption "</C></OBJECT>"

INSTANTIATE_TEST_SUITE_P(
    Faults, KavBOQuestionFailureTest,
    ::testing::Values(
        FailureCase{"FiveChildren", false, "<Q><OBJECT><ID>a</ID><H>20</H><W>90</W><T>0</T><L>0</L></OBJECT></Q>",
                    23019, 91, 1},
        FailureCase{"SizeNotANumber", false, "<Q><OBJECT><ID>a</ID><H>x</H><W>90</W><T>0</T><L>0</L><C>c</C></OBJECT></Q>",
                    23019, 13, 1},
        FailureCase{"NegativeHeight", false,
                    "<Q><OBJECT><ID>a</ID><H>-5</H><W>90</W><T>0</T><L>0</L><C>c</C></OBJECT></Q>", 23019, 380, 1},
        FailureCase{"IdentifierUsedTwice", false, "<Q>" BO_OPTION("a", "x") BO_OPTION("A", "y") "</Q>", 23019, 457, 2},
        FailureCase{"CaptionNotHexadecimal", true, "<Q>" BO_OPTION("a", "ZZ616161") BO_OPTION("b", "A2616161") "</Q>",
                    23020, -1, 1},
        FailureCase{"CaptionTooShort", true, "<Q>" BO_OPTION("a", "A") "</Q>", 23021, -1, 1}),
    kavtest::CaseName());

TEST_F(KavBOTest, RunawayNumberOfOptionsStopsAtTheLastArrayElement)
{
    // Tens of thousands of trace lines would only slow the test down.
    context.trace.setLevel(0);
    // Option buttons are numbered up to 32767; one more is an overflow.
    constexpr int elements = 32768;
    QString xml = QStringLiteral("<Q>");
    for (int i = 0; i <= elements; ++i)
        xml += QStringLiteral("<OBJECT><ID>%1</ID><H>1</H><W>1</W><T>0</T><L>0</L><C/></OBJECT>").arg(i);
    const QDomDocument question = kavtest::xmlDocument(xml + QStringLiteral("</Q>"));
    EXPECT_EQ(control.InitXMLQuestion(question.documentElement()), 23019);
    EXPECT_EQ(context.lastError.number(), 6);
    // Delivering the widgets' pending events now keeps their destruction quick.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(control.optionCount(), elements);
}

using kavtest::KeyFailureCase;

class KavBOKeyFailureTest : public KavBOTest, public ::testing::WithParamInterface<KeyFailureCase> {};

TEST_P(KavBOKeyFailureTest, GivesTheCodeOfTheKeysFault)
{
    ASSERT_EQ(build(), stateOk);
    context.scrambledTexts = GetParam().scrambled;
    const QDomDocument key = kavtest::xmlDocument(QString::fromLatin1(GetParam().key));
    EXPECT_EQ(control.InitXMLReponse(key.documentElement()), GetParam().state);
    EXPECT_EQ(context.pulStateEnCours, GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, KavBOKeyFailureTest,
    ::testing::Values(
        // Every option has its letter, but nothing says what an unanswered question gives.
        KeyFailureCase{"NoNoCheck", false,
                       "<R><OBJECT><ID>paris</ID><L>0</L></OBJECT><OBJECT><ID>lyon</ID><L>B</L></OBJECT></R>", 23025},
        KeyFailureCase{"EmptyNoCheck", false, "<R><OBJECT><ID>paris</ID><L>0</L></OBJECT><NOCHECK/></R>", 23025},
        KeyFailureCase{"UnknownOption", false, "<R><NOCHECK>N</NOCHECK><OBJECT><ID>rome</ID><L>0</L></OBJECT></R>",
                       23022},
        KeyFailureCase{"ObjectWithOneChild", false, "<R><NOCHECK>N</NOCHECK><OBJECT><ID>paris</ID></OBJECT></R>",
                       23022},
        KeyFailureCase{"LetterNotHexadecimalAfterNoCheck", true,
                       "<R><NOCHECK>AE616161</NOCHECK><OBJECT><ID>paris</ID><L>QQ</L></OBJECT></R>", 23020},
        // The walk ended before any no-check letter was read.
        KeyFailureCase{"LetterNotHexadecimalBeforeNoCheck", true,
                       "<R><OBJECT><ID>paris</ID><L>QQ</L></OBJECT><NOCHECK>AE616161</NOCHECK></R>", 23025}),
    kavtest::CaseName());

TEST_F(KavBOTest, NullNodesFailWithTheCatchAllCodes)
{
    EXPECT_EQ(control.InitXMLQuestion(QDomNode()), 23019);
    EXPECT_EQ(control.InitXMLReponse(QDomNode()), 23022);
    EXPECT_EQ(context.lastError.number(), 91);
}

TEST_F(KavBOTest, MemberTableReachesTheContractAndTheAppearance)
{
    ASSERT_EQ(build(), stateOk);
    QVariantList key{QVariant::fromValue<QDomNode>(capitals("REPONSE"))};
    EXPECT_EQ(control.callByName(QStringLiteral("InitXMLReponse"), exerva::VbMethod, key).value<long>(), stateOk);

    call("ModeVisible", exerva::VbLet, {QStringLiteral("True")});
    EXPECT_EQ(call("modevisible", exerva::VbGet).value<long>(), -1);
    call("ModeVisible", exerva::VbLet, {QStringLiteral("0")});
    EXPECT_EQ(call("ModeVisible", exerva::VbGet).value<long>(), 0);
    call("ModeVisible", exerva::VbLet, {1});
    call("cmdWidth", exerva::VbLet, {100});
    EXPECT_EQ(control.revealButton()->width(), 100);
    EXPECT_EQ(call("cmdWidth", exerva::VbGet).value<long>(), 100);
    call("cmdHeight", exerva::VbLet, {QStringLiteral("40")});
    call("cmdTop", exerva::VbLet, {150});
    call("cmdLeft", exerva::VbLet, {20.5});
    EXPECT_EQ(control.revealButton()->geometry(), QRect(20, 150, 100, 40));
    call("CmdCaption", exerva::VbLet, {QStringLiteral("Voir")});
    EXPECT_EQ(call("CmdCaption", exerva::VbGet).toString(), QStringLiteral("Voir"));
    EXPECT_EQ(control.revealButton()->text(), QStringLiteral("Voir"));
    call("cmdBackColor", exerva::VbLet, {255});
    EXPECT_EQ(control.revealButton()->palette().color(QPalette::Button), QColor(255, 0, 0));

    call("OptionBackColor", exerva::VbLet, {0x00FF00});
    call("OptionForeColor", exerva::VbLet, {0xFF0000});
    call("OptionFontSize", exerva::VbLet, {14});
    for (int i = 0; i < control.optionCount(); ++i) {
        const QRadioButton& option = *control.optionButton(i);
        EXPECT_EQ(option.palette().color(option.backgroundRole()), QColor(0, 255, 0)) << i;
        EXPECT_EQ(option.palette().color(QPalette::WindowText), QColor(0, 0, 255)) << i;
        EXPECT_DOUBLE_EQ(option.font().pointSizeF(), 14.0) << i;
    }
    EXPECT_EQ(call("OptionFontSize", exerva::VbGet).value<long>(), 14);
    EXPECT_EQ(call("OptionBackColor", exerva::VbGet).value<long>(), 0x00FF00);

    // A system colour number, written unsigned, reads back as its Long.
    call("BackColor", exerva::VbLet, {qlonglong(0x8000000F)});
    EXPECT_EQ(call("BackColor", exerva::VbGet).value<long>(), -2147483633L);
    call("ForeColor", exerva::VbLet, {255});
    EXPECT_EQ(call("ForeColor", exerva::VbGet).value<long>(), 255);
    call("BackStyle", exerva::VbLet, {0});
    call("BorderStyle", exerva::VbLet, {1});
    EXPECT_EQ(call("BackStyle", exerva::VbGet).value<long>(), 0);
    EXPECT_EQ(call("BorderStyle", exerva::VbGet).value<long>(), 1);

    bool bravo = false;
    QString letter;
    QVariantList outs{bravo, letter};
    ASSERT_TRUE(control.chooseOption(1));
    EXPECT_EQ(control.callByName(QStringLiteral("TestePoint"), exerva::VbMethod, outs).value<long>(), stateOk);
    EXPECT_EQ(outs[0].toBool(), false);
    EXPECT_EQ(outs[1].toString(), QStringLiteral("B"));
}

TEST_F(KavBOTest, MemberTableRefusesWhatTheControlDoesNotTake)
{
    kavtest::expectRefused(control, {
                                        {"Caption", exerva::VbLet, {QStringLiteral("x")}, 438},
                                        {"cmdVisible_Click", exerva::VbMethod, {}, 438},
                                        {"ModeVisible", exerva::VbMethod, {}, 438},
                                        {"cmdWidth", exerva::VbLet, {QStringLiteral("wide")}, 13},
                                        {"cmdWidth", exerva::VbLet, {-1}, 380},
                                        {"BackStyle", exerva::VbLet, {2}, 380},
                                        {"BorderStyle", exerva::VbLet, {-1}, 380},
                                    });
    EXPECT_EQ(control.cmdWidth(), 89);
    EXPECT_EQ(control.BackStyle(), 1);
}

TEST_F(KavBOTest, OptionFontSizeOfZeroKeepsTheFont)
{
    ASSERT_EQ(build(), stateOk);
    control.OptionFontSize(0);
    EXPECT_EQ(control.OptionFontSize(), 0);
    EXPECT_DOUBLE_EQ(control.optionButton(2)->font().pointSizeF(), 9.75);
}

TEST_F(KavBOTest, SavesAScreenshotOfAFilledExercise)
{
    control.OptionBackColor(0x00F0FFFF);
    control.OptionForeColor(0x00800000);
    control.CmdCaption(QStringLiteral("Voir les choix"));
    ASSERT_EQ(buildAndKey(), stateOk);
    control.resize(220, 180);
    control.BorderStyle(1);
    control.show();
    EXPECT_FALSE(testsupport::saveScreenshot(control, QStringLiteral("KavBO-before-reveal")).isEmpty());
    ASSERT_TRUE(control.pressReveal());
    ASSERT_TRUE(control.chooseOption(1));
    EXPECT_FALSE(testsupport::saveScreenshot(control, QStringLiteral("KavBO")).isEmpty());
}

// Through the engine: the exercise file places the control in the answer zone,
// sets it up by name and the engine scores it.
class KavBOEngineTest : public kavtest::ControlThroughEngineTest<KavBO> {
protected:
    KavBOEngineTest() : ControlThroughEngineTest("Exerva.KavBO", "bo", 1) {}

    KavBO* choice() const { return control("Choix"); }
};

TEST_F(KavBOEngineTest, ScoresTheLearnersChoice)
{
    ASSERT_EQ(load("choice.xml"), stateOk);
    KavBO* control = choice();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->CmdCaption(), QStringLiteral("Voir les choix"));
    EXPECT_EQ(control->optionCount(), 2);

    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_FALSE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("N"));

    ASSERT_TRUE(control->pressReveal());
    ASSERT_TRUE(control->chooseOption(1));
    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_FALSE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("B"));

    ASSERT_TRUE(control->chooseOption(0));
    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_TRUE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QString());
    EXPECT_FALSE(testsupport::saveScreenshot(*manager.window(), QStringLiteral("KavBO-window")).isEmpty());
}

TEST_F(KavBOEngineTest, AnswerNodeWithoutNoCheckFailsTheLoad)
{
    EXPECT_EQ(load("no-nocheck.xml"), 23025);
}

}  // namespace
