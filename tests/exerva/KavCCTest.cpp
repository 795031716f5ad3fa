// The check-box control: its two layouts (one box per item, or the true/false
// grid under two headers), the exclusivity of an item's two boxes, the reveal
// button, scoring against the answer key, appearance through the member table,
// and each failure's code.

#include "KavTestSupport.h"
#include "support/Screenshot.h"

#include "exerva/ControlRegistry.h"
#include "exerva/Manager.h"
#include "exerva/controls/KavCC.h"
#include "exerva/frmCT.h"

#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using exerva::KavCC;

constexpr long stateOk = 1;

class KavCCTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The pixel expectations below are those of an ordinary 96 dpi screen.
        ASSERT_EQ(platform::twipsPerPixelX(), 15);
        ASSERT_EQ(platform::twipsPerPixelY(), 15);
    }

    // Builds the question and reads the key of a fixture ("list" or "grid").
    long load(const QString& fixture)
    {
        document = kavtest::fixtureDocument(QStringLiteral("cc/") + fixture + QStringLiteral(".xml"));
        const long question = control.InitXMLQuestion(document.documentElement().firstChildElement("QUESTION"));
        if (question != stateOk)
            return question;
        return control.InitXMLReponse(document.documentElement().firstChildElement("REPONSE"));
    }

    long readKey(const QString& xml)
    {
        keyDocument = kavtest::xmlDocument(xml);
        return control.InitXMLReponse(keyDocument.documentElement());
    }

    // Ticks as the learner would, one character per item: 'V' the (true) box,
    // 'F' the false box, '-' neither.
    void tick(const char* ticks)
    {
        for (int i = 0; ticks[i] != '\0'; ++i) {
            if (ticks[i] == 'V') {
                ASSERT_TRUE(control.clickTrueBox(i)) << i;
            } else if (ticks[i] == 'F') {
                ASSERT_TRUE(control.clickFalseBox(i)) << i;
            }
        }
    }

    struct Score {
        long state;
        bool bravo;
        QString letter;
    };

    Score score(bool bravoIn = false)
    {
        Score result{0, bravoIn, QStringLiteral("unchanged")};
        result.state = control.TestePoint(result.bravo, result.letter);
        return result;
    }

    QVariant call(const char* member, long callType, QVariantList arguments = {})
    {
        return control.callByName(QString::fromLatin1(member), callType, arguments);
    }

    kavtest::TracedContext traced;
    exerva::ExervaContext& context = traced.context;
    KavCC control{context};
    QDomDocument document;
    QDomDocument keyDocument;
};

TEST_F(KavCCTest, StartsAsDesignedWithEverythingHiddenButTheRevealButton)
{
    ASSERT_EQ(control.elementCount(), 1);
    const struct {
        const QWidget* widget;
        QRect geometry;
        bool bold;
    } designed[] = {
        {control.trueBox(0), QRect(8, 8, 25, 25), false},
        {control.falseBox(0), QRect(208, 72, 33, 33), false},
        {control.itemLabel(0), QRect(112, 16, 113, 33), false},
        {control.trueHeader(), QRect(64, 144, 49, 33), true},
        {control.falseHeader(), QRect(168, 144, 49, 33), true},
    };
    for (const auto& d : designed) {
        EXPECT_EQ(d.widget->geometry(), d.geometry);
        EXPECT_TRUE(d.widget->isHidden()) << d.geometry.x();
        EXPECT_EQ(d.widget->font().family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(d.widget->font().pointSizeF(), 9.75);
        EXPECT_EQ(d.widget->font().bold(), d.bold);
    }
    EXPECT_TRUE(control.trueHeader()->alignment() & Qt::AlignHCenter);

    const QPushButton& reveal = *control.revealButton();
    EXPECT_FALSE(reveal.isHidden());
    EXPECT_EQ(reveal.geometry(), QRect(48, 80, 129, 41));
    EXPECT_TRUE(reveal.font().bold());
    EXPECT_EQ(control.cmdHeight(), 41);
    EXPECT_EQ(control.cmdWidth(), 129);
    EXPECT_EQ(control.cmdTop(), 80);
    EXPECT_EQ(control.cmdLeft(), 48);
    // 0x8000000F, the system button colour, as a Long.
    EXPECT_EQ(control.cmdBackColor(), -2147483633L);
    EXPECT_EQ(control.FontSize(), 0);
    EXPECT_EQ(control.ModeVisible(), 0);
    EXPECT_EQ(control.CmdCaption(), QString());
}

TEST_F(KavCCTest, CheckBoxModeGivesOneBoxPerItemAndNoHeaders)
{
    ASSERT_EQ(load(QStringLiteral("list")), stateOk);
    EXPECT_FALSE(control.isTrueFalse());
    ASSERT_EQ(control.elementCount(), 3);
    const struct {
        QRect box;
        QRect label;
        const char* caption;
    } expected[] = {
        {QRect(10, 30, 30, 20), QRect(50, 30, 200, 20), "Le ciel est rouge"},
        {QRect(10, 60, 30, 22), QRect(52, 60, 190, 22), "Le ciel est bleu"},
        {QRect(10, 90, 30, 24), QRect(54, 90, 180, 24), "Le ciel est vert"},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(control.trueBox(i)->geometry(), expected[i].box) << i;
        EXPECT_EQ(control.itemLabel(i)->geometry(), expected[i].label) << i;
        EXPECT_EQ(control.itemLabel(i)->text(), QString::fromUtf8(expected[i].caption)) << i;
        EXPECT_TRUE(control.trueBox(i)->isHidden()) << i;
    }

    ASSERT_TRUE(control.pressReveal());
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(control.trueBox(i)->isHidden()) << i;
        EXPECT_FALSE(control.itemLabel(i)->isHidden()) << i;
        // The false boxes exist but serve no item.
        ASSERT_NE(control.falseBox(i), nullptr);
        EXPECT_TRUE(control.falseBox(i)->isHidden()) << i;
        EXPECT_FALSE(control.clickFalseBox(i)) << i;
    }
    EXPECT_TRUE(control.trueHeader()->isHidden());
    EXPECT_TRUE(control.falseHeader()->isHidden());
    EXPECT_TRUE(control.revealButton()->isHidden());
}

TEST_F(KavCCTest, CheckBoxModeDoesNotReadTheFalseColumn)
{
    const QDomDocument question = kavtest::xmlDocument(QStringLiteral(
        "<Q><H><M></M><C><H>20</H><W>50</W><T>5</T><L>12.5</L><C>x</C></C></H>"
        "<I><ITEM><ID>a</ID><H>20</H><W>200</W><T>30</T><L>50</L><C>A</C></ITEM></I></Q>"));
    EXPECT_EQ(control.InitXMLQuestion(question.documentElement()), stateOk);
    EXPECT_FALSE(control.isTrueFalse());
    // 12.5 pixels are 187.5 twips, rounded to 188; the box stands at 12.53 pixels.
    EXPECT_EQ(control.trueBox(0)->x(), 13);
}

TEST_F(KavCCTest, TrueFalseModePlacesTwoColumnsUnderTheirHeaders)
{
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    EXPECT_TRUE(control.isTrueFalse());
    ASSERT_EQ(control.elementCount(), 3);
    EXPECT_EQ(control.trueHeader()->geometry(), QRect(220, 5, 50, 20));
    EXPECT_EQ(control.trueHeader()->text(), QStringLiteral("Vrai"));
    EXPECT_EQ(control.falseHeader()->geometry(), QRect(280, 6, 52, 21));
    EXPECT_EQ(control.falseHeader()->text(), QStringLiteral("Faux"));
    for (int i = 0; i < 3; ++i) {
        const int top = 30 + 30 * i;
        EXPECT_EQ(control.trueBox(i)->geometry(), QRect(220, top, 30, 20)) << i;
        EXPECT_EQ(control.falseBox(i)->geometry(), QRect(280, top, 30, 20)) << i;
        EXPECT_EQ(control.itemLabel(i)->geometry(), QRect(10, top, 200, 20)) << i;
        EXPECT_TRUE(control.falseBox(i)->isHidden()) << i;
    }
    EXPECT_EQ(control.itemLabel(2)->text(), QStringLiteral("Oslo est en Norvège"));
    EXPECT_TRUE(control.trueHeader()->isHidden());

    ASSERT_TRUE(control.pressReveal());
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(control.trueBox(i)->isHidden()) << i;
        EXPECT_FALSE(control.falseBox(i)->isHidden()) << i;
        EXPECT_FALSE(control.itemLabel(i)->isHidden()) << i;
    }
    EXPECT_FALSE(control.trueHeader()->isHidden());
    EXPECT_FALSE(control.falseHeader()->isHidden());
    EXPECT_TRUE(control.revealButton()->isHidden());
    EXPECT_EQ(control.ModeVisible(), -1);
}

TEST_F(KavCCTest, WritesItsTraceLines)
{
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    control.ModeVisible(1);
    tick("V");
    EXPECT_EQ(score().letter, QStringLiteral("N"));
    const QString trace = traced.traceText();
    for (const char* line :
         {"KavCC, Public Function InitXMLQuestion", "pibTypeVF = True", "pilLeftColVrai = 3300",
          "pilLeftColFaux = 4200", "Ajout de la case à cocher Vrai : paris", "Ajout de la case à cocher Faux : oslo",
          "KavCC, Fin Public Function InitXMLQuestion", "sLettreReponse = C", "piatReponse(0).TableauCC(2) = 1",
          "piatReponse(0).TableauIdCC(2) = oslo", "pisErreurNoCheck = N", "pisErreurElse = E", "state en sortie = 1",
          "KavCC, Public Function TestePoint", "iosLettreReponse = pisErreurNoCheck",
          "Bravo = False ; LettreReponse = N", "KavCC, Fin Public Function TestePoint"})
        EXPECT_TRUE(trace.contains(QString::fromUtf8(line))) << line;
}

struct ExclusivityCase {
    const char* name;
    // Clicks in order: 'V' or 'F' on the first item's boxes.
    const char* clicks;
    bool trueTicked;
    bool falseTicked;
};

void PrintTo(const ExclusivityCase& c, std::ostream* os) { *os << c.name; }

class KavCCExclusivityTest : public KavCCTest, public ::testing::WithParamInterface<ExclusivityCase> {};

TEST_P(KavCCExclusivityTest, KeepsAtMostOneBoxOfAnItemTicked)
{
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    ASSERT_TRUE(control.pressReveal());
    for (const char* click = GetParam().clicks; *click != '\0'; ++click) {
        ASSERT_TRUE(*click == 'V' ? control.clickTrueBox(0) : control.clickFalseBox(0));
    }
    EXPECT_EQ(control.trueBox(0)->isChecked(), GetParam().trueTicked);
    EXPECT_EQ(control.falseBox(0)->isChecked(), GetParam().falseTicked);
    // The other items are untouched.
    EXPECT_FALSE(control.trueBox(1)->isChecked());
    EXPECT_FALSE(control.falseBox(1)->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Clicks, KavCCExclusivityTest,
                         ::testing::Values(ExclusivityCase{"TrueThenFalse", "VF", false, true},
                                           ExclusivityCase{"FalseThenTrue", "FV", true, false},
                                           ExclusivityCase{"TrueUntickedLeavesFalseAlone", "FVV", false, false},
                                           ExclusivityCase{"FalseUntickedLeavesTrueAlone", "VFF", false, false},
                                           ExclusivityCase{"TrueTwice", "VV", false, false}),
                         kavtest::CaseName());

TEST_F(KavCCTest, CheckBoxModeBoxesDoNotExcludeEachOther)
{
    ASSERT_EQ(load(QStringLiteral("list")), stateOk);
    control.ModeVisible(1);
    tick("V");
    // Only the control itself could tick a false box here; nothing is cleared.
    control.falseBox(0)->setChecked(true);
    EXPECT_TRUE(control.trueBox(0)->isChecked());
}

TEST_F(KavCCTest, MouseClickTicksABox)
{
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    control.resize(360, 140);
    control.show();
    QTest::mouseClick(control.revealButton(), Qt::LeftButton);
    QTest::mouseClick(control.trueBox(0), Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(control.trueBox(0)->isChecked());
    QTest::mouseClick(control.falseBox(0), Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(control.falseBox(0)->isChecked());
    EXPECT_FALSE(control.trueBox(0)->isChecked());
}

TEST_F(KavCCTest, KeyboardTicksABoxAndKeepsTheGridExclusive)
{
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    control.resize(360, 140);
    control.show();
    control.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&control));
    ASSERT_TRUE(control.pressReveal());
    control.trueBox(0)->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), control.trueBox(0));
    QTest::keyClick(control.trueBox(0), Qt::Key_Space);
    EXPECT_TRUE(control.trueBox(0)->isChecked());
    // Tab goes on to the same item's false box.
    QTest::keyClick(control.trueBox(0), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control.falseBox(0));
    QTest::keyClick(control.falseBox(0), Qt::Key_Space);
    EXPECT_TRUE(control.falseBox(0)->isChecked());
    EXPECT_FALSE(control.trueBox(0)->isChecked());
}

TEST_F(KavCCTest, CaptionsAreShownAsWrittenNeverAsMarkup)
{
    const QString item = QStringLiteral("<b>a</b> & <i>b</i>");
    const QString header = QStringLiteral("<u>Vrai</u>");
    const QDomDocument question = kavtest::xmlDocument(
        QStringLiteral("<Q><H><M>VF</M><C><H>20</H><W>50</W><T>5</T><L>220</L><C>%1</C></C>"
                       "<C><H>20</H><W>50</W><T>5</T><L>280</L><C>Faux</C></C></H><I>"
                       "<ITEM><ID>a</ID><H>20</H><W>200</W><T>30</T><L>10</L><C>x</C></ITEM>"
                       "<ITEM><ID>b</ID><H>20</H><W>200</W><T>60</T><L>10</L><C>%2</C></ITEM></I></Q>")
            .arg(header.toHtmlEscaped(), item.toHtmlEscaped()));
    ASSERT_EQ(control.InitXMLQuestion(question.documentElement()), stateOk);
    for (const QLabel* label : {control.itemLabel(1), control.trueHeader()}) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(control.itemLabel(1)->text(), item);
    EXPECT_EQ(control.trueHeader()->text(), header);
}

TEST_F(KavCCTest, RunawayNumberOfItemsStopsAtTheLastArrayElement)
{
    // Tens of thousands of trace lines would only slow the test down.
    context.trace.setLevel(0);
    // Boxes and labels are numbered up to 32767; one more is an overflow.
    constexpr int elements = 32768;
    QString xml = QStringLiteral("<Q><H><M>CC</M><C><H>1</H><W>1</W><T>0</T><L>0</L><C/></C></H><I>");
    for (int i = 0; i <= elements; ++i)
        xml += QStringLiteral("<ITEM><ID>%1</ID><H>1</H><W>1</W><T>0</T><L>0</L><C/></ITEM>").arg(i);
    const QDomDocument question = kavtest::xmlDocument(xml + QStringLiteral("</I></Q>"));
    EXPECT_EQ(control.InitXMLQuestion(question.documentElement()), 23026);
    EXPECT_EQ(context.lastError.number(), 6);
    // Delivering the widgets' pending events now keeps their destruction quick.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(control.elementCount(), elements);
    EXPECT_EQ(control.itemLabel(elements), nullptr);
    EXPECT_EQ(control.falseBox(elements), nullptr);
}

struct ScoreCase {
    const char* name;
    const char* fixture;
    const char* ticks;
    bool bravo;
    const char* letter;
};

void PrintTo(const ScoreCase& c, std::ostream* os) { *os << c.name; }

class KavCCScoreTest : public KavCCTest, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(KavCCScoreTest, ScoresTheTicksAgainstTheKey)
{
    ASSERT_EQ(load(QString::fromLatin1(GetParam().fixture)), stateOk);
    ASSERT_TRUE(control.pressReveal());
    tick(GetParam().ticks);
    const Score result = score();
    EXPECT_EQ(result.state, stateOk);
    EXPECT_EQ(result.bravo, GetParam().bravo);
    EXPECT_EQ(result.letter, QString::fromLatin1(GetParam().letter));
    EXPECT_EQ(context.pulStateEnCours, stateOk);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, KavCCScoreTest,
    ::testing::Values(ScoreCase{"ListNothingTicked", "list", "", false, "N"},
                      ScoreCase{"ListRight", "list", "-V-", true, ""},
                      ScoreCase{"ListWrongAnswer", "list", "VV-", false, "B"},
                      ScoreCase{"ListNoPatternMatches", "list", "-VV", false, "E"},
                      ScoreCase{"GridRight", "grid", "VFV", true, ""},
                      // An item left unanswered gives the no-check letter although pattern C matches.
                      ScoreCase{"GridItemUnanswered", "grid", "-VF", false, "N"},
                      // Pattern C looks at the second item only.
                      ScoreCase{"GridPatternOnSomeItems", "grid", "FVF", false, "C"},
                      ScoreCase{"GridNoPatternMatches", "grid", "VFF", false, "E"}),
    kavtest::CaseName());

TEST_F(KavCCTest, KeyWithoutNoCheckScoresAnUnansweredQuestionAgainstThePatterns)
{
    ASSERT_EQ(load(QStringLiteral("list")), stateOk);
    ASSERT_EQ(readKey(QStringLiteral("<K><R><L>Z</L><CHECKED><E><ID>rouge</ID><V>0</V></E></CHECKED></R>"
                                     "<R><L>E</L><CHECKED/></R></K>")),
              stateOk);
    EXPECT_EQ(score().letter, QStringLiteral("Z"));
}

TEST_F(KavCCTest, ScoresWithTheKeyReadLastNeverAnEarlierOnesPatterns)
{
    ASSERT_EQ(load(QStringLiteral("list")), stateOk);
    ASSERT_TRUE(control.pressReveal());
    tick("-V-");
    ASSERT_EQ(readKey(QStringLiteral("<K><R><L>X</L><CHECKED><E><ID>rouge</ID><V>1</V></E></CHECKED></R>"
                                     "<R><L>Y</L><CHECKED><E><ID>bleu</ID><V>1</V></E></CHECKED></R></K>")),
              stateOk);
    EXPECT_EQ(score().letter, QStringLiteral("Y"));

    // A shorter key: its one pattern and its else letter, nothing of the first key.
    ASSERT_EQ(readKey(QStringLiteral("<K><R><L>0</L><CHECKED><E><ID>rouge</ID><V>1</V></E></CHECKED></R>"
                                     "<R><L>E</L><CHECKED/></R></K>")),
              stateOk);
    EXPECT_EQ(control.answerKey().lastPatternIndex(), 0);
    EXPECT_EQ(score().letter, QStringLiteral("E"));

    // A key that fails half-way: only its complete patterns take part, never a
    // part of the failing one nor an earlier key's.
    EXPECT_EQ(readKey(QStringLiteral("<K><R><L>E2</L><CHECKED/></R>"
                                     "<R><L>A</L><CHECKED><E><ID>rouge</ID><V>1</V></E></CHECKED></R>"
                                     "<R><L>Y</L><CHECKED><E><ID>bleu</ID><V>1</V></E><E><ID>vert</ID><V>x</V></E>"
                                     "</CHECKED></R></K>")),
              23027);
    EXPECT_EQ(control.answerKey().lastPatternIndex(), 0);
    EXPECT_EQ(score().letter, QStringLiteral("E2"));
}

TEST_F(KavCCTest, PatternNamingAMissingItemFailsTheScoring)
{
    ASSERT_EQ(load(QStringLiteral("list")), stateOk);
    ASSERT_TRUE(control.pressReveal());
    tick("V");
    ASSERT_EQ(readKey(QStringLiteral("<K><R><L>A</L><CHECKED><E><ID>jaune</ID><V>1</V></E></CHECKED></R></K>")),
              stateOk);
    const Score result = score(true);
    EXPECT_EQ(result.state, 23028);
    EXPECT_EQ(context.pulStateEnCours, 23028);
    EXPECT_TRUE(result.bravo);
    EXPECT_EQ(result.letter, QString());
}

TEST_F(KavCCTest, RevealKeepsTheTicksAndModeVisibleHidesEverythingAgain)
{
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    control.ModeVisible(1);
    EXPECT_TRUE(control.revealButton()->isHidden());
    tick("VF");
    control.ModeVisible(0);
    EXPECT_TRUE(control.trueBox(0)->isHidden());
    EXPECT_TRUE(control.falseBox(1)->isHidden());
    EXPECT_TRUE(control.itemLabel(2)->isHidden());
    EXPECT_TRUE(control.trueHeader()->isHidden());
    EXPECT_FALSE(control.revealButton()->isHidden());

    ASSERT_TRUE(control.pressReveal());
    EXPECT_TRUE(control.trueBox(0)->isChecked());
    EXPECT_TRUE(control.falseBox(1)->isChecked());
    EXPECT_FALSE(control.falseHeader()->isHidden());
}

TEST_F(KavCCTest, ModeVisibleWrittenBeforeBuildingBuildsEverythingVisible)
{
    control.ModeVisible(-1);
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(control.trueBox(i)->isHidden()) << i;
        EXPECT_FALSE(control.falseBox(i)->isHidden()) << i;
        EXPECT_FALSE(control.itemLabel(i)->isHidden()) << i;
    }
    EXPECT_FALSE(control.trueHeader()->isHidden());
}

TEST_F(KavCCTest, ScrambledCaptionsAndKeyTextsAreDescrambled)
{
    context.scrambledTexts = true;
    const QDomDocument question = kavtest::xmlDocument(
        QStringLiteral("<Q><H><M>VF</M><C><H>20</H><W>50</W><T>5</T><L>220</L><C>Vrai</C></C>"
                       "<C><H>20</H><W>50</W><T>5</T><L>280</L><C>Faux</C></C></H>"
                       "<I><ITEM><ID>a</ID><H>20</H><W>200</W><T>30</T><L>10</L><C>%1</C></ITEM></I></Q>")
            .arg(kavtest::scramble(QStringLiteral("Éléphant"))));
    ASSERT_EQ(control.InitXMLQuestion(question.documentElement()), stateOk);
    EXPECT_EQ(control.itemLabel(0)->text(), QStringLiteral("Éléphant"));
    // Header captions are used as they stand.
    EXPECT_EQ(control.trueHeader()->text(), QStringLiteral("Vrai"));

    ASSERT_EQ(readKey(QStringLiteral("<K><R><L>%1</L><CHECKED><E><ID>a</ID><V>%2</V></E></CHECKED></R></K>")
                          .arg(kavtest::scramble(QStringLiteral("0")), kavtest::scramble(QStringLiteral("1")))),
              stateOk);
    control.ModeVisible(1);
    tick("V");
    EXPECT_TRUE(score().bravo);
}

using FailureCase = kavtest::QuestionFailureCase;

class KavCCQuestionFailureTest : public KavCCTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(KavCCQuestionFailureTest, StopsWithTheStepsCode)
{
    kavtest::expectQuestionFailure(control, context, GetParam());
    EXPECT_EQ(control.elementCount(), GetParam().elements);
}

#define CC_COLUMN(left) "<C><H>20</H><W>50</W><T>5</T><L>" left "</L><C>h</C></C>"
#define CC_HEADER(mode) "<H><M>" mode "</M>" CC_COLUMN("220") CC_COLUMN("280") "</H>"
#define CC_ITEM(id, caption) "<ITEM><ID>" id "</ID><H>20</H><W>200</W><T>30</T><L>10</L><C>" caption "</C></ITEM>"

INSTANTIATE_TEST_SUITE_P(
    Faults, KavCCQuestionFailureTest,
    ::testing::Values(
        FailureCase{"NoHeader", false, "<Q/>", 23026, 91, 1},
        FailureCase{"HeaderWithoutTrueColumn", false, "<Q><H><M>CC</M></H><I/></Q>", 23026, 91, 1},
        FailureCase{"ColumnLeftNotANumber", false, "<Q><H><M>CC</M>" CC_COLUMN("left") "</H><I/></Q>", 23026, 13, 1},
        FailureCase{"TrueFalseWithoutFalseColumn", false, "<Q><H><M>VF</M>" CC_COLUMN("220") "</H><I/></Q>", 23026,
                    91, 1},
        FailureCase{"NoItemList", false, "<Q>" CC_HEADER("CC") "</Q>", 23026, 91, 1},
        FailureCase{"ItemWithFiveChildren", false,
                    "<Q>" CC_HEADER("VF") "<I><ITEM><ID>a</ID><H>20</H><W>200</W><T>30</T><L>10</L></ITEM></I></Q>",
                    23026, 91, 1},
        FailureCase{"SizeNotANumber", false,
                    "<Q>" CC_HEADER("CC") "<I><ITEM><ID>a</ID><H>high</H><W>200</W><T>30</T><L>10</L><C>c</C></ITEM></I></Q>",
                    23026, 13, 1},
        FailureCase{"IdentifierUsedTwice", false, "<Q>" CC_HEADER("VF") "<I>" CC_ITEM("a", "x") CC_ITEM("A", "y") "</I></Q>",
                    23026, 457, 2},
        FailureCase{"CaptionNotHexadecimal", true,
                    "<Q>" CC_HEADER("CC") "<I>" CC_ITEM("a", "A2616161") CC_ITEM("b", "XY616161") CC_ITEM("c", "A2616161")
                    "</I></Q>",
                    23020, -1, 2}),
    kavtest::CaseName());

using kavtest::KeyFailureCase;

class KavCCKeyFailureTest : public KavCCTest, public ::testing::WithParamInterface<KeyFailureCase> {};

TEST_P(KavCCKeyFailureTest, GivesTheCodeOfTheKeysFault)
{
    context.scrambledTexts = GetParam().scrambled;
    EXPECT_EQ(readKey(QString::fromLatin1(GetParam().key)), GetParam().state);
    EXPECT_EQ(context.pulStateEnCours, GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, KavCCKeyFailureTest,
    ::testing::Values(KeyFailureCase{"ResponseWithOneChild", false, "<K><R><L>A</L></R></K>", 23027},
                      KeyFailureCase{"ValueNotANumber", false,
                                     "<K><R><L>A</L><CHECKED><E><ID>a</ID><V>oui</V></E></CHECKED></R></K>", 23027},
                      KeyFailureCase{"LetterNotHexadecimal", true, "<K><R><L>GG</L><NOCHECK/></R></K>", 23020}),
    kavtest::CaseName());

TEST_F(KavCCTest, BoxThatServesNoItemClearsNothing)
{
    // The second item fails on its identifier after its elements were made.
    const QDomDocument question =
        kavtest::xmlDocument(QStringLiteral("<Q>" CC_HEADER("VF") "<I>" CC_ITEM("a", "x") CC_ITEM("A", "y") "</I></Q>"));
    ASSERT_EQ(control.InitXMLQuestion(question.documentElement()), 23026);
    ASSERT_EQ(control.elementCount(), 2);
    // The reveal shows every element, the orphans too.
    ASSERT_TRUE(control.pressReveal());
    tick("V");
    EXPECT_TRUE(control.clickFalseBox(1));
    EXPECT_TRUE(control.clickTrueBox(1));
    EXPECT_TRUE(control.trueBox(0)->isChecked());
}

TEST_F(KavCCTest, MemberTableReachesTheContractAndTheAppearance)
{
    document = kavtest::fixtureDocument(QStringLiteral("cc/grid.xml"));
    QVariantList question{QVariant::fromValue<QDomNode>(document.documentElement().firstChildElement("QUESTION"))};
    EXPECT_EQ(control.callByName(QStringLiteral("InitXMLQuestion"), exerva::VbMethod, question).value<long>(), stateOk);
    QVariantList key{QVariant::fromValue<QDomNode>(document.documentElement().firstChildElement("REPONSE"))};
    EXPECT_EQ(control.callByName(QStringLiteral("InitXMLReponse"), exerva::VbMethod, key).value<long>(), stateOk);

    call("BackColor", exerva::VbLet, {0x00FFFF});
    call("ForeColor", exerva::VbLet, {0x000080});
    call("FontSize", exerva::VbLet, {QStringLiteral("12")});
    EXPECT_EQ(call("BackColor", exerva::VbGet).value<long>(), 0x00FFFF);
    EXPECT_EQ(call("ForeColor", exerva::VbGet).value<long>(), 0x000080);
    EXPECT_EQ(call("FontSize", exerva::VbGet).value<long>(), 12);
    const QList<QWidget*> elements{control.trueBox(2),  control.falseBox(2),   control.itemLabel(2),
                                   control.trueHeader(), control.falseHeader()};
    for (QWidget* element : elements) {
        EXPECT_EQ(element->palette().color(element->backgroundRole()), QColor(255, 255, 0));
        EXPECT_EQ(element->palette().color(QPalette::WindowText), QColor(128, 0, 0));
        EXPECT_DOUBLE_EQ(element->font().pointSizeF(), 12.0);
    }
    EXPECT_TRUE(control.trueHeader()->font().bold());
    // The reveal button keeps its own font.
    EXPECT_DOUBLE_EQ(control.revealButton()->font().pointSizeF(), 9.75);

    call("CmdCaption", exerva::VbLet, {QStringLiteral("Afficher")});
    call("cmdBackColor", exerva::VbLet, {0xFF0000});
    call("cmdHeight", exerva::VbLet, {30});
    call("cmdWidth", exerva::VbLet, {120});
    call("cmdTop", exerva::VbLet, {100});
    call("cmdLeft", exerva::VbLet, {40});
    EXPECT_EQ(control.revealButton()->geometry(), QRect(40, 100, 120, 30));
    EXPECT_EQ(control.revealButton()->text(), QStringLiteral("Afficher"));
    EXPECT_EQ(control.revealButton()->palette().color(QPalette::Button), QColor(0, 0, 255));
    EXPECT_EQ(call("cmdLeft", exerva::VbGet).value<long>(), 40);
    EXPECT_EQ(call("CmdCaption", exerva::VbGet).toString(), QStringLiteral("Afficher"));

    call("ModeVisible", exerva::VbLet, {true});
    EXPECT_EQ(call("ModeVisible", exerva::VbGet).value<long>(), -1);
    call("BackStyle", exerva::VbLet, {0});
    call("BorderStyle", exerva::VbLet, {1});
    EXPECT_EQ(call("BackStyle", exerva::VbGet).value<long>(), 0);
    EXPECT_EQ(call("BorderStyle", exerva::VbGet).value<long>(), 1);

    tick("VFV");
    QVariantList outs{false, QString()};
    EXPECT_EQ(control.callByName(QStringLiteral("TestePoint"), exerva::VbMethod, outs).value<long>(), stateOk);
    EXPECT_TRUE(outs[0].toBool());
    EXPECT_EQ(outs[1].toString(), QString());
}

TEST_F(KavCCTest, MemberTableRefusesWhatTheControlDoesNotTake)
{
    kavtest::expectRefused(control, {
                                        {"OptionFontSize", exerva::VbLet, {12}, 438},
                                        {"chkCCVrai_Click", exerva::VbMethod, {0}, 438},
                                        {"FontSize", exerva::VbLet, {QStringLiteral("big")}, 13},
                                        {"cmdHeight", exerva::VbLet, {-3}, 380},
                                        {"BackStyle", exerva::VbLet, {5}, 380},
                                    });
    EXPECT_EQ(control.cmdHeight(), 41);
}

TEST_F(KavCCTest, SavesAScreenshotOfAFilledExercise)
{
    control.BackColor(0x00FFFFFF);
    control.CmdCaption(QStringLiteral("Voir"));
    ASSERT_EQ(load(QStringLiteral("grid")), stateOk);
    control.resize(350, 130);
    control.BorderStyle(1);
    control.show();
    EXPECT_FALSE(testsupport::saveScreenshot(control, QStringLiteral("KavCC-before-reveal")).isEmpty());
    ASSERT_TRUE(control.pressReveal());
    tick("VVF");
    EXPECT_FALSE(testsupport::saveScreenshot(control, QStringLiteral("KavCC-grid")).isEmpty());

    KavCC list{context};
    list.ModeVisible(1);
    const QDomDocument listDocument = kavtest::fixtureDocument(QStringLiteral("cc/list.xml"));
    ASSERT_EQ(list.InitXMLQuestion(listDocument.documentElement().firstChildElement("QUESTION")), stateOk);
    list.resize(270, 130);
    list.show();
    ASSERT_TRUE(list.clickTrueBox(1));
    EXPECT_FALSE(testsupport::saveScreenshot(list, QStringLiteral("KavCC-list")).isEmpty());
}

// Through the engine: the exercise file places the control in the answer zone,
// sets it up by name and the engine scores it.
class KavCCEngineTest : public kavtest::ControlThroughEngineTest<KavCC> {
protected:
    KavCCEngineTest() : ControlThroughEngineTest("Exerva.KavCC", "cc", 1) {}

    KavCC* grid() const { return control("Grille"); }
};

TEST_F(KavCCEngineTest, ScoresTheLearnersTicks)
{
    ASSERT_EQ(load("grid.xml"), stateOk);
    KavCC* control = grid();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ModeVisible(), -1);
    EXPECT_EQ(control->BackColor(), 0xFFFFFF);

    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_FALSE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("N"));

    ASSERT_TRUE(control->clickTrueBox(0));
    ASSERT_TRUE(control->clickTrueBox(1));
    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_FALSE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QStringLiteral("E"));

    ASSERT_TRUE(control->clickFalseBox(1));
    EXPECT_EQ(manager.TestePoint(), stateOk);
    EXPECT_TRUE(manager.Bravo());
    EXPECT_EQ(manager.LettreReponse(), QString());
    EXPECT_FALSE(testsupport::saveScreenshot(*manager.window(), QStringLiteral("KavCC-window")).isEmpty());
}

TEST_F(KavCCEngineTest, MalformedKeyFailsTheLoad)
{
    EXPECT_EQ(load("bad-key.xml"), 23027);
}

}  // namespace
